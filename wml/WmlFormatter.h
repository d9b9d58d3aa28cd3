#pragma once

#include <string>
#include <string_view>

namespace tess {

// Lays out WML text for the code view: puts tags, comments, processing
// instructions, CDATA sections and the document type declaration on lines of
// their own, indented with one tab per open element.
//
// Only the whitespace between two such tokens inside an element that holds no
// text of its own (wml, card, select, ... and the top level) is rewritten; any
// other byte, including every blank inside paragraph text and everything next
// to server code blocks (<% ... %>), is copied unchanged, so what a phone shows
// never changes. The result is canonical: formatting it again returns it.
// Malformed text is laid out up to the first unterminated construct and copied
// verbatim from there. Runs in time linear in the text.
std::string formatWml(std::string_view text);

} // namespace tess
