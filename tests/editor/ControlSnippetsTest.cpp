#include "editor/ControlSnippets.h"
#include "editor/CardRebuild.h"
#include "editor/TextProperties.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

using C = ControlCommand;

TEST(ControlSnippets, DialogResultsBecomeElements)
{
    const std::tuple<C, std::string, std::string> cases[] = {
        {C::Select, "<select ivalue=\"1\" >", "\n<select ivalue=\"1\" >\n</select>"},
        {C::Input, "<input name=\"n\" >", "\n<input name=\"n\"/>"},
        {C::Image, "<img src=\"a.wbmp\" >", "\n<img src=\"a.wbmp\"/>"},
        // Only the one character before ">" is replaced, whatever it is.
        {C::Input, "<input name=\"n\">", "\n<input name=\"n/>"},
        {C::Anchor, "<a href=\"#c2\" >Next", "\n<a href=\"#c2\" >Next\n</a>"},
        {C::Option, "<option >One", "\n<option >One\n</option>"},
        {C::Optgroup, "<optgroup >", "\n<optgroup >\n</optgroup>"},
        {C::Select, "", ""},
        {C::Card, "<card >", ""},
    };
    for (const auto &[command, result, expected] : cases)
        EXPECT_EQ(ControlSourceText(command, result), expected) << result;
}

TEST(ControlSnippets, TextWrapsTheWordsInTheChosenFormatting)
{
    TextFields strongItalic {"Hello"};
    strongItalic.strong = strongItalic.italic = true;
    TextFields all {"All", true, true, true, true, TextSize::Small};
    TextFields big {"x"};
    big.size = TextSize::Big;
    TextFields empty = all;
    empty.text.clear();
    const std::pair<TextFields, std::string> cases[] = {
        {strongItalic, "\n\n<strong >\n<i >\n\tHello\n<br/>\n</i>\n</strong>"},
        {all,
         "\n\n<em >\n<strong >\n<u >\n<i >\n<small >\n\tAll\n<br/>"
         "\n</small>\n</i>\n</u>\n</strong>\n</em>"},
        {big, "\n\n<big >\n\tx\n<br/>\n</big>"},
        {empty, ""},
    };
    for (const auto &[fields, expected] : cases)
        EXPECT_EQ(TextSourceText(fields), expected) << fields.text;
}

TEST(ControlSnippets, CardClosesEachEventAndEndsWithAParagraph)
{
    const CardSheetData oneGo {
        "<card ordered=\"true\" >", "<timer />", {"<do type=\"accept\" ><go href=\"#c1\" >\r\n"}};
    EXPECT_EQ(CardSourceText(oneGo),
              "<card ordered=\"true\" >\n"
              "\n<do type=\"accept\" ><go href=\"#c1\" >\r\n"
              "\n</go>\n</do>\n<p align=\"left\">\n</p>\n</card>");

    const CardSheetData tasks {"<card id=\"c2\" >",
                               "<timer value=\"50\" />",
                               {"<do type=\"prev\" ><prev > <setvar name=\"v\" value=\"1\" />",
                                "<do type=\"help\" ><noop >", "<do type=\"reset\" ><refresh >",
                                "<do type=\"unknown\" >"}};
    EXPECT_EQ(CardSourceText(tasks),
              "<card id=\"c2\" >\n<timer value=\"50\" />"
              "\n<do type=\"prev\" ><prev > <setvar name=\"v\" value=\"1\" />\n</prev>\n</do>"
              "\n<do type=\"help\" ><noop >\n</noop>\n</do>"
              "\n<do type=\"reset\" ><refresh >\n</refresh>\n</do>"
              "\n<do type=\"unknown\" >\n</do>\n<p align=\"left\">\n</p>\n</card>");
    EXPECT_EQ(CardSourceText({}), "");
}

TEST(ControlSnippets, WayAndEnablingFollowTheTabsAndTheFileKind)
{
    const auto D = ControlWay::Design, S = ControlWay::Source;
    struct Case
    {
        const char *name;
        ControlContext context;
        ControlWay select, asp;
        // Enabled: Select, Card and Para, ASP tag, JSP tag.
        bool controls, cardPara, aspTag, jspTag;
    };
    const Case cases[] = {
        {"design tab", {false, false, false, false, false}, D, D, true, false, false, false},
        {"code tab", {false, true, false, false, false}, S, D, true, true, false, false},
        {"xml tree", {false, false, true, false, false}, D, D, false, false, false, false},
        {"asp page", {true, true, false, true, false}, S, D, true, true, true, false},
        {"code-only jsp", {true, false, false, false, true}, S, D, true, true, false, true},
    };
    const ToolFlags tools {false, false, true};
    for (const Case &c : cases) {
        EXPECT_EQ(ChooseControlWay(C::Select, c.context), c.select) << c.name;
        EXPECT_EQ(ChooseControlWay(C::Para, c.context), c.select) << c.name;
        EXPECT_EQ(ChooseControlWay(C::AspTag, c.context), c.asp) << c.name;
        EXPECT_EQ(ControlCommandStateOf(C::Select, c.context, tools),
                  (ControlCommandState {c.controls, true}))
            << c.name;
        EXPECT_EQ(ControlCommandStateOf(C::Image, c.context, tools),
                  (ControlCommandState {c.controls, false}))
            << c.name;
        EXPECT_EQ(ControlCommandStateOf(C::Card, c.context, tools).enabled, c.cardPara) << c.name;
        EXPECT_EQ(ControlCommandStateOf(C::Para, c.context, tools).enabled, c.cardPara) << c.name;
        EXPECT_EQ(ControlCommandStateOf(C::AspTag, c.context, tools).enabled, c.aspTag) << c.name;
        EXPECT_EQ(ControlCommandStateOf(C::JspTag, c.context, tools).enabled, c.jspTag) << c.name;
    }
}

} // namespace
} // namespace tess
