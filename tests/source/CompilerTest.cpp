#include "source/Compiler.h"
#include "source/SourceConstants.h"
#include "tests/source/XmlTestSupport.h"

#include "common/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace tess {
namespace {

using test::readBytes;
using test::ScratchDir;

const std::string kSuccess(CompileSuccessText);
const std::string kOneLinePrologue
    = "<?xml version=\"1.0\"?><!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
      "\"http://www.wapforum.org/DTD/wml_1.1.xml\">";
const std::string kHead = kOneLinePrologue + "<wml><card>";
const std::string kTail = "</card></wml>";

std::string checkFixture(const std::string &name)
{
    return std::string(TESS_TEST_DATA_DIR) + "/check/" + name;
}

struct RecordingSink : MessageSink
{
    void showMessage(const std::string &text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

// What a checked file must still be afterwards: its bytes and its time.
struct FileSnapshot
{
    explicit FileSnapshot(const std::string &path)
        : path(path)
        , bytes(readBytes(path))
        , mtime(std::filesystem::last_write_time(path))
    { }
    void expectUnchanged() const
    {
        EXPECT_TRUE(readBytes(path) == bytes && std::filesystem::last_write_time(path) == mtime);
    }
    std::string path, bytes;
    std::filesystem::file_time_type mtime;
};

class CompilerTest : public ::testing::Test
{
protected:
    void SetUp() override { compileState() = {}; }

    bool load(const std::string &path)
    {
        model.filePath = path;
        setFileKindFromPath(model);
        return LoadDeckFromFile(model, scratch.dir.path().toStdString(), sink);
    }
    std::string pureCopy() const
    {
        return readBytes(pureCopyPath(scratch.dir.path().toStdString()));
    }

    void expectFailure(const std::string &message, int line, int position)
    {
        ASSERT_FALSE(sink.shown.empty());
        EXPECT_EQ(sink.shown.back(), message);
        const CompileState &state = compileState();
        EXPECT_EQ(state.outputMessage, message);
        EXPECT_TRUE(state.errorFlag);
        EXPECT_EQ(state.errorLine, line);
        EXPECT_EQ(state.errorPosition, position);
        EXPECT_FALSE(model.validDeck);
    }

    ScratchDir scratch;
    DeckModel model;
    RecordingSink sink;
};

TEST(CompilerText, ErrorMessagesPathsAndFileKinds)
{
    EXPECT_EQ(formatParseError({0xC00CE044u, 4, 7, "xmlParseEntityRef: no name"}),
              "Error 0xC00CE044 on line 5, position 8\r\nxmlParseEntityRef: no name");
    EXPECT_EQ(formatParseError({0x4u, 0, 0, ""}), "Error 0x00000004 on line 1, position 1\r\n");
    EXPECT_EQ(pureCopyPath("/w/Temp"), "/w/Temp/WapTemprary.wml");

    // The kind is the text after the last ".", compared exactly.
    const std::tuple<const char *, bool, bool> kinds[] = {{"/d/a.asp", true, false},
                                                          {"/d/a.jsp", false, true},
                                                          {"/d/a.ASP", false, false},
                                                          {"/d/x.jsp/page", false, false},
                                                          {"/d/asp", false, false}};
    for (const auto &[path, asp, jsp] : kinds) {
        DeckModel model;
        model.asp = model.jsp = true;
        model.filePath = path;
        EXPECT_TRUE(setFileKindFromPath(model));
        EXPECT_TRUE(model.asp == asp && model.jsp == jsp) << path;
    }
    DeckModel unnamed;
    unnamed.asp = true;
    EXPECT_FALSE(setFileKindFromPath(unnamed));
    EXPECT_TRUE(unnamed.asp);
}

// Pages as the user wrote them: what the pure copy keeps and what is shown.
TEST_F(CompilerTest, PagesWithServerCodeAndLeadingText)
{
    const std::string unchanged = "(the page as written)";
    const struct
    {
        const char *file;
        std::string message;
        std::string pureCopyHolds;
    } cases[] = {
        {"deck.wml", kSuccess, "<a href=\"#order\">Order</a>&nbsp;now"},
        {"leading_text.wml", kSuccess, "\n<wml>"},
        {"inline.asp", kSuccess, "<p>Hello !</p>"},
        {"script.jsp", kSuccess, "<p>Total: three</p>"},
        {"between.asp", "Error 0xC00CE044 on line 6, position 6\r\nStartTag: invalid element name",
         unchanged},
        {"client_script.asp",
         "Error 0xC00CE215 on line 5, position 40\r\nNo declaration for attribute LANGUAGE of "
         "element SCRIPT",
         unchanged},
        {"error_line5.wml", "Error 0xC00CE044 on line 5, position 8\r\nxmlParseEntityRef: no name",
         unchanged},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const FileSnapshot source(checkFixture(c.file));
        sink.shown.clear();
        const bool ok = load(source.path);
        EXPECT_EQ(ok, c.message == kSuccess);
        EXPECT_EQ(sink.shown, std::vector<std::string> {c.message});
        EXPECT_EQ(compileState().outputMessage, c.message);
        EXPECT_EQ(compileState().errorFlag, !ok);
        EXPECT_EQ(model.validDeck, ok);
        EXPECT_EQ(model.pureFilePath, pureCopyPath(scratch.dir.path().toStdString()));
        if (c.pureCopyHolds == unchanged) {
            EXPECT_TRUE(pureCopy() == source.bytes);
        } else {
            EXPECT_TRUE(pureCopy().starts_with("<?xml"));
            EXPECT_NE(pureCopy().find(c.pureCopyHolds), std::string::npos) << pureCopy();
        }
        source.expectUnchanged();
    }
    EXPECT_EQ(compileState().errorLine, 5);
    EXPECT_EQ(compileState().errorPosition, 8);
}

std::string patternBytes(size_t n)
{
    std::string out(n, '\0');
    for (size_t i = 0; i < n; ++i)
        out[i] = char((i * 97 + 13) % 256);
    return out;
}

// Whatever the file holds, the load ends with a parser error that says why,
// and neither the file nor the model's tree changes.
TEST_F(CompilerTest, BadInputGivesParserErrors)
{
    const std::string hugeRun(size_t(50) << 20, 'w');
    const struct
    {
        const char *name;
        std::string bytes;
        std::string message;
        int line, position;
    } cases[] = {
        {"empty", "", "Error 0xC00CE004 on line 1, position 1\r\nDocument is empty", 1, 1},
        {"binary junk", patternBytes(4096),
         "Error 0xC00CE004 on line 1, position 2\r\nStart tag expected, '<' not found", 1, 2},
        {"invalid UTF-8", kHead + "<p>caf\xC3\x28</p>" + kTail,
         "Error 0xC00CE009 on line 1, position 133\r\nInput is not proper UTF-8, indicate "
         "encoding !\nBytes: 0xC3 0x28 0x3C 0x2F",
         1, 133},
        {"50 MB on one line", kHead + "<p>" + hugeRun + "</p>" + kTail,
         "Error 0xC00CE002 on line 1, position 10004001\r\nxmlSAX2Characters: huge text node", 1,
         10004001},
        {"block left open in a paragraph", kHead + "<p>a <% b</p>" + kTail,
         "Error 0xC00CE044 on line 1, position 133\r\nStartTag: invalid element name", 1, 133},
        {"block left open before the deck", kOneLinePrologue + "<% Response.Write(1)<wml/>",
         "Error 0xC00CE044 on line 1, position 117\r\nStartTag: invalid element name", 1, 117},
        {"block closed in the next paragraph", kHead + "<p>a <% b</p><p>c %></p>" + kTail,
         "Error 0xC00CE044 on line 1, position 133\r\nStartTag: invalid element name", 1, 133},
        {"nested past the depth limit",
         kHead + "<p>" + test::repeat("<b>", 300) + "xy" + test::repeat("</b>", 300) + "</p>"
             + kTail,
         "Error 0xC00CE001 on line 1, position 892\r\nExcessive depth in document: 256 use "
         "XML_PARSE_HUGE option",
         1, 892},
    };
    ASSERT_TRUE(load(checkFixture("deck.wml")));
    const DeckNode *root = model.root();
    const std::string firstCard = root->firstChild->fragment();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const FileSnapshot source(scratch.write("page.wml", c.bytes));
        EXPECT_FALSE(load(source.path));
        expectFailure(c.message, c.line, c.position);
        EXPECT_EQ(model.root(), root);
        EXPECT_EQ(model.root()->firstChild->fragment(), firstCard);
        source.expectUnchanged();
    }
    // Success after a failure replaces the message.
    EXPECT_TRUE(load(checkFixture("deck.wml")));
    EXPECT_EQ(sink.shown.back(), kSuccess);
    EXPECT_EQ(compileState().outputMessage, kSuccess);
    EXPECT_FALSE(compileState().errorFlag);
    EXPECT_TRUE(model.validDeck);
}

TEST_F(CompilerTest, FilesThatCannotBeReadOrCopied)
{
    const std::string missing = scratch.path("missing.wml");
    const std::string locked = scratch.write("locked.wml", kHead + "<p>x</p>" + kTail);
    ::chmod(locked.c_str(), 0);
    const bool rootReads = ::access(locked.c_str(), R_OK) == 0;
    const struct
    {
        std::string path, tempDir, message;
    } cases[] = {
        {missing, "", std::string(MixedFileOpenFailedText)},
        {rootReads ? std::string() : locked, "", std::string(MixedFileOpenFailedText)},
        {checkFixture("deck.wml"), scratch.path("no/such/folder"),
         std::string(PureWmlCreateFailedText)},
    };
    for (const auto &c : cases) {
        if (c.path.empty())
            continue; // root reads any file
        SCOPED_TRACE(c.path);
        ScriptedPrompter prompter;
        prompter.answer(Prompter::Answer::Ok);
        model.filePath = c.path;
        const std::string tempDir
            = c.tempDir.empty() ? scratch.dir.path().toStdString() : c.tempDir;
        EXPECT_FALSE(LoadDeckFromFile(model, tempDir, sink));
        ASSERT_EQ(prompter.messages().size(), 1u);
        EXPECT_EQ(prompter.messages()[0].text, c.message);
        expectFailure(c.message, 0, 0);
        EXPECT_FALSE(std::filesystem::exists(pureCopyPath(tempDir)));
    }
    DeckModel unnamed;
    EXPECT_FALSE(LoadDeckFromFile(unnamed, scratch.dir.path().toStdString(), sink));
}

TEST_F(CompilerTest, ValidateBuildsTheTreeOnlyAfterALoad)
{
    const std::string tempDir = scratch.dir.path().toStdString();
    int builds = 0;
    const auto build = [&](const DeckModel &built) {
        EXPECT_EQ(&built, &model);
        EXPECT_EQ(compileState().outputMessage, BuildingTreeViewText);
        ++builds;
    };
    model.filePath = checkFixture("error_line5.wml");
    EXPECT_FALSE(Validate(model, tempDir, sink, false, build));
    EXPECT_EQ(builds, 0);
    expectFailure("Error 0xC00CE044 on line 5, position 8\r\nxmlParseEntityRef: no name", 5, 8);

    model.filePath = checkFixture("deck.wml");
    EXPECT_TRUE(Validate(model, tempDir, sink, false, build));
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(sink.shown.back(), kSuccess);
    EXPECT_EQ(compileState().outputMessage, kSuccess);

    // Coming from Design the deck counts as loaded: nothing is parsed.
    std::filesystem::remove(pureCopyPath(tempDir));
    sink.shown.clear();
    EXPECT_TRUE(Validate(model, tempDir, sink, true, build));
    EXPECT_EQ(builds, 2);
    EXPECT_EQ(sink.shown, std::vector<std::string> {kSuccess});
    EXPECT_FALSE(std::filesystem::exists(pureCopyPath(tempDir)));

    sink.shown.clear();
    EXPECT_TRUE(Validate(model, tempDir, sink, true, nullptr));
    EXPECT_EQ(compileState().outputMessage, BuildingTreeViewText);
    EXPECT_TRUE(sink.shown.empty());
}

} // namespace
} // namespace tess
