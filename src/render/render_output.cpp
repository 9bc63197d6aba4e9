// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/render_output.h"

#include <algorithm>

namespace {
constexpr std::size_t pieceSize = 1 << 16;
// Progress is told now and then, not for every box.
constexpr long long stepsPerReport = 512;
} // namespace

RenderOutput::RenderOutput(PieceWriter writer, RenderProgress progress)
    : writer_(std::move(writer)),
      progress_(std::move(progress))
{
}

void RenderOutput::write(std::string_view bytes)
{
    buffer_.append(bytes);
    if (buffer_.size() >= pieceSize)
        flush();
}

void RenderOutput::flush()
{
    if (!failed_ && !buffer_.empty() && !writer_(buffer_))
        failed_ = true;
    buffer_.clear();
}

void RenderOutput::reportDone(double done)
{
    if (progress_ && !cancelled_ && !progress_(std::clamp(done, 0.0, 1.0)))
        cancelled_ = true;
    if (failed_ || cancelled_)
        throw RenderStopped();
}

void RenderOutput::expectSteps(long long expected)
{
    steps_ = 0;
    expected_ = std::max(1LL, expected);
}

void RenderOutput::step()
{
    if (++steps_ % stepsPerReport == 0)
        reportDone(double(steps_) / double(expected_));
}
