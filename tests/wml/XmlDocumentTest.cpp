#include "wml/XmlDocument.h"
#include "tests/wml/XmlTestSupport.h"
#include "wml/FileUtil.h"

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

std::string attributesOf(XmlNode node)
{
    std::string out;
    for (const XmlAttribute &a : node.attributes())
        out += a.name + "=" + a.value + "\n";
    return out;
}

const std::string Nbsp = "\xC2\xA0";
const std::string Shy = "\xC2\xAD";

TEST(XmlDocumentRead, ShowsNodesAsTheFileHoldsThem)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.load(xmlFixture("dom_nodes.wml"))) << doc.parseError().reason;
    EXPECT_EQ(outline(doc.documentNode()),
              "documenttype wml\ncomment #comment= deck comment \nelement wml\n");
    XmlNode card = doc.documentElement().firstChild();
    // File order, entities replaced, the DTD's defaults (newcontext, ordered)
    // not added.
    EXPECT_EQ(attributesOf(card), "title=Tom&Jerry" + Nbsp + "<3\"\nid=c1\n");
    EXPECT_EQ(outline(card), "processinginstruction tess=marker\nelement p\nelement p\n");

    // Blanks in a paragraph are the deck's text; they stay.
    XmlNode p = card.children()[1];
    EXPECT_EQ(outline(p),
              "text #text=\n      \ncdatasection #cdata-section=<raw> & text\n"
              "text #text=\n      Caf\xC3\xA9\n"
              "entityreference nbsp\nentityreference shy\nelement b\ntext #text= \nelement i\n"
              "text #text=\n    \n");
    EXPECT_EQ(p.text(), "\n      <raw> & text\n      Caf\xC3\xA9" + Nbsp + Shy + "x y\n    ");
    EXPECT_EQ(card.text(), p.text());
    // An entity reference's children are its replacement text.
    EXPECT_EQ(outline(p.children()[3]), "text #text=" + Nbsp + "\n");
    EXPECT_EQ(outline(p.children()[4]), "text #text=" + Shy + "\n");

    XmlNode empty = card.children()[2];
    EXPECT_EQ(attributesOf(empty), "align=center\n");
    EXPECT_FALSE(empty.hasChildren());
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

struct ErrorCase
{
    const char *label;
    std::string content;
    XmlParseError expected;
    friend void PrintTo(const ErrorCase &c, std::ostream *out) { *out << c.label; }
};

class XmlDocumentErrors : public testing::TestWithParam<ErrorCase>
{
};

TEST_P(XmlDocumentErrors, ReportsCodeZeroBasedPlaceAndReason)
{
    ScratchDir dir;
    XmlDocument doc;
    EXPECT_FALSE(doc.load(dir.write("deck.wml", GetParam().content)));
    const XmlParseError &e = doc.parseError();
    const XmlParseError &expected = GetParam().expected;
    EXPECT_EQ(e.code, expected.code) << std::hex << e.code;
    EXPECT_EQ(std::pair(e.line, e.position), std::pair(expected.line, expected.position));
    EXPECT_EQ(e.reason, expected.reason);
    EXPECT_FALSE(doc.documentElement());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlDocumentErrors,
    testing::Values(
        // File line 5, column 8 is the unquoted value.
        ErrorCase {"Line5Column8",
                   test::readBytes(xmlFixture("error_line5_col8.wml")),
                   {0xC00CE027, 4, 7, "AttValue: \" or ' expected"}},
        ErrorCase {"TagMismatch",
                   "<wml><card><p>x</card></wml>",
                   {0xC00CE04C, 0, 22, "Opening and ending tag mismatch: p line 1 and card"}},
        ErrorCase {"UndeclaredEntityWithoutDtd",
                   "<wml>\n&nbsp;</wml>",
                   {0xC00CE01A, 1, 6, "Entity 'nbsp' not defined"}},
        // A blank in an element declared EMPTY is still content there.
        ErrorCase {"BlankInEmptyElement",
                   test::WmlPrologue + "<wml><card><p>a<br> </br>b</p></card></wml>",
                   {0xC00CE210, 2, 25, "Element br was declared EMPTY this one has content"}},
        // The invalid attribute comes before the missing end tag.
        ErrorCase {"FirstErrorWins",
                   test::WmlPrologue + "<wml><card><p align=\"middle\">x</p></card>",
                   {0xC00CE1F6, 2, 28,
                    "Value \"middle\" for attribute align of p is not among the enumerated set"}}));

// ---- Write side -------------------------------------------------------------

XmlNode appendElement(XmlDocument &doc, XmlNode parent, const std::string &name)
{
    XmlNode node = doc.createElement(name);
    EXPECT_TRUE(doc.appendChild(parent, node)) << name;
    return node;
}

TEST(XmlDocumentWrite, RefusesWhatXmlDoesNotAllowAndChangesNothing)
{
    XmlDocument doc;
    XmlNode wml = appendElement(doc, {}, "wml");
    XmlNode card = appendElement(doc, wml, "card");
    XmlNode text = doc.createTextNode("t");
    doc.appendChild(card, text);
    const std::string before = doc.serialize();

    for (const char *name : {"", "a b", "1a", "a>", "\xC3"})
        EXPECT_FALSE(doc.createElement(name)) << name;
    for (const char *value : {"\x01", "a\xC3", "\xC0\x80", "\xED\xA0\x80", "\xEF\xBF\xBE"})
        EXPECT_FALSE(doc.createTextNode(value)) << value;
    for (const char *comment : {"a--b", "ends-", "\x02"})
        EXPECT_FALSE(doc.createComment(comment)) << comment;
    for (const char *name : {"", "x y", "&amp;", "p:x"})
        EXPECT_FALSE(doc.createEntityReference(name)) << name;
    EXPECT_FALSE(doc.setAttribute(card, "a b", "v"));
    EXPECT_FALSE(doc.setAttribute(card, "a", "\x01"));
    EXPECT_FALSE(doc.setAttribute(text, "a", "v"));
    EXPECT_FALSE(doc.appendChild({}, doc.createElement("second")));
    EXPECT_FALSE(doc.appendChild({}, doc.createTextNode("top")));
    EXPECT_FALSE(doc.appendChild(card, wml));
    EXPECT_FALSE(doc.appendChild(card, card));
    EXPECT_FALSE(doc.appendChild(text, doc.createElement("under-text")));
    XmlDocument other;
    XmlNode foreign = other.createElement("foreign");
    EXPECT_FALSE(doc.appendChild(card, foreign));
    EXPECT_FALSE(other.appendChild(foreign, card));
    EXPECT_EQ(doc.serialize(), before);

    // An attached node that is appended elsewhere moves.
    XmlNode second = appendElement(doc, wml, "card");
    EXPECT_TRUE(doc.appendChild(second, text));
    EXPECT_TRUE(doc.appendChild(wml, card));
    EXPECT_EQ(doc.serialize(), "<wml><card>t</card><card/></wml>");
}

TEST(XmlDocumentWrite, FailedSaveLeavesTheFileAndSaysWhy)
{
    XmlDocument doc;
    EXPECT_FALSE(doc.save("/nonexistent-folder/x.wml"));
    EXPECT_EQ(doc.saveError(), "The document has no root element");
    appendElement(doc, {}, "wml");
    EXPECT_FALSE(doc.save("/nonexistent-folder/x.wml"));
    EXPECT_EQ(doc.saveError(),
              "cannot create /nonexistent-folder/x.wml: No such file or directory");

    ScratchDir dir;
    const std::string path = dir.write("deck.wml", "old");
    setAtomicWriteFailureForTesting(true);
    EXPECT_FALSE(doc.save(path));
    setAtomicWriteFailureForTesting(false);
    EXPECT_EQ(doc.saveError(), "cannot write " + path + ": Input/output error");
    EXPECT_EQ(test::readBytes(path), "old");
}

} // namespace
} // namespace tess
