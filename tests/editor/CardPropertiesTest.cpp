#include "common/DeckFiles.h"
#include "common/ScriptedPrompter.h"
#include "deck/DeckConstants.h"
#include "deck/DeckDump.h"
#include "deck/StartTag.h"
#include "editor/CardCommands.h"
#include "editor/CardPropertyFields.h"
#include "editor/CardRebuild.h"
#include "editor/CardTaskEditor.h"
#include "editor/DeckDocument.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

// Each case: the task type, the fields, the variables to add first, and
// the event string (or the failure message) that Add gives.
struct EventCase
{
    TaskType task;
    CardTaskFields fields;
    std::vector<std::pair<std::string, std::string>> variables;
    std::string expected;
};

TEST(ActionPage, AddEventBuildsTheEventString)
{
    const EventCase cases[] = {
        {TaskType::Noop, {.eventType = "accept"}, {}, "<do type=\"accept\" ><noop >"},
        {TaskType::Prev,
         {},
         {{"a", "1"}},
         "<do type=\"\" ><prev > <setvar name=\"a\" value=\"1\" />"},
        {TaskType::Refresh,
         {.id = " d1 ",
          .eventType = "help",
          .xmlLang = "en",
          .className = "c",
          .label = "L",
          .action = "act"},
         {},
         "<do id=\"d1\" class=\"c\" xml:lang=\"en\" type=\"help\" label=\"L\" name=\"act\" >"
         "<refresh >"},
        {TaskType::Go,
         {.eventType = "accept",
          .url = " #next ",
          .acceptCharset = "utf-8",
          .sendReferer = true,
          .post = true},
         {{"a", "1"}, {"b", "2"}},
         "<do type=\"accept\" ><go href=\"#next\" method=\"post\" sendreferer=\"true\" "
         "accept-charset=\"utf-8\" >\r\n<setvar name=\"a\" value=\"1\" />"
         "<setvar name=\"b\" value=\"2\" />"},
        {TaskType::Go, {.eventType = "accept", .url = "  "}, {}, "href Should not be empty"},
        {TaskType::Noop,
         {.id = "1d"},
         {},
         "First Character in an ID cannot be a number, it must be an Alphabet"},
        {TaskType::None, {}, {}, "A Event should have atleast one task type"},
    };
    for (const EventCase &c : cases) {
        CardTaskEditor editor({"<do type=\"x\" ><noop >"});
        editor.setTaskType(c.task);
        for (const auto &[name, value] : c.variables) {
            editor.fields.variableName = name;
            editor.fields.variableValue = value;
            editor.addVariable();
        }
        editor.fields = c.fields;
        const RuleResult failure = editor.addEvent();
        if (failure) {
            EXPECT_EQ(failure->message, c.expected);
            EXPECT_EQ(editor.events().size(), 1u);
            EXPECT_EQ(editor.fields, c.fields);
            continue;
        }
        ASSERT_EQ(editor.events().size(), 2u) << c.expected;
        EXPECT_EQ(editor.events()[1], c.expected);
        EXPECT_EQ(editor.fields, CardTaskFields {});
        EXPECT_TRUE(editor.variables().empty());
        EXPECT_EQ(editor.taskType(), TaskType::Prev);
    }
}

class CardRebuildTest : public ::testing::Test
{
protected:
    void load(const std::string &cards)
    {
        ASSERT_TRUE(files.load(doc.model(), cards));
        commands.startNewDocument();
        commands.recordSelection(0);
    }
    std::string cardDump() const { return dumpDeck(NthCard(doc.model().root(), 1)); }

    test::DeckFiles files;
    DeckDocument doc;
    ScriptedPrompter prompter;
    CardCommands commands {doc, prompter};
};

TEST_F(CardRebuildTest, OpensTimerAndEventsAndRebuildsThemAroundTheParagraph)
{
    load("<card title=\"Old\"><onevent type=\"onenterforward\"><noop/></onevent>"
         "<timer name=\"t\" value=\"5\"/><do type=\"accept\"><go href=\"#a\">"
         "<postfield name=\"x\" value=\"1\"/></go></do><p>Hi</p><p>Two</p></card>");
    CardSheetData data;
    ASSERT_TRUE(commands.openProperties(data));
    EXPECT_EQ(data,
              (CardSheetData {"<card title=\"Old\" >\r\n",
                              "<timer name=\"t\" value=\"5\" />\r\n",
                              {"<do type=\"accept\" >\r\n<go href=\"#a\" >\r\n"
                               "<postfield name=\"x\" value=\"1\" />\r\n"}}));

    CardTaskEditor editor(data.events);
    editor.fields.eventType = "help";
    editor.setTaskType(TaskType::Noop);
    ASSERT_FALSE(editor.addEvent());
    editor.setTaskType(TaskType::Go);
    editor.fields.url = "#b";
    for (const char *name : {"v1", "v2"}) {
        editor.fields.variableName = name;
        editor.fields.variableValue = "1";
        editor.addVariable();
    }
    ASSERT_FALSE(editor.addEvent());
    CardPropertyFields card;
    LoadCardFields(card, data.cardFragment, data.timerFragment);
    card.title = "New";
    card.timerName = "";
    commands.applyProperties({BuildCardFragment(card), BuildTimerFragment(card), editor.events()});

    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(commands.rows(), (std::vector<std::string> {"New"}));
    EXPECT_EQ(cardDump(),
              "12 <timer value=\"5\" />\n"
              "0 <onevent type=\"onenterforward\" >\\r\\n\n"
              ".0 <noop />\\r\\n\n"
              "9 <do type=\"accept\" >\n"
              ".0 <go href=\"#a\" >\n"
              "..0 <postfield name=\"x\" value=\"1\" />\n"
              "9 <do type=\"help\" >\n"
              ".0 <noop >\n"
              "9 <do type=\"\" >\n"
              ".0 <go href=\"#b\" >\n"
              "..0 <setvar name=\"v1\" value=\"1\" />\n"
              "..0 <setvar name=\"v2\" value=\"1\" />\n"
              "3 <p >\\r\\n\n.6 Hi\n3 <p >\\r\\n\n.6 Two\n");
    EXPECT_EQ(NthCard(doc.model().root(), 1)->fragment(),
              "<card title=\"New\" newcontext=\"false\" ordered=\"false\" >");
    // The timer stands first, before the card's onevent: WML wants it after.
    EXPECT_NE(files.validationError(doc.model()), "");
    Delete(doc.model().root(), NthCard(doc.model().root(), 1)->firstChild->nextSibling->id());
    EXPECT_EQ(files.validationError(doc.model()), "");
}

} // namespace
} // namespace tess
