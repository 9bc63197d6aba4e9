// SPDX-License-Identifier: GPL-3.0-or-later
// Another program's change to the open chart is told once, however it is made;
// the document's own saves are not changes.
#include "document/chart_document.h"
#include "document/file_watch.h"

#include "files/debug_log.h"
#include "test_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

class FileWatchTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { redirectDebugLog(&log); }
    void cleanupTestCase() { redirectDebugLog(nullptr); }

    void anotherProgramsChangeIsToldOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("written in place") << "in place";
        QTest::newRow("replaced by renaming") << "rename";
        QTest::newRow("removed") << "remove";
        QTest::newRow("twice, same size, within one second") << "same size twice";
    }
    void anotherProgramsChangeIsToldOnce()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        const QString path = dir.filePath("a.txt");
        writeFile(path, "P 0j0 1:a 0j0 0\n");
        ChartDocument document;
        FileWatch watch(&document);
        QSignalSpy told(&watch, &FileWatch::changedOnDisk);
        QVERIFY(document.open(path));
        QVERIFY(!document.changedOnDisk());

        // The document's own save is no change.
        QVERIFY(document.saveAs(path));
        QVERIFY(!told.wait(300));

        if (how == "in place") {
            writeFile(path, "P 0j0 1:b 0j0 0\nP 1j0 1:c 0j0 0\n");
        } else if (how == "same size twice") {
            writeFile(path, "P 0j0 1:b 0j0 0\n");
            stampAnHourAgo(path, 200);
        } else if (how == "rename") {
            writeFile(dir.filePath("new.txt"), "P 0j0 1:b 0j0 0\n");
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::rename(dir.filePath("new.txt"), path));
        } else {
            QVERIFY(QFile::remove(path));
        }
        QVERIFY(told.wait(5000));
        QVERIFY(document.changedOnDisk());
        QTest::qWait(300); // further notices of the same change
        QCOMPARE(told.count(), 1);

        if (how != "remove") {
            QVERIFY(document.reload());
            QVERIFY(!document.changedOnDisk());
            QCOMPARE(QByteArray(document.tree().findPerson({0, 0})->text.c_str()), QByteArray("b"));
        }
        if (how == "same size twice") {
            // Another change of the same size in the same second is told too.
            writeFile(path, "P 0j0 1:d 0j0 0\n");
            stampAnHourAgo(path, 700);
            QVERIFY(told.wait(5000));
            QCOMPARE(told.count(), 2);
            QVERIFY(document.reload());
            QCOMPARE(QByteArray(document.tree().findPerson({0, 0})->text.c_str()), QByteArray("d"));
        }
    }

private:
    std::ostringstream log;
};

QTEST_GUILESS_MAIN(FileWatchTest)
#include "file_watch_test.moc"
