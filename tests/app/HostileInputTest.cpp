// Files and paths a user (or anyone who hands them a file) may come up with:
// the program must answer each at once, with its own message, never write
// the user's file and leave nothing behind.
#include "app/SettingsKey.h"
#include "common/RunProgram.h"
#include "wml/FileUtil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tess {
namespace {

const std::string kDeck = std::string(TESS_TEST_DATA_DIR) + "/check/deck.wml";
const std::string kDeckCode = std::string(TESS_TEST_DATA_DIR) + "/check/deck.code.wml";
const std::string kPassed = ": Compilations Done - No Errors Found !!!\n";

struct ProgramRun
{
    std::vector<std::string> args;
    int exitCode;
    std::string out, errEnd;
};

class HostileInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_EQ(::mkfifo(path("fifo.wml").c_str(), 0600), 0);
    }

    std::string path(const std::string &name) const { return m_folder + "/" + name; }
    std::string write(const std::string &name, const std::string &bytes)
    {
        writeFileAtomically(path(name), bytes);
        m_inputs.push_back(name);
        return path(name);
    }
    test::ProgramResult run(const std::vector<std::string> &args)
    {
        return test::runProgram(m_folder, args, true, 60);
    }
    // Each run within a minute, with its exit code, its output and the end
    // of its errors (Qt may warn about the platform before the program).
    void expectRuns(const std::vector<ProgramRun> &runs)
    {
        for (const ProgramRun &r : runs) {
            std::string shown;
            for (const std::string &a : r.args)
                shown += a + " ";
            SCOPED_TRACE(shown);
            const test::ProgramResult result = run(r.args);
            EXPECT_EQ(result.exitCode, r.exitCode) << result.err;
            EXPECT_EQ(result.out, r.out);
            EXPECT_TRUE(result.err.ends_with(r.errEnd)) << result.err;
        }
    }
    // What the runs left in the working folder beyond their inputs, the
    // settings files they were given and the folder Qt makes in TMPDIR (here
    // the working folder) when the session names no runtime folder.
    std::vector<std::string> leftovers() const
    {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(m_folder)) {
            const std::string name = entry.path().filename().string();
            if (std::find(m_inputs.begin(), m_inputs.end(), name) == m_inputs.end()
                && name != "fifo.wml" && name != "Tessarine.ini" && name != "recent.ini"
                && name != "runtime-root")
                names.push_back(name);
        }
        return names;
    }

    QTemporaryDir m_dir;
    const std::string m_folder = m_dir.path().toStdString();
    std::vector<std::string> m_inputs;
};

// A FIFO, a device or a file larger than any deck is refused in every mode
// before it is read: nothing waits on it and nothing reads it without end.
TEST_F(HostileInput, FilesThatAreNoDecksAreRefusedAtOnce)
{
    const std::string huge = write("huge.wml", "");
    ASSERT_EQ(::truncate(huge.c_str(), off_t(kLargestReadFile) + 1), 0);
    std::vector<ProgramRun> runs;
    for (const auto &[file, reason] :
         {std::pair {path("fifo.wml"), std::string("not a regular file")},
          std::pair {std::string("/dev/zero"), std::string("not a regular file")},
          std::pair {huge, std::string("larger than 256 MiB")}}) {
        const std::string refusal = "tessarine: cannot read " + file + ": " + reason + "\n";
        runs.push_back({{"--check", file}, 1, "", refusal});
        runs.push_back({{"--format", file}, 1, "", refusal});
        runs.push_back({{"--screenshot", "shot.png", "--tab", "code", file}, 1, "", refusal});
    }
    expectRuns(runs);
    EXPECT_EQ(leftovers(), std::vector<std::string> {});
}

// A name that is not UTF-8, or one at the system's limit, is the same file
// from start to end: looked at in every mode, it stays byte for byte as it
// was, and no copy or temporary file is left beside it.
TEST_F(HostileInput, OddNamesAreTheSameFileThroughout)
{
    const std::string deck = readWholeFile(kDeck).value();
    const std::string code = readWholeFile(kDeckCode).value();
    for (const std::string &name : {std::string("deck\xff.wml"), std::string(246, 'd') + ".wml"}) {
        const std::string file = write(name, deck);
        const std::string saved = "Screenshot saved to " + path("shot.png") + "\n";
        expectRuns({{{"--check", file}, 0, file + kPassed, ""},
                    {{"--format", file}, 0, code, ""},
                    {{"--screenshot", "shot.png", "--tab", "code", file}, 0, saved, ""},
                    {{"--screenshot", "shot.png", "--tab", "tree", file}, 0, saved, ""}});
        EXPECT_TRUE(readWholeFile(file) == deck);
        EXPECT_EQ(leftovers(), std::vector<std::string> {"shot.png"});
        std::filesystem::remove(path("shot.png"));
        // QTemporaryDir could not remove a name that is not UTF-8.
        std::filesystem::remove(file);
    }
}

// What a deck names or holds cannot make the program read another file or
// spend time out of all proportion, and a screenshot never writes anything
// but a regular file.
TEST_F(HostileInput, DecksAndTargetsThatCouldHoldTheProgramUp)
{
    const std::string images
        = write("images.wml",
                "<?xml version=\"1.0\"?>\n<wml><card><p><img src=\"" + path("fifo.wml")
                    + "\" alt=\"a\"/><img src=\"/dev/stdin\" alt=\"b\"/>"
                      "</p></card></wml>\n");
    // The named file would read as no DTD at all; the bundled DTD decides.
    const std::string passwd = write(
        "passwd.wml", "<!DOCTYPE wml SYSTEM \"/etc/passwd\">\n<wml><card><p/></card></wml>\n");
    std::string crowded = "<?xml version=\"1.0\"?>\n<wml><card";
    for (int i = 0; i < 2000; ++i)
        crowded += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    crowded = write("crowded.wml", crowded + "/></wml>\n");
    const std::string tooMany = "Error 0xC00CE06F on line 2, position 6\nAn element has more than "
                                "1024 attributes, more than any deck needs: the file is not read "
                                "further\n";
    const std::string unwritable = "tessarine: cannot write the screenshot to ";
    const std::string saved = "Screenshot saved to " + path("shot.png") + "\n";
    expectRuns(
        {{{"--screenshot", "shot.png", images}, 0, saved, ""},
         {{"--check", passwd}, 0, passwd + kPassed, ""},
         {{"--check", crowded}, 1, crowded + ": " + tooMany, ""},
         {{"--screenshot", "shot.png", crowded}, 0, saved, ""},
         {{"--screenshot", "/dev/full", kDeck}, 1, "", unwritable + "/dev/full\n"},
         {{"--screenshot", path("fifo.wml"), kDeck}, 1, "", unwritable + path("fifo.wml") + "\n"}});
    struct stat st = {};
    EXPECT_TRUE(::stat(path("fifo.wml").c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    EXPECT_TRUE(::stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode));
    EXPECT_EQ(leftovers(), std::vector<std::string> {"shot.png"});
}

// A "Temp Dir" that cannot hold the instance's folder is passed over with a
// warning, not a box nobody can answer; the fallback folder goes at exit.
TEST_F(HostileInput, AnUnusableTempDirFallsBackWithAWarning)
{
    for (const std::string &setting : {std::string("/dev/null"), path("fifo.wml"), path("none")}) {
        SCOPED_TRACE(setting);
        SettingsKey settings(path("Tessarine.ini"));
        ASSERT_TRUE(settings.create() && settings.writeString(kSettingTempDir, setting));
        const test::ProgramResult r = run({"--screenshot", "shot.png", "--tab", "code", kDeck});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const std::string warning = "tessarine: Temp Dir \"" + setting + "\" cannot be used (";
        const size_t at = r.err.find(warning);
        ASSERT_NE(at, std::string::npos) << r.err;
        EXPECT_NE(r.err.find("): temporary files go to " + m_folder + "/Tessarine-", at),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(leftovers(), std::vector<std::string> {"shot.png"});
    }
}

} // namespace
} // namespace tess
