#include "gui/code/FindReplaceDialog.h"

#include "gui/code/DeckCodeEditor.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <string>

namespace tess {
namespace {

using Mode = FindReplaceDialog::Mode;

class FindReplaceTest : public testing::Test
{
protected:
    void SetUp() override { view->setText("Card card CARD cards"); }

    std::string selection() const
    {
        const QTextCursor c = view->textCursor();
        return std::to_string(c.selectionStart()) + ".." + std::to_string(c.selectionEnd());
    }

    // The windows are its children and go with it.
    QWidget mainWindow;
    DeckCodeEditor *view = new DeckCodeEditor(&mainWindow);
};

TEST_F(FindReplaceTest, HookShowsTheWindowsOnTheCodeTabOnlyAndLeavesOthersAlone)
{
    FindReplaceDialog *find = FindReplaceDialog::open(Mode::Find, &mainWindow, view);
    FindReplaceDialog *replace = FindReplaceDialog::open(Mode::Replace, &mainWindow, view);
    EXPECT_EQ(FindReplaceDialog::open(Mode::Find, &mainWindow, view), find);
    EXPECT_EQ(find->windowTitle(), "Find");
    EXPECT_EQ(replace->windowTitle(), "Replace");
    find->move(140, 90);
    QWidget otherMain;
    QDialog foreign(&otherMain);
    foreign.setWindowTitle("Find");
    foreign.show();

    for (int tab : {0, 2}) {
        followCodeTab(&mainWindow, tab);
        EXPECT_FALSE(find->isVisible()) << tab;
        EXPECT_FALSE(replace->isVisible()) << tab;
        EXPECT_TRUE(foreign.isVisible()) << tab;
    }
    followCodeTab(&mainWindow, 1);
    EXPECT_TRUE(find->isVisible());
    EXPECT_TRUE(replace->isVisible());
    EXPECT_EQ(find->pos(), QPoint(140, 90));

    // A window the user closed stays closed and is not reused.
    find->close();
    followCodeTab(&mainWindow, 0);
    followCodeTab(&mainWindow, 1);
    EXPECT_FALSE(find->isVisible());
    EXPECT_NE(FindReplaceDialog::open(Mode::Find, &mainWindow, view), find);
}

TEST_F(FindReplaceTest, FindNextHonoursCaseWholeWordAndDirectionAndWraps)
{
    struct Case
    {
        bool matchCase, wholeWord, down;
        const char *selections;
    };
    const Case cases[] = {
        {false, false, true, "0..4 5..9 10..14 15..19 0..4 "},
        {false, true, true, "0..4 5..9 10..14 0..4 "},
        {true, false, true, "5..9 15..19 5..9 "},
        {true, true, false, "5..9 5..9 "},
    };
    FindReplaceDialog *find = FindReplaceDialog::open(Mode::Find, &mainWindow, view);
    find->setFindText("card");
    for (const Case &c : cases) {
        find->setMatchCase(c.matchCase);
        find->setWholeWord(c.wholeWord);
        find->setSearchDown(c.down);
        view->moveCursor(QTextCursor::Start);
        std::string seen;
        while (seen.size() < std::string(c.selections).size() && find->findNext())
            seen += selection() + " ";
        EXPECT_EQ(seen, c.selections);
    }
    EXPECT_EQ(find->notice(), "");
    find->setFindText("<deck>");
    EXPECT_FALSE(find->findNext());
    EXPECT_EQ(selection(), "5..9");
    EXPECT_EQ(find->notice(), "Cannot find \"<deck>\"");

    // A one-line selection becomes the text to find; the notice goes.
    find->close();
    find = FindReplaceDialog::open(Mode::Find, &mainWindow, view);
    find->setMatchCase(true);
    EXPECT_TRUE(find->findNext());
    EXPECT_EQ(selection(), "15..19");
    EXPECT_EQ(find->notice(), "");
}

TEST_F(FindReplaceTest, ReplaceAndReplaceAllChangeTheTextAndMarkItModified)
{
    QSignalSpy modified(view, &DeckCodeEditor::documentModified);
    FindReplaceDialog *replace = FindReplaceDialog::open(Mode::Replace, &mainWindow, view);
    replace->setFindText("card");
    replace->setReplaceText("deck");
    replace->setMatchCase(true);
    EXPECT_FALSE(replace->replaceCurrent()); // nothing selected: it only finds
    EXPECT_EQ(selection(), "5..9");
    EXPECT_TRUE(replace->replaceCurrent());
    EXPECT_EQ(view->text(), "Card deck CARD cards");
    EXPECT_EQ(selection(), "15..19");
    EXPECT_EQ(modified.count(), 1);

    replace->setMatchCase(false);
    replace->setWholeWord(true);
    EXPECT_EQ(replace->replaceAll(), 2);
    EXPECT_EQ(view->text(), "deck deck deck cards");
    EXPECT_EQ(modified.count(), 2);
    view->undo();
    EXPECT_EQ(view->text(), "Card deck CARD cards");
    replace->setFindText("nothing");
    EXPECT_EQ(replace->replaceAll(), 0);
    EXPECT_EQ(modified.count(), 2);
    EXPECT_EQ(replace->notice(), "Cannot find \"nothing\"");
}

} // namespace
} // namespace tess
