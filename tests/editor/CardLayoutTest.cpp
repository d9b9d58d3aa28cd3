#include "editor/CardLayout.h"
#include "deck/DeckModel.h"
#include "deck/ElementKind.h"
#include "editor/DeckDocument.h"
#include "editor/ElementPainting.h"
#include "wml/XmlTestSupport.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

} // namespace
} // namespace tess
