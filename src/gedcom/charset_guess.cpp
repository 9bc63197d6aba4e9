// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/charset_guess.h"

#include "gedcom/code_pages.h"
#include "model/text_codec.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

constexpr std::size_t sampleLimit = std::size_t(1) << 16;

// Candidates in the order that wins a tie: the commonest first.
constexpr CharacterSet candidates[] = {CharacterSet::Windows1252, CharacterSet::CodePage437,
                                       CharacterSet::MacRoman, CharacterSet::Ansel};

bool isLetter(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}

bool isUpper(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z';
    if (c < 0x100)
        return c >= 0xC0 && c <= 0xDE && c != 0xD7;
    if (c == 0x178)
        return true;
    // Latin Extended-A pairs capital and small letter, the capital first, but
    // shifted by one between U+0139 and U+0148 and from U+0179 on.
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return c % 2 == 1;
    return c < 0x180 && c % 2 == 0 && c != 0x138;
}

// The accented letters names and places in western Europe use most.
bool isCommon(char32_t c)
{
    constexpr std::u32string_view common = U"äöüßéèàçåøæñáóíúë";
    const char32_t lower = c < 0x100 && isUpper(c) ? c + 0x20 : c;
    return common.find(lower) != std::u32string_view::npos;
}

// How well a character above 127 fits between its neighbours in a name.
int fit(char32_t before, char32_t c, char32_t after)
{
    const bool inWord = isLetter(before) && isLetter(after);
    if (!isLetter(c)) {
        const bool control = c == 0xFFFD || (c >= 0x80 && c < 0xA0);
        const bool looseAccent = c >= 0x300 && c < 0x370;
        if (control || looseAccent)
            return -6;
        return inWord ? -3 : -1;
    }
    int score = isCommon(c) ? 3 : 1;
    const bool capitalInside = isUpper(c) && isLetter(before) &&
                               (!isUpper(before) || (isLetter(after) && !isUpper(after)));
    const bool smallAmongCapitals = !isUpper(c) && isUpper(before) && isUpper(after);
    if (capitalInside || smallAmongCapitals)
        score -= 3;
    return score;
}

long score(std::string_view sample, CharacterSet set)
{
    const std::string text = fromSingleByteSet(sample, set);
    std::u32string codes;
    codes.reserve(text.size() + 2);
    codes += ' ';
    for (std::size_t at = 0; at < text.size();)
        codes += nextCodePoint(text, at);
    codes += ' ';
    long total = 0;
    for (std::size_t i = 1; i + 1 < codes.size(); ++i)
        if (codes[i] >= 0x80)
            total += fit(codes[i - 1], codes[i], codes[i + 1]);
    return total;
}

// The lines that hold bytes above 127, one after another, up to the limit.
std::string sampleOf(std::string_view bytes)
{
    std::string sample;
    std::size_t at = 0;
    while (at < bytes.size() && sample.size() < sampleLimit) {
        std::size_t end = at;
        bool high = false;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') {
            high = high || std::uint8_t(bytes[end]) >= 0x80;
            ++end;
        }
        if (high)
            sample.append(bytes.substr(at, std::min(end - at, sampleLimit))).push_back('\n');
        at = end + 1;
    }
    return sample;
}

} // namespace

CharacterSet likeliestSingleByteSet(std::string_view bytes)
{
    const std::string sample = sampleOf(bytes);
    CharacterSet best = candidates[0];
    long bestScore = 0;
    for (const CharacterSet set : candidates) {
        const long points = score(sample, set);
        if (set == candidates[0] || points > bestScore) {
            best = set;
            bestScore = points;
        }
    }
    return best;
}
