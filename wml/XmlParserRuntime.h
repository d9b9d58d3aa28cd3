#pragma once

#include "wml/XmlDocument.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <cstdint>
#include <string>
#include <string_view>

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
    // False for a file that is only to be well-formed XML (XmlSource::deck).
    bool deck = true;
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

// What a load reads: the deck's bytes, the name its messages carry, whether
// the bytes are UTF-8 whatever their declaration says (a page the program has
// decoded itself), and whether they are a deck: a file of the program's own
// that is XML but no deck (a project list) is only checked to be well-formed,
// and no DTD is read for it.
struct XmlSource
{
    std::string_view bytes;
    std::string name;
    bool utf8 = false;
    bool deck = true;
};

// Parses a deck for XmlDocument: validates it against the WML 1.1 DTD (a deck
// without declaration too), refuses it when its entity references would
// expand to more than its size plus 1 MiB or, before parsing at all, when an
// element has more than 1,024 attributes, and drops its layout whitespace
// (whitespace-only text in element-only content, outside xml:space
// "preserve"). The document, or null with the first error in `state`.
xmlDocPtr parseDocument(const XmlSource &source, XmlLoadState &state);

// Whether WML 1.1 allows only elements (no text) inside `name`: whitespace
// there is layout, everywhere else it belongs to the text.
bool isElementOnlyWmlElement(std::string_view name);

// The SAX externalSubset handler of a load: marks the one moment at which the
// loader hands out a DTD.
void loadExternalSubsetGuarded(void *ctx, const xmlChar *name, const xmlChar *externalId,
                               const xmlChar *systemId);

} // namespace tess
