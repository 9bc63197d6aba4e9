// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/command_table.h"

#include <QtGlobal>

namespace {

constexpr CommandSlot separator{true};

constexpr CommandSlot item(Command id) { return {false, id}; }

} // namespace

const std::vector<CommandInfo>& commandTable()
{
    using enum Command;
    // The shortcuts a menu text shows always work, besides the table's own keys.
    static const std::vector<CommandInfo> table = {
        {FileNew, QT_TRANSLATE_NOOP("Command", "&New\tCtrl+N"), "Ctrl+N",
         QT_TRANSLATE_NOOP("Command", "Create a new, empty tree\nNew")},
        {FileOpen, QT_TRANSLATE_NOOP("Command", "&Open...\tCtrl+O"), "Ctrl+O",
         QT_TRANSLATE_NOOP("Command", "Open an existing tree file\nOpen")},
        {FileRecover, QT_TRANSLATE_NOOP("Command", "Re&cover..."), "",
         QT_TRANSLATE_NOOP(
             "Command", "Open or discard the unsaved changes of an editor that crashed\nRecover")},
        {FileSave, QT_TRANSLATE_NOOP("Command", "&Save\tCtrl+S"), "Ctrl+S",
         QT_TRANSLATE_NOOP("Command", "Save the active tree in a file\nSave")},
        {FileSaveAs, QT_TRANSLATE_NOOP("Command", "Save &As..."), "",
         QT_TRANSLATE_NOOP("Command", "Save the active tree under a new name\nSave As")},
        {FileImportGedcom, QT_TRANSLATE_NOOP("Command", "&Import GEDCOM..."), "",
         QT_TRANSLATE_NOOP("Command", "Make a chart of a person's descendants or ancestors from a "
                                      "GEDCOM file\nImport GEDCOM")},
        {FileUpdateFromFamily, QT_TRANSLATE_NOOP("Command", "&Update from family file..."), "",
         QT_TRANSLATE_NOOP("Command", "Bring the chart up to date with the GEDCOM file it was "
                                      "imported from, keeping your layout\nUpdate from family "
                                      "file")},
        {FileExportHtml, QT_TRANSLATE_NOOP("Command", "Export &html...\tCtrl+H"), "Ctrl+H",
         QT_TRANSLATE_NOOP("Command", "Write an html file to put the tree into your website ")},
        {FileExportImage, QT_TRANSLATE_NOOP("Command", "Export i&mage..."), "",
         QT_TRANSLATE_NOOP(
             "Command", "Write the chart as a PNG or SVG picture or a PDF document\nExport image")},
        {FilePublishWeb, QT_TRANSLATE_NOOP("Command", "Publish &web page..."), "",
         QT_TRANSLATE_NOOP("Command", "Write the chart as one web page to pan, zoom and search in "
                                      "a browser\nPublish web page")},
        {FilePrint, QT_TRANSLATE_NOOP("Command", "&Print...\tCtrl+P"), "Ctrl+P",
         QT_TRANSLATE_NOOP("Command", "Print the active document\nPrint")},
        {FilePrintPreview, QT_TRANSLATE_NOOP("Command", "Print Pre&view"), "",
         QT_TRANSLATE_NOOP("Command", "Display full pages\nPrint Preview")},
        {FilePrintSetup, QT_TRANSLATE_NOOP("Command", "P&rint Setup..."), "",
         QT_TRANSLATE_NOOP("Command", "Change the printer and printing options\nPrint Setup")},
        {FileLogTree, QT_TRANSLATE_NOOP("Command", "Log tree"), "",
         QT_TRANSLATE_NOOP("Command", "Produce debug information in file \"stirpalog.txt\"")},
        {FileRecent, QT_TRANSLATE_NOOP("Command", "Recent File"), "",
         QT_TRANSLATE_NOOP("Command", "Open this document")},
        {AppExit, QT_TRANSLATE_NOOP("Command", "E&xit"), "Ctrl+Q",
         QT_TRANSLATE_NOOP("Command", "Quit the application; prompts to save documents\nExit")},
        {EditUndo, QT_TRANSLATE_NOOP("Command", "&Undo\tCtrl+Z"), "Ctrl+Z;Alt+Backspace",
         QT_TRANSLATE_NOOP("Command", "Undo the last action\nUndo")},
        {EditCut, QT_TRANSLATE_NOOP("Command", "Cu&t\tCtrl+X"), "Ctrl+X;Shift+Del",
         QT_TRANSLATE_NOOP("Command", "Cut the selection and put it on the Clipboard\nCut")},
        {EditCopy, QT_TRANSLATE_NOOP("Command", "&Copy\tCtrl+C"), "Ctrl+C;Ctrl+Ins",
         QT_TRANSLATE_NOOP("Command", "Copy the selection and put it on the Clipboard\nCopy")},
        {EditPaste, QT_TRANSLATE_NOOP("Command", "&Paste\tCtrl+V"), "Ctrl+V;Shift+Ins",
         QT_TRANSLATE_NOOP("Command", "Insert Clipboard contents\nPaste")},
        {EditFind, QT_TRANSLATE_NOOP("Command", "&Find...\tCtrl+F"), "Ctrl+F",
         QT_TRANSLATE_NOOP("Command", "Find a box by its text\nFind")},
        {ViewToolbar, QT_TRANSLATE_NOOP("Command", "&Toolbar"), "",
         QT_TRANSLATE_NOOP("Command", "Show or hide the toolbar\nToggle ToolBar")},
        {ViewStatusBar, QT_TRANSLATE_NOOP("Command", "&Status Bar"), "",
         QT_TRANSLATE_NOOP("Command", "Show or hide the status bar\nToggle StatusBar")},
        {ViewRefresh, QT_TRANSLATE_NOOP("Command", "&Refresh\tCtrl+R"), "Ctrl+R", ""},
        // Ctrl++ stays Insert column, so zooming in is Ctrl+= (and Ctrl+wheel).
        {ViewZoomIn, QT_TRANSLATE_NOOP("Command", "Zoom &In\tCtrl+="),
         "Ctrl+=", QT_TRANSLATE_NOOP("Command", "Show the chart larger\nZoom In")},
        {ViewZoomOut, QT_TRANSLATE_NOOP("Command", "Zoom &Out\tCtrl+-"), "Ctrl+-",
         QT_TRANSLATE_NOOP("Command", "Show the chart smaller\nZoom Out")},
        {ViewActualSize, QT_TRANSLATE_NOOP("Command", "&Actual Size\tCtrl+0"), "Ctrl+0",
         QT_TRANSLATE_NOOP("Command", "Show the chart at its own size")},
        {ViewFitChart, QT_TRANSLATE_NOOP("Command", "&Fit Chart\tCtrl+9"), "Ctrl+9",
         QT_TRANSLATE_NOOP("Command", "Show the whole chart in the window")},
        {ViewOverview, QT_TRANSLATE_NOOP("Command", "O&verview"), "",
         QT_TRANSLATE_NOOP("Command", "Show or hide the overview of the whole chart")},
        {TreeDefinePerson, QT_TRANSLATE_NOOP("Command", "&Define person..."), "Return;Enter",
         QT_TRANSLATE_NOOP("Command", "Enter or change description and connections for a person")},
        {TreeInsertColumn, QT_TRANSLATE_NOOP("Command", "Insert &column\tCtrl++"), "Alt++;Ctrl++",
         QT_TRANSLATE_NOOP("Command",
                           "Insert a blank column to the left of currently selected person")},
        {TreeInsertRow, QT_TRANSLATE_NOOP("Command", "Insert &row\tCtrl+Shift++"),
         "Alt+?;Ctrl+Shift++",
         QT_TRANSLATE_NOOP("Command", "Insert a blank row above currently selected person")},
        {TreeFindParent, QT_TRANSLATE_NOOP("Command", "Find &parent..."), "", ""},
        {TreeRelationship, QT_TRANSLATE_NOOP("Command", "Rela&tionship..."), "",
         QT_TRANSLATE_NOOP("Command", "Tell how the person of the box selected before is related "
                                      "to the person of the selected box\nRelationship")},
        {TreeLinkFamily, QT_TRANSLATE_NOOP("Command", "&Link to family file..."), "",
         QT_TRANSLATE_NOOP("Command", "Link the boxes to the persons of a GEDCOM file, so that "
                                      "the chart can be updated from it\nLink to family file")},
        {TreeSettings, QT_TRANSLATE_NOOP("Command", "&Settings..."), "",
         QT_TRANSLATE_NOOP("Command", "Change settings for you tree, such as the box size")},
        {HelpTopics, QT_TRANSLATE_NOOP("Command", "&Help topics..."), "", ""},
        {HelpIndex, QT_TRANSLATE_NOOP("Command", "Help &index..."), "", ""},
        {HelpSample, QT_TRANSLATE_NOOP("Command", "&Sample"), "",
         QT_TRANSLATE_NOOP("Command", "Open a small sample tree to play with")},
        {AppAbout, QT_TRANSLATE_NOOP("Command", "&About Stirpa..."), "",
         QT_TRANSLATE_NOOP("Command",
                           "Display program information, version number and copyright\nAbout")},
    };
    return table;
}

const std::vector<MenuInfo>& menuLayout()
{
    using enum Command;
    static const std::vector<MenuInfo> menus = {
        {QT_TRANSLATE_NOOP("Command", "&File"),
         {item(FileNew),
          item(FileOpen),
          item(FileRecover),
          item(FileSave),
          item(FileSaveAs),
          separator,
          item(FileImportGedcom),
          item(FileUpdateFromFamily),
          item(FileExportHtml),
          item(FileExportImage),
          item(FilePublishWeb),
          separator,
          item(FilePrint),
          item(FilePrintPreview),
          item(FilePrintSetup),
          item(FileLogTree),
          separator,
          item(FileRecent),
          separator,
          item(AppExit)}},
        {QT_TRANSLATE_NOOP("Command", "&Edit"),
         {item(EditUndo), separator, item(EditCut), item(EditCopy), item(EditPaste), separator,
          item(EditFind)}},
        {QT_TRANSLATE_NOOP("Command", "&View"),
         {item(ViewToolbar), item(ViewStatusBar), item(ViewRefresh), separator, item(ViewZoomIn),
          item(ViewZoomOut), item(ViewActualSize), item(ViewFitChart), separator,
          item(ViewOverview)}},
        {QT_TRANSLATE_NOOP("Command", "&Tree"),
         {item(TreeDefinePerson), item(TreeInsertColumn), item(TreeInsertRow), item(TreeFindParent),
          item(TreeRelationship), item(TreeLinkFamily), separator, item(TreeSettings)}},
        {QT_TRANSLATE_NOOP("Command", "&Help"),
         {item(HelpTopics), item(HelpIndex), item(HelpSample), separator, item(AppAbout)}},
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
