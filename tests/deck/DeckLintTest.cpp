#include "deck/DeckLint.h"

#include "wml/PhoneProfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace tess {
namespace {

namespace fs = std::filesystem;

const std::string kHead = "<?xml version=\"1.0\"?>\n"
                          "<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
                          "\"http://www.wapforum.org/DTD/wml_1.1.xml\">\n";

// Two cards on lines 4 and 5: "one" links to "two".
std::string deck(const std::string &one, const std::string &two = "<p>two</p>",
                 const std::string &before = "")
{
    return kHead + "<wml>" + before + "\n<card id=\"one\">" + one
        + "<p><a href=\"#two\">2</a></p></card>\n<card id=\"two\">" + two + "</card></wml>\n";
}

// A folder of its own for each case, beside which links and pictures are
// looked up.
class LintFolder
{
public:
    LintFolder()
    {
        m_path = fs::temp_directory_path()
            / ("tess-lint-" + std::to_string(getpid()) + "-" + std::to_string(++s_count));
        fs::create_directories(m_path);
        write("other.wml", kHead + "<wml><card id=\"a\"><p>a</p></card></wml>\n");
        write("pic.gif", "GIF89a\x01\x00\x01\x00");
        write("ok.wbmp", std::string("\x00\x00\x01\x01\x80", 5));
        write("bad.wbmp", "");
        write("fake.gif", "not a picture");
    }
    ~LintFolder() { fs::remove_all(m_path); }
    std::string write(const std::string &name, const std::string &bytes)
    {
        const std::string path = (m_path / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    static inline int s_count = 0;
    fs::path m_path;
};

// "LINE:COL rule" for each finding of `rule`.
std::vector<std::string> placesOf(const std::vector<LintFinding> &findings, const std::string &rule)
{
    std::vector<std::string> places;
    for (const LintFinding &f : findings) {
        if (f.rule == rule)
            places.push_back(std::to_string(f.line) + ":" + std::to_string(f.column));
    }
    return places;
}

struct RuleCase
{
    const char *rule;
    const char *file;
    std::string triggers; // the deck that breaks the rule
    std::vector<std::string> places; // where
    std::string passes; // one close to it that does not
    const char *profile = nullptr;
};

TEST(DeckLint, EachRuleFiresWhereItShouldAndNotBesideIt)
{
    const std::string timer = "<timer value=\"50\"/>";
    const std::string input = "<p><input name=\"n\"/>$(n)</p>";
    const std::string big = "<p>" + std::string(2500, 'x') + "</p>";
    std::string breaks = "<p>";
    for (int i = 0; i < 2100; ++i)
        breaks += "<br/>";
    breaks += "</p>";
    const RuleCase cases[] = {
        {"text-before-declaration", "d.wml", "\xEF\xBB\xBF" + deck(""), {"1:1"}, deck("")},
        {"undeclared-encoding",
         "d.wml",
         deck("<p>caf\xC3\xA9</p>"),
         {"4:22"},
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + deck("<p>caf\xC3\xA9</p>").substr(21)},
        {"unknown-card",
         "d.wml",
         deck("<p><a href=\"#nope\">x</a></p>", "<p><a href=\"other.wml#zz\">z</a></p>"),
         {"4:19", "5:19"},
         deck("<p><a href=\"#one\">x</a></p>", "<p><a href=\"other.wml#a\">z</a></p>")},
        {"unknown-card",
         "d.wml",
         kHead + "<wml><card id=\"one\" onenterforward=\"#gone\"><p>1</p></card></wml>",
         {"3:6"},
         kHead + "<wml><card id=\"one\" onenterforward=\"#one\"><p>1</p></card></wml>"},
        {"missing-deck",
         "d.wml",
         deck("<p><a href=\"gone.wml\">x</a></p>"),
         {"4:19"},
         deck("<p><a href=\"other.wml?x=1\">x</a> <a href=\"http://h/gone.wml\">y</a> "
              "<a href=\"$(d).wml\">z</a> <a href=\"d.wml#two\">w</a></p>")},
        {"unset-variable",
         "d.wml",
         deck("<p>$x and $(y:e)</p>"),
         {"4:16", "4:16"},
         deck("<p>$$x and $(y:e)<input name=\"y\"/></p>", "<p>$(x)</p>",
              "<template><do type=\"accept\"><go href=\"#one\"><setvar name=\"x\" "
              "value=\"1\"/></go></do></template>")},
        {"unused-variable",
         "d.wml",
         deck(input.substr(0, input.size() - 8) + "</p>"),
         {"4:19"},
         deck(input)},
        {"missing-image",
         "d.wml",
         deck("<p><img src=\"none.gif\" alt=\"a\"/><img src=\"bad.wbmp\" alt=\"b\"/>"
              "<img src=\"fake.gif\" alt=\"c\"/></p>"),
         {"4:19", "4:48", "4:77"},
         deck("<p><img src=\"pic.gif\" alt=\"a\"/><img src=\"ok.wbmp\" alt=\"b\"/>"
              "<img src=\"http://h/x.gif\" alt=\"c\"/></p>")},
        {"timer-without-ontimer",
         "d.wml",
         deck(timer),
         {"4:16"},
         deck(timer, "<p>two</p>",
              "<template><onevent type=\"ontimer\"><go href=\"#two\"/></onevent></template>")},
        {"unreachable-card",
         "d.wml",
         deck("", "<p>2</p></card>\n<card id=\"three\"><p>3</p>"),
         {"6:1"},
         deck("", "<p>2</p></card>\n<card id=\"three\"><p>3</p>",
              "<template><do type=\"options\"><go href=\"#three\"/></do></template>")},
        {"deck-budget", "d.wml", deck(big), {"3:1"}, deck(big), "large"},
        // Counted without a compile: a byte at least for each element.
        {"deck-budget", "d.wml", deck(breaks), {"3:1"}, deck(breaks), "large"},
        {"no-accept",
         "d.wml",
         deck("<do type=\"accept\" name=\"ok\"><noop/></do>" + input, "<p/>",
              "<template><do type=\"accept\" name=\"ok\"><go href=\"#two\"/></do></template>"),
         {"4:59"},
         deck(input, "<p/>", "<template><do type=\"accept\"><go href=\"#two\"/></do></template>")},
        {"no-accept",
         "d.wml",
         deck(input),
         {"4:19"},
         deck("<p><input name=\"n\"/><anchor>go<go href=\"#two\"><postfield name=\"n\" "
              "value=\"$(n)\"/></go></anchor></p>")},
        // Server code stands in for a deck's lines: the page's own lines count.
        {"missing-deck",
         "p.asp",
         "<%@ Language=VBScript %>\r\n" + deck("<p><% x %><a href=\"gone.wml\">x</a></p>"),
         {"5:26"},
         "<%@ Language=VBScript %>\r\n" + deck("<p><a href=\"<%= u %>\">x</a></p>")},
    };
    for (const RuleCase &c : cases) {
        SCOPED_TRACE(std::string(c.rule) + " in " + c.triggers);
        LintFolder folder;
        const PageKind kind = std::string(c.file).ends_with(".asp") ? PageKind::Asp : PageKind::Wml;
        LintOptions options;
        options.profile = c.profile ? findPhoneProfile(c.profile) : nullptr;
        const std::string path = folder.write(c.file, c.triggers);
        EXPECT_EQ(placesOf(lintDeckFile(path, kind, LintOptions()), c.rule), c.places);
        folder.write(c.file, c.passes);
        EXPECT_EQ(placesOf(lintDeckFile(path, kind, options), c.rule), std::vector<std::string>());
    }
}

TEST(DeckLint, FileRulesOnADeckTheParserRefuses)
{
    const struct
    {
        std::string bytes;
        std::vector<std::string> found;
    } cases[] = {
        {"Saved by hand.\n" + deck(""), {"1:1 text-before-declaration"}},
        {"\n" + deck("<p>\xC3\xA9</p>"),
         {"1:1 text-before-declaration", "5:19 undeclared-encoding"}},
        {deck(""), {}},
    };
    for (const auto &c : cases) {
        std::vector<std::string> found;
        for (const LintFinding &f : lintDeckBytes(c.bytes, PageKind::Wml, LintOptions()))
            found.push_back(std::to_string(f.line) + ":" + std::to_string(f.column) + " " + f.rule);
        EXPECT_EQ(found, c.found) << c.bytes;
    }
}

TEST(DeckLint, SelectionFormatAndLineOfOutput)
{
    LintOptions options;
    std::string error;
    EXPECT_TRUE(parseLintSelection("-unknown-card,-unused-variable", options, error));
    EXPECT_EQ(options.disabled, (std::vector<std::string> {"unknown-card", "unused-variable"}));
    EXPECT_FALSE(parseLintSelection("-no-such-rule", options, error));
    EXPECT_EQ(error, "unknown lint rule '-no-such-rule' (turn a rule off with --lint=-RULE)");
    EXPECT_FALSE(parseLintSelection("unknown-card", options, error));

    LintFinding note {12, 3, LintSeverity::Note, "unused-variable", "Variable \"x\" is set."};
    EXPECT_EQ(formatLintFinding("a:b.wml", note),
              "a:b.wml:12:3: note: Variable \"x\" is set. [unused-variable]");
    const struct
    {
        const char *line;
        int number;
    } lines[] = {
        {"a:b.wml:12:3: note: x [y]", 12},
        {"/d/deck.wml:7:1: warning: Link to x.wml, which does not exist. [missing-deck]", 7},
        {"deck.wml:5:8: error: no name", 5},
        {"Compilations Done - No Errors Found !!!", 0},
        {"deck.wml:x:1: warning: t", 0},
    };
    for (const auto &l : lines)
        EXPECT_EQ(lintLineOf(l.line), l.number) << l.line;
}

} // namespace
} // namespace tess
