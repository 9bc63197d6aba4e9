// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/terminal_text.h"

#include "base/control_characters.h"

namespace {

// Past this much text without a newline the buffer hands on what it holds.
constexpr std::size_t heldLimit = 1 << 14;

} // namespace

std::string terminalText(std::string_view text) { return withControlsReplaced(text, "\n\t"); }

TerminalTextBuffer::~TerminalTextBuffer()
{
    handOn(true);
    target_->pubsync();
}

TerminalTextBuffer::int_type TerminalTextBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize TerminalTextBuffer::xsputn(const char* bytes, std::streamsize count)
{
    held_.append(bytes, std::size_t(count));
    const std::string_view piece(bytes, std::size_t(count));
    if (piece.find('\n') == std::string_view::npos && held_.size() < heldLimit)
        return count;
    return handOn(false) ? count : 0;
}

int TerminalTextBuffer::sync()
{
    if (!handOn(false))
        return -1;
    return target_->pubsync();
}

bool TerminalTextBuffer::handOn(bool all)
{
    // A control character may span two writes: a last C2 (C1) or EF, EF BF
    // (U+FFFE, U+FFFF) waits for what follows.
    std::size_t keep = 0;
    if (!all && held_.ends_with("\xEF\xBF"))
        keep = 2;
    else if (!all && (held_.ends_with('\xC2') || held_.ends_with('\xEF')))
        keep = 1;
    const std::string text = terminalText(std::string_view(held_).substr(0, held_.size() - keep));
    held_.erase(0, held_.size() - keep);
    return target_->sputn(text.data(), std::streamsize(text.size())) ==
           std::streamsize(text.size());
}
