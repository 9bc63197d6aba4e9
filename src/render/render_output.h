// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/atomic_file.h"

#include <functional>
#include <string>
#include <string_view>

// Told the share of a render done (0 to 1); answers false to stop it.
using RenderProgress = std::function<bool(double done)>;

// Thrown out of drawing when a render stops early: its output failed or it
// was cancelled.
struct RenderStopped {};

// Where a render's bytes go, in pieces of a useful size, and how far it is.
class RenderOutput {
public:
    explicit RenderOutput(PieceWriter writer, RenderProgress progress = {});
    RenderOutput(const RenderOutput&) = delete;
    RenderOutput& operator=(const RenderOutput&) = delete;

    void write(std::string_view bytes);
    // Hands on what is buffered.
    void flush();
    bool failed() const { return failed_; }
    bool cancelled() const { return cancelled_; }

    // Reports the share done; throws RenderStopped once the output has failed
    // or the render is cancelled.
    void reportDone(double done);
    // The same counted in steps (boxes drawn), of which `expected` make the whole.
    void expectSteps(long long expected);
    void step();

private:
    PieceWriter writer_;
    RenderProgress progress_;
    std::string buffer_;
    bool failed_ = false;
    bool cancelled_ = false;
    long long steps_ = 0;
    long long expected_ = 1;
};
