#pragma once

#include <string>
#include <string_view>

namespace tess {

// The code block dialog's text when it opens: the block's fragment, or
// "Type your ASP code Here" for an empty one.
std::string CodeBlockOpeningText(std::string_view fragment);

// What OK makes of the typed text: every "<%" and "%>" becomes one blank,
// the ends are trimmed, and an empty result becomes "Type your ASP code
// here". The block's markers are the tree's business, never the fragment's.
std::string CodeBlockResult(std::string_view typed);

} // namespace tess
