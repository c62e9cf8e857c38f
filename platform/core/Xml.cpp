#include "platform/core/Xml.h"

#include <QStringDecoder>
#include <pugixml.hpp>

#include <cstring>
#include <optional>
#include <sstream>

namespace {

// The program's own files are three levels deep; anything far deeper is refused on load.
constexpr int kMaxDepth = 256;

QString q(const char* s) { return QString::fromUtf8(s); }

// UTF-8 of the text. A lone surrogate is kept as its own three bytes, which no XML parser takes,
// so that saving refuses it instead of writing a substitute silently.
std::string u8(const QString& s)
{
    std::string out;
    out.reserve(size_t(s.size()));
    for (qsizetype i = 0; i < s.size(); ++i) {
        char32_t c = s[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), s[++i].unicode());
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

const unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_ws_pcdata_single;
const unsigned kSaveOptions = pugi::format_indent | pugi::format_no_declaration;

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Checks that `text[0..size)` is UTF-8 of XML 1.0 characters. On a fault returns false with its
// offset, and the character (or -1 for bytes that are not UTF-8).
bool checkXmlText(const char* text, size_t size, size_t& offset, int64_t& bad)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < size;) {
        const unsigned char b = p[i];
        char32_t c;
        int extra;
        if (b < 0x80) {
            c = b;
            extra = 0;
        } else if (b >= 0xC2 && b <= 0xDF) {
            c = b & 0x1F;
            extra = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            c = b & 0x0F;
            extra = 2;
        } else if (b >= 0xF0 && b <= 0xF4) {
            c = b & 0x07;
            extra = 3;
        } else {
            offset = i;
            bad = -1;
            return false;
        }
        bool ok = true;
        for (int k = 1; ok && k <= extra; ++k) {
            if (i + k >= size || (p[i + k] & 0xC0) != 0x80)
                ok = false;
            else
                c = (c << 6) | (p[i + k] & 0x3F);
        }
        // Overlong forms and values beyond U+10FFFF are not UTF-8; surrogates fail the Char test.
        if (ok && ((extra == 2 && c < 0x800) || (extra == 3 && (c < 0x10000 || c > 0x10FFFF))))
            ok = false;
        if (!ok) {
            offset = i;
            bad = -1;
            return false;
        }
        if (!isXmlChar(c)) {
            offset = i;
            bad = c;
            return false;
        }
        i += size_t(extra) + 1;
    }
    return true;
}

QString describeBad(int64_t bad)
{
    return bad < 0 ? QStringLiteral("bytes that are not UTF-8")
                   : QStringLiteral("the character U+%1")
                         .arg(QString::number(bad, 16).toUpper().rightJustified(4, '0'));
}

int lineAt(const QByteArray& buffer, qsizetype offset)
{
    return int(buffer.left(std::min(offset, buffer.size())).count('\n')) + 1;
}

// Concatenated text of the descendants, in document order, without recursion.
void collectText(pugi::xml_node root, std::string& out)
{
    pugi::xml_node c = root.first_child();
    while (c) {
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            out += c.value();
        if (c.type() == pugi::node_element && c.first_child()) {
            c = c.first_child();
            continue;
        }
        while (c && !c.next_sibling() && c != root)
            c = c.parent();
        if (!c || c == root)
            break;
        c = c.next_sibling();
    }
}

// Removes all children of `n`, deepest first, without recursion (pugi frees a subtree recursively).
void removeChildren(pugi::xml_node n)
{
    pugi::xml_node c = n.first_child();
    while (c) {
        while (c.first_child())
            c = c.first_child();
        pugi::xml_node parent = c.parent();
        parent.remove_child(c);
        c = parent == n ? n.first_child() : parent;
    }
}

// Visits every node below `root` in document order with its depth (1 for root's children), without
// recursion; `visit` returns false to stop.
template <typename Visit> void walk(pugi::xml_node root, Visit visit)
{
    pugi::xml_node c = root.first_child();
    int depth = 1;
    while (c) {
        if (!visit(c, depth))
            return;
        if (c.first_child()) {
            c = c.first_child();
            ++depth;
            continue;
        }
        while (c != root && !c.next_sibling()) {
            c = c.parent();
            --depth;
        }
        if (c == root)
            return;
        c = c.next_sibling();
    }
}

// The element a node belongs to, for messages.
QString ownerName(pugi::xml_node n)
{
    while (n && n.type() != pugi::node_element)
        n = n.parent();
    return n ? q(n.name()) : QStringLiteral("(document)");
}

// The first text in the tree that XML 1.0 cannot hold, described with the element it sits in.
bool findBadText(pugi::xml_node root, QString& what, pugi::xml_node& where)
{
    size_t offset = 0;
    int64_t bad = 0;
    auto check = [&](const char* text) { return checkXmlText(text, std::strlen(text), offset, bad); };
    bool found = false;
    walk(root, [&](pugi::xml_node n, int) {
        if (!check(n.name()) || !check(n.value())) {
            what = QStringLiteral("the text of element %1 holds %2").arg(ownerName(n), describeBad(bad));
            found = true;
        }
        for (pugi::xml_attribute a : n.attributes()) {
            if (found)
                break;
            if (!check(a.name()) || !check(a.value())) {
                what =
                    QStringLiteral("an attribute of element %1 holds %2").arg(ownerName(n), describeBad(bad));
                found = true;
            }
        }
        if (found)
            where = n;
        return !found;
    });
    return found;
}

} // namespace

void CheckXmlChars(const QString& text, const QString& element)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        if (!isXmlChar(c))
            throw EXmlError(
                QString("Element %1 holds %2, which XML 1.0 does not allow").arg(element, describeBad(c)));
    }
}

namespace
{

// ---- Encodings ------------------------------------------------------------------------------------

// The encoding named in an 8-bit file's declaration, lower case; empty when none is named.
QByteArray declaredEncoding(const QByteArray& bytes)
{
    if (!bytes.startsWith("<?xml"))
        return {};
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0)
        return {};
    const QByteArray decl = bytes.left(end);
    const qsizetype at = decl.indexOf("encoding");
    if (at < 0)
        return {};
    qsizetype i = at + 8;
    while (i < decl.size() && (decl[i] == ' ' || decl[i] == '\t' || decl[i] == '\r' || decl[i] == '\n'))
        ++i;
    if (i >= decl.size() || decl[i] != '=')
        return {};
    ++i;
    while (i < decl.size() && (decl[i] == ' ' || decl[i] == '\t' || decl[i] == '\r' || decl[i] == '\n'))
        ++i;
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\''))
        return {};
    const char quote = decl[i];
    const qsizetype close = decl.indexOf(quote, i + 1);
    return close < 0 ? QByteArray() : decl.mid(i + 1, close - i - 1).trimmed().toLower();
}

// The file's bytes as UTF-8 for the parser. UTF-16 and UTF-32 are told by their byte-order mark
// (UTF-16 also by its first "<"); 8-bit files by their declaration: UTF-8 (the default), US-ASCII,
// ISO-8859-1 or Windows-1252. Any other encoding raises EXmlError naming the source.
QByteArray toUtf8Buffer(const QByteArray& bytes, const QString& sourceName)
{
    const auto starts = [&](const char* prefix, int n) { return bytes.startsWith(QByteArray(prefix, n)); };
    std::optional<QStringConverter::Encoding> wide;
    if (starts("\xFF\xFE\x00\x00", 4))
        wide = QStringConverter::Utf32LE;
    else if (starts("\x00\x00\xFE\xFF", 4))
        wide = QStringConverter::Utf32BE;
    else if (starts("\xFF\xFE", 2) || starts("<\x00", 2))
        wide = QStringConverter::Utf16LE;
    else if (starts("\xFE\xFF", 2) || starts("\x00<", 2))
        wide = QStringConverter::Utf16BE;
    if (wide) {
        QStringDecoder decoder(*wide);
        const QString text = decoder.decode(bytes);
        if (decoder.hasError())
            throw EXmlError(QString("%1: not well-formed: bytes that are not %2")
                                .arg(sourceName, QLatin1String(QStringConverter::nameForEncoding(*wide))));
        QByteArray utf8 = QByteArray::fromStdString(u8(text));
        return utf8.startsWith("\xEF\xBB\xBF") ? utf8.mid(3) : utf8;
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.mid(3);
    const QByteArray encoding = declaredEncoding(bytes);
    if (encoding.isEmpty() || encoding == "utf-8" || encoding == "utf8")
        return bytes;
    if (encoding == "us-ascii" || encoding == "ascii") {
        for (qsizetype i = 0; i < bytes.size(); ++i)
            if (static_cast<unsigned char>(bytes[i]) >= 0x80)
                throw EXmlError(QString("%1: not well-formed: a byte that is not US-ASCII at line %2")
                                    .arg(sourceName)
                                    .arg(lineAt(bytes, i)));
        return bytes;
    }
    if (encoding == "iso-8859-1" || encoding == "iso8859-1" || encoding == "iso_8859-1" ||
        encoding == "latin1" || encoding == "latin-1" || encoding == "l1")
        return QString::fromLatin1(bytes).toUtf8();
    if (encoding == "windows-1252" || encoding == "cp1252")
        return DecodeWindows1252(bytes).toUtf8();
    throw EXmlError(
        QString("%1: the encoding \"%2\" is not supported").arg(sourceName, QString::fromLatin1(encoding)));
}

} // namespace

// ---- TXmlElement ---------------------------------------------------------------------------------

pugi::xml_node TXmlElement::node() const
{
    return pugi::xml_node(static_cast<pugi::xml_node_struct*>(node_));
}

QString TXmlElement::NodeName() const { return node_ ? q(node().name()) : QString(); }

QString TXmlElement::Text() const
{
    if (!node_)
        return QString();
    std::string s;
    collectText(node(), s);
    return QString::fromStdString(s);
}

void TXmlElement::SetText(const QString& text)
{
    pugi::xml_node n = node();
    removeChildren(n);
    if (!text.isEmpty())
        n.append_child(pugi::node_pcdata).set_value(u8(text).c_str());
}

bool TXmlElement::HasAttribute(const QString& name) const
{
    return node_ && node().attribute(u8(name).c_str());
}

QString TXmlElement::Attribute(const QString& name) const
{
    // A null handle wraps pugi's empty node, which has no attributes.
    const pugi::xml_attribute a = node().attribute(u8(name).c_str());
    if (!a)
        throw EXmlError(QString("attribute %1 missing").arg(name));
    return q(a.value());
}

QString TXmlElement::AttributeDef(const QString& name, const QString& fallback) const
{
    if (!node_)
        return fallback;
    pugi::xml_attribute a = node().attribute(u8(name).c_str());
    return a ? q(a.value()) : fallback;
}

void TXmlElement::SetAttribute(const QString& name, const QString& value)
{
    const std::string n = u8(name);
    pugi::xml_attribute a = node().attribute(n.c_str());
    if (!a)
        a = node().append_attribute(n.c_str());
    a.set_value(u8(value).c_str());
}

QStringList TXmlElement::AttributeNames() const
{
    QStringList names;
    if (node_)
        for (pugi::xml_attribute a : node().attributes())
            names << q(a.name());
    return names;
}

TXmlElement TXmlElement::Child(const QString& name) const
{
    if (!node_)
        return {};
    pugi::xml_node c = node().child(u8(name).c_str());
    return TXmlElement(c.internal_object());
}

TXmlElement TXmlElement::RequiredChild(const QString& name) const
{
    TXmlElement c = Child(name);
    if (c.IsNull())
        throw EXmlError(QString("element %1 missing").arg(name));
    return c;
}

QString TXmlElement::ChildText(const QString& name) const { return RequiredChild(name).Text(); }

std::vector<TXmlElement> TXmlElement::Children() const
{
    std::vector<TXmlElement> list;
    if (node_)
        for (pugi::xml_node c : node().children())
            if (c.type() == pugi::node_element)
                list.push_back(TXmlElement(c.internal_object()));
    return list;
}

std::vector<TXmlElement> TXmlElement::Children(const QString& name) const
{
    std::vector<TXmlElement> list;
    if (node_) {
        const std::string n = u8(name);
        for (pugi::xml_node c : node().children(n.c_str()))
            list.push_back(TXmlElement(c.internal_object()));
    }
    return list;
}

bool TXmlElement::HasChildElements() const
{
    if (node_)
        for (pugi::xml_node c : node().children())
            if (c.type() == pugi::node_element)
                return true;
    return false;
}

TXmlElement TXmlElement::AddChild(const QString& name)
{
    return TXmlElement(node().append_child(u8(name).c_str()).internal_object());
}

TXmlElement TXmlElement::AddTextChild(const QString& name, const QString& text)
{
    TXmlElement c = AddChild(name);
    c.SetText(text);
    return c;
}

void TXmlElement::AddComment(const QString& text)
{
    node().append_child(pugi::node_comment).set_value(u8(text).c_str());
}

// ---- TXmlDocument --------------------------------------------------------------------------------

TXmlDocument::TXmlDocument() : doc_(std::make_unique<pugi::xml_document>()) {}
TXmlDocument::~TXmlDocument() = default;

void TXmlDocument::parse(const QByteArray& bytes, const QString& sourceName, bool isUtf8)
{
    doc_->reset();
    const QByteArray buffer = isUtf8 ? bytes : toUtf8Buffer(bytes, sourceName);
    const auto fail = [&](const QString& what, qsizetype offset) {
        doc_->reset();
        throw EXmlError(QString("%1: %2 at line %3").arg(sourceName, what).arg(lineAt(buffer, offset)));
    };
    size_t offset = 0;
    int64_t bad = 0;
    if (!checkXmlText(buffer.constData(), size_t(buffer.size()), offset, bad))
        fail("not well-formed: " + describeBad(bad), qsizetype(offset));
    const pugi::xml_parse_result r =
        doc_->load_buffer(buffer.constData(), size_t(buffer.size()), kParseOptions, pugi::encoding_utf8);
    if (!r)
        fail(q(r.description()), qsizetype(r.offset));
    // Character references are resolved by now; what they stand for must be XML characters too.
    QString what;
    pugi::xml_node where;
    if (findBadText(*doc_, what, where))
        fail("not well-formed: " + what, where.offset_debug());
    walk(*doc_, [&](pugi::xml_node n, int depth) {
        if (depth > kMaxDepth && n.type() == pugi::node_element) {
            where = n;
            return false;
        }
        return true;
    });
    if (where)
        fail(QString("elements nested deeper than %1 levels").arg(kMaxDepth), where.offset_debug());
    if (Root().IsNull()) {
        doc_->reset();
        throw EXmlError(QString("%1: no root element").arg(sourceName));
    }
}

void TXmlDocument::LoadFromFile(const QString& path)
{
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const EInOutError& e) {
        throw EXmlError(e.Message);
    }
    fileName_ = path;
    parse(bytes, path, false);
}

void TXmlDocument::LoadFromString(const QString& xml)
{
    fileName_.clear();
    // Already text: a declared encoding says nothing about these bytes.
    parse(QByteArray::fromStdString(u8(xml)), "(string)", true);
}

TXmlElement TXmlDocument::Root() const
{
    for (pugi::xml_node c : doc_->children())
        if (c.type() == pugi::node_element)
            return TXmlElement(c.internal_object());
    return {};
}

TXmlElement TXmlDocument::CreateRoot(const QString& name)
{
    doc_->reset();
    return TXmlElement(doc_->append_child(u8(name).c_str()).internal_object());
}

void TXmlDocument::AddComment(const QString& text)
{
    doc_->append_child(pugi::node_comment).set_value(u8(text).c_str());
}

std::string TXmlDocument::serialize(const QString& targetName) const
{
    // Refused before anything is written: what XML 1.0 cannot hold would make the file unreadable.
    QString what;
    pugi::xml_node where;
    if (findBadText(*doc_, what, where))
        throw EXmlError(QString("Cannot write file \"%1\". %2%3, which XML 1.0 does not allow")
                            .arg(targetName, what.left(1).toUpper(), what.mid(1)));
    std::ostringstream os;
    doc_->save(os, "  ", kSaveOptions, pugi::encoding_utf8);
    return os.str();
}

QString TXmlDocument::SaveToString() const
{
    return QString::fromStdString(serialize("(string)"));
}

void TXmlDocument::SaveToFile(const QString& path) const
{
    const std::string s = serialize(path);
    WriteFileAtomic(path, QByteArray(s.data(), qsizetype(s.size())));
}

// ---- Read-only node view -------------------------------------------------------------------------

namespace
{
bool isTextNode(pugi::xml_node n) { return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata; }
} // namespace

bool TXmlNode::IsText() const { return node_ && isTextNode(pugi::xml_node(static_cast<pugi::xml_node_struct*>(node_))); }

QString TXmlNode::NodeName() const
{
    if (!node_)
        return QString();
    return IsText() ? QStringLiteral("#text") : q(pugi::xml_node(static_cast<pugi::xml_node_struct*>(node_)).name());
}

QString TXmlNode::Text() const
{
    if (!node_)
        return QString();
    const pugi::xml_node n(static_cast<pugi::xml_node_struct*>(node_));
    if (isTextNode(n))
        return q(n.value());
    std::string s;
    collectText(n, s);
    return QString::fromStdString(s);
}

std::vector<TXmlNode> TXmlNode::ChildNodes() const
{
    std::vector<TXmlNode> out;
    if (!node_)
        return out;
    for (pugi::xml_node c : pugi::xml_node(static_cast<pugi::xml_node_struct*>(node_)).children())
        if (c.type() == pugi::node_element || isTextNode(c))
            out.push_back(TXmlNode(c.internal_object()));
    return out;
}

std::vector<std::pair<QString, QString>> TXmlNode::Attributes() const
{
    std::vector<std::pair<QString, QString>> out;
    if (!node_ || IsText())
        return out;
    for (pugi::xml_attribute a : pugi::xml_node(static_cast<pugi::xml_node_struct*>(node_)).attributes())
        out.emplace_back(q(a.name()), q(a.value()));
    return out;
}

TXmlNodeDocument::TXmlNodeDocument() : doc_(std::make_unique<pugi::xml_document>()) {}
TXmlNodeDocument::~TXmlNodeDocument() = default;

bool TXmlNodeDocument::LoadFromFile(const QString& path)
{
    doc_->reset();
    errorCode_ = 0;
    errorLine_ = 0;
    const QByteArray bytes = ReadFileBytes(path);
    QByteArray buffer;
    try {
        buffer = toUtf8Buffer(bytes, path);
    } catch (const EXmlError&) {
        buffer = QString::fromLatin1(bytes).toUtf8();
    }
    // Default parsing: entities and CDATA resolved, whitespace-only texts and comments dropped.
    const pugi::xml_parse_result r =
        doc_->load_buffer(buffer.constData(), size_t(buffer.size()), pugi::parse_default, pugi::encoding_utf8);
    if (r && DocumentElement().IsNull()) {
        errorCode_ = pugi::status_no_document_element;
        errorLine_ = lineAt(buffer, buffer.size());
        return false;
    }
    if (!r) {
        errorCode_ = int(r.status);
        errorLine_ = lineAt(buffer, qsizetype(r.offset));
        doc_->reset();
        return false;
    }
    return true;
}

TXmlNode TXmlNodeDocument::DocumentElement() const
{
    for (pugi::xml_node c : doc_->children())
        if (c.type() == pugi::node_element)
            return TXmlNode(c.internal_object());
    return {};
}
