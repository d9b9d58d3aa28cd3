#include "editor/XmlTreeModel.h"

#include "deck/DeckReader.h"
#include "tests/deck/DeckDump.h"
#include "tests/deck/TreeBuilder.h"
#include "wml/XmlDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

namespace tess {
namespace {

TEST(XmlTreeModel, LabelAndImageByKind)
{
    const std::tuple<ElementKind, const char *, const char *, int> cases[] = {
        {ElementKind::Card, "<card id=\"pick\" >\r\n", "card", TreeImageElement},
        {ElementKind::Card, "<card id=\"m\" title=\"Main menu\" >\r\n", "Main menu",
         TreeImageElement},
        {ElementKind::Text, "Fish &lt;&amp;&gt; chips", "Fish &lt;&amp;&gt; chips", TreeImageText},
        {ElementKind::Text, "<em >\r\n", "em", TreeImageText},
        {ElementKind::Asp, "<% Response.Write(x) %>", "asp", TreeImageElement},
        {ElementKind::Jsp, "\xC3\x89 out.print(1) \xC3\xA6", "jsp", TreeImageElement},
    };
    for (const auto &[kind, fragment, label, image] : cases) {
        DeckNode node;
        node.element = makeElement(kind, fragment);
        const TreeItemLook look = TreeItemLookOf(node);
        EXPECT_TRUE(look.label == label && look.image == image) << fragment << ": " << look.label;
    }
}

// wml > head; One > timer, do > go, p1 > text, size > (small, large), tea >
// yes; Two > p2 > in.
struct DropDeck : TreeBuilder
{
    DropDeck()
    {
        const char *shape[][3]
            = {{"head", "", "0"},      {"One", "", "2"},    {"timer", "One", "12"},
               {"do", "One", "9"},     {"go", "do", "0"},   {"p1", "One", "3"},
               {"text", "p1", "6"},    {"size", "p1", "5"}, {"small", "size", "7"},
               {"large", "size", "7"}, {"tea", "p1", "5"},  {"yes", "tea", "7"},
               {"Two", "", "2"},       {"p2", "Two", "3"},  {"in", "p2", "4"}};
        for (const auto &[name, parent, kind] : shape)
            add(name, parent, ElementKind(std::stoi(kind)), {10, 20, 110, 40});
    }
    int idOf(const std::string &name) const
    {
        return name.empty() ? 0 : name == "wml" ? root->id() : nodes.at(name)->id();
    }
    std::string nameOf(const DeckNode *node) const
    {
        return !node ? "" : node == root ? "wml" : node->fragment();
    }
};

TEST(XmlTreeModel, DropPlans)
{
    using O = DropPlan::Outcome;
    // dragged, target ("" is "#document"), outcome, new parent, before
    const std::tuple<const char *, const char *, O, const char *, const char *> cases[] = {
        {"One", "wml", O::Move, "wml", ""},   {"Two", "One", O::Move, "wml", "Two"},
        {"One", "Two", O::Move, "wml", ""},   {"small", "yes", O::Move, "tea", ""},
        {"size", "in", O::Move, "p2", ""},    {"yes", "size", O::LastOption, "", ""},
        {"One", "", O::Nothing, "", ""},      {"p1", "wml", O::Nothing, "", ""},
        {"One", "p2", O::Nothing, "", ""},    {"One", "One", O::Nothing, "", ""},
        {"wml", "", O::Nothing, "", ""},      {"head", "One", O::Nothing, "", ""},
        {"text", "p2", O::Nothing, "", ""},   {"do", "Two", O::Nothing, "", ""},
        {"timer", "Two", O::Nothing, "", ""}, {"go", "p1", O::Nothing, "", ""},
    };
    DropDeck deck;
    for (const auto &[dragged, target, outcome, parent, before] : cases) {
        const DropPlan plan = PlanDrop(deck.root, deck.idOf(dragged), deck.idOf(target));
        EXPECT_TRUE(plan.outcome == outcome && deck.nameOf(plan.parent) == parent
                    && deck.nameOf(plan.before) == before)
            << dragged << " on " << target;
    }
    EXPECT_EQ(PlanDrop(deck.root, 99999, deck.idOf("wml")).outcome, O::Nothing);
}

TEST(XmlTreeModel, MoveCopiesTheSubtreeWithNewIdentifiers)
{
    DropDeck deck;
    EXPECT_EQ(MoveSubtree(deck.root, deck["One"], deck["p1"], nullptr), nullptr);

    const std::string p1 = dumpDeck(deck["One"]).substr(dumpDeck(deck["One"]).find("3 p1"));
    const int oldId = deck.idOf("p1"), highest = deck.model.lastElementId();
    DeckNode *moved = MoveSubtree(deck.root, deck["p1"], deck["Two"], deck["p2"]);
    ASSERT_EQ(moved, deck["Two"]->firstChild);
    EXPECT_EQ(childNames(deck["One"]), "timer do");
    EXPECT_EQ(dumpDeck(deck["Two"]), p1 + "3 p2\n.4 in\n");
    EXPECT_EQ(FindById(deck.root, oldId), deck.root);
    for (const DeckNode *n = moved; n; n = nextInSubtree(n, moved)) {
        EXPECT_GT(n->id(), highest);
        EXPECT_EQ(n->element->rect, (DesignRect {10, 20, 110, 40}));
    }
}

} // namespace
} // namespace tess
