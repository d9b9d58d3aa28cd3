#include "app/AppContext.h"
#include "common/ScriptedPrompter.h"
#include "deck/DeckModel.h"
#include "editor/DeckDocument.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/shell/DocumentTabs.h"
#include "wml/FileUtil.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tess {
namespace {

class NoHost : public SyncHost
{
public:
    void showMessage(const std::string &text) override { last = text; }
    void clearOutput() override { }
    void addRecentFile(const std::string &) override { }
    void launchEmulator(const std::string &, Launch) override { }
    std::string last;
};

// The hidden code view is filled in idle time with what a switch to Code
// would show; the switch must show exactly what it would have without that.
class CodePreparationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_context.tempDir = m_dir.path().toStdString();
        m_path = m_dir.filePath("deck.wml").toStdString();
        const auto deck = readWholeFile(TESS_TEST_DATA_DIR "/road/deck.wml");
        ASSERT_TRUE(deck && writeFileAtomically(m_path, *deck));
    }

    // The code text after a switch, with or without the filling and with an
    // edit of the design in between.
    std::string codeAfterSwitch(bool prepared, bool edit)
    {
        DeckDocument doc;
        EXPECT_TRUE(doc.OnOpenDocument(m_path, nullptr));
        DocumentTabs tabs(doc, m_host, m_prompter, m_context);
        tabs.ensureInitialLoad();
        EXPECT_TRUE(doc.model().validDeck) << m_host.last;
        if (prepared) {
            EXPECT_TRUE(tabs.preparingCodeView());
            tabs.finishPreparingCodeView();
            m_prepared = tabs.codeView()->text();
        } else {
            tabs.finishPreparingCodeView();
            tabs.codeView()->setText("");
        }
        if (edit) {
            DeckNode *card = NthCard(doc.model().root(), 1);
            card->element->setFragment("<card id=\"edited\" title=\"Edited\" >");
            doc.setModified(true);
        }
        tabs.clickTab(CodeTab);
        EXPECT_EQ(tabs.currentIndex(), CodeTab);
        return tabs.codeView()->text();
    }

    QTemporaryDir m_dir;
    std::string m_path;
    std::string m_prepared;
    NoHost m_host;
    ScriptedPrompter m_prompter;
    AppContext m_context;
};

TEST_F(CodePreparationTest, TheSwitchShowsTheSameTextWithOrWithoutIt)
{
    const std::string plain = codeAfterSwitch(false, false);
    ASSERT_TRUE(writeFileAtomically(m_path, *readWholeFile(TESS_TEST_DATA_DIR "/road/deck.wml")));
    EXPECT_EQ(codeAfterSwitch(true, false), plain);
    // Foreseen exactly: the switch had nothing left to change.
    EXPECT_EQ(m_prepared, plain);

    ASSERT_TRUE(writeFileAtomically(m_path, *readWholeFile(TESS_TEST_DATA_DIR "/road/deck.wml")));
    const std::string edited = codeAfterSwitch(false, true);
    EXPECT_NE(edited.find("<card id=\"edited\" title=\"Edited\">"), std::string::npos) << edited;
    ASSERT_TRUE(writeFileAtomically(m_path, *readWholeFile(TESS_TEST_DATA_DIR "/road/deck.wml")));
    EXPECT_EQ(codeAfterSwitch(true, true), edited);
}

TEST_F(CodePreparationTest, StopsWhenTheViewIsSetOrTheTabChanges)
{
    DeckDocument doc;
    ASSERT_TRUE(doc.OnOpenDocument(m_path, nullptr));
    DocumentTabs tabs(doc, m_host, m_prompter, m_context);
    tabs.ensureInitialLoad();
    ASSERT_TRUE(tabs.preparingCodeView());
    tabs.codeView()->setText("mine");
    QApplication::processEvents();
    EXPECT_FALSE(tabs.preparingCodeView());
    EXPECT_EQ(tabs.codeView()->text(), "mine");
}

// A deck long enough for the code view to take it in slices; a broken one
// leaves a paragraph of its last card open.
std::string longDeck(bool broken)
{
    std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML "
                       "1.1//EN\" \"http://www.wapforum.org/DTD/wml_1.1.xml\">\n<wml>\n";
    for (int n = 1; n <= 3000; ++n) {
        const std::string id = std::to_string(n);
        text += "<card id=\"c" + id + "\" title=\"Card " + id + "\">\n<p>\nWelcome to card " + id
            + "\n<b>bold</b>\n</p>\n</card>\n";
    }
    return text + (broken ? "<card id=\"last\">\n<p>\n</card>\n</wml>\n" : "</wml>\n");
}

// Right after a click on Code the view holds the first lines of a long
// deck only; what the user does then gives the same file, selection and
// state as when the whole text is in.
TEST_F(CodePreparationTest, CommandsRightAfterTheSwitchWorkOnTheWholeText)
{
    struct Case
    {
        const char *name;
        bool broken;
        std::function<void(DocumentTabs &)> act;
    };
    const Case cases[] = {
        {"saved as it stands", false, [](DocumentTabs &t) { t.saveCommand(); }},
        {"typed at the end and saved", false,
         [](DocumentTabs &t) {
             QTest::keyClick(t.codeView(), Qt::Key_End, Qt::ControlModifier);
             QTest::keyClicks(t.codeView(), "<!-- typed -->");
             t.saveCommand();
         }},
        {"typed, undone and saved", false,
         [](DocumentTabs &t) {
             QTest::keyClicks(t.codeView(), "x");
             t.codeView()->editUndo();
             t.saveCommand();
         }},
        {"switched to with an error near the end, compiled", true,
         [](DocumentTabs &t) { t.compile(); }},
    };
    for (const Case &c : cases) {
        std::string results[2];
        for (const bool whole : {false, true}) {
            ASSERT_TRUE(writeFileAtomically(m_path, longDeck(c.broken)));
            DeckDocument doc;
            ASSERT_TRUE(doc.OnOpenDocument(m_path, nullptr));
            DocumentTabs tabs(doc, m_host, m_prompter, m_context);
            tabs.ensureInitialLoad();
            tabs.clickTab(CodeTab);
            ASSERT_EQ(tabs.currentIndex(), CodeTab) << c.name;
            // A deck that failed to load has its error line selected by the
            // switch itself, which takes the whole text in.
            ASSERT_EQ(tabs.codeView()->filling(), !c.broken) << c.name;
            if (whole)
                tabs.codeView()->completeText();
            c.act(tabs);
            results[whole] = *readWholeFile(m_path) + "|selected "
                + tabs.codeView()->textCursor().selectedText().toStdString() + "|modified "
                + (doc.isModified() ? "yes" : "no");
        }
        EXPECT_EQ(results[0], results[1]) << c.name;
    }
}

} // namespace
} // namespace tess
