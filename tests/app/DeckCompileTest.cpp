#include "common/RunProgram.h"
#include "wml/WbxmlCompiler.h"
#include "wml/XmlDocument.h"
#include "wml/XmlTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

namespace tess {
namespace {

class DeckCompileProgram : public ::testing::Test
{
protected:
    test::ProgramResult run(const QStringList &args)
    {
        return test::runProgram(m_dir.path(), args, false);
    }
    std::string write(const std::string &name, const std::string &bytes)
    {
        const std::string path = m_dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    QTemporaryDir m_dir;
};

// --size prints what --compile writes, for every fixture deck that is valid,
// and the written file decodes to a deck that validates.
TEST_F(DeckCompileProgram, SizeIsTheLengthOfTheCompiledFile)
{
    QStringList decks;
    for (const auto &entry : std::filesystem::directory_iterator(TESS_TEST_DATA_DIR "/realworld"))
        if (!entry.path().filename().string().starts_with("bad_")
            && entry.path().extension() != ".tsv")
            decks << QString::fromStdString(entry.path().string());
    decks.sort();
    const test::ProgramResult sizes = run(QStringList {"--size"} + decks);
    ASSERT_EQ(sizes.exitCode, 0) << sizes.err;
    const std::regex line(
        R"(^(.+): text ([0-9,]+) bytes, compiled ([0-9,]+) bytes( \(the WML around the server code\))?; small 1,397 (fits|exceeds); medium 2,000 (fits|exceeds); large 3,500 (fits|exceeds)$)");
    std::istringstream lines(sizes.out);
    int compared = 0;
    for (std::string text; std::getline(lines, text);) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(text, m, line)) << text;
        const std::string deck = m[1];
        SCOPED_TRACE(deck);
        const bool serverPage = !deck.ends_with(".wml");
        EXPECT_EQ(m[4].matched, serverPage);
        const QString out = m_dir.filePath("out.wmlc");
        ASSERT_EQ(run({"--compile", out, QString::fromStdString(deck)}).exitCode, 0);
        const std::string bytes = test::readBytes(out.toStdString());
        std::string compiledText = m[3];
        std::erase(compiledText, ',');
        EXPECT_EQ(std::to_string(bytes.size()), compiledText);
        std::string xml, error;
        ASSERT_TRUE(decompileWbxml(
            std::span(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size()), xml,
            error))
            << error;
        XmlDocument back;
        EXPECT_TRUE(back.loadBytes(xml, "decoded.wml")) << back.parseError().reason;
        ++compared;
    }
    EXPECT_EQ(compared, decks.size());
}

TEST_F(DeckCompileProgram, ServerCodeIsNotMeasuredAndFailuresSayWhy)
{
    const std::string body = "<wml><card id=\"a\"><p>Hello %s</p></card></wml>";
    const auto page = [&](const std::string &code) {
        std::string text = test::WmlPrologue + body;
        return text.replace(text.find("%s"), 2, code);
    };
    const std::string plain = write("plain.asp", page(""));
    const std::string coded
        = write("coded.asp", page("<% Response.Write(Request(\"name\") & \" and more\") %>"));
    const test::ProgramResult r
        = run({"--size", QString::fromStdString(plain), QString::fromStdString(coded)});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto compiledOf = [&](const std::string &file) {
        const size_t at = r.out.find(file + ": ");
        const size_t from = r.out.find("compiled ", at) + 9;
        return r.out.substr(from, r.out.find(' ', from) - from);
    };
    EXPECT_EQ(compiledOf(plain), compiledOf(coded));

    const std::string bad
        = write("bad.wml", test::WmlPrologue + "<wml><card><p>a &amp b</p></card></wml>");
    const std::string out = m_dir.filePath("bad.wmlc").toStdString();
    const test::ProgramResult failed
        = run({"--compile", QString::fromStdString(out), QString::fromStdString(bad)});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.starts_with(bad + ":3:")) << failed.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(run({"--compile", QString::fromStdString(out)}).exitCode, 2);
    EXPECT_EQ(run({"--size"}).err,
              "tessarine: option '--size' needs at least one FILE\n"
              "Try 'tessarine --help' for more information.\n");
}

} // namespace
} // namespace tess
