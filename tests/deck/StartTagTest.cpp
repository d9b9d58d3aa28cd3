#include "deck/StartTag.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tess {
namespace {

// Each attribute is read from its own name=value pair, whatever the other
// pairs hold: these are the readings that used to pick a neighbour's value.
TEST(StartTag, ReadsEachAttributeFromItsOwnPair)
{
    const struct
    {
        const char *text;
        const char *name;
        std::optional<std::string> value;
    } cases[] = {
        {"<img localsrc=\"a\" src=\"b\" alt=\"x\" />", "src", "b"},
        {"<select iname=\"i\" name=\"n\" ivalue=\"1\" value=\"v\" >", "name", "n"},
        {"<select iname=\"i\" ivalue=\"1\" >", "value", std::nullopt},
        {"<card title=\"name=x\" >", "name", std::nullopt},
        {"<go href='a.wml#b' method=\"post\" >", "href", "a.wml#b"},
        {"<input title=\"&quot;Q&quot; &amp; A\" />", "title", "\"Q\" & A"},
        {"<input value=\"\" />", "value", ""},
        {"<!-- <a href=\"x\"> --> <b>", "href", std::nullopt},
    };
    for (const auto &c : cases) {
        const StartTag tag(c.text);
        EXPECT_EQ(tag.value(c.name), c.value) << c.text;
        EXPECT_EQ(tag.text(), c.text);
    }
    EXPECT_EQ(StartTag("<p align=\" left \" >").shownValue("align"), "left");
    EXPECT_EQ(StartTag("<input title=\"&amp;\" />").raw("title"), "&amp;");
    EXPECT_EQ(Trimmed(" \t\r\nab c\n "), "ab c");
}

} // namespace
} // namespace tess
