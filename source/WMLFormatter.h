#pragma once

#include <string>
#include <string_view>

namespace tess {

// Lays out WML text for the code view: puts known tags on lines of their own
// and indents them with tabs by their depth in a deck. Tags are found by plain,
// case-sensitive prefix search, so text that is not well-formed is laid out
// too; nothing is ever removed or moved, only line feeds and tabs are inserted.
// Runs in time linear in the text.
std::string formatWml(std::string_view text);

} // namespace tess
