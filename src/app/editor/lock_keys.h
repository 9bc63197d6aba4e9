// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

struct LockKeyStates {
    bool caps = false;
    bool num = false;
    bool scroll = false;

    friend bool operator==(const LockKeyStates&, const LockKeyStates&) = default;
};

// The keyboard's lock keys as the window system reports them, or nothing where
// it cannot tell (Qt has no portable way; X11 can).
std::optional<LockKeyStates> readLockKeys();
