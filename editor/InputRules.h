#pragma once

#include "deck/StartTag.h"

#include <optional>
#include <string>
#include <string_view>

namespace tess {

// The checks every property dialog applies to what the user typed, and the
// order in which each dialog applies them. Values are 8-bit strings; a check
// never changes its value.

// Passes when the value is empty or holds none of the 32 strict characters
// (space, underscore and the punctuation of a keyboard's top rows).
bool PassesStrictCheck(std::string_view value);
// The strict set without the space and the underscore (30 characters).
bool PassesLenientCheck(std::string_view value);
// True when the first character is a digit; false for an empty value.
bool StartsWithDigit(std::string_view value);
bool ContainsQuote(std::string_view value);
std::string RemoveSpaces(std::string_view value);
// Empty or digits only.
bool IsDigitsOnly(std::string_view value);

// The field a failed check names, so a dialog can put the focus there.
enum class RuleField {
    Name,
    Title,
    TabIndex,
    Id,
    CardId,
    CardTitle,
    ForwardUrl,
    BackwardUrl,
    TimerUrl,
    TimerName,
    ActionId,
    ActionName,
    VariableName,
    Url,
    TaskType,
};

// What the dialog does after showing the message. Every failure keeps the
// dialog open; IdCleared means the remaining fields were still processed,
// KeepPage that a property sheet stays on the page it shows.
enum class AfterFailure { Stop, IdCleared, KeepPage };

struct RuleFailure
{
    std::string message;
    RuleField field;
    AfterFailure effect = AfterFailure::Stop;

    friend bool operator==(const RuleFailure &, const RuleFailure &) = default;
};

using RuleResult = std::optional<RuleFailure>;

// An identifier when not empty: leading digit, then the strict characters.
// Checked trimmed.
RuleResult CheckIdentifier(std::string_view id, RuleField field,
                           AfterFailure effect = AfterFailure::Stop);

// Select: Name, Title, Tab Index, then ID (whose failure lets the other
// fields be processed but keeps the dialog open).
RuleResult CheckSelectFields(std::string_view name, std::string_view title,
                             std::string_view tabIndex, std::string_view id);

// Input: trims Name and Value; an empty Name then takes the Value. Fails
// when the Name is still empty.
RuleResult CheckInputName(std::string &name, std::string &value);

// Option and Optgroup: the ID only.
RuleResult CheckOptionId(std::string_view id);

// The card property sheet's fields, in the order they are checked.
struct CardSheetCheck
{
    std::string_view cardId, title, forwardUrl, backwardUrl, timerUrl;
    std::string_view timerName, timerValue;
    std::string_view actionId, actionName, variableName;
};
RuleResult CheckCardSheet(const CardSheetCheck &fields);

} // namespace tess
