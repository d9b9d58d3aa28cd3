#include "editor/XmlTreeModel.h"

#include "deck/ElementFactory.h"
#include "deck/NodeIndex.h"
#include "deck/SourceConstants.h"

#include <unordered_map>

namespace tess {

namespace {

// FindById falls back on its start node; a drop must not.
DeckNode *findExactly(DeckNode *root, int id)
{
    DeckNode *node = id != 0 ? FindById(root, id) : nullptr;
    return node && node->id() == id ? node : nullptr;
}

int itemDepth(const DeckNode *node)
{
    int depth = 1;
    for (const DeckNode *p = node->parent; p; p = p->parent)
        ++depth;
    return depth;
}

bool isImmovable(ElementKind kind)
{
    return kind == ElementKind::Other || kind == ElementKind::Text || kind == ElementKind::Do
        || kind == ElementKind::Timer;
}

} // namespace

std::string TreeLabel(std::string_view text)
{
    std::string cut;
    if (!text.empty() && text.front() == '<') {
        const size_t blank = text.find(' ');
        if (blank != std::string_view::npos) {
            cut.assign(text.substr(0, blank));
            cut += '>';
            text = cut;
        }
    }
    std::string label;
    label.reserve(text.size());
    for (char c : text) {
        if (c != '<' && c != '>')
            label += c;
    }
    return label;
}

TreeItemLook TreeItemLookOf(const DeckNode &node)
{
    const std::string &text = node.fragment();
    switch (node.kind()) {
    case ElementKind::Asp:
        return {"asp", TreeImageElement};
    case ElementKind::Jsp:
        return {"jsp", TreeImageElement};
    case ElementKind::Text:
        return {TreeLabel(text), TreeImageText};
    case ElementKind::Card:
        // As written: the tree shows a title's entities as they stand.
        if (const std::optional<std::string_view> title = node.element->tag().raw("title"))
            return {std::string(*title), TreeImageElement};
        break;
    default:
        break;
    }
    return {TreeLabel(text), TreeImageElement};
}

std::vector<TreeRow> TreeRows(const DeckNode *root)
{
    std::vector<TreeRow> rows;
    ForEachTreeRow(root, [&rows](TreeRow &&row) { rows.push_back(std::move(row)); });
    return rows;
}

void ForEachTreeRow(const DeckNode *root, const std::function<void(TreeRow &&)> &visit)
{
    visit({0, std::string(TreeRootLabel), TreeImageRoot, 0});
    // Walked by links, depth tracked on the way, so deep decks cost no stack.
    const DeckNode *node = root;
    int depth = 1;
    while (node) {
        // Blanks between the words of a paragraph are no item of their own.
        if (!IsLayoutBlank(node)) {
            TreeItemLook look = TreeItemLookOf(*node);
            visit({depth, std::move(look.label), look.image, node->id()});
        }
        if (node->firstChild) {
            node = node->firstChild;
            ++depth;
            continue;
        }
        while (node != root && !node->nextSibling) {
            node = node->parent;
            --depth;
        }
        node = node == root ? nullptr : node->nextSibling;
    }
}

std::vector<int> SubtreeIds(const DeckNode *node)
{
    std::vector<int> ids;
    for (const DeckNode *n = node; n; n = nextInSubtree(n, node)) {
        if (!IsLayoutBlank(n))
            ids.push_back(n->id());
    }
    return ids;
}

DropPlace DropPlaceFor(int draggedDepth, int targetDepth)
{
    if (draggedDepth == targetDepth)
        return DropPlace::AfterTarget;
    if (draggedDepth == targetDepth + 1)
        return DropPlace::LastUnderTarget;
    return DropPlace::Nothing;
}

DropPlan PlanDrop(DeckNode *root, int draggedId, int targetId)
{
    DeckNode *node = findExactly(root, draggedId);
    DeckNode *target = findExactly(root, targetId);
    if (!node || (targetId != 0 && !target) || target == node)
        return {};

    DropPlan plan;
    switch (DropPlaceFor(itemDepth(node), target ? itemDepth(target) : 0)) {
    case DropPlace::AfterTarget:
        plan.parent = target ? target->parent : nullptr;
        plan.before = target ? target->nextSibling : nullptr;
        break;
    case DropPlace::LastUnderTarget:
        plan.parent = target;
        break;
    case DropPlace::Nothing:
        return {};
    }
    if (!plan.parent || isImmovable(node->kind()))
        return {};
    if (node->kind() == ElementKind::Option && !node->prevSibling && !node->nextSibling)
        return {DropPlan::Outcome::LastOption, node};
    plan.outcome = DropPlan::Outcome::Move;
    plan.node = node;
    return plan;
}

DeckNode *MoveSubtree(DeckNode *root, DeckNode *node, DeckNode *parent, DeckNode *before)
{
    if (!root || !node || !node->parent || !parent || parent->id() == 0)
        return nullptr;
    if (before && before->parent != parent)
        return nullptr;
    for (const DeckNode *p = parent; p; p = p->parent) {
        if (p == node)
            return nullptr;
    }

    // Parents are copied before their children, so each copy finds its new
    // parent here; appending keeps the children's order.
    std::unordered_map<const DeckNode *, int> copies;
    for (const DeckNode *n = node; n; n = nextInSubtree(n, node)) {
        NodeInsertRequest request {root, makeElement(n->kind(), n->fragment())};
        if (n->element)
            request.element->rect = n->element->rect;
        if (n == node) {
            request.parentId = parent->id();
            request.beforeId = before ? before->id() : 0;
        } else {
            request.parentId = copies.at(n->parent);
        }
        copies.emplace(n, Insert(request));
    }
    const int top = copies.at(node);
    Delete(root, node->id());
    return FindById(root, top);
}

} // namespace tess
