#include "tests/wml/XmlTestSupport.h"
#include "wml/XmlDocument.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

using test::xmlFixture;

TEST(WmlDtd, AcceptsADeckUsingEveryElement)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.load(xmlFixture("full_deck.wml")))
        << std::hex << doc.parseError().code << std::dec << " line " << doc.parseError().line
        << ": " << doc.parseError().reason;
    EXPECT_EQ(doc.documentElement().children().size(), 4u);
}

struct InvalidDeck
{
    const char *file;
    uint32_t code;
    int line;
    std::string reason;
    friend void PrintTo(const InvalidDeck &c, std::ostream *out) { *out << c.file; }
};

class WmlDtdRejects : public testing::TestWithParam<InvalidDeck>
{
};

TEST_P(WmlDtdRejects, NamesTheBrokenRule)
{
    XmlDocument doc;
    ASSERT_FALSE(doc.load(xmlFixture(GetParam().file)));
    EXPECT_EQ(doc.parseError().code, GetParam().code) << std::hex << doc.parseError().code;
    EXPECT_EQ(doc.parseError().line, GetParam().line);
    EXPECT_EQ(doc.parseError().reason, GetParam().reason);
}

const std::string CardModel = "expecting (onevent* , timer? , (do | p)*)";

INSTANTIATE_TEST_SUITE_P(
    Decks, WmlDtdRejects,
    testing::Values(
        InvalidDeck {"invalid_missing_required.wml", 0xC00CE206, 4,
                     "Element input does not carry attribute name"},
        InvalidDeck {"invalid_align.wml", 0xC00CE1F6, 4,
                     "Value \"middle\" for attribute align of p is not among the enumerated set"},
        InvalidDeck {
            "invalid_boolean.wml", 0xC00CE1F6, 3,
            "Value \"yes\" for attribute newcontext of card is not among the enumerated set"},
        InvalidDeck {"invalid_p_outside_card.wml", 0xC00CE1F8, 5,
                     "Element wml content does not follow the DTD, expecting (head? , template? , "
                     "card+), got (p card )"},
        InvalidDeck {"invalid_unknown_element.wml", 0xC00CE216, 4,
                     "No declaration for element blink"},
        InvalidDeck {"invalid_card_in_card.wml", 0xC00CE1F8, 5,
                     "Element card content does not follow the DTD, " + CardModel
                         + ", got (card )"},
        InvalidDeck {"invalid_timer_after_do.wml", 0xC00CE1F8, 6,
                     "Element card content does not follow the DTD, " + CardModel
                         + ", got (do timer )"},
        InvalidDeck {
            "invalid_select_without_option.wml", 0xC00CE1F8, 4,
            "Element select content does not follow the DTD, expecting (optgroup | option)+, got"},
        InvalidDeck {"invalid_do_two_tasks.wml", 0xC00CE1F8, 4,
                     "Element do content does not follow the DTD, expecting (go | prev | noop | "
                     "refresh), got (go prev)"},
        InvalidDeck {"invalid_table_without_columns.wml", 0xC00CE206, 4,
                     "Element table does not carry attribute columns"},
        InvalidDeck {"invalid_duplicate_id.wml", 0xC00CE201, 4, "ID a already defined"}));

} // namespace
} // namespace tess
