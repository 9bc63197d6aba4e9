// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/json_text.h"

namespace {

void appendUnicodeEscape(std::string& out, unsigned code)
{
    static constexpr char hex[] = "0123456789abcdef";
    const char escape[] = {
        '\\', 'u', hex[code >> 12 & 15], hex[code >> 8 & 15], hex[code >> 4 & 15], hex[code & 15]};
    out.append(escape, sizeof escape);
}

} // namespace

void appendJsonText(std::string& out, std::string_view utf8)
{
    std::size_t plainFrom = 0;
    auto flush = [&](std::size_t upTo) { out.append(utf8.data() + plainFrom, upTo - plainFrom); };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const bool separator = byte == 0xE2 && i + 2 < utf8.size() && utf8[i + 1] == '\x80' &&
                               (utf8[i + 2] == '\xA8' || utf8[i + 2] == '\xA9');
        if (byte >= 0x20 && byte != '"' && byte != '\\' && byte != '<' && byte != '>' &&
            byte != '&' && !separator)
            continue;
        flush(i);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += char(byte);
        } else if (byte == '\n') {
            out += "\\n";
        } else if (separator) {
            appendUnicodeEscape(out, utf8[i + 2] == '\xA8' ? 0x2028 : 0x2029);
            i += 2;
        } else {
            appendUnicodeEscape(out, byte);
        }
        plainFrom = i + 1;
    }
    flush(utf8.size());
}
