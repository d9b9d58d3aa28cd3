#include "app/DeckCheck.h"
#include "app/SettingsKey.h"
#include "common/RunProgram.h"
#include "wml/XmlTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace tess {
namespace {

std::string checkFixture(const std::string &name)
{
    return std::string(TESS_TEST_DATA_DIR) + "/check/" + name;
}

// Runs the built program in an empty folder with settings of its own.
class DeckCheckProgram : public ::testing::Test
{
protected:
    test::ProgramResult run(const QStringList &args)
    {
        return test::runProgram(m_dir.path(), args, false);
    }

    QTemporaryDir m_dir;
};

TEST_F(DeckCheckProgram, CheckReportsEachFile)
{
    const std::string deck = checkFixture("deck.wml");
    const std::string bad = checkFixture("error_line5.wml");
    const std::string missing = m_dir.filePath("missing.wml").toStdString();
    const std::string passed = deck + ": Compilations Done - No Errors Found !!!\n";
    const std::string failed
        = bad + ": Error 0xC00CE044 on line 5, position 8\nxmlParseEntityRef: no name\n";
    const std::string diagnostic = bad + ":5:8: error: xmlParseEntityRef: no name\n";
    const std::string usage = "Try 'tessarine --help' for more information.\n";
    const struct
    {
        QStringList args;
        int exitCode;
        std::string out, err;
    } cases[] = {
        {{"--check", QString::fromStdString(deck)}, 0, passed, ""},
        {{"--check", QString::fromStdString(bad)}, 1, failed, diagnostic},
        {{"--check", QString::fromStdString(bad), QString::fromStdString(deck),
          QString::fromStdString(missing)},
         1,
         failed + passed,
         diagnostic + "tessarine: cannot open " + missing + ": No such file or directory\n"},
        {{"--check"}, 2, "", "tessarine: option '--check' needs at least one FILE\n" + usage},
        {{"--format"}, 2, "", "tessarine: option '--format' needs exactly one FILE\n" + usage},
        {{"--format", QString::fromStdString(bad)},
         1,
         "",
         bad + ": Error 0xC00CE044 on line 5, position 8\nxmlParseEntityRef: no name\n"
             + diagnostic},
        {{"--format", QString::fromStdString(deck)},
         0,
         test::readBytes(checkFixture("deck.code.wml")),
         ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const test::ProgramResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
    // Nothing is left behind in the working folder, which is TMPDIR too.
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST(DeckCheck, ReasonOnOneLineAndLocalDtdPrologue)
{
    QTemporaryDir dir;
    const std::string page = dir.filePath("utf.wml").toStdString();
    std::ofstream(page, std::ios::binary)
        << "<?xml version=\"1.0\"?>\n<wml><card><p>caf\xC3\x28</p></card></wml>\n";
    // Neither a folder nor a FIFO is read (a FIFO would block).
    const std::string fifo = dir.filePath("fifo").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::ostringstream out, err;
    EXPECT_EQ(checkDecks({dir.path().toStdString(), fifo, page}, out, err), 1);
    EXPECT_EQ(out.str(),
              page
                  + ": Error 0xC00CE009 on line 2, position 18\nInput is not proper "
                    "UTF-8, indicate encoding !\nBytes: 0xC3 0x28 0x3C 0x2F\n");
    EXPECT_EQ(err.str(),
              "tessarine: cannot read " + dir.path().toStdString() + ": Is a directory\n"
                  + "tessarine: cannot read " + fifo + ": not a regular file\n" + page
                  + ":2:18: error: Input is not proper UTF-8, indicate encoding ! "
                    "Bytes: 0xC3 0x28 0x3C 0x2F\n");

    SettingsKey settings(dir.filePath("Tessarine.ini").toStdString());
    ASSERT_TRUE(settings.create());
    ASSERT_TRUE(settings.writeNumber(kSettingLocalDtd, 1));
    ASSERT_TRUE(settings.writeString(kSettingDtdPath, "/opt/wml/wml_1.1.xml"));
    // A deck without prolog of its own gets the one the settings choose.
    std::ostringstream code, none;
    EXPECT_EQ(formatDeck(checkFixture("no_prolog.wml"), settings, code, none), 0);
    EXPECT_EQ(code.str(),
              "<?xml version=\"1.0\"?>\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
              "\"/opt/wml/wml_1.1.xml\">\n\n<wml>\n\n\t<card id=\"a\">\n\t\t<p>Hello &amp; "
              "<b>welcome</b></p>\n\t</card>\n\n</wml>\n");
    EXPECT_EQ(none.str(), "");
}

} // namespace
} // namespace tess
