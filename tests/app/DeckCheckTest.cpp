#include "app/DeckCheck.h"
#include "app/SettingsKey.h"
#include "common/RunProgram.h"
#include "wml/XmlTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

// Every warning the fixture decks give, each checked by hand: a deck linking
// to decks and pictures that the folder lacks, a byte-order mark, a card no
// link reaches, an input no key or link sends, a variable nothing sets.
TEST(DeckCheck, LintOfTheFixturesFindsOnlyWhatIsThere)
{
    const std::string data = TESS_TEST_DATA_DIR;
    const std::string bom
        = "A byte-order mark stands before the XML declaration; phones refuse the deck. "
          "[text-before-declaration]";
    const auto missing = [](const char *deck) {
        return std::string("Link to ") + deck + ", which does not exist. [missing-deck]";
    };
    const std::string noAccept
        = "Input on a card without an accept key: users cannot submit it. [no-accept]";
    const auto unused = [](const char *name) {
        return std::string("Variable \"") + name + "\" is set but never read. [unused-variable]";
    };
    const auto unset = [](const char *name) {
        return std::string("Variable \"") + name
            + "\" is read, but nothing in the deck sets it. [unset-variable]";
    };
    const auto unreachable = [](const char *card) {
        return std::string("Card \"") + card
            + "\" cannot be reached from the first card. [unreachable-card]";
    };
    const struct
    {
        const char *folder;
        std::vector<std::pair<std::string, std::string>> warnings; // "FILE:LINE:COL", text
    } folders[] = {
        {"realworld",
         {{"bad_text_before_xml.wml:1:1",
           "Text stands before the XML declaration; phones refuse the deck. "
           "[text-before-declaration]"},
          {"bus_timetable.wml:4:3", missing("timetable.wml")},
          {"bus_timetable.wml:10:5", "note: " + unused("wait")},
          {"bus_timetable.wml:21:7", missing("timetable.wml")},
          {"bus_timetable.wml:22:7", missing("timetable.wml")},
          {"cinema_utf16le.wml:1:1", bom},
          {"cinema_utf16le.wml:11:7", missing("book.wml")},
          {"cinema_utf16le.wml:12:7", missing("cinema.wml")},
          {"guestbook.wml:9:7", missing("gb.wml")},
          {"guestbook.wml:15:9", missing("sign.wml")},
          {"horoscope_1252.wml:9:7", missing("horo.wml")},
          {"login.wml:25:3", unreachable("welcome")},
          {"login.wml:27:7", missing("inbox.wml")},
          {"news_headlines.wml:16:7", missing("story.wml")},
          {"news_headlines.wml:17:7", missing("story.wml")},
          {"news_headlines.wml:18:7", missing("story.wml")},
          {"news_headlines.wml:19:25", missing("list.wml")},
          {"news_headlines.wml:22:7", missing("list.wml")},
          {"news_headlines.wml:23:7", missing("list.wml")},
          {"quiz_nodoctype.wml:20:7", missing("quiz.wml")},
          {"radio_utf16be.wml:1:1", bom},
          {"radio_utf16be.wml:12:8", missing("radio.wml")},
          {"restaurant_fr.wml:21:7", missing("reserver.wml")},
          {"search.wml:18:9", missing("results.wml")},
          {"shop_nodoctype.wml:5:10", missing("tone.wml")},
          {"shop_nodoctype.wml:6:10", missing("tone.wml")},
          {"shop_nodoctype.wml:7:10", missing("tone.wml")},
          {"shop_nodoctype.wml:10:35", missing("buy.wml")},
          {"shop_nodoctype.wml:10:35", unset("id")},
          {"splash.wml:11:7", "Image logo.wbmp does not exist. [missing-image]"},
          {"splash.wml:18:7", missing("news.wml")},
          {"splash.wml:19:7", missing("weather.wml")},
          {"splash.wml:19:7", unset("city")},
          {"splash.wml:20:20", missing("games.wml")},
          {"sports_results.wml:28:8", missing("results.wml")},
          {"stocks.wml:16:3", unreachable("watch")},
          {"stocks.wml:18:7", missing("quote.wml")},
          {"stocks.wml:19:7", missing("quote.wml")},
          {"ticket_order.wml:8:9", "note: " + unused("idx")},
          {"traffic_bom.wml:1:1", bom},
          {"traffic_bom.wml:11:8", missing("traffic.wml")},
          {"traffic_bom.wml:12:7", missing("traffic.wml")},
          {"traffic_bom.wml:13:40", missing("cams.wml")},
          {"weather_no.wml:14:7", missing("varsel.wml")}}},
        {"check",
         {{"deck.code.wml:18:13", noAccept},
          {"deck.code.wml:18:13", "note: " + unused("who")},
          {"deck.code.wml:19:7", "note: " + unused("cup")},
          {"deck.wml:15:13", noAccept},
          {"deck.wml:15:13", "note: " + unused("who")},
          {"deck.wml:16:7", "note: " + unused("cup")},
          {"leading_text.wml:1:1",
           "Text stands before the XML declaration; phones refuse the deck. "
           "[text-before-declaration]"}}},
        {"ua",
         {{"form.wml:6:51", noAccept},
          {"form.wml:6:51", "note: " + unused("pw")},
          {"links.wml:13:19", "Image dot.wbmp does not exist. [missing-image]"},
          {"second.wml:5:24", missing("missing.wml")},
          {"second.wml:7:3", unreachable("end")},
          {"select.wml:5:8", "note: " + unused("fi")},
          {"timer.wml:5:5", "note: " + unused("t")}}},
        {"road", {{"deck.wml:15:2", unreachable("menu")}}},
    };
    for (const auto &f : folders) {
        std::vector<std::string> files;
        for (const auto &entry : std::filesystem::directory_iterator(data + "/" + f.folder)) {
            const std::string name = entry.path().string();
            if (name.ends_with(".wml") || name.ends_with(".asp") || name.ends_with(".jsp"))
                files.push_back(name);
        }
        std::sort(files.begin(), files.end());
        LintRequest lint;
        lint.enabled = true;
        std::ostringstream out, err;
        checkDecks(files, lint, out, err);
        std::string expected;
        for (const auto &[place, text] : f.warnings) {
            expected += data + "/" + f.folder + "/" + place + ": "
                + (text.starts_with("note: ") ? text : "warning: " + text) + "\n";
        }
        std::string found;
        std::istringstream lines(err.str());
        for (std::string line; std::getline(lines, line);) {
            if (line.find(": error: ") == std::string::npos)
                found += line + "\n";
        }
        EXPECT_EQ(found, expected) << f.folder;
    }
}

TEST_F(DeckCheckProgram, LintWarningsFailOnlyWhenAsked)
{
    const std::string deck = m_dir.filePath("d.wml").toStdString();
    std::ofstream(deck, std::ios::binary)
        << "<?xml version=\"1.0\"?>\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
           "\"http://www.wapforum.org/DTD/wml_1.1.xml\">\n<wml><card id=\"a\"><p>"
           "<a href=\"#b\">b</a><input name=\"n\"/></p>\n<do type=\"accept\"><noop/></do>"
           "</card></wml>\n";
    const std::string passed = deck + ": Compilations Done - No Errors Found !!!\n";
    const std::string unknown = deck
        + ":3:22: warning: Link to card \"b\", which this deck does not have. [unknown-card]\n";
    const std::string noAccept = deck
        + ":3:40: warning: Input on a card without an accept key: users cannot submit it. "
          "[no-accept]\n";
    const std::string note
        = deck + ":3:40: note: Variable \"n\" is set but never read. [unused-variable]\n";
    const std::string usage = "Try 'tessarine --help' for more information.\n";
    const struct
    {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    } cases[] = {
        {{"--check", "--lint", deck}, 0, unknown + noAccept + note},
        {{"--check", "--lint", "--werror", deck}, 1, unknown + noAccept + note},
        {{"--check", "--lint=-unknown-card", deck}, 0, noAccept + note},
        {{"--check", "--lint=-unknown-card,-no-accept", "--werror", deck}, 0, note},
        {{"--check", "--lint=-unused-variable", "--profile", "small", deck}, 0, unknown + noAccept},
        {{"--check", "--lint=-unknown", deck},
         2,
         "tessarine: unknown lint rule '-unknown' (turn a rule off with --lint=-RULE)\n" + usage},
        {{"--check", "--werror", deck}, 2, "tessarine: option '--werror' needs '--lint'\n" + usage},
        {{"--lint", deck}, 2, "tessarine: option '--lint' needs '--check'\n" + usage},
        {{"--check", "--lint", "--profile", "huge", deck},
         2,
         "tessarine: option '--profile' needs small, medium or large\n" + usage},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.back() + " " + c.args.front() + " " + c.args[1]);
        const test::ProgramResult r = test::runProgram(m_dir.path().toStdString(), c.args, false);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.out, c.exitCode == 2 ? "" : passed);
        EXPECT_EQ(r.err, c.err);
    }
}

} // namespace
} // namespace tess
