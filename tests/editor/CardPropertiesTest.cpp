#include "common/DeckFiles.h"
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

const std::string kNewCard = "<card newcontext=\"false\" ordered=\"true\" >";

TEST(CardPage, NewCardLoadsAndBuildsUnchanged)
{
    CardPropertyFields f;
    LoadCardFields(f, kNewCard, "");
    CardPropertyFields expected;
    expected.ordered = true;
    EXPECT_EQ(f, expected);
    EXPECT_EQ(BuildCardFragment(f), kNewCard);
    EXPECT_EQ(BuildTimerFragment(f), "<timer />");
}

TEST(CardPage, FieldsRoundTripInAttributeOrder)
{
    const CardPropertyFields typed {" c1 ", " Home ", "#f",   "#b",  "#t", "en",
                                    "k",    " t ",    " 10 ", false, true};
    const std::string card = BuildCardFragment(typed);
    const std::string timer = BuildTimerFragment(typed);
    EXPECT_EQ(card,
              "<card title=\"Home\" id=\"c1\" onenterforward=\"#f\" onenterbackward=\"#b\" "
              "ontimer=\"#t\" xml:lang=\"en\" class=\"k\" newcontext=\"true\" "
              "ordered=\"false\" >");
    EXPECT_EQ(timer, "<timer name=\"t\" value=\"10\" />");
    CardPropertyFields read;
    read.ordered = true;
    LoadCardFields(read, card, timer);
    EXPECT_EQ(
        read,
        (CardPropertyFields {"c1", "Home", "#f", "#b", "#t", "en", "k", "t", "10", false, true}));

    // Absent attributes leave the boxes as they were.
    LoadCardFields(read, "<card title=\"x\" >", "<timer value=\"5\" />");
    EXPECT_FALSE(read.ordered);
    EXPECT_TRUE(read.newContext);
    EXPECT_EQ(read.timerName, "");
    CardPropertyFields onlyValue;
    onlyValue.timerValue = "5";
    EXPECT_EQ(BuildTimerFragment(onlyValue), "<timer value=\"5\" />");
}

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

TEST(ActionPage, TaskTypesSetTheFieldStates)
{
    CardTaskEditor editor;
    const std::pair<TaskType, TaskFieldStates> cases[] = {
        {TaskType::Prev, {false, false, true, false, false}},
        {TaskType::Noop, {false, false, false, false, false}},
        {TaskType::Refresh, {false, false, true, false, false}},
        {TaskType::Go, {true, true, true, false, false}},
    };
    for (const auto &[type, states] : cases) {
        editor.fields.url = "u";
        editor.fields.acceptCharset = "c";
        editor.fields.post = editor.fields.postfield = true;
        editor.setTaskType(type);
        EXPECT_EQ(editor.states(), states) << int(type);
        EXPECT_EQ(editor.fields, CardTaskFields {});
    }
}

TEST(ActionPage, VariablesAddReplaceLoadAndDelete)
{
    CardTaskEditor editor;
    editor.setTaskType(TaskType::Go);
    editor.addVariable();
    EXPECT_TRUE(editor.variables().empty());
    editor.fields.variableName = "a";
    editor.addVariable();
    editor.fields.postfield = true;
    editor.fields.variableName = "b";
    editor.fields.variableValue = "2";
    editor.addVariable();
    EXPECT_EQ(editor.variables(),
              (std::vector<std::string> {"<setvar name=\"a\" value=\"\" />",
                                         "<postfield name=\"b\" value=\"2\" />"}));
    EXPECT_FALSE(editor.fields.postfield);
    EXPECT_TRUE(editor.states().deleteVariable);

    editor.loadVariable(1);
    EXPECT_TRUE(editor.fields.postfield);
    EXPECT_EQ(editor.fields.variableName, "b");
    EXPECT_EQ(editor.fields.variableValue, "2");
    editor.fields.variableValue = "3";
    editor.addVariable();
    EXPECT_EQ(editor.variables()[1], "<postfield name=\"b\" value=\"3\" />");
    editor.selectedVariable = 0;
    editor.deleteVariable();
    editor.selectedVariable = 0;
    editor.deleteVariable();
    EXPECT_TRUE(editor.variables().empty());
    EXPECT_FALSE(editor.states().deleteVariable);
}

TEST(ActionPage, LoadsEventsBuiltOrCollectedAndReplacesTheSelectedOne)
{
    CardTaskEditor editor({"<do type=\"accept\" label=\"L\" >\r\n<go href=\"#a\" method=\"post\" "
                           "sendreferer=\"true\" >\r\n<setvar name=\"v\" value=\"1\" />\r\n"
                           "<postfield name=\"p\" value=\"2\" />\r\n",
                           "<do type=\"options\" name=\"n\" ><refresh >",
                           "<do type=\"help\" >\r\n<noop />\r\n"});
    editor.loadEvent(0);
    EXPECT_EQ(editor.taskType(), TaskType::Go);
    EXPECT_EQ(
        editor.fields,
        (CardTaskFields {
            .eventType = "accept", .label = "L", .url = "#a", .sendReferer = true, .post = true}));
    EXPECT_EQ(editor.variables(),
              (std::vector<std::string> {"<setvar name=\"v\" value=\"1\" />",
                                         "<postfield name=\"p\" value=\"2\" />"}));
    EXPECT_TRUE(editor.states().deleteEvent);
    ASSERT_FALSE(editor.addEvent());
    EXPECT_EQ(editor.events()[0],
              "<do type=\"accept\" label=\"L\" ><go href=\"#a\" method=\"post\" "
              "sendreferer=\"true\" >\r\n<setvar name=\"v\" value=\"1\" />"
              "<postfield name=\"p\" value=\"2\" />");
    EXPECT_EQ(editor.selectedEvent, -1);

    editor.loadEvent(1);
    EXPECT_EQ(editor.taskType(), TaskType::Refresh);
    EXPECT_EQ(editor.fields.action, "n");
    editor.loadEvent(2);
    EXPECT_EQ(editor.taskType(), TaskType::Noop);
    editor.deleteEvent();
    EXPECT_EQ(editor.events().size(), 2u);
    editor.clear();
    EXPECT_FALSE(editor.states().deleteEvent);
    EXPECT_EQ(editor.events().size(), 2u);
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
    CardCommands commands {doc};
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

TEST_F(CardRebuildTest, NewCardWithoutParagraphGetsOneAndTimerNeedsAValue)
{
    load("<card><do type=\"prev\"><prev/></do></card>");
    CardSheetData data;
    ASSERT_TRUE(commands.openProperties(data));
    CardPropertyFields card;
    LoadCardFields(card, kNewCard, "");
    data = {BuildCardFragment(card), BuildTimerFragment(card), {"<do type=\"reset\" ><noop >"}};
    commands.applyProperties(data);
    EXPECT_EQ(commands.rows(), (std::vector<std::string> {"No Name"}));
    EXPECT_EQ(cardDump(), "9 <do type=\"reset\" >\n.0 <noop >\n3 <p align=\"left\" >\n");
    EXPECT_EQ(files.validationError(doc.model()), "");

    // A timer with a name alone is not WML; the sheet refuses it before it
    // gets here.
    data.timerFragment = "<timer name=\"t\" />";
    commands.applyProperties(data);
    EXPECT_EQ(cardDump(),
              "12 <timer name=\"t\" />\n9 <do type=\"reset\" >\n.0 <noop >\n"
              "3 <p align=\"left\" >\n");
    EXPECT_NE(files.validationError(doc.model()), "");
}

TEST(CardRebuild, RowLabelAndNoSelection)
{
    EXPECT_EQ(CardRowLabel(StartTag("<card title=\"\" >")), "No Name");
    EXPECT_EQ(CardRowLabel(StartTag("<card ordered=\"true\" >")), "No Name");
    EXPECT_EQ(CardRowLabel(StartTag("<card title=\"Home\" >")), "Home");
    DeckDocument doc;
    CardCommands commands(doc);
    CardSheetData data;
    EXPECT_FALSE(commands.openProperties(data));
}

} // namespace
} // namespace tess
