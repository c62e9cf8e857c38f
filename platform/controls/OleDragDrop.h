// Drag and drop in the shape of the window system's OLE interfaces, running on Qt's drag and drop.
//
// The program's drag-and-drop code is written against data objects, format enumerators, drop sources
// and drop targets; this layer keeps that vocabulary as plain C++ and maps it onto QDrag/QMimeData:
//
//   - Interfaces are abstract classes on a reference-counted base (AddRef/Release; an object frees
//     itself when the count drops to 0). ComPtr holds one reference.
//   - HGLOBAL blocks are byte blocks kept by the layer (GlobalAlloc, GlobalLock, GlobalSize, ...).
//   - Formats map to MIME types both ways: CF_UNICODETEXT (and CF_TEXT, Windows-1252, when there is
//     no Unicode text) = "text/plain"; "Rich Text Format" = "text/rtf"; CF_HDROP = the local files of
//     "text/uri-list" (a DROPFILES block with wide names); "UniformResourceLocator" = the other URLs
//     of "text/uri-list" (the URL in Windows-1252, also offered as Unicode text); any other
//     registered name N = application/x-qt-windows-mime;value="N" with the block's exact bytes.
//
// A drag (DoDragDrop): the drop source is given GiveFeedback(DROPEFFECT_NONE) at the start and on
// every change of the target's answer, and QueryContinueDrag every 30 ms while Qt's own loop runs
// (Qt decides the drop at the release and cancels on Escape; DRAGDROP_S_CANCEL from the source
// cancels it). When the drag ended without the source having answered DROP or CANCEL, it is asked
// once more (escape = the drag was cancelled, no keys), so its end-of-drag work runs once per drag.
//
// A drop target (RegisterDragDrop) gets DragEnter, DragOver, DragLeave and Drop from the Qt drag
// events of the control's client widget, with the point in screen coordinates. A drag from this
// process hands the target the source's own data object; other data is wrapped by the mapping above.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/controls/Messages.h" // MK_ key states
#include "platform/core/HResult.h"

#include <QMimeData>
#include <QPointer>
#include <cstdint>
#include <utility>

using DWORD = uint32_t;
using CLIPFORMAT = uint16_t;
using BOOL = int32_t;

constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003);
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = HRESULT(0x80040100);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = HRESULT(0x80040101);
constexpr HRESULT DRAGDROP_E_INVALIDHWND = HRESULT(0x80040102);

constexpr DWORD DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4;
constexpr CLIPFORMAT CF_TEXT = 1, CF_UNICODETEXT = 13, CF_HDROP = 15;
constexpr DWORD DVASPECT_CONTENT = 1;
constexpr DWORD TYMED_NULL = 0, TYMED_HGLOBAL = 1;
constexpr DWORD DATADIR_GET = 1, DATADIR_SET = 2;
// GlobalAlloc flags; the layer's blocks are always movable, zero-filled memory.
constexpr UINT GMEM_MOVEABLE = 0x0002, GMEM_ZEROINIT = 0x0040, GMEM_SHARE = 0x2000;

// ---- Memory blocks -----------------------------------------------------------------------------------

struct TGlobalBlock;
using HGLOBAL = TGlobalBlock*;

// A new zero-filled block of Size bytes; nullptr when it cannot be had.
HGLOBAL GlobalAlloc(UINT Flags, size_t Size);
// 0 for nullptr or a freed block.
size_t GlobalSize(HGLOBAL Block);
// The bytes of the block (nullptr for none or an empty block); GlobalUnlock ends the access.
void* GlobalLock(HGLOBAL Block);
bool GlobalUnlock(HGLOBAL Block);
// Frees the block; nullptr on success, the block itself when it was not one of the layer's.
HGLOBAL GlobalFree(HGLOBAL Block);

// ---- Interfaces --------------------------------------------------------------------------------------

// Reference counting: a new object starts at 0; whoever keeps it calls AddRef, and the Release that
// brings the count to 0 frees it.
class IUnknown
{
  public:
    virtual uint32_t AddRef();
    virtual uint32_t Release();

  protected:
    IUnknown() = default;
    virtual ~IUnknown() = default;
    IUnknown(const IUnknown&) = delete;
    IUnknown& operator=(const IUnknown&) = delete;

  private:
    uint32_t FRefCount = 0;
};

// One reference to an interface object.
template <class T> class ComPtr
{
  public:
    ComPtr() = default;
    ComPtr(T* p) : p_(p) // takes a new reference
    {
        if (p_)
            p_->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr o)
    {
        std::swap(p_, o.p_);
        return *this;
    }
    void Reset()
    {
        if (T* p = std::exchange(p_, nullptr))
            p->Release();
    }
    // Adopts a reference the caller already holds (an out-parameter of an interface call).
    static ComPtr Attach(T* p)
    {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

struct DVTARGETDEVICE;

struct FORMATETC {
    CLIPFORMAT cfFormat = 0;
    DVTARGETDEVICE* ptd = nullptr;
    DWORD dwAspect = DVASPECT_CONTENT;
    int32_t lindex = -1;
    DWORD tymed = TYMED_HGLOBAL;
};

struct STGMEDIUM {
    DWORD tymed = TYMED_NULL;
    HGLOBAL hGlobal = nullptr;
    IUnknown* pUnkForRelease = nullptr;
};
// Frees the medium's block (or releases its owner) and empties it.
void ReleaseStgMedium(STGMEDIUM* Medium);

struct POINTL {
    int32_t x = 0;
    int32_t y = 0;
};

class IEnumFORMATETC : public IUnknown
{
  public:
    // Copies up to Count entries; Fetched (may be nullptr) gets how many. S_OK when all Count came.
    virtual HRESULT Next(uint32_t Count, FORMATETC* Entries, uint32_t* Fetched) = 0;
    virtual HRESULT Skip(uint32_t Count) = 0;
    virtual HRESULT Reset() = 0;
    // A new enumerator with one reference for the caller.
    virtual HRESULT Clone(IEnumFORMATETC** Enum) = 0;
};

class IDataObject : public IUnknown
{
  public:
    virtual HRESULT GetData(const FORMATETC* Format, STGMEDIUM* Medium) = 0;
    virtual HRESULT GetDataHere(const FORMATETC* Format, STGMEDIUM* Medium) = 0;
    virtual HRESULT QueryGetData(const FORMATETC* Format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const FORMATETC* In, FORMATETC* Out) = 0;
    virtual HRESULT SetData(const FORMATETC* Format, STGMEDIUM* Medium, BOOL Release) = 0;
    // A new enumerator with one reference for the caller.
    virtual HRESULT EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) = 0;
    virtual HRESULT DAdvise(const FORMATETC* Format, DWORD Advf, IUnknown* Sink, DWORD* Connection) = 0;
    virtual HRESULT DUnadvise(DWORD Connection) = 0;
    virtual HRESULT EnumDAdvise(IUnknown** Enum) = 0;
};

class IDropSource : public IUnknown
{
  public:
    // S_OK to go on, DRAGDROP_S_DROP or DRAGDROP_S_CANCEL to end the drag.
    virtual HRESULT QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) = 0;
    virtual HRESULT GiveFeedback(DWORD Effect) = 0;
};

// Effect is in-out: the source's allowed effects come in, the target's answer goes out.
class IDropTarget : public IUnknown
{
  public:
    virtual HRESULT DragEnter(IDataObject* DataObject, DWORD KeyState, POINTL pt, DWORD* Effect) = 0;
    virtual HRESULT DragOver(DWORD KeyState, POINTL pt, DWORD* Effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* DataObject, DWORD KeyState, POINTL pt, DWORD* Effect) = 0;
};

// ---- Formats -----------------------------------------------------------------------------------------

// The number of a format known by name: from 0xC000 up, the same for the same name (in any case);
// 0 for an empty name.
UINT RegisterClipboardFormat(const QString& Name);
// The name a format was registered with; empty for the standard formats and unknown numbers.
QString ClipboardFormatName(UINT Format);

// ---- Drag and drop -----------------------------------------------------------------------------------

// The MIME data of a drag from this process: serves the data object's formats on demand.
class TDataObjectMime : public QMimeData
{
  public:
    explicit TDataObjectMime(IDataObject* DataObject);
    ~TDataObjectMime() override;
    IDataObject* DataObject() const { return FDataObject.Get(); }

    QStringList formats() const override;
    bool hasFormat(const QString& MimeType) const override;

  protected:
    QVariant retrieveData(const QString& MimeType, QMetaType Type) const override;

  private:
    ComPtr<IDataObject> FDataObject;
};

// The data object a target sees for Qt's MIME data: the source's own for a drag of this process,
// else a new object over the data (one reference for the caller).
ComPtr<IDataObject> DataObjectOfMime(const QMimeData* Data);

// The MK_ key state of mouse buttons and keyboard modifiers.
DWORD KeyStateOf(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers);

// Runs a drag with the data object; see the header comment. Effect gets the effect performed. The
// data object is held for the drag; the drop source stays its caller's (no reference is taken).
HRESULT DoDragDrop(IDataObject* DataObject, IDropSource* DropSource, DWORD OkEffects, DWORD* Effect);

// Turns drops on for the window's client widget and hands them to Target (which gets a reference).
HRESULT RegisterDragDrop(HWND Window, IDropTarget* Target);
HRESULT RevokeDragDrop(HWND Window);
