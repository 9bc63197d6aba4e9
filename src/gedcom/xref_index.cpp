// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/xref_index.h"

#include <cstring>

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
    // The bytes as they lie: only equal keys compare equal either way.
    if (xref.size() <= sizeof words)
        std::memcpy(words, xref.data(), xref.size());
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

XrefIndex::XrefIndex(std::vector<XrefKey> keys)
    : slots_(tableSize(keys.size())),
      keys_(std::move(keys))
{
    std::vector<std::uint64_t> hashes(keys_.size());
    for (std::size_t i = 0; i < keys_.size(); ++i)
        hashes[i] = keys_[i].hash();
    // Each slot is fetched a few records ahead of its turn: waiting for one
    // slot after another took most of the time.
    constexpr std::size_t ahead = 16;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (i + ahead < keys_.size())
            __builtin_prefetch(&slots_[hashes[i + ahead] & mask]);
        insert(hashes[i], int(i));
    }
}

void XrefIndex::insert(std::uint64_t hash, int record)
{
    const XrefKey& key = keys_[std::size_t(record)];
    const auto check = std::uint32_t(hash >> 32);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.record < 0) {
            slots_[at] = {check, record};
            return;
        }
        if (slot.check == check && keys_[std::size_t(slot.record)] == key) {
            repeats_ = true;
            return;
        }
    }
}

void XrefIndex::prefetch(const XrefKey& key) const
{
    __builtin_prefetch(&slots_[key.hash() & (slots_.size() - 1)]);
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
