// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "command_target.h"

#include <QMainWindow>
#include <QMap>
#include <memory>
#include <vector>

class CrashRecovery;
class CStirpaDoc;
class CStirpaView;
class QAction;
class QLabel;
class QMenu;
class QPrinter;

// The main window: menus, toolbar and status bar built from the command table,
// the file commands with their dialogs, and the routing of every command to the
// view, then the window itself.
class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT
public:
    enum class SaveAnswer { Save, Discard, Cancel };

    CMainFrame();
    ~CMainFrame() override;

    CStirpaView* view() const { return view_; }
    CStirpaDoc* document() const { return document_; }
    QAction* action(int id) const { return actions_.value(id); }

    // Opens a chart for the user; a failure is shown in a message box and the
    // current chart stays. Returns whether it opened.
    bool openChart(const QString& path);
    // Offers the recovery copies a crashed run left behind; true when one was
    // opened.
    bool offerRecovery();
    CrashRecovery* recovery() const { return recovery_; }
    // Asks to save a modified chart; false when the user cancelled.
    bool saveModified();
    // Refreshes every action's enabled state and text.
    void updateCommands();

    bool onCommand(int id) override;
    bool updateCommand(int id, CommandState& state) override;

    static constexpr int recentFileCount = 4;
    QStringList recentFiles() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // A chart file dropped on the window opens as File Open would open it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // The questions the window asks the user; tests answer them instead.
    virtual SaveAnswer askSaveChanges();
    // An empty path means the user cancelled.
    virtual QString askOpenPath();
    virtual QString askSavePath();
    virtual bool askRecover(const QString& chartName);
    struct ExportChoice {
        QString path; // empty: cancelled
        bool completePage = false;
    };
    virtual ExportChoice askExportPath(const QString& initialPath);
    // The print dialog; false when the user cancelled.
    virtual bool askPrintSettings(QPrinter* printer);
    virtual void showError(const QString& title, const QString& message);

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void runCommand(int id);
    void updateTitle();

    // File commands (main_frame_file.cpp).
    void fileNew();
    void fileOpen();
    bool fileSave();
    bool fileSaveAs();
    void fileExportHtml();
    void filePrint();
    void filePrintPreview();
    void filePrintSetup();
    void openRecentFile(int index);
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);
    void rebuildRecentMenu();
    void openSample();

    CStirpaView* view_;
    CStirpaDoc* document_;
    CrashRecovery* recovery_;
    QMap<int, QAction*> actions_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    std::vector<QAction*> recentActions_;
    std::vector<CommandTarget*> targets_;
    std::unique_ptr<QPrinter> printer_;
};
