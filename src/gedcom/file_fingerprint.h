// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A 64-bit fingerprint of a family file's bytes (FNV-1a by words), never 0: a linked
// chart keeps the one of the file it last took in, so that an unchanged file
// is told without reading it as GEDCOM.
std::uint64_t bytesFingerprint(std::string_view bytes);

// The fingerprint of the regular file's bytes; nullopt when it cannot be read.
std::optional<std::uint64_t> fileFingerprint(const std::string& path);
