#include "source/SourceForm.h"
#include "source/FileUtil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace tess {
namespace {

namespace fs = std::filesystem;

const std::string kPublicPrologue
    = " <?xml version=\"1.0\"?>  <!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
      "\"http://www.wapforum.org/DTD/wml_1.1.xml\">";

TEST(SourceForm, Prologues)
{
    EXPECT_EQ(prologue(false, "/ignored.dtd"), kPublicPrologue);
    EXPECT_EQ(prologue(true, "/usr/share/tessarine/wml_1.1.xml"),
              "<?xml version=\"1.0\"?>\r\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
              "\"/usr/share/tessarine/wml_1.1.xml\">");
}

TEST(SourceForm, TurnBack)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plain text", "plain text"},
        {"a &amp; b &lt;i&gt;", "a & b <i>"},
        // Each step sees the result of the one before, but runs only once.
        {"&amp;lt; &amp;gt;", "< >"},
        {"&amp;amp;", "&amp;"},
        {"&lt;&amp;&gt;", "<&>"},
        {"\xC3\x89Response.Write(1)\xC3\xA6", "\n<%Response.Write(1)%>"},
        {"\xC3\x89\xC3\x89\xC3\xA6", "\n<%\n<%%>"},
        {"\xC3\x88\xC3\xA7 &nbsp;", "\xC3\x88\xC3\xA7 &nbsp;"},
        {"", ""},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(turnBack(in), out) << in;
}

TEST(SourceForm, FormatsThenTurnsBack)
{
    // Entities become tags only after the layout, so "&lt;card&gt;" in a
    // paragraph stays on its line.
    EXPECT_EQ(sourceForm("<wml><card id=\"a\"><p align=\"left\">\xC3\x89 x=1 \xC3\xA6 &amp; "
                         "&lt;card&gt;</p></card></wml>",
                         kPublicPrologue),
              " <?xml version=\"1.0\"?>  \n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
              "\"http://www.wapforum.org/DTD/wml_1.1.xml\">\n\n<wml>\n\n\t<card id=\"a\">"
              "\n\t\t<p align=\"left\">\n<% x=1 %> & <card>\n\t\t</p>\n\t</card>\n\n</wml>");
    EXPECT_EQ(sourceForm("", ""), "");
}

TEST(SourceForm, RewriteInSourceForm)
{
    const fs::path dir = fs::temp_directory_path() / ("tess-rewrite-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "deck.wml").string();
    std::ofstream(path) << "<wml><card><p>A&amp;B</p></card></wml>";

    RewriteResult result = rewriteInSourceForm(path, true, "/d/wml.dtd");
    EXPECT_TRUE(result.ok) << result.reason;
    const std::string expected
        = "<?xml version=\"1.0\"?>\r\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
          "\"/d/wml.dtd\">\n\n<wml>\n\n\t<card><p>A&B\n\t\t</p>\n\t</card>\n\n</wml>";
    EXPECT_EQ(readWholeFile(path).value_or("?"), expected);

    // A failed write leaves the file and its folder as they were.
    setAtomicWriteFailureForTesting(true);
    result = rewriteInSourceForm(path, false, {});
    setAtomicWriteFailureForTesting(false);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(readWholeFile(path).value_or("?"), expected);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    const std::string missing = (dir / "missing.wml").string();
    result = rewriteInSourceForm(missing, false, {});
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("missing.wml"), std::string::npos) << result.reason;
    EXPECT_FALSE(fs::exists(missing));
    fs::remove_all(dir);
}

} // namespace
} // namespace tess
