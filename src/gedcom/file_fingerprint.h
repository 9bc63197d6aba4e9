// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/family_link.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A 64-bit fingerprint of a family file's bytes (FNV-1a by words), never 0: a linked
// chart keeps the one of the file it last took in, so that an unchanged file
// is told without reading it as GEDCOM.
std::uint64_t bytesFingerprint(std::string_view bytes);

// The fingerprint of the regular file's bytes; nullopt when it cannot be read
// or changes size while it is read.
std::optional<std::uint64_t> fileFingerprint(const std::string& path);

// Whether bytes of this fingerprint are the very ones the chart last took in
// from its family file: then an update changes nothing. False for a link that
// keeps no fingerprint.
bool tookInBytes(const FamilyLink& link, std::uint64_t fingerprint);

// The same for the file at path, which need not be read as GEDCOM for it.
bool familyFileUnchanged(const FamilyLink& link, const std::string& path);
