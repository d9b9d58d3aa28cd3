#pragma once

#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"

#include <map>
#include <string>

namespace tess {

// Builds a deck through Insert, naming each node by its fragment so that
// expectations read as lists of names.
struct TreeBuilder
{
    TreeBuilder() { root = model.makeRoot(ElementKind::Other, "<wml>"); }

    DeckNode *add(const std::string &name, const std::string &parent, ElementKind kind,
                  DesignRect rect = {}, const std::string &before = {})
    {
        NodeInsertRequest request {root, makeElement(kind, name)};
        request.element->rect = rect;
        request.parentId = parent.empty() ? root->id() : nodes.at(parent)->id();
        request.beforeId = before.empty() ? 0 : nodes.at(before)->id();
        return nodes[name] = FindById(root, Insert(request));
    }
    DeckNode *operator[](const std::string &name) const { return nodes.at(name); }

    DeckModel model;
    DeckNode *root = nullptr;
    std::map<std::string, DeckNode *> nodes;
};

// A node's children by fragment, blank-separated; "!" flags backward links
// that disagree with the forward ones.
inline std::string childNames(const DeckNode *node)
{
    std::string forward, backward;
    for (const DeckNode *c = node->firstChild; c; c = c->nextSibling)
        forward += (forward.empty() ? "" : " ") + c->fragment();
    for (const DeckNode *c = node->lastChild; c; c = c->prevSibling)
        backward = c->fragment() + (backward.empty() ? "" : " ") + backward;
    return forward == backward ? forward : "!" + forward;
}

} // namespace tess
