#include "deck/NodeIndex.h"

#include "deck/DeckNode.h"

#include <algorithm>
#include <new>
#include <utility>

namespace tess {

void NodeIndex::add(DeckNode *node)
{
    const int id = node->id();
    if (id == 0)
        return;
    // A tree built by hand goes on above its own identifiers.
    if (id > *m_lastId)
        *m_lastId = id;
    // At most half full, so runs stay short.
    if ((m_count + 1) * 2 > m_capacity)
        rehash(std::max<std::size_t>(16, m_capacity * 2));
    Slot &slot = m_slots[slotOf(id)];
    if (slot.id == 0)
        ++m_count;
    slot = {id, node};
}

void NodeIndex::remove(const DeckNode *node)
{
    const int id = node->id();
    if (id == 0 || m_capacity == 0)
        return;
    std::size_t hole = slotOf(id);
    if (m_slots[hole].node != node)
        return;
    // Shift later members of the run back so that no lookup stops early at
    // the freed slot.
    const std::size_t mask = m_capacity - 1;
    for (std::size_t j = (hole + 1) & mask; m_slots[j].id != 0; j = (j + 1) & mask) {
        const std::size_t k = home(m_slots[j].id);
        const bool staysPut = hole <= j ? (hole < k && k <= j) : (hole < k || k <= j);
        if (!staysPut) {
            m_slots[hole] = m_slots[j];
            hole = j;
        }
    }
    m_slots[hole] = {};
    --m_count;
}

DeckNode *NodeIndex::find(int id) const
{
    if (id == 0 || m_capacity == 0)
        return nullptr;
    const Slot &slot = m_slots[slotOf(id)];
    return slot.id == id ? slot.node : nullptr;
}

std::size_t NodeIndex::slotOf(int id) const
{
    const std::size_t mask = m_capacity - 1;
    std::size_t i = home(id);
    while (m_slots[i].id != 0 && m_slots[i].id != id)
        i = (i + 1) & mask;
    return i;
}

void NodeIndex::reserve(std::size_t count)
{
    std::size_t slotCount = std::max<std::size_t>(16, m_capacity);
    while (slotCount < count * 2)
        slotCount *= 2;
    if (slotCount > m_capacity)
        rehash(slotCount);
}

void NodeIndex::rehash(std::size_t slotCount)
{
    std::unique_ptr<Slot[], FreeSlots> fresh(
        static_cast<Slot *>(std::calloc(slotCount, sizeof(Slot))));
    if (!fresh)
        throw std::bad_alloc();
    std::unique_ptr<Slot[], FreeSlots> old = std::exchange(m_slots, std::move(fresh));
    const std::size_t oldCapacity = std::exchange(m_capacity, slotCount);
    m_count = 0;
    for (std::size_t i = 0; i < oldCapacity; ++i) {
        if (old[i].id != 0)
            add(old[i].node);
    }
}

NodeIndex *ensureIndex(DeckNode *node)
{
    if (!node)
        return nullptr;
    if (node->index)
        return node->index;
    DeckNode *top = node;
    while (top->parent)
        top = top->parent;
    if (!top->ownedIndex)
        top->ownedIndex = std::make_unique<NodeIndex>();
    NodeIndex *index = top->ownedIndex.get();
    for (DeckNode *n = top; n; n = nextInSubtree(n, top)) {
        n->index = index;
        index->add(n);
    }
    return index;
}

DeckNode *nextInSubtree(const DeckNode *node, const DeckNode *top, bool descend)
{
    if (descend && node->firstChild)
        return node->firstChild;
    for (const DeckNode *n = node; n && n != top; n = n->parent) {
        if (n->nextSibling)
            return n->nextSibling;
    }
    return nullptr;
}

} // namespace tess
