#include "deck/DeckWriter.h"

#include "common/ScriptedPrompter.h"
#include "deck/DeckConstants.h"
#include "deck/DeckDump.h"
#include "deck/DeckFile.h"
#include "wml/FileUtil.h"
#include "wml/XmlTestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace tess {
namespace {

// "-" for nothing, else a class letter, ":" and the tokens joined by "|";
// a trailing "!" marks a malformed element.
std::string classified(ElementKind kind, const std::string &fragment)
{
    const ClassifiedFragment c = ClassifyFragment(Element(kind, fragment));
    std::string out = std::string(1, "-&TCDIES"[int(c.kind)]) + ":" + c.name + c.text;
    for (const XmlAttribute &a : c.attributes)
        out += "|" + a.name + "=" + a.value;
    return c.kind == FragmentClass::Nothing ? "-" : out + (c.malformed ? "!" : "");
}

TEST(WMLWriter, ClassifiesAndTokenisesFragmentsWithinTheirBounds)
{
    const std::tuple<ElementKind, std::string, std::string> cases[] = {
        {ElementKind::Text, "", "-"},
        {ElementKind::Text, "x", "T:x"},
        {ElementKind::Text, " ", "T: "},
        {ElementKind::Text, "\xC3\xA9\xC3\xA9", "T:\xC3\xA9\xC3\xA9"},
        {ElementKind::Other, "&shy;", "&:shy"},
        {ElementKind::Other, "&nbsp;<b>", "T:&nbsp;<b>"},
        {ElementKind::Other, "--> a <!--b", "C:b"},
        {ElementKind::Other, "<!-- a -->", "C: a "},
        {ElementKind::Other, "<![CDATA[a<!--b]]>", "D:a<!--b"},
        {ElementKind::Other, "<?tess mark it?>", "I:tessmark it"},
        {ElementKind::Asp, "\xEE\x80\x80 a \xEE\x80\x81", "S: a "},
        {ElementKind::Jsp, "x", "S:x"},
        {ElementKind::Other, "<x a=\"1\"  b=\"\" >", "E:x|a=1|b="},
        {ElementKind::Other, "<x a=\"say &quot;hi&quot; &amp; &lt;go&gt;\" b=\"2\" >",
         "E:x|a=say \"hi\" & <go>|b=2"},
        {ElementKind::Paragraph, "<p\talign=\"left\"\r\n>", "E:p|align=left"},
        {ElementKind::Break, "<br/>", "E:br!"},
        {ElementKind::Other, "<>", "E:!"},
        {ElementKind::Paragraph, "<p align=\"left\">", "E:p|align=left!"},
        {ElementKind::Other, "<go href=\"a\"method=\"post\" >", "E:go|href=a!"},
        {ElementKind::Paragraph, "<p a=\"1\" align=\"le", "E:p|a=1!"},
        {ElementKind::Paragraph, "<p align >x=\"1\"", "E:p!"},
    };
    for (const auto &[kind, fragment, expected] : cases)
        EXPECT_EQ(classified(kind, fragment), expected) << fragment;
}

// Stored text is escaped; the document holds its characters, with "&nbsp;"
// and "&shy;" as references of their own, and the serializer escapes again.
TEST(WMLWriter, TextGoesBackAsItWasEscaped)
{
    const std::tuple<ElementKind, std::string, std::string, std::string> cases[] = {
        {ElementKind::Text, "a &lt; b", "'a < b'", "a &lt; b"},
        {ElementKind::Text, "\"&lt;&gt;'", "'\"<>''", "\"&lt;&gt;'"},
        {ElementKind::Text, "Fish &amp; chips&nbsp;now&shy;", "'Fish & chips' &nbsp 'now' &shy",
         "Fish &amp; chips&nbsp;now&shy;"},
        {ElementKind::Other, "&copy;", "'&copy;'", "&amp;copy;"},
        {ElementKind::Text, "&#233;t&#xE9;", "'\xC3\xA9t\xC3\xA9'", "\xC3\xA9t\xC3\xA9"},
        {ElementKind::Asp, "if a<b", "'\xEE\x80\x80if a<b\xEE\x80\x81'",
         "\xEE\x80\x80if a&lt;b\xEE\x80\x81"},
    };
    for (const auto &[kind, fragment, nodes, bytes] : cases) {
        DeckModel model;
        model.makeRoot(ElementKind::Other, "<wml>");
        appendNode(model, appendNode(model, nullptr, ElementKind::Paragraph, "<p >\r\n"), kind,
                   fragment);
        XmlDocument doc;
        ASSERT_TRUE(BuildDeckDocument(model, doc));
        std::string outline;
        for (XmlNode n = doc.documentElement().firstChild().firstChild(); n; n = n.nextSibling())
            outline += (outline.empty() ? "" : " ")
                + (n.typeName() == "text" ? "'" + n.value() + "'" : "&" + n.name());
        EXPECT_EQ(outline, nodes) << fragment;
        EXPECT_EQ(doc.serialize(), "<wml><p>" + bytes + "</p></wml>") << fragment;
    }
}

TEST(WMLWriter, RootShortAndRefusedFragmentsPassTheirChildrenUp)
{
    DeckModel model;
    model.makeRoot(ElementKind::Wml, std::string(DesignerRootFragment));
    DeckNode *card = appendNode(model, nullptr, ElementKind::Card, std::string(NewCardFragment));
    appendNode(model, card, ElementKind::Paragraph, std::string(NewParagraphFragment));
    DeckNode *bad = appendNode(model, card, ElementKind::Other, "<1bad x=\"1\" >");
    appendNode(model, appendNode(model, bad, ElementKind::Text, "x"), ElementKind::Break,
               "<br />\r\n");
    appendNode(model, appendNode(model, card, ElementKind::Other, "<wml >"), ElementKind::Text,
               "ok");
    appendNode(model, card, ElementKind::Other, "<!-- <wml> -->");
    for (const char *refused : {"<p a b=\"1\" id=\"p2\" >", "<!-- a -- b -->", "a\x01"})
        appendNode(model, card, ElementKind::Other, refused);
    std::vector<std::string> refused;
    XmlDocument doc;
    ASSERT_TRUE(BuildDeckDocument(model, doc, &refused));
    EXPECT_EQ(doc.serialize(),
              "<wml><card newcontext=\"false\" ordered=\"true\"><p align=\"left\"/>"
              "x<br/><wml>ok</wml><!-- <wml> --><p id=\"p2\"/></card></wml>");
    EXPECT_EQ(refused,
              (std::vector<std::string> {"<1bad x=\"1\" >", "<p a b=\"1\" id=\"p2\" >",
                                         "<!-- a -- b -->", "a\x01"}));
    EXPECT_FALSE(BuildDeckDocument(model, doc)); // one document element only

    XmlDocument partial;
    XmlNode wml = partial.createElement("wml");
    partial.appendChild({}, wml);
    EXPECT_EQ(Walk(model.root(), wml, partial, bad->id()), bad);
    EXPECT_EQ(partial.serialize(),
              "<wml><card newcontext=\"false\" ordered=\"true\">"
              "<p align=\"left\"/></card></wml>");
    // Deeper than any stack would allow for a recursive walk.
    DeckNode *deep = model.root();
    for (int i = 0; i < 200000; ++i)
        deep = appendNode(model, deep, ElementKind::Other, "");
    appendNode(model, deep, ElementKind::Text, "end");
    XmlDocument deepDoc;
    ASSERT_TRUE(BuildDeckDocument(model, deepDoc));
    EXPECT_TRUE(deepDoc.serialize().ends_with("</card>end</wml>"));
}

} // namespace
} // namespace tess
