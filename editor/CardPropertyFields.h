#pragma once

#include <string>
#include <string_view>

namespace tess {

// The Card page of the card property sheet: the card's own attributes and
// its timer, as fields.
struct CardPropertyFields
{
    std::string id, title, forwardUrl, backwardUrl, timerUrl, xmlLang, className;
    std::string timerName, timerValue;
    bool ordered = false;
    bool newContext = false;

    friend bool operator==(const CardPropertyFields &, const CardPropertyFields &) = default;
};

// Fills the fields from the card's and the timer's start tags. A check box
// whose attribute is absent keeps its state.
void LoadCardFields(CardPropertyFields &fields, std::string_view cardFragment,
                    std::string_view timerFragment);

// "<card ", the set attributes, newcontext and ordered always, ">"; every
// field trimmed.
std::string BuildCardFragment(const CardPropertyFields &fields);
// "<timer ", name and value when set, "/>".
std::string BuildTimerFragment(const CardPropertyFields &fields);

} // namespace tess
