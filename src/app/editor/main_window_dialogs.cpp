// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's dialogs on the chart: Define person and Find Parent, which
// stay open beside the chart and ask the view by queued signals (so each
// dialog's own click handler finishes first), and the modal Settings.
#include "app/editor/main_window.h"

#include "dialogs/dialog_placement.h"
#include "dialogs/find_parent_dialog.h"
#include "dialogs/person_dialog.h"
#include "dialogs/settings_dialog.h"
#include "document/chart_document.h"
#include "view/chart_view.h"

void MainWindow::definePerson()
{
    if (personDialog_) {
        // Esc or the close box may have hidden it, or it may be minimised.
        personDialog_->showNormal();
        personDialog_->raise();
    } else {
        personDialog_ = new PersonDialog(this);
        const QSize size = view_->windowSize();
        placeDialog(personDialog_, QPoint(scaled(size.width(), 0.5), scaled(size.height(), 0.5)));
        connect(personDialog_, &PersonDialog::applyRequested, this, &MainWindow::applyPerson,
                Qt::QueuedConnection);
        connect(personDialog_, &PersonDialog::newLevelRequested, view_, &ChartView::selectNewLevel,
                Qt::QueuedConnection);
        connect(personDialog_, &PersonDialog::stepRequested, this,
                &MainWindow::stepFromPersonDialog, Qt::QueuedConnection);
        connect(
            personDialog_, &PersonDialog::closeRequested, this,
            [this] { delete personDialog_.data(); }, Qt::QueuedConnection);
        personDialog_->show();
    }
    showCurrentCell();
    personDialog_->activateWindow();
    personDialog_->selectDescription();
}

void MainWindow::showCurrentCell()
{
    if (!personDialog_)
        return;
    if (const Person* selected = document_->selectedBox()) {
        personDialog_->showPerson(*selected);
    } else {
        // Before any cell is chosen the dialog starts at the top-left cell.
        const Cell cell = view_->currentCell();
        personDialog_->showCell(cell.column < 0 ? Cell{0, 0} : cell);
    }
}

void MainWindow::applyPerson()
{
    if (personDialog_)
        view_->definePerson(personDialog_->entry());
}

void MainWindow::stepFromPersonDialog(Qt::ArrowType direction)
{
    view_->stepSelection(direction);
    if (personDialog_)
        personDialog_->activateWindow();
}

void MainWindow::showFindParent()
{
    if (findParentDialog_) {
        findParentDialog_->showNormal();
        findParentDialog_->raise();
        findParentDialog_->activateWindow();
        return;
    }
    findParentDialog_ = new FindParentDialog(this);
    placeDialog(findParentDialog_, QPoint(view_->windowSize().width() / 2, 50));
    connect(findParentDialog_, &FindParentDialog::findRequested, this, &MainWindow::findParent,
            Qt::QueuedConnection);
    connect(
        findParentDialog_, &FindParentDialog::closeRequested, this,
        [this] { delete findParentDialog_.data(); }, Qt::QueuedConnection);
    findParentDialog_->show();
}

void MainWindow::findParent()
{
    if (!findParentDialog_)
        return;
    const Person* child = document_->selectedBox();
    const bool ancestor = findParentDialog_->findsAncestor();
    view_->findParent(ancestor, findParentDialog_->highlightsLineage());
    // The connectors are all Find parent follows; the family file may know better.
    findParentDialog_->setNote(ancestor ? QString()
                                        : parentNote(child, document_->selectedBox()));
}

void MainWindow::editSettings()
{
    // Centred on the chart, as it always was.
    SettingsDialog dialog(document_->chart().settings(), view_);
    const FamilyLink& link = document_->chart().familyLink();
    // Only a chart linked to its family file knows what to colour by.
    if (link.linked())
        dialog.offerColourScheme(link.colours);
    const auto apply = [this, &dialog] {
        document_->setSettings(dialog.settings());
        if (const auto scheme = dialog.colourScheme();
            scheme && *scheme != document_->chart().familyLink().colours)
            recolourChart(*scheme);
    };
    connect(&dialog, &SettingsDialog::applyRequested, this, apply);
    if (dialog.exec() == QDialog::Accepted)
        apply();
}
