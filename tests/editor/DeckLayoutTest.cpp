#include "deck/NodeIndex.h"
#include "deck/TreeBuilder.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

// Two rows in the first paragraph (A and B side by side, then a select with
// an option and an option group), an image below, and a second paragraph.
void buildCard(TreeBuilder &t)
{
    t.add("card", "", ElementKind::Card, {-1, -1, -1, -1});
    t.add("p1", "card", ElementKind::Paragraph);
    t.add("A", "p1", ElementKind::Input, {10, 10, 90, 35});
    t.add("B", "p1", ElementKind::Text, {100, 10, 180, 50});
    t.add("S", "p1", ElementKind::Select, {10, 60, 110, 185});
    t.add("O1", "S", ElementKind::Option, {15, 80, 75, 100});
    t.add("G", "S", ElementKind::Optgroup, {15, 105, 112, 185});
    t.add("O2", "G", ElementKind::Option, {20, 125, 80, 145});
    t.add("C", "p1", ElementKind::Image, {10, 200, 42, 232});
    t.add("p2", "card", ElementKind::Paragraph);
}

TEST(DeckLayout, PointsFindTheirInsertionPointAndHit)
{
    struct Case
    {
        int x, y;
        std::string insertionPoint, hit, hitInSelect;
    };
    const Case cases[] = {
        {5, 5, "A", "card", "card"}, // above everything
        {0, 0, "A", "card", "card"}, // paragraphs have no place
        {5, 10, "A", "card", "card"}, // same row, left of all
        {50, 10, "B", "A", "A"}, // same row, between
        {10, 10, "B", "A", "A"}, // A shares the left: B decides
        {200, 10, "C", "card", "card"}, // right of the row: the last sibling
        {90, 35, "S", "A", "A"}, // borders hit
        {91, 35, "S", "card", "card"}, // just outside
        {20, 125, "C", "S", "O2"}, // options neither order nor hit first
        {80, 145, "C", "S", "O2"}, // an option's far corner
        {15, 110, "C", "S", "G"}, // the group around it
        {15, 80, "C", "S", "O1"}, // a direct option
        {12, 70, "C", "S", "S"}, // no option: the select
        {10, 300, "p2", "card", "card"}, // below everything: the last paragraph
    };
    TreeBuilder t;
    buildCard(t);
    for (const Case &c : cases) {
        const std::string at = std::to_string(c.x) + "," + std::to_string(c.y);
        EXPECT_EQ(InsertionPoint(t["card"], c.x, c.y, c.x + 80, c.y + 25)->fragment(),
                  c.insertionPoint)
            << at;
        EXPECT_EQ(HitTest(t["card"], c.x, c.y)->fragment(), c.hit) << at;
        EXPECT_EQ(HitTestSelect(t["card"], c.x, c.y)->fragment(), c.hitInSelect) << at;
    }
    EXPECT_EQ(HitTest(nullptr, 0, 0), nullptr);
    EXPECT_EQ(InsertionPoint(nullptr, 0, 0, 0, 0), nullptr);
}

TEST(DeckLayout, InsertionPointFallsBackToParagraphFirstChildOrCard)
{
    const std::pair<std::vector<ElementKind>, std::string> cases[] = {
        {{}, "card"},
        {{ElementKind::Paragraph}, "0"},
        {{ElementKind::Paragraph, ElementKind::Do, ElementKind::Paragraph, ElementKind::Timer},
         "2"},
        {{ElementKind::Timer, ElementKind::Paragraph}, "1"},
        {{ElementKind::Do, ElementKind::Timer}, "0"}, // no paragraph after the first child
    };
    for (const auto &[kinds, expected] : cases) {
        TreeBuilder t;
        t.add("card", "", ElementKind::Card);
        for (std::size_t i = 0; i < kinds.size(); ++i)
            t.add(std::to_string(i), "card", kinds[i]);
        EXPECT_EQ(InsertionPoint(t["card"], 10, 10, 90, 35)->fragment(), expected);
    }
}

TEST(DeckLayout, MoveRelinksByPositionAndKeepsTheIndex)
{
    struct Case
    {
        std::string node;
        DesignRect rect;
        std::string p1, p2;
    };
    const Case cases[] = {
        {"C", {10, 400, 42, 432}, "A B S", "D C"}, // below everything: into the last paragraph
        {"B", {5, 0, 85, 40}, "B A S C", "D"}, // before a node of the same paragraph
        {"A", {10, 250, 90, 275}, "B S C", "A D"}, // before a node of another paragraph
        {"S", {50, 10, 150, 135}, "A S B C", "D"}, // on A's row, before B
        {"card", {}, "A B S C", "D"}, // a card does not move into itself
    };
    for (const Case &c : cases) {
        TreeBuilder t;
        buildCard(t);
        t.add("D", "p2", ElementKind::Input, {10, 300, 90, 325});
        t[c.node]->element->rect = c.rect;
        EXPECT_EQ(Move(t["card"], t[c.node]), t[c.node]);
        EXPECT_EQ(childNames(t["p1"]) + " / " + childNames(t["p2"]), c.p1 + " / " + c.p2);
        EXPECT_EQ(FindById(t[c.node], t["O2"]->id()) == t["O2"], c.node == "S" || c.node == "card");
        EXPECT_EQ(t.root->index->size(), 12u);
    }
    TreeBuilder t; // into an empty card of the same tree
    buildCard(t);
    t.add("empty", "", ElementKind::Card);
    Move(t["empty"], t["B"]);
    EXPECT_EQ(childNames(t["empty"]), "B");
    EXPECT_EQ(FindById(t["p1"], t["B"]->id()), t["p1"]);
}

} // namespace
} // namespace tess
