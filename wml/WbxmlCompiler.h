#pragma once

#include <span>
#include <string>
#include <vector>

namespace tess {

class XmlDocument;

// A deck in the binary form a WAP gateway sends to the phone (WBXML 1.3 with
// the WML 1.1 code pages, UTF-8 strings), made by libwbxml2 from the
// document the program itself parsed and validated, so every entity
// reference has already become its characters.
//
// Blank runs in text become one blank, as a phone shows them; comments and
// processing instructions are dropped; server code masked out of an ASP or
// JSP page is left out, so a page's figure is that of the WML around it.
struct WbxmlResult
{
    bool ok = false;
    std::vector<unsigned char> bytes;
    std::string error; // libwbxml2's reason when !ok
};

WbxmlResult compileWbxml(const XmlDocument &deck);

// The XML text handed to libwbxml2 for `deck` (UTF-8, with declaration and
// document type): what the compiled form stands for.
std::string wbxmlSourceText(const XmlDocument &deck);

// Compiled bytes back to XML text through libwbxml2's decoder; false with the
// reason in `error`.
bool decompileWbxml(std::span<const unsigned char> bytes, std::string &xml, std::string &error);

} // namespace tess
