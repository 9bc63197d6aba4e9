// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRawFont>
#include <QString>

#include <map>
#include <string>
#include <utility>
#include <vector>

struct QtFont;

// The fonts of a PDF's text, chosen for each character as the screen chooses
// them (the chart's font, else the fallback that has the character). Remembers
// the glyphs drawn and their characters, and writes each font at the end as an
// embedded subset that text search and copying read back as the characters.
class PdfFonts {
public:
    // A stretch of text in one font: its glyph numbers as a PDF hex string,
    // starting `offset` pixels after the text's start.
    struct Run {
        int font = 0;
        double offset = 0;
        std::string glyphs;
    };
    std::vector<Run> runs(const QtFont& font, const QString& text);

    // The fonts used so far, as resource names /F0, /F1, ...
    int count() const { return int(fonts_.size()); }
    static constexpr int objectsPerFont = 5;
    // The bodies of font i's objects, to be numbered from `first` on.
    std::vector<std::string> objects(int font, int first) const;

private:
    struct Glyph {
        int font = 0;
        std::uint16_t glyph = 0;
        double advance = 0;
    };
    struct UsedFont {
        QRawFont raw;
        std::string name;
        // The character each glyph number was drawn for; 0 for none.
        std::vector<char32_t> characters;
    };
    struct Primary {
        QRawFont raw;
        int font = -1;
    };

    const Primary& primary(const QtFont& font);
    Glyph fallback(const QtFont& font, char32_t character);
    int fontIndex(const QRawFont& raw);
    void use(int font, std::uint16_t glyph, char32_t character);

    std::vector<UsedFont> fonts_;
    std::map<QString, int> indexByKey_;
    std::map<const QtFont*, Primary> primaries_;
    std::map<std::pair<const QtFont*, char32_t>, Glyph> fallbacks_;
};
