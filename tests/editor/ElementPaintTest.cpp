#include "editor/ElementPainting.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace tess {

namespace {

TEST(ElementCaptions, LabelsTakeWordsAndFontFromTheirTags)
{
    const struct
    {
        const char *label;
        const char *caption;
        FontChoice font;
    } cases[] = {
        {"<strong ><big >  Hi there ", "Hi there", {false, 700, false, 23}},
        {"<small >tiny", "tiny", {false, 400, false, -10}},
        {"<big ><small >both", "both", {false, 400, false, 23}},
        {"<em >a &lt; b &gt; c", "a < b > c", {true, 400, false, 0}},
        {"<i >&lt;tag&gt;", "<tag>", {true, 400, false, 0}},
        {"<u >u", "u", {false, 400, true, 0}},
        {"<b >not bold", "not bold", {}},
        {" 1 < 2 ", "1 < 2", {}},
        // Source form's line breaks and indentation show as a phone shows them.
        {"\n\t\t\tOn its\n\t\t\tway.\n\t\t", "On its way.", {}},
        {"<em >\r\n  Thank  you! ", "Thank you!", {true, 400, false, 0}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(labelCaption(c.label), c.caption) << c.label;
        EXPECT_EQ(labelFontChoice(c.label), c.font) << c.label;
    }
    EXPECT_EQ(makeElementFont({false, 400, false, -10}).pixelSize(), 10);
    const QFont big = makeElementFont({false, 700, false, 23});
    EXPECT_EQ(big.weight(), QFont::Bold);
    QFont bigger = big;
    bigger.setPixelSize(big.pixelSize() + 1);
    EXPECT_LE(QFontMetrics(big).height(), 23);
    EXPECT_GT(QFontMetrics(bigger).height(), 23);
}

} // namespace
} // namespace tess
