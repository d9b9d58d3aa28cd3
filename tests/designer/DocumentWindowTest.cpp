#include "common/ScriptedPrompter.h"
#include "designer/DesignWnd.h"
#include "designer/WMLDesignView.h"
#include "model/CardList.h"
#include "model/ElementKind.h"
#include "model/ElementPainting.h"
#include "model/WMLWriter.h"
#include "shell/BerthingDoc.h"
#include "shell/ChildFrm.h"
#include "shell/CommandLine.h"
#include "shell/MainFrm.h"
#include "shell/ProcessPaths.h"
#include "shell/ShellConstants.h"
#include "source/FileUtil.h"
#include "source/OPview.h"

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

class DocumentWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TempDirPath = m_temp.path().toStdString();
        ASSERT_TRUE(m_frame.Create());
        m_frame.resize(900, 700);
        m_frame.show();
    }
    CChildFrame *open(const std::string &name)
    {
        std::string error;
        EXPECT_TRUE(m_frame.OpenDocumentFile(kDesignData + name, &error)) << error;
        return m_frame.activeChildFrame();
    }
    // What the design view draws, over white.
    static QImage render(CWMLDesignView *view)
    {
        QImage image(300, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        view->paintDesign(painter);
        return image;
    }
    static void click(CWMLDesignView *view, Qt::MouseButton button, QPoint at)
    {
        QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), button,
                          button, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &press);
    }

    QTemporaryDir m_temp;
    CMainFrame m_frame;
};

TEST_F(DocumentWindowTest, OpeningADeckShowsItsFirstCard)
{
    CChildFrame *child = open("two_cards.wml");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->windowTitle(), "two_cards.wml");
    CBerthingDoc &doc = child->document();
    EXPECT_EQ(doc.path(), kDesignData + "two_cards.wml");
    EXPECT_FALSE(doc.isAsp() || doc.isJsp() || doc.isModified());
    EXPECT_EQ(doc.CurrentCard(), NthCard(doc.model().root(), 1));
    EXPECT_EQ(m_frame.outputView()->message(), "Compilations Done - No Errors Found !!!");
    EXPECT_EQ(child->designWnd()->cardList()->topLevelItemCount(), 2);
    // Laid out on opening: the card's text stands at the column's corner.
    const DeckNode *text = doc.CurrentCard()->firstChild->firstChild;
    EXPECT_EQ(text->element->rect, (DesignRect {10, 10, 90, 60}));
    const CWMLDesignView *view = child->designWnd()->designView();
    EXPECT_EQ(view->scrollSize(), QSize(10, std::max(view->viewport()->height(), 63)));
}

TEST_F(DocumentWindowTest, ADeckWithAnErrorLeavesTheDesignEmpty)
{
    CChildFrame *child = open("broken.wml");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(m_frame.outputView()->message(),
              "Error 0xC00CE04C on line 5, position 28\n"
              "Opening and ending tag mismatch: b line 5 and p");
    CBerthingDoc &doc = child->document();
    EXPECT_FALSE(doc.model().validDeck);
    EXPECT_EQ(doc.model().root(), nullptr);
    EXPECT_EQ(child->designWnd()->cardList()->topLevelItemCount(), 0);

    // Only the outlined canvas, and clicks are ignored.
    CWMLDesignView *view = child->designWnd()->designView();
    const QImage image = render(view);
    EXPECT_EQ(image.pixel(0, 10), qRgb(0, 0, 0));
    for (int y = 1; y < image.height(); ++y)
        for (int x = 1; x < image.width(); ++x)
            ASSERT_EQ(image.pixel(x, y), kCanvasColour) << x << "," << y;
    click(view, Qt::LeftButton, {20, 20});
    EXPECT_FALSE(view->trackerShown());
}

TEST_F(DocumentWindowTest, NewFileWmlShowsOneEmptyCard)
{
    EXPECT_TRUE(m_frame.commandAction(ID_FILE_NEW_ASP)->isEnabled());
    m_frame.commandAction(ID_FILE_NEW_WML)->trigger();
    m_frame.commandAction(ID_FILE_NEW_WML)->trigger();
    CChildFrame *child = m_frame.activeChildFrame();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->windowTitle(), "Tessarine2");
    EXPECT_EQ(child->designWnd()->sizes().front(), 150);
    const CCardList *list = child->designWnd()->cardList();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "No Name");
    DeckModel &model = child->document().model();
    EXPECT_TRUE(model.validDeck);
    EXPECT_EQ(child->document().CurrentCard(), NthCard(model.root(), 1));

    model.filePath = m_temp.filePath("new.wml").toStdString();
    ASSERT_TRUE(WriteDeck(model));
    EXPECT_EQ(readWholeFile(model.filePath).value_or(""),
              "<wml><card newcontext=\"false\" ordered=\"true\"><p align=\"left\"/></card></wml>");

    m_frame.commandAction(ID_FILE_CLOSE)->trigger();
    EXPECT_EQ(m_frame.mdiArea()->subWindowList().size(), 1);
}

TEST_F(DocumentWindowTest, OpenFileGoesThroughThePrompter)
{
    ScriptedPrompter prompter;
    const std::string missing = kDesignData + "missing.wml";
    prompter.file(ScriptedPrompter::Kind::OpenFile, "")
        .file(ScriptedPrompter::Kind::OpenFile, missing)
        .answer(Prompter::Answer::Ok)
        .file(ScriptedPrompter::Kind::OpenFile, kDesignData + "controls.wml");
    for (int i = 0; i < 3; ++i)
        m_frame.commandAction(ID_FILE_OPEN)->trigger();

    ASSERT_EQ(prompter.requests().size(), 3u);
    EXPECT_EQ(prompter.requests()[0].file.filter,
              "WML Files (*.wml)|*.wml|ASP Files (*.asp)|*.asp|JSP Files (*.jsp)|*.jsp|");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "cannot open " + missing + ": No such file or directory");
    EXPECT_EQ(prompter.messages()[0].icon, Prompter::Icon::Stop);
    CChildFrame *child = m_frame.activeChildFrame();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->windowTitle(), "controls.wml");
    EXPECT_TRUE(child->document().openedThroughOpenFile);
    EXPECT_EQ(CurrentFilePath, kDesignData + "controls.wml");
}

TEST_F(DocumentWindowTest, ClicksSelectAndEscapeGoesToTheFrame)
{
    CChildFrame *child = open("controls.wml");
    CWMLDesignView *view = child->designWnd()->designView();
    CBerthingDoc &doc = child->document();
    DeckNode *select = nullptr;
    for (DeckNode *c = doc.CurrentCard()->firstChild->firstChild; c; c = c->nextSibling)
        select = c->kind() == KindSelect ? c : select;
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

    // A right click frames what it hits; empty space leaves nothing under the menu.
    click(view, Qt::RightButton, {option.left + 1, option.top + 1});
    const QPoint at(option.left + 1, option.top + 1);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &menu);
    EXPECT_TRUE(view->elementUnderMenu());
    EXPECT_TRUE(view->frameShown());
    click(view, Qt::RightButton, {250, 5});
    QApplication::sendEvent(view->viewport(), &menu);
    EXPECT_FALSE(view->elementUnderMenu());

    int escapes = 0;
    QObject::connect(view, &CWMLDesignView::leaveFullScreenRequested, [&] { ++escapes; });
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(view, &escape);
    EXPECT_EQ(escapes, 1);
}

TEST_F(DocumentWindowTest, ScrollingByKeys)
{
    CChildFrame *child = open("controls.wml");
    CWMLDesignView *view = child->designWnd()->designView();
    view->setScrollSize({3000, 4000});
    view->resize(300, 200);
    const auto press = [view](Qt::Key key, int count = 1) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(), false, count);
        QApplication::sendEvent(view, &event);
        return view->scrollPosition();
    };
    // Pages are a tenth of the size, lines a tenth of a page.
    EXPECT_EQ(press(Qt::Key_PageDown), QPoint(0, 400));
    EXPECT_EQ(press(Qt::Key_Down, 3), QPoint(0, 520));
    EXPECT_EQ(press(Qt::Key_Up), QPoint(0, 480));
    EXPECT_EQ(press(Qt::Key_Right, 2), QPoint(60, 480));
    EXPECT_EQ(press(Qt::Key_End).x(), view->horizontalScrollBar()->maximum());
    EXPECT_EQ(press(Qt::Key_Home), QPoint(0, 480));
    EXPECT_EQ(press(Qt::Key_PageUp), QPoint(0, 80));
    EXPECT_EQ(view->toLogical({5, 5}), QPoint(5, 85));
}

TEST(CardOptionTest, ParsesOnlyWithAScreenshot)
{
    EXPECT_EQ(parseCommandLine({"--screenshot", "s.png", "--card", "2", "a.wml"}).card, 2);
    EXPECT_EQ(parseCommandLine({"--screenshot", "s.png", "--card=0"}).error,
              "option '--card' needs a card number from 1");
    EXPECT_EQ(parseCommandLine({"--card", "2", "a.wml"}).error,
              "option '--card' needs '--screenshot'");
}

// Runs the built program on the two-card deck.
TEST(ScreenshotTest, ShowsTheCardAsked)
{
    QTemporaryDir dir;
    const auto run = [&](const QStringList &args) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TESSARINE_SETTINGS", dir.filePath("Tessarine.ini"));
        env.insert("TESSARINE_RECENT", dir.filePath("recent.ini"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(TESS_TEST_BINARY_DIR "/tessarine"), args);
        EXPECT_TRUE(process.waitForFinished(120000));
        return std::make_pair(process.exitCode(), process.readAllStandardError().toStdString());
    };
    const QString deck = QString::fromStdString(kDesignData + "two_cards.wml");
    for (const char *card : {"1", "2"}) {
        const auto [code, err]
            = run({"--screenshot", QString("card%1.png").arg(card), "--card", card, deck});
        EXPECT_EQ(code, 0) << err;
    }
    // Only the second card has an input, whose box is filled in its own
    // colour; the canvas is found by its colour.
    const auto inputPixels = [&](const char *file) {
        const QImage shot = QImage(dir.filePath(file)).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shot.size(), QSize(1280, 800));
        // The canvas is the area of long runs of its colour; the card list's
        // icons hold a few pixels of it too.
        QRect canvas;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0, run = 0; x < shot.width(); ++x) {
                run = shot.pixel(x, y) == kCanvasColour ? run + 1 : 0;
                if (run >= 20)
                    canvas |= QRect(x - run + 1, y, run, 1);
            }
        int count = 0;
        for (int y = canvas.top(); y <= canvas.bottom(); ++y)
            for (int x = canvas.left(); x <= canvas.right(); ++x)
                count += shot.pixel(x, y) == kInputFillColour;
        return count;
    };
    EXPECT_EQ(inputPixels("card1.png"), 0);
    EXPECT_GT(inputPixels("card2.png"), 1000);

    const auto [code, err] = run({"--screenshot", "none.png", "--card", "3", deck});
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(err.ends_with("tessarine: " + deck.toStdString() + " has no card 3\n")) << err;
}

} // namespace
} // namespace tess
