// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/crash_recovery.h"
#include "app/editor/main_window.h"
#include "app/editor/recover_dialog.h"
#include "files/debug_log.h"
#include "document/chart_document.h"
#include "model/tree_settings.h"
#include "test_files.h"
#include "view/chart_view.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <iostream>
#include <sstream>
#include <sys/stat.h>

namespace {

const QByteArray chart = "Stirpa 120j50 50j200 d1 1\nP 0j0 5:Alpha 20j20 0\nP 1j0 4:Beta 0j0 0\n";
const QByteArray oneBox = "Stirpa 120j50 50j200 d1 1\nP 1j0 4:Beta 0j0 0\n";

class RecoveringFrame : public MainWindow {
public:
    bool accept = true;
    QStringList asked;
    SaveAnswer answer = SaveAnswer::Discard;
    std::optional<CrashRecovery::LeftOver> toOpen;

protected:
    bool askRecover(const CrashRecovery::LeftOver& leftOver) override
    {
        asked.append(leftOver.chartName());
        return accept;
    }
    std::optional<CrashRecovery::LeftOver> askLeftOverToOpen() override { return toOpen; }
    SaveAnswer askSaveChanges() override { return answer; }
};

// A copy as a crashed editor leaves it: no one holds its lock.
void leaveCopy(const QString& id, const QString& originalPath, const QByteArray& bytes)
{
    QDir().mkpath(CrashRecovery::folder());
    writeFile(CrashRecovery::folder() + "/recovery-" + id + ".txt", bytes);
    writeFile(CrashRecovery::folder() + "/recovery-" + id + ".info", originalPath.toUtf8());
}

mode_t permissionsOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The editor run that crashes: it opens the chart, cuts a box, waits until the
// recovery copy is on disk and then waits to be killed.
int runChild(const QString& chartPath)
{
    MainWindow frame;
    frame.recovery()->setDelay(50);
    if (!frame.openChart(chartPath))
        return 2;
    frame.view()->selectCell({0, 0});
    frame.action(Command::EditCut)->trigger();
    if (!QTest::qWaitFor([&] { return QFile::exists(frame.recovery()->chartPath()); }, 60000))
        return 3;
    std::cout << "ready" << std::endl;
    while (true)
        QTest::qWait(1000);
}

} // namespace

class CrashRecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(state.isValid());
        qputenv("XDG_STATE_HOME", state.path().toUtf8());
        QDir(CrashRecovery::folder()).removeRecursively();
    }

    void copyFollowsEditsAndGoesOnSave()
    {
        RecoveringFrame frame;
        const QString path = work.filePath("a.txt");
        writeFile(path, chart);
        QVERIFY(frame.openChart(path));
        QVERIFY(!frame.recovery()->writeNow()); // nothing unsaved yet
        frame.recovery()->setDelay(10);
        frame.view()->selectCell({1, 0});
        frame.action(Command::EditCut)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(frame.recovery()->chartPath()), 60000);
        QFile copy(frame.recovery()->chartPath());
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("Stirpa 120j50 50j200 d1 1\nP 0j0 5:Alpha 20j20 0\n"));
        // A running editor's copy is never offered to another.
        QVERIFY(CrashRecovery::leftOvers().isEmpty());

        frame.action(Command::FileSave)->trigger();
        QVERIFY(!QFile::exists(frame.recovery()->chartPath()));
    }

    void discardRemovesTheCopy()
    {
        QString copyPath;
        {
            RecoveringFrame frame;
            frame.document()->newChart();
            frame.document()->addBox(std::make_unique<Person>("Gamma", Cell{1, 0}, Links{}));
            frame.view()->selectCell({1, 0});
            frame.action(Command::EditCopy)->trigger();
            frame.view()->selectCell({0, 0});
            frame.action(Command::EditPaste)->trigger();
            QVERIFY(frame.recovery()->writeNow());
            copyPath = frame.recovery()->chartPath();
            frame.action(Command::FileNew)->trigger(); // discards
            QVERIFY(!QFile::exists(copyPath));
        }
    }

    void aKilledEditorIsRecovered()
    {
        const QString path = work.filePath("family.txt");
        writeFile(path, chart);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_STATE_HOME", state.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {"--crashing-editor", path});
        QVERIFY(child.waitForStarted());
        QByteArray output;
        const auto ready = [&] {
            output += child.readAllStandardOutput();
            return output.contains("ready") || child.state() == QProcess::NotRunning;
        };
        QVERIFY(QTest::qWaitFor(ready, 120000));
        QCOMPARE(child.state(), QProcess::Running);
        QVERIFY(CrashRecovery::leftOvers().isEmpty()); // its editor still runs
        child.kill();
        QVERIFY(child.waitForFinished());

        QCOMPARE(CrashRecovery::leftOvers().size(), 1);
        RecoveringFrame frame;
        QVERIFY(frame.openAtStart(QString()));
        QCOMPARE(frame.asked, QStringList("family.txt"));
        QCOMPARE(frame.document()->path(), path);
        QVERIFY(frame.document()->isModified());
        QCOMPARE(frame.view()->tree().size(), std::size_t(1));
        QVERIFY(CrashRecovery::leftOvers().isEmpty());

        // Saving writes the recovered chart over the original.
        frame.action(Command::FileSave)->trigger();
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("Stirpa 120j50 50j200 d1 1\nP 1j0 4:Beta 0j0 0\n"));
    }

    void declinedRecoveryIsDiscarded()
    {
        leaveCopy("999999999", QString(), chart);
        RecoveringFrame frame;
        frame.accept = false;
        QVERIFY(frame.openAtStart(QString()));
        QCOMPARE(frame.asked, QStringList("Untitled"));
        QVERIFY(!frame.document()->isModified());
        QVERIFY(CrashRecovery::leftOvers().isEmpty());
    }

    void aCopyNamedAfterALiveProcessIsOfferedAndKept()
    {
        // An earlier editor that had the process id this test has now.
        const QString id = QString::number(QCoreApplication::applicationPid());
        leaveCopy(id, QString(), chart);
        RecoveringFrame frame;
        frame.document()->setModified(true);
        QVERIFY(frame.recovery()->writeNow());
        QCOMPARE(readAll(CrashRecovery::folder() + "/recovery-" + id + ".txt"), chart);
        QCOMPARE(CrashRecovery::leftOvers().size(), 1);
    }

    void copiesAreReadableByTheirOwnerOnly_data()
    {
        QTest::addColumn<bool>("folderExists");
        QTest::newRow("new folder") << false;
        QTest::newRow("open folder") << true;
    }
    void copiesAreReadableByTheirOwnerOnly()
    {
        QFETCH(bool, folderExists);
        const mode_t mask = ::umask(022);
        const auto restore = qScopeGuard([mask] { ::umask(mask); });
        if (folderExists)
            QDir().mkpath(CrashRecovery::folder());
        RecoveringFrame frame;
        frame.document()->setModified(true);
        QVERIFY(frame.recovery()->writeNow());
        QCOMPARE(permissionsOf(CrashRecovery::folder()), mode_t(0700));
        const QDir folder(CrashRecovery::folder());
        const QStringList files = folder.entryList(QDir::Files);
        QCOMPARE(files.size(), 3); // copy, info, lock
        for (const QString& file : files)
            QCOMPARE(permissionsOf(folder.filePath(file)), mode_t(0600));
    }

    void startOffersOnlyTheChartAskedFor_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("offered");
        QTest::newRow("another chart") << "b.txt" << false;
        QTest::newRow("the same chart") << "a.txt" << true;
        QTest::newRow("no chart") << "" << true;
    }
    void startOffersOnlyTheChartAskedFor()
    {
        QFETCH(QString, start);
        QFETCH(bool, offered);
        const QString a = work.filePath("a.txt");
        writeFile(a, chart);
        writeFile(work.filePath("b.txt"), chart);
        leaveCopy("1-crashed", a, oneBox);
        std::ostringstream log;
        redirectDebugLog(&log);
        const auto restore = qScopeGuard([] { redirectDebugLog(nullptr); });

        RecoveringFrame frame;
        QVERIFY(frame.openAtStart(start.isEmpty() ? QString() : work.filePath(start)));
        if (!offered) {
            QVERIFY(frame.asked.isEmpty());
            QCOMPARE(frame.document()->path(), work.filePath(start));
            QCOMPARE(CrashRecovery::leftOvers().size(), 1);
            QCOMPARE(frame.statusBar()->currentMessage(),
                     QString("Unsaved changes to a.txt can be recovered: File > Recover..."));
            return;
        }
        QCOMPARE(frame.asked, QStringList("a.txt"));
        QCOMPARE(frame.windowTitle(), QString("a.txt[*] - Stirpa"));
        QVERIFY(frame.isWindowModified());
        QCOMPARE(frame.document()->path(), a);
        frame.action(Command::FileLogTree)->trigger();
        QVERIFY(QString::fromStdString(log.str()).contains("\nTree: a\n"));
        // Recovery after a recovery: this run's own copy is there before any edit.
        QVERIFY(CrashRecovery::leftOvers().isEmpty());
        QCOMPARE(readAll(frame.recovery()->chartPath()), oneBox);
    }

    void recoverDialogOpensAndDiscards()
    {
        const QString a = work.filePath("a.txt");
        const QString b = work.filePath("b.txt");
        writeFile(b, chart);
        leaveCopy("1-first", a, oneBox);
        leaveCopy("2-second", QString(), chart);
        RecoverDialog dialog(CrashRecovery::leftOvers());
        auto* list = dialog.findChild<QTreeWidget*>();
        QCOMPARE(list->topLevelItemCount(), 2);
        const QList<QTreeWidgetItem*> named = list->findItems("a.txt", Qt::MatchExactly, 0);
        QCOMPARE(named.size(), 1);
        QCOMPARE(named.front()->toolTip(0), a);

        list->setCurrentItem(list->findItems("Untitled", Qt::MatchExactly, 0).value(0));
        dialog.findChild<QPushButton*>("discard")->click();
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(CrashRecovery::leftOvers().size(), 1);
        list->setCurrentItem(named.front());
        dialog.findChild<QPushButton*>("open")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        // Open asks to save the chart shown first, as File > Open does.
        RecoveringFrame frame;
        QVERIFY(frame.openChart(b));
        frame.document()->setModified(true);
        frame.toOpen = dialog.chosen();
        frame.answer = MainWindow::SaveAnswer::Cancel;
        frame.action(Command::FileRecover)->trigger();
        QCOMPARE(frame.document()->path(), b);
        frame.answer = MainWindow::SaveAnswer::Discard;
        frame.action(Command::FileRecover)->trigger();
        QCOMPARE(frame.document()->path(), a);
        QCOMPARE(frame.view()->tree().size(), std::size_t(1));
    }

private:
    QTemporaryDir state;
    QTemporaryDir work;
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--crashing-editor")
        return runChild(QString::fromLocal8Bit(argv[2]));
    CrashRecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "crash_recovery_test.moc"
