// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

// Into how many parts work of `size` units is worth splitting here: one per
// processor, each at least `minimumPart` units (thread start-up costs more than
// a little work), and never more than `maximumParts`.
std::size_t parallelParts(std::size_t size, std::size_t minimumPart, std::size_t maximumParts = 8);

// Runs part(0) … part(count - 1) at once, part 0 on the calling thread, and
// returns when all are done. The first exception a part throws is thrown again
// here, once every part has finished; when no thread can be started the parts
// run one after another.
void runInParallel(std::size_t count, const std::function<void(std::size_t)>& part);
