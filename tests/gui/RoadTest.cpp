#include "ShownMenus.h"
#include "app/CommandLine.h"
#include "app/RecentFileList.h"
#include "common/FrameTest.h"
#include "common/RunProgram.h"
#include "common/ScriptedPrompter.h"
#include "common/UserInput.h"
#include "deck/SourceForm.h"
#include "editor/DeckDocument.h"
#include "editor/DocumentSync.h"
#include "editor/ElementPainting.h"
#include "gui/code/CodeConstants.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/code/FindReplaceDialog.h"
#include "gui/code/OutputView.h"
#include "gui/code/XmlTreeView.h"
#include "gui/design/CardList.h"
#include "gui/design/DesignPane.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/ShellConstants.h"
#include "wml/FileUtil.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPrinter>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace tess {
namespace {

const std::string kRoad = TESS_TEST_DATA_DIR "/road/";
const char *const kSuccess = "Compilations Done - No Errors Found !!!";

QStringList tabLabels(QTabWidget *tabs)
{
    QStringList labels;
    for (int i = 0; i < tabs->count(); ++i)
        labels << tabs->tabText(i);
    return labels;
}

class RoadTest : public test::FrameTest
{
protected:
    std::string copy(const std::string &fixture)
    {
        const std::string path = m_dir.filePath(QString::fromStdString(fixture)).toStdString();
        std::ofstream(path, std::ios::binary) << readWholeFile(kRoad + fixture).value_or("");
        return path;
    }
    DocumentWindow *open(const std::string &fixture)
    {
        std::string error;
        EXPECT_TRUE(m_frame.OpenDocumentFile(copy(fixture), &error)) << error;
        return m_frame.activeChildFrame();
    }
    std::string output() { return m_frame.outputView()->message(); }
};

TEST_F(RoadTest, OneDeckFromOpeningToClosing)
{
    ScriptedPrompter &prompter = m_prompter;
    DocumentWindow *child = open("deck.wml");
    ASSERT_NE(child, nullptr);
    DocumentTabs *tabs = child->tabWindow();
    DeckDocument &doc = child->document();
    DeckCodeEditor *code = tabs->codeView();
    EXPECT_EQ(tabLabels(tabs), QStringList({"Design", "Code", "XML Tree"}));
    EXPECT_EQ(output(), kSuccess);
    EXPECT_EQ(shownTitle(&m_frame), "Tessarine 2.0 - [deck.wml]");
    QAction *compile = commands().compile;
    EXPECT_EQ(compile->statusTip(), "Compiles the WML code");
    EXPECT_TRUE(compile->isEnabled());

    // Design -> Code -> Design -> XML Tree -> Code.
    clickTab(tabs, CodeTab);
    const std::string source = code->text();
    // The file as it stands: a click on a tab changes nothing.
    EXPECT_EQ(source, readWholeFile(doc.path()).value_or(""));
    EXPECT_TRUE(compile->isEnabled());
    // The code prints, to a PDF file without a printer.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath("deck.pdf"));
    EXPECT_TRUE(commands().print->isEnabled());
    ASSERT_TRUE(m_frame.printCode(printer));
    EXPECT_TRUE(
        readWholeFile(m_dir.filePath("deck.pdf").toStdString()).value_or("").starts_with("%PDF"));
    clickTab(tabs, DesignTab);
    EXPECT_FALSE(commands().print->isEnabled());
    const CardList *cards = child->designWnd()->cardList();
    ASSERT_EQ(cards->topLevelItemCount(), 2);
    EXPECT_EQ(cards->topLevelItem(1)->text(0), "Menu");
    clickTab(tabs, TreeTab);
    EXPECT_EQ(tabs->currentIndex(), TreeTab);
    ASSERT_EQ(tabs->treeView()->topLevelItemCount(), 1);
    EXPECT_EQ(tabs->treeView()->topLevelItem(0)->text(0), "#document");
    clickTab(tabs, CodeTab);
    EXPECT_EQ(code->text(), source);
    EXPECT_FALSE(doc.isModified());

    // An edit that breaks the deck, compiled; then mended and compiled.
    code->moveCursor(QTextCursor::End);
    type(code, "<p>");
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(shownTitle(&m_frame), "Tessarine 2.0 - [deck.wml]*");
    EXPECT_EQ(shownTitle(child), "deck.wml*");
    EXPECT_EQ(m_frame.paneText(MainWindow::StatusPane::LineColumn), "Ln 21 Cl 10");
    commands().compile->trigger();
    EXPECT_EQ(output(),
              "Error 0xC00CE005 on line 21, position 7\n"
              "Extra content at the end of the document");
    EXPECT_EQ(code->textCursor().selectedText(), "</wml><p>");
    EXPECT_EQ(tabs->treeView()->topLevelItemCount(), 0);
    code->setText(source);
    commands().compile->trigger();
    EXPECT_EQ(output(), std::string(kSuccess) + "\nCompiled size 105 bytes: fits all profiles");
    EXPECT_EQ(tabs->treeView()->topLevelItemCount(), 1);

    // Save writes the code as it stands, entities and all.
    code->setText(source + "<!-- a &amp; b -->");
    code->markModified();
    commands().save->trigger();
    EXPECT_EQ(readWholeFile(doc.path()).value_or(""), source + "<!-- a &amp; b -->");
    EXPECT_FALSE(doc.isModified());
    EXPECT_TRUE(prompter.messages().empty());

    // Closing: Cancel keeps it open, Yes writes and closes.
    type(code, "x");
    prompter.answer(Prompter::Answer::Cancel).answer(Prompter::Answer::Yes);
    commands().close->trigger();
    EXPECT_EQ(m_frame.activeChildFrame(), child);
    commands().close->trigger();
    EXPECT_TRUE(m_frame.mdiArea()->subWindowList().isEmpty());
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].text, "Save changes to deck.wml?");
    EXPECT_EQ(readWholeFile(m_dir.filePath("deck.wml").toStdString()).value_or(""),
              "x" + source + "<!-- a &amp; b -->");
    EXPECT_FALSE(m_frame.menuBar()->actions()[1]->isVisible()); // Edit: no document

    // No leaves the file as it was.
    std::string error;
    ASSERT_TRUE(m_frame.OpenDocumentFile(m_dir.filePath("deck.wml").toStdString(), &error));
    child = m_frame.activeChildFrame();
    type(child->tabWindow()->codeView(), "y");
    prompter.answer(Prompter::Answer::No);
    commands().close->trigger();
    EXPECT_TRUE(m_frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(readWholeFile(m_dir.filePath("deck.wml").toStdString()).value_or(""),
              "x" + source + "<!-- a &amp; b -->");
}

// Looking at a deck never writes it: real-looking decks in other encodings,
// with CRLF line ends, entities and inline emphasis keep every byte through
// tab clicks, Compile and screenshots of each tab.
TEST_F(RoadTest, ViewingNeverWritesTheFile)
{
    ScriptedPrompter &prompter = m_prompter;
    const std::string realworld = TESS_TEST_DATA_DIR "/realworld/";
    for (const char *name : {"contact.wml", "weather_no.wml", "bus_timetable.wml",
                             "radio_utf16be.wml", "horoscope_1252.wml", "news.asp"}) {
        SCOPED_TRACE(name);
        const std::string path = m_dir.filePath(name).toStdString();
        const std::string bytes = readWholeFile(realworld + name).value_or("");
        ASSERT_TRUE(writeFileAtomically(path, bytes));
        std::string error;
        ASSERT_TRUE(m_frame.OpenDocumentFile(path, &error)) << error;
        DocumentWindow *child = m_frame.activeChildFrame();
        DocumentTabs *tabs = child->tabWindow();
        if (tabs->count() == 3) {
            for (int tab : {CodeTab, DesignTab, TreeTab, CodeTab, DesignTab, CodeTab}) {
                clickTab(tabs, tab);
                if (tab == CodeTab)
                    commands().compile->trigger();
            }
            EXPECT_TRUE(output().starts_with(std::string(kSuccess) + "\nCompiled size "))
                << output();
        }
        EXPECT_FALSE(child->document().isModified());
        EXPECT_TRUE(readWholeFile(path) == bytes);
        commands().close->trigger();
        EXPECT_TRUE(prompter.messages().empty());

        QTemporaryDir shots;
        for (const char *tab : {"design", "code", "tree"}) {
            const test::ProgramResult r
                = test::runProgram(shots.path(),
                                   {"--screenshot", shots.filePath(QString(tab) + ".png"), "--tab",
                                    tab, QString::fromStdString(path)});
            EXPECT_EQ(r.exitCode, 0) << r.err;
        }
        EXPECT_TRUE(readWholeFile(path) == bytes);
    }
}

// Each document keeps its own compile result: one deck's error line is never
// selected in another, and Compile works from the Design tab too.
TEST_F(RoadTest, TwoDocumentsKeepTheirOwnCompileResults)
{
    DocumentWindow *second = open("deck.wml");
    std::string error;
    const std::string broken = m_dir.filePath("broken.wml").toStdString();
    ASSERT_TRUE(writeFileAtomically(
        broken, readWholeFile(TESS_TEST_DATA_DIR "/check/error_line5.wml").value_or("")));
    ASSERT_TRUE(m_frame.OpenDocumentFile(broken, &error)) << error;
    DocumentWindow *first = m_frame.activeChildFrame();
    ASSERT_NE(second, first);
    // The Window menu lists both, the active one checked, and activates the
    // one chosen; Cascade leaves each window most of the area.
    auto *window = qobject_cast<QMenu *>(m_frame.commands().cascade->parent());
    ASSERT_NE(window, nullptr);
    const auto listed = [window] {
        emit window->aboutToShow();
        QStringList texts;
        for (QAction *item : window->actions().mid(5))
            texts << item->text() + (item->isChecked() ? " [x]" : "");
        return texts;
    };
    EXPECT_EQ(listed(), QStringList({"&1 deck.wml", "&2 broken.wml [x]"}));
    window->actions()[5]->trigger();
    EXPECT_EQ(m_frame.activeChildFrame(), second);
    EXPECT_EQ(listed(), QStringList({"&1 deck.wml [x]", "&2 broken.wml"}));
    m_frame.commands().cascade->trigger();
    const QSize area = m_frame.mdiArea()->viewport()->size();
    for (DocumentWindow *child : {first, second}) {
        EXPECT_GE(child->width(), area.width() * 2 / 3);
        EXPECT_GE(child->height(), area.height() * 2 / 3);
    }
    EXPECT_NE(first->pos(), second->pos());
    m_frame.mdiArea()->setActiveSubWindow(first);
    EXPECT_EQ(first->tabWindow()->currentIndex(), DesignTab);
    ASSERT_TRUE(commands().compile->isEnabled());
    commands().compile->trigger();
    EXPECT_EQ(output(), "Error 0xC00CE044 on line 5, position 8\nxmlParseEntityRef: no name");

    const auto activate = [this](DocumentWindow *child) {
        m_frame.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(child->parentWidget()));
    };
    activate(second);
    clickTab(second->tabWindow(), CodeTab);
    EXPECT_FALSE(second->tabWindow()->codeView()->textCursor().hasSelection());

    activate(first);
    clickTab(first->tabWindow(), CodeTab);
    EXPECT_EQ(first->tabWindow()->codeView()->textCursor().selectedText(), "<p>Hi & there</p>");
    EXPECT_TRUE(readWholeFile(broken)
                == readWholeFile(TESS_TEST_DATA_DIR "/check/error_line5.wml"));
}

// A file already open is shown again rather than opened twice, by any name.
TEST_F(RoadTest, AnOpenFileIsActivatedNotOpenedTwice)
{
    DocumentWindow *first = open("deck.wml");
    DocumentWindow *other = open("code_block.wml");
    ASSERT_NE(first, other);
    std::string error;
    ASSERT_TRUE(m_frame.OpenDocumentFile(m_dir.path().toStdString() + "/./deck.wml", &error));
    EXPECT_EQ(m_frame.mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(m_frame.activeChildFrame(), first);
}

// Quitting asks every modified document first; a Cancel closes nothing.
TEST_F(RoadTest, CancelAtTheQuitPromptClosesNothing)
{
    ScriptedPrompter &prompter = m_prompter;
    open("deck.wml");
    DocumentWindow *edited = open("code_block.wml");
    open("a.jsp");
    edited->document().setModified(true);
    prompter.answer(Prompter::Answer::Cancel);
    EXPECT_FALSE(m_frame.close());
    EXPECT_EQ(m_frame.mdiArea()->subWindowList().size(), 3);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Save changes to code_block.wml?");

    // No: asked once, and everything closes.
    prompter.answer(Prompter::Answer::No);
    EXPECT_TRUE(m_frame.close());
    EXPECT_TRUE(m_frame.mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(prompter.messages().size(), 2u);
}

TEST_F(RoadTest, NewFilesAndOpenedPagesOfEachKind)
{
    ScriptedPrompter &prompter = m_prompter;
    RecentFileList recent(m_dir.filePath("recent.ini").toStdString(), 4);
    m_frame.setRecentFileList(&recent);
    const std::tuple<QAction *, PageKind, QStringList> kinds[] = {
        {commands().newAsp, PageKind::Asp, {"Design", "Code"}},
        {commands().newJsp, PageKind::Jsp, {"Design", "Code"}},
        {commands().newWml, PageKind::Wml, {"Design", "Code", "XML Tree"}},
    };
    for (const auto &[command, kind, labels] : kinds) {
        command->trigger();
        EXPECT_EQ(m_frame.newFileKind(), kind);
        const bool asp = kind == PageKind::Asp;
        const bool jsp = kind == PageKind::Jsp;
        DocumentWindow *child = m_frame.activeChildFrame();
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->document().isAsp(), asp);
        EXPECT_EQ(child->document().isJsp(), jsp);
        EXPECT_EQ(tabLabels(child->tabWindow()), labels);
    }

    // A page stays on its Code tab, Compile off.
    m_frame.mdiArea()->setActiveSubWindow(m_frame.mdiArea()->subWindowList().front());
    DocumentWindow *page = m_frame.activeChildFrame();
    DocumentTabs *tabs = page->tabWindow();
    EXPECT_EQ(shownTitle(page), "Tessarine1");
    EXPECT_EQ(tabs->codeView()->text(), newPageText(false));
    clickTab(tabs, DesignTab);
    EXPECT_EQ(tabs->currentIndex(), CodeTab);
    EXPECT_EQ(m_frame.paneText(MainWindow::StatusPane::Message),
              "ASP and JSP pages are edited in the Code tab");
    EXPECT_FALSE(commands().compile->isEnabled());

    // Closing it unsaved: Yes offers the ASP filter only.
    type(tabs->codeView(), "z");
    const std::string named = m_dir.filePath("page.asp").toStdString();
    prompter.answer(Prompter::Answer::Yes).file(ScriptedPrompter::Kind::SaveFile, named);
    commands().close->trigger();
    ASSERT_EQ(prompter.requests().size(), 1u);
    EXPECT_EQ(prompter.requests()[0].file.filter, "ASP Files (*.asp)|*.asp|");
    EXPECT_EQ(readWholeFile(named).value_or(""), "z" + newPageText(false));
    // The name went to the recent files, which open it again.
    EXPECT_EQ(recent.entries(), std::vector<std::string> {named});
    ASSERT_EQ(m_frame.recentFileActions().size(), 1u);
    QAction *entry = m_frame.recentFileActions().front();
    EXPECT_EQ(entry->text().toStdString(), "&1 " + named);
    entry->trigger();
    EXPECT_TRUE(m_frame.activeChildFrame()->document().isAsp());
    EXPECT_EQ(m_frame.activeChildFrame()->tabWindow()->codeView()->text(),
              "z" + newPageText(false));
    commands().close->trigger();

    // Open File of a JSP page.
    prompter.file(ScriptedPrompter::Kind::OpenFile, copy("a.jsp"));
    commands().open->trigger();
    DocumentWindow *opened = m_frame.activeChildFrame();
    EXPECT_EQ(m_frame.newFileKind(), PageKind::Jsp);
    EXPECT_TRUE(opened->document().isJsp() && opened->document().openedThroughOpenFile);
    EXPECT_EQ(tabLabels(opened->tabWindow()), QStringList({"Design", "Code"}));
    EXPECT_EQ(opened->tabWindow()->codeView()->text(), readWholeFile(kRoad + "a.jsp").value());
}

// Cards moved in the XML Tree stand in their new order in the card list and
// on the canvas, and once saved in the file.
TEST_F(RoadTest, CardsMovedInTheTreeKeepTheirOrder)
{
    DocumentWindow *child = open("deck.wml");
    DocumentTabs *tabs = child->tabWindow();
    DeckDocument &doc = child->document();
    clickTab(tabs, TreeTab);
    XmlTreeView *tree = tabs->treeView();
    const auto itemOf = [tree](const DeckNode *node) -> QTreeWidgetItem * {
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if (XmlTreeView::itemId(*it) == node->id())
                return *it;
        }
        return nullptr;
    };
    DeckNode *root = doc.model().root();
    ASSERT_TRUE(tree->DropItem(itemOf(NthCard(root, 1)), itemOf(NthCard(root, 2))));
    clickTab(tabs, DesignTab);
    const CardList *cards = child->designWnd()->cardList();
    ASSERT_EQ(cards->topLevelItemCount(), 2);
    EXPECT_EQ(cards->topLevelItem(0)->text(0), "Menu");
    EXPECT_EQ(cards->topLevelItem(1)->text(0), "Home");
    EXPECT_EQ(doc.CurrentCard(), NthCard(doc.model().root(), 1));
    commands().save->trigger();
    const std::string saved = readWholeFile(doc.path()).value_or("");
    EXPECT_LT(saved.find("id=\"menu\""), saved.find("id=\"home\""));
    EXPECT_FALSE(doc.isModified());

    // Save As writes the deck under the new name, which the document takes;
    // Cancel changes nothing.
    const std::string original = doc.path();
    m_prompter.file(ScriptedPrompter::Kind::SaveFile, "");
    commands().saveAs->trigger();
    EXPECT_EQ(doc.path(), original);
    const std::string renamed = m_dir.filePath("moved.wml").toStdString();
    m_prompter.file(ScriptedPrompter::Kind::SaveFile, renamed);
    commands().saveAs->trigger();
    EXPECT_EQ(doc.path(), renamed);
    EXPECT_EQ(doc.title(), "moved.wml");
    EXPECT_EQ(readWholeFile(renamed).value_or(""), saved);
    EXPECT_EQ(readWholeFile(original).value_or(""), saved);
}

// The keys users know from other editors reach their commands, and so do
// the menus' own.
TEST_F(RoadTest, CommonKeysReachTheirCommands)
{
    DocumentWindow *child = open("deck.wml");
    clickTab(child->tabWindow(), CodeTab);
    DeckCodeEditor *code = child->tabWindow()->codeView();
    m_frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_frame));
    code->setFocus();
    const std::tuple<QAction *, Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {commands().save, Qt::Key_F2, Qt::NoModifier},
        {commands().save, Qt::Key_S, Qt::ControlModifier},
        {commands().find, Qt::Key_F, Qt::ControlModifier},
        {commands().replace, Qt::Key_H, Qt::ControlModifier},
        {commands().newWml, Qt::Key_N, Qt::ControlModifier},
    };
    for (const auto &[action, key, modifiers] : keys) {
        int triggered = 0;
        const QMetaObject::Connection counting
            = QObject::connect(action, &QAction::triggered, [&triggered] { ++triggered; });
        QTest::keyClick(code, key, modifiers);
        QObject::disconnect(counting);
        EXPECT_EQ(triggered, 1) << QKeySequence(key | modifiers).toString().toStdString();
        // A Find window takes the focus from the document.
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<FindReplaceDialog *>(window))
                window->close();
        }
    }
    EXPECT_EQ(m_frame.mdiArea()->subWindowList().size(), 2);
}

// Runs the built program on the deck, once for each tab.
TEST(TabOptionTest, ScreenshotShowsTheTabAsked)
{
    QTemporaryDir dir;
    const auto pristine = readWholeFile(kRoad + "deck.wml");
    const auto shoot = [&](const char *tab) {
        const QString shot = dir.filePath(QString("%1.png").arg(tab));
        const test::ProgramResult r = test::runProgram(
            dir.path(),
            {"--screenshot", shot, "--tab", tab, QString::fromStdString(kRoad + "deck.wml")});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        // Canvas pixels and bold keyword pixels of the code view.
        const QImage image = QImage(shot).convertToFormat(QImage::Format_RGB32);
        std::pair<int, int> counts;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                counts.first += image.pixel(x, y) == kCanvasColour;
                counts.second += image.pixel(x, y) == qRgb(128, 0, 0);
            }
        return counts;
    };
    const auto design = shoot("design");
    EXPECT_GT(design.first, 100000);
    EXPECT_EQ(design.second, 0);
    const auto code = shoot("code");
    EXPECT_LT(code.first, 100);
    EXPECT_GT(code.second, 200);
    const auto tree = shoot("tree");
    EXPECT_LT(tree.first, 100);
    EXPECT_EQ(tree.second, 0);
    // Reaching Code went through a copy: the deck and the recent files are
    // as they were.
    EXPECT_EQ(readWholeFile(kRoad + "deck.wml"), pristine);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("recent.ini")));
}

} // namespace
} // namespace tess
