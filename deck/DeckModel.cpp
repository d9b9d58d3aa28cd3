#include "deck/DeckModel.h"

#include "deck/ElementFactory.h"
#include "deck/NodeIndex.h"
#include "deck/StartTag.h"

namespace tess {

namespace {

void unlink(DeckNode *node)
{
    DeckNode *parent = node->parent;
    if (node->prevSibling)
        node->prevSibling->nextSibling = node->nextSibling;
    else if (parent)
        parent->firstChild = node->nextSibling;
    if (node->nextSibling)
        node->nextSibling->prevSibling = node->prevSibling;
    else if (parent)
        parent->lastChild = node->prevSibling;
    node->parent = node->prevSibling = node->nextSibling = nullptr;
}

// Links a detached node under `parent` before `before`, or last when
// `before` is null.
void link(DeckNode *parent, DeckNode *node, DeckNode *before)
{
    node->parent = parent;
    node->nextSibling = before;
    node->prevSibling = before ? before->prevSibling : parent->lastChild;
    if (node->prevSibling)
        node->prevSibling->nextSibling = node;
    else
        parent->firstChild = node;
    if (before)
        before->prevSibling = node;
    else
        parent->lastChild = node;
}

void destroy(DeckNode *node)
{
    unlink(node);
    delete node;
}

// Paragraphs, line breaks, the words under options and anchors and the card
// itself carry an empty rectangle: they are never hit and decide no order.
bool hasPosition(const DeckNode *node)
{
    return node->element && node->element->rect.width() > 0 && node->element->rect.height() > 0;
}

bool contains(const DeckNode *node, int x, int y)
{
    return hasPosition(node) && node->element->rect.contains(x, y);
}

DeckNode *nthChildOfKind(DeckNode *node, ElementKind kind, int n)
{
    if (!node || n < 1)
        return nullptr;
    for (DeckNode *c = node->firstChild; c; c = c->nextSibling) {
        if (c->kind() == kind && --n == 0)
            return c;
    }
    return nullptr;
}

int countChildrenOfKind(const DeckNode *node, ElementKind kind)
{
    int count = 0;
    for (const DeckNode *c = node ? node->firstChild : nullptr; c; c = c->nextSibling)
        count += c->kind() == kind ? 1 : 0;
    return count;
}

// From a node on the new element's row: the first of it and its following
// siblings lying right of `left`, else the last sibling.
DeckNode *sameRowPoint(DeckNode *node, int left)
{
    DeckNode *last = node;
    for (DeckNode *s = node; s; s = s->nextSibling) {
        if (hasPosition(s) && !IsOptionOrGroup(s->kind()) && s->element->rect.left > left)
            return s;
        last = s;
    }
    return last;
}

// Makes the element's node with a fresh identifier and links it under
// `parent` before `before` (last when null), in the index of its tree.
DeckNode *attach(DeckNode *parent, std::unique_ptr<Element> element, DeckNode *before)
{
    NodeIndex *index = ensureIndex(parent);
    auto *node = new DeckNode;
    node->element = std::move(element);
    node->element->id = index->takeId();
    link(parent, node, before);
    node->index = index;
    index->add(node);
    return node;
}

// A node moved between trees carries its identifiers to the new index.
void reindex(DeckNode *node, NodeIndex *to)
{
    if (!to || node->index == to)
        return;
    for (DeckNode *n = node; n; n = nextInSubtree(n, node)) {
        if (n->index)
            n->index->remove(n);
        n->index = to;
        to->add(n);
    }
}

} // namespace

DeckModel::DeckModel() = default;
DeckModel::~DeckModel() = default;

void DeckModel::setRoot(std::unique_ptr<DeckNode> root)
{
    m_root = std::move(root);
}

DeckNode *DeckModel::makeRoot(ElementKind kind, const std::string &fragment)
{
    NodeInsertRequest request;
    request.element = makeElement(kind, fragment);
    request.idCounter = m_lastId;
    Insert(request);
    setRoot(std::move(request.createdRoot));
    return root();
}

void DeckModel::clear()
{
    m_root.reset();
}

int Insert(NodeInsertRequest &request)
{
    if (!request.element || (request.parentId != 0 && !request.root))
        return 0;
    if (request.parentId == 0) {
        auto node = std::make_unique<DeckNode>();
        node->element = std::move(request.element);
        node->ownedIndex = std::make_unique<NodeIndex>(
            request.idCounter ? request.idCounter : std::make_shared<int>(0));
        node->element->id = node->ownedIndex->takeId();
        node->index = node->ownedIndex.get();
        node->index->add(node.get());
        request.root = node.get();
        request.createdRoot = std::move(node);
        return request.root->id();
    }

    DeckNode *parent = FindById(request.root, request.parentId);
    NodeIndex *index = ensureIndex(parent);
    DeckNode *before = request.beforeId != 0 ? index->find(request.beforeId) : nullptr;
    // A before-identifier that is not one of the parent's children appends.
    if (before && before->parent != parent)
        before = nullptr;
    return attach(parent, std::move(request.element), before)->id();
}

DeckNode *AppendChild(DeckNode *parent, std::unique_ptr<Element> element)
{
    if (!parent || !element)
        return nullptr;
    return attach(parent, std::move(element), nullptr);
}

DeckNode *FindLiveById(DeckNode *root, int id)
{
    if (!root || id == 0)
        return nullptr;
    DeckNode *node = FindById(root, id);
    return node && node->id() == id ? node : nullptr;
}

DeckNode *FindById(DeckNode *root, int id)
{
    if (!root)
        return nullptr;
    DeckNode *hit = ensureIndex(root)->find(id);
    if (!hit)
        return root;
    // The index covers the whole tree: from anywhere but its top, the hit
    // must still lie inside the subtree searched.
    if (root->ownedIndex)
        return hit;
    for (DeckNode *n = hit; n; n = n->parent) {
        if (n == root)
            return hit;
    }
    return root;
}

void Delete(DeckNode *root, int id)
{
    DeckNode *node = FindById(root, id);
    // An identifier not in the subtree deletes nothing, rather than falling
    // back on the start node and emptying the deck.
    if (!node || id == 0 || node->id() != id)
        return;
    if (node->parent) {
        destroy(node);
        return;
    }
    while (node->firstChild)
        destroy(node->firstChild);
}

bool IsLayoutBlank(const DeckNode *node)
{
    return node && node->kind() == ElementKind::Text && !node->firstChild
        && !node->fragment().empty()
        && node->fragment().find_first_not_of(XmlBlanks) == std::string::npos;
}

bool IsFieldset(const DeckNode *node)
{
    // The reader writes a blank after every tag name.
    return node && node->kind() == ElementKind::Other && node->element->tagName() == "fieldset";
}

DeckNode *NthCard(DeckNode *root, int n)
{
    return nthChildOfKind(root, ElementKind::Card, n);
}

int ChildCount(const DeckNode *node)
{
    int count = 0;
    for (const DeckNode *c = node ? node->firstChild : nullptr; c; c = c->nextSibling)
        ++count;
    return count;
}

DeckNode *NthDo(DeckNode *node, int n)
{
    return nthChildOfKind(node, ElementKind::Do, n);
}

int DoCount(const DeckNode *node)
{
    return countChildrenOfKind(node, ElementKind::Do);
}

DeckNode *FirstParagraph(DeckNode *node)
{
    return nthChildOfKind(node, ElementKind::Paragraph, 1);
}

int CollectFragments(const DeckNode *node, ElementKind kind, std::vector<std::string> &list,
                     int mode)
{
    if (!node)
        return 0;
    for (const DeckNode *c = node->firstChild; c; c = c->nextSibling) {
        if (c->kind() != kind)
            continue;
        if (mode == 1) {
            list.push_back(c->fragment());
        } else if (mode == 2) {
            std::string all;
            for (const DeckNode *n = c; n; n = nextInSubtree(n, c))
                all += n->fragment();
            list.push_back(std::move(all));
        }
    }
    return static_cast<int>(list.size());
}

int DeleteChildrenOfKind(DeckNode * /*root*/, DeckNode *node, ElementKind kind, int limit)
{
    if (!node)
        return 0;
    if (limit < 0)
        return 1;
    int deleted = 0;
    for (DeckNode *c = node->firstChild; c;) {
        DeckNode *next = c->nextSibling;
        if (c->kind() == kind) {
            destroy(c);
            if (++deleted == limit)
                break;
        }
        c = next;
    }
    return 1;
}

DeckNode *HitTest(DeckNode *node, int x, int y)
{
    for (DeckNode *n = node; n; n = nextInSubtree(n, node)) {
        if (contains(n, x, y))
            return n;
    }
    return node;
}

DeckNode *HitTestSelect(DeckNode *card, int x, int y)
{
    DeckNode *hit = HitTest(card, x, y);
    return hit && hit->kind() == ElementKind::Select ? HitInsideSelect(hit, x, y) : hit;
}

DeckNode *HitInsideSelect(DeckNode *select, int x, int y)
{
    // An option group's options lie inside it, so they are tried first.
    for (DeckNode *c = select->firstChild; c; c = c->nextSibling) {
        for (DeckNode *g = c->firstChild; g; g = g->nextSibling) {
            if (contains(g, x, y))
                return g;
        }
        if (contains(c, x, y))
            return c;
    }
    return select;
}

DeckNode *InsertionPoint(DeckNode *card, int left, int top, int /*right*/, int /*bottom*/)
{
    if (!card)
        return nullptr;
    for (DeckNode *n = card->firstChild; n;) {
        // Options stack inside their select; the select alone has a place.
        if (IsOptionOrGroup(n->kind())) {
            n = nextInSubtree(n, card, false);
            continue;
        }
        if (!hasPosition(n)) {
            n = nextInSubtree(n, card);
            continue;
        }
        const DesignRect &r = n->element->rect;
        if (r.top > top)
            return n;
        if (r.top == top && r.left != left)
            return sameRowPoint(n, left);
        n = nextInSubtree(n, card);
    }
    // Everything lies above: the last paragraph after the first child, else
    // the first child, else the card itself.
    DeckNode *first = card->firstChild;
    if (!first)
        return card;
    for (DeckNode *c = card->lastChild; c && c != first; c = c->prevSibling) {
        if (c->kind() == ElementKind::Paragraph)
            return c;
    }
    return first;
}

DeckNode *Move(DeckNode *card, DeckNode *node)
{
    if (!card || !node || !node->element || node->ownedIndex)
        return node;
    for (DeckNode *n = card; n; n = n->parent) {
        if (n == node)
            return node; // a node cannot move into its own subtree
    }
    unlink(node);
    const DesignRect &r = node->element->rect;
    DeckNode *at = InsertionPoint(card, r.left, r.top, r.right, r.bottom);
    // A card with no children left takes the node itself.
    if (at == card || at->kind() == ElementKind::Paragraph)
        link(at, node, nullptr);
    else
        link(at->parent, node, at);
    reindex(node, ensureIndex(card));
    return node;
}

std::unique_ptr<DeckNode> Detach(DeckNode *node)
{
    if (!node || !node->parent)
        return nullptr;
    unlink(node);
    for (DeckNode *n = node; n; n = nextInSubtree(n, node)) {
        if (n->index)
            n->index->remove(n);
        n->index = nullptr;
    }
    return std::unique_ptr<DeckNode>(node);
}

DeckNode *Reattach(DeckNode *parent, std::unique_ptr<DeckNode> node, DeckNode *before)
{
    if (!parent || !node || node->ownedIndex)
        return nullptr;
    if (before && before->parent != parent)
        before = nullptr;
    DeckNode *n = node.release();
    link(parent, n, before);
    reindex(n, ensureIndex(parent));
    return n;
}

std::unique_ptr<DeckNode> CloneSubtree(const DeckNode *node)
{
    if (!node)
        return nullptr;
    const auto copy = [](const DeckNode *from) {
        auto n = std::make_unique<DeckNode>();
        if (from->element)
            n->element = std::make_unique<Element>(*from->element);
        return n;
    };
    std::unique_ptr<DeckNode> top = copy(node);
    // The copies of the ancestors of the node being copied, innermost last;
    // a walk by links keeps deep trees off the call stack.
    std::vector<std::pair<const DeckNode *, DeckNode *>> open {{node, top.get()}};
    for (const DeckNode *n = nextInSubtree(node, node); n; n = nextInSubtree(n, node)) {
        while (open.back().first != n->parent)
            open.pop_back();
        DeckNode *made = copy(n).release();
        link(open.back().second, made, nullptr);
        open.emplace_back(n, made);
    }
    return top;
}

} // namespace tess
