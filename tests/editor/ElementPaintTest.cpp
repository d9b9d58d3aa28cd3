#include "common/PrintDesignRect.h"
#include "deck/ElementKind.h"
#include "editor/ElementPainters.h"
#include "editor/ElementPainting.h"

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace tess {

namespace {

// Each case's text stands for both the element's fragment and its words:
// each painter reads only the one it draws from.
DesignRect paintAs(QPainter &painter, ElementKind kind, const DesignRect &given,
                   const std::string &text)
{
    return paintElement(painter, given, {Element(kind, text), text});
}

class ElementPaintTest : public ::testing::Test
{
protected:
    ElementPaintTest()
        : m_canvas(400, 300, QImage::Format_RGB32)
    {
        m_canvas.fill(Qt::white);
        QFile f(m_dir.filePath("pic.wbmp"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\0\0\x08\x02\xFF\0", 6)); // 8 x 2, white over black
        m_wbmp = f.fileName().toStdString();
    }

    DesignRect measure(const std::string &text, const DesignRect &in, FontChoice choice = {}) const
    {
        return measureText(makeElementFont(choice), &m_canvas, in, text);
    }

    QTemporaryDir m_dir;
    QImage m_canvas;
    std::string m_wbmp;
};

TEST_F(ElementPaintTest, ReturnsTheRectanglesItCovers)
{
    QFile f(m_dir.filePath("text.wbmp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<wml/>");
    f.close();
    const std::string notWbmp = f.fileName().toStdString();

    const DesignRect g {20, 30, 120, 160}, icon {20, 30, 52, 62}, picture {20, 30, 28, 32};
    const auto input = [&](const char *caption) {
        const DesignRect m = measure(caption, g);
        return DesignRect {20, 30, m.right + m.height() + 100, 55};
    };
    const auto group = [&](const char *caption) {
        return DesignRect {20, 30, std::max(120, measure(caption, {23, 32, 120, 160}).right), 160};
    };
    const auto widened = [&](const char *caption, FontChoice choice = {}) {
        return DesignRect {20, 30, 120 + measure(caption, g, choice).height(), 160};
    };
    const auto anchor = [&](const char *caption) {
        const DesignRect m = measure(caption, g, {false, 400, true, 0});
        return DesignRect {20, 30, m.right + m.height(), 160};
    };
    const struct
    {
        ElementKind kind;
        std::string text;
        DesignRect expected;
    } cases[] = {
        {ElementKind::Input, "<input name=\"x\" title=\"\" type=\"text\" >", input("Title")},
        {ElementKind::Input, "<input title=\"  Your name \" >", input("Your name")},
        {ElementKind::Select, "<select multiple=\"false\" >", group("Select")},
        {ElementKind::Select, "<select title=\"   Colours  \" >", group("Colours")},
        {ElementKind::Optgroup, "<optgroup >", group("Optgroup")},
        {ElementKind::Option, "  ", widened("Option")},
        {ElementKind::Anchor, "Anchor", anchor("Anchor")},
        {ElementKind::Text, "Text", {20, 30, 135, 85}},
        {ElementKind::Text, "<strong ><big >Hello", g},
        {ElementKind::Image, "Image", icon},
        {ElementKind::Image, "<img alt=\"\" src=\"\" localsrc=\"" + m_wbmp + "\" >", icon},
        {ElementKind::Image, "<img src=\"" + notWbmp + "\" >", icon},
        {ElementKind::Image, "<img src=\"/no/such/file.wbmp\" >", icon},
        {ElementKind::Image, "<img alt=\"\" src=\" " + m_wbmp + " \" >", picture},
        {ElementKind::Image, "<img localsrc=\"" + m_wbmp + "\" >", picture},
        {ElementKind::Asp, "ASp Tag", icon},
        {ElementKind::Jsp, "JSP Tag", icon},
        {ElementKind::Paragraph, "<p align=\"left\" >", g}, // not drawn
    };
    QPainter painter(&m_canvas);
    const QFont font = painter.font();
    const QPen pen = painter.pen();
    for (const auto &c : cases) {
        EXPECT_EQ(paintAs(painter, c.kind, g, c.text), c.expected) << int(c.kind) << " " << c.text;
        EXPECT_EQ(painter.font(), font) << int(c.kind);
        EXPECT_EQ(painter.pen(), pen) << int(c.kind);
    }

    // What a select sizes itself by: the caption's width plus its height.
    const auto measured = [&](const char *caption) {
        const DesignRect m = measure(caption, {23, 32, 120, 160});
        return m.width() + m.height();
    };
    EXPECT_EQ(
        measureElement(&m_canvas, g, {Element(ElementKind::Select, "<select title=\" Go \" >")}),
        measured("Go"));
    EXPECT_EQ(measureElement(&m_canvas, g, {Element(ElementKind::Option, "<option >"), ""}),
              measured("Option"));
}

TEST_F(ElementPaintTest, MeasuringWrapsAtTheRectangle)
{
    const QFontMetrics fm(makeElementFont(), &m_canvas);
    EXPECT_EQ(measure("two words", {5, 7, 300, 10}),
              (DesignRect {5, 7, 5 + fm.boundingRect("two words").width(), 7 + fm.height()}));
    // Too narrow: one word a line, as wide as the longest word.
    const DesignRect narrow = measure("two words", {5, 7, 6, 10});
    EXPECT_EQ(narrow.height(), 2 * fm.lineSpacing() - fm.leading());
    EXPECT_EQ(narrow.width(), fm.boundingRect("words").width());
}

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

TEST_F(ElementPaintTest, PixelsLandWhereTheRectanglesSay)
{
    m_canvas.fill(kCanvasColour);
    QPainter painter(&m_canvas);
    paintAs(painter, ElementKind::Image, {5, 7, 5, 7}, "<img src=\"" + m_wbmp + "\" >");
    const DesignRect input = paintAs(painter, ElementKind::Input, {10, 40, 90, 65}, "<input >");
    const DesignRect select
        = paintAs(painter, ElementKind::Select, {10, 100, 120, 225}, "<select >");
    painter.fillRect(200, 40, 150, 80, Qt::white);
    paintAs(painter, ElementKind::Text, {200, 40, 210, 50}, "Text");
    paintAs(painter, ElementKind::Option, {200, 150, 260, 170}, "Option");
    paintAs(painter, ElementKind::Asp, {300, 200, 300, 200}, "");
    painter.end();

    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0), canvas = kCanvasColour;
    const QRgb outline = kInputOutlineColour, fill = kInputFillColour;
    const QRgb light = kFrameLightColour, dark = kFrameShadowColour;
    const int box = input.right - 90, r = select.right, b = select.bottom;
    // The picture and its surroundings; the input box, whose outline shows only
    // at the top and left; the select's frame; the placeholder box, in the
    // canvas colour over white.
    const struct
    {
        int x, y;
        QRgb colour;
    } pixels[]
        = {{5, 7, white},        {12, 7, white},          {5, 8, black},      {12, 8, black},
           {4, 7, canvas},       {13, 7, canvas},         {5, 6, canvas},     {5, 9, canvas},
           {box, 40, outline},   {box + 89, 40, outline}, {box, 64, outline}, {box + 1, 41, fill},
           {box + 89, 64, fill}, {box + 90, 50, canvas},  {10, 100, light},   {r - 2, 100, light},
           {10, b - 2, light},   {r - 1, 100, dark},      {10, b - 1, dark},  {r, 110, canvas},
           {314, 94, canvas},    {315, 40, white},        {200, 95, white}};
    for (const auto &p : pixels)
        EXPECT_EQ(m_canvas.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;

    // A link stands on one line, however narrow the rectangle it is given,
    // and inside the rectangle it returns; source form's line break and
    // indentation after the words draw nothing.
    const std::string words = "Go on to the next card";
    DesignRect link;
    {
        QPainter more(&m_canvas);
        link = paintAs(more, ElementKind::Anchor, {200, 250, 260, 270}, words + "\n\t\t\t");
    }
    const QFontMetrics fm(makeElementFont({false, 400, true, 0}), &m_canvas);
    const int wordsEnd = 200 + fm.horizontalAdvance(QString::fromStdString(words));
    EXPECT_GE(link.right, wordsEnd);
    int inkRight = 0;
    for (int y = 245; y < 300; ++y)
        for (int x = 195; x < 400; ++x) {
            if (m_canvas.pixel(x, y) != canvas)
                inkRight = std::max(inkRight, x);
            if (y < 250 || y >= 270 || x >= link.right) {
                EXPECT_EQ(m_canvas.pixel(x, y), canvas) << x << "," << y;
            }
        }
    EXPECT_GT(inkRight, wordsEnd - fm.horizontalAdvance("d"));

    // The option mark keeps to its band.
    for (int y = 150; y < 170; ++y)
        for (int x = 200; x < 200 + kOptionCaptionIndent; ++x)
            if (x < 208 || x >= 214 || y < 155 || y >= 165) {
                EXPECT_EQ(m_canvas.pixel(x, y), canvas) << x << "," << y;
            }
    EXPECT_EQ(m_canvas.pixel(208, 160), black);

    // The code block icons are 32 x 32 pictures of their own.
    const QImage &asp = elementIcon(ElementIcon::AspCode);
    ASSERT_EQ(asp.size(), QSize(32, 32));
    EXPECT_NE(asp, elementIcon(ElementIcon::JspCode));
    EXPECT_EQ(m_canvas.pixel(300, 200), canvas); // transparent corner
    EXPECT_EQ(m_canvas.pixel(300 + 10, 200 + 14), asp.pixel(10, 14));
}

} // namespace
} // namespace tess
