// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/truetype_subset.h"

#include <map>

namespace {

// Composite glyph flags.
constexpr unsigned argsAreWords = 0x1;
constexpr unsigned hasScale = 0x8;
constexpr unsigned moreComponents = 0x20;
constexpr unsigned hasXYScale = 0x40;
constexpr unsigned hasTwoByTwo = 0x80;

constexpr std::size_t headLength = 54;
constexpr std::size_t checksumAdjustment = 8;
constexpr std::size_t indexToLocFormat = 50;

unsigned u16(const std::string& data, std::size_t at)
{
    return unsigned(std::uint8_t(data[at])) << 8 | std::uint8_t(data[at + 1]);
}

std::uint32_t u32(const std::string& data, std::size_t at)
{
    return std::uint32_t(u16(data, at)) << 16 | u16(data, at + 2);
}

void put16(std::string& out, unsigned value)
{
    out += char(value >> 8 & 0xFF);
    out += char(value & 0xFF);
}

void put32(std::string& out, std::uint32_t value)
{
    put16(out, value >> 16);
    put16(out, value & 0xFFFF);
}

void set32(std::string& data, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        data[at + std::size_t(i)] = char(value >> (24 - 8 * i) & 0xFF);
}

std::uint32_t checksum(const std::string& data)
{
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < data.size(); at += 4) {
        std::uint32_t word = 0;
        for (std::size_t i = 0; i < 4; ++i)
            word = word << 8 | (at + i < data.size() ? std::uint8_t(data[at + i]) : 0);
        sum += word;
    }
    return sum;
}

void padToFour(std::string& data) { data.resize((data.size() + 3) / 4 * 4, '\0'); }

// Where each glyph's outline lies in 'glyf'.
class GlyphLocations {
public:
    GlyphLocations(const std::string& loca, bool longOffsets, std::size_t glyphs)
        : loca_(loca),
          long_(longOffsets),
          glyphs_(glyphs)
    {
    }
    bool valid() const { return loca_.size() >= (glyphs_ + 1) * (long_ ? 4 : 2); }
    std::size_t start(std::size_t glyph) const
    {
        return long_ ? u32(loca_, glyph * 4) : std::size_t(u16(loca_, glyph * 2)) * 2;
    }

private:
    const std::string& loca_;
    bool long_;
    std::size_t glyphs_;
};

// The glyphs a composite outline is built from.
std::vector<unsigned> components(const std::string& glyf, std::size_t at, std::size_t end)
{
    std::vector<unsigned> parts;
    if (end - at < 10 || (u16(glyf, at) & 0x8000) == 0)
        return parts;
    for (std::size_t pos = at + 10; pos + 4 <= end;) {
        const unsigned flags = u16(glyf, pos);
        parts.push_back(u16(glyf, pos + 2));
        pos += 4 + ((flags & argsAreWords) ? 4 : 2);
        pos += (flags & hasScale) ? 2 : (flags & hasXYScale) ? 4 : (flags & hasTwoByTwo) ? 8 : 0;
        if ((flags & moreComponents) == 0)
            break;
    }
    return parts;
}

std::string fontFile(const std::map<std::string, std::string>& tables)
{
    const auto count = unsigned(tables.size());
    unsigned power = 1, log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    std::string out;
    put32(out, 0x00010000);
    put16(out, count);
    put16(out, power * 16);
    put16(out, log2);
    put16(out, count * 16 - power * 16);
    std::size_t offset = 12 + 16 * tables.size();
    for (const auto& [tag, data] : tables) {
        out += tag;
        put32(out, checksum(data));
        put32(out, std::uint32_t(offset));
        put32(out, std::uint32_t(data.size()));
        offset += (data.size() + 3) / 4 * 4;
    }
    std::size_t headAt = 0;
    for (const auto& [tag, data] : tables) {
        if (tag == "head")
            headAt = out.size();
        out += data;
        padToFour(out);
    }
    set32(out, headAt + checksumAdjustment, 0xB1B0AFBA - checksum(out));
    return out;
}

} // namespace

std::string trueTypeSubset(const FontTable& table, const std::vector<std::uint16_t>& glyphs)
{
    std::string head = table("head");
    const std::string maxp = table("maxp"), loca = table("loca"), glyf = table("glyf");
    if (head.size() < headLength || maxp.size() < 6 || glyf.empty())
        return {};
    const std::size_t count = u16(maxp, 4);
    const GlyphLocations where(loca, u16(head, indexToLocFormat) == 1, count);
    if (count == 0 || !where.valid())
        return {};
    const auto outline = [&](std::size_t glyph) {
        const std::size_t start = where.start(glyph), end = where.start(glyph + 1);
        return start <= end && end <= glyf.size() ? std::make_pair(start, end)
                                                  : std::make_pair(start, start);
    };

    // Each glyph is looked at once, whatever its components claim.
    std::vector<bool> kept(count, false);
    std::vector<unsigned> waiting{0};
    for (std::uint16_t glyph : glyphs)
        waiting.push_back(glyph);
    while (!waiting.empty()) {
        const unsigned glyph = waiting.back();
        waiting.pop_back();
        if (glyph >= count || kept[glyph])
            continue;
        kept[glyph] = true;
        const auto [start, end] = outline(glyph);
        for (unsigned part : components(glyf, start, end))
            waiting.push_back(part);
    }

    std::string newGlyf, newLoca;
    for (std::size_t glyph = 0; glyph < count; ++glyph) {
        put32(newLoca, std::uint32_t(newGlyf.size()));
        if (!kept[glyph])
            continue;
        const auto [start, end] = outline(glyph);
        newGlyf.append(glyf, start, end - start);
        padToFour(newGlyf);
    }
    put32(newLoca, std::uint32_t(newGlyf.size()));
    set32(head, checksumAdjustment, 0);
    head[indexToLocFormat] = 0;
    head[indexToLocFormat + 1] = 1;

    std::map<std::string, std::string> tables{{"glyf", std::move(newGlyf)},
                                              {"head", std::move(head)},
                                              {"loca", std::move(newLoca)},
                                              {"maxp", maxp}};
    // The hinting programs and metrics go along as they are.
    for (const char* tag : {"cvt ", "fpgm", "prep", "hhea", "hmtx"})
        if (std::string data = table(tag); !data.empty())
            tables.emplace(tag, std::move(data));
    return fontFile(tables);
}
