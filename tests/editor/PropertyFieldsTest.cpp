#include "common/DeckFiles.h"
#include "deck/DeckDump.h"
#include "editor/AnchorProperties.h"
#include "editor/CodeBlockProperties.h"
#include "editor/ElementProperties.h"
#include "editor/ImageProperties.h"
#include "editor/InputProperties.h"
#include "editor/OptgroupProperties.h"
#include "editor/OptionProperties.h"
#include "editor/SelectProperties.h"
#include "editor/TextProperties.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

const std::string kNewInput = "<input name=\"x\" title=\"\" type=\"text\" emptyok=\"false\" />";
const std::string kNewSelect = "<select multiple=\"false\" ivalue=\"1\" >";
const std::string kNewImage = "<img alt=\"\" src=\"\" vspace=\"0\" hspace=\"0\" align=\"bottom\" >";

TEST(PropertyDialogs, SelectTags)
{
    const auto edited = [](auto change) {
        SelectFields f = ReadSelectFields(StartTag(kNewSelect));
        change(f);
        return f;
    };
    const std::tuple<SelectFields, int, std::string> cases[] = {
        {ReadSelectFields(StartTag(kNewSelect)), 1, kNewSelect},
        {edited([](SelectFields &f) { f.name = " my name "; }), 1,
         "<select name=\"myname\" multiple=\"false\" ivalue=\"1\" >"},
        {edited([](SelectFields &f) { f.name = "my_name"; }), 1,
         "<select name=\"my_name\" multiple=\"false\" ivalue=\"1\" >"},
        {edited([](SelectFields &f) { f.indexValue = "7"; }), 3, kNewSelect},
        {edited([](SelectFields &f) { f.indexValue = "x"; }), 3, kNewSelect},
        {edited([](SelectFields &f) { f.indexValue = ""; }), 3, kNewSelect},
        {edited([](SelectFields &f) { f.indexValue = "0"; }), 3, kNewSelect},
        {edited([](SelectFields &f) {
             f = {"n", " T ", "2", " s1 ", "c", "v", true, "in", "03", "en"};
         }),
         3,
         "<select name=\"n\" title=\"T\" tabindex=\"2\" id=\"s1\" class=\"c\" value=\"v\" "
         "multiple=\"true\" iname=\"in\" ivalue=\"3\" xml:lang=\"en\" >"},
    };
    for (const auto &[fields, children, expected] : cases)
        EXPECT_EQ(BuildSelectTag(fields, children), expected);

    const SelectFields read = ReadSelectFields(StartTag(std::get<2>(cases[7])));
    EXPECT_EQ(read, (SelectFields {"n", "T", "2", "s1", "c", "v", true, "in", "3", "en"}));
    EXPECT_FALSE(ReadSelectFields(StartTag("<select multiple=\"yes\" >")).multiple);
}

TEST(PropertyDialogs, InputTags)
{
    const InputFields fresh = ReadInputFields(StartTag(kNewInput));
    EXPECT_EQ(fresh.name, "x");
    EXPECT_FALSE(fresh.password);
    EXPECT_FALSE(fresh.emptyOk);
    EXPECT_EQ(fresh.format, -1);
    EXPECT_EQ(BuildInputTag(fresh), "<input name=\"x\" type=\"text\" emptyok=\"false\" >");

    const InputFields all {" a b ", " T ", " v ", "1", "20", "c", true, true, "5", "en", 3};
    const std::string tag = BuildInputTag(all);
    EXPECT_EQ(tag,
              "<input name=\"ab\" title=\"T\" value=\"v\" tabindex=\"1\" maxlength=\"20\" "
              "class=\"c\" type=\"password\" emptyok=\"true\" size=\"5\" xml:lang=\"en\" "
              "format=\"*a\" >");
    EXPECT_EQ(ReadInputFields(StartTag(tag)),
              (InputFields {"ab", "T", "v", "1", "20", "c", true, true, "5", "en", 3}));
    const std::string formats[] = {"*M", "*N", "*A", "*a", ""};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(InputFormatValue(i), formats[i]);
    EXPECT_EQ(ReadInputFields(StartTag("<input format=\"*X\" >")).format, -1);
}

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
    struct : MessageSink
    {
        void showMessage(const std::string &) override { }
    } sink;
    ASSERT_TRUE(LoadDeckFromFile(again, sink));
    const DeckNode *read = again.root()->firstChild->firstChild->lastChild;
    EXPECT_EQ(ReadAnchorFields(read->element->tag(), TextChildWords(read)), typed);
}

TEST(PropertyDialogs, OptionOptgroupAnchorAndImageTags)
{
    const OptionFields option {"  ", "T", "v", "#c", " o1 ", "en"};
    const std::string optionTag = BuildOptionTag(option);
    EXPECT_EQ(optionTag,
              "<option value=\"v\" title=\"T\" onpick=\"#c\" id=\"o1\" xml:lang=\"en\" >");
    EXPECT_EQ(OptionWords(option), "Option");
    EXPECT_EQ(ReadOptionFields(StartTag(optionTag), "Red").id, "o1");
    EXPECT_EQ(BuildOptionTag(ReadOptionFields(StartTag(optionTag), "Red")), optionTag);
    EXPECT_EQ(BuildOptionTag(ReadOptionFields(StartTag("<option >"), "")), "<option >");

    const std::string groupTag = BuildOptgroupTag({"T", "en", "c", "g1"});
    EXPECT_EQ(groupTag, "<optgroup title=\"T\" id=\"g1\" xml:lang=\"en\" class=\"c\" >");
    EXPECT_EQ(ReadOptgroupFields(StartTag(groupTag)), (OptgroupFields {"T", "en", "c", "g1"}));
    EXPECT_EQ(BuildOptgroupTag({}), "<optgroup >");

    EXPECT_EQ(BuildAnchorTag(ReadAnchorFields(StartTag("<a href=\"\" >"), "Anchor")),
              "<a href=\"\" >");
    const AnchorFields anchor {" Go ", "#b", "T", "en"};
    EXPECT_EQ(BuildAnchorTag(anchor), "<a href=\"#b\" title=\"T\" xml:lang=\"en\" >");
    EXPECT_EQ(AnchorWords(anchor), "Go");
    EXPECT_EQ(AnchorWords({}), "Anchor");

    EXPECT_EQ(BuildImageTag({}), kNewImage);
    EXPECT_EQ(BuildImageTag(ReadImageFields(StartTag(kNewImage))), kNewImage);
    const std::string image = "<img alt=\"A\" src=\"p.wbmp\" vspace=\"1\" hspace=\"2\" "
                              "localsrc=\"l\" height=\"3\" width=\"4\" align=\"top\" "
                              "xml:lang=\"en\" >";
    EXPECT_EQ(BuildImageTag(ReadImageFields(StartTag(image))), image);
    EXPECT_EQ(ReadImageFields(StartTag("<img align=\"middle\" >")).align, ImageAlign::Middle);
    EXPECT_EQ(ReadImageFields(StartTag("<img align=\"left\" >")).align, ImageAlign::Bottom);
}

TEST(PropertyDialogs, CodeBlockText)
{
    EXPECT_EQ(CodeBlockOpeningText(""), "Type your ASP code Here");
    EXPECT_EQ(CodeBlockOpeningText("x = 1"), "x = 1");
    const std::pair<std::string, std::string> cases[] = {
        {"<% Response.Write(1) %>", "Response.Write(1)"},
        {"a<%b%>c", "a b c"},
        {" <% %> ", "Type your ASP code here"},
        {"", "Type your ASP code here"},
    };
    for (const auto &[typed, expected] : cases)
        EXPECT_EQ(CodeBlockResult(typed), expected);
}

// A card with a paragraph holding one Text control and its break, then an
// input, so the rebuilt chain has a following sibling to stand before.
class TextChainTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(files.load(model,
                               "<card><p><em>a &lt; b</em><br/><input name=\"n\"/>"
                               "</p></card>"));
        paragraph = FirstParagraph(NthCard(model.root(), 1));
        ASSERT_NE(paragraph, nullptr);
        paragraph->firstChild->element->rect = {10, 20, 90, 60};
    }
    std::string paragraphDump() const { return dumpDeck(paragraph); }

    test::DeckFiles files;
    DeckModel model;
    DeckNode *paragraph = nullptr;
};

TEST_F(TextChainTest, OkBuildsTheChainInItsOrderWithANewBreak)
{
    DeckNode *top = paragraph->firstChild;
    const TextChain opened = OpenTextChain(model.root(), top);
    EXPECT_EQ(opened.fields.text, "a < b");
    EXPECT_TRUE(opened.fields.emphasis);
    EXPECT_EQ(paragraphDump(), "6 <em >\\r\\n\n.6 a &lt; b\n4 <input name=\"n\" />\\r\\n\n");

    TextFields f = opened.fields;
    f.size = TextSize::Big;
    DeckNode *rebuilt = RebuildTextChain(model.root(), top, ChainAfterOk(f));
    EXPECT_EQ(paragraphDump(),
              "6 <em >\n.6 <big >\n..6 a &lt; b\n10 <br >\n4 <input name=\"n\" />\\r\\n\n");
    EXPECT_EQ(rebuilt, paragraph->firstChild);
    EXPECT_EQ(rebuilt->element->rect, (DesignRect {10, 20, 90, 60}));
    EXPECT_EQ(rebuilt->firstChild->element->rect, DesignRect {});
    EXPECT_EQ(files.validationError(model), "");

    const TextChain again = OpenTextChain(model.root(), rebuilt);
    EXPECT_EQ(again.fields, (TextFields {"a < b", true, false, false, false, TextSize::Big}));
    TextFields plain = again.fields;
    plain.emphasis = false;
    plain.size = TextSize::Normal;
    rebuilt = RebuildTextChain(model.root(), rebuilt, ChainAfterOk(plain));
    EXPECT_EQ(paragraphDump(), "6 a &lt; b\n10 <br >\n4 <input name=\"n\" />\\r\\n\n");
    EXPECT_EQ(rebuilt->element->rect, (DesignRect {10, 20, 90, 60}));
    EXPECT_EQ(files.validationError(model), "");
}

TEST_F(TextChainTest, EveryStyleAndEmptyText)
{
    DeckNode *top = paragraph->firstChild;
    OpenTextChain(model.root(), top);
    const TextFields all {"", true, true, true, true, TextSize::Small};
    EXPECT_EQ(ChainAfterOk(all),
              (NewTextChain {{"<em >", "<strong >", "<u >", "<i >", "<small >"}, "Text"}));
    RebuildTextChain(model.root(), top, ChainAfterOk(all));
    EXPECT_EQ(paragraphDump(),
              "6 <em >\n.6 <strong >\n..6 <u >\n...6 <i >\n....6 <small >\n"
              ".....6 Text\n10 <br >\n4 <input name=\"n\" />\\r\\n\n");
    EXPECT_EQ(files.validationError(model), "");
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
