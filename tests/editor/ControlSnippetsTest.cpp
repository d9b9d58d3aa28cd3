#include "editor/ControlSnippets.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

using C = ControlCommand;

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
