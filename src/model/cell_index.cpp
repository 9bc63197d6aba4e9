// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/cell_index.h"

#include "model/person.h"

namespace {

std::uint64_t hashOf(std::uint64_t key)
{
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    key *= 0xc4ceb9fe1a85ec53ULL;
    key ^= key >> 33;
    return key;
}

} // namespace

// The hash is scaled onto the slots by a multiplication, so that the table can
// have any size: a power of two would waste up to half of it.
std::size_t CellIndex::home(std::uint64_t key) const
{
    return std::size_t((unsigned __int128)hashOf(key) * slots_.size() >> 64);
}

std::size_t CellIndex::after(std::size_t slot) const
{
    return slot + 1 == slots_.size() ? 0 : slot + 1;
}

std::uint64_t CellIndex::keyOf(Cell cell)
{
    return std::uint64_t(std::uint32_t(cell.column)) << 32 | std::uint32_t(cell.level);
}

// The slot holding the key, or the empty slot where it would go.
std::size_t CellIndex::find(std::uint64_t key) const
{
    std::size_t slot = home(key);
    while (slots_[slot].head && slots_[slot].key != key)
        slot = after(slot);
    return slot;
}

Person* CellIndex::first(Cell cell) const
{
    if (slots_.empty())
        return nullptr;
    return slots_[find(keyOf(cell))].head;
}

void CellIndex::prefetch(Cell cell) const
{
    if (!slots_.empty())
        __builtin_prefetch(&slots_[home(keyOf(cell))]);
}

void CellIndex::rehash(std::size_t slotCount)
{
    std::vector<Slot> old(slotCount);
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.head)
            slots_[find(slot.key)] = slot;
    }
}

void CellIndex::grow() { rehash(slots_.empty() ? 16 : slots_.size() * 2); }

void CellIndex::reserve(std::size_t cells)
{
    // Seven tenths full: add() grows past three quarters.
    const std::size_t slotCount = cells + cells * 3 / 7 + 16;
    if (slotCount > slots_.size())
        rehash(slotCount);
}

void CellIndex::add(Person* box)
{
    if ((used_ + 1) * 4 > slots_.size() * 3)
        grow();
    const std::uint64_t key = keyOf(box->cell_);
    Slot& slot = slots_[find(key)];
    box->nextAtCell_ = nullptr;
    if (!slot.head) {
        slot = {key, box, box};
        ++used_;
        return;
    }
    if (slot.tail->listOrder_ < box->listOrder_) {
        slot.tail->nextAtCell_ = box;
        slot.tail = box;
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
    Person* before = nullptr;
    Person** link = &slots_[slot].head;
    while (*link && *link != box) {
        before = *link;
        link = &before->nextAtCell_;
    }
    if (!*link)
        return;
    *link = box->nextAtCell_;
    box->nextAtCell_ = nullptr;
    if (slots_[slot].tail == box)
        slots_[slot].tail = before;
    if (!slots_[slot].head)
        eraseSlot(slot);
}

// Backward-shift deletion keeps every probe chain unbroken without tombstones.
void CellIndex::eraseSlot(std::size_t slot)
{
    std::size_t hole = slot;
    std::size_t next = after(hole);
    while (slots_[next].head) {
        const std::size_t start = home(slots_[next].key);
        // Move the entry into the hole when its home does not lie in (hole, next].
        const bool between =
            hole <= next ? (hole < start && start <= next) : (hole < start || start <= next);
        if (!between) {
            slots_[hole] = slots_[next];
            hole = next;
        }
        next = after(next);
    }
    slots_[hole] = Slot{};
    --used_;
}

void CellIndex::clear()
{
    slots_.clear();
    used_ = 0;
}
