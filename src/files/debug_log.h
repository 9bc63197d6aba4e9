// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>

// The program's one plain-text diagnostic log. Until a log is opened, writes go
// nowhere. Writes are buffered: each logged operation flushes the log at its
// end (std::endl or flush), and what is left is written at exit.
std::ostream& debugLog();

// Opens (truncating) the log file. A symbolic link, a FIFO or anything else but a
// regular file is left alone. When the log cannot be had, one line on stderr
// says why, writes are lost and the result is false.
bool openDebugLog(const std::string& path = "stirpalog.txt");

// Sends the log to another stream (tests); null restores the file.
void redirectDebugLog(std::ostream* stream);
