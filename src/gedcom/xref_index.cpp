// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/xref_index.h"

namespace {

// A power of two with room for twice the entries, so probes stay short.
std::size_t tableSize(std::size_t expected)
{
    std::size_t size = 16;
    while (size < expected * 2)
        size *= 2;
    return size;
}

// Spreads every bit of the key over the whole word (the finish of MurmurHash3).
std::uint64_t mixed(std::uint64_t key)
{
    key ^= key >> 33;
    key *= 0xFF51AFD7ED558CCDull;
    key ^= key >> 33;
    key *= 0xC4CEB9FE1A85EC53ull;
    return key ^ (key >> 33);
}

} // namespace

XrefIndex::XrefIndex(std::size_t expected) : slots_(tableSize(expected)) {}

std::size_t XrefIndex::slotOf(std::string_view xref) const
{
    std::uint64_t hash = 0xCBF29CE484222325ull; // FNV-1a
    for (const char c : xref)
        hash = (hash ^ std::uint8_t(c)) * 0x100000001B3ull;
    return std::size_t(mixed(hash)) & (slots_.size() - 1);
}

void XrefIndex::add(std::string_view xref, int record)
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = slotOf(xref);; at = (at + 1) & mask) {
        if (slots_[at].record < 0) {
            slots_[at] = {xref, record};
            return;
        }
        if (slots_[at].xref == xref)
            return;
    }
}

int XrefIndex::find(std::string_view xref) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = slotOf(xref);; at = (at + 1) & mask) {
        if (slots_[at].record < 0)
            return -1;
        if (slots_[at].xref == xref)
            return slots_[at].record;
    }
}
