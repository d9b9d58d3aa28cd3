#include "editor/InputRules.h"

#include "editor/DesignConstants.h"

namespace tess {

namespace {

constexpr std::string_view StrictCharacters = " ~`-_!@#$%^&*()+{}:;\"'<>,.?/\\|[]";
constexpr std::string_view LenientCharacters = "~`-!@#$%^&*()+{}:;\"'<>,.?/\\|[]";
static_assert(StrictCharacters.size() == 32 && LenientCharacters.size() == 30);

RuleFailure failure(std::string_view message, RuleField field,
                    AfterFailure effect = AfterFailure::Stop)
{
    return {std::string(message), field, effect};
}

} // namespace

bool PassesStrictCheck(std::string_view value)
{
    return value.find_first_of(StrictCharacters) == std::string_view::npos;
}

bool PassesLenientCheck(std::string_view value)
{
    return value.find_first_of(LenientCharacters) == std::string_view::npos;
}

bool StartsWithDigit(std::string_view value)
{
    return !value.empty() && value.front() >= '0' && value.front() <= '9';
}

bool ContainsQuote(std::string_view value)
{
    return value.find('"') != std::string_view::npos;
}

std::string RemoveSpaces(std::string_view value)
{
    std::string out;
    for (char c : value) {
        if (c != ' ')
            out += c;
    }
    return out;
}

bool IsDigitsOnly(std::string_view value)
{
    for (char c : value) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

RuleResult CheckIdentifier(std::string_view id, RuleField field, AfterFailure effect)
{
    const std::string value = Trimmed(id);
    if (value.empty())
        return std::nullopt;
    if (StartsWithDigit(value))
        return failure(IdLeadingDigitMessage, field, effect);
    if (!PassesStrictCheck(value))
        return failure(IdCharactersMessage, field, effect);
    return std::nullopt;
}

RuleResult CheckSelectFields(std::string_view name, std::string_view title,
                             std::string_view tabIndex, std::string_view id)
{
    if (!PassesLenientCheck(Trimmed(name)))
        return failure(SelectNameMessage, RuleField::Name);
    if (!PassesLenientCheck(Trimmed(title)))
        return failure(SelectTitleMessage, RuleField::Title);
    if (!IsDigitsOnly(tabIndex))
        return failure(TabIndexMessage, RuleField::TabIndex);
    return CheckIdentifier(id, RuleField::Id, AfterFailure::IdCleared);
}

RuleResult CheckInputName(std::string &name, std::string &value)
{
    name = Trimmed(name);
    value = Trimmed(value);
    if (name.empty())
        name = value;
    if (name.empty())
        return failure(InputNameMissingMessage, RuleField::Name);
    return std::nullopt;
}

RuleResult CheckOptionId(std::string_view id)
{
    return CheckIdentifier(id, RuleField::Id, AfterFailure::IdCleared);
}

RuleResult CheckCardSheet(const CardSheetCheck &f)
{
    if (RuleResult id = CheckIdentifier(f.cardId, RuleField::CardId))
        return id;
    const std::pair<std::string_view, RuleField> quoted[]
        = {{f.title, RuleField::CardTitle},
           {f.forwardUrl, RuleField::ForwardUrl},
           {f.backwardUrl, RuleField::BackwardUrl},
           {f.timerUrl, RuleField::TimerUrl}};
    for (const auto &[value, field] : quoted) {
        if (ContainsQuote(value))
            return failure(IllegalCharacterMessage, field);
    }
    const std::string timerName = Trimmed(f.timerName);
    if (!PassesStrictCheck(timerName))
        return failure(NameCharactersMessage, RuleField::TimerName);
    // A timer must carry a value; the name alone makes no valid timer.
    if (!timerName.empty() && Trimmed(f.timerValue).empty())
        return failure(TimerValueMissingMessage, RuleField::TimerName, AfterFailure::KeepPage);
    if (RuleResult id = CheckIdentifier(f.actionId, RuleField::ActionId))
        return id;
    if (!PassesStrictCheck(Trimmed(f.actionName)))
        return failure(NameCharactersMessage, RuleField::ActionName);
    if (!PassesStrictCheck(Trimmed(f.variableName)))
        return failure(NameCharactersMessage, RuleField::VariableName);
    return std::nullopt;
}

} // namespace tess
