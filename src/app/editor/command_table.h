// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// The editor's commands; each becomes one QAction of the main window.
enum class Command {
    FileNew,
    FileOpen,
    FileRecover,
    FileSave,
    FileSaveAs,
    FileImportGedcom,
    FileUpdateFromFamily,
    FileExportHtml,
    FileExportImage,
    FilePublishWeb,
    FilePrint,
    FilePrintPreview,
    FilePrintSetup,
    FileLogTree,
    FileRecent, // the greyed placeholder of an empty recent-file list
    AppExit,
    EditUndo,
    EditCut,
    EditCopy,
    EditPaste,
    EditFind,
    ViewToolbar,
    ViewStatusBar,
    ViewRefresh,
    ViewZoomIn,
    ViewZoomOut,
    ViewActualSize,
    ViewFitChart,
    ViewOverview,
    TreeDefinePerson,
    TreeInsertColumn,
    TreeInsertRow,
    TreeFindParent,
    TreeRelationship,
    TreeLinkFamily,
    TreeSettings,
    HelpTopics,
    HelpIndex,
    HelpSample,
    AppAbout,
};

// One command's menu text, shortcuts and status prompt. The texts are English,
// to be translated in the "Command" context.
struct CommandInfo {
    Command id;
    const char* text;   // menu text; after '\t' the shortcut shown
    const char* keys;   // shortcuts, ';'-separated, in QKeySequence's portable form
    const char* prompt; // status-bar prompt; after '\n' the tool tip
};

// Every command, in menu order within each menu.
const std::vector<CommandInfo>& commandTable();

// A place in a menu or the toolbar: a command, or a separator.
struct CommandSlot {
    bool separator = false;
    Command id = Command::FileNew;
};

// A top-level menu: its title and its items in order.
struct MenuInfo {
    const char* title; // English, as the command texts
    std::vector<CommandSlot> items;
};
const std::vector<MenuInfo>& menuLayout();

// The toolbar's buttons left to right.
const std::vector<CommandSlot>& toolbarLayout();
