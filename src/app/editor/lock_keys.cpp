// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/lock_keys.h"

#include <QGuiApplication>

// Xlib's macros (None, Bool, KeyPress, ...) collide with Qt names: it comes last.
#include <X11/XKBlib.h>

namespace {

bool indicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    Bool on = False;
    return atom != 0 && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
}

} // namespace

std::optional<LockKeyStates> readLockKeys()
{
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    return LockKeyStates{indicatorOn(display, "Caps Lock"), indicatorOn(display, "Num Lock"),
                         indicatorOn(display, "Scroll Lock")};
}
