#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// libxml2 types, kept out of callers' headers.
struct _xmlDoc;
struct _xmlNode;

namespace tess {

struct XmlSource;

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

// The node types that typeName() names, for callers that walk large trees.
enum class XmlNodeType {
    Element,
    Attribute,
    Text,
    CDataSection,
    EntityReference,
    Entity,
    ProcessingInstruction,
    Comment,
    Document,
    DocumentType,
    DocumentFragment,
    Notation,
    Unknown,
};

// A non-owning handle on a node of an XmlDocument; valid while the document
// lives. Text is UTF-8.
class XmlNode
{
public:
    XmlNode() = default;
    explicit XmlNode(_xmlNode *node)
        : m_node(node)
    { }

    explicit operator bool() const { return m_node != nullptr; }
    _xmlNode *raw() const { return m_node; }

    // "element", "text", "comment", "entityreference", "cdatasection",
    // "processinginstruction", "documenttype", "document", "entity",
    // "attribute", "documentfragment".
    std::string typeName() const;
    XmlNodeType type() const;
    // Tag, attribute, entity or target name; "#text", "#cdata-section",
    // "#comment", "#document" for the nodes without one.
    std::string name() const;
    // Without a copy, valid while the document lives: the name as stored
    // (an element's or attribute's name without its namespace prefix, an
    // entity reference's or processing instruction's name; empty for nodes
    // that name() gives a "#" name), and the namespace prefix (empty without
    // one).
    std::string_view localName() const;
    std::string_view prefix() const;
    // The concatenated text of the node and its descendants, entity
    // references replaced.
    std::string text() const;
    // Text, CDATA, comment, processing instruction and attribute content;
    // empty for every other node.
    std::string value() const;
    // The stored text of a text, CDATA, comment or processing instruction
    // node without a copy (what text() gives for the first three); empty for
    // every other node.
    std::string_view content() const;

    // An entity reference's children are its entity's replacement content
    // (for &nbsp; one text node holding U+00A0); a document type's children
    // are its general entities.
    bool hasChildren() const;
    XmlNode firstChild() const;
    XmlNode nextSibling() const;
    std::vector<XmlNode> children() const;
    // Attributes in document order, values with entity references replaced.
    // Namespace declarations come first, as "xmlns" or "xmlns:prefix".
    std::vector<XmlAttribute> attributes() const;
    // The same pairs, in the same order, handed to `visit` one by one without
    // building the list; the views are valid during the call only.
    void visitAttributes(
        const std::function<void(std::string_view name, std::string_view value)> &visit) const;

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

    // Parses the file at `path`; false with parseError() filled on failure
    // (the first error found). The deck is validated against the WML 1.1 DTD,
    // whether or not it has a document type declaration. Default attributes
    // of the DTD are not added. Replaces whatever the document held before.
    bool load(const std::string &path);
    // The same for a deck already read: `name` is what messages call it; with
    // `utf8` the bytes are UTF-8 whatever their declaration names (a page the
    // program decoded itself before masking its server code).
    bool loadBytes(std::string_view bytes, const std::string &name, bool utf8 = false);
    // For a file of the program's own that is XML but no deck (a project
    // list): only well-formedness is checked, and no DTD is read. The limits
    // on entity expansion and attributes hold as for a deck.
    bool loadWellFormed(std::string_view bytes, const std::string &name);
    const XmlParseError &parseError() const { return m_error; }
    // Size in bytes of the deck the last successful load read.
    uint64_t loadedFileSize() const { return m_loadedFileSize; }

    // Whitespace-only text in element-only content (between cards, inside a
    // select) is dropped on load (outside xml:space "preserve"), so the DOM
    // of an indented deck holds no layout nodes; in a paragraph every blank
    // stays, since a phone shows it.

    XmlNode documentElement() const;
    // The "#document" node, parent of the document type, the document
    // element and top-level comments; null before a load or a first create.
    XmlNode documentNode() const;

    // Write side. Created nodes belong to the document until appended. What
    // XML does not allow (a name that is no XML name, a comment holding "--",
    // text that is not UTF-8 or holds control characters) gives a null node
    // or false, and the document is unchanged. Text line ends are normalised
    // to "\n" as a parser would read them back.
    XmlNode createElement(const std::string &name);
    XmlNode createTextNode(const std::string &text);
    XmlNode createComment(const std::string &text);
    XmlNode createCDataSection(const std::string &text);
    XmlNode createProcessingInstruction(const std::string &target, const std::string &data);
    // By entity name ("lt", "nbsp", ...); saved as "&name;".
    XmlNode createEntityReference(const std::string &name);
    // Replaces the value of an existing attribute in place.
    bool setAttribute(XmlNode element, const std::string &name, const std::string &value);
    // A null parent appends to the document itself (the document element;
    // only one is allowed). A child that already has a parent is moved.
    // Adjacent text nodes stay separate nodes.
    bool appendChild(XmlNode parent, XmlNode child);

    // The document without XML declaration and without added layout, in
    // UTF-8; text beyond ASCII as is, not as character references.
    std::string serialize() const;

private:
    bool parse(const XmlSource &source);
    _xmlDoc *ensureDocument();
    bool ownsNode(XmlNode node) const;
    void clear();

    _xmlDoc *m_doc = nullptr;
    // Created nodes, so that those never appended are freed with the document.
    std::vector<_xmlNode *> m_created;
    XmlParseError m_error;
    uint64_t m_loadedFileSize = 0;
};

} // namespace tess
