#include "common/FrameTest.h"
#include "editor/DeckDocument.h"
#include "gui/code/OutputView.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/ProjectTree.h"
#include "gui/shell/TabbedDock.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <memory>

namespace tess {
namespace {

class MainFrameViewTest : public test::FrameTest
{
protected:
    // Which bars show, in the order toolbar, Designing, Workspace, Output,
    // status bar.
    std::vector<bool> shownBars() const
    {
        return {!m_frame.mainToolbar()->isHidden(), !m_frame.wmlControlsBar()->isHidden(),
                !m_frame.workspaceBar()->isHidden(), !m_frame.outputBar()->isHidden(),
                !m_frame.statusBar()->isHidden()};
    }
};

// Full screen on and off twice, left once by its floating bar and once by
// Escape in the project tree: every bar, the window's place and the
// document's normal state come back as they were.
TEST_F(MainFrameViewTest, FullScreenTwiceLeavesEverythingAsItWas)
{
    commands().newWml->trigger();
    DocumentWindow *child = m_frame.activeChildFrame();
    child->showNormal();
    commands().controlsBar->trigger();
    commands().outputWindow->trigger();
    const std::vector<bool> before = shownBars();
    ASSERT_EQ(before, std::vector<bool>({true, true, true, false, true}));
    const QRect place = m_frame.geometry();

    for (int round = 0; round < 2; ++round) {
        commands().fullScreen->trigger();
        ASSERT_TRUE(m_frame.isFullScreenMode());
        EXPECT_TRUE(m_frame.isFullScreen());
        EXPECT_EQ(shownBars(), std::vector<bool>(5, false));
        EXPECT_TRUE(child->isMaximized());
        QToolBar *bar = m_frame.fullScreenBar();
        ASSERT_NE(bar, nullptr);
        EXPECT_TRUE(bar->isVisible());
        EXPECT_EQ(bar->windowTitle(), "Full Screen");
        ASSERT_EQ(bar->actions().size(), 1);
        if (round == 0) {
            bar->actions()[0]->trigger();
            QApplication::processEvents();
        } else {
            QTest::keyClick(m_frame.fileView(), Qt::Key_Escape);
        }
        EXPECT_FALSE(m_frame.isFullScreenMode()) << round;
        EXPECT_EQ(m_frame.fullScreenBar(), nullptr);
        EXPECT_EQ(shownBars(), before) << round;
        EXPECT_FALSE(child->isMaximized()) << round;
        EXPECT_EQ(m_frame.geometry(), place) << round;
    }
    // Escape with full screen off changes nothing.
    QTest::keyClick(m_frame.fileView(), Qt::Key_Escape);
    EXPECT_EQ(shownBars(), before);
}

// The bars' context menu, F6 round the panes, and the Window menu's list.
TEST_F(MainFrameViewTest, BarsMenuPanesAndWindowList)
{
    std::unique_ptr<QMenu> bars(m_frame.createPopupMenu());
    QStringList texts;
    for (QAction *item : bars->actions())
        texts << item->text() + (item->isChecked() ? " on" : "");
    EXPECT_EQ(texts,
              QStringList({"&Toolbar on", "W&ML Controls Bar", "&Status Bar on",
                           "&Workspace Window on", "&Output Window on", "&Full Screen"}));
    // Without a document the View menu lacks the Designing bar; this menu
    // still shows it.
    bars->actions()[1]->trigger();
    EXPECT_TRUE(m_frame.wmlControlsBar()->isVisible());

    commands().newWml->trigger();
    commands().newWml->trigger();
    QWidget *tree = m_frame.fileView();
    QWidget *output = m_frame.outputView();
    const auto focusIn = [](QWidget *pane) {
        QWidget *focus = QApplication::focusWidget();
        return focus && (focus == pane || pane->isAncestorOf(focus));
    };
    QWidget *page = m_frame.panes().value(0);
    ASSERT_NE(page, nullptr);
    const std::pair<QAction *, QWidget *> steps[] = {
        {commands().nextPane, tree},     {commands().nextPane, output},
        {commands().nextPane, page},     {commands().previousPane, output},
        {commands().previousPane, tree},
    };
    QApplication::setActiveWindow(&m_frame);
    page->setFocus();
    for (const auto &[key, pane] : steps) {
        key->trigger();
        EXPECT_TRUE(focusIn(pane)) << pane->metaObject()->className();
    }

    QMenu *window = nullptr;
    for (QAction *menu : m_frame.menuBar()->actions()) {
        if (menu->text() == "&Window")
            window = menu->menu();
    }
    ASSERT_NE(window, nullptr);
    emit window->aboutToShow();
    QStringList listed;
    QAction *first = nullptr;
    for (QAction *item : window->actions()) {
        if (item->text().startsWith('&') && item->text()[1].isDigit()) {
            listed << item->text() + (item->isChecked() ? " on" : "");
            first = first ? first : item;
        }
    }
    EXPECT_EQ(listed, QStringList({"&1 Tessarine1", "&2 Tessarine2 on"}));
    first->trigger();
    EXPECT_EQ(m_frame.activeChildFrame()->document().title(), "Tessarine1");
}

} // namespace
} // namespace tess
