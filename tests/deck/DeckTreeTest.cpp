#include "deck/NodeIndex.h"
#include "deck/TreeBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tess {
namespace {

TEST(DeckTree, QueriesCountOnlyTheirKind)
{
    TreeBuilder t;
    for (const char *name : {"head", "c1", "c2"})
        t.add(name, "", name[0] == 'c' ? ElementKind::Card : ElementKind::Other);
    t.add("c3", "", ElementKind::Card, {-1, -1, -1, -1});
    t.add("<timer>", "c3", ElementKind::Timer);
    t.add("<do 1>", "c3", ElementKind::Do);
    t.add("<go>", "<do 1>", ElementKind::Other);
    t.add("<postfield a>", "<go>", ElementKind::Other);
    t.add("<postfield b>", "<go>", ElementKind::Other);
    t.add("<p align=\"left\" >", "c3", ElementKind::Paragraph);
    t.add("<do 2>", "c3", ElementKind::Do);

    EXPECT_EQ(NthCard(t.root, 1), t["c1"]); // the head does not count
    EXPECT_EQ(NthCard(t.root, 3), t["c3"]);
    EXPECT_EQ(NthCard(t.root, 4), nullptr);
    EXPECT_EQ(NthCard(t.root, 0), nullptr);
    EXPECT_EQ(ChildCount(t["c3"]), 4);
    EXPECT_EQ(DoCount(t["c3"]), 2);
    EXPECT_EQ(NthDo(t["c3"], 2), t["<do 2>"]);
    EXPECT_EQ(FirstParagraph(t["c3"])->fragment(), "<p align=\"left\" >");
    std::vector<std::string> list {"kept"};
    EXPECT_EQ(CollectFragments(t["c3"], ElementKind::Do, list, 2), 3);
    EXPECT_EQ(
        list,
        (std::vector<std::string> {"kept", "<do 1><go><postfield a><postfield b>", "<do 2>"}));
    list.clear();
    EXPECT_EQ(CollectFragments(t["c3"], ElementKind::Do, list, 1), 2);
    EXPECT_EQ(list, (std::vector<std::string> {"<do 1>", "<do 2>"}));
    EXPECT_EQ(CollectFragments(nullptr, ElementKind::Do, list, 1), 0);
    EXPECT_EQ(DoCount(nullptr) + ChildCount(nullptr), 0);
}

TEST(DeckTree, InsertBeforeAndFindStayInsideTheirSubtree)
{
    const std::pair<std::string, std::string> inserts[]
        = {{"a", "new a b"}, {"b", "a new b"}, {"", "a b new"}, {"x", "a b new"}};
    for (const auto &[before, expected] : inserts) {
        TreeBuilder t;
        t.add("p", "", ElementKind::Paragraph);
        t.add("x", "", ElementKind::Other);
        t.add("a", "p", ElementKind::Text);
        t.add("b", "p", ElementKind::Text);
        t.add("new", "p", ElementKind::Text, {}, before);
        EXPECT_EQ(childNames(t["p"]), expected) << before;
        // x lies outside p, and p's parent above it: neither is found from p.
        EXPECT_EQ(FindById(t["p"], t["a"]->id()), t["a"]);
        EXPECT_EQ(FindById(t["p"], t["x"]->id()), t["p"]);
        EXPECT_EQ(FindById(t["p"], t.root->id()), t["p"]);
        EXPECT_EQ(FindById(t.root, t.model.lastElementId() + 1), t.root);
        // Without the fallback, what is not there is not found.
        EXPECT_EQ(FindLiveById(t["p"], t["a"]->id()), t["a"]);
        EXPECT_EQ(FindLiveById(t["p"], t["x"]->id()), nullptr);
        EXPECT_EQ(FindLiveById(t["p"], t["p"]->id()), t["p"]);
        EXPECT_EQ(FindLiveById(t.root, 0), nullptr);
    }
    TreeBuilder t; // an unknown parent means the start node
    t.add("card", "", ElementKind::Card);
    NodeInsertRequest request {t["card"], makeElement(ElementKind::Do, "do"),
                               t.model.lastElementId() + 7};
    Insert(request);
    EXPECT_EQ(childNames(t["card"]), "do");
}

TEST(DeckTree, DeletesKeepSiblingsAndIndexInStep)
{
    TreeBuilder t;
    for (const char *name : {"a", "b", "c"})
        t.add(name, "", ElementKind::Card);
    t.add("p", "b", ElementKind::Paragraph);
    const int grandchild = t.add("t", "p", ElementKind::Text)->id();
    Delete(t.root, t["b"]->id());
    Delete(t["a"], t["c"]->id()); // outside the subtree searched: nothing
    Delete(t.root, t.model.lastElementId() + 1);
    EXPECT_EQ(childNames(t.root), "a c");
    EXPECT_EQ(FindById(t.root, grandchild), t.root);
    EXPECT_EQ(t.root->index->size(), 3u);
    Delete(t.root, t.root->id()); // a root keeps itself
    EXPECT_EQ(t.model.root(), t.root);
    EXPECT_EQ(childNames(t.root), "");
    EXPECT_EQ(t.root->index->size(), 1u);

    const std::pair<int, std::string> limits[]
        = {{0, "p t"}, {1, "p d2 t d3"}, {2, "p t d3"}, {9, "p t"}, {-1, "d1 p d2 t d3"}};
    for (const auto &[limit, expected] : limits) {
        TreeBuilder u;
        u.add("card", "", ElementKind::Card);
        const char *names[] = {"d1", "p", "d2", "t", "d3"};
        const ElementKind kinds[] = {ElementKind::Do, ElementKind::Paragraph, ElementKind::Do,
                                     ElementKind::Timer, ElementKind::Do};
        for (int i = 0; i < 5; ++i)
            u.add(names[i], "card", kinds[i]);
        const int go = u.add("go", "d2", ElementKind::Other)->id();
        EXPECT_EQ(DeleteChildrenOfKind(u.root, u["card"], ElementKind::Do, limit), 1);
        EXPECT_EQ(childNames(u["card"]), expected) << limit;
        EXPECT_EQ(FindById(u.root, go) == u.root, expected.find("d2") == std::string::npos);
    }
    EXPECT_EQ(DeleteChildrenOfKind(nullptr, nullptr, ElementKind::Do, 0), 0);
}

TEST(DeckTree, AppendChildLinksLastWithAFreshIdentifierInTheIndex)
{
    TreeBuilder t;
    t.add("p", "", ElementKind::Paragraph);
    t.add("a", "p", ElementKind::Text);
    const int next = t.model.lastElementId() + 1;
    DeckNode *b = AppendChild(t["p"], makeElement(ElementKind::Text, "b"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->id(), next);
    EXPECT_EQ(childNames(t["p"]), "a b");
    EXPECT_EQ(FindById(t.root, b->id()), b);
    EXPECT_EQ(AppendChild(nullptr, makeElement(ElementKind::Text, "c")), nullptr);
    EXPECT_EQ(AppendChild(t["p"], nullptr), nullptr);
    EXPECT_EQ(t.model.lastElementId(), next);
    EXPECT_EQ(childNames(t["p"]), "a b");

    // A tree built by hand gets its index on the first append.
    DeckNode top;
    top.element = makeElement(ElementKind::Other, "top");
    top.element->id = 41;
    DeckNode *card = AppendChild(&top, makeElement(ElementKind::Card, "card"));
    EXPECT_EQ(card->id(), 42);
    EXPECT_EQ(FindById(&top, card->id()), card);
    EXPECT_EQ(FindById(&top, top.id()), &top);
}

TEST(DeckTree, DeepChainIsWalkedAndDestroyedWithoutRecursion)
{
    TreeBuilder t;
    std::string parent;
    for (int i = 0; i < 100000; ++i) {
        t.add(std::to_string(i), parent, ElementKind::Other);
        parent = std::to_string(i);
    }
    std::vector<std::string> list;
    CollectFragments(t.root, ElementKind::Other, list, 2);
    EXPECT_EQ(list.at(0).size(), 488890u); // the digits of 0..99999
    EXPECT_EQ(FindById(t["1"], t["99999"]->id()), t["99999"]);
    EXPECT_EQ(HitTest(t.root, 5, 5), t.root);
    EXPECT_EQ(InsertionPoint(t["0"], 5, 5, 6, 6), t["1"]);
    Delete(t.root, t["50000"]->id());
    EXPECT_EQ(FindById(t.root, t["49999"]->id() + 1), t.root);
    EXPECT_EQ(t.root->index->size(), 50001u);
    t.model.clear();
}

// Identifiers 16 apart share a home slot of the smallest table: these build
// runs, some wrapping past the end, and cut holes into them.
TEST(NodeIndex, RemovalKeepsEveryRunReachable)
{
    using Ids = std::vector<int>;
    const std::pair<Ids, Ids> cases[] = {{{5, 21, 37, 6, 22}, {21}},
                                         {{5, 21, 37, 6, 22}, {5, 37}},
                                         {{15, 31, 47, 1, 17}, {15}},
                                         {{15, 31, 47, 1, 17}, {31, 1}},
                                         {{15, 16, 32}, {15}}};
    for (const auto &[added, removed] : cases) {
        std::map<int, DeckNode> nodes;
        NodeIndex index;
        for (int id : added) {
            nodes[id].element = makeElement(ElementKind::Other);
            nodes[id].element->id = id;
            index.add(&nodes[id]);
        }
        for (int id : removed)
            index.remove(&nodes[id]);
        // Room for more rebuilds the table and keeps what it holds.
        for (size_t room : {size_t(0), size_t(1000)}) {
            index.reserve(room);
            for (int id : added)
                EXPECT_EQ(index.find(id),
                          std::count(removed.begin(), removed.end(), id) ? nullptr : &nodes[id]);
            EXPECT_EQ(index.size(), added.size() - removed.size());
        }
    }
}

} // namespace
} // namespace tess
