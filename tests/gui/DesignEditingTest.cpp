#include "editor/DesignEditing.h"
#include "common/DeckFiles.h"
#include "common/ScriptedPrompter.h"
#include "deck/DeckDump.h"
#include "deck/StartTag.h"
#include "editor/CardLayout.h"
#include "editor/DeckDocument.h"
#include "editor/DesignConstants.h"
#include "editor/ElementPainting.h"
#include "gui/design/DesignView.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <functional>

namespace tess {

namespace {

using Answer = Prompter::Answer;

// A document on a fresh deck (or one read from WML) edited through
// DesignEditing with an image painter.
class DesignEditingTest : public ::testing::Test
{
protected:
    void fresh()
    {
        doc.startNewDeck();
        doc.model().validDeck = true;
    }
    void load(const std::string &cards)
    {
        ASSERT_TRUE(files.load(doc.model(), cards));
        doc.setCurrentCard(NthCard(doc.model().root(), 1));
        doc.model().validDeck = true;
        CardLayout().alignAll(painter, doc.CurrentCard());
    }
    InsertOutcome insert(ElementKind kind, int x, int y)
    {
        doc.setArmedKind(kind);
        return edit.insertAt(x, y);
    }
    DeckNode *paragraph() const { return FirstParagraph(doc.CurrentCard()); }
    bool remove(DeckNode *node, std::string *refusal = nullptr)
    {
        doc.setSelectedNode(node);
        return edit.deleteSelected(refusal);
    }
    static DesignRect &rect(DeckNode *node) { return node->element->rect; }
    std::string validation() { return files.validationError(doc.model()); }

    test::DeckFiles files;
    DeckDocument doc;
    ScriptedPrompter prompter;
    QImage image {600, 600, QImage::Format_RGB32};
    QPainter painter {&image};
    DesignEditing edit {doc, prompter, painter, {10, 10}};
};

// The inputs of each paragraph by name, paragraphs apart.
std::string inputNames(const DeckNode *card)
{
    std::string out;
    for (const DeckNode *p = card->firstChild; p; p = p->nextSibling) {
        out += out.empty() ? "" : "|";
        for (const DeckNode *c = p->firstChild; c; c = c->nextSibling)
            out += StartTag(c->fragment()).value("name").value_or("?");
    }
    return out;
}

TEST_F(DesignEditingTest, OrderFollowsThePositionOnTheCanvas)
{
    // a at (10, 10), b at (10, 45), one paragraph each.
    const struct
    {
        int x, y;
        const char *order;
    } cases[] = {
        {10, 5, "xa|b"}, // above everything: first in the deck
        {10, 300, "a|bx"}, // below everything: last in the last paragraph
        {5, 45, "a|xb"}, // same row, to the left
        {300, 10, "xa|b"}, // same row, right of its last control: just before it
    };
    for (const auto &c : cases) {
        load("<card><p><input name=\"a\"/></p><p><input name=\"b\"/></p></card>");
        ASSERT_EQ(insert(ElementKind::Input, c.x, c.y), InsertOutcome::Inserted);
        EXPECT_EQ(inputNames(doc.CurrentCard()), c.order) << c.x << "," << c.y;
        EXPECT_EQ(validation(), "");
    }
}

TEST_F(DesignEditingTest, EachControlIsInsertedWithItsFragmentAndExtras)
{
    const std::string select = "5 <select multiple=\"false\" ivalue=\"1\" >\n";
    const std::string image = "<img alt=\"\" src=\"\" vspace=\"0\" hspace=\"0\" align=\"bottom\" >";
    // The answer to the select's question, or the image dialog's path.
    const struct
    {
        ElementKind kind;
        const char *answer;
        std::string tree;
        DesignRect r; // right and bottom 0: as painted
    } cases[] = {
        {ElementKind::Input, nullptr, "4 " + std::string(NewInputFragment) + "\n", {50, 60, 0, 85}},
        {ElementKind::Text, nullptr, "6 Text\n10 <br >\n", {50, 60, 0, 0}},
        {ElementKind::Anchor, nullptr, "8 <a href=\"\" >\n.6 Anchor\n", {40, 50, 0, 0}},
        {ElementKind::Select, "Yes", select + ".7 <option >\n..6 Option\n", {50, 60, 150, 185}},
        {ElementKind::Select,
         "No",
         select + ".15 <optgroup >\n..7 <option >\n...6 Option\n",
         {50, 60, 157, 185}},
        {ElementKind::Image, "", "11 " + image + "\n", {40, 50, 72, 82}},
        {ElementKind::Image, "/no/pic.png", "11 " + image + "\n", {40, 50, 72, 82}},
        {ElementKind::Image,
         "/no/pic.wbmp",
         "11 <img alt=\"\" src=\"/no/pic.wbmp\" vspace=\"0\" hspace=\"0\" align=\"bottom\" >\n",
         {40, 50, 0, 0}},
        {ElementKind::Asp, nullptr, "20 Type Your ASP code Here\n", {50, 60, 82, 92}},
        {ElementKind::Jsp, nullptr, "21 Type Your JSP code Here\n", {50, 60, 82, 92}},
    };
    for (const auto &c : cases) {
        doc.insertedControls = 0;
        fresh();
        ScriptedPrompter asked;
        if (c.kind == ElementKind::Select)
            asked.answer(c.answer == std::string("Yes") ? Answer::Yes : Answer::No);
        if (c.kind == ElementKind::Image)
            asked.file(ScriptedPrompter::Kind::OpenFile, c.answer);
        doc.checkOnlyTool(DeckDocument::ToolInput);
        doc.setModified(false);
        DesignEditing editing(doc, asked, painter, {10, 10});
        doc.setArmedKind(c.kind);
        ASSERT_EQ(editing.insertAt(50, 60), InsertOutcome::Inserted);
        EXPECT_EQ(dumpDeck(paragraph()), c.tree);
        const DesignRect r
            = rect(c.kind == ElementKind::Text ? paragraph()->firstChild : paragraph()->lastChild);
        EXPECT_EQ(r,
                  (DesignRect {c.r.left, c.r.top, c.r.right ? c.r.right : r.right,
                               c.r.bottom ? c.r.bottom : r.bottom}));
        EXPECT_EQ(editing.scrollSize(), QSize(r.right + 10, r.bottom + 1));
        EXPECT_TRUE(doc.armedKind() == ElementKind::Other
                    && doc.toolFlag(DeckDocument::ToolPointer));
        EXPECT_TRUE(doc.isModified());
        EXPECT_EQ(doc.insertedControls, 1);
        EXPECT_EQ(validation(), "") << c.tree;
        if (c.kind == ElementKind::Select) {
            const ScriptedPrompter::Shown &shown = asked.messages().at(0);
            EXPECT_EQ(shown.text, SelectChoiceQuestion);
            EXPECT_EQ(shown.caption, "Enter choice");
            EXPECT_EQ(shown.buttons, Prompter::Buttons::YesNo);
        }
        if (c.kind == ElementKind::Image) {
            EXPECT_EQ(asked.requests().at(0).file.filter, "Wireless Bitmap(*.wbmp)|*.wbmp||");
        }
    }
}

TEST_F(DesignEditingTest, TakenSpotsAndCardsAreNotInserted)
{
    fresh();
    insert(ElementKind::Input, 50, 60);
    const std::string before = dumpDeck(doc.model().root());
    EXPECT_EQ(insert(ElementKind::Input, 55, 65), InsertOutcome::Ignored);
    EXPECT_EQ(doc.armedKind(), ElementKind::Input);
    EXPECT_EQ(insert(ElementKind::Card, 50, 200), InsertOutcome::NotInsertable);
    EXPECT_EQ(insert(ElementKind::Paragraph, 50, 200), InsertOutcome::NotInsertable);
    EXPECT_EQ(dumpDeck(doc.model().root()), before);
}

TEST_F(DesignEditingTest, OptionsAndGroupsOutsideASelectAreRefused)
{
    const std::pair<ElementKind, std::string_view> cases[] = {
        {ElementKind::Option, "Option can be placed inside Select or Optgroup"},
        {ElementKind::Optgroup, "Optgroup can be placed only inside Select"},
    };
    for (const auto &[kind, message] : cases) {
        fresh();
        doc.checkOnlyTool(DeckDocument::ToolOption);
        doc.setArmedKind(kind);
        std::string refusal;
        EXPECT_EQ(edit.insertAt(50, 60, &refusal), InsertOutcome::Refused);
        EXPECT_EQ(refusal, message);
        EXPECT_TRUE(doc.armedKind() == ElementKind::Other
                    && doc.toolFlag(DeckDocument::ToolPointer));
        EXPECT_EQ(dumpDeck(paragraph()), "");
        EXPECT_EQ(doc.insertedControls, 0);
    }
}

TEST_F(DesignEditingTest, OptionsAndGroupsStackInsideTheSelect)
{
    fresh();
    prompter.answer(Answer::No);
    insert(ElementKind::Select, 50, 60); // select (50, 60)-(157, 185), group G1 (55, 79)-(152, 159)
    DeckNode *s = paragraph()->firstChild;
    DeckNode *g1 = s->firstChild;
    ASSERT_EQ(insert(ElementKind::Optgroup, 60, 170), InsertOutcome::Inserted);
    DeckNode *g2 = s->lastChild;
    EXPECT_EQ(std::vector({rect(g2).left, rect(g2).top, rect(g2).bottom, rect(s).bottom}),
              std::vector({55, 164, 244, 254}));
    EXPECT_EQ(rect(g2->firstChild), (DesignRect {60, 184, 120, 204}));

    // Three more options in G1: its fourth grows it and pushes G2 down.
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(insert(ElementKind::Option, 61, 100), InsertOutcome::Inserted);
    ASSERT_EQ(ChildCount(g1), 4);
    std::vector<int> tops;
    for (DeckNode *o = g1->firstChild; o; o = o->nextSibling)
        tops.push_back(rect(o).top);
    EXPECT_EQ(tops, std::vector({99, 119, 139, 159}));
    EXPECT_EQ(rect(g1).bottom, 184);
    EXPECT_EQ(rect(g1).right, rect(g1->lastChild).right + 5);
    EXPECT_EQ(std::vector({rect(g2).top, rect(g2).bottom, rect(g2->firstChild).top}),
              std::vector({189, 269, 209}));
    EXPECT_EQ(rect(s).bottom, 279);
    EXPECT_EQ(doc.insertedControls, 5);
    EXPECT_EQ(validation(), "");

    // An option dropped on the select itself goes below its last child.
    ASSERT_EQ(insert(ElementKind::Option, 60, 275), InsertOutcome::Inserted);
    EXPECT_EQ(std::vector({rect(s->lastChild).top, rect(s->lastChild).bottom, rect(s).bottom}),
              std::vector({274, 294, 299}));
}

TEST_F(DesignEditingTest, DeleteGuardsKeepSelectsAndGroupsFilled)
{
    const struct
    {
        Answer choice;
        std::function<DeckNode *(DeckNode *)> target;
        std::string_view message;
    } cases[] = {
        {Answer::Yes, [](DeckNode *s) { return s->firstChild; },
         "Select must have atleast one Option. Delete Select if you want to delete all"},
        {Answer::No, [](DeckNode *s) { return s->firstChild->firstChild; },
         "Cannot delete this item. Optgroup cannot be empty."},
        {Answer::No, [](DeckNode *s) { return s->firstChild; },
         "Select must have atleast one Optgroup. Delete Select if you want to delete all"},
        // An option group whose only child is another.
        {Answer::No,
         [](DeckNode *s) {
             Delete(s, s->firstChild->firstChild->id());
             return AppendChild(s->firstChild, makeElement(ElementKind::Optgroup, "<optgroup >"));
         },
         "Cannot delete this item. Optgroup cannot be empty"},
    };
    for (const auto &c : cases) {
        fresh();
        prompter.answer(c.choice);
        insert(ElementKind::Select, 50, 60);
        DeckNode *target = c.target(paragraph()->firstChild);
        const std::string before = dumpDeck(doc.CurrentCard());
        std::string refusal;
        EXPECT_FALSE(remove(target, &refusal));
        EXPECT_EQ(dumpDeck(doc.CurrentCard()), before);
        EXPECT_EQ(refusal, c.message);
    }
    EXPECT_FALSE(remove(doc.CurrentCard()));
}

class DesignViewTest : public DesignEditingTest
{
protected:
    DesignViewTest()
    {
        fresh();
        view.resize(300, 200);
        view.show();
    }
    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint at)
    {
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
    void rightClick(QPoint at)
    {
        mouse(QEvent::MouseButtonPress, Qt::RightButton, at);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.viewport(), &menu);
        view.contextMenu()->close();
    }

    DesignView view {doc, prompter};
};

TEST_F(DesignViewTest, ArmedClicksInsertAndRightClicksEnableTheMenu)
{
    doc.setArmedKind(ElementKind::Input);
    doc.requestArmControl();
    EXPECT_TRUE(view.insertMode());
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, {40, 30});
    EXPECT_FALSE(view.insertMode());
    ASSERT_EQ(ChildCount(paragraph()), 1);
    EXPECT_EQ(rect(paragraph()->firstChild).top, 30);

    QAction *align = view.alignAllAction();
    EXPECT_EQ(view.contextMenu()->actions().size(), 5);
    EXPECT_EQ(align->text(), "&Align All");
    rightClick({250, 150});
    EXPECT_FALSE(view.deleteAction()->isEnabled() || view.propertiesAction()->isEnabled());
    EXPECT_TRUE(align->isEnabled());
    rightClick({42, 32});
    EXPECT_TRUE(view.deleteAction()->isEnabled() && view.propertiesAction()->isEnabled());
    view.deleteAction()->trigger();
    EXPECT_EQ(ChildCount(paragraph()), 0);

    // A refused option is told in a warning and disarmed.
    prompter.answer(Answer::Ok);
    doc.setArmedKind(ElementKind::Option);
    doc.requestArmControl();
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, {40, 30});
    EXPECT_FALSE(view.insertMode());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Option can be placed inside Select or Optgroup");
    EXPECT_EQ(prompter.messages()[0].icon, Prompter::Icon::Warning);
}

TEST_F(DesignViewTest, ADragOnAScrolledCanvasMovesByTheMouseDistance)
{
    prompter.answer(Answer::Yes);
    insert(ElementKind::Select, 200, 150);
    DeckNode *s = paragraph()->firstChild;
    const DesignRect before = rect(s);
    view.setScrollSize({1000, 1000});
    view.horizontalScrollBar()->setValue(120);
    view.verticalScrollBar()->setValue(90);
    const QPoint grab(before.left - 120 + 2, before.top - 90 + 2);
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, grab);
    EXPECT_EQ(doc.selectedNode(), s);
    mouse(QEvent::MouseMove, Qt::LeftButton, grab + QPoint(30, 20));
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, grab + QPoint(50, 25));
    // The select takes its option along, stacked under its new corner.
    EXPECT_EQ(rect(s), (DesignRect {250, 175, before.right + 50, 300}));
    EXPECT_EQ(std::vector({rect(s->firstChild).left, rect(s->firstChild).top}),
              std::vector({255, 195}));
    EXPECT_TRUE(view.dragSelection({0, 0}, {-5, -5}));
    EXPECT_EQ(rect(s).left, 245);
    EXPECT_FALSE(view.dragSelection({3, 3}, {3, 3}));
}

// Hits go through the index of the last paint; a click after an edit or an
// undo, before any paint, finds the controls where they stand now.
TEST_F(DesignViewTest, AClickBeforeTheNextPaintFindsWhatTheEditMoved)
{
    insert(ElementKind::Input, 40, 20);
    DeckNode *input = paragraph()->firstChild;
    const DesignRect before = rect(input);
    const QPoint inside(before.left + 2, before.top + 2);
    QImage shown(300, 200, QImage::Format_RGB32);
    const auto paint = [&] {
        QPainter p(&shown);
        view.paintDesign(p);
    };
    const auto hit = [&](QPoint at) { return view.hitTest(at); };
    paint();
    EXPECT_EQ(hit(inside), input);
    doc.setSelectedNode(input);
    ASSERT_TRUE(view.dragSelection({0, 0}, {100, 60}));
    EXPECT_EQ(hit(inside), doc.CurrentCard());
    EXPECT_EQ(hit(inside + QPoint(100, 60)), input);
    paint();
    doc.undoStack()->undo();
    EXPECT_EQ(hit(inside), input);
    EXPECT_EQ(hit(inside + QPoint(100, 60)), doc.CurrentCard());
}

TEST_F(DesignViewTest, AlignAllAndPropertiesByDoubleClick)
{
    prompter.answer(Answer::Yes);
    insert(ElementKind::Input, 40, 20);
    insert(ElementKind::Select, 150, 200);
    doc.setModified(false);
    view.OnAlignAll();
    const DesignRect input = rect(paragraph()->firstChild);
    const DesignRect select = rect(paragraph()->lastChild);
    EXPECT_EQ(std::vector({input.left, input.top, select.left, select.top}),
              std::vector({10, 10, 10, input.bottom + 10}));
    EXPECT_EQ(view.scrollSize(), QSize(10, std::max(view.viewport()->height(), select.bottom + 3)));
    EXPECT_FALSE(doc.isModified());

    std::string title;
    QTimer::singleShot(0, [&title] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle().toStdString();
        dialog->reject();
    });
    mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, {input.left + 2, input.top + 2});
    EXPECT_EQ(title, "Input Properties");
    EXPECT_TRUE(doc.isModified());
}

} // namespace
} // namespace tess
