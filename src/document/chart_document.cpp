// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/chart_document.h"

#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "files/folder_lock.h"
#include "files/debug_log.h"
#include "export/html_export.h"
#include "model/chart_limits.h"

#include <QFileInfo>

#include <vector>

namespace {

std::string toBytes(const QString& path) { return path.toLocal8Bit().toStdString(); }

std::vector<int> lineageBits(const Tree& tree)
{
    std::vector<int> bits;
    bits.reserve(tree.size());
    tree.forEachPerson([&](const Person* box) { bits.push_back(box->lineage); });
    return bits;
}

} // namespace

ChartDocument::ChartDocument(QObject* parent) : QObject(parent) {}

void ChartDocument::replaceChart(Chart chart, Cell selected)
{
    chart_ = std::move(chart);
    selection_ = {};
    if (selected != noCell) {
        selection_.current = selected;
        selection_.box = chart_.tree().findPerson(selected);
    } else {
        selection_.box = chart_.tree().lastBox();
    }
    emit chartReplaced();
    emit currentCellChanged();
    emit selectionChanged();
}

void ChartDocument::newChart()
{
    replaceChart(Chart(chart_.settings()));
    snapshot_ = {};
    debugLog() << "New tree set" << std::endl;
    setPath(QString());
    setModified(false);
}

void ChartDocument::adoptUntitled(Chart chart, Cell selected)
{
    replaceChart(std::move(chart), selected);
    snapshot_ = {};
    setPath(QString());
    setModified(true);
}

void ChartDocument::adoptRevision(Chart chart, Cell selected)
{
    replaceChart(std::move(chart), selected);
    // An edit like any other: the crash recovery copy follows it.
    edited(ChartChange::Boxes, true);
}

Result ChartDocument::load(const QString& path, const QString& namePath,
                           const QString& documentPath, bool modified)
{
    // Taken before it is read: a change while reading then counts as one.
    FileSnapshot snapshot = FileSnapshot::of(toBytes(documentPath));
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
    // Not in the middle of an update from the command line.
    const FolderLock lock({toBytes(path)});
    if (!lock.acquired())
        return lock.acquired();
    Result saved = saveChartFile(toBytes(path), chart_);
    if (saved) {
        snapshot_ = FileSnapshot::of(toBytes(path));
        setPath(QFileInfo(path).absoluteFilePath());
        setModified(false);
    }
    return saved;
}

bool ChartDocument::changedOnDisk()
{
    return !path_.isEmpty() && snapshot_.changed(toBytes(path_));
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

void ChartDocument::setSelection(const Selection& selection)
{
    if (selection == selection_)
        return;
    selection_ = selection;
    emit selectionChanged();
}

bool ChartDocument::selectCell(Cell cell)
{
    if (!chartLimits::contains(cell))
        return false;
    const Person* box = tree().findPerson(cell);
    setSelection({box, box == nullptr, cell});
    emit currentCellChanged();
    return true;
}

void ChartDocument::selectAtCurrentCell()
{
    const Person* box = tree().findPerson(selection_.current);
    setSelection({box, box == nullptr, selection_.current});
}

Point ChartDocument::measureExtent()
{
    mutableTree().resetExtent();
    return tree().extent();
}

const Person* ChartDocument::addBox(std::unique_ptr<Person> box)
{
    const Cell cell = box->cell();
    const Person* added = mutableTree().append(std::move(box));
    mutableTree().forgetUndo();
    edited(ChartChange::Boxes, mutableTree().growExtent(cell));
    return added;
}

bool ChartDocument::moveBox(Cell from, Cell to)
{
    if (!mutableTree().move(from, to))
        return false;
    edited(ChartChange::Boxes, mutableTree().growExtent(to));
    return true;
}

bool ChartDocument::copyBox(Cell from, Cell to)
{
    if (!mutableTree().dragCopy(from, to))
        return false;
    edited(ChartChange::Boxes, mutableTree().growExtent(to));
    return true;
}

void ChartDocument::cut()
{
    Selection after = selection_;
    if (const Person* box = selection_.box) {
        after.current = box->cell();
        mutableTree().erase(box, UndoRecord::Cut);
    }
    // The box is gone before anyone hears of the change.
    selection_.box = nullptr;
    edited(ChartChange::Boxes);
    const Person* left = tree().findPerson(after.current);
    setSelection({left, left == nullptr, after.current});
}

bool ChartDocument::paste(const Person& source, const RecordLink* record)
{
    Cell target;
    if (selection_.box) {
        target = selection_.box->cell();
        if (!mutableTree().pasteInto(source, selection_.box, record))
            return false;
    } else {
        target = selection_.current;
        if (!selection_.frameShown || !mutableTree().pasteAt(source, target, record))
            return false;
    }
    edited(ChartChange::Boxes);
    // The box that took the paste stays selected, even when it is not at the
    // current cell (dragged away from it, or selected by opening the chart).
    selectCell(target);
    return true;
}

bool ChartDocument::insertLine(char axis, int index)
{
    if (!mutableTree().insertLine(axis, index))
        return false;
    edited(ChartChange::Boxes, true);
    return true;
}

void ChartDocument::undo()
{
    mutableTree().undo();
    // Undo changes the chart, so closing afterwards must offer to save.
    edited(ChartChange::Boxes);
}

const Person* ChartDocument::definePerson(const PersonEntry& entry)
{
    Tree& boxes = mutableTree();
    Person* box = boxes.own(selection_.box);
    if (entry.description.empty()) {
        if (!box)
            return nullptr;
        boxes.erase(box, UndoRecord::ErasePerson);
        selection_.box = nullptr;
        edited(ChartChange::Boxes);
        emit selectionChanged();
        return nullptr;
    }
    // A box can come to the shown empty cell without the dialog hearing of it
    // (a drag, a new chart); the text goes to that box rather than to a second
    // one hidden under it.
    if (!box)
        box = boxes.findPerson(entry.cell);
    // Only a new colour can be undone: the box comes back as it was, its text too.
    const bool recoloured = box && box->ownColour != entry.colour;
    if (recoloured)
        boxes.keepBeforeRecolour(box);
    else
        boxes.forgetUndo();
    if (!box) {
        if (entry.continuation)
            box = boxes.append(std::make_unique<ContPerson>(entry.description, entry.cell,
                                                            Links{gapX, gapY}, entry.direction));
        else
            box =
                boxes.append(std::make_unique<Person>(entry.description, entry.cell, entry.links));
        debugLog() << "Person added ";
    } else {
        box->setText(entry.description);
        box->setLinks(entry.links, entry.direction);
        debugLog() << "Person updated ";
    }
    box->ownColour = entry.colour;
    box->describe(debugLog());
    debugLog().flush();
    boxes.fitConnectors(box);
    edited(ChartChange::Boxes, boxes.growExtent(entry.cell));
    // The box takes the selection over from the frame of the empty cell.
    setSelection({box, false, selection_.current});
    return box;
}

const Person* ChartDocument::findParent(bool ancestor, bool highlight,
                                        const std::function<void()>& afterStep)
{
    Tree& boxes = mutableTree();
    const std::vector<int> before = lineageBits(boxes);
    boxes.clearLineage();
    LineagePath path;
    const Person* found = boxes.findParent(selection_.box, &path);
    if (found) {
        if (ancestor) {
            while (const Person* further = boxes.findParent(found, &path))
                found = further;
        }
        if (highlight) {
            for (const LineageMark& mark : path) {
                boxes.markLineage(mark);
                setSelection({mark.box, false, selection_.current});
                if (afterStep)
                    afterStep();
            }
        }
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
