#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace tess {

class DeckNode;

// Identifier to node map of one tree, owned by its root. It lets Insert and
// FindById reach a node without walking the tree. An open-addressing table
// keyed by the identifier itself: a tree's identifiers are handed out in
// rising order, so its nodes sit side by side and lookups stay in cache.
class NodeIndex
{
public:
    // `lastId` is the deck's identifier counter, shared by every tree the
    // deck has had, so an identifier is never given twice in one document
    // (its undo history may still name nodes of an earlier tree).
    explicit NodeIndex(std::shared_ptr<int> lastId = std::make_shared<int>(0))
        : m_lastId(std::move(lastId))
    { }

    // A fresh identifier for a node of this tree.
    int takeId() { return ++*m_lastId; }
    const std::shared_ptr<int> &idCounter() const { return m_lastId; }

    void add(DeckNode *node);
    // Forgets `node`'s identifier, unless another node holds it by now.
    void remove(const DeckNode *node);
    DeckNode *find(int id) const;
    std::size_t size() const { return m_count; }
    // Makes room for `count` identifiers in all, so that adding up to that
    // many never rebuilds the table.
    void reserve(std::size_t count);

private:
    struct Slot
    {
        int id = 0; // 0: free; no element is ever given identifier 0
        DeckNode *node = nullptr;
    };

    struct FreeSlots
    {
        void operator()(Slot *table) const { std::free(table); }
    };

    std::size_t home(int id) const { return static_cast<std::size_t>(id) & (m_capacity - 1); }
    std::size_t slotOf(int id) const; // the slot holding `id`, else the free slot ending its run
    void rehash(std::size_t slotCount);

    // Zeroed by calloc, which leaves a large table's pages untouched until a
    // slot on them is used: rising identifiers fill one stretch of it, so a
    // generous reserve() costs address space rather than memory.
    std::unique_ptr<Slot[], FreeSlots> m_slots;
    std::size_t m_capacity = 0; // a power of two, or 0
    std::size_t m_count = 0;
    std::shared_ptr<int> m_lastId;
};

// The index of `node`'s tree, made (from a walk of the whole tree) when the
// tree was built by hand rather than through Insert.
NodeIndex *ensureIndex(DeckNode *node);

// Preorder successor of `node` inside the subtree of `top`; with
// `descend` false the children of `node` are passed over. Null at the end.
// Walking by links instead of recursion keeps deep trees safe.
DeckNode *nextInSubtree(const DeckNode *node, const DeckNode *top, bool descend = true);

} // namespace tess
