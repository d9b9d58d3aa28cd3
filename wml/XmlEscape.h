#pragma once

#include <string>
#include <string_view>

namespace tess {

// A deck stores each element as the WML text that stands for it, so text and
// attribute values are kept escaped exactly as they would stand in the file.
// Whoever shows a fragment to the user unescapes it; whoever builds one from
// what the user typed escapes it.

// "&", "<" and ">" as "&amp;", "&lt;" and "&gt;".
std::string EscapeXmlText(std::string_view text);
// For a value between double quotes: "&", "<" and the double quote escaped,
// and tabs and line breaks as character references so that they survive the
// parser's normalisation of attribute values.
std::string EscapeXmlAttribute(std::string_view value);
// The five predefined entities and decimal or hexadecimal character
// references turned into their characters. Anything else that starts with
// "&" ("&nbsp;", a lone "&") stays as it is.
std::string UnescapeXml(std::string_view text);

} // namespace tess
