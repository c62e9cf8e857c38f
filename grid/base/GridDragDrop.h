// The grid's half of drag and drop: what it offers when it is the source, and how it reads what is
// dropped on it.
//
// Formats: text (CF_TEXT, Windows-1252, zero-terminated), Unicode text (CF_UNICODETEXT, UTF-16,
// zero-terminated), rich text ("Rich Text Format", only while EnableRTFDragDrop is on), a column
// ("Grid Column": one 32-bit index), a block of cells ("TExtStringGrid Cells": 32-bit byte count n,
// 4 zero bytes, n bytes of the grid's cell stream) and, on drop only, files (CF_HDROP) and URLs
// ("UniformResourceLocator").
//
// Source: BeginTextDragDrop / BeginColumnDragDrop wrap the data in a TSourceDataObject and run the
// drag with the grid's TESGDropSource, whose hooks (EndDragDrop, CurrentEffect, QueryDrag) the grid
// overrides. Target: the grid registers a TESGDropTarget subclass for its window; DragEnter reads
// which formats are offered, DragOver asks DragMouseMove, Drop hands the data to one of the Drop...
// hooks. TEnumFormats reads an incoming data object; every read is bounded by the block it reads.
#pragma once

#include "grid/base/GridTypes.h"
#include "platform/controls/OleDragDrop.h"
#include "platform/core/Classes.h"
#include "platform/core/StringList.h"

#include <memory>

enum TDropFormat { dfText, dfFile, dfCol, dfRTF, dfURL, dfGridCells };
using TDropFormats = TEnumSet<TDropFormat>;

// The rich-text switch (off at start): while off, rich text is neither offered nor accepted.
void EnableRTFDragDrop(bool Value);
bool RTFDragDropEnabled();

// The registered formats of the grid family; 0 until RegisterDropFormats has run.
extern UINT CF_RTF;
extern UINT CF_GRIDCOL;
extern UINT CF_GRIDCELLS;
extern UINT CF_URL;
// Registers the four named formats (the same numbers every time).
void RegisterDropFormats();

// DROPEFFECT_COPY with Ctrl held, else DROPEFFECT_MOVE when Allowed has it, else DROPEFFECT_COPY.
DWORD DropEffectForKeys(DWORD KeyState, DWORD Allowed);

// ---- Reading a data object ------------------------------------------------------------------------------

class TEnumFormats
{
  public:
    explicit TEnumFormats(IDataObject* DataObject);
    ~TEnumFormats();
    TEnumFormats(const TEnumFormats&) = delete;
    TEnumFormats& operator=(const TEnumFormats&) = delete;

    IDataObject* DataObject() const { return FDataObject.Get(); }
    // Takes the object and its format enumerator. An object without one reads as offering nothing.
    void SetDataObject(IDataObject* Value);

    // Back to before the first format; false when there is nothing to enumerate.
    bool Reset();
    // One step; Valid() tells whether it gave a format.
    void Next();
    bool Valid() const { return FValid; }
    int Count() const { return FCount; }
    // Steps from the start until the format is found (the reader stays on it).
    bool HasFormat(UINT ClipFormat);
    bool HasText() { return HasFormat(CF_UNICODETEXT); }
    bool HasRTF() { return HasFormat(CF_RTF); }
    bool HasCol() { return HasFormat(CF_GRIDCOL); }
    bool HasFile() { return HasFormat(CF_HDROP); }
    bool HasURL() { return HasFormat(CF_URL); }
    bool HasGridCells() { return HasFormat(CF_GRIDCELLS); }

    // The data of the current format with that medium (the caller frees it); nullptr when none.
    HGLOBAL Handle(DWORD Medium);
    HGLOBAL GlobalHandle() { return Handle(TYMED_HGLOBAL); }

    // The column index; -1 when absent or shorter than 4 bytes.
    int Col();
    // The n bytes of the cells block; none when absent or shorter than 8 + n.
    std::unique_ptr<TMemoryStream> Stream();
    // The Unicode text; empty when absent.
    QString Text();
    // The rich text read as Windows-1252; empty when absent.
    QString RTF();
    // Reads the file list of the CF_HDROP block into Files(); true when a name was read.
    bool ReadFiles();
    TStringList* Files() const { return FFiles.get(); }

    // The current format description.
    DWORD Aspect() const { return FFormatEtc.dwAspect; }
    void SetAspect(DWORD Value) { FFormatEtc.dwAspect = Value; }
    CLIPFORMAT ClipFormat() const { return FFormatEtc.cfFormat; }
    void SetClipFormat(CLIPFORMAT Value) { FFormatEtc.cfFormat = Value; }
    int32_t Index() const { return FFormatEtc.lindex; }
    void SetIndex(int32_t Value) { FFormatEtc.lindex = Value; }
    DWORD Medium() const { return FFormatEtc.tymed; }
    void SetMedium(DWORD Value) { FFormatEtc.tymed = Value; }

  private:
    // The bytes of a format's block; false when it is not offered.
    bool FormatBytes(UINT ClipFormat, QByteArray& Bytes);

    ComPtr<IDataObject> FDataObject;
    ComPtr<IEnumFORMATETC> FEnumerator;
    FORMATETC FFormatEtc;
    bool FValid = false;
    int FCount = 0;
    std::unique_ptr<TStringList> FFiles;
};

// ---- Source ---------------------------------------------------------------------------------------------

// The dragged data: text (with its rich text), a column, or a block of cells. The cell stream is the
// caller's and must live as long as the drag.
class TSourceDataObject : public IDataObject
{
  public:
    TSourceDataObject(const QString& Text, const QString& RTF, int ColIdx, TMemoryStream* Stream);

    HRESULT GetData(const FORMATETC* Format, STGMEDIUM* Medium) override;
    HRESULT GetDataHere(const FORMATETC* Format, STGMEDIUM* Medium) override;
    HRESULT QueryGetData(const FORMATETC* Format) override;
    HRESULT GetCanonicalFormatEtc(const FORMATETC* In, FORMATETC* Out) override;
    HRESULT SetData(const FORMATETC* Format, STGMEDIUM* Medium, BOOL Release) override;
    HRESULT EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) override;
    HRESULT DAdvise(const FORMATETC* Format, DWORD Advf, IUnknown* Sink, DWORD* Connection) override;
    HRESULT DUnadvise(DWORD Connection) override;
    HRESULT EnumDAdvise(IUnknown** Enum) override;

    QString textdata;
    QString rtfdata;
    int scolidx = -1;
    TMemoryStream* memstr = nullptr;
};

// Text, Unicode text, rich text, then the column and the cells when the object holds them.
class TSourceEnumFormatEtc : public IEnumFORMATETC
{
  public:
    TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, int Index = 0);

    HRESULT Next(uint32_t Count, FORMATETC* Entries, uint32_t* Fetched) override;
    HRESULT Skip(uint32_t Count) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumFORMATETC** Enum) override;

    int FIndex = 0;
    bool FHasCol = false;
    bool FHasGridCells = false;

  private:
    int EntryCount() const;
    CLIPFORMAT Entry(int Index) const;
};

// The grid's drop source: Escape cancels, releasing the left button drops; the hooks let the grid
// end its drag image and follow the target's answer.
class TESGDropSource : public IDropSource
{
  public:
    HRESULT QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) override;
    HRESULT GiveFeedback(DWORD Effect) override;

    // The last feedback said no target accepts.
    bool NoAccept() const { return FNoAccept; }

  protected:
    virtual void EndDragDrop() {}
    virtual void CurrentEffect(DWORD) {}
    virtual void QueryDrag() {}
    bool FNoAccept = false;
};

// Drags text (and its rich text, and a block of cells when Stream is given). DRAGDROP_S_CANCEL when
// the last feedback said no target accepts, else the drag's result.
HRESULT BeginTextDragDrop(TESGDropSource* DropSource, const QString& Text, const QString& RTF,
                          TMemoryStream* Stream, DWORD OkEffects, DWORD& Effect);
// Drags a column index.
HRESULT BeginColumnDragDrop(TESGDropSource* DropSource, int Column, DWORD OkEffects, DWORD& Effect);

// ---- Target ---------------------------------------------------------------------------------------------

// The grid's drop target. Points handed to the hooks are in screen coordinates.
class TESGDropTarget : public IDropTarget
{
  public:
    TESGDropTarget();

    HRESULT DragEnter(IDataObject* DataObject, DWORD KeyState, POINTL pt, DWORD* Effect) override;
    HRESULT DragOver(DWORD KeyState, POINTL pt, DWORD* Effect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* DataObject, DWORD KeyState, POINTL pt, DWORD* Effect) override;

    bool FAcceptText = true;
    bool FAcceptFiles = true;
    bool FAcceptCols = false;
    bool FAcceptURLs = true;

  protected:
    virtual void DropText(TPoint, const QString&) {}
    // The hook owns the stream.
    virtual void DropStream(TPoint, std::unique_ptr<TMemoryStream>) {}
    virtual void DropCol(TPoint, int) {}
    virtual void DropRTF(TPoint, const QString&) {}
    virtual void DropFiles(TPoint, TStrings*) {}
    virtual void DropURL(TPoint, const QString&) {}
    virtual void DragMouseMove(TPoint, bool&, TDropFormats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

    bool FOk = false;
    TDropFormats FDropFormats;
};
