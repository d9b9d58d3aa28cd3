#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tess {

// Masking server code out of a page so that the validating parser reads the
// WML around it, and reports every error at the page's own line and column:
// each code point of server code becomes one mask character, line ends stay.

enum class PageKind { Wml, Asp, Jsp };

// Stands for the first character of server code masked inside a text node: a
// private-use code point that a deck's own text never holds.
inline constexpr std::string_view ServerCodeMark = "\xEE\x80\x80"; // U+E000

struct ServerCodeBlock
{
    enum class Form {
        Block, // "<%" ... "%>" in any of its forms
        ScriptElement, // <script runat="server"> ... </script>, ASP and JSP pages
        Tag, // a start, end or empty-element tag of a JSP tag library
    };
    Form form = Form::Block;
    size_t offset = 0; // bytes in the page
    size_t length = 0;
    // A Block: what stands between "<%" and "%>" (to the end of the page when
    // unclosed); the other forms: the whole text.
    std::string code;
    // Masked as ServerCodeMark and blanks in mixed content, so that a reader
    // of the parsed tree can find it in the text node and put the code back.
    bool marked = false;
    // For a marked block: the mask after ServerCodeMark as the text node holds
    // it ("\r\n" and a lone "\r" read as "\n").
    std::string pad;
};

struct MaskedPage
{
    std::string text; // what the parser reads: the page itself when unchanged
    bool changed = false;
    // What was cut before an ASP or JSP page's XML declaration: its line ends
    // and the characters after the last of them.
    int lineOffset = 0;
    int columnOffset = 0;
    std::vector<ServerCodeBlock> blocks; // in page order, those cut off included
};

MaskedPage maskServerCode(std::string_view page, PageKind kind);

// A 1-based line and column of the masked text as the page's line and column;
// a position below line 1 (none known) is returned as it is.
std::pair<int, int> pagePosition(const MaskedPage &page, int line, int column);

} // namespace tess
