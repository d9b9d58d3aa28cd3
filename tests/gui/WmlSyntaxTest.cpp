#include "gui/code/WmlSyntax.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

// The tokens of a text written one per "|": the class letter (Keyword,
// Attribute, String, Number, Comment) followed by the token's text.
std::string tokens(const std::string &text)
{
    std::string out;
    for (const SyntaxToken &t : tokenizeWml(text))
        out += std::string(out.empty() ? "" : "|") + "KASNC"[int(t.tokenClass)]
            + text.substr(t.start, t.length);
    return out;
}

TEST(TokenizeTest, ColoursExactlyTheseTokens)
{
    struct Case
    {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"<card id=\"c1\">", "Kcard|Aid|S\"c1\""},
        {"<p>card</p>", "Kp|Kp"}, // not a tag word in the paragraph's text
        {"<p>", "Kp"},
        {"<CARD ID=\"x\">", "S\"x\""},
        {"<!-- a <card> \"q\" 12\n--> <p>", "C<!-- a <card> \"q\" 12|Kp"},
        {"\"<!x\" <!y", "S\"<!x\"|C<!y"},
        {"buy 12 apples", "N12"},
        {"<b &amp;>", "Kb|A&amp;"},
        {"Tom &amp; Jerry &nbsp;", ""},
        {"p> x <p", ""}, // at the very start and end of the line
        {"<card\nid>", ""},
        {"<go href=\"#c\">", "Kgo|Ahref|S\"#c\""},
        // A "<" inside the unclosed string ends the tag for the words before.
        {"<go href=\"abc <p>", "S\"abc <p>"},
        {"\"ab\n<p>", "S\"ab|Kp"},
        {"<meta http-equiv=\"x\" xml:lang=\"en\">", "Kmeta|S\"x\"|S\"en\""},
        {"<cards car h1 x9 wml>", "Kwml"},
        {"1e 2. 3.5e+2x 4e- 0x1F .5 7E3", "N1|N2.|N3.5e+2|N4|N0|N5|N7E3"},
        {"<p \xC3\xA9t\xC3\xA9 align>", "Kp|Aalign"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(tokens(c.text), c.expected) << c.text;
}

} // namespace
} // namespace tess
