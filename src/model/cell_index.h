// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"

#include <cstdint>
#include <vector>

class Person;

// Finds the first box in list order at a cell in constant time. Boxes at one cell
// are chained through the boxes themselves, ordered by their list order, so the
// index allocates nothing per box (an open-addressing table of cells). A box
// later in list order than all at its cell, as every appended box is, joins in
// constant time however crowded the cell.
class CellIndex {
public:
    Person* first(Cell cell) const;
    // Starts fetching the cell's slot into the cache: a walk over many cells
    // asks for a cell a few steps ahead, so that its lookup does not wait.
    void prefetch(Cell cell) const;
    void add(Person* box);
    void remove(Person* box);
    void clear();
    // Makes room for this many cells at once, so that adding them never rehashes.
    void reserve(std::size_t cells);
    std::size_t cellCount() const { return used_; }

private:
    struct Slot {
        std::uint64_t key = 0;
        Person* head = nullptr; // null: empty slot
        Person* tail = nullptr;
    };

    static std::uint64_t keyOf(Cell cell);
    std::size_t home(std::uint64_t key) const;
    std::size_t after(std::size_t slot) const;
    std::size_t find(std::uint64_t key) const;
    void grow();
    void rehash(std::size_t slotCount);
    void eraseSlot(std::size_t slot);

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};
