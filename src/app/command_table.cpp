// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_table.h"

namespace {

constexpr CommandSlot separator{true};

constexpr CommandSlot item(Command id) { return {false, id}; }

} // namespace

const std::vector<CommandInfo>& commandTable()
{
    using enum Command;
    // The shortcuts a menu text shows always work, besides the table's own keys.
    static const std::vector<CommandInfo> table = {
        {FileNew, "&New\tCtrl+N", "Ctrl+N", "Create a new, empty tree\nNew"},
        {FileOpen, "&Open...\tCtrl+O", "Ctrl+O", "Open an existing tree file\nOpen"},
        {FileRecover, "Re&cover...", "",
         "Open or discard the unsaved changes of an editor that crashed\nRecover"},
        {FileSave, "&Save\tCtrl+S", "Ctrl+S", "Save the active tree in a file\nSave"},
        {FileSaveAs, "Save &As...", "", "Save the active tree under a new name\nSave As"},
        {FileImportGedcom, "&Import GEDCOM...", "",
         "Make a chart of a person's descendants or ancestors from a GEDCOM file\nImport GEDCOM"},
        {FileExportHtml, "Export &html...\tCtrl+H", "Ctrl+H",
         "Write an html file to put the tree into your website "},
        {FileExportImage, "Export &image...", "",
         "Write the chart as a PNG or SVG picture or a PDF document\nExport image"},
        {FilePrint, "&Print...\tCtrl+P", "Ctrl+P", "Print the active document\nPrint"},
        {FilePrintPreview, "Print Pre&view", "", "Display full pages\nPrint Preview"},
        {FilePrintSetup, "P&rint Setup...", "",
         "Change the printer and printing options\nPrint Setup"},
        {FileLogTree, "Log tree", "", "Produce debug information in file \"stirpalog.txt\""},
        {FileRecent, "Recent File", "", "Open this document"},
        {AppExit, "E&xit", "Ctrl+Q", "Quit the application; prompts to save documents\nExit"},
        {EditUndo, "&Undo\tCtrl+Z", "Ctrl+Z;Alt+Backspace", "Undo the last action\nUndo"},
        {EditCut, "Cu&t\tCtrl+X", "Ctrl+X;Shift+Del",
         "Cut the selection and put it on the Clipboard\nCut"},
        {EditCopy, "&Copy\tCtrl+C", "Ctrl+C;Ctrl+Ins",
         "Copy the selection and put it on the Clipboard\nCopy"},
        {EditPaste, "&Paste\tCtrl+V", "Ctrl+V;Shift+Ins", "Insert Clipboard contents\nPaste"},
        {EditFind, "&Find...\tCtrl+F", "Ctrl+F", "Find a box by its text\nFind"},
        {ViewToolbar, "&Toolbar", "", "Show or hide the toolbar\nToggle ToolBar"},
        {ViewStatusBar, "&Status Bar", "", "Show or hide the status bar\nToggle StatusBar"},
        {ViewRefresh, "&Refresh\tCtrl+R", "Ctrl+R", ""},
        // Ctrl++ stays Insert column, so zooming in is Ctrl+= (and Ctrl+wheel).
        {ViewZoomIn, "Zoom &In\tCtrl+=", "Ctrl+=", "Show the chart larger\nZoom In"},
        {ViewZoomOut, "Zoom &Out\tCtrl+-", "Ctrl+-", "Show the chart smaller\nZoom Out"},
        {ViewActualSize, "&Actual Size\tCtrl+0", "Ctrl+0", "Show the chart at its own size"},
        {ViewFitChart, "&Fit Chart\tCtrl+9", "Ctrl+9", "Show the whole chart in the window"},
        {ViewOverview, "O&verview", "", "Show or hide the overview of the whole chart"},
        {TreeDefinePerson, "&Define person...", "Return;Enter",
         "Enter or change description and connections for a person"},
        {TreeInsertColumn, "Insert &column\tCtrl++", "Alt++;Ctrl++",
         "Insert a blank column to the left of currently selected person"},
        {TreeInsertRow, "Insert &row\tCtrl+Shift++", "Alt+?;Ctrl+Shift++",
         "Insert a blank row above currently selected person"},
        {TreeFindParent, "Find &parent...", "", ""},
        {TreeSettings, "&Settings...", "", "Change settings for you tree, such as the box size"},
        {HelpTopics, "&Help topics...", "", ""},
        {HelpIndex, "Help &index...", "", ""},
        {HelpSample, "&Sample", "", "Open a small sample tree to play with"},
        {AppAbout, "&About Stirpa...", "",
         "Display program information, version number and copyright\nAbout"},
    };
    return table;
}

const std::vector<MenuInfo>& menuLayout()
{
    using enum Command;
    static const std::vector<MenuInfo> menus = {
        {"&File",
         {item(FileNew), item(FileOpen), item(FileRecover), item(FileSave), item(FileSaveAs),
          separator, item(FileImportGedcom), item(FileExportHtml), item(FileExportImage), separator,
          item(FilePrint), item(FilePrintPreview), item(FilePrintSetup), item(FileLogTree),
          separator, item(FileRecent), separator, item(AppExit)}},
        {"&Edit",
         {item(EditUndo), separator, item(EditCut), item(EditCopy), item(EditPaste), separator,
          item(EditFind)}},
        {"&View",
         {item(ViewToolbar), item(ViewStatusBar), item(ViewRefresh), separator, item(ViewZoomIn),
          item(ViewZoomOut), item(ViewActualSize), item(ViewFitChart), separator,
          item(ViewOverview)}},
        {"&Tree",
         {item(TreeDefinePerson), item(TreeInsertColumn), item(TreeInsertRow), item(TreeFindParent),
          separator, item(TreeSettings)}},
        {"&Help", {item(HelpTopics), item(HelpIndex), item(HelpSample), separator, item(AppAbout)}},
    };
    return menus;
}

const std::vector<CommandSlot>& toolbarLayout()
{
    using enum Command;
    static const std::vector<CommandSlot> buttons = {
        item(FileNew),  item(FileOpen),  item(FileSave), separator,       item(EditCut),
        item(EditCopy), item(EditPaste), separator,      item(FilePrint), item(AppAbout)};
    return buttons;
}
