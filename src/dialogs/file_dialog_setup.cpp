// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/file_dialog_setup.h"

#include "gedcom/gedcom_reader.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace {

QString settingsKey(FileKind kind)
{
    switch (kind) {
    case FileKind::Chart:
        return QStringLiteral("lastFolder");
    case FileKind::WebPage:
        return QStringLiteral("lastHtmlFolder");
    case FileKind::Image:
        return QStringLiteral("lastImageFolder");
    case FileKind::Gedcom:
        return QStringLiteral("lastGedcomFolder");
    }
    return QString();
}

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

} // namespace

QStringList fileFilters(FileKind kind)
{
    QStringList filters;
    switch (kind) {
    case FileKind::Chart:
        filters << QObject::tr("Stirpa charts (*.txt)");
        break;
    case FileKind::WebPage:
        filters << QObject::tr("Web pages (*.html *.htm)");
        break;
    case FileKind::Image:
        filters << QObject::tr("PNG image (*.png)") << QObject::tr("SVG drawing (*.svg)")
                << QObject::tr("PDF document (*.pdf)");
        break;
    case FileKind::Gedcom:
        // Upper case too: files from Windows programs often have it.
        filters << QObject::tr("GEDCOM files (*.ged *.GED)");
        break;
    }
    return filters << QObject::tr("All files (*)");
}

QString startFolder(FileKind kind, const QString& fallback)
{
    const QString remembered = QSettings().value(settingsKey(kind)).toString();
    if (isFolder(remembered))
        return remembered;
    return isFolder(fallback) ? fallback : QDir::homePath();
}

void rememberFolder(FileKind kind, const QString& chosenFile)
{
    QSettings().setValue(settingsKey(kind), QFileInfo(chosenFile).absolutePath());
}

void prepareFileDialog(QFileDialog& dialog, FileKind kind, const QString& proposed)
{
    dialog.setNameFilters(fileFilters(kind));
    const QFileInfo file(proposed);
    dialog.setDirectory(startFolder(kind, proposed.isEmpty() ? QString() : file.absolutePath()));
    if (!file.fileName().isEmpty())
        dialog.selectFile(file.fileName());
}

QString runFileDialog(QFileDialog& dialog, FileKind kind)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    rememberFolder(kind, chosen);
    return dialog.acceptMode() == QFileDialog::AcceptSave
               ? confirmedSavePath(dialog.parentWidget(), chosen)
               : chosen;
}

QString confirmedSavePath(QWidget* parent, const QString& path)
{
    if (!isGedcomFile(QFile::encodeName(path).toStdString()))
        return path;
    const auto answer = QMessageBox::warning(
        parent, QObject::tr("Replace a family file"),
        QObject::tr("%1 is a family file (GEDCOM). Replace it, and lose what it holds?")
            .arg(QDir::toNativeSeparators(path)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes ? path : QString();
}
