#include "common/DeckFiles.h"
#include "common/RandomAnswers.h"
#include "common/ScriptedPrompter.h"
#include "deck/DeckDump.h"
#include "deck/DeckModel.h"
#include "deck/ElementKind.h"
#include "deck/NodeIndex.h"
#include "editor/CardLayout.h"
#include "editor/CardRebuild.h"
#include "editor/DeckDocument.h"
#include "editor/DesignCommands.h"
#include "editor/DesignEditing.h"
#include "editor/ElementProperties.h"
#include "editor/TextProperties.h"

#include <QImage>
#include <QPainter>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>

namespace tess {
namespace {

using Answer = Prompter::Answer;

// Everything undo must give back: order, nesting, identifiers, kinds,
// fragments and rectangles, and the index finding every node.
std::string fullDump(DeckNode *root)
{
    std::string out;
    for (DeckNode *n = root; n; n = nextInSubtree(n, root)) {
        for (const DeckNode *p = n->parent; p; p = p->parent)
            out += '.';
        const DesignRect &r = n->element->rect;
        out += std::to_string(n->id()) + " " + std::to_string(int(n->kind())) + " " + n->fragment()
            + " [" + std::to_string(r.left) + "," + std::to_string(r.top) + ","
            + std::to_string(r.right) + "," + std::to_string(r.bottom) + "]"
            + (FindById(root, n->id()) == n ? "" : " unindexed") + "\n";
    }
    return out;
}

// A card with an input, a text and its break, a select with one option group
// of two options and a select with one option; the history starts clean.
struct EditedCard
{
    EditedCard()
    {
        doc.startNewDeck();
        doc.model().validDeck = true;
        prompter.answer(Answer::No).answer(Answer::Yes);
        insert(ElementKind::Input, 50, 60);
        insert(ElementKind::Text, 50, 200);
        insert(ElementKind::Select, 200, 250);
        insert(ElementKind::Option, 210, 290);
        insert(ElementKind::Select, 200, 450);
        doc.undoStack()->clear();
        doc.setModified(false);
    }
    void insert(ElementKind kind, int x, int y)
    {
        doc.setArmedKind(kind);
        ASSERT_EQ(edit.insertAt(x, y), InsertOutcome::Inserted) << int(kind);
    }
    DeckNode *child(int n) const
    {
        DeckNode *c = FirstParagraph(doc.CurrentCard())->firstChild;
        while (c && n-- > 0)
            c = c->nextSibling;
        return c;
    }
    void move(DeckNode *node, int dx, int dy)
    {
        const DesignRect &r = node->element->rect;
        ASSERT_TRUE(edit.move(node, {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}, {}));
    }
    void remove(DeckNode *node)
    {
        doc.setSelectedNode(node);
        ASSERT_TRUE(edit.deleteSelected());
    }
    DeckNode *root() const { return doc.model().root(); }

    DeckDocument doc;
    ScriptedPrompter prompter;
    QImage image {600, 600, QImage::Format_RGB32};
    QPainter painter {&image};
    DesignEditing edit {doc, prompter, painter, {10, 10}};
};

TEST(DesignUndo, UndoGivesEveryEditBackExactlyAndRedoMakesItAgain)
{
    // child(0) input, 1 text, 2 its break, 3 select of groups, 4 select of options.
    const std::pair<const char *, std::function<void(EditedCard &)>> edits[] = {
        {"input", [](EditedCard &t) { t.insert(ElementKind::Input, 400, 400); }},
        {"select",
         [](EditedCard &t) {
             t.prompter.answer(Answer::No);
             t.insert(ElementKind::Select, 400, 500);
         }},
        {"option pushing a group down",
         [](EditedCard &t) {
             t.insert(ElementKind::Optgroup, 210, 365);
             t.insert(ElementKind::Option, 211, 290);
         }},
        {"text moved up", [](EditedCard &t) { t.move(t.child(1), 0, -190); }},
        {"select moved", [](EditedCard &t) { t.move(t.child(3), 150, 250); }},
        {"grouped option deleted",
         [](EditedCard &t) { t.remove(t.child(3)->firstChild->lastChild); }},
        {"text deleted", [](EditedCard &t) { t.remove(t.child(1)); }},
        {"text properties",
         [](EditedCard &t) {
             RecordElementProperties(t.doc, t.child(1), [&t](DeckNode *n) {
                 OpenTextChain(t.root(), n);
                 return RebuildTextChain(t.root(), n, ChainAfterOk({"a<b", true}));
             });
         }},
        {"option properties",
         [](EditedCard &t) {
             RecordElementProperties(t.doc, t.child(4)->firstChild, [](DeckNode *n) {
                 ApplyDialogOutcome(n, {true, "<option value=\"v\" >", "Red"});
                 return n;
             });
         }},
        {"card properties",
         [](EditedCard &t) {
             RecordCardProperties(t.doc, t.doc.CurrentCard(), [&t] {
                 RebuildCard(t.root(), t.doc.CurrentCard(),
                             {"<card id=\"c\" title=\"T\" >", "<timer value=\"5\" />", {}});
             });
         }},
    };
    for (const auto &[name, run] : edits) {
        SCOPED_TRACE(name);
        EditedCard t;
        QUndoStack *history = t.doc.undoStack();
        const std::string before = fullDump(t.root());
        const int count = t.doc.insertedControls;
        run(t);
        const std::string after = fullDump(t.root());
        const int countAfter = t.doc.insertedControls;
        ASSERT_NE(after, before);
        EXPECT_EQ(history->count(), std::string(name) == "option pushing a group down" ? 2 : 1);
        EXPECT_TRUE(t.doc.isModified());
        while (history->canUndo())
            history->undo();
        EXPECT_EQ(fullDump(t.root()), before);
        EXPECT_EQ(t.doc.insertedControls, count);
        EXPECT_FALSE(t.doc.isModified());
        while (history->canRedo())
            history->redo();
        EXPECT_EQ(fullDump(t.root()), after);
        EXPECT_EQ(t.doc.insertedControls, countAfter);
        EXPECT_TRUE(t.doc.isModified());
        history->undo();
        history->redo();
        EXPECT_EQ(fullDump(t.root()), after);
    }
}

TEST(DesignUndo, AHistoryOfAReplacedTreeIsForgotten)
{
    EditedCard t;
    DeckDocument &doc = t.doc;
    t.insert(ElementKind::Input, 400, 400);
    DropStaleDesignHistory(doc);
    EXPECT_EQ(doc.undoStack()->count(), 1);
    doc.startNewDeck();
    doc.model().validDeck = true;
    DropStaleDesignHistory(doc);
    EXPECT_EQ(doc.undoStack()->count(), 0);
    EXPECT_TRUE(doc.isModified());
    EXPECT_FALSE(doc.undoStack()->canUndo());

    // The history of the tree shown stays.
    t.insert(ElementKind::Input, 400, 400);
    DropStaleDesignHistory(doc);
    EXPECT_EQ(doc.undoStack()->count(), 1);
}

// Clicks, drags, deletes, undos and redos at random on a card: the tree stays
// whole, every state writes valid WML, and the history takes the card back
// to where it started and forward again to where it ended.
TEST(DesignUndo, RandomEditingKeepsTheTreeWholeAndTheHistoryExact)
{
    const ElementKind kinds[]
        = {ElementKind::Input,    ElementKind::Text,   ElementKind::Select, ElementKind::Option,
           ElementKind::Optgroup, ElementKind::Anchor, ElementKind::Image};
    test::DeckFiles files;
    // TESS_EDIT_SEEDS=N runs N seeds instead of four, for a longer soak.
    const char *soak = std::getenv("TESS_EDIT_SEEDS");
    const unsigned seeds = soak ? unsigned(std::max(1, std::atoi(soak))) : 4u;
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        EditedCard t;
        RandomAnswers answers(random);
        DesignEditing edit {t.doc, answers, t.painter, {10, 10}};
        QUndoStack *history = t.doc.undoStack();
        const std::string start = fullDump(t.root());
        const auto controls = [&t] {
            std::vector<DeckNode *> all;
            DeckNode *card = t.doc.CurrentCard();
            for (DeckNode *n = card->firstChild; n; n = nextInSubtree(n, card)) {
                const ElementKind kind = n->kind();
                if (kind != ElementKind::Paragraph && kind != ElementKind::Break
                    && n->parent->kind() != ElementKind::Text
                    && n->parent->kind() != ElementKind::Anchor
                    && n->parent->kind() != ElementKind::Option)
                    all.push_back(n);
            }
            return all;
        };
        for (int step = 0; step < 120; ++step) {
            const std::vector<DeckNode *> all = controls();
            DeckNode *some = all.empty() ? nullptr : all[random() % all.size()];
            const int x = int(random() % 560), y = int(random() % 700);
            switch (random() % 6) {
            case 0:
            case 1:
                t.doc.setArmedKind(kinds[random() % std::size(kinds)]);
                edit.insertAt(x, y);
                break;
            case 2:
                // A drag moves what a click selects: an option's select.
                if (some && (some = CardLayout::selectionTarget(some))) {
                    const DesignRect r = some->element->rect;
                    const int dx = x - r.left, dy = y - r.top;
                    edit.move(some, {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}, {});
                }
                break;
            case 3:
                t.doc.setSelectedNode(some);
                edit.deleteSelected();
                break;
            case 4:
                if (history->canUndo())
                    history->undo();
                break;
            default:
                if (history->canRedo())
                    history->redo();
                break;
            }
            t.doc.setSelectedNode(nullptr);
            ASSERT_EQ(brokenLinks(t.root()), "") << "step " << step;
            ASSERT_EQ(files.validationError(t.doc.model()), "") << "step " << step;
        }
        while (history->canRedo())
            history->redo();
        const std::string end = fullDump(t.root());
        while (history->canUndo())
            history->undo();
        EXPECT_EQ(fullDump(t.root()), start);
        while (history->canRedo())
            history->redo();
        EXPECT_EQ(fullDump(t.root()), end);
    }
}

} // namespace
} // namespace tess
