// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

// What a file dialog asks for. Each kind has its own filters and remembers the
// folder last used for it, charts (Open and Save As) sharing one.
enum class FileKind { Chart, WebPage, Image, Gedcom };

// The kind's own filters, then "All files (*)".
QStringList fileFilters(FileKind kind);

// Where a dialog for the kind starts: the folder last used for it, else the
// fallback (the chart's folder, say), else the home folder.
QString startFolder(FileKind kind, const QString& fallback = QString());

void rememberFolder(FileKind kind, const QString& chosenFile);

// Gives the dialog the kind's filters and start folder, proposing the file name
// of `proposed`; its folder is the fallback of startFolder.
void prepareFileDialog(QFileDialog& dialog, FileKind kind, const QString& proposed = QString());

// Runs a prepared dialog: the file chosen, its folder remembered, or an empty
// string when cancelled.
QString runFileDialog(QFileDialog& dialog, FileKind kind);

// The path a save dialog chose, or empty when it is a family file (GEDCOM)
// the user, asked, would not lose.
QString confirmedSavePath(QWidget* parent, const QString& path);
