// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands of the main window: documents, recent files, printing, export.
#include "main_frame.h"

#include "command_ids.h"
#include "crash_recovery.h"
#include "html_export.h"
#include "html_save_dlg.h"
#include "resource_path.h"
#include "stirpa_doc.h"
#include "stirpa_view.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>

namespace {

const QString chartFilter = QStringLiteral("Stirpa Files (*.txt)");
const QString recentGroup = QStringLiteral("Recent File List");

} // namespace

void CMainFrame::showError(const QString& title, const QString& message)
{
    QMessageBox::critical(this, title, message);
}

CMainFrame::SaveAnswer CMainFrame::askSaveChanges()
{
    const auto answer = QMessageBox::warning(
        this, tr("Stirpa"), tr("Save changes to %1?").arg(document_->title()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return SaveAnswer::Save;
    return answer == QMessageBox::Discard ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

QString CMainFrame::askOpenPath()
{
    return QFileDialog::getOpenFileName(this, tr("Open"), QString(), chartFilter);
}

QString CMainFrame::askSavePath()
{
    QFileDialog dialog(this, tr("Save As"), document_->pathName(), chartFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool CMainFrame::askRecover(const QString& chartName)
{
    return QMessageBox::question(this, tr("Stirpa"),
                                 tr("Recover unsaved changes to %1?").arg(chartName)) ==
           QMessageBox::Yes;
}

bool CMainFrame::offerRecovery()
{
    for (const CrashRecovery::LeftOver& leftOver : CrashRecovery::leftOvers()) {
        const QString name = leftOver.originalPath.isEmpty()
                                 ? tr("Untitled")
                                 : QFileInfo(leftOver.originalPath).fileName();
        if (!askRecover(name)) {
            CrashRecovery::discard(leftOver);
            continue;
        }
        const CStirpaDoc::Result result =
            document_->openRecovered(leftOver.chartPath, leftOver.originalPath);
        if (!result.ok) {
            showError(tr("Stirpa"), result.message);
            continue;
        }
        // This run keeps its own copy from now on.
        CrashRecovery::discard(leftOver);
        recovery_->writeNow();
        return true;
    }
    return false;
}

bool CMainFrame::saveModified()
{
    if (!document_->isModified())
        return true;
    switch (askSaveChanges()) {
    case SaveAnswer::Save:
        return fileSave();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool CMainFrame::openChart(const QString& path)
{
    const CStirpaDoc::Result result = document_->OnOpenDocument(path);
    if (!result.ok) {
        showError(tr("Stirpa"), result.message);
        if (!QFileInfo::exists(path))
            removeRecentFile(path);
        return false;
    }
    addRecentFile(document_->pathName());
    return true;
}

void CMainFrame::fileNew()
{
    if (saveModified())
        document_->OnNewDocument();
}

void CMainFrame::fileOpen()
{
    if (!saveModified())
        return;
    const QString path = askOpenPath();
    if (!path.isEmpty())
        openChart(path);
}

bool CMainFrame::fileSave()
{
    if (document_->pathName().isEmpty())
        return fileSaveAs();
    const CStirpaDoc::Result result = document_->saveAs(document_->pathName());
    if (!result.ok)
        showError(tr("Save"), result.message);
    return result.ok;
}

bool CMainFrame::fileSaveAs()
{
    const QString path = askSavePath();
    if (path.isEmpty())
        return false;
    const CStirpaDoc::Result result = document_->saveAs(path);
    if (!result.ok) {
        showError(tr("Save As"), result.message);
        return false;
    }
    addRecentFile(document_->pathName());
    return true;
}

CMainFrame::ExportChoice CMainFrame::askExportPath(const QString& initialPath)
{
    HtmlSaveDlg dialog(initialPath, this);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(), dialog.pageOption == 0};
}

void CMainFrame::fileExportHtml()
{
    const String initial =
        initialHtmlName(String(document_->pathName().toLocal8Bit().toStdString()));
    const ExportChoice choice = askExportPath(QString::fromLocal8Bit(initial.c_str()));
    if (choice.path.isEmpty())
        return;
    const CStirpaDoc::Result result = document_->exportHtml(choice.path, choice.completePage);
    if (!result.ok)
        showError(tr("Write html"), result.message);
}

bool CMainFrame::askPrintSettings(QPrinter* printer)
{
    QPrintDialog dialog(printer, this);
    return dialog.exec() == QDialog::Accepted;
}

void CMainFrame::filePrint()
{
    if (!askPrintSettings(printer_.get()) || view_->printChart(printer_.get()))
        return;
    const QString file = printer_->outputFileName();
    showError(
        tr("Print"),
        file.isEmpty()
            ? tr("The chart could not be sent to the printer %1.").arg(printer_->printerName())
            : tr("The chart could not be printed to %1: the file cannot be written.")
                  .arg(QDir::toNativeSeparators(file)));
}

void CMainFrame::filePrintPreview()
{
    QPrintPreviewDialog preview(printer_.get(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, view_, &CStirpaView::printChart);
    preview.exec();
}

void CMainFrame::filePrintSetup()
{
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}

void CMainFrame::openSample()
{
    if (!saveModified())
        return;
    const QString path = findResource(QStringLiteral("sample.txt"));
    const CStirpaDoc::Result result = document_->openUntitled(path);
    if (!result.ok)
        showError(tr("Sample"), result.message);
}

QStringList CMainFrame::recentFiles() const
{
    QSettings settings;
    QStringList files;
    for (int i = 1; i <= recentFileCount; ++i) {
        const QString file = settings.value(recentGroup + "/File" + QString::number(i)).toString();
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

void CMainFrame::addRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    QSettings settings;
    for (int i = 1; i <= recentFileCount; ++i) {
        const QString key = recentGroup + "/File" + QString::number(i);
        if (i <= files.size())
            settings.setValue(key, files.at(i - 1));
        else
            settings.remove(key);
    }
    rebuildRecentMenu();
}

void CMainFrame::removeRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    if (!files.removeAll(path) && !files.removeAll(QFileInfo(path).absoluteFilePath()))
        return;
    QSettings settings;
    settings.remove(recentGroup);
    for (int i = 1; i <= files.size(); ++i)
        settings.setValue(recentGroup + "/File" + QString::number(i), files.at(i - 1));
    rebuildRecentMenu();
}

void CMainFrame::openRecentFile(int index)
{
    const QStringList files = recentFiles();
    if (index < files.size() && saveModified())
        openChart(files.at(index));
}

void CMainFrame::rebuildRecentMenu()
{
    for (QAction* entry : recentActions_)
        delete entry;
    recentActions_.clear();
    const QStringList files = recentFiles();
    recentPlaceholder_->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        auto* entry =
            new QAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(files.at(i)).fileName()), this);
        entry->setStatusTip(tr("Open this document"));
        entry->setToolTip(files.at(i));
        connect(entry, &QAction::triggered, this, [this, i] { openRecentFile(i); });
        fileMenu_->insertAction(recentPlaceholder_, entry);
        recentActions_.push_back(entry);
    }
}
