// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Command identifiers; they also name the commands in the menus and shortcuts.
namespace cmd {
inline constexpr int fileNew = 57600;
inline constexpr int fileOpen = 57601;
inline constexpr int fileSave = 57603;
inline constexpr int fileSaveAs = 57604;
inline constexpr int fileExportHtml = 32775;
inline constexpr int filePrint = 57607;
inline constexpr int filePrintDirect = 57608;
inline constexpr int filePrintPreview = 57609;
inline constexpr int filePrintSetup = 57606;
inline constexpr int fileLogTree = 32772;
inline constexpr int fileRecent = 57616;
inline constexpr int appExit = 57665;
inline constexpr int editUndo = 57643;
inline constexpr int editCut = 57635;
inline constexpr int editCopy = 57634;
inline constexpr int editPaste = 57637;
inline constexpr int viewToolbar = 59392;
inline constexpr int viewStatusBar = 59393;
inline constexpr int viewRefresh = 32774;
inline constexpr int treeDefinePerson = 32771;
inline constexpr int treeInsertColumn = 32780;
inline constexpr int treeInsertRow = 32779;
inline constexpr int treeFindParent = 32783;
inline constexpr int treeSettings = 32778;
inline constexpr int helpTopics = 32776;
inline constexpr int helpIndex = 32777;
inline constexpr int helpSample = 32782;
inline constexpr int appAbout = 57664;
inline constexpr int nextPane = 57680;
inline constexpr int previousPane = 57681;
} // namespace cmd
