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
std::string classified(int kind, const std::string &fragment)
{
    Element element;
    element.kind = kind;
    element.fragment = fragment;
    const ClassifiedFragment c = ClassifyFragment(element);
    std::string out = std::string(1, "-&TCDIES"[int(c.kind)]) + ":" + c.name + c.text;
    for (const XmlAttribute &a : c.attributes)
        out += "|" + a.name + "=" + a.value;
    return c.kind == FragmentClass::Nothing ? "-" : out + (c.malformed ? "!" : "");
}

TEST(WMLWriter, ClassifiesAndTokenisesFragmentsWithinTheirBounds)
{
    const std::tuple<int, std::string, std::string> cases[] = {
        {KindText, "", "-"},
        {KindText, "x", "T:x"},
        {KindText, " ", "T: "},
        {KindText, "\xC3\xA9\xC3\xA9", "T:\xC3\xA9\xC3\xA9"},
        {KindOther, "&shy;", "&:shy"},
        {KindOther, "&nbsp;<b>", "T:&nbsp;<b>"},
        {KindOther, "--> a <!--b", "C:b"},
        {KindOther, "<!-- a -->", "C: a "},
        {KindOther, "<![CDATA[a<!--b]]>", "D:a<!--b"},
        {KindOther, "<?tess mark it?>", "I:tessmark it"},
        {KindAsp, "\xEE\x80\x80 a \xEE\x80\x81", "S: a "},
        {KindJsp, "x", "S:x"},
        {KindOther, "<x a=\"1\"  b=\"\" >", "E:x|a=1|b="},
        {KindOther, "<x a=\"say &quot;hi&quot; &amp; &lt;go&gt;\" b=\"2\" >",
         "E:x|a=say \"hi\" & <go>|b=2"},
        {KindParagraph, "<p\talign=\"left\"\r\n>", "E:p|align=left"},
        {KindBreak, "<br/>", "E:br!"},
        {KindOther, "<>", "E:!"},
        {KindParagraph, "<p align=\"left\">", "E:p|align=left!"},
        {KindOther, "<go href=\"a\"method=\"post\" >", "E:go|href=a!"},
        {KindParagraph, "<p a=\"1\" align=\"le", "E:p|a=1!"},
        {KindParagraph, "<p align >x=\"1\"", "E:p!"},
    };
    for (const auto &[kind, fragment, expected] : cases)
        EXPECT_EQ(classified(kind, fragment), expected) << fragment;
}

// Stored text is escaped; the document holds its characters, with "&nbsp;"
// and "&shy;" as references of their own, and the serializer escapes again.
TEST(WMLWriter, TextGoesBackAsItWasEscaped)
{
    const std::tuple<int, std::string, std::string, std::string> cases[] = {
        {KindText, "a &lt; b", "'a < b'", "a &lt; b"},
        {KindText, "\"&lt;&gt;'", "'\"<>''", "\"&lt;&gt;'"},
        {KindText, "Fish &amp; chips&nbsp;now&shy;", "'Fish & chips' &nbsp 'now' &shy",
         "Fish &amp; chips&nbsp;now&shy;"},
        {KindOther, "&copy;", "'&copy;'", "&amp;copy;"},
        {KindText, "&#233;t&#xE9;", "'\xC3\xA9t\xC3\xA9'", "\xC3\xA9t\xC3\xA9"},
        {KindAsp, "if a<b", "'\xEE\x80\x80if a<b\xEE\x80\x81'",
         "\xEE\x80\x80if a&lt;b\xEE\x80\x81"},
    };
    for (const auto &[kind, fragment, nodes, bytes] : cases) {
        DeckModel model;
        model.makeRoot(KindOther, "<wml>");
        appendNode(model, appendNode(model, nullptr, KindParagraph, "<p >\r\n"), kind, fragment);
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
    model.makeRoot(KindWml, std::string(DesignerRootFragment));
    DeckNode *card = appendNode(model, nullptr, KindCard, std::string(NewCardFragment));
    appendNode(model, card, KindParagraph, std::string(NewParagraphFragment));
    DeckNode *bad = appendNode(model, card, KindOther, "<1bad x=\"1\" >");
    appendNode(model, appendNode(model, bad, KindText, "x"), KindBreak, "<br />\r\n");
    appendNode(model, appendNode(model, card, KindOther, "<wml >"), KindText, "ok");
    appendNode(model, card, KindOther, "<!-- <wml> -->");
    for (const char *refused : {"<p a b=\"1\" id=\"p2\" >", "<!-- a -- b -->", "a\x01"})
        appendNode(model, card, KindOther, refused);
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
        deep = appendNode(model, deep, KindOther, "");
    appendNode(model, deep, KindText, "end");
    XmlDocument deepDoc;
    ASSERT_TRUE(BuildDeckDocument(model, deepDoc));
    EXPECT_TRUE(deepDoc.serialize().ends_with("</card>end</wml>"));
}

} // namespace
} // namespace tess
