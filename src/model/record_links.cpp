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

const RecordLink* RecordLinks::find(const Person* box) const
{
    if (links_.empty())
        return nullptr;
    const auto found = links_.find(box);
    return found == links_.end() ? nullptr : &found->second;
}

RecordLink* RecordLinks::find(const Person* box)
{
    return const_cast<RecordLink*>(static_cast<const RecordLinks&>(*this).find(box));
}

void RecordLinks::set(const Person* box, RecordLink link) { links_[box] = std::move(link); }

void RecordLinks::assign(const Person* box, const RecordLink* link)
{
    if (link)
        set(box, *link);
    else
        erase(box);
}

bool hasFileText(const Person& box, const RecordLink* link)
{
    return link && link->fingerprint == textFingerprint(box.text);
}
