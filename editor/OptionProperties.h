#pragma once

#include "deck/StartTag.h"

#include <string>
#include <string_view>

namespace tess {

// The Option dialog's fields; `text` holds the words of the option's text
// child.
struct OptionFields
{
    std::string text, title, value, onPick, id, xmlLang;

    friend bool operator==(const OptionFields &, const OptionFields &) = default;
};

OptionFields ReadOptionFields(const StartTag &tag, std::string_view words);
// The new start tag; run CheckOptionId first.
std::string BuildOptionTag(const OptionFields &fields);
// The trimmed text, or "Option" when that is empty.
std::string OptionWords(const OptionFields &fields);

} // namespace tess
