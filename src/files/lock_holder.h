// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <string>
#include <sys/types.h>

// The process holding a whole-file lock (flock) on the file of the open
// descriptor, as the system lists it; 0 when none is listed or the list cannot
// be read.
pid_t lockHolder(int fd);

// Takes an exclusive flock on fd, which another Stirpa writing in folder may
// hold: then says so at once (a notice naming the folder and the holder) and
// waits at most writerWaitLimit(). Fails, naming both, when the wait ran out.
Result lockWaitingAtMost(int fd, const std::string& folder);
