#include "editor/InputRules.h"
#include "deck/StartTag.h"

#include <optional>
#include <tuple>

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
    EXPECT_EQ(Trimmed("\v a \f"), "\v a \f"); // XML's blanks only
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

// Exact names, whatever stands around them; values unescaped, the dialogs'
// trimmed; absent is not empty.
TEST(StartTag, ReadsEachAttributeByItsExactName)
{
    const std::string select = "<select iname=\"in\" ivalue=\"2\" name=\" n \" value=\"v\" >";
    const std::tuple<std::string, std::string, std::optional<std::string>> cases[] = {
        {"<input name=\" x y \" title=\"\" >", "name", " x y "},
        {"<input name=\"x\" title=\"\" >", "title", ""},
        {"<input name=\"x\" >", "title", std::nullopt},
        {"<input name=\"x >", "name", std::nullopt},
        {"<card title=\"T\" >", "xml:lang", std::nullopt},
        {select, "name", " n "},
        {select, "value", "v"},
        {select, "iname", "in"},
        {"<img localsrc=\"l\" src=\"s\" >", "src", "s"},
        {"<input title=\"name=&quot;x&quot;\" name=\"y\" >", "name", "y"},
        {"<a title='say \"hi\"' href=\"a&amp;b\" >", "title", "say \"hi\""},
        {"<a title='say \"hi\"' href=\"a&amp;b\" >", "href", "a&b"},
        {"<go href=\"#a\" ><!-- c -->", "href", "#a"},
        {"<!-- <a href=\"#a\" > -->", "href", std::nullopt},
        {"Fish &amp; chips", "chips", std::nullopt},
    };
    for (const auto &[text, name, expected] : cases)
        EXPECT_EQ(StartTag(text).value(name), expected) << text << " " << name;
    EXPECT_EQ(StartTag(select).shownValue("name"), "n");
    EXPECT_EQ(StartTag(select).shownValue("title"), "");
    EXPECT_EQ(StartTag("<a href=\"a&amp;b\" >").raw("href"), "a&amp;b");
}

} // namespace
} // namespace tess
