// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/main_window.h"

#include "chartfile/chart_reader.h"
#include "dialogs/file_dialog_setup.h"
#include "dialogs/gedcom_import_dialog.h"
#include "document/chart_document.h"
#include "document/message_text.h"
#include "family/import_road.h"
#include "gedcom/gedcom_reader.h"
#include "layout/chart_import.h"
#include "view/chart_view.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QScrollBar>

QString MainWindow::askGedcomPath()
{
    QFileDialog dialog(this, tr("Import GEDCOM"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(dialog, FileKind::Gedcom);
    return runFileDialog(dialog, FileKind::Gedcom);
}

bool MainWindow::askImportOptions(const GedcomData& data, ImportOptions& options)
{
    GedcomImportDialog dialog(data, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.options();
    return true;
}

void MainWindow::fileImportGedcom()
{
    if (!saveModified())
        return;
    const QString path = askGedcomPath();
    if (path.isEmpty())
        return;
    const GedcomLoad load = readGedcomFile(path.toLocal8Bit().toStdString());
    if (!load) {
        showError(tr("Import GEDCOM"), messageText(load));
        return;
    }
    if (Result persons = checkHoldsPersons(load.data, path.toLocal8Bit().toStdString()); !persons) {
        showError(tr("Import GEDCOM"), messageText(persons));
        return;
    }
    ImportOptions options;
    if (!askImportOptions(load.data, options))
        return;
    if (options.bookColumns > 0) {
        importBook(load.data, options, path);
        return;
    }
    // Linked, so that the chart can take in the file's later changes.
    const std::string familyPath = QFileInfo(path).absoluteFilePath().toLocal8Bit().toStdString();
    const std::string name = treeNameOf(path.toLocal8Bit().toStdString());
    ChartImport imported = importChart(load.data, options, name, familyPath);
    if (!imported) {
        showError(tr("Import GEDCOM"), messageText(imported));
        return;
    }
    const Cell root = imported.root;
    document_->adoptUntitled(std::move(imported.chart), root);
    view_->selectCell(root);
    // The root is in the first column, on the top level for descendants and on
    // the bottom one for ancestors.
    view_->horizontalScrollBar()->setValue(0);
    QScrollBar* vertical = view_->verticalScrollBar();
    vertical->setValue(root.level == 0 ? vertical->minimum() : vertical->maximum());
}

void MainWindow::importBook(const GedcomData& data, const ImportOptions& options,
                            const QString& familyPath)
{
    // The book's charts are files from the start: its main chart is asked for
    // by name, the branches go beside it.
    const QString path = askSavePath();
    if (path.isEmpty())
        return;
    {
        const ImportRoad road({familyPath.toLocal8Bit().toStdString(),
                               QFileInfo(familyPath).absoluteFilePath().toLocal8Bit().toStdString(),
                               path.toLocal8Bit().toStdString()});
        if (const ImportWritten book = road.write(data, options); !book) {
            showError(tr("Import GEDCOM"), messageText(book));
            return;
        }
    }
    openChart(path);
}
