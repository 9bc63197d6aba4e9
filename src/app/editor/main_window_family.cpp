// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/main_window.h"

#include "chartfile/chart_copy.h"
#include "document/chart_document.h"
#include "document/message_text.h"
#include "family/link_road.h"
#include "family/relationship_boxes.h"
#include "family/update_road.h"
#include "gedcom/gedcom_reader.h"
#include "layout/box_colours.h"
#include "layout/chart_import.h"
#include "layout/person_description.h"
#include "view/chart_view.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include <memory>

namespace {

std::string absoluteBytes(const QString& path)
{
    return QFileInfo(path).absoluteFilePath().toLocal8Bit().toStdString();
}

// The first new box, else the first box the report names, to select after Apply.
Cell firstNamedCell(const ChartUpdateReport& report)
{
    for (const ReportSection& section : reportSections(report))
        for (const UpdatedBox& box : *section.boxes)
            if (box.box)
                return box.cell;
    return noCell;
}

// Whether the file lies in the chart's folder or below it.
bool isBeside(const QString& path, const QString& chartPath)
{
    if (chartPath.isEmpty())
        return false;
    const QString folder = QFileInfo(chartPath).absoluteDir().absolutePath() + '/';
    return QFileInfo(path).absoluteFilePath().startsWith(folder);
}

} // namespace

QString MainWindow::askMovedFamilyFile(const QString& missingPath)
{
    const auto answer = QMessageBox::question(
        this, tr("Update from family file"),
        tr("The chart's family file %1 is gone. Choose the file it became?").arg(missingPath),
        QMessageBox::Open | QMessageBox::Cancel, QMessageBox::Open);
    return answer == QMessageBox::Open ? askGedcomPath() : QString();
}

bool MainWindow::askReadFamilyFile(const QString& familyPath)
{
    return QMessageBox::question(this, tr("Update from family file"),
                                 tr("This chart takes its persons from %1, outside its own "
                                    "folder. Read that file?")
                                     .arg(familyPath),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool MainWindow::mayReadFamilyFile(const QString& path)
{
    if (isBeside(path, document_->path()))
        return true;
    // A chart from someone else could name any file of this user's.
    const QString pair = document_->path() + '\n' + QFileInfo(path).absoluteFilePath();
    if (familyFilesAllowed_.contains(pair))
        return true;
    if (!askReadFamilyFile(path))
        return false;
    familyFilesAllowed_.insert(pair);
    return true;
}

bool MainWindow::showFailure(const QString& title, const Result& result)
{
    if (!result)
        showError(title, messageText(result));
    return !result;
}

void MainWindow::runChangesDialog(FamilyChangesDialog& dialog) { dialog.exec(); }

void MainWindow::offerChanges(const QString& title, const QString& summary,
                              const std::vector<FamilyChangesDialog::Group>& groups, bool canApply,
                              Chart changed, Cell selected)
{
    FamilyChangesDialog dialog(title, summary, groups, canApply, this);
    connect(&dialog, &FamilyChangesDialog::applyRequested, this,
            [&] { document_->adoptRevision(std::move(changed), selected); });
    connect(&dialog, &FamilyChangesDialog::cellChosen, view_, &ChartView::selectAndCentre);
    runChangesDialog(dialog);
}

QString MainWindow::familyFileToRead()
{
    const FamilyLink& link = document_->chart().familyLink();
    if (!link.linked())
        return {};
    const QString remembered = QString::fromLocal8Bit(link.path.c_str());
    QString path = remembered;
    if (!QFileInfo::exists(path)) {
        path = askMovedFamilyFile(remembered);
    } else if (!mayReadFamilyFile(path)) {
        return {};
    }
    return path;
}

QString MainWindow::parentNote(const Person* child, const Person* parent)
{
    const FamilyLink& link = document_->chart().familyLink();
    if (!link.linked() || !child || !parent || child == parent ||
        child->kind() != BoxKind::Person)
        return {};
    const QString path = QString::fromLocal8Bit(link.path.c_str());
    const QFileInfo file(path);
    const QString pair = document_->path() + '\n' + file.absoluteFilePath();
    if (!file.exists() || !(isBeside(path, document_->path()) || familyFilesAllowed_.contains(pair)))
        return {};
    if (readFamily_.path != path || readFamily_.modified != file.lastModified() ||
        readFamily_.size != file.size()) {
        auto load = std::make_shared<GedcomLoad>(readGedcomFile(path.toLocal8Bit().toStdString()));
        readFamily_ = {path, file.lastModified(), file.size(), std::move(load)};
    }
    if (!*readFamily_.load)
        return {};
    const GedcomData& data = readFamily_.load->data;
    const Tree& tree = document_->tree();
    const int person = personOfBox(tree, data, child), found = personOfBox(tree, data, parent);
    if (person < 0 || found < 0 || data.isParent(found, person))
        return {};
    return tr("By the family file, %1 is not a parent of %2: the connectors lead there, not "
              "the records.")
        .arg(QString::fromStdString(displayName(data.persons[std::size_t(found)])),
             QString::fromStdString(displayName(data.persons[std::size_t(person)])));
}

void MainWindow::recolourChart(ColourScheme scheme)
{
    const QString path = familyFileToRead();
    if (path.isEmpty())
        return;
    const GedcomLoad family = readGedcomFile(path.toLocal8Bit().toStdString());
    if (showFailure(tr("Box colours"), family))
        return;
    Chart recoloured = copyOfChart(document_->chart());
    FamilyLink link = recoloured.familyLink();
    link.colours = scheme;
    recoloured.setFamilyLink(std::move(link));
    applySchemeColours(recoloured, family.data);
    document_->adoptRevision(std::move(recoloured), document_->selection().current);
}

void MainWindow::fileUpdateFromFamily()
{
    const QString title = tr("Update from family file");
    const QString path = familyFileToRead();
    if (path.isEmpty())
        return;
    FamilyUpdate update = updateFromFamilyFile(
        copyOfChart(document_->chart()), document_->path().toLocal8Bit().toStdString(),
        absoluteBytes(path), currentDate(), path.toLocal8Bit().toStdString());
    if (showFailure(title, update))
        return;
    if (update.upToDate) {
        offerChanges(title, tr("The chart is up to date with %1.").arg(path), {}, false, Chart(),
                     noCell);
        return;
    }
    const QString remembered = QString::fromLocal8Bit(document_->chart().familyLink().path.c_str());
    const bool moved = absoluteBytes(path) != absoluteBytes(remembered);
    const ChartUpdateReport& report = update.charts.front().report;
    int continuations = 0, seeBoxes = 0, renumbered = 0;
    for (const UpdatedChart& chart : update.charts) {
        continuations += chart.report.continuations;
        seeBoxes += chart.report.seeBoxes;
        renumbered += chart.report.renumbered;
    }
    QString summary;
    if (update.charts.size() > 1)
        summary = update.changesCharts() ? tr("What %1 changes in the book's %n chart(s).", "",
                                              int(update.charts.size()))
                                               .arg(path)
                                         : tr("The book is up to date with %1.").arg(path);
    else if (update.changesCharts())
        summary = tr("What %1 changes in the chart.").arg(path);
    else
        summary = tr("The chart is up to date with %1.").arg(path);
    if (continuations > 0)
        summary += ' ' + tr("Continuation boxes counted anew: %1.").arg(continuations);
    if (seeBoxes > 0)
        summary += ' ' + tr("See boxes written anew: %1.").arg(seeBoxes);
    if (renumbered > 0)
        summary += ' ' + tr("The family file numbers its persons anew: %n record(s) take the "
                            "new numbers; the next update shows what else it changes.",
                            "", renumbered);
    if (moved)
        summary += ' ' + tr("The chart will remember this file as its family file.");
    for (const Result& lost : update.lostCharts)
        summary += ' ' + messageText(lost);
    if (update.charts.size() > 1)
        summary += ' ' + tr("Apply saves the book's other charts at once.");
    std::vector<FamilyChangesDialog::Group> groups = FamilyChangesDialog::groupsOf(report);
    // The other charts' persons are named with their chart; their boxes are
    // not in this window to select.
    for (std::size_t i = 1; i < update.charts.size(); ++i) {
        const QString chartName =
            QFileInfo(QString::fromLocal8Bit(update.charts[i].path.c_str())).fileName();
        for (FamilyChangesDialog::Group group :
             FamilyChangesDialog::groupsOf(update.charts[i].report)) {
            group.title = QStringLiteral("%1: %2").arg(chartName, group.title);
            for (UpdatedBox& box : group.boxes)
                box.box = nullptr;
            groups.push_back(std::move(group));
        }
    }
    const Cell selected = firstNamedCell(report);
    const bool canApply = update.changesCharts() || moved;
    auto shared = std::make_shared<FamilyUpdate>(std::move(update));
    FamilyChangesDialog dialog(title, summary, groups, canApply, this);
    const UpdateTarget target = {shared->charts.front().path, path.toLocal8Bit().toStdString(),
                                 absoluteBytes(path), shared->charts.front().path};
    connect(&dialog, &FamilyChangesDialog::applyRequested, this,
            [this, shared, selected, title, target] {
                // The rest of the book first: the open chart is the user's to save.
                if (shared->charts.size() > 1 &&
                    showFailure(title, UpdateRoad(target).write(*shared, true)))
                    return;
                if (shared->charts.front().changed)
                    document_->adoptRevision(std::move(shared->charts.front().chart), selected);
            });
    connect(&dialog, &FamilyChangesDialog::cellChosen, view_, &ChartView::selectAndCentre);
    runChangesDialog(dialog);
}

void MainWindow::treeLinkFamily()
{
    const QString title = tr("Link to family file");
    const QString path = askGedcomPath();
    if (path.isEmpty())
        return;
    const GedcomLoad family = readGedcomFile(path.toLocal8Bit().toStdString());
    if (showFailure(title, family))
        return;
    Chart linked = copyOfChart(document_->chart());
    const ChartLinking linking = linkChart(linked, family.data, absoluteBytes(path), {});
    if (showFailure(title, linking))
        return;
    const GedcomPerson& root = family.data.persons[std::size_t(linking.root)];
    const QString rootName = QStringLiteral("%1 (%2)").arg(
        QString::fromStdString(displayName(root)), QString::fromStdString(std::string(root.xref)));
    const auto text = [](const QString& phrase) { return phrase.toStdString(); };
    const QString choices = QString::fromStdString(layoutText(
        linking,
        {[&](int generations) {
             return text(
                 tr("the descendants of %1, %n generation(s)", "", generations).arg(rootName));
         },
         [&](int generations) {
             return text(
                 tr("the ancestors of %1, %n generation(s)", "", generations).arg(rootName));
         },
         [&](int up, int down) {
             return text(tr("the hourglass of %1, %2 generation(s) up and %3 down")
                             .arg(rootName)
                             .arg(up)
                             .arg(down));
         }}));
    const QString summary =
        tr("%1 of %2 boxes match persons of %3. The chart will stand for %4, so that File > "
           "Update from family file can bring in the file's changes.")
            .arg(linking.linked)
            .arg(document_->tree().size())
            .arg(path, choices);
    std::vector<FamilyChangesDialog::Group> groups;
    if (!linking.unmatched.empty())
        groups.push_back({tr("Not linked"), linking.unmatched});
    offerChanges(title, summary, groups, true, std::move(linked), noCell);
}
