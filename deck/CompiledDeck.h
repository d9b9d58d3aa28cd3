#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tess {

class XmlDocument;
enum class PageKind;

// A deck's file as a phone would receive it: read, decoded, server code
// masked out, parsed and validated as Compile does, then compiled to WBXML.
struct CompiledDeck
{
    bool ok = false;
    bool serverPage = false; // an ASP or JSP page: only the WML around the code
    uint64_t textBytes = 0; // the file as it stands on disk
    std::vector<unsigned char> bytes;
    // Why there is no compiled form: the file's or the parser's message (the
    // parser's as "FILE:LINE:COLUMN: error: REASON"), or the compiler's.
    std::string error;
};

CompiledDeck compileDeckFile(const std::string &path);
// For a deck already parsed (Compile's own parse), without reading it again.
CompiledDeck compileParsedDeck(const XmlDocument &doc, PageKind kind, uint64_t textBytes);

// The line Compile adds after its success message: "Compiled size 1,234
// bytes: fits all profiles", a server page's "... (the WML around the server
// code)", or why the size is unknown.
std::string compiledSizeLine(const CompiledDeck &deck);

} // namespace tess
