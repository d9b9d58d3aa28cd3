#pragma once

#include "deck/StartTag.h"

#include <string>
#include <string_view>

namespace tess {

// The Optgroup dialog's fields.
struct OptgroupFields
{
    std::string title, xmlLang, className, id;

    friend bool operator==(const OptgroupFields &, const OptgroupFields &) = default;
};

OptgroupFields ReadOptgroupFields(const StartTag &tag);
// The new start tag: title, id, xml:lang, then class, which option groups
// may carry like every element. Run CheckOptionId first.
std::string BuildOptgroupTag(const OptgroupFields &fields);

} // namespace tess
