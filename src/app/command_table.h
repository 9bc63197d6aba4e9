// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

// One command of the editor: its id, menu text, shortcuts and status prompt.
struct CommandInfo {
    int id;
    std::string_view text;   // menu text; after '\t' the shortcut shown
    std::string_view keys;   // shortcuts, ';'-separated, in QKeySequence's portable form
    std::string_view prompt; // status-bar prompt; after '\n' the tool tip
};

// Every command, in menu order within each menu.
const std::vector<CommandInfo>& commandTable();
const CommandInfo* findCommand(int id);

// A top-level menu: its title and its command ids in order; 0 is a separator.
struct MenuInfo {
    std::string_view title;
    std::vector<int> items;
};
const std::vector<MenuInfo>& menuLayout();

// The toolbar's command ids left to right; 0 is a separator.
const std::vector<int>& toolbarLayout();
