#include "app/CommandLine.h"
#include "app/FileFilter.h"
#include "common/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, ParsesActionsFilesAndErrors)
{
    using Files = std::vector<std::string>;
    const std::tuple<Files, Action, Files, std::string> cases[] = {
        {{}, Action::Run, {}, ""},
        {{"a.wml"}, Action::Run, {"a.wml"}, ""},
        {{"--version"}, Action::Version, {}, ""},
        {{"--version", "--help"}, Action::Help, {}, ""},
        {{"--screenshot", "x.png", "--version"}, Action::Version, {}, "x.png"},
        {{"a.wml", "--screenshot=x.png"}, Action::Screenshot, {"a.wml"}, "x.png"},
        {{"--", "--help"}, Action::Run, {"--help"}, ""},
    };
    for (const auto &[args, action, files, shot] : cases) {
        const CommandLine cl = parseCommandLine(args);
        EXPECT_EQ(cl.error, "");
        EXPECT_TRUE(cl.action == action && cl.files == files && cl.screenshotPath == shot)
            << testing::PrintToString(args);
    }
    const std::pair<std::vector<std::string>, const char *> errors[] = {
        {{"--help", "--bogus"}, "unknown option '--bogus'"},
        {{"-h"}, "unknown option '-h'"},
        {{"--help=yes"}, "option '--help' takes no value"},
        {{"--screenshot"}, "option '--screenshot' needs a PATH"},
        {{"--screenshot="}, "option '--screenshot' needs a non-empty PATH"},
        {{"a.wml", "b.wml"}, "only one FILE can be opened at start-up"},
        {{""}, "a FILE name is empty"},
        {{"--screenshot", "x.png", ""}, "a FILE name is empty"},
        {{"--check", "a.wml", ""}, "a FILE name is empty"},
        {{"--screenshot", "s.png", "--tab=xml"}, "option '--tab' needs design, code or tree"},
        {{"--tab", "code", "a.wml"}, "option '--tab' needs '--screenshot'"},
        {{"--quit-after-paint", "--check", "a.wml"},
         "option '--quit-after-paint' goes with no other mode"},
        {{"--quit-after-paint", "--tab", "xml"}, "option '--tab' needs design, code or tree"},
    };
    for (const auto &[args, error] : errors)
        EXPECT_EQ(parseCommandLine(args).error, error);
}

TEST(CommandLineTest, QuitAfterPaintIsANormalStartThatTakesATab)
{
    const CommandLine cl = parseCommandLine({"--quit-after-paint", "--tab=tree", "a.wml"});
    EXPECT_EQ(cl.error, "");
    EXPECT_TRUE(cl.action == Action::Run && cl.quitAfterPaint && cl.tab == "tree"
                && cl.files == std::vector<std::string> {"a.wml"});
}

TEST(FileFilterTest, TranslatesBarSeparatedFilters)
{
    const std::pair<const char *, const char *> cases[] = {
        {"WML Files (*.wml)|*.wml|ASP Files (*.asp)|*.asp|JSP Files (*.jsp)|*.jsp|",
         "WML Files (*.wml);;ASP Files (*.asp);;JSP Files (*.jsp)"},
        {"Tessarine Files(*.wml) |*.wml|", "Tessarine Files(*.wml)"},
        {"Projects|*.wpg|", "Projects (*.wpg)"},
        {"Pages|*.wml;*.asp|All|*|", "Pages (*.wml *.asp);;All (*)"},
        {"|*.wbmp|", "*.wbmp"},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(qtFileFilter(in), out) << in;
}

// Runs the built program in a fresh folder with its own settings.
class ProgramTest : public ::testing::Test
{
protected:
    test::ProgramResult run(const QStringList &args)
    {
        return test::runProgram(m_dir.path(), args);
    }

    QTemporaryDir m_dir;
};

TEST_F(ProgramTest, ExitStatusAndMessages)
{
    const std::string badShot = m_dir.filePath("no/such/dir/shot.png").toStdString();
    const struct
    {
        QStringList args;
        int exitCode;
        std::string out, err;
    } cases[] = {
        {{"--version"}, 0, "tessarine 2.0.0\n", ""},
        {{"--help"}, 0, usageText(), ""},
        {{"--bogus"},
         2,
         "",
         "tessarine: unknown option '--bogus'\nTry 'tessarine --help' for more information.\n"},
        {{"--screenshot", "shot.png", "missing.wml"},
         1,
         "",
         "tessarine: cannot open missing.wml: No such file or directory\n"},
        {{"--screenshot", "no/such/dir/shot.png"},
         1,
         "",
         "tessarine: cannot write the screenshot to " + badShot + "\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const test::ProgramResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.out, c.out);
        // Qt may warn about the platform before the program's own lines.
        EXPECT_TRUE(r.err.ends_with(c.err)) << r.err;
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("shot.png")));
}

// A timed start reports its first frame on every tab and leaves the deck and
// the recent files alone.
TEST_F(ProgramTest, QuitAfterPaintReportsTheFirstFrame)
{
    const std::string deck = m_dir.filePath("deck.wml").toStdString();
    ASSERT_TRUE(QFile::copy(TESS_TEST_DATA_DIR "/road/deck.wml", QString::fromStdString(deck)));
    const auto bytes = [&deck] {
        QFile file(QString::fromStdString(deck));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    const QStringList runs[]
        = {{}, {deck.c_str()}, {"--tab", "code", deck.c_str()}, {"--tab", "tree", deck.c_str()}};
    for (QStringList args : runs) {
        SCOPED_TRACE(args.join(' ').toStdString());
        args.prepend("--quit-after-paint");
        const test::ProgramResult r = run(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(r.out.starts_with("First frame painted at ")
                    && r.out.ends_with(" s since the epoch\n"))
            << r.out;
    }
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("recent.ini")));
}

} // namespace
} // namespace tess
