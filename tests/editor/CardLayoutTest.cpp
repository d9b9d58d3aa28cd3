#include "editor/CardLayout.h"
#include "common/PrintDesignRect.h"
#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"
#include "deck/ElementKind.h"
#include "editor/DeckDocument.h"
#include "editor/ElementPainting.h"
#include "wml/MessageSink.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {

namespace {

// Builds a card inside a deck; nodes are added under a parent by id.
struct CardBuilder
{
    CardBuilder()
    {
        card = CardLayout::buildStartingDeck(model);
        paragraph = card->firstChild;
    }
    DeckNode *add(DeckNode *parent, ElementKind kind, const std::string &fragment,
                  DesignRect rect = {})
    {
        NodeInsertRequest request {model.root(), makeElement(kind, fragment)};
        request.element->rect = rect;
        request.parentId = parent->id();
        return FindById(model.root(), Insert(request));
    }
    DeckNode *option(DeckNode *parent, DesignRect rect, const std::string &words = "Small")
    {
        DeckNode *o = add(parent, ElementKind::Option, "<option >", rect);
        add(o, ElementKind::Text, words);
        return o;
    }

    DeckModel model;
    DeckNode *card = nullptr;
    DeckNode *paragraph = nullptr;
};

class CardLayoutTest : public ::testing::Test
{
protected:
    CardLayoutTest()
        : m_image(600, 700, QImage::Format_RGB32)
    { }

    void paint(DeckNode *card)
    {
        m_image.fill(Qt::white);
        QPainter painter(&m_image);
        CardLayout().paint(painter, card);
    }
    // The height the element font gives one line of `text`.
    int lineHeight(const std::string &text) const
    {
        return measureText(makeElementFont(), &m_image, {0, 0, 1000, 0}, text).height();
    }

    CardBuilder b;
    QImage m_image;
};

TEST_F(CardLayoutTest, SelectKeepsItsMinimumSizeAndGrowsPastFiveRows)
{
    // A short caption still gives 3 + 97; rows of 20 from top + 20.
    const struct
    {
        int options;
        int bottom;
    } cases[] = {{0, 135}, {1, 135}, {5, 135}, {6, 155}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.options);
        CardBuilder deck;
        DeckNode *s = deck.add(deck.paragraph, ElementKind::Select, "<select >", {10, 10, 20, 20});
        for (int k = 0; k < c.options; ++k)
            deck.option(s, {15, 30 + 20 * k, 15, 50 + 20 * k}, "S");
        paint(deck.card);
        EXPECT_EQ(s->element->rect, (DesignRect {10, 10, 110, c.bottom}));
        // Each option: 3 + the smallest measure, then widened by its text.
        for (DeckNode *o = s->firstChild; o; o = o->nextSibling)
            EXPECT_EQ(o->element->rect.right, 15 + 3 + 72 + lineHeight("S"));
    }
}

TEST_F(CardLayoutTest, SelectWidensToItsWidestChild)
{
    const std::string words = "A much longer option caption that needs room";
    DeckNode *s
        = b.add(b.paragraph, ElementKind::Select, "<select title=\"T\" >", {10, 10, 20, 20});
    DeckNode *o = b.option(s, {15, 30, 15 + 400, 50}, words);
    paint(b.card);
    const DesignRect m = measureText(makeElementFont(), &m_image, {18, 32, 415, 50}, words);
    const int optionRight = 15 + 3 + (m.right + m.height() - 18) + m.height();
    EXPECT_EQ(o->element->rect, (DesignRect {15, 30, optionRight, 50}));
    EXPECT_EQ(s->element->rect, (DesignRect {10, 10, optionRight + 5, 135}));
}

TEST_F(CardLayoutTest, OptgroupWithMoreThanThreeOptionsGrows)
{
    DeckNode *s = b.add(b.paragraph, ElementKind::Select, "<select >", {10, 10, 20, 20});
    DeckNode *g = b.add(s, ElementKind::Optgroup, "<optgroup >", {15, 30, 15, 110});
    for (int k = 1; k <= 5; ++k)
        b.option(g, {20, 30 + 20 * k, 20, 50 + 20 * k}, "S");
    paint(b.card);
    const int optionRight = 20 + 37 + 72 + lineHeight("S");
    for (DeckNode *o = g->firstChild; o; o = o->nextSibling)
        EXPECT_EQ(o->element->rect.right, optionRight);
    // The fifth option ends at 150; its group 5 below, the select 5 more.
    EXPECT_EQ(g->element->rect, (DesignRect {15, 30, optionRight + 5, 155}));
    EXPECT_EQ(s->element->rect, (DesignRect {10, 10, optionRight + 10, 160}));
}

TEST_F(CardLayoutTest, StackingAfterAMoveKeepsWidths)
{
    DeckNode *s = b.add(b.paragraph, ElementKind::Select, "<select >", {10, 10, 200, 300});
    DeckNode *first = b.option(s, {400, 400, 460, 420});
    DeckNode *g = b.add(s, ElementKind::Optgroup, "<optgroup >", {0, 0, 97, 10});
    std::vector<DeckNode *> inner;
    for (int k = 0; k < 4; ++k)
        inner.push_back(b.option(g, {0, 0, 30, 5}));
    DeckNode *last = b.option(s, {0, 0, 60, 1});

    CardLayout::stackSelect(s);
    EXPECT_EQ(first->element->rect, (DesignRect {15, 30, 75, 50}));
    EXPECT_EQ(g->element->rect, (DesignRect {15, 50, 112, 155}));
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(inner[k]->element->rect, (DesignRect {20, 70 + 20 * k, 117, 90 + 20 * k})) << k;
    EXPECT_EQ(last->element->rect, (DesignRect {15, 160, 75, 180}));
    EXPECT_EQ(s->element->rect, (DesignRect {10, 10, 200, 185}));
    // Children ending above top + 125 leave the select 125 high.
    DeckNode *small = b.add(b.paragraph, ElementKind::Select, "<select >", {10, 400, 200, 900});
    b.option(small, {0, 0, 60, 1});
    CardLayout::stackSelect(small);
    EXPECT_EQ(small->element->rect, (DesignRect {10, 400, 200, 525}));
}

TEST_F(CardLayoutTest, HitTesting)
{
    DeckNode *input = b.add(b.paragraph, ElementKind::Input, "<input />", {10, 10, 100, 35});
    DeckNode *twin = b.add(b.paragraph, ElementKind::Input, "<input />", {10, 10, 100, 35});
    DeckNode *s = b.add(b.paragraph, ElementKind::Select, "<select >", {10, 50, 200, 250});
    DeckNode *o = b.option(s, {15, 70, 100, 90});
    DeckNode *g = b.add(s, ElementKind::Optgroup, "<optgroup >", {15, 95, 150, 200});
    DeckNode *inner = b.option(g, {20, 115, 140, 135});
    const struct
    {
        int x, y;
        DeckNode *hit;
        DeckNode *selected;
    } cases[] = {
        {100, 35, input, input}, // right and bottom edges belong to it; ties go first
        {10, 10, input, input},
        {101, 35, b.card, nullptr}, // outside everything: the card, nothing selected
        {50, 80, o, s},
        {140, 135, inner, s}, // inside an option of an optgroup
        {30, 150, g, s},
        {180, 60, s, s},
        {-1, -1, b.card, nullptr}, // the card's own (-1, -1) corner
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        DeckNode *hit = CardLayout::hitTest(b.card, c.x, c.y);
        EXPECT_EQ(hit, c.hit);
        EXPECT_EQ(CardLayout::selectionTarget(hit), c.selected);
    }
    EXPECT_NE(CardLayout::hitTest(b.card, 10, 10), twin);
    // A paragraph and a text chain's inner node carry no place.
    EXPECT_EQ(CardLayout::hitTest(b.card, 0, 0), b.card);
}

// Controls inside a fieldset take their places in the column as well.
TEST_F(CardLayoutTest, AlignAllMakesOneColumn)
{
    DeckNode *input = b.add(b.paragraph, ElementKind::Input, "<input title=\"Name\" />");
    DeckNode *fieldset = b.add(b.paragraph, ElementKind::Other, "<fieldset title=\"F\" >\r\n");
    DeckNode *s = b.add(fieldset, ElementKind::Select, "<select >");
    DeckNode *bare = b.add(s, ElementKind::Option, "<option >");
    b.add(b.paragraph, ElementKind::Break, "<br />");
    DeckNode *text = b.add(b.paragraph, ElementKind::Text, "<b >");
    b.add(text, ElementKind::Text, "Hi");
    int bottom = 0;
    {
        QPainter painter(&m_image);
        bottom = CardLayout().alignAll(painter, b.card);
    }

    const DesignRect in = input->element->rect, select = s->element->rect;
    EXPECT_EQ(std::vector({in.left, in.top, in.bottom, select.top, select.bottom}),
              std::vector({10, 10, 35, 45, 170}));
    EXPECT_EQ(bare->element->rect.top, 65);
    ASSERT_EQ(ChildCount(bare), 1);
    EXPECT_EQ(bare->firstChild->fragment(), "Option");
    EXPECT_EQ(text->element->rect, (DesignRect {10, 180, 90, 230}));
    EXPECT_EQ(bottom, 230);
    EXPECT_EQ(CardLayout::textLabel(text), "<b >Hi");
    paint(b.card);
    EXPECT_EQ(m_image.pixel(select.left, select.top), kFrameLightColour);
}

TEST_F(CardLayoutTest, ImagesBesideTheDeckAreFound)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    QFile(dir.filePath("pic.wbmp")).open(QIODevice::WriteOnly);
    QFile(dir.filePath("a&b.wbmp")).open(QIODevice::WriteOnly);
    const std::string full = dir.filePath("pic.wbmp").toStdString();
    const std::pair<std::string, std::string> cases[] = {
        {"<img src=\" pic.wbmp \" />", full},
        {"<img localsrc=\"pic.wbmp\" />", full},
        {"<img src=\"missing.wbmp\" />", "missing.wbmp"},
        {"<img src=\"a&amp;b.wbmp\" />", dir.filePath("a&b.wbmp").toStdString()},
        // src decides even when empty.
        {"<img src=\"\" localsrc=\"pic.wbmp\" />", ""},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(PicturePath(Element(ElementKind::Image, in), folder), out) << in;
}

TEST_F(CardLayoutTest, RenderingOfAFixtureDeck)
{
    QTemporaryDir temp;
    DeckDocument doc;
    struct : MessageSink
    {
        void showMessage(const std::string &) override { }
    } sink;
    ASSERT_TRUE(doc.openFile(TESS_TEST_DATA_DIR "/design/controls.wml", sink, nullptr));
    ASSERT_TRUE(doc.model().validDeck);
    DeckNode *card = doc.CurrentCard();
    const CardLayout layout(doc.folder());
    {
        QPainter painter(&m_image);
        layout.alignAll(painter, card);
    }
    m_image.fill(Qt::white);
    {
        QPainter painter(&m_image);
        layout.paint(painter, card);
    }

    std::vector<DesignRect> placed;
    const DeckNode *image = nullptr;
    for (DeckNode *c = card->firstChild->firstChild; c; c = c->nextSibling) {
        if (c->kind() == ElementKind::Break || IsLayoutBlank(c))
            continue;
        placed.push_back(c->element->rect);
        if (c->kind() == ElementKind::Image)
            image = c;
    }
    ASSERT_EQ(placed.size(), 5u);
    ASSERT_NE(image, nullptr);

    const QRgb canvas = kCanvasColour;
    EXPECT_EQ(m_image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(m_image.pixel(0, 300), qRgb(0, 0, 0));
    EXPECT_EQ(m_image.pixel(300, 0), qRgb(0, 0, 0));
    for (const DesignRect &r : placed) {
        int inked = 0;
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x)
                inked += m_image.pixel(x, y) != canvas;
        EXPECT_GT(inked, 0) << r.left << "," << r.top;
    }
    int stray = 0;
    QPoint firstStray;
    for (int y = 1; y < m_image.height(); ++y) {
        for (int x = 1; x < m_image.width(); ++x) {
            const bool inside = std::any_of(placed.begin(), placed.end(),
                                            [&](const DesignRect &r) { return r.contains(x, y); });
            if (!inside && m_image.pixel(x, y) != canvas && stray++ == 0)
                firstStray = QPoint(x, y);
        }
    }
    EXPECT_EQ(stray, 0) << "first at " << firstStray.x() << "," << firstStray.y();

    // The picture: 12 x 6 in 2-pixel squares, white where the squares
    // alternate from the corner, its rectangle exactly its size.
    const DesignRect r = image->element->rect;
    EXPECT_EQ(r.width(), 12);
    EXPECT_EQ(r.height(), 6);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 12; ++x) {
            const QRgb expected = ((x / 2 + y / 2) % 2 == 0) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            EXPECT_EQ(m_image.pixel(r.left + x, r.top + y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(m_image.pixel(r.right, r.top), canvas);
    EXPECT_EQ(m_image.pixel(r.left, r.bottom), canvas);
}

} // namespace
} // namespace tess
