#include "gui/shell/MainWindow.h"
#include "ShownMenus.h"
#include "app/AppContext.h"
#include "app/ClockText.h"
#include "app/SettingsKey.h"
#include "common/ScriptedPrompter.h"
#include "common/TimeLimit.h"
#include "common/UserInput.h"
#include "editor/DeckDocument.h"
#include "gui/code/OutputView.h"
#include "gui/shell/Application.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/ProjectTree.h"
#include "gui/shell/ShellConstants.h"
#include "gui/shell/TabbedDock.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tess {
namespace {

using Pane = MainWindow::StatusPane;

class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_frame.Create()); }

    ScriptedPrompter m_prompter;
    AppContext m_context;
    MainWindow m_frame {m_context, m_prompter};
};

TEST_F(MainFrameTest, LayoutOfAFrameWithoutDocuments)
{
    EXPECT_EQ(shownTitle(&m_frame), "Tessarine 2.0");
    EXPECT_TRUE(m_frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_NE(qobject_cast<ProjectTree *>(m_frame.workspaceBar()->GetActiveView()), nullptr);
    EXPECT_NE(qobject_cast<OutputView *>(m_frame.outputBar()->GetActiveView()), nullptr);
    const std::tuple<TabbedDock *, const char *, const char *, Qt::DockWidgetArea> bars[] = {
        {m_frame.workspaceBar(), "Workspace", "Project", Qt::LeftDockWidgetArea},
        {m_frame.outputBar(), "Output", "Output", Qt::BottomDockWidgetArea},
    };
    for (const auto &[bar, caption, tab, area] : bars) {
        EXPECT_EQ(bar->windowTitle(), caption);
        EXPECT_EQ(m_frame.dockWidgetArea(bar), area);
        ASSERT_EQ(bar->GetViewCount(), 1);
        EXPECT_EQ(bar->tabWidget()->tabText(0), tab);
        EXPECT_FALSE(bar->tabWidget()->tabIcon(0).isNull());
        EXPECT_EQ(bar->requestedSize(), QSize(200, 100));
    }
    // Menu 128: no document is open.
    EXPECT_EQ(shownMenus(m_frame),
              QStringList({"&File",
                           "  &New File",
                           "  &Open File\tCtrl+O",
                           "  ",
                           "  New &Project",
                           "  Open P&roject",
                           "  Close Proj&ect",
                           "  ",
                           "  Recent File",
                           "  ",
                           "  E&xit",
                           "&View",
                           "  &Toolbar",
                           "  &Status Bar",
                           "&Project",
                           "  &Add Files to Project",
                           "  &Delete File from Project",
                           "&Help",
                           "  &Tessarine Features",
                           "  &About Tessarine"}));
    // The main toolbar: "-" a separator, "off" disabled, "[x]" checked.
    QStringList buttons;
    for (QAction *button : m_frame.mainToolbar()->actions()) {
        buttons << (button->isSeparator() ? "-" : button->text());
        if (!button->isSeparator() && !button->isEnabled())
            buttons.back() += " off";
        if (button->isChecked())
            buttons.back() += " [x]";
    }
    EXPECT_EQ(
        buttons,
        QStringList({"New", "Open File", "Save off", "Print off", "-", "Cut off", "Copy off",
                     "Paste off", "Workspace Window [x]", "Output Window [x]", "Full Screen off",
                     "-", "Compile off", "-", "About", "Upload off", "Download off"}));
    // New opens the New File menu under the button.
    QAction *newButton = m_frame.mainToolbar()->actions()[0];
    ASSERT_NE(newButton->menu(), nullptr);
    EXPECT_EQ(newButton->menu()->actions(),
              QList<QAction *>({m_frame.commands().newAsp, m_frame.commands().newJsp,
                                m_frame.commands().newWml}));
    auto *tool = qobject_cast<QToolButton *>(m_frame.mainToolbar()->widgetForAction(newButton));
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->popupMode(), QToolButton::InstantPopup);
    const std::pair<Pane, const char *> panes[] = {
        {Pane::Message, ""},       {Pane::LineColumn, "Ln 0 Col 0  "},
        {Pane::Clock, "00:00:00"}, {Pane::CapsLock, "CAP"},
        {Pane::NumLock, "NUM"},    {Pane::ScrollLock, "SCRL"},
    };
    for (const auto &[pane, text] : panes) {
        EXPECT_EQ(m_frame.paneText(pane), text);
        EXPECT_FALSE(m_frame.isIndicatorOn(pane));
    }
}

// The bar toggles and their buttons follow the bars however they change,
// Features lists them, and About names the libraries as loaded.
TEST_F(MainFrameTest, ToolbarTogglesAndAbout)
{
    const MainWindow::Commands &c = m_frame.commands();
    const auto button = [this](const char *text) {
        for (QAction *action : m_frame.mainToolbar()->actions()) {
            if (action->text() == text)
                return action;
        }
        return static_cast<QAction *>(nullptr);
    };
    button("Workspace Window")->trigger();
    EXPECT_TRUE(m_frame.workspaceBar()->isHidden());
    EXPECT_FALSE(c.workspaceWindow->isChecked());
    EXPECT_FALSE(button("Workspace Window")->isChecked());
    c.outputWindow->trigger();
    EXPECT_FALSE(button("Output Window")->isChecked());
    button("Output Window")->trigger();
    EXPECT_FALSE(m_frame.outputBar()->isHidden());
    EXPECT_TRUE(button("Output Window")->isChecked());
    c.toolbar->trigger();
    EXPECT_TRUE(m_frame.mainToolbar()->isHidden());
    EXPECT_FALSE(c.toolbar->isChecked());

    m_prompter.answer(Prompter::Answer::Ok);
    button("About")->trigger();
    ASSERT_EQ(m_prompter.messages().size(), 1u);
    const std::string about = m_prompter.messages()[0].text;
    EXPECT_EQ(m_prompter.messages()[0].caption, "About Tessarine");
    for (const std::string &part :
         {std::string("Tessarine 2.0\nVersion 2.0.0\n"), "\nQt " + std::string(qVersion()) + " (",
          std::string("\nlibxml2 2."), std::string("\nlibcurl ")})
        EXPECT_NE(about.find(part), std::string::npos) << part << " in " << about;
}

class StartupTest : public ::testing::Test
{
protected:
    StartupOptions options(const std::string &file = {})
    {
        StartupOptions o;
        o.file = file;
        o.settingsPath = m_dir.filePath("Tessarine.ini").toStdString();
        o.recentPath = m_dir.filePath("recent.ini").toStdString();
        o.prompter = &m_prompter;
        return o;
    }

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
};

TEST_F(StartupTest, AFileOnTheCommandLineIsOpenedAndRecorded)
{
    const std::string deck = m_dir.filePath("deck.wml").toStdString();
    QFile f(QString::fromStdString(deck));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("<wml>\n<card/>\n</wml>\n") > 0);
    f.close();

    Application app;
    std::string error;
    ASSERT_TRUE(app.InitInstance(options(deck), &error)) << error;
    const QList<QMdiSubWindow *> children = app.mainFrame()->mdiArea()->subWindowList();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(shownTitle(children[0]), "deck.wml");
    auto *child = qobject_cast<DocumentWindow *>(children[0]);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->document().path(), deck);
    EXPECT_EQ(ChildCount(child->document().model().root()), 1);
    EXPECT_EQ(shownTitle(app.mainFrame()), "Tessarine 2.0 - [deck.wml]");
    EXPECT_EQ(app.context().currentFile, deck);
    EXPECT_EQ(app.recentFiles()->entries(), std::vector<std::string> {deck});
}

TEST_F(StartupTest, AnUnreadableFileFailsAMissingIconDoesNot)
{
    // The window opens and says why at once; only a screenshot fails.
    const test::TimeLimit limit(60);
    const std::string missing = m_dir.filePath("missing.wml").toStdString();
    const std::string why = "cannot open " + missing + ": No such file or directory";
    const std::string fifo = m_dir.filePath("fifo.wml").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    for (const auto &[file, message] :
         {std::pair {missing, why},
          std::pair {fifo, "cannot read " + fifo + ": not a regular file"}}) {
        m_prompter.answer(Prompter::Answer::Ok);
        Application app;
        EXPECT_TRUE(app.InitInstance(options(file), &error));
        EXPECT_TRUE(app.mainFrame()->isVisible());
        ASSERT_FALSE(m_prompter.messages().empty());
        EXPECT_EQ(m_prompter.messages().back().text, message);
        EXPECT_EQ(m_prompter.messages().back().icon, Prompter::Icon::Stop);
    }
    StartupOptions shot = options(missing);
    shot.fixedSize = true;
    EXPECT_FALSE(Application().InitInstance(shot, &error));
    EXPECT_EQ(error, why);

    m_prompter.answer(Prompter::Answer::Ok);
    StartupOptions o = options();
    o.imageIconResource = ":/icons/none.xpm";
    Application app;
    EXPECT_TRUE(app.InitInstance(o, &error));
    ASSERT_EQ(m_prompter.messages().size(), 3u);
    EXPECT_EQ(m_prompter.messages()[2].text, "Unable to load Icon");
}

} // namespace
} // namespace tess
