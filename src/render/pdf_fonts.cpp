// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/pdf_fonts.h"

#include "render/qt_font.h"
#include "render/truetype_subset.h"

#include <QTextLayout>

#include <zlib.h>

#include <cmath>
#include <new>

namespace {

constexpr std::size_t glyphNumbers = 1 << 16;
// A ToUnicode map lists at most this many glyphs per block.
constexpr std::size_t blockLength = 100;

// Without printf: every glyph of every text goes through here.
void appendHex4(std::string& out, unsigned value)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += digits[value >> shift & 0xF];
}

std::string hex4(unsigned value)
{
    std::string text;
    appendHex4(text, value);
    return text;
}

// A character in UTF-16, as hex digits.
std::string utf16Hex(char32_t character)
{
    if (character < 0x10000)
        return hex4(unsigned(character));
    const char32_t rest = character - 0x10000;
    return hex4(0xD800 + unsigned(rest >> 10)) + hex4(0xDC00 + unsigned(rest & 0x3FF));
}

std::string deflated(const std::string& data)
{
    uLongf length = compressBound(uLong(data.size()));
    std::string out(length, '\0');
    if (compress(reinterpret_cast<Bytef*>(out.data()), &length,
                 reinterpret_cast<const Bytef*>(data.data()), uLong(data.size())) != Z_OK)
        throw std::bad_alloc();
    out.resize(length);
    return out;
}

std::string stream(const std::string& data, const std::string& entries = {})
{
    const std::string packed = deflated(data);
    return "<</Length " + std::to_string(packed.size()) + "/Filter/FlateDecode" + entries +
           ">>\nstream\n" + packed + "\nendstream";
}

// A name PDF accepts: letters and digits only.
std::string plainName(const QString& text)
{
    std::string name;
    for (QChar c : text)
        if (c.unicode() < 0x80 && c.isLetterOrNumber())
            name += char(c.unicode());
    return name.empty() ? "Font" : name;
}

// The six capitals that mark a font as a subset, different for each font.
std::string subsetTag(int font)
{
    std::string tag;
    for (int i = 0; i < 6; ++i, font /= 26)
        tag += char('A' + font % 26);
    return tag + "+";
}

int thousandths(double units, double perEm) { return int(std::lround(units * 1000 / perEm)); }

std::string toUnicodeMap(const std::vector<char32_t>& characters)
{
    std::vector<std::string> pairs;
    for (std::size_t glyph = 0; glyph < characters.size(); ++glyph)
        if (characters[glyph] != 0)
            pairs.push_back(std::string(1, '<')
                                .append(hex4(unsigned(glyph)))
                                .append("> <")
                                .append(utf16Hex(characters[glyph]))
                                .append(">\n"));
    std::string map = "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
                      "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    for (std::size_t first = 0; first < pairs.size(); first += blockLength) {
        const std::size_t end = std::min(pairs.size(), first + blockLength);
        map += std::to_string(end - first) + " beginbfchar\n";
        for (std::size_t i = first; i < end; ++i)
            map += pairs[i];
        map += "endbfchar\n";
    }
    return map + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

std::string ref(int object) { return std::to_string(object) + " 0 R"; }

} // namespace

std::vector<PdfFonts::Run> PdfFonts::runs(const QtFont& font, const QString& text)
{
    const Primary& main = primary(font);
    const QList<uint> characters = text.toUcs4();
    const QList<quint32> glyphs = main.raw.glyphIndexesForString(text);
    // Surrogates or joined characters: each character is looked up alone.
    const bool oneGlyphEach = glyphs.size() == characters.size() && main.font >= 0;
    std::vector<Glyph> chosen(std::size_t(characters.size()));
    bool oneFont = true;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        Glyph& glyph = chosen[std::size_t(i)];
        if (oneGlyphEach && glyphs[i] != 0) {
            glyph = {main.font, std::uint16_t(glyphs[i]), 0};
        } else {
            glyph = fallback(font, characters[i]);
            oneFont = false;
        }
    }
    // Where runs start is needed only when the fonts change within the text.
    if (!oneFont && oneGlyphEach) {
        const QList<QPointF> advances = main.raw.advancesForGlyphIndexes(glyphs);
        for (qsizetype i = 0; i < characters.size(); ++i)
            if (glyphs[i] != 0)
                chosen[std::size_t(i)].advance = advances[i].x();
    }

    std::vector<Run> out;
    double x = 0;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const Glyph& glyph = chosen[std::size_t(i)];
        if (glyph.font >= 0) {
            if (out.empty() || out.back().font != glyph.font)
                out.push_back({glyph.font, x, {}});
            appendHex4(out.back().glyphs, glyph.glyph);
            use(glyph.font, glyph.glyph, characters[i]);
        }
        x += glyph.advance;
    }
    return out;
}

const PdfFonts::Primary& PdfFonts::primary(const QtFont& font)
{
    auto found = primaries_.find(&font);
    if (found == primaries_.end()) {
        Primary made{QRawFont::fromFont(font.font), -1};
        made.font = fontIndex(made.raw);
        found = primaries_.emplace(&font, made).first;
    }
    return found->second;
}

// The screen's choice for a character the chart's font lacks; the font is -1
// when no font that can be embedded has it.
PdfFonts::Glyph PdfFonts::fallback(const QtFont& font, char32_t character)
{
    const auto key = std::make_pair(&font, character);
    if (const auto found = fallbacks_.find(key); found != fallbacks_.end())
        return found->second;
    Glyph chosen{-1, 0, 0};
    QTextLayout layout(QString::fromUcs4(&character, 1), font.font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        if (run.glyphIndexes().isEmpty())
            continue;
        const quint32 glyph = run.glyphIndexes().front();
        chosen.advance = run.rawFont().advancesForGlyphIndexes({glyph}).front().x();
        if (glyph != 0 && glyph < glyphNumbers)
            chosen = {fontIndex(run.rawFont()), std::uint16_t(glyph), chosen.advance};
        break;
    }
    return fallbacks_.emplace(key, chosen).first->second;
}

int PdfFonts::fontIndex(const QRawFont& raw)
{
    const QString key = raw.familyName() + '|' + raw.styleName() + '|' +
                        QString::number(raw.weight()) + '|' + QString::number(int(raw.style()));
    if (const auto found = indexByKey_.find(key); found != indexByKey_.end())
        return found->second;
    // Only TrueType outlines are embedded.
    const bool embeddable = raw.isValid() && !raw.fontTable("loca").isEmpty();
    const int index = embeddable ? int(fonts_.size()) : -1;
    if (embeddable)
        fonts_.push_back({raw, plainName(raw.familyName() + raw.styleName()), {}});
    indexByKey_.emplace(key, index);
    return index;
}

void PdfFonts::use(int font, std::uint16_t glyph, char32_t character)
{
    std::vector<char32_t>& characters = fonts_[std::size_t(font)].characters;
    if (characters.size() <= glyph)
        characters.resize(std::max<std::size_t>(glyph + 1u, characters.size() * 2), 0);
    if (characters[glyph] == 0)
        characters[glyph] = character;
}

std::vector<std::string> PdfFonts::objects(int font, int first) const
{
    const UsedFont& used = fonts_[std::size_t(font)];
    const auto table = [&used](std::string_view tag) {
        const QByteArray data = used.raw.fontTable(std::string(tag).c_str());
        return std::string(data.constData(), std::size_t(data.size()));
    };
    std::vector<std::uint16_t> glyphs;
    QList<quint32> numbers;
    for (std::size_t glyph = 0; glyph < used.characters.size(); ++glyph)
        if (used.characters[glyph] != 0) {
            glyphs.push_back(std::uint16_t(glyph));
            numbers.push_back(quint32(glyph));
        }
    const double perEm = used.raw.unitsPerEm() > 0 ? used.raw.unitsPerEm() : 1000;
    QRawFont design = used.raw;
    design.setPixelSize(perEm);
    const QList<QPointF> advances = design.advancesForGlyphIndexes(numbers);
    std::string widths = "[";
    for (qsizetype i = 0; i < numbers.size(); ++i)
        widths += std::to_string(numbers[i]) + "[" +
                  std::to_string(thousandths(advances[i].x(), perEm)) + "]";
    widths += "]";
    const std::string name = subsetTag(font) + used.name;
    const int ascent = thousandths(design.ascent(), perEm);
    const int descent = thousandths(design.descent(), perEm);
    const std::string file = trueTypeSubset(table, glyphs);
    return {
        "<</Type/Font/Subtype/Type0/BaseFont/" + name + "/Encoding/Identity-H/DescendantFonts[" +
            ref(first + 1) + "]/ToUnicode " + ref(first + 4) + ">>",
        "<</Type/Font/Subtype/CIDFontType2/BaseFont/" + name +
            "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor " +
            ref(first + 2) + "/CIDToGIDMap/Identity/W" + widths + ">>",
        "<</Type/FontDescriptor/FontName/" + name + "/Flags 32/FontBBox[-1000 -" +
            std::to_string(descent) + " 2000 " + std::to_string(ascent) +
            "]/ItalicAngle 0/Ascent " + std::to_string(ascent) + "/Descent -" +
            std::to_string(descent) + "/CapHeight " + std::to_string(ascent) + "/StemV 80" +
            (file.empty() ? std::string() : "/FontFile2 " + ref(first + 3)) + ">>",
        stream(file, "/Length1 " + std::to_string(file.size())),
        stream(toUnicodeMap(used.characters)),
    };
}
