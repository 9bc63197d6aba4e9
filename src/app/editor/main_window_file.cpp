// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands of the main window: documents, recent files, printing, export.
#include "app/editor/main_window.h"

#include "app/command/install_paths.h"
#include "app/editor/about_dialog.h"
#include "app/editor/image_export.h"
#include "app/editor/page_settings.h"
#include "app/editor/recover_dialog.h"
#include "app/editor/resource_path.h"
#include "dialogs/file_dialog_setup.h"
#include "dialogs/html_export_dialog.h"
#include "dialogs/image_export_dialog.h"
#include "dialogs/page_options_widget.h"
#include "document/chart_document.h"
#include "document/message_text.h"
#include "export/html_export.h"
#include "family/output_check.h"
#include "view/chart_view.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString recentGroup = QStringLiteral("Recent File List");

bool sameFile(const QString& one, const QString& other)
{
    const QFileInfo first(one);
    const QFileInfo second(other);
    const QString canonical = first.canonicalFilePath();
    // A chart gone since the crash is still known by its name.
    return canonical.isEmpty() ? first.absoluteFilePath() == second.absoluteFilePath()
                               : canonical == second.canonicalFilePath();
}

// The print dialog's Chart pages tab on its own; what is chosen is kept.
bool askPageOptions(QWidget* parent)
{
    QDialog dialog(parent);
    auto* pages = new PageOptionsWidget(savedPageOptions());
    dialog.setWindowTitle(pages->windowTitle());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(pages);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    savePageOptions(pages->options());
    return true;
}

} // namespace

void MainWindow::showError(const QString& title, const QString& message)
{
    QMessageBox::critical(this, title, message);
}

MainWindow::SaveAnswer MainWindow::askSaveChanges()
{
    const auto answer = QMessageBox::warning(
        this, tr("Stirpa"), tr("Save changes to %1?").arg(document_->title()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return SaveAnswer::Save;
    return answer == QMessageBox::Discard ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

QString MainWindow::askOpenPath()
{
    QFileDialog dialog(this, tr("Open"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(dialog, FileKind::Chart);
    return runFileDialog(dialog, FileKind::Chart);
}

QString MainWindow::askSavePath()
{
    QFileDialog dialog(this, tr("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    prepareFileDialog(dialog, FileKind::Chart, document_->path());
    return runFileDialog(dialog, FileKind::Chart);
}

bool MainWindow::askRecover(const CrashRecovery::LeftOver& leftOver)
{
    return QMessageBox::question(this, tr("Stirpa"),
                                 tr("Recover unsaved changes to %1 from %2?")
                                     .arg(leftOver.chartName(), leftOver.savedText())) ==
           QMessageBox::Yes;
}

bool MainWindow::askOverwriteChangedFile()
{
    return QMessageBox::warning(this, tr("Save"),
                                tr("%1 was changed by another program since it was opened. "
                                   "Save over those changes?")
                                    .arg(document_->title()),
                                QMessageBox::Save | QMessageBox::Cancel,
                                QMessageBox::Cancel) == QMessageBox::Save;
}

bool MainWindow::askSaveElsewhere(const QString& reason)
{
    return QMessageBox::warning(this, tr("Save"), reason + "\n" + tr("Save it under another name?"),
                                QMessageBox::Save | QMessageBox::Cancel,
                                QMessageBox::Save) == QMessageBox::Save;
}

void MainWindow::reloadChart()
{
    if (const Result result = document_->reload(); !result)
        showError(tr("Reload"), messageText(result));
}

std::optional<CrashRecovery::LeftOver> MainWindow::askLeftOverToOpen()
{
    RecoverDialog dialog(CrashRecovery::leftOvers(), this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

bool MainWindow::openAtStart(const QString& chartPath)
{
    if (!offerRecovery(chartPath)) {
        if (chartPath.isEmpty())
            document_->newChart();
        else if (!openChart(chartPath))
            return false;
    }
    noteLeftOvers();
    return true;
}

bool MainWindow::offerRecovery(const QString& chartPath)
{
    for (const CrashRecovery::LeftOver& leftOver : CrashRecovery::leftOvers()) {
        // The chart asked for comes first; other copies wait for File > Recover.
        if (!chartPath.isEmpty() && !sameFile(leftOver.originalPath, chartPath))
            continue;
        if (!askRecover(leftOver))
            CrashRecovery::discard(leftOver);
        else if (recover(leftOver))
            return true;
    }
    return false;
}

bool MainWindow::recover(const CrashRecovery::LeftOver& leftOver)
{
    const Result result = document_->openRecovered(leftOver.chartPath, leftOver.originalPath);
    if (!result) {
        showError(tr("Recover"), messageText(result));
        return false;
    }
    // This run's own copy takes over at once, so a second crash loses nothing.
    if (recovery_->writeNow())
        CrashRecovery::discard(leftOver);
    return true;
}

void MainWindow::noteLeftOvers()
{
    QStringList names;
    for (const CrashRecovery::LeftOver& leftOver : CrashRecovery::leftOvers())
        names.append(leftOver.chartName());
    if (!names.isEmpty())
        statusBar()->showMessage(
            tr("Unsaved changes to %1 can be recovered: File > Recover...").arg(names.join(", ")));
}

void MainWindow::fileRecover()
{
    const std::optional<CrashRecovery::LeftOver> chosen = askLeftOverToOpen();
    if (chosen && saveModified())
        recover(*chosen);
}

bool MainWindow::saveModified()
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

bool MainWindow::openChart(const QString& path)
{
    const Result result = document_->open(path);
    if (!result) {
        showError(tr("Stirpa"), messageText(result));
        if (!QFileInfo::exists(path))
            removeRecentFile(path);
        return false;
    }
    addRecentFile(document_->path());
    return true;
}

void MainWindow::fileNew()
{
    if (saveModified())
        document_->newChart();
}

void MainWindow::fileOpen()
{
    if (!saveModified())
        return;
    const QString path = askOpenPath();
    if (!path.isEmpty())
        openChart(path);
}

bool MainWindow::fileSave()
{
    if (document_->path().isEmpty())
        return fileSaveAs();
    if (document_->changedOnDisk() && !askOverwriteChangedFile())
        return false;
    const Result result = document_->saveAs(document_->path());
    if (result.status == Result::WriteProtected)
        return askSaveElsewhere(messageText(result)) && fileSaveAs();
    if (!result)
        showError(tr("Save"), messageText(result));
    return bool(result);
}

bool MainWindow::fileSaveAs()
{
    const QString path = askSavePath();
    if (path.isEmpty())
        return false;
    const Result result = document_->saveAs(path);
    if (!result) {
        showError(tr("Save As"), messageText(result));
        return false;
    }
    addRecentFile(document_->path());
    return true;
}

MainWindow::ExportChoice MainWindow::askExportPath(const QString& initialPath)
{
    HtmlExportDialog dialog(initialPath, this);
    const QString path = runFileDialog(dialog, FileKind::WebPage);
    if (path.isEmpty())
        return {};
    return {path, dialog.completePage(), dialog.escapeText()};
}

bool MainWindow::exportMayWrite(const QString& title, const QString& path, bool completePage)
{
    const Result output = checkExportOutput(
        path.toLocal8Bit().toStdString(),
        exportInputs(document_->path().toLocal8Bit().toStdString(), completePage));
    if (!output)
        showError(title, messageText(output));
    return bool(output);
}

void MainWindow::fileExportHtml()
{
    const std::string initial = initialHtmlName(document_->path().toLocal8Bit().toStdString());
    const ExportChoice choice = askExportPath(QString::fromLocal8Bit(initial));
    if (choice.path.isEmpty() ||
        !exportMayWrite(tr("Write html"), choice.path, choice.completePage))
        return;
    const HtmlExportResult result =
        document_->exportHtml(choice.path, {.completePage = choice.completePage,
                                            .templatePaths = htmlTemplatePaths(),
                                            .escapeText = choice.escapeText});
    if (!result) {
        showError(tr("Write html"), messageText(result));
        return;
    }
    QStringList notes;
    for (const Result& note : result.notes)
        notes.append(messageText(note));
    if (!notes.isEmpty())
        statusBar()->showMessage(notes.join(QLatin1Char(' ')));
}

void MainWindow::fileExportImage()
{
    const QFileInfo chart(document_->path());
    const QString initial = chart.path() + QLatin1Char('/') + chart.completeBaseName();
    const std::optional<ImageExportChoice> choice =
        askImageExport(this, document_->path().isEmpty() ? QString() : initial, savedPageOptions());
    if (!choice || !exportMayWrite(tr("Export image"), choice->path))
        return;
    if (choice->pdfPages)
        savePageOptions(*choice->pdfPages);
    const Result result = exportChartImage(
        this, document_->chart(), choice->path.toLocal8Bit().toStdString(), choice->pdfPages);
    if (!result)
        showError(tr("Export image"), messageText(result));
}

// The print dialog has a tab for the chart's page layout.
bool MainWindow::askPrintSettings(QPrinter* printer)
{
    QPrintDialog dialog(printer, this);
    auto* pages = new PageOptionsWidget(savedPageOptions());
    dialog.setOptionTabs({pages});
    if (dialog.exec() != QDialog::Accepted)
        return false;
    savePageOptions(pages->options());
    return true;
}

void MainWindow::filePrint()
{
    if (!askPrintSettings(printer_.get()))
        return;
    if (const Result printed = view_->print(printer_.get(), savedPageOptions()); !printed)
        showError(tr("Print"), messageText(printed));
}

void MainWindow::filePrintPreview()
{
    QPrintPreviewDialog preview(printer_.get(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, view_,
            [this](QPrinter* printer) { view_->print(printer, savedPageOptions()); });
    // The chart's ways onto paper, the poster among them, beside the preview's
    // own tools; the preview then shows what will print.
    if (auto* tools = preview.findChild<QToolBar*>()) {
        QAction* pages = tools->addAction(tr("Chart pages..."));
        connect(pages, &QAction::triggered, &preview, [&preview] {
            if (!askPageOptions(&preview))
                return;
            if (auto* shown = preview.findChild<QPrintPreviewWidget*>())
                shown->updatePreview();
        });
    }
    preview.exec();
}

void MainWindow::filePrintSetup()
{
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}

void MainWindow::openSample()
{
    if (!saveModified())
        return;
    const QString path = findResource(QStringLiteral("sample.txt"));
    const Result result = document_->openUntitled(path);
    if (!result)
        showError(tr("Sample"), messageText(result));
}

void MainWindow::showAbout()
{
    AboutDialog about(this);
    about.exec();
}

QStringList MainWindow::recentFiles() const
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

void MainWindow::addRecentFile(const QString& path)
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

void MainWindow::removeRecentFile(const QString& path)
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

void MainWindow::openRecentFile(int index)
{
    const QStringList files = recentFiles();
    if (index < files.size() && saveModified())
        openChart(files.at(index));
}

void MainWindow::rebuildRecentMenu()
{
    for (QAction* entry : recentActions_)
        delete entry;
    recentActions_.clear();
    const QStringList files = recentFiles();
    QAction* placeholder = action(Command::FileRecent);
    placeholder->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        auto* entry =
            new QAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(files.at(i)).fileName()), this);
        entry->setStatusTip(tr("Open this document"));
        entry->setToolTip(files.at(i));
        connect(entry, &QAction::triggered, this, [this, i] { openRecentFile(i); });
        fileMenu_->insertAction(placeholder, entry);
        recentActions_.push_back(entry);
    }
}
