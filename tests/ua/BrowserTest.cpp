#include "ua/Browser.h"

#include <gtest/gtest.h>

using tess::ua::Browser;

namespace {

std::string deck(const std::string &name) { return std::string(TESS_TEST_DATA_DIR) + "/ua/" + name; }

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

class ScriptTest : public testing::TestWithParam<ScriptCase>
{ };

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
    {"links", "links.wml", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Decks, ScriptTest, testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
