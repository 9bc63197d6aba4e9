// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <chrono>
#include <functional>

// What the file layer tells the user while a command goes on: that it waits
// for another Stirpa, or leaves alone a journal it does not trust. The command
// line prints each at once, the window shows it; with no handler set, nothing.
void setFileNoticeHandler(std::function<void(const Result& note)> handler);
void fileNotice(const Result& note);

// How long a command waits for another Stirpa writing in the same folder
// before it gives up (30 seconds unless set).
std::chrono::milliseconds writerWaitLimit();
void setWriterWaitLimit(std::chrono::milliseconds limit);
