// SPDX-License-Identifier: GPL-3.0-or-later
// Files written together: each is the old file or the new one, never a mix; a
// failure keeps every file not yet put in place as it was and leaves no
// temporary; permissions are kept; and no more descriptors are open than a chunk.
#include "files/atomic_file_set.h"
#include "test_files.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string fileBytes(const QString& path) { return readAll(path).toStdString(); }

void writeBytes(const QString& path, const std::string& bytes)
{
    writeFile(path, QByteArray::fromStdString(bytes));
}

// Distinct bytes for each file, handed over in several pieces.
std::string newBytes(int file)
{
    return "new " + std::to_string(file) + "\n" +
           std::string(std::size_t(file) * 100, 'a' + file % 26);
}

std::function<void(const PieceWriter&)> producing(const std::string& bytes)
{
    return [bytes](const PieceWriter& write) {
        const std::size_t half = bytes.size() / 2;
        write(std::string_view(bytes).substr(0, half)) &&
            write(std::string_view(bytes).substr(half));
    };
}

int openDescriptors()
{
    return int(QDir("/proc/self/fd").entryList(QDir::Files | QDir::System).size());
}

// Every save temporary in the folder.
QStringList temporariesIn(const QString& folder)
{
    return QDir(folder).entryList({QString("*") + temporaryMark + "*"},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

mode_t modeOf(const QString& path)
{
    struct stat info {};
    ::stat(path.toLocal8Bit().constData(), &info);
    return info.st_mode & 07777;
}

} // namespace

class AtomicFileSetTest : public QObject {
    Q_OBJECT
private slots:
    void everyFileWritten_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<int>("folders");
        QTest::newRow("one file") << 1 << 3 << 1;
        QTest::newRow("one short of a chunk") << 2 << 3 << 1;
        QTest::newRow("a chunk") << 3 << 3 << 1;
        QTest::newRow("a chunk and one") << 4 << 3 << 1;
        QTest::newRow("seven chunks") << 21 << 3 << 1;
        QTest::newRow("chunks of one") << 5 << 1 << 1;
        QTest::newRow("four, flushed one by one") << 4 << 256 << 1;
        QTest::newRow("five, flushed at once") << 5 << 256 << 1;
        QTest::newRow("two folders, one chunk") << 9 << 256 << 2;
        QTest::newRow("two folders, chunks of four") << 9 << 4 << 2;
        QTest::newRow("more than the default chunk") << 300 << 0 << 1;
    }
    void everyFileWritten()
    {
        QFETCH(int, files);
        QFETCH(int, chunk);
        QFETCH(int, folders);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QStringList paths;
        for (int i = 0; i < files; ++i) {
            const QString folder = dir.filePath(i % folders ? "b" : "a");
            QDir().mkpath(folder);
            paths << folder + "/chart" + QString::number(i) + ".txt";
            if (i % 3 == 1)
                writeBytes(paths.last(), "old");
        }

        const int before = openDescriptors();
        int most = before;
        std::vector<std::string> expected;
        // 0: the default chunk, of 256 files.
        AtomicFileSet set = chunk ? AtomicFileSet(std::size_t(chunk)) : AtomicFileSet();
        chunk = chunk ? chunk : 256;
        for (int i = 0; i < files; ++i) {
            const std::string bytes = newBytes(i);
            const Result written = set.write(paths[i].toStdString(), [&](const PieceWriter& write) {
                most = std::max(most, openDescriptors());
                producing(bytes)(write);
            });
            QVERIFY2(written, written.message().c_str());
            expected.push_back(paths[i].toStdString());
        }
        const Result committed = set.commit();
        QVERIFY2(committed, committed.message().c_str());

        QCOMPARE(set.committed(), expected);
        for (int i = 0; i < files; ++i)
            QVERIFY2(fileBytes(paths[i]) == newBytes(i), qPrintable(paths[i]));
        QCOMPARE(temporariesIn(dir.filePath("a")), QStringList());
        QCOMPARE(temporariesIn(dir.filePath("b")), QStringList());
        // The chunk's locks, the temporary being written, the set's journal in
        // each folder and the descriptor the count itself opens.
        QVERIFY2(most <= before + std::min(chunk, files) + (files > 1 ? 1 + folders : 1),
                 qPrintable(QString("%1 descriptors open, %2 before").arg(most).arg(before)));
    }

    // Each file keeps its own mode, whichever chunk it is in; a new file takes
    // the process's default.
    void replacingKeepsPermissions_data()
    {
        QTest::addColumn<int>("chunk");
        QTest::newRow("one chunk") << 256;
        QTest::newRow("chunks of two") << 2;
        QTest::newRow("chunks of one") << 1;
    }
    void replacingKeepsPermissions()
    {
        QFETCH(int, chunk);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QList<mode_t> modes = {0640, 0604, 0751, 0620};
        QStringList paths;
        for (int i = 0; i < modes.size(); ++i) {
            paths << dir.filePath(QString("chart%1.txt").arg(i));
            writeBytes(paths.last(), "old");
            QCOMPARE(::chmod(paths.last().toLocal8Bit().constData(), modes[i]), 0);
        }
        paths << dir.filePath("new.txt");
        const mode_t mask = ::umask(027);

        AtomicFileSet set{std::size_t(chunk)};
        for (int i = 0; i < paths.size(); ++i)
            QVERIFY(set.write(paths[i].toStdString(), producing(newBytes(i))));
        const bool committed = bool(set.commit());
        ::umask(mask);
        QVERIFY(committed);

        for (int i = 0; i < modes.size(); ++i)
            QCOMPARE(modeOf(paths[i]), modes[i]);
        QCOMPARE(modeOf(paths.last()), mode_t(0640));
    }

    // The file at "failing" cannot be written, or cannot be renamed into place
    // ("folder later"). A failed write puts no file in place, whatever chunk it
    // is in; a failed rename keeps the files renamed before it. Every other
    // file keeps its old bytes, and no temporary is left.
    void failureKeepsTheFilesNotYetInPlace_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<int>("failing");
        QTest::addColumn<int>("inPlace");
        QTest::newRow("folder in the way, first") << "folder" << 5 << 256 << 0 << 0;
        QTest::newRow("folder in the way, middle") << "folder" << 5 << 256 << 2 << 0;
        QTest::newRow("folder in the way, last") << "folder" << 5 << 256 << 4 << 0;
        QTest::newRow("FIFO in the way, middle") << "FIFO" << 5 << 256 << 3 << 0;
        QTest::newRow("write-protected, middle") << "write-protected" << 5 << 256 << 1 << 0;
        QTest::newRow("last of the first chunk") << "folder" << 5 << 2 << 1 << 0;
        QTest::newRow("first of the second chunk") << "folder" << 5 << 2 << 2 << 0;
        QTest::newRow("second of the second chunk") << "folder" << 5 << 2 << 3 << 0;
        QTest::newRow("second of the third chunk") << "folder" << 6 << 2 << 5 << 0;
        QTest::newRow("never committed") << "" << 5 << 256 << 5 << 0;
        QTest::newRow("folder in the way at the commit, first")
            << "folder later" << 5 << 256 << 0 << 0;
        QTest::newRow("folder in the way at the commit, middle")
            << "folder later" << 5 << 256 << 2 << 2;
        QTest::newRow("folder in the way at the commit, last chunk")
            << "folder later" << 5 << 2 << 4 << 4;
    }
    void failureKeepsTheFilesNotYetInPlace()
    {
        QFETCH(QString, situation);
        QFETCH(int, files);
        QFETCH(int, chunk);
        QFETCH(int, failing);
        QFETCH(int, inPlace);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QStringList paths;
        for (int i = 0; i < files; ++i) {
            paths << dir.filePath(QString("chart%1.txt").arg(i));
            if (i != failing)
                writeBytes(paths.last(), "old " + std::to_string(i));
        }
        if (situation == "folder") {
            QVERIFY(QDir().mkdir(paths[failing]));
        } else if (situation == "FIFO") {
            QCOMPARE(::mkfifo(paths[failing].toLocal8Bit().constData(), 0644), 0);
        } else if (situation == "write-protected") {
            writeBytes(paths[failing], "protected");
            QCOMPARE(::chmod(paths[failing].toLocal8Bit().constData(), 0444), 0);
        }

        std::vector<std::string> committed;
        Result failure;
        const int before = openDescriptors();
        {
            AtomicFileSet set{std::size_t(chunk)};
            for (int i = 0; i < files && failure; ++i)
                failure = set.write(paths[i].toStdString(), producing(newBytes(i)));
            if (situation == "folder later") {
                // The rename fails: the files before it stay in place.
                QVERIFY(failure);
                QVERIFY(QDir().mkdir(paths[failing]));
                failure = set.commit();
            }
            if (!situation.isEmpty()) {
                QVERIFY(!failure);
                QVERIFY2(QString::fromStdString(failure.message()).contains(paths[failing]),
                         failure.message().c_str());
                // Nothing more is written once a file has failed.
                const Result later = set.commit();
                QCOMPARE(later.message(), failure.message());
            }
            committed = set.committed();
        }
        // Whatever failed, the set's descriptors go with it.
        QCOMPARE(openDescriptors(), before);

        QCOMPARE(int(committed.size()), inPlace);
        for (int i = 0; i < files; ++i) {
            if (i < inPlace) {
                QCOMPARE(committed[std::size_t(i)], paths[i].toStdString());
                QVERIFY2(fileBytes(paths[i]) == newBytes(i), qPrintable(paths[i]));
            } else if (i != failing) {
                QCOMPARE(fileBytes(paths[i]), "old " + std::to_string(i));
            }
        }
        if (situation == "write-protected")
            QCOMPARE(fileBytes(paths[failing]), std::string("protected"));
        QCOMPARE(temporariesIn(dir.path()), QStringList());
    }

    // The temporaries a killed save left beside the set's files go; a live
    // save's, another file's and names that only look alike stay. The folder is
    // read once for the whole set: a temporary that turns up later is left for
    // the next save of its file.
    void staleTemporariesGo()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString first = dir.filePath("family.txt");
        const QString second = dir.filePath("family01.txt");
        const QString third = dir.filePath("family02.txt");
        const QStringList stale = {first + temporaryMark + "Dead01",
                                   third + temporaryMark + "Dead02",
                                   third + temporaryMark + "zZ9aA0"};
        const QStringList kept = {second + temporaryMark + "Live01",
                                  dir.filePath("other.txt") + temporaryMark + "Abc123",
                                  first + temporaryMark + "short", first + temporaryMark + "a-b_cd",
                                  dir.filePath("family") + temporaryMark + "Abc123"};
        for (const QString& name : stale + kept)
            writeBytes(name, "partial");
        const int live =
            ::open((second + temporaryMark + "Live01").toLocal8Bit().constData(), O_RDONLY);
        QVERIFY(live >= 0);
        QCOMPARE(::flock(live, LOCK_EX), 0);
        const QString late = third + temporaryMark + "Late01";

        AtomicFileSet set;
        bool written = bool(set.write(first.toStdString(), [&](const PieceWriter& write) {
            writeBytes(late, "partial");
            write("first");
        }));
        written = written && set.write(second.toStdString(), producing("second"));
        written = written && set.write(third.toStdString(), producing("third"));
        written = written && set.commit();
        ::close(live);
        QVERIFY(written);

        for (const QString& name : stale)
            QVERIFY2(!QFile::exists(name), qPrintable(name));
        for (const QString& name : kept + QStringList{late})
            QVERIFY2(QFile::exists(name), qPrintable(name));
        QCOMPARE(fileBytes(third), std::string("third"));
    }
};

QTEST_GUILESS_MAIN(AtomicFileSetTest)
#include "atomic_file_set_test.moc"
