#pragma once

#include "deck/DeckModel.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// What the XML tree shows of a deck and how a dragged item may move, without
// any widget. Depths count an item's ancestors in the tree: "#document" is 0,
// the deck's root 1, the cards 2.

// Images of the tree's strip. An element shows the root image while selected.
enum TreeImage : int { TreeImageRoot = 0, TreeImageElement = 1, TreeImageText = 2 };

// A node's text as a label: a start tag with attributes is cut after its name
// and closed; then every "<" and ">" goes, so "<p align=\"left\" >" shows "p".
std::string TreeLabel(std::string_view text);

struct TreeItemLook
{
    std::string label;
    int image = TreeImageElement;
};

// Label and image by kind: code blocks "asp"/"jsp", a card its title when it
// has a title attribute, text runs and formatting tags (kind Text) the text image.
TreeItemLook TreeItemLookOf(const DeckNode &node);

// One item of the tree, in the order the items are added.
struct TreeRow
{
    int depth = 0;
    std::string label;
    int image = TreeImageElement;
    int id = 0; // the node's identifier; 0 for "#document"
    friend bool operator==(const TreeRow &, const TreeRow &) = default;
};

// "#document" and then every node from `root` down, depth first. Without a
// root only "#document" is left.
std::vector<TreeRow> TreeRows(const DeckNode *root);
// The same rows handed to `visit` one at a time, as they are made: a long
// deck's items need not wait for the whole list.
void ForEachTreeRow(const DeckNode *root, const std::function<void(TreeRow &&)> &visit);

// The identifiers of `node` and its descendants in document order, as the
// items of its subtree come depth first.
std::vector<int> SubtreeIds(const DeckNode *node);

enum class DropPlace { Nothing, AfterTarget, LastUnderTarget };

// Only a drop on an item of the same depth (after it) or one level up (into
// it) means anything.
DropPlace DropPlaceFor(int draggedDepth, int targetDepth);

struct DropPlan
{
    enum class Outcome { Nothing, LastOption, Move };
    Outcome outcome = Outcome::Nothing;
    DeckNode *node = nullptr; // the dragged node
    DeckNode *parent = nullptr; // its new parent
    DeckNode *before = nullptr; // the sibling it goes before; null: last
};

// Decides a drop of the item of `draggedId` on the item of `targetId` (0 for
// "#document"). Nothing moves for a place without a parent, for the root and
// every other node of kind Other (head, template, and the tasks go, prev, noop,
// refresh, setvar, which therefore never leave their do or onevent), text,
// do and timer elements, nor for identifiers the tree does not hold. A
// select's only option gives LastOption: the caller tells the user.
DropPlan PlanDrop(DeckNode *root, int draggedId, int targetId);

// Copies `node`'s subtree under `parent` before `before` (last when null)
// through Insert, so every copy gets a new identifier with the same kind,
// fragment and rectangle, in the same order; then deletes the original.
// Returns the copy of `node`, or null (nothing changed) when `node` is a root
// or `parent` lies inside the subtree or `before` is not a child of `parent`.
DeckNode *MoveSubtree(DeckNode *root, DeckNode *node, DeckNode *parent, DeckNode *before);

} // namespace tess
