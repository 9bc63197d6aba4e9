// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The enabled state and, where it changes, the menu text of a command.
struct CommandState {
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    QString text; // empty: keep the menu text
};

// Something that handles commands: the view, the document's window, the
// application. Commands are offered to the targets in turn until one takes it.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // True when the target handled the command.
    virtual bool onCommand(int id) = 0;
    // True when the target owns the command; it then fills in the state.
    virtual bool updateCommand(int id, CommandState& state) = 0;
};
