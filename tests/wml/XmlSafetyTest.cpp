#include "tests/wml/XmlTestSupport.h"
#include "wml/DataPaths.h"
#include "wml/XmlDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tess {
namespace {

using test::ScratchDir;
using test::WmlPrologue;
using test::xmlFixture;

std::string refusedRead(const std::string &address)
{
    return "Refused to read the external entity \"" + address
        + "\": a deck may read no file but itself and its DTD";
}

std::string prologueWithSubset(const std::string &subset)
{
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
           "\"http://www.wapforum.org/DTD/wml_1.1.xml\" [\n"
        + subset + "\n]>\n";
}

TEST(XmlSafety, ExternalEntityIsNeverRead)
{
    ScratchDir dir;
    const std::string secret = dir.write("secret.txt", "TOP SECRET");
    const std::string deck
        = dir.write("deck.wml",
                    prologueWithSubset("<!ENTITY x SYSTEM \"file://" + secret + "\">")
                        + "<wml><card><p>&x;</p></card></wml>\n");
    XmlDocument doc;
    ASSERT_FALSE(doc.load(deck));
    EXPECT_EQ(doc.parseError().code, 0xC00CE60Du);
    EXPECT_EQ(doc.parseError().line, 4);
    EXPECT_EQ(doc.parseError().reason, refusedRead("file://" + secret));
    EXPECT_FALSE(doc.documentElement());
}

// Whatever the declaration names (an address on the network, a local file,
// a file that names others), no file but the deck itself and the bundled WML
// 1.1 DTD is opened, and the deck is held to that DTD.
TEST(XmlSafety, TheDeclarationNeverMakesAnotherFileRead)
{
    XmlDocument doc;
    EXPECT_TRUE(doc.load(xmlFixture("unmapped_http_dtd.wml"))) << doc.parseError().reason;

    ScratchDir dir;
    const std::string secret = dir.write("secret.dtd", "<!ELEMENT wml ANY>");
    const std::string named = "<?xml version=\"1.0\"?>\n<!DOCTYPE wml SYSTEM \"" + secret + "\">\n";
    EXPECT_TRUE(doc.load(dir.write("ok.wml", named + "<wml><card><p>&nbsp;</p></card></wml>")))
        << doc.parseError().reason;
    // The named file would allow this; the WML 1.1 DTD does not.
    EXPECT_FALSE(doc.load(dir.write("bad.wml", named + "<wml><p/></wml>")));
    EXPECT_EQ(doc.parseError().code, 0xC00CE1F8u);

    // A missing file reads the same as any other: it is never looked for.
    const std::string gone = "<!DOCTYPE wml SYSTEM \"" + dir.path("gone.dtd") + "\">";
    EXPECT_TRUE(doc.load(dir.write("gone.wml", gone + "<wml><card/></wml>")))
        << doc.parseError().reason;
    EXPECT_FALSE(
        doc.load(dir.write("passwd.wml", "<!DOCTYPE wml SYSTEM \"/etc/passwd\"><wml><h1/></wml>")));
    EXPECT_EQ(doc.parseError().reason.find("root"), std::string::npos) << doc.parseError().reason;
}

TEST(XmlSafety, EntityExpansionBombsAreRefused)
{
    XmlDocument doc;
    ASSERT_FALSE(doc.load(xmlFixture("billion_laughs.wml")));
    EXPECT_EQ(doc.parseError().code, 0xC00CE059u);
    EXPECT_EQ(doc.parseError().reason, "Detected an entity reference loop");

    // One large entity used many times: each use is cheap for the parser but
    // the deck's text would be 200 MB.
    ScratchDir dir;
    const std::string deck
        = dir.write("quadratic.wml",
                    prologueWithSubset("<!ENTITY big \"" + std::string(100000, 'A') + "\">")
                        + "<wml><card><p>\n" + test::repeat("&big;", 2000) + "</p></card></wml>\n");
    ASSERT_FALSE(doc.load(deck));
    EXPECT_EQ(doc.parseError().code, 0xC00CE059u);
    EXPECT_EQ(doc.parseError().line, 4);
    EXPECT_EQ(doc.parseError().reason,
              "Entity references expand to more than "
                  + std::to_string((1u << 20) + std::filesystem::file_size(deck))
                  + " bytes; the document is refused");

    // References in attribute values add up with the others; the refusal
    // names the line of the element whose attribute crosses the limit (the
    // 28th anchor, on line 35), and a deck just under the limit loads.
    for (const int anchors : {30, 26}) {
        std::string body = "<wml><card>\n<p>\n<b>x</b>\n";
        for (int i = 0; i < anchors; ++i)
            body += "<a href=\"&big;\">" + std::to_string(i) + "</a>\n";
        const std::string path
            = dir.write("attributes.wml",
                        prologueWithSubset("<!ENTITY big \"" + std::string(40000, 'A') + "\">")
                            + body + "</p></card></wml>\n");
        if (anchors == 26) {
            EXPECT_TRUE(doc.load(path)) << doc.parseError().reason;
            continue;
        }
        ASSERT_FALSE(doc.load(path));
        EXPECT_EQ(doc.parseError().code, 0xC00CE059u);
        EXPECT_EQ(doc.parseError().line, 34);
    }
}

TEST(XmlSafety, FiftyMegabyteDeckParses)
{
    ScratchDir dir;
    const std::string path = dir.path("big.wml");
    const std::string paragraph = "<p align=\"left\">Lorem ipsum dolor sit amet,&nbsp;consectetur "
                                  "<b>adipiscing</b> elit, sed do eiusmod tempor.<br/></p>\n";
    const std::string card = test::repeat(paragraph, 100);
    int cards = 0;
    {
        std::ofstream out(path, std::ios::binary);
        out << WmlPrologue << "<wml>\n";
        for (size_t size = 0; size < 50u << 20; size += card.size() + 40, ++cards)
            out << "<card id=\"c" << cards << "\">\n" << card << "</card>\n";
        out << "</wml>\n";
    }
    XmlDocument doc;
    ASSERT_TRUE(doc.load(path)) << doc.parseError().reason;
    XmlNode last = doc.documentElement().children().back();
    EXPECT_EQ(last.attributes().front().value, "c" + std::to_string(cards - 1));
    EXPECT_EQ(last.children().size(), 100u);
}

} // namespace
} // namespace tess
