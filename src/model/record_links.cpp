// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/record_links.h"

#include "model/person.h"

std::uint32_t textFingerprint(std::string_view text)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::size_t RecordLinks::home(const Person* box) const
{
    // Fibonacci hashing: the high bits of the product spread the aligned addresses.
    const std::uint64_t hash =
        std::uint64_t(reinterpret_cast<std::uintptr_t>(box)) * 0x9E3779B97F4A7C15ull;
    return std::size_t(hash >> 32) & (slots_.size() - 1);
}

std::size_t RecordLinks::slotOf(const Person* box) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = home(box);
    while (slots_[slot].box && slots_[slot].box != box)
        slot = (slot + 1) & mask;
    return slot;
}

void RecordLinks::rehash(std::size_t slotCount)
{
    std::vector<Slot> old(slotCount);
    old.swap(slots_);
    for (Slot& slot : old) {
        if (slot.box)
            slots_[slotOf(slot.box)] = std::move(slot);
    }
}

void RecordLinks::reserve(std::size_t count)
{
    std::size_t slotCount = 16;
    while (slotCount * 3 < count * 4)
        slotCount *= 2;
    if (slotCount > slots_.size())
        rehash(slotCount);
}

const RecordLink* RecordLinks::find(const Person* box) const
{
    if (used_ == 0)
        return nullptr;
    const Slot& slot = slots_[slotOf(box)];
    return slot.box ? &slot.link : nullptr;
}

RecordLink* RecordLinks::find(const Person* box)
{
    return const_cast<RecordLink*>(static_cast<const RecordLinks&>(*this).find(box));
}

void RecordLinks::set(const Person* box, RecordLink link)
{
    reserve(used_ + 1);
    Slot& slot = slots_[slotOf(box)];
    if (!slot.box) {
        slot.box = box;
        ++used_;
    }
    slot.link = std::move(link);
}

void RecordLinks::assign(const Person* box, const RecordLink* link)
{
    if (link)
        set(box, *link);
    else
        erase(box);
}

// Backward-shift deletion keeps every probe run unbroken without tombstones.
void RecordLinks::erase(const Person* box)
{
    if (used_ == 0)
        return;
    std::size_t hole = slotOf(box);
    if (!slots_[hole].box)
        return;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t next = (hole + 1) & mask; slots_[next].box; next = (next + 1) & mask) {
        // An entry may fill the hole unless its home lies after the hole.
        const std::size_t start = home(slots_[next].box);
        if (((next - start) & mask) >= ((next - hole) & mask)) {
            slots_[hole] = std::move(slots_[next]);
            hole = next;
        }
    }
    slots_[hole] = Slot{};
    --used_;
}

void RecordLinks::clear()
{
    slots_.clear();
    used_ = 0;
}

bool hasFileText(const Person& box, const RecordLink* link)
{
    return link && link->fingerprint == textFingerprint(box.text);
}
