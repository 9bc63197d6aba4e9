// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_notices.h"

#include <atomic>
#include <mutex>

namespace {

std::mutex handlerMutex;
std::function<void(const Result&)> noticeHandler;
std::atomic<std::chrono::milliseconds::rep> waitLimit{30'000};

} // namespace

void setFileNoticeHandler(std::function<void(const Result& note)> handler)
{
    const std::lock_guard<std::mutex> lock(handlerMutex);
    noticeHandler = std::move(handler);
}

void fileNotice(const Result& note)
{
    const std::lock_guard<std::mutex> lock(handlerMutex);
    if (noticeHandler)
        noticeHandler(note);
}

std::chrono::milliseconds writerWaitLimit() { return std::chrono::milliseconds(waitLimit.load()); }

void setWriterWaitLimit(std::chrono::milliseconds limit) { waitLimit = limit.count(); }
