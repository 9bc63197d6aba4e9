// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// While it lives, Qt's notices about its surroundings ("XDG_RUNTIME_DIR not
// set") are dropped: they are no part of what stirpa says. Qt's errors still
// show, through the handler that was there before.
class QtNoticesHidden {
public:
    QtNoticesHidden();
    ~QtNoticesHidden();
    QtNoticesHidden(const QtNoticesHidden&) = delete;
    QtNoticesHidden& operator=(const QtNoticesHidden&) = delete;
};
