// SPDX-License-Identifier: GPL-3.0-or-later
#include "cell_index.h"

#include "person.h"

namespace {

std::size_t hashOf(std::uint64_t key)
{
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    return std::size_t(key);
}

} // namespace

std::uint64_t CellIndex::keyOf(Cell cell)
{
    return std::uint64_t(std::uint32_t(cell.column)) << 32 | std::uint32_t(cell.level);
}

// The slot holding the key, or the empty slot where it would go.
std::size_t CellIndex::find(std::uint64_t key) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hashOf(key) & mask;
    while (slots_[slot].head && slots_[slot].key != key)
        slot = (slot + 1) & mask;
    return slot;
}

Person* CellIndex::first(Cell cell) const
{
    if (slots_.empty())
        return nullptr;
    return slots_[find(keyOf(cell))].head;
}

void CellIndex::grow()
{
    std::vector<Slot> old(slots_.empty() ? 16 : slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.head)
            slots_[find(slot.key)] = slot;
    }
}

void CellIndex::add(Person* box)
{
    if ((used_ + 1) * 4 > slots_.size() * 3)
        grow();
    const std::uint64_t key = keyOf(box->cell_);
    Slot& slot = slots_[find(key)];
    if (!slot.head) {
        slot = {key, box};
        box->nextAtCell_ = nullptr;
        ++used_;
        return;
    }
    Person** link = &slot.head;
    while (*link && (*link)->listOrder_ < box->listOrder_)
        link = &(*link)->nextAtCell_;
    box->nextAtCell_ = *link;
    *link = box;
}

void CellIndex::remove(Person* box)
{
    if (slots_.empty())
        return;
    const std::size_t slot = find(keyOf(box->cell_));
    Person** link = &slots_[slot].head;
    while (*link && *link != box)
        link = &(*link)->nextAtCell_;
    if (!*link)
        return;
    *link = box->nextAtCell_;
    box->nextAtCell_ = nullptr;
    if (!slots_[slot].head)
        eraseSlot(slot);
}

// Backward-shift deletion keeps every probe chain unbroken without tombstones.
void CellIndex::eraseSlot(std::size_t slot)
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t hole = slot;
    std::size_t next = (hole + 1) & mask;
    while (slots_[next].head) {
        const std::size_t home = hashOf(slots_[next].key) & mask;
        // Move the entry into the hole when its home does not lie in (hole, next].
        const bool between = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
        if (!between) {
            slots_[hole] = slots_[next];
            hole = next;
        }
        next = (next + 1) & mask;
    }
    slots_[hole] = Slot{};
    --used_;
}

void CellIndex::clear()
{
    slots_.clear();
    used_ = 0;
}
