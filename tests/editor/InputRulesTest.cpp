#include "editor/InputRules.h"
#include "deck/AttributeReader.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(InputRules, CharacterChecksRefuseExactlyTheirSets)
{
    const std::string strict = " ~`-_!@#$%^&*()+{}:;\"'<>,.?/\\|[]";
    for (char c : strict) {
        const std::string value = std::string("ab") + c + "1";
        EXPECT_FALSE(PassesStrictCheck(value)) << value;
        EXPECT_EQ(PassesLenientCheck(value), c == ' ' || c == '_') << value;
    }
    for (const char *value : {"", "abc123", "a=b", "=", "\xC3\xA9t\xC3\xA9", "\t"}) {
        EXPECT_TRUE(PassesStrictCheck(value)) << value;
        EXPECT_TRUE(PassesLenientCheck(value)) << value;
    }
}

TEST(InputRules, SmallRules)
{
    EXPECT_TRUE(StartsWithDigit("0abc"));
    EXPECT_TRUE(StartsWithDigit("9"));
    EXPECT_FALSE(StartsWithDigit("a0"));
    EXPECT_FALSE(StartsWithDigit(""));
    EXPECT_TRUE(ContainsQuote("a\"b"));
    EXPECT_FALSE(ContainsQuote("a'b"));
    EXPECT_EQ(RemoveSpaces(" my  na me "), "myname");
    EXPECT_EQ(Trimmed(" \t\r\n a b \r\n"), "a b");
    EXPECT_EQ(Trimmed("  "), "");
    EXPECT_TRUE(IsDigitsOnly(""));
    EXPECT_TRUE(IsDigitsOnly("0123"));
    EXPECT_FALSE(IsDigitsOnly("1 "));
    EXPECT_FALSE(IsDigitsOnly("-1"));
}

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

TEST(AttributeReader, ReadsTheFirstQuotedValueAfterTheName)
{
    const std::string select = "<select iname=\"in\" ivalue=\"2\" name=\" n \" value=\"v\" >";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"<input name=\" x y \" title=\"\" >", "name", "x y"},
        {"<input name=\"x\" title=\"\" >", "title", ""},
        {"<input name=\"x\" >", "title", ""},
        {"<input name=\"x >", "name", ""},
        {"<card title=\"T\" >", "xml:lang", ""},
        {select, "name", "in"}, // the plain reader takes iname's value
        {select, "ivalue", "2"},
    };
    for (const auto &[fragment, name, expected] : cases)
        EXPECT_EQ(ReadAttribute(fragment, name), expected) << fragment << " " << name;
    EXPECT_EQ(ReadSelectAttribute(select, "name"), "n");
    EXPECT_EQ(ReadSelectAttribute(select, "value"), "v");
    EXPECT_EQ(ReadSelectAttribute(select, "iname"), "in");

    bool found = true;
    EXPECT_EQ(ReadQuotedValue("<card title=\" T \" >", "title", &found), " T ");
    EXPECT_TRUE(found);
    EXPECT_EQ(ReadQuotedValue("<card >", "ordered", &found), "");
    EXPECT_FALSE(found);
}

} // namespace
} // namespace tess
