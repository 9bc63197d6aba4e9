// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include "chartfile/chart_copy.h"
#include "document/chart_document.h"
#include "document/message_text.h"
#include "gedcom/chart_linking.h"
#include "gedcom/chart_update.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom/person_description.h"
#include "view/chart_view.h"

#include <QFileInfo>
#include <QMessageBox>

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

} // namespace

QString MainWindow::askMovedFamilyFile(const QString& missingPath)
{
    const auto answer = QMessageBox::question(
        this, tr("Update from family file"),
        tr("The chart's family file %1 is gone. Choose the file it became?").arg(missingPath),
        QMessageBox::Open | QMessageBox::Cancel, QMessageBox::Open);
    return answer == QMessageBox::Open ? askGedcomPath() : QString();
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

void MainWindow::fileUpdateFromFamily()
{
    const QString title = tr("Update from family file");
    FamilyLink link = document_->chart().familyLink();
    if (!link.linked())
        return;
    const QString remembered = QString::fromLocal8Bit(link.path.c_str());
    QString path = remembered;
    if (!QFileInfo::exists(path)) {
        path = askMovedFamilyFile(remembered);
        if (path.isEmpty())
            return;
    }
    const std::string pathBytes = path.toLocal8Bit().toStdString();
    if (path == remembered && familyFileUnchanged(link, pathBytes)) {
        offerChanges(title, tr("The chart is up to date with %1.").arg(path), {}, false, Chart(),
                     noCell);
        return;
    }
    const GedcomLoad family = readGedcomFile(pathBytes);
    if (showFailure(title, family))
        return;
    Chart updated = copyOfChart(document_->chart());
    const ChartUpdate update = updateChart(updated, family.data, currentDate());
    if (showFailure(title, update))
        return;
    // The file read is the family file from now on.
    const bool moved = absoluteBytes(path) != absoluteBytes(remembered);
    updated.setFamilyLink(linkAfterUpdate(std::move(link), absoluteBytes(path), family.data));

    const ChartUpdateReport& report = update.report;
    QString summary;
    if (report.changesChart())
        summary = tr("What %1 changes in the chart.").arg(path);
    else
        summary = tr("The chart is up to date with %1.").arg(path);
    if (report.continuations > 0)
        summary += ' ' + tr("Continuation boxes counted anew: %1.").arg(report.continuations);
    if (moved)
        summary += ' ' + tr("The chart will remember this file as its family file.");
    offerChanges(title, summary, FamilyChangesDialog::groupsOf(report),
                 report.changesChart() || moved, std::move(updated), firstNamedCell(report));
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
    const QString choices =
        linking.kind == LayoutKind::Ancestors
            ? tr("the ancestors of %1, %n generation(s)", "", linking.generations)
            : tr("the descendants of %1, %n generation(s)", "", linking.generations);
    const QString summary =
        tr("%1 of %2 boxes match persons of %3. The chart will stand for %4, so that File > "
           "Update from family file can bring in the file's changes.")
            .arg(linking.linked)
            .arg(document_->tree().size())
            .arg(path, choices.arg(rootName));
    std::vector<FamilyChangesDialog::Group> groups;
    if (!linking.unmatched.empty())
        groups.push_back({tr("Not linked"), linking.unmatched});
    offerChanges(title, summary, groups, true, std::move(linked), noCell);
}
