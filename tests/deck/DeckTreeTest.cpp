#include "deck/NodeIndex.h"
#include "deck/TreeBuilder.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(DeckTree, DeepChainIsWalkedAndDestroyedWithoutRecursion)
{
    TreeBuilder t;
    std::string parent;
    for (int i = 0; i < 100000; ++i) {
        t.add(std::to_string(i), parent, KindOther);
        parent = std::to_string(i);
    }
    std::vector<std::string> list;
    CollectFragments(t.root, KindOther, list, 2);
    EXPECT_EQ(list.at(0).size(), 488890u); // the digits of 0..99999
    EXPECT_EQ(FindById(t["1"], t["99999"]->id()), t["99999"]);
    EXPECT_EQ(HitTest(t.root, 5, 5), t.root);
    EXPECT_EQ(InsertionPoint(t["0"], 5, 5, 6, 6), t["1"]);
    Delete(t.root, t["50000"]->id());
    EXPECT_EQ(FindById(t.root, t["49999"]->id() + 1), t.root);
    EXPECT_EQ(t.root->index->size(), 50001u);
    t.model.clear();
}

} // namespace
} // namespace tess
