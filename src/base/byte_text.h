// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Byte rules of the chart format, on texts taken as bytes with no character set.

// Exactly n bytes: copied from `bytes` up to its terminator (never past it), then
// padded with blanks. A count of 0 or less gives the empty text.
std::string paddedBytes(const char* bytes, long n);

// Path parts. '/', '\' and ':' all end a folder, so names written on any system
// split the same way.
// What follows the last separator.
std::string_view fileNamePart(std::string_view path);
// Up to and with the last separator; empty without one.
std::string_view folderPart(std::string_view path);
// Up to the last dot, wherever it stands; the whole path without one.
std::string_view withoutExtension(std::string_view path);
// What follows the last dot; empty without one.
std::string_view extensionPart(std::string_view path);
