#include "deck/DeckFile.h"
#include "deck/SourceConstants.h"
#include "tests/wml/XmlTestSupport.h"

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
    bool load(const std::string &path)
    {
        model.filePath = path;
        setFileKindFromPath(model);
        return LoadDeckFromFile(model, sink);
    }

    void expectFailure(const std::string &message, int line, int position)
    {
        ASSERT_FALSE(sink.shown.empty());
        EXPECT_EQ(sink.shown.back(), message);
        const CompileState &state = model.compile;
        EXPECT_EQ(state.outputMessage, message);
        EXPECT_TRUE(state.errorFlag);
        EXPECT_EQ(state.errorLine, line);
        EXPECT_EQ(state.errorPosition, position);
        EXPECT_FALSE(model.validDeck);
    }

    ScratchDir scratch;
    DeckModel model;
    test::RecordingSink sink;
};

TEST(CompilerText, FileKinds)
{
    // The kind is the text after the last ".", compared exactly.
    const std::pair<const char *, PageKind> kinds[] = {{"/d/a.asp", PageKind::Asp},
                                                       {"/d/a.jsp", PageKind::Jsp},
                                                       {"/d/a.ASP", PageKind::Wml},
                                                       {"/d/x.jsp/page", PageKind::Wml},
                                                       {"/d/asp", PageKind::Wml}};
    for (const auto &[path, kind] : kinds) {
        DeckModel model;
        model.kind = PageKind::Jsp;
        model.filePath = path;
        EXPECT_TRUE(setFileKindFromPath(model));
        EXPECT_EQ(model.kind, kind) << path;
    }
    DeckModel unnamed;
    unnamed.kind = PageKind::Asp;
    EXPECT_FALSE(setFileKindFromPath(unnamed));
    EXPECT_EQ(unnamed.kind, PageKind::Asp);
}

// Pages as the user wrote them: server code is masked wherever it stands, a
// WML file with anything before its declaration is refused where a validator
// refuses it, and the file is never touched.
TEST_F(CompilerTest, PagesWithServerCodeAndLeadingText)
{
    const struct
    {
        const char *file;
        std::string message;
    } cases[] = {
        {"deck.wml", kSuccess},
        {"leading_text.wml",
         "Error 0xC00CE004 on line 1, position 1\r\nStart tag expected, '<' not found"},
        {"deck.code.wml", kSuccess},
        {"inline.asp", kSuccess},
        {"script.jsp", kSuccess},
        {"between.asp", kSuccess},
        {"client_script.asp",
         "Error 0xC00CE215 on line 5, position 40\r\nNo declaration for attribute LANGUAGE of "
         "element SCRIPT"},
        {"error_line5.wml", "Error 0xC00CE044 on line 5, position 8\r\nxmlParseEntityRef: no name"},
        // Lines named in the reason are the page's too, past its cut preamble.
        {"../realworld/bad_menu.asp",
         "Error 0xC00CE04C on line 12, position 9\r\nOpening and ending tag mismatch: br line 10 "
         "and p"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const FileSnapshot source(checkFixture(c.file));
        sink.shown.clear();
        const bool ok = load(source.path);
        EXPECT_EQ(ok, c.message == kSuccess);
        EXPECT_EQ(sink.shown, std::vector<std::string> {c.message});
        EXPECT_EQ(model.compile.outputMessage, c.message);
        EXPECT_EQ(model.compile.errorFlag, !ok);
        EXPECT_EQ(model.validDeck, ok);
        source.expectUnchanged();
    }
    EXPECT_EQ(model.compile.errorLine, 12);
    EXPECT_EQ(model.compile.errorPosition, 9);
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
        {"block left open in a paragraph", kHead + "<p>a <% b</p>" + kTail,
         "Error 0xC00CE04D on line 1, position 153\r\nPremature end of data in tag p line 1", 1,
         153},
        {"block left open before the deck", kOneLinePrologue + "<% Response.Write(1)<wml/>",
         "Error 0xC00CE004 on line 1, position 142\r\nStart tag expected, '<' not found", 1, 142},
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
    EXPECT_EQ(model.compile.outputMessage, kSuccess);
    EXPECT_FALSE(model.compile.errorFlag);
    EXPECT_TRUE(model.validDeck);
}

TEST_F(CompilerTest, FilesThatCannotBeRead)
{
    const std::string missing = scratch.path("missing.wml");
    const std::string locked = scratch.write("locked.wml", kHead + "<p>x</p>" + kTail);
    ::chmod(locked.c_str(), 0);
    const bool rootReads = ::access(locked.c_str(), R_OK) == 0;
    for (const std::string &path : {missing, rootReads ? std::string() : locked}) {
        if (path.empty())
            continue; // root reads any file
        SCOPED_TRACE(path);
        model.filePath = path;
        EXPECT_FALSE(LoadDeckFromFile(model, sink));
        expectFailure(std::string(MixedFileOpenFailedText), 0, 0);
    }
    DeckModel unnamed;
    EXPECT_FALSE(LoadDeckFromFile(unnamed, sink));
}

} // namespace
} // namespace tess
