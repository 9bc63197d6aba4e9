// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/result.h"

std::string formatMessage(std::string_view pattern, const std::vector<std::string>& args)
{
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t index = std::size_t(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            text += args[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
