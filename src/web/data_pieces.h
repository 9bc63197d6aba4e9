// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/chart_data.h"

#include "web/json_text.h"

#include <charconv>
#include <string>

inline constexpr std::size_t pieceSize = 1 << 16;

// Columns of a page's data are written through this, a piece at a time.
// Gathers small writes and hands them on in pieces of about pieceSize bytes.
class PieceBuffer {
public:
    explicit PieceBuffer(const DataWriter& write) : write_(write) { text_.reserve(pieceSize * 2); }

    std::string& text() { return text_; }
    void handOnFull()
    {
        if (text_.size() >= pieceSize)
            handOn();
    }
    void handOn()
    {
        going_ = going_ && write_(text_);
        text_.clear();
    }
    bool going() const { return going_; }

private:
    const DataWriter& write_;
    std::string text_;
    bool going_ = true;
};

inline void appendNumber(std::string& out, long long value)
{
    if (value == 0)
        return;
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

inline void appendField(std::string& out, std::string_view name)
{
    out += ",\"";
    out += name;
    out += "\":";
}


// A numbers column of `count` values, valueAt(k) each, joined by commas.
template <typename ValueAt>
void writeNumbers(PieceBuffer& out, std::string_view name, std::size_t count, ValueAt valueAt)
{
    appendField(out.text(), name);
    out.text() += '"';
    for (std::size_t k = 0; k < count; ++k) {
        if (k > 0)
            out.text() += ',';
        appendNumber(out.text(), valueAt(k));
        out.handOnFull();
    }
    out.text() += '"';
}

// A texts column of `count` UTF-8 texts, textAt(k) each, joined by line feeds.
template <typename TextAt>
void writeTexts(PieceBuffer& out, std::string_view name, std::size_t count, TextAt textAt)
{
    appendField(out.text(), name);
    out.text() += '"';
    for (std::size_t k = 0; k < count; ++k) {
        if (k > 0)
            out.text() += "\\n";
        appendJsonText(out.text(), textAt(k));
        out.handOnFull();
    }
    out.text() += '"';
}
