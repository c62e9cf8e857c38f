#include "platform/core/Xml.h"

#include <pugixml.hpp>
#include <sstream>

namespace {

std::string u8(const QString& s) { return s.toStdString(); }
QString q(const char* s) { return QString::fromUtf8(s); }

const unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_ws_pcdata_single;
const unsigned kSaveOptions = pugi::format_indent | pugi::format_no_declaration;

void collectText(pugi::xml_node n, std::string& out)
{
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            out += c.value();
        else if (c.type() == pugi::node_element)
            collectText(c, out);
    }
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
    while (pugi::xml_node c = n.first_child())
        n.remove_child(c);
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

void TXmlDocument::parse(const void* data, size_t size, const QString& sourceName)
{
    doc_->reset();
    const pugi::xml_parse_result r = doc_->load_buffer(data, size, kParseOptions, pugi::encoding_auto);
    if (!r) {
        doc_->reset();
        throw EXmlError(QString("%1: %2 at offset %3").arg(sourceName, q(r.description())).arg(r.offset));
    }
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
    parse(bytes.constData(), size_t(bytes.size()), path);
}

void TXmlDocument::LoadFromString(const QString& xml)
{
    const std::string s = u8(xml);
    fileName_.clear();
    parse(s.data(), s.size(), "(string)");
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

std::string TXmlDocument::serialize() const
{
    std::ostringstream os;
    doc_->save(os, "  ", kSaveOptions, pugi::encoding_utf8);
    return os.str();
}

QString TXmlDocument::SaveToString() const { return QString::fromStdString(serialize()); }

void TXmlDocument::SaveToFile(const QString& path) const
{
    const std::string s = serialize();
    WriteFileAtomic(path, QByteArray(s.data(), qsizetype(s.size())));
}
