// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_table.h"

#include "command_ids.h"

const std::vector<CommandInfo>& commandTable()
{
    using namespace cmd;
    // The shortcuts a menu text shows always work, besides the table's own keys.
    static const std::vector<CommandInfo> table = {
        {fileNew, "&New\tCtrl+N", "Ctrl+N", "Create a new, empty tree\nNew"},
        {fileOpen, "&Open...\tCtrl+O", "Ctrl+O", "Open an existing tree file\nOpen"},
        {fileSave, "&Save\tCtrl+S", "Ctrl+S", "Save the active tree in a file\nSave"},
        {fileSaveAs, "Save &As...", "", "Save the active tree under a new name\nSave As"},
        {fileExportHtml, "Export &html...\tCtrl+H", "Ctrl+H",
         "Write an html file to put the tree into your website "},
        {filePrint, "&Print...\tCtrl+P", "Ctrl+P", "Print the active document\nPrint"},
        {filePrintPreview, "Print Pre&view", "", "Display full pages\nPrint Preview"},
        {filePrintSetup, "P&rint Setup...", "",
         "Change the printer and printing options\nPrint Setup"},
        {fileLogTree, "Log tree", "", "Produce debug information in file \"stirpalog.txt\""},
        {fileRecent, "Recent File", "", "Open this document"},
        {appExit, "E&xit", "", "Quit the application; prompts to save documents\nExit"},
        {editUndo, "&Undo\tCtrl+Z", "Ctrl+Z;Alt+Backspace", "Undo the last action\nUndo"},
        {editCut, "Cu&t\tCtrl+X", "Ctrl+X;Shift+Del",
         "Cut the selection and put it on the Clipboard\nCut"},
        {editCopy, "&Copy\tCtrl+C", "Ctrl+C;Ctrl+Ins",
         "Copy the selection and put it on the Clipboard\nCopy"},
        {editPaste, "&Paste\tCtrl+V", "Ctrl+V;Shift+Ins", "Insert Clipboard contents\nPaste"},
        {viewToolbar, "&Toolbar", "", "Show or hide the toolbar\nToggle ToolBar"},
        {viewStatusBar, "&Status Bar", "", "Show or hide the status bar\nToggle StatusBar"},
        {viewRefresh, "&Refresh\tCtrl+R", "Ctrl+R", ""},
        {treeDefinePerson, "&Define person...", "Return;Enter",
         "Enter or change description and connections for a person"},
        {treeInsertColumn, "Insert &column\tCtrl++", "Alt++;Ctrl++",
         "Insert a blank column to the left of currently selected person"},
        {treeInsertRow, "Insert &row\tCtrl+Shift++", "Alt+?;Ctrl+Shift++",
         "Insert a blank row above currently selected person"},
        {treeFindParent, "Find &parent...", "", ""},
        {treeSettings, "&Settings...", "", "Change settings for you tree, such as the box size"},
        {helpTopics, "&Help topics...", "", ""},
        {helpIndex, "Help &index...", "", ""},
        {helpSample, "&Sample", "", "Open a small sample tree to play with"},
        {appAbout, "&About Stirpa...", "",
         "Display program information, version number and copyright\nAbout"},
    };
    return table;
}

const CommandInfo* findCommand(int id)
{
    for (const CommandInfo& command : commandTable()) {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}

const std::vector<MenuInfo>& menuLayout()
{
    using namespace cmd;
    static const std::vector<MenuInfo> menus = {
        {"&File",
         {fileNew, fileOpen, fileSave, fileSaveAs, 0, fileExportHtml, 0, filePrint,
          filePrintPreview, filePrintSetup, fileLogTree, 0, fileRecent, 0, appExit}},
        {"&Edit", {editUndo, 0, editCut, editCopy, editPaste}},
        {"&View", {viewToolbar, viewStatusBar, viewRefresh}},
        {"&Tree",
         {treeDefinePerson, treeInsertColumn, treeInsertRow, treeFindParent, 0, treeSettings}},
        {"&Help", {helpTopics, helpIndex, helpSample, 0, appAbout}},
    };
    return menus;
}

const std::vector<int>& toolbarLayout()
{
    using namespace cmd;
    static const std::vector<int> buttons = {fileNew,  fileOpen,  fileSave, 0,         editCut,
                                             editCopy, editPaste, 0,        filePrint, appAbout};
    return buttons;
}
