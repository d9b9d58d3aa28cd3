#include "source/XmlParserRuntime.h"

#include "source/DataPaths.h"

#include <libxml/SAX2.h>
#include <libxml/catalog.h>
#include <libxml/parserInternals.h>
#include <libxml/uri.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <sys/stat.h>

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

} // namespace tess
