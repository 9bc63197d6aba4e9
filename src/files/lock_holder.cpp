// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/lock_holder.h"

#include "base/regular_file.h"
#include "files/file_notices.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>

pid_t lockHolder(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return 0;
    // Lines as "1: FLOCK  ADVISORY  WRITE 4242 08:01:1312 0 EOF"; a waiter's
    // line has "->" after the number and is not the holder.
    std::ifstream locks("/proc/locks");
    std::ostringstream wanted;
    wanted << std::hex;
    wanted.fill('0');
    wanted.width(2);
    wanted << major(info.st_dev) << ':';
    wanted.width(2);
    wanted << minor(info.st_dev) << ':' << std::dec << info.st_ino;
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, file;
        pid_t pid = 0;
        fields >> number >> kind;
        if (kind == "->")
            continue;
        if (fields >> mode >> access >> pid >> file && kind == "FLOCK" && file == wanted.str())
            return pid;
    }
    return 0;
}

Result lockWaitingAtMost(int fd, const std::string& folderGiven)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK)
        return {}; // locked, or a file system without locks: nothing to wait for
    const pid_t holder = lockHolder(fd);
    // "." says little in a message: the folder by its real path.
    const std::string folder = resolvedPath(folderGiven);
    const std::string process = std::to_string(holder);
    fileNotice(
        holder ? Result::note(STIRPA_TR_NOOP("Message", "Waiting for another Stirpa (process %2) "
                                                        "that is writing charts in %1 ..."),
                              {folder, process})
               : Result::note(STIRPA_TR_NOOP("Message", "Waiting for another Stirpa that "
                                                        "is writing charts in %1 ..."),
                              {folder}));
    const auto limit = writerWaitLimit();
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (auto pause = std::chrono::milliseconds(5);;
         pause = std::min(pause * 2, std::chrono::milliseconds(100))) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return {};
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(pause);
    }
    const std::string seconds = std::to_string((limit.count() + 999) / 1000);
    return holder ? Result::failure(Result::Failed,
                                    STIRPA_TR_NOOP("Message",
                                                   "Another Stirpa (process %2) is still writing "
                                                   "charts in %1; gave up waiting after %3 "
                                                   "seconds."),
                                    {folder, process, seconds})
                  : Result::failure(Result::Failed,
                                    STIRPA_TR_NOOP("Message",
                                                   "Another Stirpa is still writing charts in %1; "
                                                   "gave up waiting after %2 seconds."),
                                    {folder, seconds});
}
