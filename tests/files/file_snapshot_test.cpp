// SPDX-License-Identifier: GPL-3.0-or-later
// A file counts as changed when its bytes are other than they were, not when
// only its times are: touched, times restored, the same bytes written again.
#include "files/file_snapshot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace {

const QByteArray original = "Stirpa 120j50 50j200 d1 1\nP 0j0 5:Alpha 0j0 0\n";

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

struct timespec modified(const QString& path)
{
    struct stat info {};
    ::stat(path.toLocal8Bit().constData(), &info);
    return info.st_mtim;
}

void setModified(const QString& path, struct timespec when)
{
    const struct timespec times[2] = {when, when};
    QCOMPARE(::utimensat(AT_FDCWD, path.toLocal8Bit().constData(), times, 0), 0);
}

struct timespec secondsAgo(long seconds)
{
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    now.tv_sec -= seconds;
    return now;
}

// Does to the file what the row names.
void change(const QString& path, const QString& how)
{
    const struct timespec before = modified(path);
    QByteArray sameSize = original;
    sameSize.replace("Alpha", "Omega");
    if (how == "touched") {
        setModified(path, secondsAgo(-5));
    } else if (how == "times an hour back") {
        setModified(path, secondsAgo(3600));
    } else if (how == "same bytes in place") {
        writeBytes(path, original);
    } else if (how == "same bytes by renaming") {
        writeBytes(path + ".new", original);
        QVERIFY(QFile::remove(path) && QFile::rename(path + ".new", path));
    } else if (how == "other bytes of the same size, time kept") {
        writeBytes(path, sameSize);
        setModified(path, before);
    } else if (how == "other bytes of the same size") {
        writeBytes(path, sameSize);
    } else if (how == "other bytes of the same size, stamped within the second") {
        writeBytes(path, sameSize);
        struct timespec within = before;
        within.tv_nsec = before.tv_nsec < 500000000 ? before.tv_nsec + 400000000 : 100000000;
        setModified(path, within);
    } else if (how == "one byte more") {
        writeBytes(path, original + "\n");
    } else if (how == "emptied") {
        writeBytes(path, QByteArray());
    } else if (how == "removed") {
        QVERIFY(QFile::remove(path));
    } else if (how == "a folder in its place") {
        QVERIFY(QFile::remove(path) && QDir().mkdir(path));
    } else {
        QCOMPARE(how, QString("nothing"));
    }
}

} // namespace

class FileSnapshotTest : public QObject {
    Q_OBJECT
private slots:
    // "settled": the file was last written long before the snapshot, so its
    // stamp can be trusted; otherwise it was written in the same instant.
    void changedWhenTheBytesAre_data()
    {
        QTest::addColumn<bool>("settled");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("changed");
        for (const bool settled : {false, true}) {
            const char* when = settled ? "written long ago" : "just written";
            const auto row = [&](const char* how, bool changed) {
                QTest::addRow("%s, %s", when, how) << settled << QString(how) << changed;
            };
            row("nothing", false);
            row("touched", false);
            row("times an hour back", false);
            row("same bytes in place", false);
            row("same bytes by renaming", false);
            row("other bytes of the same size", true);
            row("other bytes of the same size, stamped within the second", true);
            row("one byte more", true);
            row("emptied", true);
            row("removed", true);
            row("a folder in its place", true);
        }
        // Written and rewritten within the stamp's grain: only the bytes tell.
        QTest::newRow("just written, other bytes of the same size, time kept")
            << false << "other bytes of the same size, time kept" << true;
    }
    void changedWhenTheBytesAre()
    {
        QFETCH(bool, settled);
        QFETCH(QString, how);
        QFETCH(bool, changed);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("chart.txt");
        writeBytes(path, original);
        if (settled)
            setModified(path, secondsAgo(600));
        FileSnapshot snapshot = FileSnapshot::of(path.toStdString());
        change(path, how);
        QCOMPARE(snapshot.changed(path.toStdString()), changed);
        // A second look tells the same.
        QCOMPARE(snapshot.changed(path.toStdString()), changed);
    }

    void missingFileStaysUnchangedUntilItComes()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string path = dir.filePath("later.txt").toStdString();
        FileSnapshot snapshot = FileSnapshot::of(path);
        QVERIFY(!snapshot.changed(path));
        writeBytes(QString::fromStdString(path), original);
        QVERIFY(snapshot.changed(path));
    }

    void digestTellsBytesApart_data()
    {
        QTest::addColumn<QByteArray>("one");
        QTest::addColumn<QByteArray>("other");
        QTest::newRow("one letter") << QByteArray("Alpha") << QByteArray("Alphb");
        QTest::newRow("two words switched")
            << QByteArray("abcdefgh12345678") << QByteArray("12345678abcdefgh");
        QTest::newRow("a zero byte more") << QByteArray("Alpha") << QByteArray("Alpha\0", 6);
        QTest::newRow("empty and a zero byte") << QByteArray() << QByteArray("\0", 1);
        QByteArray piece(1 << 16, 'x');
        QTest::newRow("last byte of a long file") << piece + piece + "a" << piece + piece + "b";
        QTest::newRow("first byte of a long file") << "a" + piece + piece << "b" + piece + piece;
    }
    void digestTellsBytesApart()
    {
        QFETCH(QByteArray, one);
        QFETCH(QByteArray, other);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeBytes(dir.filePath("one"), one);
        writeBytes(dir.filePath("other"), other);
        writeBytes(dir.filePath("copy"), one);
        const auto one1 = contentDigest(dir.filePath("one").toStdString());
        QVERIFY(one1.has_value());
        QCOMPARE(contentDigest(dir.filePath("copy").toStdString()), one1);
        QVERIFY(contentDigest(dir.filePath("other").toStdString()) != one1);
        QVERIFY(!contentDigest(dir.filePath("none").toStdString()));
    }
};

QTEST_APPLESS_MAIN(FileSnapshotTest)
#include "file_snapshot_test.moc"
