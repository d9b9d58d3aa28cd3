#include "gui/shell/DocumentWindow.h"
#include "app/CommandLine.h"
#include "common/FrameTest.h"
#include "common/ScriptedPrompter.h"
#include "common/UserInput.h"
#include "deck/DeckWriter.h"
#include "deck/ElementKind.h"
#include "editor/DeckDocument.h"
#include "editor/ElementPainting.h"
#include "gui/code/OutputView.h"
#include "gui/design/CardList.h"
#include "gui/design/DesignPane.h"
#include "gui/design/DesignView.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/ShellConstants.h"
#include "wml/FileUtil.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tess {
namespace {

const std::string kDesignData = TESS_TEST_DATA_DIR "/design/";

class DocumentWindowTest : public test::FrameTest
{
protected:
    DocumentWindow *open(const std::string &name)
    {
        std::string error;
        EXPECT_TRUE(m_frame.OpenDocumentFile(kDesignData + name, &error)) << error;
        return m_frame.activeChildFrame();
    }
    // What the design view draws, over white.
    static QImage render(DesignView *view)
    {
        QImage image(300, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        view->paintDesign(painter);
        return image;
    }
    static void click(DesignView *view, Qt::MouseButton button, QPoint at)
    {
        QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), button,
                          button, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &press);
    }
};

TEST_F(DocumentWindowTest, ADeckWithAnErrorLeavesTheDesignEmpty)
{
    DocumentWindow *child = open("broken.wml");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(m_frame.outputView()->message(),
              "Error 0xC00CE04C on line 5, position 28\n"
              "Opening and ending tag mismatch: b line 5 and p");
    DeckDocument &doc = child->document();
    EXPECT_FALSE(doc.model().validDeck);
    EXPECT_EQ(doc.model().root(), nullptr);
    EXPECT_EQ(child->designWnd()->cardList()->topLevelItemCount(), 0);

    // Only the outlined canvas, and clicks are ignored.
    DesignView *view = child->designWnd()->designView();
    const QImage image = render(view);
    EXPECT_EQ(image.pixel(0, 10), qRgb(0, 0, 0));
    for (int y = 1; y < image.height(); ++y)
        for (int x = 1; x < image.width(); ++x)
            ASSERT_EQ(image.pixel(x, y), kCanvasColour) << x << "," << y;
    click(view, Qt::LeftButton, {20, 20});
    EXPECT_FALSE(view->trackerShown());
}

TEST_F(DocumentWindowTest, ClicksSelectAndEscapeGoesToTheFrame)
{
    DocumentWindow *child = open("controls.wml");
    DesignView *view = child->designWnd()->designView();
    DeckDocument &doc = child->document();
    DeckNode *select = nullptr;
    for (DeckNode *c = doc.CurrentCard()->firstChild->firstChild; c; c = c->nextSibling)
        select = c->kind() == ElementKind::Select ? c : select;
    ASSERT_NE(select, nullptr);
    const DesignRect option = select->firstChild->element->rect;

    // An option selects its select, framed; the card selects nothing.
    click(view, Qt::LeftButton, {option.left + 1, option.top + 1});
    EXPECT_EQ(doc.selectedNode(), select);
    EXPECT_TRUE(view->trackerShown() && view->frameShown());
    const auto cursorAt = [view](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
        return view->viewport()->cursor().shape();
    };
    EXPECT_EQ(cursorAt({option.left + 1, option.top + 1}), Qt::SizeAllCursor);
    EXPECT_EQ(cursorAt({250, 5}), Qt::ArrowCursor);
    view->setInsertMode(true);
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(cursorAt({option.left + 1, option.top + 1}), Qt::CrossCursor);
    view->setInsertMode(false);

    click(view, Qt::LeftButton, {250, 5});
    EXPECT_EQ(doc.selectedNode(), doc.CurrentCard());
    EXPECT_FALSE(view->trackerShown() || view->frameShown());

    // Delete takes the selected control, and nothing while the card is
    // selected.
    const auto pressDelete = [view] {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(view, &key);
    };
    const int controls = ChildCount(select->parent);
    pressDelete();
    EXPECT_EQ(ChildCount(select->parent), controls);
    click(view, Qt::LeftButton, {option.left + 1, option.top + 1});
    pressDelete();
    EXPECT_EQ(ChildCount(doc.CurrentCard()->firstChild), controls - 1);
    EXPECT_FALSE(view->trackerShown());

    int escapes = 0;
    QObject::connect(view, &DesignView::leaveFullScreenRequested, [&] { ++escapes; });
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(view, &escape);
    EXPECT_EQ(escapes, 1);
}

} // namespace
} // namespace tess
