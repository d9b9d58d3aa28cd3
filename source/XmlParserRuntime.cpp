#include "source/XmlParserRuntime.h"

#include "source/DataPaths.h"

#include "source/XmlEntityGuard.h"

#include <libxml/SAX2.h>
#include <libxml/catalog.h>
#include <libxml/parserInternals.h>
#include <libxml/uri.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace tess {

namespace {

std::once_flag g_runtimeOnce;
// The private catalog resolves lazily and caches what it reads; the lock
// keeps a worker thread's load from racing the UI thread's.
std::mutex g_catalogMutex;
xmlCatalogPtr g_catalog = nullptr;

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

std::string unescaped(const std::string &text)
{
    char *raw = xmlURIUnescapeString(text.c_str(), 0, nullptr);
    if (!raw)
        return text;
    std::string out(raw);
    xmlFree(raw);
    return out;
}

bool hasUriScheme(const std::string &address)
{
    size_t colon = address.find(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    if (!std::isalpha(static_cast<unsigned char>(address[0])))
        return false;
    return std::all_of(address.begin(), address.begin() + long(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

// The file path an address names, or empty when it names anything but a
// local file. libxml2 hands paths over %-escaped when the file is missing.
std::string localPathOf(const std::string &address)
{
    std::string path;
    if (address.rfind("file://localhost/", 0) == 0)
        path = address.substr(16);
    else if (address.rfind("file:///", 0) == 0)
        path = address.substr(7);
    else if (!hasUriScheme(address))
        path = address;
    else
        return {};
    struct stat st = {};
    if (!path.empty() && ::stat(path.c_str(), &st) != 0)
        path = unescaped(path);
    return path;
}

std::string resolveThroughCatalog(const char *publicId, const char *systemId)
{
    std::lock_guard<std::mutex> lock(g_catalogMutex);
    if (!g_catalog)
        return {};
    xmlChar *uri = xmlACatalogResolve(g_catalog, reinterpret_cast<const xmlChar *>(publicId),
                                      reinterpret_cast<const xmlChar *>(systemId));
    if (!uri)
        return {};
    std::string out(reinterpret_cast<const char *>(uri));
    xmlFree(uri);
    return out;
}

// Everything a load asks for beyond its own file comes through here: the DTD
// named by the declaration is read once (from the catalog's local copy when
// the declaration names a network address), any other request is refused.
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

    std::string path = localPathOf(address);
    if (path.empty()) {
        path = localPathOf(resolveThroughCatalog(publicId, url));
        if (path.empty()) {
            state->failHere(XML_IO_NETWORK_ATTEMPT,
                            "Refused to fetch the DTD \"" + address
                                + "\": network access is disabled and no local copy is known");
            return nullptr;
        }
    }
    std::string why;
    if (!isRegularFile(path, &why)) {
        state->failHere(XML_IO_LOAD_ERROR, "Cannot read the DTD \"" + path + "\": " + why);
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
        const std::string catalog = bundledCatalogPath();
        if (!catalog.empty())
            g_catalog = xmlLoadACatalog(catalog.c_str());
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
constexpr int kLoadOptions = XML_PARSE_DTDLOAD | XML_PARSE_DTDVALID | XML_PARSE_NONET
    | XML_PARSE_BIG_LINES | XML_PARSE_COMPACT;

// Entity references may expand to this much more than the file's own size:
// the entities of a deck are single characters, so a legitimate deck never
// comes near it.
constexpr uint64_t kEntityExpansionAllowance = 1u << 20;

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
    for (xmlNodePtr child = parent->children; child;) {
        xmlNodePtr next = child->next;
        if (child->type == XML_TEXT_NODE && !preserve && xmlIsBlankNode(child)) {
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
        if (!preserve)
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

// One run of libxml2 over the file: the document, or null with the first
// error in `state`. `prepare` sees the parser context before the parse.
xmlDocPtr runParser(const std::string &path, XmlLoadState &state,
                    const std::function<void(xmlParserCtxtPtr)> &prepare)
{
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        state.fail(XML_ERR_NO_MEMORY, 0, 0, "Out of memory");
        return nullptr;
    }
    state.ctxt = ctxt;
    xmlDocPtr doc = nullptr;
    {
        XmlLoadScope scope(state);
        xmlCtxtUseOptions(ctxt, kLoadOptions);
        ctxt->linenumbers = 1;
        ctxt->sax->externalSubset = loadExternalSubsetGuarded;
        if (prepare)
            prepare(ctxt);
        // An absolute name makes a relative DTD name resolve beside the
        // document, whatever the working folder.
        std::error_code ec;
        const std::string absolute = std::filesystem::absolute(path, ec).string();
        if (xmlParserInputPtr input
            = xmlNewInputFromFile(ctxt, ec ? path.c_str() : absolute.c_str())) {
            inputPush(ctxt, input);
            xmlParseDocument(ctxt);
        }
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

xmlDocPtr parseDocumentFile(const std::string &path, uint64_t fileSize, XmlLoadState &state)
{
    const uint64_t limit = kEntityExpansionAllowance + fileSize;
    std::optional<TreeHooks> hooks;
    xmlDocPtr doc
        = runParser(path, state, [&](xmlParserCtxtPtr ctxt) { hooks.emplace(ctxt); });
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
    doc = runParser(path, again, {});
    if (doc)
        doc = checkedWhole(doc, limit, again);
    state.failed = again.failed;
    state.error = again.error;
    return doc;
}

} // namespace tess
