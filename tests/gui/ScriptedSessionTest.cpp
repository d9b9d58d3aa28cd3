#include "common/FrameTest.h"
#include "common/ScriptedPrompter.h"
#include "common/UserInput.h"
#include "deck/DeckConstants.h"
#include "deck/DeckDump.h"
#include "deck/DeckNode.h"
#include "deck/ElementKind.h"
#include "editor/ControlSnippets.h"
#include "editor/DeckDocument.h"
#include "editor/DocumentSync.h"
#include "gui/code/CodeConstants.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/code/OutputView.h"
#include "gui/design/CardList.h"
#include "gui/design/CardPropertiesDialog.h"
#include "gui/design/CardPropertiesPage.h"
#include "gui/design/DesignPane.h"
#include "gui/design/DesignView.h"
#include "gui/design/PropertiesCommand.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/ShellConstants.h"
#include "wml/FileUtil.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace tess {
namespace {

// Adds an accept event going to `url` with the postfields given as name,
// value pairs (posted when there are some), on the sheet's Action page.
void addGoEvent(QDialog &sheet, const char *url,
                std::initializer_list<std::pair<const char *, const char *>> postfields)
{
    field<QComboBox>(sheet, "eventType")->setCurrentIndex(1);
    field<QComboBox>(sheet, "taskType")->setCurrentIndex(3);
    setText(sheet, "url", url);
    field<QButtonGroup>(sheet, "method")->button(postfields.size() ? 1 : 0)->click();
    for (const auto &[name, value] : postfields) {
        field<QButtonGroup>(sheet, "variableKind")->button(1)->click();
        setText(sheet, "variableName", name);
        setText(sheet, "variableValue", value);
        field<QPushButton>(sheet, "addVariable")->click();
    }
    field<QPushButton>(sheet, "addEvent")->click();
}

class ControlCommandsTest : public test::FrameTest
{
protected:
    DocumentWindow *newDocument()
    {
        commands().newWml->trigger();
        DocumentWindow *child = m_frame.activeChildFrame();
        EXPECT_NE(child, nullptr);
        return child;
    }
    // The W&ML Controls items.
    void insert(ControlCommand command) { m_frame.controlItem(command)->trigger(); }
    bool enabled(ControlCommand command) { return m_frame.controlItem(command)->isEnabled(); }
    bool checked(ControlCommand command) { return m_frame.controlItem(command)->isChecked(); }
};

constexpr ControlCommand kSevenControls[] = {
    ControlCommand::Anchor, ControlCommand::Select, ControlCommand::Input,   ControlCommand::Text,
    ControlCommand::Option, ControlCommand::Image,  ControlCommand::Optgroup};

TEST_F(ControlCommandsTest, CodeTabTypesTheDialogsResultAtTheCaret)
{
    DocumentWindow *child = newDocument();
    clickTab(child->tabWindow(), CodeTab);
    DeckCodeEditor *code = child->tabWindow()->codeView();
    DeckDocument &doc = child->document();
    const std::string before = "<p>\n</p>";

    struct Case
    {
        ControlCommand command;
        std::function<void(QDialog &)> act; // null: no dialog
        std::string typed;
    };
    const Case cases[] = {
        {ControlCommand::Select, [](QDialog &d) { d.accept(); },
         "\n<select multiple=\"false\" ivalue=\"1\" >\n</select>"},
        {ControlCommand::Input,
         [](QDialog &d) {
             setText(d, "name", "age");
             d.accept();
         },
         "\n<input name=\"age\" type=\"text\" emptyok=\"false\"/>"},
        {ControlCommand::Text,
         [](QDialog &d) {
             field<QPlainTextEdit>(d, "text")->setPlainText("Hello");
             field<QCheckBox>(d, "strong")->setChecked(true);
             field<QCheckBox>(d, "italic")->setChecked(true);
             d.accept();
         },
         "\n\n<strong >\n<i >\n\tHello\n<br/>\n</i>\n</strong>"},
        {ControlCommand::Card,
         [](QDialog &d) {
             addGoEvent(d, "#c1", {});
             d.accept();
         },
         "<card newcontext=\"false\" ordered=\"false\" >\n"
         "\n<do type=\"accept\" ><go href=\"#c1\" >\n"
         "\n</go>\n</do>\n<p align=\"left\">\n</p>\n</card>"},
        {ControlCommand::Para, nullptr, "<p align=\"left\">\n</p>"},
        // Cancel, and OK on a Text without words, type nothing.
        {ControlCommand::Select, [](QDialog &d) { d.reject(); }, ""},
        {ControlCommand::Text, [](QDialog &d) { d.accept(); }, ""},
    };
    for (const Case &c : cases) {
        // The caret after "<p>", and the same again with "\n</p>" selected.
        for (const bool selection : {false, true}) {
            code->setText(before);
            QTextCursor cursor = code->textCursor();
            cursor.setPosition(3);
            if (selection)
                cursor.setPosition(8, QTextCursor::KeepAnchor);
            code->setTextCursor(cursor);
            doc.setModified(false);
            if (c.act)
                whenShown(c.act);
            insert(c.command);
            const std::string rest = selection ? "" : "\n</p>";
            EXPECT_EQ(code->text(), c.typed.empty() ? before : "<p>" + c.typed + rest)
                << int(c.command);
            EXPECT_EQ(doc.isModified(), !c.typed.empty()) << int(c.command);
        }
    }
    EXPECT_EQ(doc.armedKind(), ElementKind::Other);
}

// The nodes of one kind, in document order.
std::vector<DeckNode *> nodesOfKind(DeckNode *node, ElementKind kind)
{
    std::vector<DeckNode *> found;
    for (DeckNode *child = node->firstChild; child; child = child->nextSibling) {
        if (child->kind() == kind)
            found.push_back(child);
        const std::vector<DeckNode *> below = nodesOfKind(child, kind);
        found.insert(found.end(), below.begin(), below.end());
    }
    return found;
}

// A press and a release of the left button on the design surface.
void clickDesign(DesignView *view, QPoint at)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
    }
}

// Properties on `node`, its dialog filled by `fill` and closed with OK.
void editNode(DesignView *view, DeckNode *node, std::function<void(QDialog &)> fill)
{
    whenShown([fill](QDialog &d) {
        fill(d);
        d.accept();
    });
    RunPropertiesRequest(view->document(), node, view);
}

using ScriptedSessionTest = ControlCommandsTest;

// New deck, five controls placed with the WML controls and edited through
// their dialogs, a card event, then Code and Compile.
TEST_F(ScriptedSessionTest, NewDeckFromControlsToCompile)
{
    ScriptedPrompter &prompter = m_prompter;
    DocumentWindow *child = newDocument();
    DeckDocument &doc = child->document();
    DesignView *view = child->designWnd()->designView();
    prompter.answer(Prompter::Answer::No).file(ScriptedPrompter::Kind::OpenFile, "");
    const std::pair<ControlCommand, QPoint> placed[] = {
        {ControlCommand::Input, {20, 20}},    {ControlCommand::Select, {20, 70}},
        {ControlCommand::Optgroup, {60, 75}}, {ControlCommand::Text, {20, 300}},
        {ControlCommand::Anchor, {30, 360}},  {ControlCommand::Image, {30, 420}},
    };
    for (const auto &[command, at] : placed) {
        insert(command);
        clickDesign(view, at);
        EXPECT_EQ(doc.armedKind(), ElementKind::Other) << int(command);
    }
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Enter choice");

    DeckNode *root = doc.model().root();
    editNode(view, nodesOfKind(root, ElementKind::Input).at(0), [](QDialog &d) {
        setText(d, "name", "age");
        setText(d, "title", "Age");
    });
    editNode(view, nodesOfKind(root, ElementKind::Select).at(0),
             [](QDialog &d) { setText(d, "name", "colour"); });
    const char *groups[][3] = {{"Warm", "Red", "r"}, {"Cool", "Blue", "b"}};
    ASSERT_EQ(nodesOfKind(root, ElementKind::Optgroup).size(), 2u);
    for (int i = 0; i < 2; ++i) {
        editNode(view, nodesOfKind(root, ElementKind::Optgroup)[i],
                 [title = groups[i][0]](QDialog &d) { setText(d, "title", title); });
        editNode(view, nodesOfKind(root, ElementKind::Option)[i], [group = groups[i]](QDialog &d) {
            setText(d, "text", group[1]);
            setText(d, "value", group[2]);
        });
    }
    // The Text control, not the words of an option.
    const std::vector<DeckNode *> texts = nodesOfKind(root, ElementKind::Text);
    const auto text = std::find_if(texts.begin(), texts.end(), [](DeckNode *node) {
        return node->parent->kind() == ElementKind::Paragraph;
    });
    ASSERT_NE(text, texts.end());
    editNode(view, *text, [](QDialog &d) {
        field<QPlainTextEdit>(d, "text")->setPlainText("Welcome");
        field<QCheckBox>(d, "strong")->setChecked(true);
        field<QButtonGroup>(d, "size")->button(1)->click();
    });
    editNode(view, nodesOfKind(root, ElementKind::Anchor).at(0), [](QDialog &d) {
        setText(d, "text", "Again");
        setText(d, "url", "#home");
    });
    editNode(view, nodesOfKind(root, ElementKind::Image).at(0), [](QDialog &d) {
        setText(d, "alt", "Logo");
        setText(d, "src", "logo.wbmp");
    });

    CardList *cards = child->designWnd()->cardList();
    cards->setCurrentItem(cards->topLevelItem(0));
    cards->prepareContextMenu();
    whenShown([](QDialog &sheet) {
        setText(*static_cast<CardPropertiesDialog &>(sheet).cardPage(), "id", "home");
        setText(sheet, "title", "Home");
        addGoEvent(sheet, "send.asp", {{"age", "$(age)"}, {"colour", "$(colour)"}});
        sheet.accept();
    });
    cards->cardPropertiesAction()->trigger();

    clickTab(child->tabWindow(), CodeTab);
    commands().compile->trigger();
    EXPECT_EQ(m_frame.outputView()->message(),
              "Compilations Done - No Errors Found !!!\n"
              "Compiled size 221 bytes: fits all profiles");
    EXPECT_EQ(child->tabWindow()->codeView()->text(),
              readWholeFile(TESS_TEST_DATA_DIR "/session/expected.code.wml").value_or(""));
}

// Edit > Undo and Redo walk the design history: controls and the card's
// title come and go, and the deck written for the Code tab is the same
// after the redo as before the undo.
TEST_F(ScriptedSessionTest, EditMenuUndoesAndRedoesDesignEdits)
{
    DocumentWindow *child = newDocument();
    DeckDocument &doc = child->document();
    DesignView *view = child->designWnd()->designView();
    CardList *cards = child->designWnd()->cardList();
    EXPECT_FALSE(commands().undo->isEnabled() || commands().redo->isEnabled());

    insert(ControlCommand::Input);
    clickDesign(view, {20, 20});
    insert(ControlCommand::Anchor);
    clickDesign(view, {20, 80});
    cards->setCurrentItem(cards->topLevelItem(0));
    cards->prepareContextMenu();
    whenShown([](QDialog &sheet) {
        setText(sheet, "title", "Home");
        sheet.accept();
    });
    cards->cardPropertiesAction()->trigger();
    EXPECT_EQ(cards->topLevelItem(0)->text(0), "Home");
    EXPECT_TRUE(commands().undo->isEnabled() && !commands().redo->isEnabled());
    DeckNode *root = doc.model().root();
    const std::string full = dumpDeck(root);

    for (int i = 0; i < 3; ++i)
        commands().undo->trigger();
    EXPECT_EQ(cards->topLevelItem(0)->text(0), "No Name");
    EXPECT_TRUE(nodesOfKind(root, ElementKind::Input).empty()
                && nodesOfKind(root, ElementKind::Anchor).empty());
    EXPECT_FALSE(commands().undo->isEnabled());
    EXPECT_FALSE(doc.isModified());

    for (int i = 0; i < 3; ++i)
        commands().redo->trigger();
    EXPECT_EQ(cards->topLevelItem(0)->text(0), "Home");
    EXPECT_EQ(dumpDeck(root), full);
    EXPECT_TRUE(doc.isModified());

    // On the Code tab the same commands belong to the editor.
    clickTab(child->tabWindow(), CodeTab);
    DeckCodeEditor *code = child->tabWindow()->codeView();
    const std::string written = code->text();
    EXPECT_NE(written.find("<card title=\"Home\""), std::string::npos);
    EXPECT_NE(written.find("<input"), std::string::npos);
    code->textCursor().insertText("x");
    commands().undo->trigger();
    EXPECT_EQ(code->text(), written);
    commands().redo->trigger();
    EXPECT_EQ(code->text(), "x" + written);
}

} // namespace
} // namespace tess
