#include "source/MixedFileConverter.h"
#include "source/FileUtil.h"

#include "common/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace tess {
namespace {

namespace fs = std::filesystem;

const std::string kHead = "<?xml version=\"1.0\"?><wml><card>";
const std::string kServerScript = "<SCRIPT LANGUAGE=VBScript RUNAT=Server>x=1</SCRIPT>";

// Each page with its pure copy.
const std::string kUnchanged = "(unchanged)", kGivesUp = "(gives up: the page as read)";
const std::vector<std::pair<std::string, std::string>> kPages = {
    {"<%@ Language=VBScript %>\r\n" + kHead + "<p>Hi</p>", kHead + "<p>Hi</p>"},
    {"<wml><p>Hi</p></wml>", kUnchanged},
    {"", kUnchanged},
    {kHead + "<p>Hello <%= name %>!</p>", kHead + "<p>Hello !</p>"},
    {kHead + "<p>A<%=a%><%b%></p><p/><p>B<%=c%></p>", kHead + "<p>A</p><p/><p>B</p>"},
    {kHead + "<p>A</p><% if x %><p>B</p>", kGivesUp},
    {kHead + "<% x %><p>A</p>", kGivesUp},
    {kHead + "<p>A</p><%=z%></card>", kGivesUp},
    {kHead + "<%=z%></card>", kGivesUp},
    {kHead + "<p>a <% b</p>", kUnchanged},
    {kHead + "<p>a<%>b</p>", kHead + "<p>ab</p>"},
    {kHead + "<p>x<% a <% b %> c %>y</p>", kHead + "<p>x c %>y</p>"},
    // "<p" is a plain search: "<prev" starts a paragraph too.
    {kHead + "<do type=\"x\"><prev/><%=a%></do><p>x</p>",
     kHead + "<do type=\"x\"><prev/></do><p>x</p>"},
    {kHead + "<p>A</p><p>B<%=b%><prev/></p>", kGivesUp},
    {kHead + "<p>A" + kServerScript + "B</p>", kHead + "<p>AB</p>"},
    {kHead + "<p>A<script language = JScript\r\n runat=server >f()</script >B</p>",
     kHead + "<p>AB</p>"},
    {kHead + "<p>A<SCRIPT LANGUAGE=VBScript>x</SCRIPT></p>", kUnchanged},
    {kHead + "<p><SCRIPT LANGUAGE=\"JScript\" RUNAT=\"Server\">x</SCRIPT></p>", kUnchanged},
    {kHead + "<p><SCRIPT LANGUAGE=JScript RUNAT=Server>x</STYLE></p>", kUnchanged},
    // While any "<S" is left, "<s" tags are not looked at.
    {kHead + "<p><script language=jscript runat=server>x</script><Small>y</Small></p>", kUnchanged},
    {kHead + "<p>A</p>" + kServerScript + "<p>B</p>", kGivesUp},
};

TEST(MixedFileConverter, PureText)
{
    MixedFileConverter converter;
    for (const auto &[page, pure] : kPages) {
        const MixedFileConverter::Output output = converter.convertText(page);
        EXPECT_EQ(output.gaveUp, pure == kGivesUp) << page;
        EXPECT_EQ(output.text, pure == kGivesUp || pure == kUnchanged ? page : pure) << page;
    }
}

TEST(MixedFileConverter, HugeSingleLinePages)
{
    const size_t size = 50u << 20;
    std::string page = kHead, expected = kHead;
    while (page.size() < size) {
        page += "<p>text <%= v %> more</p>";
        expected += "<p>text  more</p>";
    }
    MixedFileConverter converter;
    EXPECT_TRUE(converter.convertText(page).text == expected);

    for (const std::string unit : {"<%", "<S", "<s", "<SCRIPT LANGUAGE=JSCRIPT RUNAT=SERVER>"}) {
        std::string junk = kHead + "<p>";
        while (junk.size() < size / 4)
            junk += unit;
        const MixedFileConverter::Output output = converter.convertText(junk);
        EXPECT_FALSE(output.gaveUp) << unit;
        EXPECT_TRUE(output.text == junk) << unit;
    }
}

class ConvertFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tess-convert-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    static std::string fixture(const std::string &name)
    {
        return std::string(TESS_TEST_DATA_DIR) + "/convert/" + name;
    }
    fs::path m_dir;
};

TEST_F(ConvertFileTest, FixturePages)
{
    const struct
    {
        const char *source, *expected;
        MixedFileConverter::Result result;
    } pages[] = {
        {"order.asp", "order.pure.wml", MixedFileConverter::Result::Converted},
        {"news.jsp", "news.jsp", MixedFileConverter::Result::GaveUp},
        {"greeting.wml", "greeting.pure.wml", MixedFileConverter::Result::Converted},
    };
    ScriptedPrompter prompter;
    for (const auto &page : pages) {
        const std::string dest = (m_dir / "WapTemprary.wml").string();
        EXPECT_EQ(MixedFileConverter().convert(fixture(page.source), dest), page.result);
        EXPECT_EQ(readWholeFile(dest), readWholeFile(fixture(page.expected))) << page.source;
    }
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(ConvertFileTest, FailuresAreReportedAndWriteNothing)
{
    const std::string dest = (m_dir / "out.wml").string();
    const std::string unreadable = (m_dir / "locked.asp").string();
    std::ofstream(unreadable) << "<?xml?>";
    fs::permissions(unreadable, fs::perms::none);
    const bool canLock = !std::ifstream(unreadable).is_open(); // not when run as root

    ScriptedPrompter prompter;
    prompter.answer(Prompter::Answer::Ok).answer(Prompter::Answer::Ok);
    MixedFileConverter converter;
    EXPECT_EQ(converter.convert((m_dir / "missing.asp").string(), dest),
              MixedFileConverter::Result::SourceUnreadable);
    EXPECT_EQ(converter.convert(fixture("order.asp"), (m_dir / "no/such/dir/x.wml").string()),
              MixedFileConverter::Result::DestinationNotWritable);
    if (canLock) {
        prompter.answer(Prompter::Answer::Ok);
        EXPECT_EQ(converter.convert(unreadable, dest),
                  MixedFileConverter::Result::SourceUnreadable);
    }
    EXPECT_FALSE(fs::exists(dest));
    ASSERT_GE(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[0].text, "MixedFile opening failed!!");
    EXPECT_EQ(prompter.messages()[0].icon, Prompter::Icon::Stop);
    EXPECT_EQ(prompter.messages()[1].text, "PureWMLFile createion failed!!");
    EXPECT_EQ(prompter.messages()[1].icon, Prompter::Icon::Stop);
    fs::permissions(unreadable, fs::perms::owner_all);
}

// The pure copy is a scratch file: written whole and renamed into place,
// leaving the old copy when the write fails.
TEST_F(ConvertFileTest, ScratchFilesAreReplacedWhole)
{
    const std::string path = (m_dir / "scratch.wml").string();
    const std::string bytes("a\0b\r\n", 5);
    std::string error;
    ASSERT_TRUE(writeScratchFile(path, bytes, &error)) << error;
    ASSERT_TRUE(writeScratchFile(path, "new", &error)) << error;
    EXPECT_EQ(readWholeFile(path), "new");
    setAtomicWriteFailureForTesting(true);
    EXPECT_FALSE(writeScratchFile(path, bytes, &error));
    setAtomicWriteFailureForTesting(false);
    EXPECT_EQ(error, "cannot write " + path + ": Input/output error");
    EXPECT_EQ(readWholeFile(path), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

// The reader asks whether a page holds code at all before keeping it in
// memory; the search reads the file in pieces of 64 KiB.
TEST_F(ConvertFileTest, FileContainsFindsANeedleAcrossPieces)
{
    const std::string filler(65535, 'x');
    const struct
    {
        std::string name, bytes;
        bool found;
    } cases[] = {
        {"start.asp", "<%x", true},
        {"across.asp", filler + "<%" + filler, true},
        {"last.asp", filler + filler + "<%", true},
        {"apart.asp", filler + "<" + filler + "%", false},
        {"none.wml", filler + "< %" + filler, false},
        {"empty.wml", "", false},
    };
    for (const auto &c : cases) {
        const std::string path = (m_dir / c.name).string();
        std::ofstream(path, std::ios::binary) << c.bytes;
        EXPECT_EQ(fileContains(path, "<%"), c.found) << c.name;
    }
    EXPECT_FALSE(fileContains((m_dir / "missing.asp").string(), "<%"));
    EXPECT_FALSE(fileContains(m_dir.string(), "<%"));
    EXPECT_FALSE(fileContains("", "<%"));
}

} // namespace
} // namespace tess
