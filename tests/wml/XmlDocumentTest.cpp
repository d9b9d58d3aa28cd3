#include "wml/XmlDocument.h"
#include "tests/wml/XmlTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tess {
namespace {

using test::ScratchDir;
using test::xmlFixture;

// A node's children as "type name" or "type name=value", one a line.
std::string outline(XmlNode node)
{
    std::string out;
    for (XmlNode c : node.children())
        out += c.typeName() + " " + c.name() + (c.value().empty() ? "" : "=" + c.value()) + "\n";
    return out;
}

// Blanks between elements go only where WML allows no text (inside wml
// here); in a paragraph they are text, as is an entity's replacement
// content; xml:space="preserve" keeps them everywhere.
TEST(XmlDocumentRead, DropsBlanksOnlyWhereNoTextIsAllowed)
{
    ScratchDir dir;
    const std::string path = dir.write(
        "entities.xml",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE wml [\n<!ELEMENT wml ANY>\n<!ELEMENT p ANY>\n"
        "<!ELEMENT b ANY>\n<!ELEMENT i ANY>\n<!ATTLIST p xml:space CDATA #IMPLIED>\n"
        "<!ENTITY e \"<b> x </b>  <i>&#10; </i>\">\n]>\n<wml>\n <p> &e; </p>\n"
        " <p xml:space=\"preserve\"> <p xml:space=\"bogus\"> <b> </b> </p> </p>\n</wml>\n");
    XmlDocument doc;
    ASSERT_TRUE(doc.load(path)) << doc.parseError().reason;
    const std::vector<XmlNode> ps = doc.documentElement().children();
    ASSERT_EQ(outline(doc.documentElement()), "element p\nelement p\n");
    EXPECT_EQ(outline(ps[0]), "text #text= \nentityreference e\ntext #text= \n");
    EXPECT_EQ(outline(ps[0].children()[1]), "element b\ntext #text=  \nelement i\n");
    EXPECT_EQ(ps[0].text(), "  x   \n  ");
    EXPECT_EQ(outline(ps[1]), "text #text= \nelement p\ntext #text= \n");
    EXPECT_EQ(outline(ps[1].children()[1]), "text #text= \nelement b\ntext #text= \n");
    EXPECT_EQ(outline(ps[1].children()[1].children()[1]), "text #text= \n");
    EXPECT_EQ(doc.loadedFileSize(), std::filesystem::file_size(path));
}

TEST(XmlDocumentRead, WithoutDeclarationTheWmlDtdStillHolds)
{
    XmlDocument doc;
    ASSERT_FALSE(doc.load(xmlFixture("no_doctype.wml")));
    EXPECT_EQ(doc.parseError().line, 1);
    EXPECT_EQ(doc.parseError().reason,
              "Element card content does not follow the DTD, expecting (onevent* , timer? , (do | "
              "p)*), got (p blink)");
    ScratchDir dir;
    ASSERT_TRUE(
        doc.load(dir.write("plain.wml", "<wml><card id=\"a\"><p>Hi &amp; bye</p></card></wml>")))
        << doc.parseError().reason;
    EXPECT_EQ(doc.documentElement().text(), "Hi & bye");
}

} // namespace
} // namespace tess
