// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chartfile/file_snapshot.h"
#include "chartfile/result.h"
#include "export/html_export.h"
#include "helpmod/stirpa_string.h"
#include "model/chart.h"
#include "model/person_entry.h"

#include <QObject>
#include <QString>

#include <functional>

class DrawContext;

// What an edit changed, for the views that watch the chart.
struct ChartChange {
    enum What { Boxes, Settings, Lineage };
    What what = Boxes;
    // The scroll area must be measured again: a box came past the extent, or
    // a column or row was inserted.
    bool extentGrew = false;
};
Q_DECLARE_METATYPE(ChartChange)

// The open chart with its file: path, title, modified flag. Every edit goes
// through the document, which marks the chart modified and announces the change
// once (changed); a new or opened chart is announced by chartReplaced. It shows
// no dialogs: operations that can fail return a Result for the window to show.
class ChartDocument : public QObject {
    Q_OBJECT
public:
    // Starts on an empty, untitled chart.
    explicit ChartDocument(QObject* parent = nullptr);

    const Chart& chart() const { return chart_; }
    // For the selection; edits go through the functions below.
    Tree& tree() { return chart_.tree(); }
    const Tree& tree() const { return chart_.tree(); }

    // An empty, untitled chart with the current settings.
    void newChart();
    // Reads a chart; on failure the current chart and settings stay as they were.
    Result open(const QString& path);
    // Opens a chart as an untitled, unmodified document (the sample).
    Result openUntitled(const QString& path);
    // Opens a recovery copy as the modified chart of originalPath (empty: untitled).
    Result openRecovered(const QString& copyPath, const QString& originalPath);
    // Takes a chart made elsewhere (an import) as an untitled, modified document.
    void adoptUntitled(Chart chart);
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

    // Moves the box at `from` to `to`, switching with a box there.
    bool moveBox(Cell from, Cell to);
    // Copies the box at `from` onto the box at `to`, or into a new box there.
    bool copyBox(Cell from, Cell to);
    // Removes the box into the undo record. The chart counts as changed even
    // without a box, as Cut always has.
    void cut(Person* box);
    // Pastes into the selected box or the shown empty cell.
    bool paste(const Person& source);
    // Opens an empty column ('x') or level ('y') at the index; false, changing
    // nothing, when a box would pass the grid's far edge.
    bool insertLine(char axis, int index);
    void undo();
    // Adds, updates or (with an empty description) erases the box of the entry's
    // cell: the selected box, else the box at that cell, else a new one. A box
    // added or updated gets its connectors fitted; it is returned (null when
    // erased or nothing was there to erase).
    Person* definePerson(const PersonEntry& entry);
    // Clears the lineage drawn, then finds the parent (with `ancestor` the
    // remotest ancestor) of the selected box; with `highlight` the lineage is
    // marked and drawn step by step, pause() after each. Returns the box found,
    // or null. The lineage is saved with the chart, so a change of it is an edit.
    Person* findParent(DrawContext& dc, bool ancestor, bool highlight,
                       const std::function<void()>& pause);
    // Puts new settings in force; false when they equal the current ones.
    bool setSettings(const TreeSettings& settings);

public slots:
    void setModified(bool modified = true);

signals:
    void chartReplaced();
    void changed(const ChartChange& change);
    void modifiedChanged(bool modified);
    // The path or the modified flag changed.
    void titleChanged();

private:
    // Reads the chart at path; on success it becomes the document's, its tree
    // named after namePath, the document named documentPath (empty: untitled)
    // and with the modified flag given.
    Result load(const QString& path, const QString& namePath, const QString& documentPath,
                bool modified);
    void replaceChart(Chart chart);
    void setPath(const QString& path);
    void edited(ChartChange::What what, bool extentGrew = false);

    Chart chart_;
    QString path_;
    FileSnapshot snapshot_; // the file as last read or written
    bool modified_ = false;
};
