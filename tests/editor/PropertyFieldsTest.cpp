#include "common/DeckFiles.h"
#include "deck/DeckDump.h"
#include "editor/AnchorProperties.h"
#include "editor/ElementProperties.h"
#include "editor/SelectProperties.h"
#include "editor/TextProperties.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

const std::string kNewSelect = "<select multiple=\"false\" ivalue=\"1\" >";

// What the user types goes into the deck escaped, reads back as typed, and
// the deck written with it stays valid.
TEST(PropertyDialogs, TypedQuotesAmpersandsAndAnglesRoundTrip)
{
    const AnchorFields typed {"Fish & chips <now>", "list.wml?a=1&b=2", "Say \"hi\" <x>", "en"};
    const std::string tag = BuildAnchorTag(typed);
    EXPECT_EQ(tag,
              "<a href=\"list.wml?a=1&amp;b=2\" title=\"Say &quot;hi&quot; &lt;x>\" "
              "xml:lang=\"en\" >");
    EXPECT_EQ(ReadAnchorFields(StartTag(tag), typed.text), typed);

    test::DeckFiles files;
    DeckModel model;
    ASSERT_TRUE(files.load(model, "<card><p>x</p></card>"));
    DeckNode *p = model.root()->firstChild->firstChild;
    DeckNode *anchor = appendNode(model, p, ElementKind::Anchor, tag);
    SetTextChildWords(anchor, AnchorWords(typed));
    EXPECT_EQ(TextChildWords(anchor), "Fish & chips <now>");
    EXPECT_EQ(files.validationError(model), "");

    DeckModel again;
    again.filePath = model.filePath;
    test::RecordingSink sink;
    ASSERT_TRUE(LoadDeckFromFile(again, sink));
    const DeckNode *read = again.root()->firstChild->firstChild->lastChild;
    EXPECT_EQ(ReadAnchorFields(read->element->tag(), TextChildWords(read)), typed);
}

TEST(TextChain, CancelKeepsBoldAndTheStoredWords)
{
    test::DeckFiles files;
    DeckModel model;
    ASSERT_TRUE(files.load(model, "<card><p><b><big>x &gt; y</big></b><br/></p></card>"));
    DeckNode *paragraph = FirstParagraph(NthCard(model.root(), 1));
    const TextChain opened = OpenTextChain(model.root(), paragraph->firstChild);
    EXPECT_EQ(opened.fields, (TextFields {"x > y", false, true, false, false, TextSize::Big}));
    EXPECT_TRUE(opened.bold);
    EXPECT_EQ(ChainAfterCancel(opened), (NewTextChain {{"<b >", "<big >"}, "x &gt; y"}));
    EXPECT_EQ(ChainAfterOk(opened.fields), (NewTextChain {{"<strong >", "<big >"}, "x &gt; y"}));
    RebuildTextChain(model.root(), paragraph->firstChild, ChainAfterCancel(opened));
    EXPECT_EQ(dumpDeck(paragraph), "6 <b >\n.6 <big >\n..6 x &gt; y\n10 <br >\n");
    EXPECT_EQ(files.validationError(model), "");
}

TEST(ElementProperties, OutcomeGoesToFragmentAndTextChild)
{
    test::DeckFiles files;
    DeckModel model;
    ASSERT_TRUE(files.load(model,
                           "<card><p><select><option>Red</option></select>"
                           "<a href=\"#x\">Go</a></p></card>"));
    DeckNode *select = FirstParagraph(NthCard(model.root(), 1))->firstChild;
    DeckNode *option = select->firstChild;
    DeckNode *anchor = select->nextSibling;
    EXPECT_EQ(TextChildWords(option), "Red");
    EXPECT_FALSE(HasPropertiesDialog(ElementKind::Paragraph));
    EXPECT_TRUE(HasPropertiesDialog(ElementKind::Jsp));

    ApplyDialogOutcome(option, {false, option->fragment(), "ignored"});
    EXPECT_EQ(TextChildWords(option), "Red");
    ApplyDialogOutcome(option, {true, "<option value=\"r\" >", "R<d"});
    ApplyDialogOutcome(select, {true, kNewSelect, ""});
    Delete(model.root(), anchor->firstChild->id());
    ApplyDialogOutcome(anchor, {true, "<a href=\"#y\" >", "Back"});
    EXPECT_EQ(dumpDeck(select->parent),
              "5 " + kNewSelect
                  + "\n.7 <option value=\"r\" >\n"
                    "..6 R&lt;d\n8 <a href=\"#y\" >\n.6 Back\n");
    EXPECT_EQ(TextChildWords(option), "R<d");
    EXPECT_EQ(files.validationError(model), "");
}

} // namespace
} // namespace tess
