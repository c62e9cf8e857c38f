// The XML DOM of the program's project, settings and job files, over pugixml.
//
// Reading: TXmlDocument::LoadFromFile raises EXmlError naming the file, the reason and the line when
// the file cannot be read or is not well-formed: bytes that are not in the file's encoding, a
// character (or a reference to one) outside XML 1.0's characters, elements nested deeper than 256
// levels. The encoding is UTF-8 unless a byte-order mark says UTF-16 or UTF-32 or the declaration
// names US-ASCII, ISO-8859-1 or Windows-1252; any other encoding is refused. Root() is the first
// element of the document (a declaration or a comment before it is skipped). Whitespace-only text
// of an element is kept. Nothing in the layer recurses on the depth of a document.
// Writing: CreateRoot, AddChild, SetAttribute (attributes stay in the order they were added),
// AddComment after the root, then SaveToFile, which writes UTF-8 with no XML declaration and replaces
// the file atomically (an error leaves the old file whole). A text or attribute holding a character
// XML 1.0 does not allow (a control character, a lone surrogate) makes the save raise EXmlError
// naming the element before anything is written.
#pragma once

#include "platform/core/SysUtils.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <string>
#include <vector>

namespace pugi {
class xml_document;
class xml_node;
} // namespace pugi

class EXmlError : public Exception { using Exception::Exception; };

// For writers that compose XML text themselves: raises EXmlError naming `element` when `text` holds
// a character XML 1.0 does not allow.
void CheckXmlChars(const QString& text, const QString& element);

// A handle on one element; cheap to copy, null when an element was not found.
class TXmlElement {
public:
    TXmlElement() = default;

    bool IsNull() const { return node_ == nullptr; }
    explicit operator bool() const { return node_ != nullptr; }

    QString NodeName() const;

    // Text content: the concatenated text of the element's descendants.
    QString Text() const;
    void SetText(const QString& text);

    bool HasAttribute(const QString& name) const;
    // Required read: raises EXmlError "attribute NAME missing".
    QString Attribute(const QString& name) const;
    // Guarded read: the caller's fallback when the attribute is absent.
    QString AttributeDef(const QString& name, const QString& fallback) const;
    // Appends the attribute, or replaces the value in place when it exists.
    void SetAttribute(const QString& name, const QString& value);
    QStringList AttributeNames() const;

    // First child element with this name (null when none).
    TXmlElement Child(const QString& name) const;
    // Required child: raises EXmlError "element NAME missing".
    TXmlElement RequiredChild(const QString& name) const;
    // Text of the named child; raises EXmlError when the child is missing.
    QString ChildText(const QString& name) const;
    std::vector<TXmlElement> Children() const;                     // element children only
    std::vector<TXmlElement> Children(const QString& name) const;  // named element children
    bool HasChildElements() const;

    TXmlElement AddChild(const QString& name);
    // Convenience for scalar settings: <name>text</name>.
    TXmlElement AddTextChild(const QString& name, const QString& text);
    void AddComment(const QString& text);

private:
    friend class TXmlDocument;
    explicit TXmlElement(void* node) : node_(node) {}
    pugi::xml_node node() const;
    void* node_ = nullptr;   // pugi::xml_node_struct*
};

class TXmlDocument {
public:
    TXmlDocument();
    ~TXmlDocument();
    TXmlDocument(const TXmlDocument&) = delete;
    TXmlDocument& operator=(const TXmlDocument&) = delete;

    void LoadFromFile(const QString& path);
    void LoadFromString(const QString& xml);   // errors name "(string)"
    QString FileName() const { return fileName_; }

    TXmlElement Root() const;                  // first element, null for an empty document
    TXmlElement CreateRoot(const QString& name);   // clears the document first
    void AddComment(const QString& text);      // at document level, after what is there

    void SaveToFile(const QString& path) const;
    QString SaveToString() const;

private:
  // `isUtf8`: the bytes are UTF-8 already (a string), else a file's bytes in its own encoding.
  void parse(const QByteArray& bytes, const QString& sourceName, bool isUtf8);
  std::string serialize(const QString& targetName) const;
  std::unique_ptr<pugi::xml_document> doc_;
  QString fileName_;
};

// ---- Read-only node view --------------------------------------------------------------------------
// A document as a DOM reader walks it: the child nodes of a node in document order (elements and
// texts; CDATA counts as text; comments and processing instructions are left out), whitespace-only
// texts dropped, so an element written on its own lines has exactly its element children.

class TXmlNode {
public:
    TXmlNode() = default;
    bool IsNull() const { return node_ == nullptr; }
    bool IsText() const;
    // The element's name; "#text" for a text.
    QString NodeName() const;
    // The entity-decoded text content (all descendant texts of an element).
    QString Text() const;
    std::vector<TXmlNode> ChildNodes() const;
    // Name and value of each attribute in document order; a text has none.
    std::vector<std::pair<QString, QString>> Attributes() const;

private:
    friend class TXmlNodeDocument;
    explicit TXmlNode(void* node) : node_(node) {}
    void* node_ = nullptr; // pugi::xml_node_struct*
};

class TXmlNodeDocument {
public:
    TXmlNodeDocument();
    ~TXmlNodeDocument();
    TXmlNodeDocument(const TXmlNodeDocument&) = delete;
    TXmlNodeDocument& operator=(const TXmlNodeDocument&) = delete;

    // Reads and parses the file; a file that cannot be read raises EInOutError. False when the text is
    // not well-formed: ErrorCode is then the parser's status (never 0) and ErrorLine the 1-based line
    // of the fault. An encoding the layer does not know is read as ISO-8859-1.
    bool LoadFromFile(const QString& path);
    int ErrorCode() const { return errorCode_; }
    int ErrorLine() const { return errorLine_; }
    TXmlNode DocumentElement() const;

private:
    std::unique_ptr<pugi::xml_document> doc_;
    int errorCode_ = 0;
    int errorLine_ = 0;
};
