// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iostream>
#include <streambuf>
#include <string>
#include <string_view>

// Text for a terminal: each control character but newline and tab becomes
// U+FFFD, so that no name or path a file holds can move the cursor, retitle
// the window or ring the bell.
std::string terminalText(std::string_view text);

// Hands what is written to it on to `target` as terminalText, line by line.
class TerminalTextBuffer : public std::streambuf {
public:
    explicit TerminalTextBuffer(std::streambuf* target) : target_(target) {}
    ~TerminalTextBuffer() override;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;

private:
    // Hands on the text held; a last byte that may begin a two-byte control
    // character waits for the next unless `all`.
    bool handOn(bool all);

    std::streambuf* target_;
    std::string held_;
};

// Standard output and error through TerminalTextBuffers; error unbuffered, as
// std::cerr is.
struct TerminalStreams {
    TerminalStreams() { err.setf(std::ios::unitbuf); }

    TerminalTextBuffer outText{std::cout.rdbuf()};
    TerminalTextBuffer errText{std::cerr.rdbuf()};
    std::ostream out{&outText};
    std::ostream err{&errText};
};
