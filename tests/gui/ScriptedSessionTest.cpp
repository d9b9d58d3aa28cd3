#include "app/ProcessPaths.h"
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
#include <QToolBar>

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
    DocumentWindow *newDocument(int command)
    {
        m_frame.commandAction(command)->trigger();
        DocumentWindow *child = m_frame.activeChildFrame();
        EXPECT_NE(child, nullptr);
        return child;
    }
    bool enabled(int command) { return m_frame.commandAction(command)->isEnabled(); }
    bool checked(int command) { return m_frame.commandAction(command)->isChecked(); }
    // The bar's button of a command, which for Optgroup and Image is not the
    // menu's item.
    QAction *button(int command)
    {
        for (QAction *action : m_frame.wmlControlsBar()->actions()) {
            if (action->data().toInt() == command)
                return action;
        }
        return nullptr;
    }
};

constexpr int kSevenControls[] = {ID_WML_ANCHOR, ID_WML_SELECT, ID_WML_INPUT,   ID_WML_TEXT,
                                  ID_WML_OPTION, ID_WML_IMAGE,  ID_WML_OPTGROUP};

TEST_F(ControlCommandsTest, CodeTabTypesTheDialogsResultAtTheCaret)
{
    DocumentWindow *child = newDocument(ID_FILE_NEW_WML);
    clickTab(child->tabWindow(), CodeTab);
    DeckCodeEditor *code = child->tabWindow()->codeView();
    DeckDocument &doc = child->document();
    const std::string before = "<p>\n</p>";

    struct Case
    {
        int command;
        std::function<void(QDialog &)> act; // null: no dialog
        std::string typed;
    };
    const Case cases[] = {
        {ID_WML_SELECT, [](QDialog &d) { d.accept(); },
         "\n<select multiple=\"false\" ivalue=\"1\" >\n</select>"},
        {ID_WML_INPUT,
         [](QDialog &d) {
             setText(d, "name", "age");
             d.accept();
         },
         "\n<input name=\"age\" type=\"text\" emptyok=\"false\"/>"},
        {ID_WML_TEXT,
         [](QDialog &d) {
             field<QPlainTextEdit>(d, "text")->setPlainText("Hello");
             field<QCheckBox>(d, "strong")->setChecked(true);
             field<QCheckBox>(d, "italic")->setChecked(true);
             d.accept();
         },
         "\n\n<strong >\n<i >\n\tHello\n<br/>\n</i>\n</strong>"},
        {ID_WML_CARD,
         [](QDialog &d) {
             addGoEvent(d, "#c1", {});
             d.accept();
         },
         "<card newcontext=\"false\" ordered=\"false\" >\n"
         "\n<do type=\"accept\" ><go href=\"#c1\" >\n"
         "\n</go>\n</do>\n<p align=\"left\">\n</p>\n</card>"},
        {ID_WML_PARA, nullptr, "<p align=\"left\">\n</p>"},
        // Cancel, and OK on a Text without words, type nothing.
        {ID_WML_SELECT, [](QDialog &d) { d.reject(); }, ""},
        {ID_WML_TEXT, [](QDialog &d) { d.accept(); }, ""},
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
            trigger(c.command);
            const std::string rest = selection ? "" : "\n</p>";
            EXPECT_EQ(code->text(), c.typed.empty() ? before : "<p>" + c.typed + rest) << c.command;
            EXPECT_EQ(doc.isModified(), !c.typed.empty()) << c.command;
        }
    }
    EXPECT_EQ(doc.armedKind(), ElementKind::Other);
}

TEST_F(ControlCommandsTest, DesignTabArmsTheControl)
{
    DeckDocument &doc = newDocument(ID_FILE_NEW_WML)->document();
    int armed = 0, disarmed = 0;
    QObject::connect(&doc, &DeckDocument::armControlRequested, [&armed] { ++armed; });
    QObject::connect(&doc, &DeckDocument::disarmControlRequested, [&disarmed] { ++disarmed; });
    EXPECT_FALSE(enabled(ID_WML_CARD) || enabled(ID_WML_PARA));

    trigger(ID_WML_INPUT);
    EXPECT_EQ(doc.armedKind(), ElementKind::Input);
    for (int tool = 0; tool < DeckDocument::ToolCount; ++tool)
        EXPECT_EQ(doc.toolFlag(tool), tool == DeckDocument::ToolInput) << tool;
    for (int id : kSevenControls)
        EXPECT_EQ(checked(id), id == ID_WML_INPUT) << id;

    // The Image button is one-state; the Image item shows the tick.
    button(ID_WML_IMAGE)->trigger();
    EXPECT_EQ(doc.armedKind(), ElementKind::Image);
    EXPECT_TRUE(checked(ID_WML_IMAGE) && !button(ID_WML_IMAGE)->isCheckable());
    // An insertion on the design surface puts the pointer back.
    doc.checkOnlyTool(DeckDocument::ToolPointer);
    EXPECT_FALSE(checked(ID_WML_IMAGE));

    trigger(ID_WML_ANCHOR);
    button(ID_WML_DESELECT)->trigger();
    EXPECT_EQ(doc.armedKind(), ElementKind::Other);
    EXPECT_TRUE(doc.toolFlag(DeckDocument::ToolPointer));
    EXPECT_FALSE(checked(ID_WML_ANCHOR));
    EXPECT_EQ(std::pair(armed, disarmed), std::pair(3, 1));
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
void editNode(DeckDocument &doc, DeckNode *node, std::function<void(QDialog &)> fill)
{
    whenShown([fill](QDialog &d) {
        fill(d);
        d.accept();
    });
    RunPropertiesRequest(doc, node);
}

using ScriptedSessionTest = ControlCommandsTest;

// New deck, five controls placed with the WML controls and edited through
// their dialogs, a card event, then Code and Compile.
TEST_F(ScriptedSessionTest, NewDeckFromControlsToCompile)
{
    ScriptedPrompter prompter;
    DocumentWindow *child = newDocument(ID_FILE_NEW_WML);
    DeckDocument &doc = child->document();
    DesignView *view = child->designWnd()->designView();
    prompter.answer(Prompter::Answer::No).file(ScriptedPrompter::Kind::OpenFile, "");
    const std::pair<int, QPoint> placed[] = {
        {ID_WML_INPUT, {20, 20}}, {ID_WML_SELECT, {20, 70}},  {ID_WML_OPTGROUP, {60, 75}},
        {ID_WML_TEXT, {20, 300}}, {ID_WML_ANCHOR, {30, 360}}, {ID_WML_IMAGE, {30, 420}},
    };
    for (const auto &[command, at] : placed) {
        trigger(command);
        clickDesign(view, at);
        EXPECT_EQ(doc.armedKind(), ElementKind::Other) << command;
    }
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].caption, "Enter choice");

    DeckNode *root = doc.model().root();
    editNode(doc, nodesOfKind(root, ElementKind::Input).at(0), [](QDialog &d) {
        setText(d, "name", "age");
        setText(d, "title", "Age");
    });
    editNode(doc, nodesOfKind(root, ElementKind::Select).at(0),
             [](QDialog &d) { setText(d, "name", "colour"); });
    const char *groups[][3] = {{"Warm", "Red", "r"}, {"Cool", "Blue", "b"}};
    ASSERT_EQ(nodesOfKind(root, ElementKind::Optgroup).size(), 2u);
    for (int i = 0; i < 2; ++i) {
        editNode(doc, nodesOfKind(root, ElementKind::Optgroup)[i],
                 [title = groups[i][0]](QDialog &d) { setText(d, "title", title); });
        editNode(doc, nodesOfKind(root, ElementKind::Option)[i], [group = groups[i]](QDialog &d) {
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
    editNode(doc, *text, [](QDialog &d) {
        field<QPlainTextEdit>(d, "text")->setPlainText("Welcome");
        field<QCheckBox>(d, "strong")->setChecked(true);
        field<QButtonGroup>(d, "size")->button(1)->click();
    });
    editNode(doc, nodesOfKind(root, ElementKind::Anchor).at(0), [](QDialog &d) {
        setText(d, "text", "Again");
        setText(d, "url", "#home");
    });
    editNode(doc, nodesOfKind(root, ElementKind::Image).at(0), [](QDialog &d) {
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
    cards->commandAction(IdCardProperties)->trigger();

    clickTab(child->tabWindow(), CodeTab);
    trigger(ID_TOOLS_COMPILE);
    EXPECT_EQ(m_frame.outputView()->message(), "Compilations Done - No Errors Found !!!");
    EXPECT_EQ(child->tabWindow()->codeView()->text(),
              readWholeFile(TESS_TEST_DATA_DIR "/session/expected.code.wml").value_or(""));
}

// Edit > Undo and Redo walk the design history: controls and the card's
// title come and go, and the deck written for the Code tab is the same
// after the redo as before the undo.
TEST_F(ScriptedSessionTest, EditMenuUndoesAndRedoesDesignEdits)
{
    ScriptedPrompter prompter;
    DocumentWindow *child = newDocument(ID_FILE_NEW_WML);
    DeckDocument &doc = child->document();
    DesignView *view = child->designWnd()->designView();
    CardList *cards = child->designWnd()->cardList();
    EXPECT_FALSE(enabled(ID_EDIT_UNDO) || enabled(ID_EDIT_REDO));

    trigger(ID_WML_INPUT);
    clickDesign(view, {20, 20});
    trigger(ID_WML_ANCHOR);
    clickDesign(view, {20, 80});
    cards->setCurrentItem(cards->topLevelItem(0));
    cards->prepareContextMenu();
    whenShown([](QDialog &sheet) {
        setText(sheet, "title", "Home");
        sheet.accept();
    });
    cards->commandAction(IdCardProperties)->trigger();
    EXPECT_EQ(cards->topLevelItem(0)->text(0), "Home");
    EXPECT_TRUE(enabled(ID_EDIT_UNDO) && !enabled(ID_EDIT_REDO));
    DeckNode *root = doc.model().root();
    const std::string full = dumpDeck(root);

    for (int i = 0; i < 3; ++i)
        trigger(ID_EDIT_UNDO);
    EXPECT_EQ(cards->topLevelItem(0)->text(0), "No Name");
    EXPECT_TRUE(nodesOfKind(root, ElementKind::Input).empty()
                && nodesOfKind(root, ElementKind::Anchor).empty());
    EXPECT_FALSE(enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(doc.isModified());

    for (int i = 0; i < 3; ++i)
        trigger(ID_EDIT_REDO);
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
    trigger(ID_EDIT_UNDO);
    EXPECT_EQ(code->text(), written);
    trigger(ID_EDIT_REDO);
    EXPECT_EQ(code->text(), "x" + written);
}

} // namespace
} // namespace tess
