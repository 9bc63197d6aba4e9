// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text_codec.h"

#include <cstdint>
#include <cstring>

namespace {

// Windows-1252 0x80 to 0x9F; 0 marks the five unassigned bytes, shown as U+FFFD.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | code >> 6);
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | code >> 12);
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | code >> 18);
        out += char(0x80 | (code >> 12 & 0x3F));
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

std::size_t utf8SequenceLength(std::string_view bytes, std::size_t at)
{
    const auto lead = std::uint8_t(bytes[at]);
    int extra;
    char32_t code;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + std::size_t(extra) >= bytes.size())
        return 0;
    for (int k = 1; k <= extra; ++k) {
        const auto next = std::uint8_t(bytes[at + std::size_t(k)]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000) || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return std::size_t(extra) + 1;
}

bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Plain ASCII, the bulk of most text, eight bytes at a time.
        std::uint64_t eight;
        if (i + sizeof eight <= bytes.size()) {
            std::memcpy(&eight, bytes.data() + i, sizeof eight);
            if ((eight & 0x8080808080808080ull) == 0) {
                i += sizeof eight;
                continue;
            }
        }
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string displayText(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return fromWindows1252(bytes);
}

std::string fromWindows1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = std::uint8_t(c);
        if (byte < 0x80)
            out += c;
        else if (byte < 0xA0)
            appendUtf8(out, cp1252High[byte - 0x80] ? cp1252High[byte - 0x80] : char32_t(0xFFFD));
        else
            appendUtf8(out, byte);
    }
    return out;
}

char32_t nextCodePoint(std::string_view utf8, std::size_t& at)
{
    const auto lead = std::uint8_t(utf8[at++]);
    if (lead < 0x80)
        return lead;
    const int extra = lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t code = lead & (0x3F >> extra);
    for (int k = 0; k < extra && at < utf8.size(); ++k)
        code = code << 6 | (std::uint8_t(utf8[at++]) & 0x3F);
    return code;
}
