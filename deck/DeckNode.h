#pragma once

#include "deck/Element.h"

#include <memory>

namespace tess {

class NodeIndex;

// One node of the deck tree: links to its parent, children and siblings, and
// the element it owns. Children form a doubly linked list in document order;
// `lastChild` keeps appending constant-time. `index` points at the
// identifier index of the tree the node belongs to (owned by the root).
class DeckNode
{
public:
    DeckNode() = default;
    ~DeckNode();
    DeckNode(const DeckNode &) = delete;
    DeckNode &operator=(const DeckNode &) = delete;

    DeckNode *parent = nullptr;
    DeckNode *firstChild = nullptr;
    DeckNode *lastChild = nullptr;
    DeckNode *prevSibling = nullptr;
    DeckNode *nextSibling = nullptr;
    std::unique_ptr<Element> element;

    NodeIndex *index = nullptr;
    std::unique_ptr<NodeIndex> ownedIndex; // set on a root only

    int id() const { return element ? element->id : 0; }
    ElementKind kind() const { return element ? element->kind : ElementKind::Other; }
    const std::string &fragment() const;
};

} // namespace tess
