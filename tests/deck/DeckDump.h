#pragma once

#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"
#include "deck/NodeIndex.h"

#include <string>

namespace tess {

// One line per node below the root, in document order: a dot per level below
// the root's children, the kind, a blank and the fragment with CR and LF shown
// as \r and \n. Identifiers are left out so that two loads compare equal.
inline std::string dumpDeck(const DeckNode *root)
{
    std::string out;
    for (const DeckNode *n = root ? root->firstChild : nullptr; n; n = nextInSubtree(n, root)) {
        for (const DeckNode *p = n->parent; p != root; p = p->parent)
            out += '.';
        out += std::to_string(int(n->kind())) + " ";
        for (char c : n->fragment())
            out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
        out += '\n';
    }
    return out;
}

// Every node's links agree with its neighbours' and the index finds it.
inline std::string brokenLinks(DeckNode *root)
{
    for (DeckNode *n = root; n; n = nextInSubtree(n, root)) {
        DeckNode *prev = nullptr;
        for (DeckNode *c = n->firstChild; c; prev = c, c = c->nextSibling) {
            if (c->parent != n || c->prevSibling != prev)
                return "links around " + std::to_string(c->id());
        }
        if (n->lastChild != prev)
            return "last child of " + std::to_string(n->id());
        if (FindById(root, n->id()) != n)
            return "index misses " + std::to_string(n->id());
    }
    return {};
}

inline DeckNode *appendNode(DeckModel &model, DeckNode *parent, ElementKind kind,
                            std::string fragment)
{
    NodeInsertRequest request {model.root(), makeElement(kind, std::move(fragment))};
    request.parentId = (parent ? parent : model.root())->id();
    return FindById(model.root(), Insert(request));
}

} // namespace tess
