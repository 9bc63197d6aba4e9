// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <map>

// A file's bytes, or nothing when it cannot be read.
inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file for a test to read; a file that cannot be written fails the test.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Sets a file's times to one whole second an hour ago, plus milliseconds: two
// stamps in the same second that differ only below it.
inline void stampAnHourAgo(const QString& path, long milliseconds)
{
    static const time_t second = ::time(nullptr) - 3600;
    const struct timespec when {
        second, milliseconds * 1000000
    };
    const struct timespec times[2] = {when, when};
    QCOMPARE(::utimensat(AT_FDCWD, path.toLocal8Bit().constData(), times, 0), 0);
}

// The files of a folder by name, with their bytes: what a step that writes
// nothing must leave as it was.
inline std::map<QString, QByteArray> folderContents(const QString& folder)
{
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        files[name] = readAll(folder + '/' + name);
    return files;
}
