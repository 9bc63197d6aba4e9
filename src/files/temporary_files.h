// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// How Stirpa names the temporary files it writes before renaming them into
// place: the file's name (cut short where the whole would pass the limit of a
// name), temporaryMark, then six letters or digits.
inline constexpr char temporaryMark[] = ".stirpa-tmp-";

// What of a file's name its temporaries begin with.
std::string temporaryStem(std::string_view name);

// The stem of the file whose temporary the folder entry is, or "" when it is none.
std::string_view fileOfTemporary(std::string_view entry);

// A new temporary's name for the file of the given name, with a random suffix.
std::string newTemporaryName(std::string_view name);

// Removes the temporary of the given name in the open folder when its writer
// died: a writer holds a lock on its temporary until it is renamed or removed,
// and the lock goes with the process, so one that can be locked is stale. Only
// a regular file of the user's is removed, never through a symbolic link; where
// the file system has no locks nothing is.
void removeStaleTemporary(int folder, const std::string& name);
