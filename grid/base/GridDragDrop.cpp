// Data object, format enumerator, drop source and drop target of the grid, and the reader of what is
// dropped.
#include "grid/base/GridDragDrop.h"

#include "platform/core/SysUtils.h"

#include <cstring>

UINT CF_RTF = 0;
UINT CF_GRIDCOL = 0;
UINT CF_GRIDCELLS = 0;
UINT CF_URL = 0;

namespace
{

bool gRTFDragDrop = false;

constexpr int CellsHeaderSize = 8;
constexpr int DropFilesHeaderSize = 20;

uint32_t ReadU32(const QByteArray& b, qsizetype at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

void PutU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

// A new block holding the bytes; nullptr when it cannot be had.
HGLOBAL NewBlock(const void* bytes, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, size);
    if (block && size)
        std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    return block;
}

QByteArray TakeBlock(HGLOBAL block)
{
    QByteArray bytes;
    if (const size_t size = GlobalSize(block))
        bytes = QByteArray(static_cast<const char*>(GlobalLock(block)), qsizetype(size));
    GlobalUnlock(block);
    GlobalFree(block);
    return bytes;
}

QString Utf16UpToZero(const QByteArray& bytes, qsizetype from, qsizetype* next = nullptr)
{
    QString text;
    qsizetype i = from;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t c = char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
        if (c == 0) {
            i += 2;
            break;
        }
        text.append(QChar(c));
    }
    if (next)
        *next = i;
    return text;
}

QByteArray BytesUpToZero(const QByteArray& bytes, qsizetype from, qsizetype* next = nullptr)
{
    qsizetype end = bytes.indexOf('\0', from);
    if (next)
        *next = end < 0 ? bytes.size() : end + 1;
    return bytes.mid(from, (end < 0 ? bytes.size() : end) - from);
}

} // namespace

void EnableRTFDragDrop(bool Value)
{
    gRTFDragDrop = Value;
}

bool RTFDragDropEnabled()
{
    return gRTFDragDrop;
}

void RegisterDropFormats()
{
    CF_RTF = RegisterClipboardFormat("Rich Text Format");
    CF_GRIDCOL = RegisterClipboardFormat("Grid Column");
    CF_GRIDCELLS = RegisterClipboardFormat("TExtStringGrid Cells");
    CF_URL = RegisterClipboardFormat("UniformResourceLocator");
}

DWORD DropEffectForKeys(DWORD KeyState, DWORD Allowed)
{
    if (KeyState & MK_CONTROL)
        return DROPEFFECT_COPY;
    if (Allowed & DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    return DROPEFFECT_COPY;
}

// ---- TEnumFormats ---------------------------------------------------------------------------------------

TEnumFormats::TEnumFormats(IDataObject* DataObject) : FFiles(std::make_unique<TStringList>())
{
    // Opening the clipboard always succeeds here, so the names are always registered.
    RegisterDropFormats();
    SetDataObject(DataObject);
}

TEnumFormats::~TEnumFormats() = default;

void TEnumFormats::SetDataObject(IDataObject* Value)
{
    FDataObject = ComPtr<IDataObject>(Value);
    FEnumerator.Reset();
    IEnumFORMATETC* e = nullptr;
    // An object that cannot enumerate its formats offers nothing we can take.
    if (Value && Value->EnumFormatEtc(DATADIR_GET, &e) == S_OK && e)
        FEnumerator = ComPtr<IEnumFORMATETC>::Attach(e);
    Reset();
}

bool TEnumFormats::Reset()
{
    FValid = false;
    FCount = 0;
    return FEnumerator && FEnumerator->Reset() == S_OK;
}

void TEnumFormats::Next()
{
    uint32_t fetched = 0;
    FValid = FEnumerator && FEnumerator->Next(1, &FFormatEtc, &fetched) == S_OK && fetched == 1;
    ++FCount;
}

bool TEnumFormats::HasFormat(UINT ClipFormat)
{
    if (ClipFormat == 0 || !Reset())
        return false;
    for (Next(); FValid; Next())
        if (FFormatEtc.cfFormat == ClipFormat)
            return true;
    return false;
}

HGLOBAL TEnumFormats::Handle(DWORD Medium)
{
    if (!FValid || !(FFormatEtc.tymed & Medium) || !FDataObject)
        return nullptr;
    FORMATETC fmt = FFormatEtc;
    fmt.tymed = Medium;
    STGMEDIUM medium;
    if (FDataObject->GetData(&fmt, &medium) != S_OK)
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL || medium.pUnkForRelease) {
        // Only blocks the caller can own are handed on.
        const HGLOBAL copy = medium.tymed == TYMED_HGLOBAL
                                 ? NewBlock(GlobalLock(medium.hGlobal), GlobalSize(medium.hGlobal))
                                 : nullptr;
        ReleaseStgMedium(&medium);
        return copy;
    }
    return medium.hGlobal;
}

bool TEnumFormats::FormatBytes(UINT ClipFormat, QByteArray& Bytes)
{
    if (!HasFormat(ClipFormat))
        return false;
    const HGLOBAL block = GlobalHandle();
    if (!block)
        return false;
    Bytes = TakeBlock(block);
    return true;
}

int TEnumFormats::Col()
{
    QByteArray bytes;
    if (!FormatBytes(CF_GRIDCOL, bytes) || bytes.size() < 4)
        return -1;
    return int32_t(ReadU32(bytes, 0));
}

std::unique_ptr<TMemoryStream> TEnumFormats::Stream()
{
    QByteArray bytes;
    if (!FormatBytes(CF_GRIDCELLS, bytes) || bytes.size() < CellsHeaderSize)
        return nullptr;
    const int64_t n = int32_t(ReadU32(bytes, 0));
    // Another program's count is not trusted beyond the block.
    if (n < 0 || CellsHeaderSize + n > bytes.size())
        return nullptr;
    auto stream = std::make_unique<TMemoryStream>();
    stream->Write(bytes.constData() + CellsHeaderSize, n);
    stream->SetPosition(0);
    return stream;
}

QString TEnumFormats::Text()
{
    QByteArray bytes;
    return FormatBytes(CF_UNICODETEXT, bytes) ? Utf16UpToZero(bytes, 0) : QString();
}

QString TEnumFormats::RTF()
{
    QByteArray bytes;
    return FormatBytes(CF_RTF, bytes) ? DecodeWindows1252(BytesUpToZero(bytes, 0)) : QString();
}

bool TEnumFormats::ReadFiles()
{
    FFiles->Clear();
    QByteArray bytes;
    if (!FormatBytes(CF_HDROP, bytes) || bytes.size() < DropFilesHeaderSize)
        return false;
    const uint32_t offset = ReadU32(bytes, 0);
    const bool wide = ReadU32(bytes, 16) != 0;
    qsizetype at = offset;
    while (at < bytes.size()) {
        const QString name =
            wide ? Utf16UpToZero(bytes, at, &at) : DecodeWindows1252(BytesUpToZero(bytes, at, &at));
        if (name.isEmpty())
            break;
        FFiles->Add(name);
    }
    return FFiles->Count() > 0;
}

// ---- TSourceDataObject ----------------------------------------------------------------------------------

TSourceDataObject::TSourceDataObject(const QString& Text, const QString& RTF, int ColIdx,
                                     TMemoryStream* Stream)
    : textdata(Text), rtfdata(RTF), scolidx(ColIdx), memstr(Stream)
{
    RegisterDropFormats();
}

HRESULT TSourceDataObject::QueryGetData(const FORMATETC* Format)
{
    if (!Format || Format->dwAspect != DVASPECT_CONTENT || Format->tymed != TYMED_HGLOBAL)
        return DV_E_FORMATETC;
    const UINT cf = Format->cfFormat;
    if (!textdata.isEmpty() && (cf == CF_TEXT || cf == CF_UNICODETEXT || (cf == CF_RTF && gRTFDragDrop)))
        return S_OK;
    if (memstr && cf == CF_GRIDCELLS)
        return S_OK;
    if (scolidx != -1 && cf == CF_GRIDCOL)
        return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const FORMATETC* Format, STGMEDIUM* Medium)
{
    if (!Medium)
        return E_INVALIDARG;
    *Medium = STGMEDIUM();
    if (QueryGetData(Format) != S_OK)
        return DV_E_FORMATETC;
    const UINT cf = Format->cfFormat;
    HGLOBAL block = nullptr;
    if (cf == CF_TEXT) {
        const QByteArray bytes = EncodeWindows1252(textdata);
        block = NewBlock(bytes.constData(), size_t(bytes.size()) + 1);
    } else if (cf == CF_UNICODETEXT) {
        block = NewBlock(textdata.utf16(), size_t(textdata.size() + 1) * 2);
    } else if (cf == CF_RTF) {
        const QByteArray bytes = EncodeWindows1252(rtfdata);
        block = NewBlock(bytes.constData(), size_t(bytes.size()) + 1);
    } else if (cf == CF_GRIDCOL) {
        uint8_t bytes[4];
        PutU32(bytes, uint32_t(scolidx));
        block = NewBlock(bytes, 4);
    } else if (cf == CF_GRIDCELLS) {
        const size_t n = size_t(memstr->Size());
        block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, CellsHeaderSize + n);
        if (block) {
            auto* p = static_cast<uint8_t*>(GlobalLock(block));
            PutU32(p, uint32_t(n));
            if (n)
                std::memcpy(p + CellsHeaderSize, memstr->Memory(), n);
            GlobalUnlock(block);
        }
    }
    if (!block)
        return DV_E_FORMATETC;
    Medium->tymed = TYMED_HGLOBAL;
    Medium->hGlobal = block;
    Medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT TSourceDataObject::GetDataHere(const FORMATETC*, STGMEDIUM*)
{
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const FORMATETC*, FORMATETC* Out)
{
    if (Out)
        Out->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::SetData(const FORMATETC*, STGMEDIUM*, BOOL)
{
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum)
{
    if (!Enum)
        return E_INVALIDARG;
    if (Direction != DATADIR_GET) {
        *Enum = nullptr;
        return E_NOTIMPL;
    }
    *Enum = new TSourceEnumFormatEtc(scolidx != -1, memstr != nullptr);
    (*Enum)->AddRef();
    return S_OK;
}

HRESULT TSourceDataObject::DAdvise(const FORMATETC*, DWORD, IUnknown*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TSourceDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TSourceDataObject::EnumDAdvise(IUnknown** Enum)
{
    if (Enum)
        *Enum = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

// ---- TSourceEnumFormatEtc -------------------------------------------------------------------------------

TSourceEnumFormatEtc::TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, int Index)
    : FIndex(Index), FHasCol(HasCol), FHasGridCells(HasGridCells)
{
    RegisterDropFormats();
}

int TSourceEnumFormatEtc::EntryCount() const
{
    return 3 + (FHasCol ? 1 : 0) + (FHasGridCells ? 1 : 0);
}

CLIPFORMAT TSourceEnumFormatEtc::Entry(int Index) const
{
    switch (Index) {
    case 0:
        return CF_TEXT;
    case 1:
        return CF_UNICODETEXT;
    case 2:
        return CLIPFORMAT(CF_RTF);
    case 3:
        return CLIPFORMAT(FHasCol ? CF_GRIDCOL : CF_GRIDCELLS);
    default:
        return CLIPFORMAT(CF_GRIDCELLS);
    }
}

HRESULT TSourceEnumFormatEtc::Next(uint32_t Count, FORMATETC* Entries, uint32_t* Fetched)
{
    uint32_t n = 0;
    while (n < Count && FIndex < EntryCount()) {
        FORMATETC f;
        f.cfFormat = Entry(FIndex);
        f.ptd = nullptr;
        f.dwAspect = DVASPECT_CONTENT;
        f.lindex = -1;
        f.tymed = TYMED_HGLOBAL;
        Entries[n++] = f;
        ++FIndex;
    }
    if (Fetched)
        *Fetched = n;
    return n == Count ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(uint32_t Count)
{
    const int64_t index = int64_t(FIndex) + Count;
    if (index > EntryCount()) {
        FIndex = EntryCount();
        return S_FALSE;
    }
    FIndex = int(index);
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset()
{
    FIndex = 0;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(IEnumFORMATETC** Enum)
{
    if (!Enum)
        return E_INVALIDARG;
    *Enum = new TSourceEnumFormatEtc(FHasCol, FHasGridCells, FIndex);
    (*Enum)->AddRef();
    return S_OK;
}

// ---- TESGDropSource -------------------------------------------------------------------------------------

HRESULT TESGDropSource::QueryContinueDrag(BOOL EscapePressed, DWORD KeyState)
{
    HRESULT result = S_OK;
    if (EscapePressed) {
        EndDragDrop();
        result = DRAGDROP_S_CANCEL;
    } else if (!(KeyState & MK_LBUTTON)) {
        EndDragDrop();
        result = DRAGDROP_S_DROP;
    }
    QueryDrag();
    return result;
}

HRESULT TESGDropSource::GiveFeedback(DWORD Effect)
{
    FNoAccept = Effect == DROPEFFECT_NONE;
    CurrentEffect(Effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

namespace
{

HRESULT RunDrag(TESGDropSource* DropSource, TSourceDataObject* Data, DWORD OkEffects, DWORD& Effect)
{
    const ComPtr<IDataObject> data(Data);
    Effect = DROPEFFECT_NONE;
    const HRESULT result = DoDragDrop(data.Get(), DropSource, OkEffects, &Effect);
    return DropSource->NoAccept() ? DRAGDROP_S_CANCEL : result;
}

} // namespace

HRESULT BeginTextDragDrop(TESGDropSource* DropSource, const QString& Text, const QString& RTF,
                          TMemoryStream* Stream, DWORD OkEffects, DWORD& Effect)
{
    return RunDrag(DropSource, new TSourceDataObject(Text, RTF, -1, Stream), OkEffects, Effect);
}

HRESULT BeginColumnDragDrop(TESGDropSource* DropSource, int Column, DWORD OkEffects, DWORD& Effect)
{
    return RunDrag(DropSource, new TSourceDataObject(QString(), QString(), Column, nullptr), OkEffects,
                   Effect);
}

// ---- TESGDropTarget -------------------------------------------------------------------------------------

TESGDropTarget::TESGDropTarget()
{
    RegisterDropFormats();
}

HRESULT TESGDropTarget::DragEnter(IDataObject* DataObject, DWORD KeyState, POINTL, DWORD* Effect)
{
    TEnumFormats formats(DataObject);
    FDropFormats = TDropFormats();
    if (formats.HasText())
        FDropFormats.Include(dfText);
    if (formats.HasFile())
        FDropFormats.Include(dfFile);
    if (formats.HasRTF())
        FDropFormats.Include(dfRTF);
    if (formats.HasCol())
        FDropFormats.Include(dfCol);
    if (formats.HasURL())
        FDropFormats.Include(dfURL);
    if (formats.HasGridCells())
        FDropFormats.Include(dfGridCells);
    const TDropFormats& f = FDropFormats;
    FOk = (f.Contains(dfText) && FAcceptText) || (f.Contains(dfFile) && FAcceptFiles) ||
          (f.Contains(dfRTF) && gRTFDragDrop && FAcceptText) || (f.Contains(dfCol) && FAcceptCols) ||
          (f.Contains(dfURL) && FAcceptURLs) || f.Contains(dfGridCells);
    if (Effect)
        *Effect = FOk ? DropEffectForKeys(KeyState, *Effect) : DROPEFFECT_NONE;
    DragMouseEnter();
    return S_OK;
}

HRESULT TESGDropTarget::DragOver(DWORD KeyState, POINTL pt, DWORD* Effect)
{
    DWORD effect = FOk ? DropEffectForKeys(KeyState, Effect ? *Effect : DROPEFFECT_NONE) : DROPEFFECT_NONE;
    bool allow = effect != DROPEFFECT_NONE;
    DragMouseMove(TPoint(pt.x, pt.y), allow, FDropFormats);
    if (!allow)
        effect = DROPEFFECT_NONE;
    if (Effect)
        *Effect = effect;
    return S_OK;
}

HRESULT TESGDropTarget::DragLeave()
{
    DragMouseLeave();
    return S_OK;
}

HRESULT TESGDropTarget::Drop(IDataObject* DataObject, DWORD KeyState, POINTL pt, DWORD* Effect)
{
    if (!FOk) {
        if (Effect)
            *Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    const TPoint at(pt.x, pt.y);
    TEnumFormats formats(DataObject);
    if (formats.HasCol()) {
        DropCol(at, formats.Col());
    } else {
        if (formats.HasGridCells()) {
            // A block that does not hold what it announces gives no stream.
            if (auto stream = formats.Stream())
                DropStream(at, std::move(stream));
        } else if (gRTFDragDrop && formats.HasRTF()) {
            DropRTF(at, formats.RTF());
        } else if (formats.HasText()) {
            DropText(at, formats.Text());
        }
        if (formats.HasFile() && formats.ReadFiles())
            DropFiles(at, formats.Files());
        if (formats.HasURL())
            DropURL(at, formats.Text());
    }
    if (Effect)
        *Effect = DropEffectForKeys(KeyState, *Effect);
    return S_OK;
}
