// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <new>

// Runs work in a child process whose address space has room for only 200 MB
// more than it already uses, so a file of a gigabyte cannot be held. Returns
// what work returned (0 to 99), 100 when it ran out of memory, 101 when it
// threw anything else, -1 when the child did not end by itself.
inline int inChildWithLittleMemory(const std::function<int()>& work)
{
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        // The child never returns into the test library, whatever happens.
        try {
            long pages = 0;
            std::ifstream("/proc/self/statm") >> pages;
            const rlim_t room = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + (200 << 20);
            const rlimit limit{room, room};
            ::setrlimit(RLIMIT_AS, &limit);
            ::_exit(work());
        } catch (const std::bad_alloc&) {
            ::_exit(100);
        } catch (...) {
            ::_exit(101);
        }
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
