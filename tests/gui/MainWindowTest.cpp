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
#include "gui/shell/HelpWindow.h"
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
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tess {
namespace {

using Pane = MainWindow::StatusPane;

const std::string kMenusWithoutDocument = "&File\n"
                                          "  &New File\n"
                                          "  &Open File\tCtrl+O [Ctrl+O]\n"
                                          "  \n"
                                          "  New &Project\n"
                                          "  Open P&roject\n"
                                          "  Close Proj&ect off\n"
                                          "  \n"
                                          "  Recent File off\n"
                                          "  \n"
                                          "  E&xit\n"
                                          "&View\n"
                                          "  &Toolbar on\n"
                                          "  &Status Bar on\n"
                                          "&Project\n"
                                          "  &Add Files to Project off\n"
                                          "  &Delete File from Project off\n"
                                          "&Tools\n"
                                          "  Upload off\n"
                                          "  Download\n"
                                          "&Help\n"
                                          "  &Tessarine Features\n"
                                          "  &About Tessarine\n"
                                          "  Tessarine &Help\tF1 [F1]";
const std::string kMenusOfWmlDeck = "&File\n"
                                    "  &New File\n"
                                    "  &Open File\tCtrl+O [Ctrl+O]\n"
                                    "  &Close File\n"
                                    "  \n"
                                    "  New &Project\n"
                                    "  Open P&roject\n"
                                    "  Close Proj&ect off\n"
                                    "  \n"
                                    "  &Save\tF2 [F2, Ctrl+S]\n"
                                    "  Save &As...\n"
                                    "  Prin&t [Ctrl+P] off\n"
                                    "  \n"
                                    "  Recent File off\n"
                                    "  \n"
                                    "  E&xit\n"
                                    "&Edit\n"
                                    "  &Undo\tCtrl+Z [Ctrl+Z, Alt+Backspace] off\n"
                                    "  &Redo\tCtrl+Y [Ctrl+Y, Ctrl+Shift+Z] off\n"
                                    "  Cu&t\tCtrl+X [Ctrl+X, Shift+Del] off\n"
                                    "  &Copy\tCtrl+C [Ctrl+C, Ctrl+Ins] off\n"
                                    "  &Paste\tCtrl+V [Ctrl+V, Shift+Ins] off\n"
                                    "  &Select All\tCtrl+A [Ctrl+A] off\n"
                                    "  \n"
                                    "  &Find [Ctrl+F] off\n"
                                    "  Find And &Replace [Ctrl+H] off\n"
                                    "&View\n"
                                    "  &Toolbar on\n"
                                    "  W&ML Controls Bar\n"
                                    "  &Status Bar on\n"
                                    "  &Workspace Window on\n"
                                    "  &Output Window on\n"
                                    "  &Full Screen\n"
                                    "&Project\n"
                                    "  &Add Files to Project off\n"
                                    "  &Delete File from Project off\n"
                                    "W&ML Controls\n"
                                    "  Anchor\n"
                                    "  Select\n"
                                    "  Input\n"
                                    "  Text\n"
                                    "  Option\n"
                                    "  Image\n"
                                    "  Optgroup\n"
                                    "  Card off\n"
                                    "  Para off\n"
                                    "&Tools\n"
                                    "  &Compile\tF5 [F5]\n"
                                    "  &Invoke The Emulator\n"
                                    "  &User Preference\n"
                                    "  Upload off\n"
                                    "  Download\n"
                                    "&Window\n"
                                    "  &Cascade\n"
                                    "  Tile &Horizontally\n"
                                    "  Tile &Vertically\n"
                                    "  &Arrange Icons\n"
                                    "&Help\n"
                                    "  &Tessarine Features\n"
                                    "  &About Tessarine\n"
                                    "  Tessarine &Help\tF1 [F1]";
const std::string kMenusOfAspPage = "&File\n"
                                    "  &New File\n"
                                    "  &Open File\tCtrl+O [Ctrl+O]\n"
                                    "  &Close File\n"
                                    "  \n"
                                    "  New &Project\n"
                                    "  Open P&roject\n"
                                    "  Close Proj&ect off\n"
                                    "  \n"
                                    "  &Save\tF2 [F2, Ctrl+S]\n"
                                    "  Save &As...\n"
                                    "  Prin&t [Ctrl+P]\n"
                                    "  \n"
                                    "  Recent File off\n"
                                    "  \n"
                                    "  E&xit\n"
                                    "&Edit\n"
                                    "  &Undo\tCtrl+Z [Ctrl+Z, Alt+Backspace]\n"
                                    "  &Redo\tCtrl+Y [Ctrl+Y, Ctrl+Shift+Z]\n"
                                    "  Cu&t\tCtrl+X [Ctrl+X, Shift+Del]\n"
                                    "  &Copy\tCtrl+C [Ctrl+C, Ctrl+Ins]\n"
                                    "  &Paste\tCtrl+V [Ctrl+V, Shift+Ins]\n"
                                    "  &Select All\tCtrl+A [Ctrl+A]\n"
                                    "  \n"
                                    "  &Find [Ctrl+F]\n"
                                    "  Find And &Replace [Ctrl+H]\n"
                                    "&View\n"
                                    "  &Toolbar on\n"
                                    "  W&ML Controls Bar\n"
                                    "  &Status Bar on\n"
                                    "  &Workspace Window on\n"
                                    "  &Output Window on\n"
                                    "  &Full Screen\n"
                                    "&Project\n"
                                    "  &Add Files to Project off\n"
                                    "  &Delete File from Project off\n"
                                    "W&ML Controls\n"
                                    "  Anchor\n"
                                    "  Select\n"
                                    "  Input\n"
                                    "  Text\n"
                                    "  Option\n"
                                    "  Image\n"
                                    "  Optgroup\n"
                                    "  Card\n"
                                    "  Para\n"
                                    "&Tools\n"
                                    "  &Compile\tF5 [F5] off\n"
                                    "  &Invoke The Emulator off\n"
                                    "  &User Preference\n"
                                    "  Upload off\n"
                                    "  Download\n"
                                    "&Window\n"
                                    "  &Cascade\n"
                                    "  Tile &Horizontally\n"
                                    "  Tile &Vertically\n"
                                    "  &Arrange Icons\n"
                                    "&Help\n"
                                    "  &Tessarine Features\n"
                                    "  &About Tessarine\n"
                                    "  Tessarine &Help\tF1 [F1]";

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
    // The main toolbar: "-" a separator, "off" disabled, "[x]" checked.
    QStringList buttons;
    for (QAction *button : m_frame.mainToolbar()->actions()) {
        buttons << (button->isSeparator() ? "-" : button->text());
        if (!button->isSeparator() && !button->isEnabled())
            buttons.back() += " off";
        if (button->isChecked())
            buttons.back() += " [x]";
    }
    EXPECT_EQ(buttons,
              QStringList({"New", "Open File", "Save off", "Print off", "-", "Cut off", "Copy off",
                           "Paste off", "Workspace Window [x]", "Output Window [x]", "Full Screen",
                           "-", "Compile off", "-", "About", "Upload off", "Download"}));
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

// Menu 128 with no document, menu 129 with one: every entry with its keys,
// and what is enabled for a WML deck, for an ASP page, and once no document
// is left.
TEST_F(MainFrameTest, MenusFollowTheActiveDocument)
{
    const MainWindow::Commands &c = m_frame.commands();
    const struct
    {
        const char *what;
        std::function<void()> step;
        std::string expected;
    } states[] = {
        {"no document", [] {}, kMenusWithoutDocument},
        {"a WML deck", [&c] { c.newWml->trigger(); }, kMenusOfWmlDeck},
        {"an ASP page", [&c] { c.newAsp->trigger(); }, kMenusOfAspPage},
        {"all closed", [this] { m_frame.mdiArea()->closeAllSubWindows(); }, kMenusWithoutDocument},
    };
    for (const auto &state : states) {
        state.step();
        m_frame.updateMenus();
        EXPECT_EQ(menuReport(m_frame), state.expected) << state.what;
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

// The entries of the manual's index: the text of each link in its "index"
// section.
QSet<QString> manualIndexEntries()
{
    QFile file(QStringLiteral(TESS_MANUAL_INDEX));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << TESS_MANUAL_INDEX;
    const QString page = QString::fromUtf8(file.readAll());
    const qsizetype start = page.indexOf(QStringLiteral("id=\"index\""));
    const QString index
        = page.mid(start, page.indexOf(QStringLiteral("</section>"), start) - start);
    QSet<QString> entries;
    const QRegularExpression link(QStringLiteral("<a [^>]*>([^<]*)</a>"));
    for (const QRegularExpressionMatch &m : link.globalMatch(index)) {
        QString text = m.captured(1).simplified();
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        entries << text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    }
    return entries;
}

// Whatever the user can read in a menu or on a bar, with and without a
// document, can be looked up in the manual's index.
TEST_F(MainFrameTest, TheManualIndexNamesEveryMenuItemAndButton)
{
    const QSet<QString> index = manualIndexEntries();
    ASSERT_FALSE(index.isEmpty());
    QSet<QString> shown;
    const auto addShown = [this, &shown] {
        for (QString text : shownMenus(m_frame)) {
            text = text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')).trimmed();
            if (!text.isEmpty())
                shown << text;
        }
        for (QToolBar *bar : {m_frame.mainToolbar(), m_frame.wmlControlsBar()}) {
            for (QAction *button : bar->actions()) {
                if (!button->isSeparator())
                    shown << button->text();
            }
        }
    };
    addShown();
    m_frame.commands().newWml->trigger();
    m_frame.updateMenus();
    addShown();
    for (QAction *kind :
         {m_frame.commands().newAsp, m_frame.commands().newJsp, m_frame.commands().newWml})
        shown << kind->text();
    QStringList missing;
    for (const QString &text : shown) {
        if (!index.contains(text))
            missing << text;
    }
    missing.sort();
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
}

// F1 opens the manual in one help window, however often it is pressed; a
// manual that is not where Application Path says gives a message naming the
// place, and no window.
TEST_F(MainFrameTest, HelpOpensTheManualOrSaysWhereItLooked)
{
    QTemporaryDir dir;
    m_context.settingsPath = dir.filePath(QStringLiteral("Tessarine.ini")).toStdString();
    SettingsKey key(m_context.settingsPath);
    ASSERT_TRUE(key.create());
    ASSERT_TRUE(key.writeString(kSettingApplicationPath, dir.path().toStdString()));
    m_prompter.answer(Prompter::Answer::Ok);
    m_frame.commands().help->trigger();
    ASSERT_EQ(m_prompter.messages().size(), 1u);
    EXPECT_EQ(m_prompter.messages()[0].text,
              "The Tessarine manual was not found: " + dir.path().toStdString()
                  + "/manual/index.html does not exist.");
    EXPECT_EQ(m_frame.helpWindow(), nullptr);

    // Unset, the build's data folder holds the manual.
    ASSERT_TRUE(key.writeString(kSettingApplicationPath, ""));
    m_frame.show();
    m_frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_frame));
    QTest::keyClick(&m_frame, Qt::Key_F1);
    HelpWindow *help = m_frame.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(help->browser()->documentTitle(), "Tessarine manual");
    EXPECT_EQ(help->windowTitle(), "Tessarine Help - Tessarine manual");
    EXPECT_FALSE(help->backAction()->isEnabled());
    help->browser()->setSource(QUrl(QStringLiteral("code-tab.html")));
    EXPECT_TRUE(help->backAction()->isEnabled());
    EXPECT_NE(help->browser()->documentTitle(), "Tessarine manual");
    m_frame.commands().help->trigger();
    EXPECT_EQ(m_frame.helpWindow(), help);
    EXPECT_EQ(help->browser()->documentTitle(), "Tessarine manual");
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
    // The Designing bar starts hidden, and as the user last left it.
    EXPECT_TRUE(app.mainFrame()->wmlControlsBar()->isHidden());
    app.mainFrame()->commands().controlsBar->trigger();
    Application next;
    ASSERT_TRUE(next.InitInstance(options(), &error)) << error;
    EXPECT_FALSE(next.mainFrame()->wmlControlsBar()->isHidden());
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
