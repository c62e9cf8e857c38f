// Drag and drop: memory blocks, format names, the MIME mapping, DoDragDrop and drop registration.
#include "platform/controls/OleDragDrop.h"

#include "platform/core/SysUtils.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <map>
#include <new>
#include <set>
#include <vector>

// ---- Memory blocks -----------------------------------------------------------------------------------

struct TGlobalBlock {
    std::vector<uint8_t> Bytes;
};

namespace
{

std::set<HGLOBAL>& LiveBlocks()
{
    static std::set<HGLOBAL> blocks;
    return blocks;
}

bool IsBlock(HGLOBAL block)
{
    return block && LiveBlocks().count(block) != 0;
}

} // namespace

HGLOBAL GlobalAlloc(UINT, size_t Size)
{
    try {
        auto* block = new TGlobalBlock{std::vector<uint8_t>(Size, 0)};
        LiveBlocks().insert(block);
        return block;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

size_t GlobalSize(HGLOBAL Block)
{
    return IsBlock(Block) ? Block->Bytes.size() : 0;
}

void* GlobalLock(HGLOBAL Block)
{
    return IsBlock(Block) && !Block->Bytes.empty() ? Block->Bytes.data() : nullptr;
}

bool GlobalUnlock(HGLOBAL Block)
{
    return IsBlock(Block);
}

HGLOBAL GlobalFree(HGLOBAL Block)
{
    if (!Block)
        return nullptr;
    if (!IsBlock(Block))
        return Block;
    LiveBlocks().erase(Block);
    delete Block;
    return nullptr;
}

void ReleaseStgMedium(STGMEDIUM* Medium)
{
    if (!Medium)
        return;
    if (Medium->pUnkForRelease)
        Medium->pUnkForRelease->Release();
    else if (Medium->tymed == TYMED_HGLOBAL)
        GlobalFree(Medium->hGlobal);
    *Medium = STGMEDIUM();
}

// ---- Reference counting ------------------------------------------------------------------------------

uint32_t IUnknown::AddRef()
{
    return ++FRefCount;
}

uint32_t IUnknown::Release()
{
    if (FRefCount <= 1) {
        FRefCount = 0;
        delete this;
        return 0;
    }
    return --FRefCount;
}

// ---- Format names ------------------------------------------------------------------------------------

namespace
{

struct TFormatNames {
    std::map<QString, UINT> Ids; // by lower-case name
    std::vector<QString> Names;  // by id - 0xC000
};

TFormatNames& FormatNames()
{
    static TFormatNames names;
    return names;
}

constexpr UINT FirstNamedFormat = 0xC000;

} // namespace

UINT RegisterClipboardFormat(const QString& Name)
{
    if (Name.isEmpty())
        return 0;
    TFormatNames& names = FormatNames();
    const QString key = Name.toLower();
    const auto it = names.Ids.find(key);
    if (it != names.Ids.end())
        return it->second;
    const UINT id = FirstNamedFormat + UINT(names.Names.size());
    names.Ids.emplace(key, id);
    names.Names.push_back(Name);
    return id;
}

QString ClipboardFormatName(UINT Format)
{
    const TFormatNames& names = FormatNames();
    if (Format < FirstNamedFormat || Format - FirstNamedFormat >= names.Names.size())
        return QString();
    return names.Names[Format - FirstNamedFormat];
}

// ---- MIME mapping ------------------------------------------------------------------------------------

namespace
{

const QString MimeText = QStringLiteral("text/plain");
const QString MimeRtf = QStringLiteral("text/rtf");
const QString MimeUris = QStringLiteral("text/uri-list");
const QString MimeNamedPrefix = QStringLiteral("application/x-qt-windows-mime;value=\"");
const QString RtfFormatName = QStringLiteral("Rich Text Format");
const QString UrlFormatName = QStringLiteral("UniformResourceLocator");

UINT RtfFormat()
{
    return RegisterClipboardFormat(RtfFormatName);
}

UINT UrlFormat()
{
    return RegisterClipboardFormat(UrlFormatName);
}

QString NamedMime(const QString& name)
{
    return MimeNamedPrefix + name + '"';
}

// The format name inside application/x-qt-windows-mime;value="N"; empty for other types.
QString NameOfMime(const QString& mime)
{
    if (!mime.startsWith(MimeNamedPrefix) || !mime.endsWith('"') || mime.size() <= MimeNamedPrefix.size() + 1)
        return QString();
    return mime.mid(MimeNamedPrefix.size(), mime.size() - MimeNamedPrefix.size() - 1);
}

HGLOBAL BlockOf(const QByteArray& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, size_t(bytes.size()));
    if (block && !bytes.isEmpty())
        std::memcpy(GlobalLock(block), bytes.constData(), size_t(bytes.size()));
    GlobalUnlock(block);
    return block;
}

QByteArray BytesOf(HGLOBAL block)
{
    const size_t size = GlobalSize(block);
    if (size == 0)
        return QByteArray();
    QByteArray bytes(static_cast<const char*>(GlobalLock(block)), qsizetype(size));
    GlobalUnlock(block);
    return bytes;
}

QByteArray ZeroTerminated(QByteArray bytes)
{
    bytes.append('\0');
    return bytes;
}

QByteArray Utf16ZeroTerminated(const QString& text)
{
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

// Text up to the first zero (or the end of the bytes).
QString Utf16UpToZero(const QByteArray& bytes)
{
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t c = char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
        if (c == 0)
            break;
        text.append(QChar(c));
    }
    return text;
}

QByteArray BytesUpToZero(const QByteArray& bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.left(end);
}

// DROPFILES: offset of the names, drop point, non-client flag, wide flag; then UTF-16 names, each
// ending in 0, and an empty name.
constexpr int DropFilesHeaderSize = 20;

QByteArray DropFilesBlock(const QStringList& files)
{
    QByteArray bytes(DropFilesHeaderSize, '\0');
    bytes[0] = char(DropFilesHeaderSize);
    bytes[16] = 1;
    for (const QString& file : files)
        bytes.append(Utf16ZeroTerminated(file));
    bytes.append(2, '\0');
    return bytes;
}

// The data of one format of a data object; false when it does not give it.
bool GetFormatBytes(IDataObject* data, UINT format, QByteArray& bytes)
{
    FORMATETC fmt;
    fmt.cfFormat = CLIPFORMAT(format);
    STGMEDIUM medium;
    if (data->GetData(&fmt, &medium) != S_OK)
        return false;
    const bool ok = medium.tymed == TYMED_HGLOBAL;
    bytes = ok ? BytesOf(medium.hGlobal) : QByteArray();
    ReleaseStgMedium(&medium);
    return ok;
}

bool Offers(IDataObject* data, UINT format)
{
    FORMATETC fmt;
    fmt.cfFormat = CLIPFORMAT(format);
    return data->QueryGetData(&fmt) == S_OK;
}

// The formats a data object enumerates for reading.
std::vector<UINT> EnumeratedFormats(IDataObject* data)
{
    std::vector<UINT> formats;
    IEnumFORMATETC* raw = nullptr;
    if (data->EnumFormatEtc(DATADIR_GET, &raw) != S_OK || !raw)
        return formats;
    ComPtr<IEnumFORMATETC> e = ComPtr<IEnumFORMATETC>::Attach(raw);
    FORMATETC fmt;
    uint32_t fetched = 0;
    while (e->Next(1, &fmt, &fetched) == S_OK && fetched == 1)
        formats.push_back(fmt.cfFormat);
    return formats;
}

// The file names of a DROPFILES block, every read bounded by the block.
QStringList FilesOfDropBlock(const QByteArray& bytes)
{
    QStringList files;
    if (bytes.size() < DropFilesHeaderSize)
        return files;
    const auto u32 = [&](int at) {
        return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
               uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
    };
    const uint32_t offset = u32(0);
    const bool wide = u32(16) != 0;
    qsizetype at = offset;
    while (at < bytes.size()) {
        QString name;
        if (wide) {
            name = Utf16UpToZero(bytes.mid(at));
            at += (name.size() + 1) * 2;
        } else {
            const QByteArray raw = BytesUpToZero(bytes.mid(at));
            name = DecodeWindows1252(raw);
            at += raw.size() + 1;
        }
        if (name.isEmpty())
            break;
        files << name;
    }
    return files;
}

} // namespace

// ---- TDataObjectMime ---------------------------------------------------------------------------------

TDataObjectMime::TDataObjectMime(IDataObject* DataObject) : FDataObject(DataObject) {}

TDataObjectMime::~TDataObjectMime() = default;

QStringList TDataObjectMime::formats() const
{
    QStringList types;
    if (!FDataObject)
        return types;
    const auto add = [&types](const QString& type) {
        if (!types.contains(type))
            types << type;
    };
    for (UINT format : EnumeratedFormats(FDataObject.Get())) {
        if (!Offers(FDataObject.Get(), format))
            continue;
        if (format == CF_UNICODETEXT || format == CF_TEXT)
            add(MimeText);
        else if (format == CF_HDROP)
            add(MimeUris);
        else if (format == RtfFormat())
            add(MimeRtf);
        else if (format == UrlFormat()) {
            add(MimeUris);
            add(MimeText);
        } else if (!ClipboardFormatName(format).isEmpty())
            add(NamedMime(ClipboardFormatName(format)));
    }
    return types;
}

bool TDataObjectMime::hasFormat(const QString& MimeType) const
{
    return formats().contains(MimeType);
}

QVariant TDataObjectMime::retrieveData(const QString& MimeType, QMetaType Type) const
{
    IDataObject* data = FDataObject.Get();
    if (!data)
        return QVariant();
    QByteArray bytes;
    if (MimeType == MimeText) {
        QString text;
        if (GetFormatBytes(data, CF_UNICODETEXT, bytes))
            text = Utf16UpToZero(bytes);
        else if (GetFormatBytes(data, CF_TEXT, bytes) || GetFormatBytes(data, UrlFormat(), bytes))
            text = DecodeWindows1252(BytesUpToZero(bytes));
        else
            return QVariant();
        return Type.id() == QMetaType::QString ? QVariant(text) : QVariant(text.toUtf8());
    }
    if (MimeType == MimeRtf)
        return GetFormatBytes(data, RtfFormat(), bytes) ? QVariant(BytesUpToZero(bytes)) : QVariant();
    if (MimeType == MimeUris) {
        QList<QUrl> urls;
        if (GetFormatBytes(data, CF_HDROP, bytes))
            for (const QString& file : FilesOfDropBlock(bytes))
                urls << QUrl::fromLocalFile(file);
        if (GetFormatBytes(data, UrlFormat(), bytes))
            urls << QUrl(DecodeWindows1252(BytesUpToZero(bytes)));
        if (urls.isEmpty())
            return QVariant();
        if (Type.id() == QMetaType::QVariantList || Type.id() == QMetaType::QUrl) {
            QVariantList list;
            for (const QUrl& url : urls)
                list << url;
            return list;
        }
        QByteArray lines;
        for (const QUrl& url : urls)
            lines += url.toEncoded() + "\r\n";
        return lines;
    }
    const QString name = NameOfMime(MimeType);
    if (!name.isEmpty() && GetFormatBytes(data, RegisterClipboardFormat(name), bytes))
        return bytes;
    return QVariant();
}

// ---- Data objects over foreign MIME data ---------------------------------------------------------------

namespace
{

// A format list enumerator, shared by the layer's own data objects.
class TFormatListEnum : public IEnumFORMATETC
{
  public:
    TFormatListEnum(std::vector<FORMATETC> formats, size_t index)
        : formats_(std::move(formats)), index_(index)
    {
    }
    HRESULT Next(uint32_t Count, FORMATETC* Entries, uint32_t* Fetched) override
    {
        uint32_t n = 0;
        while (n < Count && index_ < formats_.size())
            Entries[n++] = formats_[index_++];
        if (Fetched)
            *Fetched = n;
        return n == Count ? S_OK : S_FALSE;
    }
    HRESULT Skip(uint32_t Count) override
    {
        index_ += Count;
        if (index_ > formats_.size()) {
            index_ = formats_.size();
            return S_FALSE;
        }
        return S_OK;
    }
    HRESULT Reset() override
    {
        index_ = 0;
        return S_OK;
    }
    HRESULT Clone(IEnumFORMATETC** Enum) override
    {
        if (!Enum)
            return E_INVALIDARG;
        *Enum = new TFormatListEnum(formats_, index_);
        (*Enum)->AddRef();
        return S_OK;
    }

  private:
    std::vector<FORMATETC> formats_;
    size_t index_;
};

// What another program (or a Qt widget) drags, read as the formats of the mapping.
class TMimeDataObject : public IDataObject
{
  public:
    explicit TMimeDataObject(const QMimeData* data) : data_(const_cast<QMimeData*>(data))
    {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                files_ << url.toLocalFile();
            else if (url.isValid())
                urls_ << url.toString();
        }
        // hasText() is true for a bare URL list too; files alone are not text.
        if (data->hasFormat(MimeText)) {
            Add(CF_UNICODETEXT);
            Add(CF_TEXT);
        }
        if (data->hasFormat(MimeRtf))
            Add(RtfFormat());
        if (!files_.isEmpty())
            Add(CF_HDROP);
        if (!urls_.isEmpty()) {
            Add(UrlFormat());
            Add(CF_UNICODETEXT);
            Add(CF_TEXT);
        }
        for (const QString& type : data->formats()) {
            const QString name = NameOfMime(type);
            if (!name.isEmpty())
                Add(RegisterClipboardFormat(name));
        }
    }

    HRESULT GetData(const FORMATETC* Format, STGMEDIUM* Medium) override
    {
        if (!Medium)
            return E_INVALIDARG;
        *Medium = STGMEDIUM();
        if (QueryGetData(Format) != S_OK || !data_)
            return DV_E_FORMATETC;
        QByteArray bytes;
        const UINT cf = Format->cfFormat;
        if (cf == CF_UNICODETEXT)
            bytes = Utf16ZeroTerminated(Text());
        else if (cf == CF_TEXT)
            bytes = ZeroTerminated(EncodeWindows1252(Text()));
        else if (cf == RtfFormat())
            bytes = ZeroTerminated(BytesUpToZero(data_->data(MimeRtf)));
        else if (cf == CF_HDROP)
            bytes = DropFilesBlock(files_);
        else if (cf == UrlFormat())
            bytes = ZeroTerminated(EncodeWindows1252(urls_.value(0)));
        else
            bytes = data_->data(NamedMime(ClipboardFormatName(cf)));
        Medium->hGlobal = BlockOf(bytes);
        if (!Medium->hGlobal)
            return DV_E_FORMATETC;
        Medium->tymed = TYMED_HGLOBAL;
        return S_OK;
    }
    HRESULT GetDataHere(const FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(const FORMATETC* Format) override
    {
        if (!Format || Format->dwAspect != DVASPECT_CONTENT || !(Format->tymed & TYMED_HGLOBAL))
            return DV_E_FORMATETC;
        for (const FORMATETC& f : formats_)
            if (f.cfFormat == Format->cfFormat)
                return S_OK;
        return DV_E_FORMATETC;
    }
    HRESULT GetCanonicalFormatEtc(const FORMATETC*, FORMATETC* Out) override
    {
        if (Out)
            Out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT SetData(const FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) override
    {
        if (!Enum)
            return E_INVALIDARG;
        *Enum = nullptr;
        if (Direction != DATADIR_GET)
            return E_NOTIMPL;
        *Enum = new TFormatListEnum(formats_, 0);
        (*Enum)->AddRef();
        return S_OK;
    }
    HRESULT DAdvise(const FORMATETC*, DWORD, IUnknown*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(IUnknown** Enum) override
    {
        if (Enum)
            *Enum = nullptr;
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    void Add(UINT format)
    {
        for (const FORMATETC& f : formats_)
            if (f.cfFormat == format)
                return;
        FORMATETC f;
        f.cfFormat = CLIPFORMAT(format);
        formats_.push_back(f);
    }
    QString Text() const
    {
        if (data_ && data_->hasFormat(MimeText))
            return data_->text();
        return urls_.value(0);
    }

    QPointer<QMimeData> data_;
    QStringList files_;
    QStringList urls_;
    std::vector<FORMATETC> formats_;
};

DWORD EffectOf(Qt::DropAction action)
{
    switch (action & Qt::ActionMask) {
    case Qt::CopyAction:
        return DROPEFFECT_COPY;
    case Qt::MoveAction:
        return DROPEFFECT_MOVE;
    case Qt::LinkAction:
        return DROPEFFECT_LINK;
    default:
        return DROPEFFECT_NONE;
    }
}

DWORD EffectsOf(Qt::DropActions actions)
{
    DWORD effects = DROPEFFECT_NONE;
    if (actions & Qt::CopyAction)
        effects |= DROPEFFECT_COPY;
    if (actions & Qt::MoveAction)
        effects |= DROPEFFECT_MOVE;
    if (actions & Qt::LinkAction)
        effects |= DROPEFFECT_LINK;
    return effects;
}

Qt::DropActions ActionsOf(DWORD effects)
{
    Qt::DropActions actions;
    if (effects & DROPEFFECT_COPY)
        actions |= Qt::CopyAction;
    if (effects & DROPEFFECT_MOVE)
        actions |= Qt::MoveAction;
    if (effects & DROPEFFECT_LINK)
        actions |= Qt::LinkAction;
    return actions;
}

} // namespace

ComPtr<IDataObject> DataObjectOfMime(const QMimeData* Data)
{
    if (!Data)
        return ComPtr<IDataObject>();
    if (const auto* own = dynamic_cast<const TDataObjectMime*>(Data))
        return ComPtr<IDataObject>(own->DataObject());
    return ComPtr<IDataObject>(new TMimeDataObject(Data));
}

DWORD KeyStateOf(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers)
{
    DWORD keys = 0;
    if (Buttons & Qt::LeftButton)
        keys |= MK_LBUTTON;
    if (Buttons & Qt::RightButton)
        keys |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton)
        keys |= MK_MBUTTON;
    if (Modifiers & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (Modifiers & Qt::ControlModifier)
        keys |= MK_CONTROL;
    if (Modifiers & Qt::AltModifier)
        keys |= MK_ALT;
    return keys;
}

// ---- DoDragDrop --------------------------------------------------------------------------------------

namespace
{

constexpr int QueryContinueInterval = 30; // ms

QObject* DragOrigin()
{
    if (TControl* capture = GetCaptureControl())
        if (capture->Widget())
            return capture->Widget();
    if (QWidget* under = QApplication::widgetAt(QCursor::pos()))
        return under;
    return QCoreApplication::instance();
}

} // namespace

HRESULT DoDragDrop(IDataObject* DataObject, IDropSource* DropSource, DWORD OkEffects, DWORD* Effect)
{
    if (!DataObject || !DropSource || !Effect)
        return E_INVALIDARG;
    *Effect = DROPEFFECT_NONE;
    const ComPtr<IDataObject> keepData(DataObject);

    const Qt::DropActions actions = ActionsOf(OkEffects);
    const Qt::DropAction preferred = actions & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction;
    QPointer<QDrag> drag = new QDrag(DragOrigin()); // Qt deletes it after the drag
    drag->setMimeData(new TDataObjectMime(DataObject));

    bool answered = false; // the source said DROP or CANCEL
    bool cancelled = false;
    GuardedDispatch([&] { DropSource->GiveFeedback(DROPEFFECT_NONE); });
    QObject::connect(drag, &QDrag::actionChanged, drag, [DropSource](Qt::DropAction action) {
        GuardedDispatch([&] { DropSource->GiveFeedback(EffectOf(action)); });
    });
    QTimer ticker;
    ticker.setInterval(QueryContinueInterval);
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
        if (answered)
            return;
        HRESULT hr = S_OK;
        GuardedDispatch([&] {
            hr = DropSource->QueryContinueDrag(
                0, KeyStateOf(QGuiApplication::mouseButtons(), QGuiApplication::queryKeyboardModifiers()));
        });
        if (hr == DRAGDROP_S_CANCEL) {
            answered = cancelled = true;
            ticker.stop();
            QDrag::cancel();
        } else if (hr == DRAGDROP_S_DROP) {
            // Qt's loop drops at the release; the source has done its part.
            answered = true;
            ticker.stop();
        }
    });
    ticker.start();
    const Qt::DropAction result = drag->exec(actions, preferred);
    ticker.stop();
    if (!answered) {
        const bool escaped = result == Qt::IgnoreAction;
        GuardedDispatch([&] { DropSource->QueryContinueDrag(escaped ? 1 : 0, 0); });
    }
    if (cancelled || (result & Qt::ActionMask) == Qt::IgnoreAction)
        return DRAGDROP_S_CANCEL;
    *Effect = EffectOf(result);
    return DRAGDROP_S_DROP;
}

// ---- Drop registration -------------------------------------------------------------------------------

namespace
{

// Turns the Qt drag events of one widget into the drop target's calls.
class TDropTargetFilter : public QObject
{
  public:
    TDropTargetFilter(QWidget* client, HWND window, IDropTarget* target)
        : QObject(client), client_(client), window_(window), target_(target)
    {
        client->setAcceptDrops(true);
        client->installEventFilter(this);
    }
    ~TDropTargetFilter() override;

    void Revoke()
    {
        if (client_) {
            client_->removeEventFilter(this);
            client_->setAcceptDrops(false);
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != client_)
            return false;
        switch (event->type()) {
        case QEvent::DragEnter: {
            auto* e = static_cast<QDragEnterEvent*>(event);
            data_ = DataObjectOfMime(e->mimeData());
            DWORD effect = EffectsOf(e->possibleActions());
            const bool ok = GuardedDispatch([&] {
                target_->DragEnter(data_.Get(), KeyStateOf(e->buttons(), e->modifiers()), Screen(e), &effect);
            });
            Answer(e, ok ? effect : DROPEFFECT_NONE);
            return true;
        }
        case QEvent::DragMove: {
            auto* e = static_cast<QDragMoveEvent*>(event);
            DWORD effect = EffectsOf(e->possibleActions());
            const bool ok = GuardedDispatch(
                [&] { target_->DragOver(KeyStateOf(e->buttons(), e->modifiers()), Screen(e), &effect); });
            Answer(e, ok ? effect : DROPEFFECT_NONE);
            return true;
        }
        case QEvent::DragLeave:
            GuardedDispatch([&] { target_->DragLeave(); });
            data_.Reset();
            event->accept();
            return true;
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(event);
            // The object entered with, which is the one dragged.
            ComPtr<IDataObject> data = data_ ? data_ : DataObjectOfMime(e->mimeData());
            data_.Reset();
            DWORD effect = EffectsOf(e->possibleActions());
            const bool ok = GuardedDispatch([&] {
                target_->Drop(data.Get(), KeyStateOf(e->buttons(), e->modifiers()), Screen(e), &effect);
            });
            Answer(e, ok ? effect : DROPEFFECT_NONE);
            return true;
        }
        default:
            return false;
        }
    }

  private:
    POINTL Screen(const QDropEvent* e) const
    {
        const QPoint p = client_->mapToGlobal(e->position().toPoint());
        return POINTL{p.x(), p.y()};
    }

    static void Answer(QDropEvent* e, DWORD effect)
    {
        effect &= EffectsOf(e->possibleActions());
        Qt::DropAction action = Qt::IgnoreAction;
        if (effect & DROPEFFECT_MOVE)
            action = Qt::MoveAction;
        else if (effect & DROPEFFECT_COPY)
            action = Qt::CopyAction;
        else if (effect & DROPEFFECT_LINK)
            action = Qt::LinkAction;
        if (action == Qt::IgnoreAction) {
            e->setDropAction(Qt::IgnoreAction);
            e->ignore();
            return;
        }
        e->setDropAction(action);
        e->accept();
    }

    QPointer<QWidget> client_;
    HWND window_;
    ComPtr<IDropTarget> target_;
    ComPtr<IDataObject> data_;
};

std::map<HWND, TDropTargetFilter*>& DropTargets()
{
    static std::map<HWND, TDropTargetFilter*> targets;
    return targets;
}

TDropTargetFilter::~TDropTargetFilter()
{
    auto& targets = DropTargets();
    const auto it = targets.find(window_);
    if (it != targets.end() && it->second == this)
        targets.erase(it);
}

QWidget* ClientWidget(QWidget* w)
{
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
        return area->viewport();
    return w;
}

} // namespace

HRESULT RegisterDragDrop(HWND Window, IDropTarget* Target)
{
    TWinControl* control = FindControl(Window);
    if (!control || !control->Widget())
        return DRAGDROP_E_INVALIDHWND;
    if (!Target)
        return E_INVALIDARG;
    if (DropTargets().count(Window))
        return DRAGDROP_E_ALREADYREGISTERED;
    DropTargets()[Window] = new TDropTargetFilter(ClientWidget(control->Widget()), Window, Target);
    return S_OK;
}

HRESULT RevokeDragDrop(HWND Window)
{
    if (!FindControl(Window))
        return DRAGDROP_E_INVALIDHWND;
    auto& targets = DropTargets();
    const auto it = targets.find(Window);
    if (it == targets.end())
        return DRAGDROP_E_NOTREGISTERED;
    TDropTargetFilter* filter = it->second;
    targets.erase(it);
    filter->Revoke();
    delete filter;
    return S_OK;
}
