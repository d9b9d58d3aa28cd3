#pragma once

#include "deck/StartTag.h"

#include <string>
#include <string_view>

namespace tess {

// The Select dialog's fields, as read from a select's start tag and as the
// user leaves them.
struct SelectFields
{
    std::string name, title, tabIndex, id, className, value;
    bool multiple = false;
    std::string indexName, indexValue, xmlLang;

    friend bool operator==(const SelectFields &, const SelectFields &) = default;
};

SelectFields ReadSelectFields(const StartTag &tag);

// The new start tag. The index value is kept when it is a whole number from
// 1 to `childCount`, else written as 1. Run CheckSelectFields first.
std::string BuildSelectTag(const SelectFields &fields, int childCount);

} // namespace tess
