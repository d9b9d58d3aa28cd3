#include "common/DeckFiles.h"
#include "common/ScriptedPrompter.h"
#include "common/UserInput.h"
#include "deck/DeckConstants.h"
#include "deck/DeckDump.h"
#include "editor/DeckDocument.h"
#include "gui/design/AnchorDialog.h"
#include "gui/design/CardList.h"
#include "gui/design/CardPropertiesDialog.h"
#include "gui/design/CardPropertiesPage.h"
#include "gui/design/CardTaskPage.h"
#include "gui/design/ImageDialog.h"
#include "gui/design/InputDialog.h"
#include "gui/design/OptgroupDialog.h"
#include "gui/design/OptionDialog.h"
#include "gui/design/PropertiesCommand.h"
#include "gui/design/SelectDialog.h"
#include "gui/design/ServerCodeDialog.h"
#include "gui/design/WidgetPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tess {
namespace {

const std::string kNewInput = "<input name=\"x\" title=\"\" type=\"text\" emptyok=\"false\" />";
const std::string kNewImage = "<img alt=\"\" src=\"\" vspace=\"0\" hspace=\"0\" align=\"bottom\" >";

TEST(PropertyDialogWidgets, OkWithoutChangesWritesTheTag)
{
    struct Case
    {
        std::function<DialogOutcome()> run;
        std::string title, fragment, words;
    };
    const Case cases[] = {
        {[] { return RunInputControlDlg(StartTag(kNewInput)); }, "Input Properties",
         "<input name=\"x\" type=\"text\" emptyok=\"false\" >", ""},
        {[] { return RunGroupProperty(StartTag("<select multiple=\"false\" ivalue=\"1\" >"), 1); },
         "Select", "<select multiple=\"false\" ivalue=\"1\" >", ""},
        {[] { return RunOptionProperty(StartTag("<option id=\"o1\" >"), "Red"); }, "Option",
         "<option id=\"o1\" >", "Red"},
        {[] { return RunOptgp(StartTag("<optgroup >")); }, "Optgroup Properties", "<optgroup >",
         ""},
        {[] { return RunAnchorDlg(StartTag("<a href=\"\" >"), ""); }, "A Element", "<a href=\"\" >",
         "Anchor"},
        {[] { return RunImageDlg(StartTag(kNewImage)); }, "Image", kNewImage, ""},
        {[] { return RunAspJspEditorDialog("<% x %>"); }, "CodeEditor", "x", ""},
        {[] { return RunAspJspEditorDialog(""); }, "CodeEditor", "Type your ASP code Here", ""},
    };
    for (const Case &c : cases) {
        std::string title;
        whenShown([&title](QDialog &d) {
            title = d.windowTitle().toStdString();
            d.accept();
        });
        const DialogOutcome outcome = c.run();
        EXPECT_EQ(title, c.title);
        EXPECT_TRUE(outcome.accepted) << c.title;
        EXPECT_EQ(outcome.fragment, c.fragment);
        EXPECT_EQ(outcome.words, c.words);
    }
}

TEST(PropertyDialogWidgets, RefusedFieldKeepsTheDialogOpenWithTheFocusThere)
{
    const char *digit = "First Character in an ID cannot be a number, it must be an Alphabet";
    const char *name = "Name is essential please enter the name";
    using Run = std::function<DialogOutcome(QWidget *)>;
    const std::tuple<Run, const char *, const char *, const char *> cases[] = {
        {[](QWidget *owner) {
             return RunGroupProperty(StartTag("<select multiple=\"false\" ivalue=\"1\" >"), 1,
                                     owner);
         },
         "id", "0abc", digit},
        {[](QWidget *owner) { return RunOptgp(StartTag("<optgroup >"), owner); }, "id", "a b",
         "ID is Alpha Numeric, no Special Characters or empty spaces are allowed"},
        {[](QWidget *owner) { return RunInputControlDlg(StartTag(kNewInput), owner); }, "name", "",
         name},
    };
    for (const auto &[run, fieldName, typed, message] : cases) {
        ScriptedPrompter prompter;
        // The dialog tells through its parent's prompter.
        QWidget owner;
        attachPrompter(owner, prompter);
        prompter.answer(Prompter::Answer::Ok);
        bool stayedOpen = false;
        QWidget *focused = nullptr;
        QString kept;
        whenShown([&, fieldName = fieldName, typed = typed](QDialog &d) {
            setText(d, fieldName, typed);
            d.accept();
            stayedOpen = d.isVisible() && d.result() != QDialog::Accepted;
            focused = d.focusWidget();
            kept = field(d, fieldName)->text();
            EXPECT_EQ(focused, field(d, fieldName));
            d.reject();
        });
        const DialogOutcome outcome = run(&owner);
        EXPECT_TRUE(stayedOpen) << message;
        EXPECT_EQ(kept.toStdString(), typed);
        ASSERT_EQ(prompter.messages().size(), 1u);
        EXPECT_EQ(prompter.messages()[0].text, message);
        EXPECT_EQ(prompter.messages()[0].buttons, Prompter::Buttons::Ok);
        EXPECT_FALSE(outcome.accepted);
    }
}

TEST(PropertyDialogWidgets, RequestsRebuildTextsAndMarkTheDocumentModifiedAfterCancel)
{
    test::DeckFiles files;
    DeckDocument doc;
    ASSERT_TRUE(files.load(doc.model(), "<card><p>a &lt; b<br/><input name=\"n\"/></p></card>"));
    DeckNode *paragraph = FirstParagraph(NthCard(doc.model().root(), 1));
    const std::string chain
        = "6 <em >\n.6 <big >\n..6 a &lt; b\n10 <br >\n4 <input name=\"n\" />\\r\\n\n";
    doc.setSelectedNode(paragraph->firstChild);
    whenShown([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), "Text");
        EXPECT_EQ(field<QPlainTextEdit>(d, "text")->toPlainText(), "a < b");
        field<QCheckBox>(d, "emphasis")->setChecked(true);
        field<QButtonGroup>(d, "size")->button(1)->click();
        d.accept();
    });
    RunPropertiesRequest(doc, paragraph->firstChild);
    EXPECT_EQ(dumpDeck(paragraph), chain);
    EXPECT_EQ(doc.selectedNode(), paragraph->firstChild);

    for (DeckNode *node :
         {paragraph->firstChild, paragraph->lastChild, static_cast<DeckNode *>(nullptr)}) {
        doc.setModified(false);
        if (node)
            whenShown([](QDialog &d) { d.reject(); });
        RunPropertiesRequest(doc, node);
        EXPECT_EQ(dumpDeck(paragraph), chain);
        EXPECT_TRUE(doc.isModified());
    }
    EXPECT_EQ(files.validationError(doc.model()), "");
}

class CardSheetWidgets : public ::testing::Test
{
protected:
    // Runs the sheet on a new card; `act` works on it while it is shown.
    bool run(std::function<void(CardPropertiesDialog &)> act)
    {
        whenShown([act](QDialog &d) { act(static_cast<CardPropertiesDialog &>(d)); });
        return RunCardPropertySheet(data, &owner);
    }

    CardSheetData data {"<card newcontext=\"false\" ordered=\"true\" >", "", {}};
    QWidget owner;
};

TEST_F(CardSheetWidgets, FailuresShowTheirPageUnlessTheTimerValueIsMissing)
{
    const std::tuple<const char *, const char *, const char *, int, const char *> cases[] = {
        {"title", "say \"hi\"", "Illegal Character encountered.", 0, "title"},
        {"id", "9c", "First Character in an ID cannot be a number, it must be an Alphabet", 0,
         "id"},
        {"timerName", "t", "Enter value for timer", 1, "timerName"},
        {"action", "a b", "No Special Characters or empty spaces are allowed in Name", 1, "action"},
    };
    for (const auto &[name, typed, message, page, focus] : cases) {
        ScriptedPrompter prompter;
        attachPrompter(owner, prompter);
        prompter.answer(Prompter::Answer::Ok);
        const bool accepted = run([&](CardPropertiesDialog &sheet) {
            QWidget *owner = std::string(name) == "action"
                ? static_cast<QWidget *>(sheet.actionPage())
                : static_cast<QWidget *>(sheet.cardPage());
            setText(*owner, name, typed);
            sheet.pages()->setCurrentIndex(1);
            sheet.accept();
            EXPECT_TRUE(sheet.isVisible());
            EXPECT_EQ(sheet.pages()->currentIndex(), page) << message;
            EXPECT_EQ(sheet.focusWidget(), field(*owner, focus));
            sheet.reject();
        });
        EXPECT_FALSE(accepted);
        ASSERT_EQ(prompter.messages().size(), 1u);
        EXPECT_EQ(prompter.messages()[0].text, message);
    }
    EXPECT_EQ(data.timerFragment, "");
}

TEST(CardListProperties, OkRebuildsTheSelectedCardAndRelabelsItsRow)
{
    test::DeckFiles files;
    DeckDocument doc;
    ASSERT_TRUE(files.load(doc.model(), "<card><p>xy</p></card>"));
    ScriptedPrompter prompter;
    CardList list(doc, prompter);
    list.setCurrentItem(list.topLevelItem(0));
    list.prepareContextMenu();
    whenShown([](QDialog &d) {
        setText(d, "title", " Home ");
        d.reject();
    });
    list.cardPropertiesAction()->trigger();
    EXPECT_FALSE(doc.isModified());
    whenShown([](QDialog &d) {
        setText(d, "title", " Home ");
        d.accept();
    });
    list.cardPropertiesAction()->trigger();
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(list.topLevelItem(0)->text(0), "Home");
    EXPECT_EQ(dumpDeck(doc.model().root()),
              "2 <card title=\"Home\" newcontext=\"false\" ordered=\"false\" >\n.3 <p >\\r\\n\n"
              "..6 xy\n");
    EXPECT_EQ(files.validationError(doc.model()), "");
}

} // namespace
} // namespace tess
