// SPDX-License-Identifier: GPL-3.0-or-later
// Two programs on one chart file: the window says when the other one wrote it,
// and a save never silently overwrites that.
#include "app/editor/changed_file_bar.h"
#include "app/editor/main_window.h"
#include "files/debug_log.h"
#include "document/chart_document.h"
#include "private_home.h"
#include "test_files.h"
#include "view/chart_view.h"

#include <QAction>
#include <QDateTime>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

namespace {

class AskedWindow : public MainWindow {
public:
    bool overwrite = false;
    int asked = 0;

protected:
    bool askOverwriteChangedFile() override
    {
        ++asked;
        return overwrite;
    }
    SaveAnswer askSaveChanges() override { return SaveAnswer::Discard; }
};

const QByteArray mine = "P 0j0 4:Mine 0j0 0\nP 1j0 5:Other 0j0 0\n";
const QByteArray theirs = "P 0j0 6:Theirs 0j0 0\n";
// As long as mine: only the bytes tell the change.
const QByteArray theirsSameSize = "P 0j0 4:Ours 0j0 0\nP 1j0 5:Yours 0j0 0\n";

} // namespace

class ChangedFileTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        redirectDebugLog(&log);
        usePrivateHome(state.path());
    }
    void cleanupTestCase() { redirectDebugLog(nullptr); }

    void anotherProgramsChange_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QByteArray>("fileAfterSave");
        QTest::addColumn<bool>("modifiedAfterSave");
        QTest::addColumn<bool>("sameSize"); // theirs as long as mine, stamped in the same second
        QTest::newRow("reload") << "reload" << false << QByteArray("6:Theirs") << false << false;
        QTest::newRow("keep mine, save refused") << "keep" << false << theirs << true << false;
        QTest::newRow("keep mine, save over")
            << "keep" << true << QByteArray("4:Mine") << false << false;
        QTest::newRow("same size within the second, reload")
            << "reload" << false << QByteArray("4:Ours") << false << true;
        QTest::newRow("same size within the second, save refused")
            << "keep" << false << theirsSameSize << true << true;
    }
    void anotherProgramsChange()
    {
        QFETCH(QString, answer);
        QFETCH(bool, overwrite);
        QFETCH(QByteArray, fileAfterSave);
        QFETCH(bool, modifiedAfterSave);
        QFETCH(bool, sameSize);
        QTemporaryDir dir;
        const QString path = dir.filePath("a.txt");
        writeFile(path, mine);
        if (sameSize)
            stampAnHourAgo(path, 200);
        AskedWindow window;
        window.overwrite = overwrite;
        QVERIFY(window.openChart(path));
        window.view()->selectCell({1, 0});
        window.action(Command::EditCut)->trigger();
        QVERIFY(window.changedFileBar()->isHidden());

        writeFile(path, sameSize ? theirsSameSize : theirs);
        if (sameSize)
            stampAnHourAgo(path, 700);
        QVERIFY(QTest::qWaitFor([&] { return !window.changedFileBar()->isHidden(); }, 5000));
        (answer == "reload" ? window.changedFileBar()->reloadButton()
                            : window.changedFileBar()->keepButton())
            ->click();
        QVERIFY(window.changedFileBar()->isHidden());
        QCOMPARE(window.document()->isModified(), answer == "keep");

        window.action(Command::FileSave)->trigger();
        QCOMPARE(window.asked, answer == "keep" ? 1 : 0);
        QVERIFY2(readAll(path).contains(fileAfterSave), readAll(path).constData());
        QCOMPARE(window.document()->isModified(), modifiedAfterSave);
    }

    // Nothing but times, or the same bytes: no bar, and Save does not ask.
    void noAlarmForTheSameBytes_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("touched") << "touch";
        QTest::newRow("times restored") << "restore";
        QTest::newRow("same bytes saved by renaming") << "rename";
    }
    void noAlarmForTheSameBytes()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        const QString path = dir.filePath("a.txt");
        writeFile(path, mine);
        AskedWindow window;
        QVERIFY(window.openChart(path));
        QFile file(path);
        if (how == "touch") {
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                     QFileDevice::FileModificationTime));
        } else if (how == "restore") {
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-30),
                                     QFileDevice::FileModificationTime));
        } else {
            writeFile(dir.filePath("new.txt"), mine);
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::rename(dir.filePath("new.txt"), path));
        }
        file.close();
        QTest::qWait(500);
        QVERIFY(window.changedFileBar()->isHidden());

        window.view()->selectCell({1, 0});
        window.action(Command::EditCut)->trigger();
        window.action(Command::FileSave)->trigger();
        QCOMPARE(window.asked, 0);
        QVERIFY(!readAll(path).contains("Other"));
        QVERIFY(!window.document()->isModified());
    }

private:
    std::ostringstream log;
    QTemporaryDir state;
};

QTEST_MAIN(ChangedFileTest)
#include "changed_file_test.moc"
