// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/chart_document.h"

#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "chartfile/debug_log.h"
#include "export/html_export.h"
#include "model/draw_context.h"

#include <QFileInfo>

#include <vector>

namespace {

String toBytes(const QString& path) { return String(path.toLocal8Bit().toStdString()); }

std::vector<int> lineageBits(const Tree& tree)
{
    std::vector<int> bits;
    bits.reserve(tree.size());
    tree.forEachPerson([&](const Person* box) { bits.push_back(box->lineage); });
    return bits;
}

} // namespace

ChartDocument::ChartDocument(QObject* parent) : QObject(parent) {}

void ChartDocument::replaceChart(Chart chart)
{
    chart_ = std::move(chart);
    emit chartReplaced();
}

void ChartDocument::newChart()
{
    replaceChart(Chart(chart_.settings()));
    snapshot_ = {};
    debugLog() << "New tree set" << std::endl;
    setPath(QString());
    setModified(false);
}

void ChartDocument::adoptUntitled(Chart chart)
{
    replaceChart(std::move(chart));
    snapshot_ = {};
    setPath(QString());
    setModified(true);
}

Result ChartDocument::load(const QString& path, const QString& namePath,
                           const QString& documentPath, bool modified)
{
    // Taken before it is read: a change while reading then counts as one.
    FileSnapshot snapshot = FileSnapshot::of(toBytes(documentPath).toStdString());
    // A file without a header line keeps the settings in force.
    ChartLoad load = readChartFile(toBytes(path), chart_.settings(), treeNameOf(toBytes(namePath)));
    if (load) {
        snapshot_ = std::move(snapshot);
        replaceChart(std::move(load.chart));
        setPath(documentPath);
        setModified(modified);
    }
    return load;
}

Result ChartDocument::open(const QString& path)
{
    return load(path, path, QFileInfo(path).absoluteFilePath(), false);
}

Result ChartDocument::openUntitled(const QString& path)
{
    return load(path, path, QString(), false);
}

Result ChartDocument::openRecovered(const QString& copyPath, const QString& originalPath)
{
    // Named after the chart it belongs to, never after the copy.
    return load(copyPath, originalPath, originalPath, true);
}

Result ChartDocument::saveAs(const QString& path)
{
    Result saved = saveChartFile(path.toLocal8Bit().toStdString(), chart_);
    if (saved) {
        snapshot_ = FileSnapshot::of(toBytes(path).toStdString());
        setPath(QFileInfo(path).absoluteFilePath());
        setModified(false);
    }
    return saved;
}

bool ChartDocument::changedOnDisk()
{
    return !path_.isEmpty() && snapshot_.changed(toBytes(path_).toStdString());
}

Result ChartDocument::reload() { return load(path_, path_, path_, false); }

HtmlExportResult ChartDocument::exportHtml(const QString& path,
                                           const HtmlExportOptions& options) const
{
    return ::exportHtml(chart_, toBytes(path), options);
}

QString ChartDocument::title() const
{
    return path_.isEmpty() ? tr("Untitled") : QFileInfo(path_).fileName();
}

void ChartDocument::setModified(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit modifiedChanged(modified);
    emit titleChanged();
}

void ChartDocument::setPath(const QString& path)
{
    path_ = path;
    emit titleChanged();
}

void ChartDocument::edited(ChartChange::What what, bool extentGrew)
{
    setModified(true);
    emit changed({what, extentGrew});
}

bool ChartDocument::moveBox(Cell from, Cell to)
{
    if (!tree().move(from, to))
        return false;
    edited(ChartChange::Boxes, tree().growExtent(to));
    return true;
}

bool ChartDocument::copyBox(Cell from, Cell to)
{
    if (!tree().dragCopy(from, to))
        return false;
    edited(ChartChange::Boxes, tree().growExtent(to));
    return true;
}

void ChartDocument::cut(Person* box)
{
    tree().erase(box, UndoRecord::Cut);
    edited(ChartChange::Boxes);
}

bool ChartDocument::paste(const Person& source)
{
    if (!tree().paste(source))
        return false;
    edited(ChartChange::Boxes);
    return true;
}

bool ChartDocument::insertLine(char axis, int index)
{
    if (!tree().insertLine(axis, index))
        return false;
    edited(ChartChange::Boxes, true);
    return true;
}

void ChartDocument::undo()
{
    tree().undoRecord.undo();
    // Undo changes the chart, so closing afterwards must offer to save.
    edited(ChartChange::Boxes);
}

Person* ChartDocument::definePerson(const PersonEntry& entry)
{
    Tree& boxes = tree();
    Person* box = boxes.selected;
    if (entry.description.isEmpty()) {
        if (!box)
            return nullptr;
        boxes.erase(box, UndoRecord::ErasePerson);
        edited(ChartChange::Boxes);
        return nullptr;
    }
    // A box can come to the shown empty cell without the dialog hearing of it
    // (a drag, a new chart); the text goes to that box rather than to a second
    // one hidden under it.
    if (!box)
        box = boxes.findPerson(entry.cell);
    if (!box) {
        if (entry.continuation)
            box = new ContPerson(entry.description, entry.cell, {gapX, gapY}, entry.direction);
        else
            box = new Person(entry.description, entry.cell, entry.links);
        boxes.append(box);
        debugLog() << "Person added ";
    } else {
        box->setText(entry.description);
        box->setLinks(entry.links, entry.direction);
        debugLog() << "Person updated ";
    }
    boxes.undoRecord.clear();
    box->describe(debugLog());
    debugLog().flush();
    boxes.fitConnectors(box);
    edited(ChartChange::Boxes, boxes.growExtent(entry.cell));
    return box;
}

Person* ChartDocument::findParent(DrawContext& dc, bool ancestor, bool highlight,
                                  const std::function<void()>& pause)
{
    Tree& boxes = tree();
    const std::vector<int> before = lineageBits(boxes);
    boxes.clearLineage(dc);
    Person* found = boxes.findParent(boxes.selected);
    if (found) {
        if (ancestor) {
            while (Person* further = boxes.findParent(found))
                found = further;
        }
        if (highlight)
            boxes.showLineage(dc, pause);
    }
    if (lineageBits(boxes) != before)
        edited(ChartChange::Lineage);
    return found;
}

bool ChartDocument::setSettings(const TreeSettings& settings)
{
    if (settings == chart_.settings())
        return false;
    chart_.settings() = settings;
    edited(ChartChange::Settings);
    return true;
}
