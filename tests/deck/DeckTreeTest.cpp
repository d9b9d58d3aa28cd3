#include "deck/DeckDump.h"
#include "deck/NodeIndex.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

TEST(DeckTree, DeepChainIsWalkedAndDestroyedWithoutRecursion)
{
    DeckModel model;
    DeckNode *root = model.makeRoot(ElementKind::Other, "<wml>");
    std::vector<DeckNode *> chain;
    for (int i = 0; i < 100000; ++i)
        chain.push_back(
            appendNode(model, i ? chain.back() : nullptr, ElementKind::Other, std::to_string(i)));
    std::vector<std::string> list;
    CollectFragments(root, ElementKind::Other, list, 2);
    EXPECT_EQ(list.at(0).size(), 488890u); // the digits of 0..99999
    EXPECT_EQ(FindById(chain[1], chain[99999]->id()), chain[99999]);
    EXPECT_EQ(HitTest(root, 5, 5), root);
    EXPECT_EQ(InsertionPoint(chain[0], 5, 5, 6, 6), chain[1]);
    Delete(root, chain[50000]->id());
    EXPECT_EQ(FindById(root, chain[49999]->id() + 1), root);
    EXPECT_EQ(root->index->size(), 50001u);
    model.clear();
}

} // namespace
} // namespace tess
