// The system clipboard over QClipboard, with the drag-and-drop layer's format mapping.
#include "platform/controls/Clipboard.h"

#include "platform/core/SysUtils.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstring>

namespace
{

const QString MimeText = QStringLiteral("text/plain");
const QString MimeRtf = QStringLiteral("text/rtf");
const QString MimeHtml = QStringLiteral("text/html");

QString NamedMime(const QString& Name)
{
    return QStringLiteral("application/x-qt-windows-mime;value=\"") + Name + QLatin1Char('"');
}

QByteArray BytesOf(HGLOBAL Block)
{
    const size_t size = GlobalSize(Block);
    if (size == 0)
        return QByteArray();
    QByteArray bytes(static_cast<const char*>(GlobalLock(Block)), qsizetype(size));
    GlobalUnlock(Block);
    return bytes;
}

HGLOBAL BlockOf(const QByteArray& Bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, size_t(Bytes.size()));
    if (block && !Bytes.isEmpty())
        std::memcpy(GlobalLock(block), Bytes.constData(), size_t(Bytes.size()));
    GlobalUnlock(block);
    return block;
}

QByteArray Utf16ZeroTerminated(const QString& Text)
{
    QByteArray bytes;
    bytes.reserve((Text.size() + 1) * 2);
    for (QChar c : Text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

// 16-bit characters up to the first zero, each kept as its low byte (RTF is 8-bit text).
QByteArray NarrowUpToZero(const QByteArray& Bytes)
{
    QByteArray narrow;
    narrow.reserve(Bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < Bytes.size(); i += 2) {
        const char16_t c = char16_t(uint8_t(Bytes[i]) | uint8_t(Bytes[i + 1]) << 8);
        if (c == 0)
            break;
        narrow.append(char(c & 0xFF));
    }
    return narrow;
}

QByteArray WidenUpToZero(const QByteArray& Bytes)
{
    QByteArray wide;
    wide.reserve((Bytes.size() + 1) * 2);
    for (char b : Bytes) {
        if (b == '\0')
            break;
        wide.append(b);
        wide.append('\0');
    }
    wide.append(2, '\0');
    return wide;
}

// The HTML of an "HTML Format" envelope: from the StartHTML offset on (all of it without one).
QByteArray HtmlPartOf(const QByteArray& Envelope)
{
    const qsizetype at = Envelope.indexOf("StartHTML:");
    if (at < 0)
        return Envelope;
    const qsizetype end = Envelope.indexOf('\r', at);
    bool ok = false;
    const qsizetype start = Envelope.mid(at + 10, end < 0 ? -1 : end - at - 10).trimmed().toLongLong(&ok);
    if (!ok || start < 0 || start > Envelope.size())
        return Envelope;
    return Envelope.mid(start);
}

const QMimeData* SystemData()
{
    return QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
}

} // namespace

UINT CF_RICHTEXTFORMAT()
{
    return RegisterClipboardFormat(QStringLiteral("Rich Text Format"));
}

UINT CF_HTMLFORMAT()
{
    return RegisterClipboardFormat(QStringLiteral("HTML Format"));
}

TClipboard::TClipboard() = default;

TClipboard::~TClipboard() = default;

void TClipboard::Open()
{
    ++FOpenCount;
}

void TClipboard::Close()
{
    if (FOpenCount == 0)
        return;
    if (--FOpenCount == 0)
        Flush();
}

void TClipboard::Flush()
{
    if (FPending)
        QGuiApplication::clipboard()->setMimeData(FPending.release(), QClipboard::Clipboard);
}

QMimeData* TClipboard::Pending()
{
    if (!FPending)
        FPending = std::make_unique<QMimeData>();
    return FPending.get();
}

void TClipboard::Clear()
{
    if (FOpenCount > 0) {
        FPending = std::make_unique<QMimeData>();
        return;
    }
    FPending.reset();
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

QString TClipboard::AsText() const
{
    const QMimeData* data = SystemData();
    return data && data->hasText() ? data->text() : QString();
}

void TClipboard::SetAsText(const QString& Value)
{
    Open();
    Pending()->setText(Value);
    Close();
}

bool TClipboard::HasFormat(UINT Format) const
{
    const QMimeData* data = SystemData();
    if (!data)
        return false;
    if (Format == CF_UNICODETEXT || Format == CF_TEXT)
        return data->hasText();
    const QString name = ClipboardFormatName(Format);
    if (name.isEmpty())
        return false;
    if (data->hasFormat(NamedMime(name)))
        return true;
    return Format == CF_RICHTEXTFORMAT() && data->hasFormat(MimeRtf);
}

HGLOBAL TClipboard::SetAsHandle(UINT Format, HGLOBAL Block)
{
    const QByteArray bytes = BytesOf(Block);
    GlobalFree(Block);
    Open();
    QMimeData* data = Pending();
    if (Format == CF_UNICODETEXT) {
        QString text;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
            const char16_t c = char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
            if (c == 0)
                break;
            text.append(QChar(c));
        }
        data->setText(text);
    } else if (Format == CF_TEXT) {
        const qsizetype end = bytes.indexOf('\0');
        data->setText(DecodeWindows1252(end < 0 ? bytes : bytes.left(end)));
    } else if (const QString name = ClipboardFormatName(Format); !name.isEmpty()) {
        data->setData(NamedMime(name), bytes);
        if (Format == CF_RICHTEXTFORMAT())
            data->setData(MimeRtf, NarrowUpToZero(bytes));
        else if (Format == CF_HTMLFORMAT())
            data->setData(MimeHtml, HtmlPartOf(bytes));
    }
    Close();
    return Block;
}

HGLOBAL TClipboard::GetAsHandle(UINT Format) const
{
    const QMimeData* data = SystemData();
    if (!data)
        return nullptr;
    if (Format == CF_UNICODETEXT)
        return data->hasText() ? BlockOf(Utf16ZeroTerminated(data->text())) : nullptr;
    if (Format == CF_TEXT)
        return data->hasText() ? BlockOf(EncodeWindows1252(data->text()).append('\0')) : nullptr;
    const QString name = ClipboardFormatName(Format);
    if (name.isEmpty())
        return nullptr;
    if (data->hasFormat(NamedMime(name)))
        return BlockOf(data->data(NamedMime(name)));
    if (Format == CF_RICHTEXTFORMAT() && data->hasFormat(MimeRtf))
        return BlockOf(WidenUpToZero(data->data(MimeRtf)));
    return nullptr;
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
