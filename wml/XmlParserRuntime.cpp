#include "wml/XmlParserRuntime.h"

#include "wml/DataPaths.h"

#include "wml/XmlEntityGuard.h"

#include <libxml/SAX2.h>
#include <libxml/parserInternals.h>
#include <libxml/uri.h>
#include <libxml/valid.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <limits>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace tess {

namespace {

std::once_flag g_runtimeOnce;

thread_local XmlLoadState *t_state = nullptr;

std::string trimmedRight(const std::string &text)
{
    size_t end = text.size();
    while (end > 0 && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(0, end);
}

void collectError(void *, xmlErrorPtr err)
{
    XmlLoadState *state = t_state;
    if (!state || !err || err->level < XML_ERR_ERROR)
        return;
    // A document without declaration is only checked for well-formedness.
    if (err->code == XML_DTD_NO_DTD)
        return;
    // A file of the program's own is plain XML 1.0, where a colon may stand
    // in any name ("xml:stylesheet" names a processing instruction).
    if (!state->deck && err->domain == XML_FROM_NAMESPACE)
        return;
    state->fail(err->code, err->line, err->int2, err->message ? err->message : "");
}

void ignoreGenericError(void *, const char *, ...) { }

bool isRegularFile(const std::string &path, std::string *why)
{
    struct stat st = {};
    if (::stat(path.c_str(), &st) != 0) {
        *why = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        *why = std::strerror(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        return false;
    }
    return true;
}

// Everything a load asks for beyond its own file comes through here. The one
// DTD a load may read is the bundled WML 1.1 DTD, whatever the declaration
// names: a system identifier is never opened, so a deck cannot make the
// program read (or reveal the existence of) another file.
xmlParserInputPtr guardedEntityLoader(const char *url, const char *publicId, xmlParserCtxtPtr ctxt)
{
    XmlLoadState *state = t_state;
    if (!state)
        return xmlNoNetExternalEntityLoader(url, publicId, ctxt);

    const std::string address = url ? url : (publicId ? publicId : "");
    if (!state->inExternalSubset || state->subsetRequested) {
        state->failHere(XML_IO_LOAD_ERROR,
                        "Refused to read the external entity \"" + address
                            + "\": a deck may read no file but itself and its DTD");
        return nullptr;
    }
    state->subsetRequested = true;

    const std::string path = bundledDtdPath();
    std::string why;
    if (path.empty() || !isRegularFile(path, &why)) {
        state->failHere(XML_IO_LOAD_ERROR,
                        "Cannot read the WML 1.1 DTD \"" + path
                            + "\": " + (path.empty() ? std::string("not installed") : why));
        return nullptr;
    }
    return xmlNewInputFromFile(ctxt, path.c_str());
}

} // namespace

void ensureXmlRuntime()
{
    std::call_once(g_runtimeOnce, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(guardedEntityLoader);
    });
}

void XmlLoadState::fail(int libxmlCode, int line, int column, const std::string &reason)
{
    if (failed)
        return;
    failed = true;
    error.code = XmlErrorCodeBase + uint32_t(libxmlCode);
    error.line = std::max(0, line - 1);
    error.position = std::max(0, column - 1);
    error.reason = trimmedRight(reason);
}

void XmlLoadState::failHere(int libxmlCode, const std::string &reason)
{
    xmlParserInputPtr input = nullptr;
    if (ctxt && ctxt->inputNr > 0)
        input = ctxt->inputTab[0];
    fail(libxmlCode, input ? input->line : 0, input ? input->col : 0, reason);
}

XmlLoadScope::XmlLoadScope(XmlLoadState &state)
    : m_oldStructured(xmlStructuredError)
    , m_oldStructuredContext(xmlStructuredErrorContext)
    , m_oldGeneric(xmlGenericError)
    , m_oldGenericContext(xmlGenericErrorContext)
{
    t_state = &state;
    xmlSetStructuredErrorFunc(nullptr, collectError);
    xmlSetGenericErrorFunc(nullptr, ignoreGenericError);
}

XmlLoadScope::~XmlLoadScope()
{
    xmlSetStructuredErrorFunc(m_oldStructuredContext, m_oldStructured);
    xmlSetGenericErrorFunc(m_oldGenericContext, m_oldGeneric);
    t_state = nullptr;
}

void loadExternalSubsetGuarded(void *ctx, const xmlChar *name, const xmlChar *externalId,
                               const xmlChar *systemId)
{
    XmlLoadState *state = t_state;
    if (state)
        state->inExternalSubset = true;
    xmlSAX2ExternalSubset(ctx, name, externalId, systemId);
    if (state)
        state->inExternalSubset = false;
}

// ---- Loading a document ----------------------------------------------------

namespace {

// Validation follows the document type declaration; no entity substitution
// and no defaulted attributes, so the DOM holds what the file holds. Line
// numbers beyond 65535 are kept for large decks. Short texts are stored
// inside their nodes, saving an allocation each: a loaded tree is only read.
constexpr int kWellFormedOptions = XML_PARSE_NONET | XML_PARSE_BIG_LINES | XML_PARSE_COMPACT;
constexpr int kLoadOptions = XML_PARSE_DTDLOAD | XML_PARSE_DTDVALID | kWellFormedOptions;

// Entity references may expand to this much more than the file's own size:
// the entities of a deck are single characters, so a legitimate deck never
// comes near it.
constexpr uint64_t kEntityExpansionAllowance = 1u << 20;

// The parser's check for repeated attribute names costs the square of their
// number on one element; no deck needs more than a handful.
constexpr size_t kMostAttributes = 1024;

bool preservesSpace(xmlNodePtr element, bool inherited)
{
    for (xmlAttrPtr attr = element->properties; attr; attr = attr->next) {
        if (attr->ns && xmlStrEqual(attr->ns->prefix, BAD_CAST "xml")
            && xmlStrEqual(attr->name, BAD_CAST "space"))
            return XmlNode(reinterpret_cast<xmlNodePtr>(attr)).text() == "preserve";
    }
    return inherited;
}

void dropLayoutWhitespace(xmlNodePtr parent, bool preserve)
{
    const bool layout = !preserve && parent->type == XML_ELEMENT_NODE
        && isElementOnlyWmlElement(reinterpret_cast<const char *>(parent->name));
    for (xmlNodePtr child = parent->children; child;) {
        xmlNodePtr next = child->next;
        if (child->type == XML_TEXT_NODE && layout && xmlIsBlankNode(child)) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        } else if (child->type == XML_ELEMENT_NODE) {
            dropLayoutWhitespace(child, preservesSpace(child, preserve));
        }
        child = next;
    }
}

void dropBlankChildren(xmlNodePtr element)
{
    for (xmlNodePtr child = element->children; child;) {
        xmlNodePtr next = child->next;
        if (child->type == XML_TEXT_NODE && xmlIsBlankNode(child)) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        }
        child = next;
    }
}

// Follows libxml2 while it builds the tree. Each element loses its layout
// whitespace as it ends, after its validation (whose messages count those
// nodes) and while its nodes are still in cache, so their memory serves the
// next ones rather than being freed all over the tree afterwards. Every
// entity reference is noted for the expansion check, which then needs no
// walk of the tree. Only the document's own parser context is followed:
// libxml2 parses entity content with contexts of its own that share the
// handlers.
class TreeHooks
{
public:
    explicit TreeHooks(xmlParserCtxtPtr ctxt)
        : m_ctxt(ctxt)
    {
        xmlSAXHandlerPtr sax = ctxt->sax;
        m_attached = sax->startElementNs == xmlSAX2StartElementNs
            && sax->endElementNs == xmlSAX2EndElementNs && sax->reference == xmlSAX2Reference;
        if (!m_attached)
            return;
        ctxt->_private = this;
        sax->startElementNs = startElement;
        sax->endElementNs = endElement;
        sax->reference = reference;
    }
    TreeHooks(const TreeHooks &) = delete;
    TreeHooks &operator=(const TreeHooks &) = delete;

    // False when libxml2 builds the tree with handlers of its own choice;
    // the document then still holds its layout and unnoted references.
    bool attached() const { return m_attached; }
    const std::vector<xmlNodePtr> &references() const { return m_references; }

private:
    static TreeHooks *of(xmlParserCtxtPtr ctxt)
    {
        auto *hooks = static_cast<TreeHooks *>(ctxt->_private);
        return hooks && hooks->m_ctxt == ctxt ? hooks : nullptr;
    }

    static void startElement(void *ctx, const xmlChar *localName, const xmlChar *prefix,
                             const xmlChar *uri, int namespaceCount, const xmlChar **namespaces,
                             int attributeCount, int defaultedCount, const xmlChar **attributes)
    {
        auto *ctxt = static_cast<xmlParserCtxtPtr>(ctx);
        xmlNodePtr parent = ctxt->node;
        xmlSAX2StartElementNs(ctx, localName, prefix, uri, namespaceCount, namespaces,
                              attributeCount, defaultedCount, attributes);
        TreeHooks *hooks = of(ctxt);
        xmlNodePtr element = ctxt->node;
        if (!hooks || !element || element == parent)
            return;
        const bool inherited = !hooks->m_open.empty() && hooks->m_open.back().preserve;
        hooks->m_open.push_back({element, preservesSpace(element, inherited)});
        for (xmlAttrPtr attr = element->properties; attr; attr = attr->next) {
            for (xmlNodePtr part = attr->children; part; part = part->next) {
                if (part->type == XML_ENTITY_REF_NODE)
                    hooks->m_references.push_back(part);
            }
        }
    }

    static void endElement(void *ctx, const xmlChar *localName, const xmlChar *prefix,
                           const xmlChar *uri)
    {
        auto *ctxt = static_cast<xmlParserCtxtPtr>(ctx);
        xmlNodePtr element = ctxt->node;
        xmlSAX2EndElementNs(ctx, localName, prefix, uri);
        TreeHooks *hooks = of(ctxt);
        if (!hooks || hooks->m_open.empty() || hooks->m_open.back().element != element)
            return;
        const bool preserve = hooks->m_open.back().preserve;
        hooks->m_open.pop_back();
        if (!preserve && isElementOnlyWmlElement(reinterpret_cast<const char *>(element->name)))
            dropBlankChildren(element);
    }

    static void reference(void *ctx, const xmlChar *name)
    {
        auto *ctxt = static_cast<xmlParserCtxtPtr>(ctx);
        xmlNodePtr before = ctxt->node ? ctxt->node->last : nullptr;
        xmlSAX2Reference(ctx, name);
        TreeHooks *hooks = of(ctxt);
        xmlNodePtr added = ctxt->node ? ctxt->node->last : nullptr;
        if (hooks && added && added != before && added->type == XML_ENTITY_REF_NODE)
            hooks->m_references.push_back(added);
    }

    struct Open
    {
        xmlNodePtr element;
        bool preserve;
    };

    xmlParserCtxtPtr m_ctxt;
    bool m_attached = false;
    std::vector<Open> m_open; // the elements being built, innermost last
    std::vector<xmlNodePtr> m_references;
};

// The deck's bytes as libxml2's input, named by the deck's absolute path so
// that messages and base addresses read as they would for the file.
xmlParserInputPtr memoryInput(xmlParserCtxtPtr ctxt, const XmlSource &source)
{
    if (source.bytes.size() > size_t(std::numeric_limits<int>::max()))
        return nullptr;
    xmlParserInputBufferPtr buffer = xmlParserInputBufferCreateMem(
        source.bytes.data(), int(source.bytes.size()), XML_CHAR_ENCODING_NONE);
    if (!buffer)
        return nullptr;
    xmlParserInputPtr input = xmlNewIOInputStream(ctxt, buffer, XML_CHAR_ENCODING_NONE);
    if (!input) {
        xmlFreeParserInputBuffer(buffer);
        return nullptr;
    }
    std::error_code ec;
    const std::string name
        = source.name.empty() ? std::string() : std::filesystem::absolute(source.name, ec).string();
    if (!name.empty())
        input->filename = reinterpret_cast<const char *>(xmlStrdup(BAD_CAST name.c_str()));
    return input;
}

// A deck without a document type declaration is still a WML deck: it is held
// to the WML 1.1 DTD, as a validator given that DTD would.
void validateWithoutDeclaration(xmlDocPtr doc, XmlLoadState &state)
{
    if (doc->intSubset || doc->extSubset)
        return;
    state.inExternalSubset = true;
    state.subsetRequested = false;
    xmlDtdPtr dtd = xmlParseDTD(nullptr, BAD_CAST bundledDtdPath().c_str());
    state.inExternalSubset = false;
    if (!dtd) {
        state.fail(XML_IO_LOAD_ERROR, 0, 0, "Cannot read the WML 1.1 DTD");
        return;
    }
    if (xmlValidCtxtPtr valid = xmlNewValidCtxt()) {
        xmlValidateDtd(valid, doc, dtd);
        xmlFreeValidCtxt(valid);
    }
    xmlFreeDtd(dtd);
}

// One run of libxml2 over the bytes of a deck: the document, or null with the
// first error in `state`. `prepare` sees the parser context before the parse.
xmlDocPtr runParser(const XmlSource &source, XmlLoadState &state,
                    const std::function<void(xmlParserCtxtPtr)> &prepare)
{
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        state.fail(XML_ERR_NO_MEMORY, 0, 0, "Out of memory");
        return nullptr;
    }
    state.ctxt = ctxt;
    state.deck = source.deck;
    xmlDocPtr doc = nullptr;
    {
        XmlLoadScope scope(state);
        const int options = source.deck ? kLoadOptions : kWellFormedOptions;
        xmlCtxtUseOptions(ctxt, options);
        ctxt->linenumbers = 1;
        ctxt->sax->externalSubset = loadExternalSubsetGuarded;
        if (prepare)
            prepare(ctxt);
        if (source.utf8)
            xmlCtxtUseOptions(ctxt, options | XML_PARSE_IGNORE_ENC);
        if (xmlParserInputPtr input = memoryInput(ctxt, source)) {
            inputPush(ctxt, input);
            if (source.utf8)
                xmlSwitchEncoding(ctxt, XML_CHAR_ENCODING_UTF8);
            xmlParseDocument(ctxt);
        }
        if (source.deck && ctxt->myDoc && ctxt->wellFormed && !state.failed)
            validateWithoutDeclaration(ctxt->myDoc, state);
        doc = ctxt->myDoc;
        ctxt->myDoc = nullptr;
        if (!doc || !ctxt->wellFormed || state.failed)
            state.fail(XML_ERR_INTERNAL_ERROR, 0, 0, "The file could not be parsed");
    }
    state.ctxt = nullptr;
    xmlFreeParserCtxt(ctxt);
    if (state.failed) {
        xmlFreeDoc(doc);
        return nullptr;
    }
    return doc;
}

// Where the first element with more than `most` attributes starts, as line
// and column from 1; nullopt when there is none. The bytes are read as the
// markup they are meant to be, before any parser: comments, CDATA, processing
// instructions and declarations are passed over, and an "=" counts as an
// attribute only outside quoted values. Any ASCII-based encoding and UTF-16
// or UTF-32 read the same way, byte by byte.
struct TextPosition
{
    int line;
    int column;
};
std::optional<TextPosition> crowdedElement(std::string_view s, size_t most)
{
    const auto skipPast = [&](size_t from, std::string_view end) {
        const size_t at = s.find(end, from);
        return at == std::string_view::npos ? s.size() : at + end.size();
    };
    // A declaration's internal subset nests brackets and holds comments.
    const auto skipDeclaration = [&](size_t j) {
        char quote = 0;
        int depth = 0;
        for (; j < s.size(); ++j) {
            const char c = s[j];
            if (quote) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (s.compare(j, 4, "<!--") == 0) {
                j = skipPast(j + 4, "-->") - 1;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                depth = std::max(0, depth - 1);
            } else if (c == '>' && depth == 0) {
                return j + 1;
            }
        }
        return s.size();
    };
    for (size_t i = s.find('<'); i != std::string_view::npos; i = s.find('<', i)) {
        if (s.compare(i, 4, "<!--") == 0) {
            i = skipPast(i + 4, "-->");
        } else if (s.compare(i, 9, "<![CDATA[") == 0) {
            i = skipPast(i + 9, "]]>");
        } else if (s.compare(i, 2, "<?") == 0) {
            i = skipPast(i + 2, "?>");
        } else if (s.compare(i, 2, "<!") == 0) {
            i = skipDeclaration(i + 2);
        } else {
            const size_t start = i;
            size_t count = 0;
            char quote = 0;
            for (++i; i < s.size(); ++i) {
                const char c = s[i];
                if (quote) {
                    quote = c == quote ? 0 : quote;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '=' && ++count > most) {
                    const std::string_view before = s.substr(0, start);
                    const size_t lineStart = before.rfind('\n');
                    return TextPosition {
                        int(std::count(before.begin(), before.end(), '\n')) + 1,
                        int(start - (lineStart == std::string_view::npos ? 0 : lineStart + 1)) + 1};
                } else if (c == '>' || c == '<') {
                    break;
                }
            }
        }
    }
    return std::nullopt;
}

// The checks of a document built without hooks: its entity expansion, by a
// walk of the tree, then its layout whitespace. The document, or null
// (freed) with the failure in `state`.
xmlDocPtr checkedWhole(xmlDocPtr doc, uint64_t limit, XmlLoadState &state)
{
    if (!checkEntityExpansion(doc, limit, state)) {
        xmlFreeDoc(doc);
        return nullptr;
    }
    dropLayoutWhitespace(reinterpret_cast<xmlNodePtr>(doc), false);
    return doc;
}

} // namespace

xmlDocPtr parseDocument(const XmlSource &source, XmlLoadState &state)
{
    if (const std::optional<TextPosition> at = crowdedElement(source.bytes, kMostAttributes)) {
        state.fail(XML_ERR_USER_STOP, at->line, at->column,
                   "An element has more than " + std::to_string(kMostAttributes)
                       + " attributes, more than any deck needs: the file is not read further");
        return nullptr;
    }
    const uint64_t limit = kEntityExpansionAllowance + source.bytes.size();
    std::optional<TreeHooks> hooks;
    xmlDocPtr doc = runParser(source, state, [&](xmlParserCtxtPtr ctxt) { hooks.emplace(ctxt); });
    if (!doc)
        return nullptr;
    if (!hooks->attached())
        return checkedWhole(doc, limit, state);
    if (entityExpansionWithin(doc, hooks->references(), limit))
        return doc;
    // Refused. The report names the reference that crosses the limit as it
    // stands among all the nodes of the file, which a second parse keeps for
    // the walk that finds it.
    xmlFreeDoc(doc);
    XmlLoadState again;
    doc = runParser(source, again, {});
    if (doc)
        doc = checkedWhole(doc, limit, again);
    state.failed = again.failed;
    state.error = again.error;
    return doc;
}

bool isElementOnlyWmlElement(std::string_view name)
{
    static constexpr std::string_view names[] = {
        "wml",     "head",   "template", "card",  "do", "onevent", "go",   "prev",
        "refresh", "select", "optgroup", "table", "tr", "access",  "meta",
    };
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

} // namespace tess
