#include "wml/XmlDocument.h"

#include "wml/FileUtil.h"
#include "wml/XmlParserRuntime.h"

#include <libxml/entities.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlsave.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>

namespace tess {

namespace {

const xmlChar *xml(const std::string &text)
{
    return reinterpret_cast<const xmlChar *>(text.c_str());
}

std::string str(const xmlChar *text)
{
    return text ? std::string(reinterpret_cast<const char *>(text)) : std::string();
}

std::string_view view(const xmlChar *text)
{
    return text ? std::string_view(reinterpret_cast<const char *>(text)) : std::string_view();
}

std::string qualifiedName(const xmlChar *name, xmlNsPtr ns)
{
    if (ns && ns->prefix)
        return str(ns->prefix) + ":" + str(name);
    return str(name);
}

xmlEntityPtr entityOf(xmlNodePtr ref)
{
    if (ref->children && ref->children->type == XML_ENTITY_DECL)
        return reinterpret_cast<xmlEntityPtr>(ref->children);
    return ref->doc ? xmlGetDocEntity(ref->doc, ref->name) : xmlGetPredefinedEntity(ref->name);
}

bool isParameterEntity(xmlNodePtr node)
{
    if (node->type != XML_ENTITY_DECL)
        return false;
    int type = reinterpret_cast<xmlEntityPtr>(node)->etype;
    return type == XML_INTERNAL_PARAMETER_ENTITY || type == XML_EXTERNAL_PARAMETER_ENTITY;
}

// Declarations other than general entities, namespace records and XInclude
// markers are libxml2's bookkeeping, not nodes of the document.
bool isVisible(xmlNodePtr node)
{
    switch (node->type) {
    case XML_ELEMENT_DECL:
    case XML_ATTRIBUTE_DECL:
    case XML_NAMESPACE_DECL:
    case XML_XINCLUDE_START:
    case XML_XINCLUDE_END:
        return false;
    default:
        return !isParameterEntity(node);
    }
}

xmlNodePtr firstVisible(xmlNodePtr node)
{
    while (node && !isVisible(node))
        node = node->next;
    return node;
}

void appendText(xmlNodePtr node, std::string &out);

void appendListText(xmlNodePtr node, std::string &out)
{
    for (; node; node = node->next)
        appendText(node, out);
}

void appendText(xmlNodePtr node, std::string &out)
{
    switch (node->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
        out += str(node->content);
        break;
    case XML_ENTITY_REF_NODE:
        if (xmlEntityPtr entity = entityOf(node)) {
            if (entity->children)
                appendListText(entity->children, out);
            else
                out += str(entity->content);
        }
        break;
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
    case XML_ENTITY_DECL:
        appendListText(node->children, out);
        break;
    default:
        // Comments and processing instructions are not part of the text
        // of what holds them.
        break;
    }
}

// Decodes one UTF-8 sequence at `i`; false for malformed, overlong or
// surrogate sequences.
bool nextCodePoint(const std::string &s, size_t &i, uint32_t &cp)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b = byte(i);
    int extra = b < 0x80   ? 0
        : (b >> 5) == 0x6  ? 1
        : (b >> 4) == 0xE  ? 2
        : (b >> 3) == 0x1E ? 3
                           : -1;
    if (extra < 0 || i + size_t(extra) >= s.size())
        return false;
    cp = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + size_t(k)) & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (byte(i + size_t(k)) & 0x3F);
    }
    static const uint32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    i += size_t(extra) + 1;
    return true;
}

// UTF-8 holding only characters XML allows.
bool isXmlText(const std::string &text)
{
    for (size_t i = 0; i < text.size();) {
        uint32_t cp = 0;
        if (!nextCodePoint(text, i, cp))
            return false;
        if ((cp < 0x20 && cp != 0x9 && cp != 0xA && cp != 0xD) || cp == 0xFFFE || cp == 0xFFFF)
            return false;
    }
    return true;
}

bool isXmlName(const std::string &name)
{
    return !name.empty() && isXmlText(name) && xmlValidateName(xml(name), 0) == 0;
}

std::string normalisedLineEnds(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            out += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            out += '\n';
    }
    return out;
}

int appendToString(void *context, const char *buffer, int len)
{
    static_cast<std::string *>(context)->append(buffer, size_t(len));
    return len;
}

bool isAncestorOrSelf(xmlNodePtr candidate, xmlNodePtr node)
{
    for (; node; node = node->parent) {
        if (node == candidate)
            return true;
    }
    return false;
}

// Links without xmlAddChild, which would merge adjacent text nodes and free
// the one a caller still holds.
void linkLastChild(xmlNodePtr parent, xmlNodePtr child)
{
    child->parent = parent;
    child->next = nullptr;
    child->prev = parent->last;
    if (parent->last)
        parent->last->next = child;
    else
        parent->children = child;
    parent->last = child;
}

} // namespace

// ---- XmlNode ---------------------------------------------------------------

XmlNodeType XmlNode::type() const
{
    if (!m_node)
        return XmlNodeType::Unknown;
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
        return XmlNodeType::Element;
    case XML_ATTRIBUTE_NODE:
        return XmlNodeType::Attribute;
    case XML_TEXT_NODE:
        return XmlNodeType::Text;
    case XML_CDATA_SECTION_NODE:
        return XmlNodeType::CDataSection;
    case XML_ENTITY_REF_NODE:
        return XmlNodeType::EntityReference;
    case XML_ENTITY_NODE:
    case XML_ENTITY_DECL:
        return XmlNodeType::Entity;
    case XML_PI_NODE:
        return XmlNodeType::ProcessingInstruction;
    case XML_COMMENT_NODE:
        return XmlNodeType::Comment;
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
        return XmlNodeType::Document;
    case XML_DOCUMENT_TYPE_NODE:
    case XML_DTD_NODE:
        return XmlNodeType::DocumentType;
    case XML_DOCUMENT_FRAG_NODE:
        return XmlNodeType::DocumentFragment;
    case XML_NOTATION_NODE:
        return XmlNodeType::Notation;
    default:
        return XmlNodeType::Unknown;
    }
}

std::string XmlNode::typeName() const
{
    static const char *const names[] = {
        "element",
        "attribute",
        "text",
        "cdatasection",
        "entityreference",
        "entity",
        "processinginstruction",
        "comment",
        "document",
        "documenttype",
        "documentfragment",
        "notation",
        "unknown",
    };
    return m_node ? names[static_cast<int>(type())] : std::string();
}

std::string XmlNode::name() const
{
    if (!m_node)
        return {};
    switch (m_node->type) {
    case XML_TEXT_NODE:
        return "#text";
    case XML_CDATA_SECTION_NODE:
        return "#cdata-section";
    case XML_COMMENT_NODE:
        return "#comment";
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
        return "#document";
    case XML_DOCUMENT_FRAG_NODE:
        return "#document-fragment";
    case XML_ELEMENT_NODE:
        return qualifiedName(m_node->name, m_node->ns);
    case XML_ATTRIBUTE_NODE:
        return qualifiedName(m_node->name, reinterpret_cast<xmlAttrPtr>(m_node)->ns);
    default:
        return str(m_node->name);
    }
}

std::string_view XmlNode::localName() const
{
    if (!m_node)
        return {};
    switch (m_node->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
        return {};
    default:
        return view(m_node->name);
    }
}

std::string_view XmlNode::prefix() const
{
    if (!m_node)
        return {};
    xmlNsPtr ns = nullptr;
    if (m_node->type == XML_ELEMENT_NODE)
        ns = m_node->ns;
    else if (m_node->type == XML_ATTRIBUTE_NODE)
        ns = reinterpret_cast<xmlAttrPtr>(m_node)->ns;
    return ns ? view(ns->prefix) : std::string_view();
}

std::string XmlNode::text() const
{
    if (!m_node)
        return {};
    if (m_node->type == XML_COMMENT_NODE || m_node->type == XML_PI_NODE)
        return str(m_node->content);
    std::string out;
    appendText(m_node, out);
    return out;
}

std::string XmlNode::value() const
{
    if (!m_node)
        return {};
    switch (m_node->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
        return str(m_node->content);
    case XML_ATTRIBUTE_NODE:
        return text();
    default:
        return {};
    }
}

std::string_view XmlNode::content() const
{
    if (!m_node)
        return {};
    switch (m_node->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
        return view(m_node->content);
    default:
        return {};
    }
}

bool XmlNode::hasChildren() const
{
    return bool(firstChild());
}

XmlNode XmlNode::firstChild() const
{
    if (!m_node)
        return {};
    switch (m_node->type) {
    case XML_ENTITY_REF_NODE: {
        xmlEntityPtr entity = entityOf(m_node);
        return XmlNode(entity ? firstVisible(entity->children) : nullptr);
    }
    default:
        return XmlNode(firstVisible(m_node->children));
    }
}

XmlNode XmlNode::nextSibling() const
{
    if (!m_node || m_node->type == XML_ATTRIBUTE_NODE)
        return {};
    return XmlNode(firstVisible(m_node->next));
}

std::vector<XmlNode> XmlNode::children() const
{
    std::vector<XmlNode> out;
    for (XmlNode child = firstChild(); child; child = child.nextSibling())
        out.push_back(child);
    return out;
}

std::vector<XmlAttribute> XmlNode::attributes() const
{
    std::vector<XmlAttribute> out;
    visitAttributes([&out](std::string_view name, std::string_view value) {
        out.push_back({std::string(name), std::string(value)});
    });
    return out;
}

void XmlNode::visitAttributes(
    const std::function<void(std::string_view name, std::string_view value)> &visit) const
{
    if (!m_node || m_node->type != XML_ELEMENT_NODE)
        return;
    std::string name;
    for (xmlNsPtr ns = m_node->nsDef; ns; ns = ns->next) {
        name = ns->prefix ? "xmlns:" + str(ns->prefix) : std::string("xmlns");
        visit(name, view(ns->href));
    }
    std::string value;
    for (xmlAttrPtr attr = m_node->properties; attr; attr = attr->next) {
        std::string_view qualified = view(attr->name);
        if (attr->ns && attr->ns->prefix) {
            name = qualifiedName(attr->name, attr->ns);
            qualified = name;
        }
        // Nearly every value is one text node: read in place, not rebuilt.
        const xmlNodePtr first = attr->children;
        if (!first) {
            visit(qualified, {});
        } else if (first->type == XML_TEXT_NODE && !first->next) {
            visit(qualified, view(first->content));
        } else {
            value.clear();
            appendListText(first, value);
            visit(qualified, value);
        }
    }
}

// ---- XmlDocument: loading --------------------------------------------------

XmlDocument::XmlDocument()
{
    ensureXmlRuntime();
}

XmlDocument::~XmlDocument()
{
    clear();
}

void XmlDocument::clear()
{
    // Decide before freeing: a freed subtree takes its appended nodes along.
    std::vector<xmlNodePtr> orphans;
    for (xmlNodePtr node : m_created) {
        if (!node->parent)
            orphans.push_back(node);
    }
    for (xmlNodePtr node : orphans)
        xmlFreeNode(node);
    m_created.clear();
    if (m_doc)
        xmlFreeDoc(m_doc);
    m_doc = nullptr;
}

bool XmlDocument::load(const std::string &path)
{
    clear();
    m_error = {};
    m_loadedFileSize = 0;
    struct stat st = {};
    const char *unreadable = nullptr;
    if (path.empty())
        unreadable = "no file name given";
    else if (::stat(path.c_str(), &st) != 0)
        unreadable = std::strerror(errno);
    else if (!S_ISREG(st.st_mode))
        unreadable = std::strerror(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    std::string why;
    const std::optional<std::string> bytes = unreadable ? std::nullopt : readWholeFile(path, &why);
    if (!bytes) {
        XmlLoadState state;
        state.fail(XML_IO_LOAD_ERROR, 0, 0,
                   "Cannot open \"" + path + "\": " + (unreadable ? unreadable : why.c_str()));
        m_error = state.error;
        return false;
    }
    return loadBytes(*bytes, path);
}

bool XmlDocument::loadBytes(std::string_view bytes, const std::string &name, bool utf8)
{
    return parse({bytes, name, utf8});
}

bool XmlDocument::loadWellFormed(std::string_view bytes, const std::string &name)
{
    return parse({bytes, name, false, false});
}

bool XmlDocument::parse(const XmlSource &source)
{
    clear();
    m_error = {};
    m_loadedFileSize = 0;
    XmlLoadState state;
    m_doc = parseDocument(source, state);
    if (!m_doc) {
        m_error = state.error;
        return false;
    }
    m_loadedFileSize = source.bytes.size();
    return true;
}

XmlNode XmlDocument::documentElement() const
{
    return XmlNode(m_doc ? xmlDocGetRootElement(m_doc) : nullptr);
}

XmlNode XmlDocument::documentNode() const
{
    return XmlNode(reinterpret_cast<xmlNodePtr>(m_doc));
}

// ---- XmlDocument: building and saving --------------------------------------

xmlDocPtr XmlDocument::ensureDocument()
{
    if (!m_doc) {
        m_doc = xmlNewDoc(BAD_CAST "1.0");
        // With an encoding named, attribute values keep their UTF-8 bytes
        // rather than becoming character references.
        m_doc->encoding = xmlStrdup(BAD_CAST "UTF-8");
    }
    return m_doc;
}

bool XmlDocument::ownsNode(XmlNode node) const
{
    return node && m_doc && node.raw()->doc == m_doc;
}

XmlNode XmlDocument::createElement(const std::string &name)
{
    if (!isXmlName(name))
        return {};
    xmlNodePtr node = xmlNewDocNode(ensureDocument(), nullptr, xml(name), nullptr);
    if (node)
        m_created.push_back(node);
    return XmlNode(node);
}

XmlNode XmlDocument::createTextNode(const std::string &text)
{
    if (!isXmlText(text))
        return {};
    xmlNodePtr node = xmlNewDocText(ensureDocument(), xml(normalisedLineEnds(text)));
    if (node)
        m_created.push_back(node);
    return XmlNode(node);
}

XmlNode XmlDocument::createComment(const std::string &text)
{
    if (!isXmlText(text) || text.find("--") != std::string::npos
        || (!text.empty() && text.back() == '-'))
        return {};
    xmlNodePtr node = xmlNewDocComment(ensureDocument(), xml(normalisedLineEnds(text)));
    if (node)
        m_created.push_back(node);
    return XmlNode(node);
}

XmlNode XmlDocument::createCDataSection(const std::string &text)
{
    if (!isXmlText(text) || text.find("]]>") != std::string::npos)
        return {};
    xmlNodePtr node = xmlNewCDataBlock(ensureDocument(), xml(text), int(text.size()));
    if (node)
        m_created.push_back(node);
    return XmlNode(node);
}

XmlNode XmlDocument::createProcessingInstruction(const std::string &target, const std::string &data)
{
    // "xml" in any case is reserved for the declaration.
    const bool reserved = target.size() == 3 && (target[0] | 0x20) == 'x'
        && (target[1] | 0x20) == 'm' && (target[2] | 0x20) == 'l';
    if (!isXmlName(target) || !isXmlText(data) || data.find("?>") != std::string::npos || reserved)
        return {};
    xmlNodePtr node
        = xmlNewDocPI(ensureDocument(), xml(target), data.empty() ? nullptr : xml(data));
    if (node)
        m_created.push_back(node);
    return XmlNode(node);
}

XmlNode XmlDocument::createEntityReference(const std::string &name)
{
    if (!isXmlName(name) || name.find(':') != std::string::npos)
        return {};
    xmlNodePtr node = xmlNewReference(ensureDocument(), xml(name));
    if (node)
        m_created.push_back(node);
    return XmlNode(node);
}

bool XmlDocument::setAttribute(XmlNode element, const std::string &name, const std::string &value)
{
    if (!ownsNode(element) || element.raw()->type != XML_ELEMENT_NODE || !isXmlName(name)
        || !isXmlText(value))
        return false;
    return xmlSetProp(element.raw(), xml(name), xml(value)) != nullptr;
}

bool XmlDocument::appendChild(XmlNode parent, XmlNode child)
{
    if (!ownsNode(child))
        return false;
    xmlNodePtr node = child.raw();
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_ENTITY_REF_NODE:
    case XML_PI_NODE:
        break;
    default:
        return false;
    }
    xmlNodePtr target = nullptr;
    if (!parent) {
        // The document takes comments and one element, nothing else.
        target = reinterpret_cast<xmlNodePtr>(m_doc);
        if (node->type == XML_ELEMENT_NODE) {
            xmlNodePtr root = xmlDocGetRootElement(m_doc);
            if (root && root != node)
                return false;
        } else if (node->type != XML_COMMENT_NODE && node->type != XML_PI_NODE) {
            return false;
        }
    } else {
        if (!ownsNode(parent) || parent.raw()->type != XML_ELEMENT_NODE)
            return false;
        target = parent.raw();
        if (isAncestorOrSelf(node, target))
            return false;
    }
    if (node->parent)
        xmlUnlinkNode(node);
    linkLastChild(target, node);
    return true;
}

std::string XmlDocument::serialize() const
{
    std::string out;
    if (!m_doc)
        return out;
    xmlOutputBufferPtr buffer = xmlOutputBufferCreateIO(appendToString, nullptr, &out, nullptr);
    if (!buffer)
        return out;
    // A loaded document may name no encoding; UTF-8 keeps attribute values
    // as raw bytes.
    const bool namedEncoding = m_doc->encoding != nullptr;
    if (!namedEncoding)
        m_doc->encoding = xmlStrdup(BAD_CAST "UTF-8");
    // Node by node: the whole-document writer would add a line break after
    // each top-level node.
    for (xmlNodePtr node = m_doc->children; node; node = node->next)
        xmlNodeDumpOutput(buffer, m_doc, node, 0, 0, "UTF-8");
    xmlOutputBufferClose(buffer);
    if (!namedEncoding) {
        xmlFree(const_cast<xmlChar *>(m_doc->encoding));
        m_doc->encoding = nullptr;
    }
    return out;
}

} // namespace tess
