// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_text.h"

#include "gedcom/ansel.h"
#include "model/text_codec.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace {

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

GedcomText decoded(std::string utf8) { return {std::move(utf8), {}}; }
GedcomText refused(const char* pattern, std::vector<std::string> args = {})
{
    return {{}, Result::failure(Result::CannotOpen, pattern, std::move(args))};
}

GedcomText fromUtf16(std::string_view bytes, bool bigEndian)
{
    if (bytes.size() % 2 != 0)
        return refused(STIRPA_TR_NOOP(
            "Message", "Cannot read %1: the UTF-16 text ends in the middle of a character"));
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](std::size_t i) -> char32_t {
        const auto first = std::uint8_t(bytes[i]), second = std::uint8_t(bytes[i + 1]);
        return bigEndian ? char32_t(first << 8 | second) : char32_t(second << 8 | first);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? char32_t(0xFFFD) : code);
    }
    return decoded(std::move(out));
}

// The value of the header's "1 CHAR" line, upper-cased; empty when there is none.
// The header is ASCII in every encoding read here.
std::string declaredCharacterSet(std::string_view bytes)
{
    const std::string_view header = bytes.substr(0, 4096);
    std::size_t at = 0;
    while (at < header.size()) {
        std::size_t end = header.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = header.size();
        std::string_view line = header.substr(at, end - at);
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (at > 0 && startsWith(line, "0 "))
            break; // past the header
        if (startsWith(line, "1 CHAR ")) {
            std::string value(line.substr(7));
            value.erase(value.find_last_not_of(" \t") + 1);
            std::transform(value.begin(), value.end(), value.begin(),
                           [](unsigned char c) { return char(std::toupper(c)); });
            return value;
        }
        at = end + 1;
    }
    return {};
}

} // namespace

GedcomText decodeGedcom(std::string bytes)
{
    const std::string_view view(bytes);
    if (startsWith(view, "\xFF\xFE"))
        return fromUtf16(view.substr(2), false);
    if (startsWith(view, "\xFE\xFF"))
        return fromUtf16(view.substr(2), true);
    if (startsWith(view, std::string_view("0\0", 2)))
        return fromUtf16(view, false);
    if (startsWith(view, std::string_view("\0"
                                          "0",
                                          2)))
        return fromUtf16(view, true);
    if (startsWith(view, "\xEF\xBB\xBF"))
        bytes.erase(0, 3);

    const std::string charset = declaredCharacterSet(bytes);
    if (charset == "ANSEL")
        return decoded(fromAnsel(bytes));
    if (charset == "ANSI")
        return decoded(fromWindows1252(bytes));
    if (charset.empty() || charset == "UTF-8" || charset == "UTF8" || charset == "ASCII" ||
        charset == "UNICODE")
        return decoded(isValidUtf8(bytes) ? std::move(bytes) : fromWindows1252(bytes));
    return refused(STIRPA_TR_NOOP("Message", "Cannot read %1: the character set %2 cannot be read"),
                   {charset});
}
