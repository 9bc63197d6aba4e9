// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "files/temporary_files.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Replaces the file at path by bytes, or leaves it untouched: the bytes go to a
// temporary file in the same folder, are flushed to disk, and the temporary file
// is renamed over the old one. A symbolic link is followed, and an existing
// file's permissions (unless permissions are given; the temporary is readable
// by its owner only until they are set), owner and group (where allowed) are
// kept. An existing target that is not a regular file is refused (CannotWrite),
// as is one without write permission (WriteProtected). On failure the result
// names the cause (CannotCreate or CannotWrite), and no temporary file is left
// behind.
//
// The temporary is named as temporary_files.h says and is
// locked while it is written. A process killed while saving leaves its temporary
// behind; the next save of the same file removes every such temporary that no
// live writer holds. AtomicFileSet writes several files at the cost of about one.
Result writeFileAtomically(const std::string& path, std::string_view bytes,
                           std::optional<unsigned> permissions = std::nullopt);

// Takes one piece of the file; false once writing has failed (the rest may be skipped).
using PieceWriter = std::function<bool(std::string_view piece)>;
// The same with the bytes made piece by piece: produce hands them, in order, to
// the writer it is given, so a large file need never be in memory whole.
Result writeFileAtomically(const std::string& path,
                           const std::function<void(const PieceWriter&)>& produce,
                           std::optional<unsigned> permissions = std::nullopt);
