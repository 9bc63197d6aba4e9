// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/parallel.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

std::size_t parallelParts(std::size_t size, std::size_t minimumPart, std::size_t maximumParts)
{
    const std::size_t processors = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t bySize = size / std::max<std::size_t>(minimumPart, 1);
    return std::max<std::size_t>(1, std::min({processors, bySize, maximumParts}));
}

void runInParallel(std::size_t count, const std::function<void(std::size_t)>& part)
{
    if (count == 0)
        return;
    std::vector<std::exception_ptr> failures(count);
    const auto run = [&](std::size_t index) {
        try {
            part(index);
        } catch (...) {
            failures[index] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(count);
    std::size_t started = 1;
    for (; started < count; ++started) {
        try {
            threads.emplace_back(run, started);
        } catch (const std::system_error&) {
            break; // no more threads: the rest run here
        }
    }
    run(0);
    for (std::size_t index = started; index < count; ++index)
        run(index);
    for (std::thread& thread : threads)
        thread.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}
