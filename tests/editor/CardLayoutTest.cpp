#include "editor/CardLayout.h"
#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"
#include "deck/ElementKind.h"
#include "deck/NodeIndex.h"
#include "editor/DeckDocument.h"
#include "editor/ElementPainting.h"
#include "wml/XmlTestSupport.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tess {

namespace {

class CardLayoutTest : public ::testing::Test
{
protected:
    CardLayoutTest()
        : m_image(600, 700, QImage::Format_RGB32)
    { }

    QImage m_image;
};

TEST_F(CardLayoutTest, RenderingOfAFixtureDeck)
{
    QTemporaryDir temp;
    DeckDocument doc;
    test::RecordingSink sink;
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

// The flat index answers as the walk of the tree for every point of a card
// whose controls overlap, option groups and a fieldset included.
TEST(CardHitIndexTest, AnswersAsTheTreeWalkOnOverlappingControls)
{
    DeckModel model;
    DeckNode *card = CardLayout::buildStartingDeck(model);
    const auto add = [&](DeckNode *parent, ElementKind kind, const std::string &fragment) {
        NodeInsertRequest request {model.root(), makeElement(kind, fragment)};
        request.parentId = parent->id();
        return FindById(model.root(), Insert(request));
    };
    const auto words
        = [&](DeckNode *parent, ElementKind kind, const std::string &fragment, const char *text) {
              DeckNode *node = add(parent, kind, fragment);
              add(node, ElementKind::Text, text);
              return node;
          };
    DeckNode *p = card->firstChild;
    DeckNode *fieldset = add(p, ElementKind::Other, "<fieldset title=\"F\" >");
    ASSERT_TRUE(IsFieldset(fieldset));
    for (int i = 0; i < 4; ++i) {
        DeckNode *parent = i == 2 ? fieldset : p;
        add(parent, ElementKind::Input, "<input name=\"x\" />");
        words(parent, ElementKind::Anchor, "<a href=\"#x\" >", "Go on");
        DeckNode *select = add(parent, ElementKind::Select, "<select >");
        words(select, ElementKind::Option, "<option >", "Small");
        DeckNode *group = add(select, ElementKind::Optgroup, "<optgroup title=\"G\" >");
        words(group, ElementKind::Option, "<option >", "Medium");
        words(group, ElementKind::Option, "<option >", "Large");
        words(parent, ElementKind::Text, "<b >", "Some words");
    }
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    const int bottom = CardLayout().alignAll(painter, card);
    ASSERT_GT(bottom, 200);
    // Every third control slides up over the one before it, and the last
    // input lies across the first select's options.
    int n = 0;
    DeckNode *lastInput = nullptr;
    DeckNode *firstSelect = nullptr;
    for (DeckNode *c = card; c; c = nextInSubtree(c, card)) {
        if (!IsPlacedControl(c->kind()))
            continue;
        if (c->kind() == ElementKind::Input)
            lastInput = c;
        if (c->kind() == ElementKind::Select && !firstSelect)
            firstSelect = c;
        if (++n % 3 == 0) {
            DesignRect &r = c->element->rect;
            r = {r.left + 20, r.top - 15, r.right + 20, r.bottom - 15};
            CardLayout::stackSelect(c);
        }
    }
    ASSERT_TRUE(lastInput && firstSelect);
    const DesignRect s = firstSelect->element->rect;
    lastInput->element->rect = {s.left + 10, s.top + 25, s.right + 30, s.top + 45};

    const CardHitIndex index(card);
    std::set<const DeckNode *> seen;
    for (int y = -2; y <= bottom + 4; ++y) {
        for (int x = -2; x <= 260; ++x) {
            DeckNode *walked = CardLayout::hitTest(card, x, y);
            ASSERT_EQ(index.hitTest(x, y), walked) << x << "," << y;
            seen.insert(walked);
        }
    }
    // Cards, inputs, anchors, selects, groups, options and texts all answered.
    EXPECT_GE(seen.size(), 30u);
    // Where the last input lies over the first select, the select, first in
    // deck order, is hit, at its option.
    EXPECT_EQ(CardLayout::selectionTarget(index.hitTest(s.left + 12, s.top + 27)), firstSelect);
    EXPECT_EQ(index.hitTest(s.right + 20, s.top + 27), lastInput);

    // Built again after a move, it follows; an empty index finds nothing.
    lastInput->element->rect = {400, 400, 420, 420};
    CardHitIndex moved(card);
    EXPECT_EQ(moved.hitTest(410, 410), lastInput);
    EXPECT_EQ(index.hitTest(410, 410), card);
    moved.clear();
    EXPECT_EQ(moved.hitTest(410, 410), nullptr);
}

} // namespace
} // namespace tess
