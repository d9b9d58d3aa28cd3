#pragma once

#include "source/XmlDocument.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <cstdint>
#include <string>

namespace tess {

// libxml2 set up once per process: parser initialised, the bundled catalog
// loaded privately, and an external entity loader installed that lets a load
// read nothing but its document and the DTD named by its declaration.
void ensureXmlRuntime();

// Error numbers of libxml2 become codes of this family, so that a message
// reads like "Error 0xC00CE04C ...".
inline constexpr uint32_t XmlErrorCodeBase = 0xC00CE000u;

// What one load knows while libxml2 runs: the document's parser, whether the
// DTD has been handed out, and the first error.
struct XmlLoadState
{
    xmlParserCtxtPtr ctxt = nullptr;
    bool inExternalSubset = false;
    bool subsetRequested = false;
    bool failed = false;
    XmlParseError error;

    // Keeps the first failure only. Line and column count from 1 as libxml2
    // gives them; 0 or less means unknown.
    void fail(int libxmlCode, int line, int column, const std::string &reason);
    // fail() at the current position in the document itself.
    void failHere(int libxmlCode, const std::string &reason);
};

// For the lifetime of the scope, on this thread: libxml2's errors go to
// `state` (nothing reaches stderr) and the entity loader applies its rules
// for `state`. Scopes do not nest.
class XmlLoadScope
{
public:
    explicit XmlLoadScope(XmlLoadState &state);
    ~XmlLoadScope();
    XmlLoadScope(const XmlLoadScope &) = delete;
    XmlLoadScope &operator=(const XmlLoadScope &) = delete;

private:
    xmlStructuredErrorFunc m_oldStructured;
    void *m_oldStructuredContext;
    xmlGenericErrorFunc m_oldGeneric;
    void *m_oldGenericContext;
};

// Parses the file at `path` (of `fileSize` bytes) for XmlDocument::load:
// validates it as its declaration asks, refuses it when its entity references
// would expand to more than the file plus 1 MiB, and drops its layout
// whitespace (whitespace-only text outside xml:space "preserve"). The
// document, or null with the first error in `state`.
xmlDocPtr parseDocumentFile(const std::string &path, uint64_t fileSize, XmlLoadState &state);

// The SAX externalSubset handler of a load: marks the one moment at which the
// loader hands out a DTD.
void loadExternalSubsetGuarded(void *ctx, const xmlChar *name, const xmlChar *externalId,
                               const xmlChar *systemId);

} // namespace tess
