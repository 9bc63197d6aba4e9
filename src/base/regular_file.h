// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/file_descriptor.h"

#include <cstddef>
#include <string>
#include <string_view>

// Opens a file for reading only when it is a regular file (links followed). A
// FIFO, a device or a folder is refused at once, never waited on: the open does
// not block, and the kind is checked on the open descriptor, so nothing can be
// swapped in between. Returns the descriptor (blocking again, close-on-exec), or
// none with errno set; a file that is not regular gives EINVAL (EISDIR for a folder).
FileDescriptor openRegularFile(const std::string& path);

// Reads what is left of an open file into bytes, at most limit bytes. false on a
// read error or when the file holds more than limit bytes (errno EFBIG); bytes
// then holds what was read.
bool readAtMost(int fd, std::size_t limit, std::string& bytes);

// Writes all of bytes to an open file, going on after interruptions; false with
// errno set when a write fails.
bool writeAll(int fd, std::string_view bytes);

// The first bytes of a regular file, at most size of them, cut after its last
// whole line; empty when it cannot be read.
std::string readFileStart(const std::string& path, std::size_t size);

// Whether two paths name one file, by device and inode (so hard and symbolic
// links too); false when either cannot be looked at.
bool sameFile(const std::string& first, const std::string& second);

// The folder part of a path on this system: "." for a bare name.
std::string folderOfPath(const std::string& path);
// The name part of a path on this system: what follows its last '/'.
std::string nameOfPath(const std::string& path);

// The real file a path names, links followed (/proc/self/fd/N too); for a file
// not made yet, its folder's real path and its name (the path itself when the
// folder is missing too).
std::string resolvedPath(const std::string& path);
