// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Points the home folder and the settings and state folders at `folder`, so a
// test's settings, recovery copies and recent files never reach the user's or
// another run's.
inline void usePrivateHome(const QString& folder)
{
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
        qputenv(name, folder.toUtf8());
}
