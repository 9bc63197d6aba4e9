// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileSystemWatcher>
#include <QObject>

#include "files/file_stamp.h"

#include <optional>

class ChartDocument;

// Tells when another program changes the document's file. The file and its
// folder are both watched: a program that saves by renaming replaces the file
// the watch was on. Each change is told once; the document's own saves are not
// changes.
class FileWatch : public QObject {
    Q_OBJECT
public:
    explicit FileWatch(ChartDocument* document);

signals:
    void changedOnDisk();

private:
    void watchPath();
    void check();

    ChartDocument* document_;
    QFileSystemWatcher watcher_;
    QString watchedPath_;
    std::optional<FileStamp> told_; // the change last told, so it is told once
};
