// SPDX-License-Identifier: GPL-3.0-or-later
// A journal found in a folder may be a stranger's: whatever it holds, reading a
// chart there and writing a book there change nothing outside the folder and
// nothing in it but a book's charts and Stirpa's own temporaries. A live writer
// is waited for only by who reads or writes its files, a bounded time, saying so.
#include "files/atomic_file_set.h"
#include "chartfile/chart_reader.h"
#include "files/file_notices.h"
#include "files/folder_lock.h"
#include "files/write_journal.h"
#include "little_memory.h"
#include "test_files.h"

#include <QtTest>

#include <fcntl.h>
#include <map>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Snapshot = std::map<QString, QByteArray>; // a file's bytes, or a link's target, by path

Snapshot snapshotOf(const QString& root)
{
    Snapshot files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString path = entry.filePath();
        struct stat info {};
        ::lstat(path.toLocal8Bit().constData(), &info);
        files[path] = S_ISLNK(info.st_mode)      ? "link:" + entry.symLinkTarget().toUtf8()
                      : !S_ISREG(info.st_mode)   ? QByteArray::number(info.st_mode, 8)
                      : info.st_size > (1 << 20) ? QByteArray::number(qint64(info.st_size))
                                                 : readAll(path);
    }
    return files;
}

// Book charts of a stem, and the temporaries in the sandbox that may replace them.
const QStringList temporaries = {"family.txt.stirpa-tmp-Abc123", "family01.txt.stirpa-tmp-Xyz789"};

struct Sandbox {
    QTemporaryDir root;
    QString book = root.filePath("book");

    Sandbox()
    {
        QDir(root.path()).mkpath("book");
        QDir(root.path()).mkpath("secret");
        writeFile(root.filePath("victim.txt"), "the user's own\n");
        writeFile(root.filePath("secret/kept.txt"), "secret\n");
        for (const char* chart : {"chart.txt", "family.txt", "family01.txt", "family02.txt"})
            writeFile(book + "/" + chart, QByteArray("P 0j0 4:") + chart + " 0j0 0\n");
        writeFile(book + "/notes.txt", "notes\n");
        for (const QString& temporary : temporaries)
            writeFile(book + "/" + temporary, "P 0j0 3:new 0j0 0\n");
        QFile::link("../secret", book + "/link");
        QFile::link("../victim.txt", book + "/outside.txt");
    }
    QString journal() const { return book + "/" + journalName; }
};

// Reads a chart in the book's folder from its parent, as a user in another
// folder would, then writes a book of two charts there.
void readAndWrite(const Sandbox& box)
{
    const QString here = QDir::currentPath();
    QDir::setCurrent(box.root.path());
    readChartFile("book/chart.txt", TreeSettings());
    AtomicFileSet set(AtomicFileSet::Journaling::FromFirstFile);
    for (const char* name : {"book/family03.txt", "book/family04.txt"})
        set.write(name, [](const PieceWriter& write) { write("P 0j0 1:x 0j0 0\n"); });
    set.commit();
    QDir::setCurrent(here);
}

// What may have happened: only a book's charts and Stirpa's temporaries in the
// folder changed, each chart to a temporary's bytes or gone; nothing else.
void checkHarmless(const Snapshot& before, Snapshot after, const QString& book,
                   const QByteArray& journal)
{
    const QString what = " for " + QString::fromLatin1(journal.toPercentEncoding());
    after.erase(book + "/family03.txt"); // what the writer wrote
    after.erase(book + "/family04.txt");
    for (const auto& [path, bytes] : before) {
        const bool mayChange =
            QFileInfo(path).path() == book && QRegularExpression("^(family|\\.stirpa-journal)")
                                                  .match(QFileInfo(path).fileName())
                                                  .hasMatch();
        const auto now = after.find(path);
        QVERIFY2(now != after.end() || mayChange, qPrintable("removed " + path + what));
        QVERIFY2(now == after.end() || now->second == bytes ||
                     (mayChange && now->second == "P 0j0 3:new 0j0 0\n"),
                 qPrintable("changed " + path + what));
    }
    for (const auto& [path, bytes] : after)
        QVERIFY2(before.count(path), qPrintable("made " + path + what));
}

QByteArray record(std::initializer_list<QByteArray> fields)
{
    QByteArray bytes;
    for (const QByteArray& field : fields)
        bytes += field + '\0';
    return bytes;
}

// Journals as an attacker or a crash may leave them: the crafted ones first,
// then records drawn from names that lead out of the folder, at the user's
// files, at links, at temporaries, with counts right and wrong.
std::vector<QByteArray> journals(const QString& root)
{
    const QByteArray absolute = (root + "/victim.txt").toUtf8();
    std::vector<QByteArray> all = {
        record({"D", "../victim.txt", "C", "1"}),
        record({"T", "evil.txt", "../victim.txt", "C", "1"}),
        record({"T", "family.txt.stirpa-tmp-Abc123", absolute, "C", "1"}),
        record({"T", "chart.txt", "family.txt"}),
        record({"T", "family.txt.stirpa-tmp-Abc123", "family.txt", "D", "link", "C", "2"}),
        record({"T", "family.txt.stirpa-tmp-Abc123", "family.txt", "D", "outside.txt", "C", "2"}),
        record({"T", "family.txt.stirpa-tmp-Abc123", "family.txt", "D", "notes.txt", "C", "2"}),
        record({"D", "chart.txt", "C", "1"}),
        record({"T", "family.txt.stirpa-tmp-Abc123", "family.txt", "C", "7"}),
        QByteArray(4096, '\0'),
        // As a writer leaves them: finished, and undone.
        record({"T", "family.txt.stirpa-tmp-Abc123", "family.txt", "D", "family02.txt", "C", "2"}),
        record({"T", "family01.txt.stirpa-tmp-Xyz789", "family01.txt"}),
    };
    // Out of the folder, at the user's files, at links, at temporaries, at nothing.
    QList<QByteArray> names =
        QByteArray("../victim.txt|chart.txt|notes.txt|family.txt|family01.txt|"
                   "family02.txt|link|link/kept.txt|outside.txt|.stirpa-"
                   "journal||.|..|secret/../victim.txt|chart.txt.stirpa-tmp-"
                   "Qqq111|" +
                   temporaries.join('|').toUtf8())
            .split('|');
    names << absolute;
    const std::vector<QByteArray> kinds = {"T", "T", "D", "C", "X", ""};
    std::mt19937 random(4242);
    const auto pick = [&](const auto& list) { return list[random() % list.size()]; };
    for (int n = 0; n < 300; ++n) {
        QByteArray journal;
        const int count = 1 + int(random() % 4);
        for (int r = 0; r < count; ++r) {
            const QByteArray kind = pick(kinds);
            if (kind == "T" && random() % 2) {
                const std::size_t which = random() % 2;
                journal += record(
                    {kind, temporaries[which].toUtf8(), which ? "family01.txt" : "family.txt"});
                continue;
            }
            journal += record({kind, pick(names)});
            if (kind == "T")
                journal += record({pick(names)});
        }
        if (random() % 4)
            journal += record({"C", QByteArray::number(int(random() % 2 ? count : random() % 5))});
        all.push_back(journal);
    }
    return all;
}

} // namespace

class WriteJournalTest : public QObject {
    Q_OBJECT

private slots:
    void strangersJournalHarmsNothing()
    {
        const Sandbox names;
        int settled = 0;
        for (const QByteArray& journal : journals(names.root.path())) {
            const Sandbox box;
            writeFile(box.journal(), journal);
            const Snapshot before = snapshotOf(box.root.path());
            readAndWrite(box);
            checkHarmless(before, snapshotOf(box.root.path()), box.book, journal);
            settled += !QFile::exists(box.journal());
        }
        // A journal that keeps the rules is still settled.
        QVERIFY2(settled > 10, qPrintable(QString::number(settled)));
    }

    void voidJournalsAreNamedAndLeft_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        const QString notRegular = "not a regular file";
        QTest::newRow("folder") << QString("folder") << notRegular;
        QTest::newRow("fifo") << QString("fifo") << notRegular;
        QTest::newRow("dangling link") << QString("link") << notRegular;
        QTest::newRow("zeros") << QString("zeros") << QString("not Stirpa's");
        QTest::newRow("sparse 2 GiB") << QString("sparse") << QString("too long");
        QTest::newRow("another user's") << QString("owner") << QString("another user");
    }

    // Never acted on, never in memory whole: a writer says what is in its way.
    void voidJournalsAreNamedAndLeft()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        if (kind == "owner" && ::geteuid() != 0)
            QSKIP("only root can give a file away");
        const Sandbox box;
        const QByteArray path = box.journal().toLocal8Bit();
        if (kind == "folder")
            QVERIFY(QDir().mkdir(box.journal()));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (kind == "link")
            QVERIFY(QFile::link("nowhere", box.journal()));
        else if (kind == "zeros")
            writeFile(box.journal(), QByteArray(16 << 20, '\0'));
        else {
            writeFile(box.journal(), record({"T", temporaries[0].toUtf8(), "family.txt"}));
            if (kind == "sparse")
                QCOMPARE(::truncate(path.constData(), off_t(2) << 30), 0);
            else
                QCOMPARE(::chown(path.constData(), 65534, 65534), 0);
        }
        QStringList notices;
        setFileNoticeHandler([&](const Result& note) { notices << note.message().c_str(); });
        const Snapshot before = snapshotOf(box.root.path());
        const std::string chart = (box.book + "/family.txt").toStdString();
        QCOMPARE(inChildWithLittleMemory([&] { return readChartFile(chart, {}) ? 0 : 1; }), 0);
        QVERIFY(readChartFile(chart, {}));
        AtomicFileSet set(AtomicFileSet::Journaling::FromFirstFile);
        const Result written =
            set.write((box.book + "/family03.txt").toStdString(),
                      [](const PieceWriter& write) { write("P 0j0 1:x 0j0 0\n"); });
        setFileNoticeHandler({});
        QCOMPARE(snapshotOf(box.root.path()), before);
        QVERIFY2(!written && QString(written.message().c_str()).contains(box.journal()) &&
                     QString(written.message().c_str()).contains(reason),
                 written.message().c_str());
        QCOMPARE(notices.size(), 1);
        QVERIFY2(notices.front().contains(box.journal()), qPrintable(notices.front()));
    }

    // A live writer is waited for by a reader of its files only, a bounded
    // time, with a word at once naming the folder and the writer.
    void liveWriterIsWaitedForBriefly()
    {
        const Sandbox box;
        writeFile(box.journal(), record({"T", temporaries[0].toUtf8(), "family.txt"}));
        const int writer = ::open(box.journal().toLocal8Bit().constData(), O_RDONLY);
        QCOMPARE(::flock(writer, LOCK_EX), 0);
        setWriterWaitLimit(std::chrono::milliseconds(300));
        QStringList notices;
        setFileNoticeHandler([&](const Result& note) { notices << note.message().c_str(); });

        QVERIFY(readChartFile((box.book + "/chart.txt").toStdString(), {}));
        QVERIFY(notices.isEmpty());
        const ChartLoad waited = readChartFile((box.book + "/family.txt").toStdString(), {});
        const QString process = QString("process %1").arg(::getpid());
        QVERIFY(!waited);
        QVERIFY2(QString(waited.message().c_str()).contains(process), waited.message().c_str());
        QCOMPARE(notices.size(), 1);
        QVERIFY2(notices.front().startsWith("Waiting for another Stirpa (" + process) &&
                     notices.front().contains(box.book),
                 qPrintable(notices.front()));

        const FolderLock first({(box.book + "/a.txt").toStdString()});
        QVERIFY(first.acquired());
        const FolderLock second({(box.book + "/b.txt").toStdString()});
        QVERIFY2(!second.acquired() &&
                     QString(second.acquired().message().c_str()).contains(process),
                 second.acquired().message().c_str());

        ::close(writer);
        setFileNoticeHandler({});
        setWriterWaitLimit(std::chrono::seconds(30));
        QVERIFY(readChartFile((box.book + "/family.txt").toStdString(), {}));
        QVERIFY(!QFile::exists(box.journal()));
    }
};

QTEST_APPLESS_MAIN(WriteJournalTest)
#include "write_journal_test.moc"
