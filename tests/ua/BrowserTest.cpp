#include "ua/Browser.h"

#include <gtest/gtest.h>

using tess::ua::Browser;

namespace {

std::string deck(const std::string &name)
{
    return std::string(TESS_TEST_DATA_DIR) + "/ua/" + name;
}

// A deck, a script, and the trace it must give (after the opening and
// after each step). `error` is the reason a failing script gives, "" for a
// script that runs through.
struct ScriptCase
{
    const char *name;
    const char *deck;
    const char *script;
    const char *trace;
    const char *error = "";
};

void PrintTo(const ScriptCase &c, std::ostream *os)
{
    *os << c.name;
}

class ScriptTest : public testing::TestWithParam<ScriptCase>
{
};

TEST_P(ScriptTest, GivesItsTrace)
{
    const ScriptCase &c = GetParam();
    Browser browser;
    std::string out;
    std::string error;
    const bool ok = tess::ua::runScript(browser, deck(c.deck), c.script, out, &error);
    EXPECT_EQ(out, c.trace);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(ok, std::string(c.error).empty());
}

const ScriptCase kCases[] = {
    {"links", "links.wml",
     "select 1; activate; select 1; activate; back; back; select 2; activate; back; select 3; "
     "activate; select 1; activate",
     "card: home\n"
     "| Welcome home\n"
     "| [Two] [Three]\n"
     "| [Other deck]\n"
     "card: home\n"
     "| Welcome home\n"
     "| [Two] [Three]\n"
     "| [Other deck]\n"
     "card: two\n"
     "| Card two [on]\n"
     "card: two\n"
     "| Card two [on]\n"
     "card: three\n"
     "| Card three (dot)\n"
     "| a | b\n"
     "| c |\n"
     "card: two\n"
     "| Card two [on]\n"
     "card: home\n"
     "| Welcome home\n"
     "| [Two] [Three]\n"
     "| [Other deck]\n"
     "card: home\n"
     "| Welcome home\n"
     "| [Two] [Three]\n"
     "| [Other deck]\n"
     "card: three\n"
     "| Card three (dot)\n"
     "| a | b\n"
     "| c |\n"
     "card: home\n"
     "| Welcome home\n"
     "| [Two] [Three]\n"
     "| [Other deck]\n"
     "card: home\n"
     "| Welcome home\n"
     "| [Two] [Three]\n"
     "| [Other deck]\n"
     "card: end\n"
     "| End of second [back to two]\n"
     "card: end\n"
     "| End of second [back to two]\n"
     "card: two\n"
     "| Card two [on]\n"},
    {"back_past_first", "links.wml", "back",
     "card: home\n"
     "| Welcome home\n"
     "| [Two] [Three]\n"
     "| [Other deck]\n",
     "back: there is nothing to go back to"},
    {"select_out_of_range", "links.wml", "select 9",
     "card: home\n"
     "| Welcome home\n"
     "| [Two] [Three]\n"
     "| [Other deck]\n",
     "select 9: there is no link or field 9 (the card has 3)"},
    {"vars", "vars.wml", "activate; activate",
     "card: start\n"
     "| [Set]\n"
     "var target=shown\n"
     "card: shown\n"
     "| x=a b&c e=a%20b%26c u=a b n=a%20b short=a b&c cost $5 a%20b%26c a b a b&c\n"
     "| [again]\n"
     "var target=shown\n"
     "var x=a b&c\n"
     "var y=a%20b\n"
     "card: shown\n"
     "| x=a b&c e=a%20b%26c u=a b n=a%20b short=a b&c cost $5 a%20b%26c a b a b&c\n"
     "| [again]\n"
     "var target=shown\n"
     "var x=a b&c\n"
     "var y=a%20b\n"},
    {"newcontext", "context.wml", "activate; back",
     "card: one\n"
     "| [fresh]\n"
     "var old=1\n"
     "card: fresh\n"
     "| old= kept=yes\n"
     "var kept=yes\n",
     "back: there is nothing to go back to"},
    {"softkeys", "softkeys.wml",
     "softkey Mine; softkey Menu; softkey Back; softkey Back; softkey options; back; softkey Help",
     "card: main\n"
     "| Main\n"
     "card: mine\n"
     "| Card menu\n"
     "card: menu\n"
     "| Template menu\n"
     "card: mine\n"
     "| Card menu\n"
     "card: main\n"
     "| Main\n"
     "card: mine\n"
     "| Card menu\n"
     "card: main\n"
     "| Main\n",
     "softkey Help: there is no soft key Help"},
    {"enter_backward", "events.wml", "select 1; activate; back; back",
     "card: a\n"
     "| A back= [b]\n"
     "card: a\n"
     "| A back= [b]\n"
     "card: c\n"
     "| C\n"
     "card: b\n"
     "| B\n"
     "card: a\n"
     "| A back=yes [b]\n"
     "var back=yes\n"},
    {"timer", "timer.wml", "wait 2; wait 0.4; wait 0.1",
     "card: splash\n"
     "| Wait [other]\n"
     "var t=25\n"
     "card: splash\n"
     "| Wait [other]\n"
     "var t=25\n"
     "card: splash\n"
     "| Wait [other]\n"
     "var t=25\n"
     "card: main\n"
     "| Main\n"
     "var t=0\n"},
    {"timer_late", "timer.wml", "wait 3",
     "card: splash\n"
     "| Wait [other]\n"
     "var t=25\n"
     "card: main\n"
     "| Main\n"
     "var t=0\n"},
    {"format", "form.wml", "type 12ab",
     "card: form\n"
     "| PIN [________]\n"
     "| Name [Ann_____] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pw=abc\n"
     "var who=Ann\n",
     "type 12ab: \"12ab\" does not fit the format NNNN"},
    {"form", "form.wml",
     "type 1234; select 2; type Bob Ray; select 4; activate; select 5; activate",
     "card: form\n"
     "| PIN [________]\n"
     "| Name [Ann_____] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pw=abc\n"
     "var who=Ann\n"
     "card: form\n"
     "| PIN [1234____]\n"
     "| Name [Ann_____] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pin=1234\n"
     "var pw=abc\n"
     "var who=Ann\n"
     "card: form\n"
     "| PIN [1234____]\n"
     "| Name [Ann_____] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pin=1234\n"
     "var pw=abc\n"
     "var who=Ann\n"
     "card: form\n"
     "| PIN [1234____]\n"
     "| Name [Bob Ray_] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pin=1234\n"
     "var pw=abc\n"
     "var who=Bob Ray\n"
     "card: form\n"
     "| PIN [1234____]\n"
     "| Name [Bob Ray_] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pin=1234\n"
     "var pw=abc\n"
     "var who=Bob Ray\n"
     "card: form\n"
     "| Not sent: this request would leave the phone\n"
     "| PIN [1234____]\n"
     "| Name [Bob Ray_] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pin=1234\n"
     "var pw=abc\n"
     "var who=Bob Ray\n"
     "request: POST http://example.com/post?u=Bob%20Ray\n"
     "postfield pin=1234\n"
     "postfield name=Bob Ray\n"
     "card: form\n"
     "| Not sent: this request would leave the phone\n"
     "| PIN [1234____]\n"
     "| Name [Bob Ray_] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pin=1234\n"
     "var pw=abc\n"
     "var who=Bob Ray\n"
     "request: POST http://example.com/post?u=Bob%20Ray\n"
     "postfield pin=1234\n"
     "postfield name=Bob Ray\n"
     "card: form\n"
     "| Not sent: this request would leave the phone\n"
     "| PIN [1234____]\n"
     "| Name [Bob Ray_] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pin=1234\n"
     "var pw=abc\n"
     "var who=Bob Ray\n"
     "request: GET http://example.com/get?q=a%20b\n"},
    {"type_on_link", "form.wml", "select 4; type x",
     "card: form\n"
     "| PIN [________]\n"
     "| Name [Ann_____] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pw=abc\n"
     "var who=Ann\n"
     "card: form\n"
     "| PIN [________]\n"
     "| Name [Ann_____] Secret [***_____]\n"
     "| [Send] [Ask]\n"
     "var pw=abc\n"
     "var who=Ann\n",
     "type x: type needs an input, and the focus is on a link"},
    {"select", "select.wml", "pick 2; pick 1; pick 2; select 2; pick 2",
     "card: choose\n"
     "| <Apple, Cherry> <Small>\n"
     "var fi=1;3\n"
     "var fruit=apple;cherry\n"
     "var size=s\n"
     "card: choose\n"
     "| <Apple, Pear, Cherry> <Small>\n"
     "var fi=1;2;3\n"
     "var fruit=apple;pear;cherry\n"
     "var size=s\n"
     "card: choose\n"
     "| <Pear, Cherry> <Small>\n"
     "var fi=2;3\n"
     "var fruit=pear;cherry\n"
     "var size=s\n"
     "card: choose\n"
     "| <Cherry> <Small>\n"
     "var fi=3\n"
     "var fruit=cherry\n"
     "var size=s\n"
     "card: choose\n"
     "| <Cherry> <Small>\n"
     "var fi=3\n"
     "var fruit=cherry\n"
     "var size=s\n"
     "card: large\n"
     "| Large l\n"
     "var fi=3\n"
     "var fruit=cherry\n"
     "var size=l\n"},
    {"onpick", "select.wml", "pick 5",
     "card: choose\n"
     "| <Apple, Cherry> <Small>\n"
     "var fi=1;3\n"
     "var fruit=apple;cherry\n"
     "var size=s\n"
     "card: plum\n"
     "| Plum picked apple;cherry;plum\n"
     "var fi=1;3;4\n"
     "var fruit=apple;cherry;plum\n"
     "var size=s\n"},
    {"loop", "loop.wml", "",
     "card: a\n"
     "| Stopped: more than 32 tasks ran one after another without input (a loop of go tasks?)\n"
     "| A\n"},
    {"broken", "broken.wml", "",
     "card: (none)\n"
     "| broken.wml: line 5, column 28: Opening and ending tag mismatch: b line 5 and p\n",
     "broken.wml: line 5, column 28: Opening and ending tag mismatch: b line 5 and p"},
    {"timer_paused", "timer.wml", "wait 1; activate; wait 5; back; wait 1; wait 0.5",
     "card: splash\n"
     "| Wait [other]\n"
     "var t=25\n"
     "card: splash\n"
     "| Wait [other]\n"
     "var t=25\n"
     "card: other\n"
     "| Other\n"
     "var t=15\n"
     "card: other\n"
     "| Other\n"
     "var t=15\n"
     "card: splash\n"
     "| Wait [other]\n"
     "var t=15\n"
     "card: splash\n"
     "| Wait [other]\n"
     "var t=15\n"
     "card: main\n"
     "| Main\n"
     "var t=0\n"},
    {"no_id_missing_deck", "second.wml", "activate",
     "card: #1\n"
     "| First of second [missing]\n",
     "activate: cannot open missing.wml: No such file or directory"},
};

INSTANTIATE_TEST_SUITE_P(Decks, ScriptTest, testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

// What a screen reads to edit a field: the input's unmasked value and mask,
// and a select's options with its group as a heading over indented options.
TEST(BrowserFields, InputAndSelectAsTheScreenEditsThem)
{
    Browser browser;
    ASSERT_TRUE(browser.open(deck("form.wml")));
    ASSERT_TRUE(browser.focus(2));
    const auto secret = browser.focusedInput();
    ASSERT_TRUE(secret);
    EXPECT_EQ(secret->value, "abc");
    EXPECT_TRUE(secret->password);
    ASSERT_TRUE(browser.focus(0));
    EXPECT_EQ(browser.focusedInput()->format, "NNNN");
    EXPECT_EQ(browser.focusedInput()->maxLength, 4);

    ASSERT_TRUE(browser.open(deck("select.wml")));
    EXPECT_FALSE(browser.focusedInput());
    EXPECT_TRUE(browser.focusedSelect()->multiple);
    std::string listing;
    for (const auto &option : browser.options())
        listing += std::string(option.depth, ' ')
            + (option.group          ? "#"
                   : option.selected ? "*"
                                     : "-")
            + option.text + "\n";
    EXPECT_EQ(listing, "*Apple\n-Pear\n#Red\n *Cherry\n -Plum\n");
    EXPECT_FALSE(browser.pick(2)); // the heading
}

} // namespace
