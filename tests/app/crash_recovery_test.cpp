// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/crash_recovery.h"
#include "app/main_window.h"
#include "document/chart_document.h"
#include "model/tree_settings.h"
#include "view/chart_view.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <iostream>

namespace {

const QByteArray chart = "Stirpa 120j50 50j200 d1 1\nP 0j0 5:Alpha 20j20 0\nP 1j0 4:Beta 0j0 0\n";

class RecoveringFrame : public MainWindow {
public:
    bool accept = true;
    QStringList asked;

protected:
    bool askRecover(const QString& name) override
    {
        asked.append(name);
        return accept;
    }
    SaveAnswer askSaveChanges() override { return SaveAnswer::Discard; }
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
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
            frame.view()->tree().append(new Person(String("Gamma"), {1, 0}, {}));
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
        child.kill();
        QVERIFY(child.waitForFinished());

        QCOMPARE(CrashRecovery::leftOvers().size(), 1);
        RecoveringFrame frame;
        QVERIFY(frame.offerRecovery());
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
        QDir().mkpath(CrashRecovery::folder());
        // A copy left by a process that cannot exist any more.
        writeFile(CrashRecovery::folder() + "/recovery-999999999.txt", chart);
        writeFile(CrashRecovery::folder() + "/recovery-999999999.info", "");
        RecoveringFrame frame;
        frame.accept = false;
        QVERIFY(!frame.offerRecovery());
        QCOMPARE(frame.asked, QStringList("Untitled"));
        QVERIFY(CrashRecovery::leftOvers().isEmpty());
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
