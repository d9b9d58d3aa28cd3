#include "deck/DeckReader.h"

#include "deck/DeckDump.h"
#include "wml/ServerCodeMask.h"
#include "wml/XmlTestSupport.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(DeckReader, KindOfTagIsExactAndCaseSensitive)
{
    const std::pair<const char *, ElementKind> cases[] = {
        {"wml", ElementKind::Wml},
        {"card", ElementKind::Card},
        {"p", ElementKind::Paragraph},
        {"input", ElementKind::Input},
        {"select", ElementKind::Select},
        {"option", ElementKind::Option},
        {"optgroup", ElementKind::Optgroup},
        {"a", ElementKind::Anchor},
        {"do", ElementKind::Do},
        {"em", ElementKind::Text},
        {"big", ElementKind::Text},
        {"small", ElementKind::Text},
        {"i", ElementKind::Text},
        {"u", ElementKind::Text},
        {"strong", ElementKind::Text},
        {"b", ElementKind::Text},
        {"br", ElementKind::Break},
        {"img", ElementKind::Image},
        {"timer", ElementKind::Timer},
        {"P", ElementKind::Other},
        {"", ElementKind::Other},
        {"pre", ElementKind::Other},
        {"bb", ElementKind::Other},
        {"cards", ElementKind::Other},
        {"optgroups", ElementKind::Other},
        {"go", ElementKind::Other},
        {"anchor", ElementKind::Other},
    };
    for (const auto &[tag, kind] : cases)
        EXPECT_EQ(KindOfTag(tag), kind) << tag;
}

// Every node of the file is stored, escaped as it stands in a file: one
// letter, the blank between two inline elements, comments as written,
// CDATA sections, processing instructions, entity references without their
// replacement text, and attribute values with quotes and ampersands.
TEST(DeckReader, StoresEveryNodeAsItStandsInAFile)
{
    const struct
    {
        std::string deck, tree;
    } cases[] = {
        {"<wml><card><p><em>Call</em> <b>5</b> <i>or</i>.</p></card></wml>",
         "2 <card >\\r\\n\n.3 <p >\\r\\n\n..6 <em >\\r\\n\n...6 Call\n..6  \n..6 <b >\\r\\n\n...6 "
         "5\n"
         "..6  \n..6 <i >\\r\\n\n...6 or\n..6 .\n"},
        {"<wml><card title=\"Q&amp;A &quot;x&quot;\"><p>Fish &amp; chips &lt;now&gt;&nbsp;a</p>"
         "</card></wml>",
         "2 <card title=\"Q&amp;A &quot;x&quot;\" >\\r\\n\n.3 <p >\\r\\n\n"
         "..6 Fish &amp; chips &lt;now&gt;\n..0 &nbsp;\n..6 a\n"},
        {"<wml><!--top--><card><p><![CDATA[x<y&z]]><?tess mark?><!-- c --></p></card></wml>",
         "0 <!--top-->\n2 <card >\\r\\n\n.3 <p >\\r\\n\n..0 <![CDATA[x<y&z]]>\n"
         "..0 <?tess mark?>\n..0 <!-- c -->\n"},
        {"<wml><card>\n  <p>\n  a\n  </p>\n</card></wml>",
         "2 <card >\\r\\n\n.3 <p >\\r\\n\n..6 \\n  a\\n  \n"},
    };
    for (const auto &c : cases) {
        XmlDocument doc;
        const std::string deck = test::WmlPrologue + c.deck;
        ASSERT_TRUE(doc.loadBytes(deck, "deck.wml")) << doc.parseError().reason;
        DeckModel model;
        LoadDeck(model, doc, deck);
        EXPECT_EQ(dumpDeck(model.root()), c.tree) << c.deck;
    }
}

// Code masked inside text comes back as code blocks in place; what stands
// around the root element is kept as the file's prolog and epilogue.
TEST(DeckReader, RestoresMaskedCodeAndKeepsPrologAndEpilogue)
{
    const std::string page = "<%@ page x %>\n<?xml version=\"1.0\"?>\n<wml><card><p>a<%= v %>b"
                             "<%\n x \n%></p></card></wml>\n<!-- end -->\n";
    const MaskedPage masked = maskServerCode(page, PageKind::Jsp);
    XmlDocument doc;
    ASSERT_TRUE(doc.loadBytes(masked.text, "page.jsp", true)) << doc.parseError().reason;
    DeckModel model;
    model.kind = PageKind::Jsp;
    LoadDeck(model, doc, page, masked.blocks);
    EXPECT_EQ(dumpDeck(model.root()),
              "2 <card >\\r\\n\n.3 <p >\\r\\n\n..6 a\n..21 = v \n..6 b\n"
              "..21 \\n x \\n\n");
    EXPECT_EQ(model.fileForm.prolog, "<%@ page x %>\n<?xml version=\"1.0\"?>\n");
    EXPECT_EQ(model.fileForm.epilogue, "\n<!-- end -->\n");
}

TEST(DeckReader, RootElementSpan)
{
    constexpr size_t none = std::string_view::npos;
    const struct
    {
        std::string page;
        size_t start, end;
    } cases[] = {
        {"<wml></wml>", 0, 11},
        {"<?xml version=\"1.0\"?><!DOCTYPE wml [<!ENTITY a \"<x>\">]><!--<b>--><wml/>\n", 65, 71},
        {"<% x %><wml><wml2/></wml>", 7, 25},
        {"<wml><card></card>", 0, 18},
        {"<!-- never ends", none, none},
        {"", none, none},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RootElementSpan(c.page), std::make_pair(c.start, c.end)) << c.page;
}

TEST(DeckReader, LoadReplacesTheTreeAndCountsItsNodes)
{
    test::ScratchDir dir;
    DeckModel model;
    model.makeRoot(ElementKind::Other, "<old>");
    const int oldId = appendNode(model, nullptr, ElementKind::Card, "<card >")->id();
    XmlDocument doc;
    ASSERT_TRUE(doc.load(dir.write("pure.wml", "<wml><card><p>aa<b>bb</b></p></card></wml>")));
    EXPECT_EQ(LoadDeck(model, doc), 5);
    EXPECT_TRUE(model.validDeck);
    EXPECT_EQ(std::to_string(int(model.root()->kind())) + model.root()->fragment(), "0<wml>");
    EXPECT_GT(model.root()->id(), oldId);
    EXPECT_EQ(model.lastElementId(), model.root()->id() + 5);
    EXPECT_EQ(dumpDeck(model.root()),
              "2 <card >\\r\\n\n.3 <p >\\r\\n\n..6 aa\n..6 <b >\\r\\n\n...6 bb\n");
}

} // namespace
} // namespace tess
