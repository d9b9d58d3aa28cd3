#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// libxml2 types, kept out of callers' headers.
struct _xmlDoc;
struct _xmlNode;

namespace tess {

// Where and why a load failed. Line and position count from 0, so callers
// show them plus one to name the real line and column of the file.
struct XmlParseError
{
    uint32_t code = 0;
    int line = 0;
    int position = 0;
    std::string reason;
};

struct XmlAttribute
{
    std::string name;
    std::string value;
};

// A non-owning handle on a node of an XmlDocument; valid while the document
// lives. Text is UTF-8.
class XmlNode
{
public:
    XmlNode() = default;
    explicit XmlNode(_xmlNode *node) : m_node(node) {}

    explicit operator bool() const { return m_node != nullptr; }
    _xmlNode *raw() const { return m_node; }

    // "element", "text", "comment", "entityreference", "cdatasection",
    // "processinginstruction", "documenttype", "document", ...
    std::string typeName() const;
    std::string name() const;
    // The concatenated text of the node and its descendants.
    std::string text() const;
    // Text, comment and attribute content; empty for elements.
    std::string value() const;

    bool hasChildren() const;
    XmlNode firstChild() const;
    XmlNode nextSibling() const;
    std::vector<XmlNode> children() const;
    // Attributes in document order.
    std::vector<XmlAttribute> attributes() const;

    friend bool operator==(const XmlNode &a, const XmlNode &b) { return a.m_node == b.m_node; }

private:
    _xmlNode *m_node = nullptr;
};

// One use of the XML parser: load a file (validating it against the WML 1.1
// DTD when its document type declaration names it), read the DOM, or build a
// DOM and save it. Every use makes and frees its own document.
//
// The parser never touches the network and never reads a file other than the
// document and the DTD its declaration names; entity references of the DTD
// (such as &nbsp;) stay entity reference nodes.
class XmlDocument
{
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument &) = delete;
    XmlDocument &operator=(const XmlDocument &) = delete;

    // Parses the file at `path`; false with parseError() filled on failure.
    bool load(const std::string &path);
    const XmlParseError &parseError() const { return m_error; }

    XmlNode documentElement() const;

    // Write side. Created nodes belong to the document until appended.
    XmlNode createElement(const std::string &name);
    XmlNode createTextNode(const std::string &text);
    XmlNode createComment(const std::string &text);
    // By entity name ("lt", "nbsp", ...); saved as "&name;".
    XmlNode createEntityReference(const std::string &name);
    bool setAttribute(XmlNode element, const std::string &name, const std::string &value);
    // A null parent appends to the document itself (the document element).
    bool appendChild(XmlNode parent, XmlNode child);

    // Writes the document without XML declaration and without added layout,
    // atomically (a failed save leaves the old file as it was).
    bool save(const std::string &path);
    const std::string &saveError() const { return m_saveError; }

private:
    _xmlDoc *m_doc = nullptr;
    XmlParseError m_error;
    std::string m_saveError;
};

} // namespace tess
