// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "files/file_snapshot.h"
#include "export/html_export.h"
#include "model/chart.h"
#include "model/person_entry.h"
#include "model/selection.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// What an edit changed, for the views that watch the chart.
struct ChartChange {
    enum What { Boxes, Settings, Lineage };
    What what = Boxes;
    // The scroll area must be measured again: a box came past the extent, or
    // a column or row was inserted.
    bool extentGrew = false;
};
Q_DECLARE_METATYPE(ChartChange)

// The open chart with its file (path, title, modified flag) and what the user
// works on in it (the selection and the current cell). Every change goes through
// the document, which marks the chart modified and announces the change once
// (changed, selectionChanged); a new or opened chart is announced by
// chartReplaced. It shows no dialogs: operations that can fail return a Result
// for the window to show.
class ChartDocument : public QObject {
    Q_OBJECT
public:
    // Starts on an empty, untitled chart.
    explicit ChartDocument(QObject* parent = nullptr);

    const Chart& chart() const { return chart_; }
    const Tree& tree() const { return chart_.tree(); }

    // The selection. A new or opened chart has no current cell and its last
    // box in list order selected (an import: its root's box).
    const Selection& selection() const { return selection_; }
    const Person* selectedBox() const { return selection_.box; }
    Cell currentCell() const { return selection_.current; }
    // Makes the cell current and selects its first box in list order, or frames
    // it when it is empty. False, changing nothing, for a cell past the grid's
    // limits: no box could be saved there.
    bool selectCell(Cell cell);
    // Selects the first box of the current cell, or frames the cell when empty;
    // the current cell stays.
    void selectAtCurrentCell();
    // The scroll area's extent, measured afresh from the boxes (so it also shrinks).
    Point measureExtent();

    // An empty, untitled chart with the current settings.
    void newChart();
    // Reads a chart; on failure the current chart and settings stay as they were.
    Result open(const QString& path);
    // Opens a chart as an untitled, unmodified document (the sample).
    Result openUntitled(const QString& path);
    // Opens a recovery copy as the modified chart of originalPath (empty: untitled).
    Result openRecovered(const QString& copyPath, const QString& originalPath);
    // Takes a chart made elsewhere (an import) as an untitled, modified document,
    // with the box of the cell given selected and its cell current.
    void adoptUntitled(Chart chart, Cell selected = noCell);
    // Takes a changed copy of this chart (an update from its family file) in
    // its place: the same file, now modified, with the box of the cell given
    // selected and its cell current.
    void adoptRevision(Chart chart, Cell selected = noCell);
    // Saves to path atomically; on success the document takes that name.
    Result saveAs(const QString& path);
    // Writes the chart as an HTML page.
    HtmlExportResult exportHtml(const QString& path, const HtmlExportOptions& options) const;

    QString path() const { return path_; }
    // Whether the file holds other bytes on disk (or was removed) than when the
    // document last read or wrote it: another program wrote to it. New times
    // alone, or the same bytes written again, are no change.
    bool changedOnDisk();
    // Reads the file again, dropping the edits; on failure the chart stays.
    Result reload();
    // The chart's name for the window title: its file name, or "Untitled".
    QString title() const;
    bool isModified() const { return modified_; }

    // The edits. Each returns whether it changed the chart, and then the
    // change has been announced.

    // Adds a box as it is (cell, text, connectors, lineage) last in list order;
    // the undo record is forgotten. Returns the box.
    const Person* addBox(std::unique_ptr<Person> box);
    // Moves the box at `from` to `to`, switching with a box there.
    bool moveBox(Cell from, Cell to);
    // Copies the box at `from` onto the box at `to`, or into a new box there.
    bool copyBox(Cell from, Cell to);
    // Removes the selected box into the undo record; the cell it leaves becomes
    // current and is selected anew. The chart counts as changed even without a
    // box, as Cut always has.
    void cut();
    // Pastes into the selected box or the shown empty cell, with the copied
    // box's family file record (none: typed by hand); the box that takes the
    // paste is selected.
    bool paste(const Person& source, const RecordLink* record = nullptr);
    // Opens an empty column ('x') or level ('y') at the index; false, changing
    // nothing, when a box would pass the grid's far edge.
    bool insertLine(char axis, int index);
    void undo();
    // Adds, updates or (with an empty description) erases the box of the entry's
    // cell: the selected box, else the box at that cell, else a new one. A box
    // added or updated gets its connectors fitted and is selected; it is
    // returned (null when erased or nothing was there to erase).
    const Person* definePerson(const PersonEntry& entry);
    // Clears the lineage, then finds the parent (with `ancestor` the remotest
    // ancestor) of the selected box; with `highlight` the lineage is marked step
    // by step, the selection going along, afterStep() after each (to show it).
    // Returns the box found, or null. The lineage is saved with the chart, so a
    // change of it is an edit, announced once at the end.
    const Person* findParent(bool ancestor, bool highlight,
                             const std::function<void()>& afterStep = {});
    // Puts new settings in force; false when they equal the current ones.
    bool setSettings(const TreeSettings& settings);

public slots:
    void setModified(bool modified = true);

signals:
    void chartReplaced();
    void changed(const ChartChange& change);
    // The selected box or the framed cell changed.
    void selectionChanged();
    // A cell was made current (a click, a key, a command); a dialog that shows
    // the current cell follows it.
    void currentCellChanged();
    void modifiedChanged(bool modified);
    // The path or the modified flag changed.
    void titleChanged();

private:
    // Reads the chart at path; on success it becomes the document's, its tree
    // named after namePath, the document named documentPath (empty: untitled)
    // and with the modified flag given.
    Result load(const QString& path, const QString& namePath, const QString& documentPath,
                bool modified);
    void replaceChart(Chart chart, Cell selected = noCell);
    void setPath(const QString& path);
    void edited(ChartChange::What what, bool extentGrew = false);
    void setSelection(const Selection& selection);
    Tree& mutableTree() { return chart_.mutableTree(); }

    Chart chart_;
    Selection selection_;
    QString path_;
    FileSnapshot snapshot_; // the file as last read or written
    bool modified_ = false;
};
