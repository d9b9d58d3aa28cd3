#include "editor/InputRules.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

const std::string kNameMessage = "Name is Alpha Numeric, no Special Characters are allowed";
const std::string kTitleMessage = "Title is Alpha Numeric, no Special Characters are allowed";
const std::string kTabMessage = "TabIndex is Numeric, no Characters are allowed";
const std::string kDigitMessage
    = "First Character in an ID cannot be a number, it must be an Alphabet";
const std::string kIdMessage
    = "ID is Alpha Numeric, no Special Characters or empty spaces are allowed";
const std::string kNameCharsMessage = "No Special Characters or empty spaces are allowed in Name";

std::string describe(const RuleResult &r)
{
    return r
        ? r->message + " @" + std::to_string(int(r->field)) + "/" + std::to_string(int(r->effect))
        : "pass";
}

std::string expect(const std::string &message, RuleField field,
                   AfterFailure effect = AfterFailure::Stop)
{
    return describe(RuleFailure {message, field, effect});
}

TEST(InputRules, SelectChecksInOrderWithOneIdMessage)
{
    const auto idFail
        = [](const std::string &m) { return expect(m, RuleField::Id, AfterFailure::IdCleared); };
    const std::tuple<std::string, std::string, std::string, std::string, std::string> cases[] = {
        {"", "", "", "", "pass"},
        {" my name ", "", "", "", "pass"},
        {"my_name", "a=b", "12", "abc", "pass"},
        {"a-b", "a.b", "x", "0", expect(kNameMessage, RuleField::Name)},
        {"ab", "a.b", "x", "0", expect(kTitleMessage, RuleField::Title)},
        {"ab", "t", "1a", "0", expect(kTabMessage, RuleField::TabIndex)},
        {"ab", "t", "1", "0abc", idFail(kDigitMessage)},
        {"ab", "t", "1", " 7 x", idFail(kDigitMessage)},
        {"ab", "t", "1", "a b", idFail(kIdMessage)},
        {"ab", "t", "1", "a_b", idFail(kIdMessage)},
        {"ab", "t", "1", "  ", "pass"},
    };
    for (const auto &[name, title, tab, id, expected] : cases)
        EXPECT_EQ(describe(CheckSelectFields(name, title, tab, id)), expected) << name << "|" << id;
}

TEST(InputRules, InputNameTakesTheValueWhenEmpty)
{
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {" x ", " v ", "x", "pass"},
        {"  ", " typed ", "typed", "pass"},
        {"", "", "", expect("Name is essential please enter the name", RuleField::Name)},
    };
    for (auto [name, value, expectedName, expected] : cases) {
        EXPECT_EQ(describe(CheckInputName(name, value)), expected);
        EXPECT_EQ(name, expectedName);
    }
    EXPECT_EQ(describe(CheckOptionId("9a")),
              expect(kDigitMessage, RuleField::Id, AfterFailure::IdCleared));
}

TEST(InputRules, CardSheetChecksBothPagesInOrder)
{
    struct Case
    {
        CardSheetCheck fields;
        std::string expected;
    };
    const Case cases[] = {
        {{}, "pass"},
        {{.cardId = "c1", .title = "Home", .timerName = "t", .timerValue = "10"}, "pass"},
        {{.cardId = "1c", .title = "a\"b"}, expect(kDigitMessage, RuleField::CardId)},
        {{.cardId = "c 1"}, expect(kIdMessage, RuleField::CardId)},
        {{.title = "say \"hi\""}, expect("Illegal Character encountered.", RuleField::CardTitle)},
        {{.timerUrl = "#\""}, expect("Illegal Character encountered.", RuleField::TimerUrl)},
        {{.timerName = "t-1", .timerValue = ""}, expect(kNameCharsMessage, RuleField::TimerName)},
        {{.timerName = "t", .timerValue = " "},
         expect("Enter value for timer", RuleField::TimerName, AfterFailure::KeepPage)},
        {{.timerValue = "5", .actionId = "0a"}, expect(kDigitMessage, RuleField::ActionId)},
        {{.actionName = "go on"}, expect(kNameCharsMessage, RuleField::ActionName)},
        {{.variableName = "a.b"}, expect(kNameCharsMessage, RuleField::VariableName)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(describe(CheckCardSheet(c.fields)), c.expected) << c.expected;
}

} // namespace
} // namespace tess
