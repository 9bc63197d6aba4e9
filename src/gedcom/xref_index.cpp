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

XrefKey::XrefKey(std::string_view xref) : text(xref)
{
    if (xref.size() <= sizeof words) {
        for (std::size_t i = 0; i < xref.size(); ++i)
            words[i / 8] |= std::uint64_t(std::uint8_t(xref[i])) << (i % 8 * 8);
    }
}

bool XrefKey::operator==(const XrefKey& other) const
{
    if (text.size() != other.text.size())
        return false;
    if (text.size() <= sizeof words)
        return words[0] == other.words[0] && words[1] == other.words[1];
    return text == other.text;
}

std::uint64_t XrefKey::hash() const
{
    if (text.size() <= sizeof words)
        return mixed(words[0] ^ mixed(words[1] ^ text.size()));
    std::uint64_t hash = 0xCBF29CE484222325ull; // FNV-1a
    for (const char c : text)
        hash = (hash ^ std::uint8_t(c)) * 0x100000001B3ull;
    return mixed(hash);
}

XrefIndex::XrefIndex(std::size_t expected) : slots_(tableSize(expected))
{
    keys_.reserve(expected);
}

void XrefIndex::add(const XrefKey& key, int record)
{
    if (std::size_t(record) >= keys_.size())
        keys_.resize(std::size_t(record) + 1, XrefKey({}));
    keys_[std::size_t(record)] = key;
    const std::uint64_t hash = key.hash();
    const auto check = std::uint32_t(hash >> 32);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.record < 0) {
            slots_[at] = {check, record};
            return;
        }
        if (slot.check == check && keys_[std::size_t(slot.record)] == key)
            return;
    }
}

int XrefIndex::find(const XrefKey& key) const
{
    const std::uint64_t hash = key.hash();
    const auto check = std::uint32_t(hash >> 32);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.record < 0)
            return -1;
        if (slot.check == check && keys_[std::size_t(slot.record)] == key)
            return slot.record;
    }
}
