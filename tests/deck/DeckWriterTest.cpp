#include "deck/DeckWriter.h"

#include "deck/DeckConstants.h"
#include "deck/DeckDump.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

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
