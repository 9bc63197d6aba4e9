// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/file_watch.h"

#include "document/chart_document.h"

#include <QFileInfo>

FileWatch::FileWatch(ChartDocument* document) : QObject(document), document_(document)
{
    connect(document_, &ChartDocument::titleChanged, this, &FileWatch::watchPath);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileWatch::check);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileWatch::check);
    watchPath();
}

void FileWatch::watchPath()
{
    const QString path = document_->path();
    if (path == watchedPath_)
        return;
    watchedPath_ = path;
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty())
        watcher_.removePaths(watched);
    if (path.isEmpty())
        return;
    watcher_.addPath(QFileInfo(path).absolutePath());
    if (QFileInfo::exists(path))
        watcher_.addPath(path);
}

void FileWatch::check()
{
    const QString path = document_->path();
    // A file replaced by renaming is watched anew.
    if (!path.isEmpty() && !watcher_.files().contains(path) && QFileInfo::exists(path))
        watcher_.addPath(path);
    if (!document_->changedOnDisk())
        return;
    const FileStamp now = FileStamp::of(path.toLocal8Bit().toStdString());
    if (now == told_)
        return;
    told_ = now;
    emit changedOnDisk();
}
