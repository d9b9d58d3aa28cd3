#include "wml/WmlFormatter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tess {
namespace {

using Cases = std::vector<std::pair<std::string, std::string>>;

void expectFormats(const Cases &cases)
{
    for (const auto &[in, out] : cases) {
        EXPECT_EQ(formatWml(in), out) << testing::PrintToString(in);
        EXPECT_EQ(formatWml(out), out) << testing::PrintToString(in);
    }
}

TEST(Formatter, RewritesOnlyWhitespaceBetweenMarkupInElementOnlyContent)
{
    expectFormats({
        {"", ""},
        {"No markup at all\r\n", "No markup at all\r\n"},
        {"<p><em>Call</em> <b>x</b>\n</p>", "<p><em>Call</em> <b>x</b>\n</p>"},
        {"<WML><CARD/> </WML>", "<WML><CARD/> </WML>"},
        {"\r\n <wml>\r\n<card/>  </wml>\n", "\r\n <wml>\n\n\t<card/>\n\n</wml>\n"},
        {"<?xml version=\"1.0\"?>  \n <wml/>", "<?xml version=\"1.0\"?>\n\n<wml/>"},
        {"<wml><!-- c --><?pi x?><card><![CDATA[<x>]]></card></wml>",
         "<wml>\n\t<!-- c -->\n\t<?pi x?>\n\n\t<card>\n\t\t<![CDATA[<x>]]>\n\t</card>\n\n</wml>"},
        {"<!DOCTYPE wml [<!ENTITY x \"a>b]\"><!-- ] ' > -->]><wml/>",
         "<!DOCTYPE wml [<!ENTITY x \"a>b]\"><!-- ] ' > -->]>\n\n<wml/>"},
        {"<card title=\"a>b<c\" id='\"'><p/></card>",
         "<card title=\"a>b<c\" id='\"'>\n\t<p/>\n\n</card>"},
        // Mismatched end tags close up to their element, or are content.
        {"<wml><card><p>x</card><card/></wml>",
         "<wml>\n\n\t<card>\n\t\t<p>x</card>\n\n\t<card/>\n\n</wml>"},
        {"<wml></b><card/></wml></wml>", "<wml>\n\t</b>\n\n\t<card/>\n\n</wml>\n</wml>"},
        // Server code is text wherever it stands, and may hold '>' and quotes.
        {"<wml><%= head %><card/> <% x %>\n</wml>", "<wml><%= head %><card/> <% x %>\n</wml>"},
        {"<wml><card id=\"c<%= i %>\" title=\"<%= f(\">\") %>\"><p><a href=\"<%= u %>\">x</a>"
         "</p></card></wml>",
         "<wml>\n\n\t<card id=\"c<%= i %>\" title=\"<%= f(\">\") %>\">\n"
         "\t\t<p><a href=\"<%= u %>\">x</a></p>\n\t</card>\n\n</wml>"},
        {"<wml><card <% if (a > b) { %>id=\"x\"<% } %>><% y %></card></wml>",
         "<wml>\n\n\t<card <% if (a > b) { %>id=\"x\"<% } %>><% y %></card>\n\n</wml>"},
    });
}

std::string withoutWhitespace(std::string text)
{
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
    return text;
}

// Random decks that know which whitespace the layout owns: text gathers in
// `run` until the next markup token decides whether it is layout.
struct DeckMaker
{
    std::mt19937 random;
    std::string text, stripped, expected, run;

    std::string pick(const std::vector<std::string> &from) { return from[random() % from.size()]; }
    void space() { run += pick({"", "", " ", "\n", "\r\n\t\t"}); }

    void markup(const std::string &piece, size_t depth, bool blank, bool elementOnly)
    {
        const bool layout
            = !text.empty() && elementOnly && run.find_first_not_of(" \t\r\n") == std::string::npos;
        text += run + piece;
        stripped += (layout ? "" : run) + piece;
        expected += (layout ? (blank ? "\n\n" : "\n") + std::string(depth, '\t') : run) + piece;
        run.clear();
    }

    void element(size_t depth, bool context)
    {
        static const std::vector<std::string>
            kNames = {"wml",    "head",   "template", "card",   "do",       "onevent",
                      "go",     "prev",   "refresh",  "select", "optgroup", "table",
                      "tr",     "access", "meta", // element-only from here up
                      "p",      "a",      "anchor",   "em",     "option",   "td",
                      "setvar", "br",     "Card"};
        const size_t index = depth == 0 ? 0 : random() % kNames.size();
        const std::string &name = kNames[index];
        const bool elementOnly = index < 15;
        const std::string tag
            = name + pick({"", " id=\"a\"", " title='x > y'", " v=\"<%= f(\"q>\") %>\""});
        const bool blank = depth == 0 || name == "head" || name == "template" || name == "card";
        if (depth > 0 && random() % 4 == 0)
            return markup("<" + tag + "/>", depth, blank, context);
        markup("<" + tag + ">", depth, blank, context);
        for (unsigned child = random() % 5; child > 0; --child) {
            space();
            if (depth < 5 && random() % 2)
                element(depth + 1, elementOnly);
            else if (random() % 3 == 0)
                markup(pick({"<!-- c -->", "<?pi x?>", "<![CDATA[ <x> ]]>"}), depth + 1, false,
                       elementOnly);
            else if (!elementOnly || random() % 4 == 0)
                run += pick({"<%= v %>", "<% if (a<b) { %>", "Hi", "a &amp; b", "1 < 2", " "});
            space();
        }
        markup("</" + name + ">", depth, depth == 0, elementOnly);
    }
};

// Formatting changes exactly the whitespace the layout owns, and settles; a
// mutated deck keeps everything but whitespace, including what it starts with.
TEST(Formatter, GeneratedAndMutatedDecksKeepTheirTextAndSettle)
{
    std::mt19937 random(20240611);
    for (unsigned seed = 0; seed < 400; ++seed) {
        DeckMaker deck;
        deck.random.seed(seed);
        deck.run = deck.pick({"", "\n", " \r\n"});
        if (seed % 2)
            deck.markup("<?xml version=\"1.0\"?>", 0, false, true);
        deck.space();
        deck.element(0, true);
        deck.space();
        for (std::string *text : {&deck.text, &deck.stripped, &deck.expected})
            *text += deck.run;
        ASSERT_EQ(formatWml(deck.text), deck.expected) << testing::PrintToString(deck.text);
        ASSERT_EQ(formatWml(deck.stripped), deck.expected) << testing::PrintToString(deck.text);
        ASSERT_EQ(formatWml(deck.expected), deck.expected);

        std::string mutated = deck.text;
        for (unsigned edit = 1 + random() % 4; edit > 0 && !mutated.empty(); --edit) {
            const size_t at = random() % mutated.size();
            if (random() % 2)
                mutated.erase(at, random() % 8);
            else
                mutated.insert(at, 1, "<>\"'/!?%-[] \n"[random() % 13]);
        }
        const std::string out = formatWml(mutated);
        ASSERT_EQ(withoutWhitespace(out), withoutWhitespace(mutated)) << mutated;
        ASSERT_TRUE(out.starts_with(mutated.substr(0, mutated.find_first_not_of(" \t\r\n") + 1)));
        ASSERT_EQ(formatWml(out), out) << testing::PrintToString(mutated);
    }
}

// A large deck keeps its text; deep nesting does not make lines grow without end.
TEST(Formatter, LargeAndDeepDecks)
{
    std::string big = "<wml>";
    while (big.size() < 5'000'000)
        big += "<card id=\"c\"><do type=\"accept\"><go href=\"#c\"/></do><p>Text <b>b</b> "
               "<select name=\"s\"><option value=\"1\">One</option></select></p></card>";
    big += "</wml>";
    std::string deep;
    for (int i = 0; i < 100'000; ++i)
        deep += "<select></x>";

    EXPECT_EQ(withoutWhitespace(formatWml(big)), withoutWhitespace(big));
    EXPECT_LT(formatWml(deep).size(), 100 * deep.size());
}

} // namespace
} // namespace tess
