#pragma once

#include "deck/DeckNode.h"
#include "deck/Element.h"

#include <memory>

namespace tess {

// What Insert needs: the tree to search, the new element (its kind already
// set), the parent's identifier (0 makes the element the root of a new tree)
// and the identifier of the sibling to insert before (0 appends).
struct NodeInsertRequest
{
    DeckNode *root = nullptr;
    std::unique_ptr<Element> element;
    int parentId = 0;
    int beforeId = 0;

    // With parentId 0, Insert makes a fresh root, hands it over here and also
    // points `root` at it; its identifiers come from `idCounter` when given
    // (the deck's), else from a counter of the new tree's own.
    std::unique_ptr<DeckNode> createdRoot;
    std::shared_ptr<int> idCounter;
};

} // namespace tess
