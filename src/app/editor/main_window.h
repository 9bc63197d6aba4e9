// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor/command_table.h"
#include "app/editor/crash_recovery.h"
#include "base/result.h"
#include "dialogs/family_changes_dialog.h"
#include "dialogs/find_parent_dialog.h"
#include "dialogs/person_dialog.h"
#include "gedcom/gedcom_reader.h"
#include "model/chart.h"

#include <QDateTime>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QSet>

#include <memory>
#include <optional>
#include <vector>

class ChangedFileBar;
class FindBar;
struct GedcomData;
struct ImportOptions;
class ChartDocument;
class ChartView;
class QAction;
class QMenu;
class QPrinter;

// The main window: menus, toolbar and status bar built from the command table,
// the file commands with their dialogs, and the modeless Define person and Find
// Parent dialogs, which it owns and connects to the view.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class SaveAnswer { Save, Discard, Cancel };

    MainWindow();
    ~MainWindow() override;

    ChartView* view() const { return view_; }
    ChartDocument* document() const { return document_; }
    QAction* action(Command id) const { return actions_.value(id); }
    PersonDialog* personDialog() const { return personDialog_; }
    FindParentDialog* findParentDialog() const { return findParentDialog_; }

    // Opens a chart for the user; a failure is shown in a message box and the
    // current chart stays. Returns whether it opened.
    bool openChart(const QString& path);
    // What the editor starts on: a recovery copy a crashed run left of the chart
    // named (of any chart when none is named) if the user takes it, else that
    // chart, else a new one. Other copies are kept and named in the status bar.
    // False when the chart named cannot be opened.
    bool openAtStart(const QString& chartPath);
    CrashRecovery* recovery() const { return recovery_; }
    // Shown while the chart's file was changed by another program.
    ChangedFileBar* changedFileBar() const { return changedFileBar_; }
    FindBar* findBar() const { return findBar_; }
    // Asks to save a modified chart; false when the user cancelled.
    bool saveModified();

    static constexpr int recentFileCount = 4;
    QStringList recentFiles() const;

public slots:
    // Opens the Define person dialog on the current cell, making it on first use.
    void definePerson();
    // Shows the Find Parent dialog, making it on first use.
    void showFindParent();
    // Runs the Settings dialog; OK and Apply put its settings in force.
    void editSettings();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The drawn toolbar pictures follow the palette's text colour.
    void changeEvent(QEvent* event) override;
    // A chart file dropped on the window opens as File Open would open it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // The questions the window asks the user; tests answer them instead.
    virtual SaveAnswer askSaveChanges();
    // An empty path means the user cancelled.
    virtual QString askOpenPath();
    virtual QString askSavePath();
    virtual QString askGedcomPath();
    // The person and layout to import; false when cancelled.
    virtual bool askImportOptions(const GedcomData& data, ImportOptions& options);
    // Saves the book of charts the options ask for where the user says, and
    // opens its main chart.
    void importBook(const GedcomData& data, const ImportOptions& options,
                    const QString& familyPath);
    // The family file a linked chart remembers is gone: the file it became,
    // or an empty path when the user does not choose one.
    virtual QString askMovedFamilyFile(const QString& missingPath);
    // Read the family file a received chart names outside its own folder?
    virtual bool askReadFamilyFile(const QString& familyPath);
    // Shows what an update or link would change; the dialog asks for the
    // change itself.
    virtual void runChangesDialog(FamilyChangesDialog& dialog);
    virtual bool askRecover(const CrashRecovery::LeftOver& leftOver);
    // The Recover dialog; the copy the user chose to open, if any.
    virtual std::optional<CrashRecovery::LeftOver> askLeftOverToOpen();
    // Save over a file another program changed since it was read?
    virtual bool askOverwriteChangedFile();
    // The chart's file is write-protected: save under another name?
    virtual bool askSaveElsewhere(const QString& reason);
    struct ExportChoice {
        QString path; // empty: cancelled
        bool completePage = false;
        bool escapeText = false;
    };
    virtual ExportChoice askExportPath(const QString& initialPath);
    struct WebPageChoice {
        QString path; // empty: cancelled
        bool chartBackground = false;
    };
    virtual WebPageChoice askWebPagePath(const QString& initialPath);
    // The print dialog; false when the user cancelled.
    virtual bool askPrintSettings(QPrinter* printer);
    virtual void showError(const QString& title, const QString& message);

private:
    // Whether an export may write path (never over the chart, another chart or a
    // GEDCOM file); says why not under the title when it may not.
    // Whether the export may write path, else says why; a complete page's
    // template is one of its inputs.
    bool exportMayWrite(const QString& title, const QString& path, bool completePage = false);
    void createActions();
    void connectActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void updateToolbarIcons();
    void updateTitle();
    // The enabled states that follow the chart: Undo (and its text), Paste, and
    // the commands that need a selected box.
    void updateUndoAction();
    void updatePasteAction();
    void updateSelectionActions();
    // Update needs a linked chart, Link a box to link.
    void updateFamilyActions();

    // The dialogs' requests (main_window_dialogs.cpp).
    void showCurrentCell();
    void applyPerson();
    void stepFromPersonDialog(Qt::ArrowType direction);
    void findParent();

    // File commands (main_window_file.cpp).
    void reloadChart();
    void fileNew();
    void fileOpen();
    void fileRecover();
    bool offerRecovery(const QString& chartPath);
    // Opens a recovery copy as the chart it belongs to.
    bool recover(const CrashRecovery::LeftOver& leftOver);
    void noteLeftOvers();
    bool fileSave();
    bool fileSaveAs();
    void fileExportHtml();
    void fileExportImage();
    // Web page (main_window_web.cpp).
    void filePublishWeb();
    // GEDCOM import (main_window_gedcom.cpp).
    void fileImportGedcom();
    // The chart's family file (main_window_family.cpp).
    void fileUpdateFromFamily();
    void treeLinkFamily();
    // The linked chart's family file, found and allowed; empty when the user declines.
    QString familyFileToRead();
    // Of a linked chart whose family file may be read without asking: words
    // saying that the box Find parent reached from child's is no parent of
    // theirs by the file; empty otherwise.
    QString parentNote(const Person* child, const Person* parent);
    // Colours the boxes anew by the scheme, from the family file.
    void recolourChart(ColourScheme scheme);
    // Shows why the result failed; true when it did.
    bool showFailure(const QString& title, const Result& result);
    // Whether the chart's family file may be read: one outside the chart's
    // folder only once the user allowed it.
    bool mayReadFamilyFile(const QString& path);
    void treeRelationship();
    void noteSelectedBox();
    // Shows the changes and, on Apply, puts the changed copy in the chart's place.
    void offerChanges(const QString& title, const QString& summary,
                      const std::vector<FamilyChangesDialog::Group>& groups, bool canApply,
                      Chart changed, Cell selected);
    void filePrint();
    void filePrintPreview();
    void filePrintSetup();
    void openRecentFile(int index);
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);
    void rebuildRecentMenu();
    void openSample();
    void showAbout();
    void toggleToolbar();
    void toggleStatusBar();

    ChartDocument* document_;
    ChartView* view_;
    CrashRecovery* recovery_;
    ChangedFileBar* changedFileBar_;
    FindBar* findBar_ = nullptr;
    QMap<Command, QAction*> actions_;
    // "chart\nfamily file" pairs the user allowed to be read since the window opened.
    QSet<QString> familyFilesAllowed_;
    // The family file last read for Find parent, kept while it is unchanged.
    struct ReadFamily {
        QString path;
        QDateTime modified;
        qint64 size = -1;
        std::shared_ptr<const GedcomLoad> load;
    };
    ReadFamily readFamily_;
    // The cells of the last two boxes selected, the earlier first: the two
    // persons Tree > Relationship relates.
    Cell earlierBoxCell_ = noCell;
    Cell lastBoxCell_ = noCell;
    QPointer<PersonDialog> personDialog_;
    QPointer<FindParentDialog> findParentDialog_;
    QMenu* fileMenu_ = nullptr;
    std::vector<QAction*> recentActions_;
    std::unique_ptr<QPrinter> printer_;
};
