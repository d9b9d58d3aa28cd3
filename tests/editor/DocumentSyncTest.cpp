#include "editor/DocumentSync.h"
#include "common/ScriptedPrompter.h"
#include "deck/DeckFile.h"
#include "deck/NodeIndex.h"
#include "deck/SourceConstants.h"
#include "deck/SourceForm.h"
#include "editor/DeckDocument.h"
#include "editor/XmlTreeModel.h"
#include "wml/FileUtil.h"
#include "wml/TextEncoding.h"
#include "wml/XmlTestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace tess {
namespace {

const std::string kRoad = TESS_TEST_DATA_DIR "/road/";
// What a design save leaves of road/deck.wml: its own prolog, its text
// untouched, laid out where WML allows no text.
const std::string kDeckSource
    = "<?xml version=\"1.0\"?>\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
      "\"http://www.wapforum.org/DTD/wml_1.1.xml\">\n\n<wml>\n\n\t<card id=\"home\" "
      "title=\"Home\">\n\t\t<p align=\"left\">Welcome \n\t\t\t<b>aboard\n\t\t\t</b>"
      "\n\t\t\t<i>now\n\t\t\t</i>\n\t\t</p>\n\t</card>\n\n\t<card id=\"menu\" "
      "title=\"Menu\">\n\t\t<p>\n\t\t\t<a "
      "href=\"#home\">Back\n\t\t\t</a>\n\t\t</p>\n\t</card>\n\n</wml>\n";

// The tab window's views and the main window, as records.
struct Recorder : SyncViews, SyncHost
{
    std::string code;
    int trees = 0;
    std::vector<int> followed;
    std::string output;
    std::vector<std::string> emulated;

    std::string codeText() const override { return code; }
    // As the editor keeps it: "\n" line ends only.
    void setCodeText(const std::string &text) override { code = withLineFeeds(text); }
    void selectCode(size_t, size_t) override { }
    void refillCardList() override { }
    void clearTree() override { trees = 0; }
    void buildTree(const DeckModel &) override { ++trees; }
    void followCodeTab(int tab) override { followed.push_back(tab); }
    void showMessage(const std::string &text) override { output = text; }
    void clearOutput() override { output.clear(); }
    void addRecentFile(const std::string &) override { }
    void launchEmulator(const std::string &path, Launch how) override
    {
        emulated.push_back((how == Launch::New ? "new " : "hand off ") + path);
    }
};

std::string slurp(const std::string &path)
{
    return readWholeFile(path).value_or("<missing>");
}

class DocumentSyncTest : public ::testing::Test
{
protected:
    void TearDown() override { setAtomicWriteFailureForTesting(false); }

    // A copy of a fixture opened as a document, its initial load run.
    DocumentSync &open(const std::string &fixture, PageKind kind = PageKind::Wml)
    {
        const std::string path = m_dir.filePath(QString::fromStdString(fixture)).toStdString();
        std::ofstream(path, std::ios::binary) << slurp(kRoad + fixture);
        m_sync.reset();
        m_owned = std::make_unique<DeckDocument>();
        doc().setFileKind(kind);
        EXPECT_TRUE(doc().OnOpenDocument(path, nullptr));
        return start();
    }
    DocumentSync &start()
    {
        SyncPaths paths;
        paths.tempDir = m_dir.path().toStdString();
        paths.prologue = [this] { return m_prologue; };
        m_sync = std::make_unique<DocumentSync>(doc(), m_views, m_views, m_prompter, paths);
        m_sync->initialLoad();
        return *m_sync;
    }
    DeckDocument &doc() { return *m_owned; }
    std::string path(const char *name) const { return m_dir.filePath(name).toStdString(); }

    QTemporaryDir m_dir;
    std::unique_ptr<DeckDocument> m_owned = std::make_unique<DeckDocument>();
    ScriptedPrompter m_prompter;
    Recorder m_views;
    std::unique_ptr<DocumentSync> m_sync;
    std::string m_prologue = prologue(false, {});
};

// The code view holds the deck's characters whatever the file's encoding;
// what the user types goes back in the file's own encoding and line ends.
TEST_F(DocumentSyncTest, TheCodeKeepsTheFilesEncodingAndLineEnds)
{
    const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                               "<wml><card><p>N\xE6rmere \xC9"
                               "cole</p></card></wml>\r\n";
    std::ofstream(path("deck.wml"), std::ios::binary) << latin1;
    m_owned = std::make_unique<DeckDocument>();
    ASSERT_TRUE(doc().OnOpenDocument(path("deck.wml"), nullptr));
    DocumentSync &sync = start();
    ASSERT_TRUE(sync.switchTo(CodeTab));
    EXPECT_EQ(m_views.code,
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
              "<wml><card><p>N\xC3\xA6rmere \xC3\x89"
              "cole</p></card></wml>\n");
    m_views.code.replace(m_views.code.find("</p>"), 0, " \xE2\x82\xAC");
    ASSERT_TRUE(sync.switchTo(DesignTab));
    EXPECT_EQ(slurp(doc().path()),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
              "<wml><card><p>N\xE6rmere \xC9"
              "cole &#8364;</p></card></wml>\r\n");
    EXPECT_TRUE(doc().model().validDeck);
}

// Server code the design cannot hold (here between two cards) keeps the
// design from writing the deck rather than losing the code.
TEST_F(DocumentSyncTest, CodeOutsideTextKeepsTheDesignFromWriting)
{
    const std::string deck = test::WmlPrologue
        + "<wml><card id=\"a\"><p>a</p></card><% If x Then %><card id=\"b\"><p>b</p></card>"
          "<% End If %></wml>\n";
    std::ofstream(path("deck.wml"), std::ios::binary) << deck;
    m_owned = std::make_unique<DeckDocument>();
    ASSERT_TRUE(doc().OnOpenDocument(path("deck.wml"), nullptr));
    DocumentSync &sync = start();
    EXPECT_TRUE(doc().model().validDeck);
    doc().setModified(true);
    const Outcome refused = sync.switchTo(CodeTab);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, CodeOutsideTextRefusal);
    EXPECT_EQ(refused.icon, Prompter::Icon::Stop);
    EXPECT_EQ(slurp(doc().path()), deck);
}

TEST_F(DocumentSyncTest, SaveWritesWhatTheUserWorkedOn)
{
    struct Case
    {
        std::vector<int> clicks;
        int saveBy; // a last click whose switch saves, or -1 for Save itself
        const char *code;
        std::string file; // "" : what the file held before the save
    };
    const Case cases[] = {
        {{}, -1, "ignored", kDeckSource}, // the design, as opened
        {{CodeTab}, -1, "<p>a &lt; b &amp; c</p>", "<p>a &lt; b &amp; c</p>"},
        {{CodeTab},
         DesignTab,
         " \n<?xml version=\"1.0\"?><wml><card/></wml>",
         "<?xml version=\"1.0\"?><wml><card/></wml>"},
        {{TreeTab}, -1, "stale", kDeckSource}, // the tree shows the deck
        {{TreeTab}, DesignTab, "stale", kDeckSource}, // with the tree's moves
    };
    for (const Case &c : cases) {
        DocumentSync &sync = open("deck.wml");
        for (int tab : c.clicks)
            ASSERT_TRUE(sync.switchTo(tab));
        std::ofstream(doc().path(), std::ios::binary) << "before";
        m_views.code = c.code;
        doc().setModified(true);
        ASSERT_TRUE(c.saveBy < 0 ? sync.save() : sync.switchTo(c.saveBy));
        EXPECT_EQ(slurp(doc().path()), c.file.empty() ? "before" : c.file) << c.code;
        EXPECT_FALSE(doc().isModified());
    }
}

TEST_F(DocumentSyncTest, AFailedWriteLeavesTheFileAndTheTab)
{
    DocumentSync &sync = open("deck.wml");
    ASSERT_TRUE(sync.switchTo(CodeTab));
    const std::string before = slurp(doc().path());
    m_views.code = "<wml><card/></wml>";
    doc().setModified(true);
    setAtomicWriteFailureForTesting(true);
    for (const Outcome &failed : {sync.switchTo(DesignTab), sync.saveCommand()}) {
        EXPECT_FALSE(failed.ok);
        EXPECT_EQ(failed.message, "Unable to Save the File");
        EXPECT_EQ(failed.icon, Prompter::Icon::Stop);
    }
    EXPECT_EQ(slurp(doc().path()), before);
    EXPECT_EQ(sync.activeTab(), CodeTab);
    EXPECT_EQ(m_views.followed.back(), CodeTab);
    EXPECT_TRUE(doc().isModified());
}

// The answers of the save prompt are driven through the main window in
// tests/shell/RoadTest.cpp; here a new document, which lives in a temporary
// file once the Code tab has saved it, is named before it is written.
TEST_F(DocumentSyncTest, ATemporaryDocumentIsNamedWhenItCloses)
{
    ScriptedPrompter &prompter = m_prompter;
    DeckDocument reopened;
    std::ofstream(path("old.tmp")) << "<wml/>";
    ASSERT_TRUE(reopened.OnOpenDocument(path("old.tmp"), nullptr));
    EXPECT_TRUE(reopened.isModified() && reopened.openedFromTemporary);

    doc().setTitle("Tessarine1");
    doc().startNewDeck();
    DocumentSync &sync = start();
    ASSERT_TRUE(sync.switchTo(CodeTab));
    EXPECT_EQ(doc().path(), path("Tessarine1.tmp"));
    EXPECT_TRUE(doc().isModified() && doc().isTemporary());
    prompter.answer(Prompter::Answer::Yes).file(ScriptedPrompter::Kind::SaveFile, path("new.wml"));
    EXPECT_TRUE(sync.queryClose());
    EXPECT_EQ(prompter.messages()[0].text, "Save changes to Tessarine1?");
    EXPECT_EQ(prompter.requests()[0].file.filter,
              "WML Files (*.wml)|*.wml|ASP Files (*.asp)|*.asp|JSP Files (*.jsp)|*.jsp|");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("Tessarine1.tmp"))));
    EXPECT_EQ(slurp(path("new.wml")), m_views.code);
    EXPECT_TRUE(doc().savePromptAnsweredYes);
}

TEST_F(DocumentSyncTest, TheTreeAndThePreviewValidate)
{
    DocumentSync &sync = open("deck.wml");
    ASSERT_TRUE(sync.switchTo(TreeTab));
    EXPECT_EQ(m_views.trees, 1);
    EXPECT_TRUE(doc().xmlTreeActive);
    EXPECT_EQ(m_views.output, "Compilations Done - No Errors Found !!!");
    EXPECT_TRUE(sync.preview());
    EXPECT_TRUE(sync.preview(false));
    EXPECT_EQ(m_views.emulated,
              std::vector<std::string>({"new " + doc().path(), "hand off " + doc().path()}));

    ASSERT_TRUE(sync.switchTo(CodeTab));
    m_views.code.replace(m_views.code.find("</b>"), 4, "");
    ASSERT_TRUE(sync.save());
    const Outcome broken = sync.preview();
    EXPECT_FALSE(broken.ok);
    EXPECT_EQ(m_views.trees, 0);
    EXPECT_EQ(broken.message, "Error in Compilation");
    EXPECT_EQ(broken.icon, Prompter::Icon::None);

    m_sync.reset();
    m_owned = std::make_unique<DeckDocument>();
    const Outcome unsaved = start().preview();
    EXPECT_FALSE(unsaved.ok);
    EXPECT_EQ(unsaved.message, "Emulator launch failed: save file prior to preview");
    EXPECT_EQ(unsaved.icon, Prompter::Icon::Stop);
}

// The XML Tree clicked after opening builds on the deck just loaded while the
// file holds the same bytes and nothing touched the deck, and leaves the
// document as a load of the file would: the same tree, no current card, no
// selection, nothing placed.
TEST_F(DocumentSyncTest, TheTreeAfterOpeningParsesOnlyWhatChanged)
{
    const auto rewrite = [this](const std::string &bytes) {
        std::ofstream(doc().path(), std::ios::binary | std::ios::trunc) << bytes;
    };
    const std::string original = slurp(kRoad + "deck.wml");
    std::string retitled = original;
    retitled.replace(retitled.find("Menu"), 4, "List");
    const std::pair<std::function<void()>, bool> cases[] = {
        {[] {}, false},
        {[&] { rewrite(original); }, false},
        {[&] { rewrite(retitled); }, true},
        {[this] {
             doc().setModified(true);
             doc().setModified(false);
         },
         true},
    };
    for (const auto &[between, parses] : cases) {
        DocumentSync &sync = open("deck.wml");
        DeckNode *card = NthCard(doc().model().root(), 1);
        doc().setCurrentCard(card);
        doc().setSelectedNode(card->firstChild);
        card->firstChild->element->rect = {10, 10, 50, 30};
        const int rootId = doc().model().root()->id();
        between();
        ASSERT_TRUE(sync.switchTo(TreeTab));

        DeckModel fresh;
        fresh.filePath = doc().path();
        test::RecordingSink sink;
        ASSERT_TRUE(LoadDeckFromFile(fresh, sink));
        const auto labels = [](const DeckNode *root) {
            std::vector<std::pair<int, std::string>> out;
            for (const TreeRow &row : TreeRows(root))
                out.emplace_back(row.depth, row.label);
            return out;
        };
        EXPECT_EQ(labels(doc().model().root()), labels(fresh.root())) << parses;
        EXPECT_EQ(doc().model().root()->id() != rootId, parses);
        EXPECT_EQ(doc().CurrentCard(), nullptr);
        EXPECT_EQ(doc().selectedNode(), nullptr);
        const DeckNode *root = doc().model().root();
        for (const DeckNode *n = root; n; n = nextInSubtree(n, root))
            EXPECT_EQ(n->element->rect, DesignRect {});
        EXPECT_EQ(m_views.trees, 1);
        EXPECT_EQ(m_views.output, CompileSuccessText);
        EXPECT_FALSE(doc().model().compile.errorFlag);
    }
}

} // namespace
} // namespace tess
