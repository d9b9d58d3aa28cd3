#include "deck/DeckNode.h"

#include "deck/NodeIndex.h"

namespace tess {

DeckNode::~DeckNode()
{
    // A root's index dies with it; a subtree cut from a live tree must take
    // its identifiers out of that tree's index.
    NodeIndex *dropFrom = ownedIndex ? nullptr : index;

    // Descendants go leaf by leaf, always the first child, so that no
    // destructor recurses: a very deep chain must not exhaust the stack.
    DeckNode *n = firstChild;
    while (n && n != this) {
        if (n->firstChild) {
            n = n->firstChild;
            continue;
        }
        DeckNode *next = n->nextSibling ? n->nextSibling : n->parent;
        n->parent->firstChild = n->nextSibling;
        if (!n->nextSibling)
            n->parent->lastChild = nullptr;
        if (dropFrom)
            dropFrom->remove(n);
        n->index = nullptr;
        delete n;
        n = next;
    }
    if (dropFrom)
        dropFrom->remove(this);
}

const std::string &DeckNode::fragment() const
{
    static const std::string empty;
    return element ? element->fragment() : empty;
}

} // namespace tess
