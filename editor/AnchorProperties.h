#pragma once

#include "deck/StartTag.h"

#include <string>
#include <string_view>

namespace tess {

// The A Element dialog's fields; `text` holds the words of the anchor's
// text child.
struct AnchorFields
{
    std::string text, url, title, xmlLang;

    friend bool operator==(const AnchorFields &, const AnchorFields &) = default;
};

AnchorFields ReadAnchorFields(const StartTag &tag, std::string_view words);
// The new start tag; href is always written.
std::string BuildAnchorTag(const AnchorFields &fields);
// The trimmed text, or "Anchor" when that is empty.
std::string AnchorWords(const AnchorFields &fields);

} // namespace tess
