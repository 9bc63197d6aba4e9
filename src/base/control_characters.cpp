// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/control_characters.h"

std::size_t controlCharacterLength(std::string_view text, std::size_t at, std::string_view kept)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20)
        return kept.find(char(byte)) == std::string_view::npos ? 1 : 0;
    if (byte == 0x7F)
        return 1;
    if (byte == 0xC2 && at + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[at + 1]);
        return next >= 0x80 && next <= 0x9F ? 2 : 0;
    }
    const std::string_view rest = text.substr(at, 3);
    return rest == "\xEF\xBF\xBE" || rest == "\xEF\xBF\xBF" ? 3 : 0;
}

std::string withControlsReplaced(std::string_view text, std::string_view kept)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length =
            mayStartControlCharacter(text[at]) ? controlCharacterLength(text, at, kept) : 0;
        if (length > 0) {
            out += "\xEF\xBF\xBD";
            at += length;
        } else {
            out += text[at++];
        }
    }
    return out;
}
