// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/application.h"
#include "app/editor/command_table.h"
#include "app/editor/main_window.h"
#include "document/chart_document.h"
#include "files/debug_log.h"
#include "model/tree_settings.h"
#include "private_home.h"
#include "test_files.h"
#include "view/chart_view.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <sstream>

namespace {

// A main window whose questions the test answers.
class ScriptedWindow : public MainWindow {
public:
    SaveAnswer answer = SaveAnswer::Cancel;
    QString openPath;
    QString savePath;
    QString printPath; // empty: the print dialog is cancelled
    int saveQuestions = 0;
    QStringList errors;

protected:
    SaveAnswer askSaveChanges() override
    {
        ++saveQuestions;
        return answer;
    }
    QString askOpenPath() override { return openPath; }
    QString askSavePath() override { return savePath; }
    bool askOverwriteChangedFile() override { return true; }
    bool askSaveElsewhere(const QString& reason) override
    {
        errors.append(reason);
        return !savePath.isEmpty();
    }
    bool askPrintSettings(QPrinter* printer) override
    {
        printer->setOutputFileName(printPath);
        return !printPath.isEmpty();
    }
    void showError(const QString&, const QString& message) override { errors.append(message); }
};

const QByteArray smallChart =
    "Stirpa 120j50 50j200 d1 1\nP 0j0 5:Alpha 20j20 0\nP 1j0 4:Beta 0j0 0\n";

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        usePrivateHome(state.path());
        QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
        QCoreApplication::setApplicationName("StirpaTest");
    }
    void init()
    {
        QSettings().clear();
        log.str(std::string());
        redirectDebugLog(&log);
        QVERIFY(dir.isValid());
    }
    void cleanup() { redirectDebugLog(nullptr); }

    // Every command is on a menu, once; the toolbar's buttons are menu entries
    // too; no key does two things, and the key a menu entry shows is its own.
    void everyCommandOnAMenuWithItsOwnKeys()
    {
        ScriptedWindow frame;
        QList<QAction*> entries;
        for (QAction* menu : frame.menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                if (!item->isSeparator())
                    entries.append(item);
        for (const CommandInfo& command : commandTable())
            QVERIFY2(entries.count(frame.action(command.id)) == 1, command.text);
        for (QAction* button : frame.findChild<QToolBar*>()->actions())
            QVERIFY(button->isSeparator() || entries.contains(button));
        QMap<QString, QString> owners; // key to the entry it works
        const auto take = [&owners](const QKeySequence& key, const QString& owner) {
            const QString name = key.toString(QKeySequence::PortableText);
            QVERIFY2(!owners.contains(name), qPrintable(name + ": " + owners[name] + ", " + owner));
            owners.insert(name, owner);
        };
        for (QAction* entry : entries)
            for (const QKeySequence& key : entry->shortcuts())
                take(key, entry->text());
        for (const QShortcut* shortcut : frame.findChildren<QShortcut*>())
            take(shortcut->key(), frame.action(Command::EditUndo)->text()); // the window's own
        for (QAction* entry : entries)
            if (const QString shown = entry->text().section('\t', 1); !shown.isEmpty())
                QCOMPARE(owners.value(QKeySequence(shown).toString(QKeySequence::PortableText)),
                         entry->text());
    }

    // A user opens the sample over their own chart, cuts a box through the
    // menu and by key, undoes by key, saves under a name (their chart left as
    // it was) and opens the saved chart again.
    void sampleEditedUndoneSavedAndReopened()
    {
        ScriptedWindow frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        const QString mine = dir.filePath("mine.txt");
        writeFile(mine, smallChart);
        QVERIFY(frame.openChart(mine));
        frame.action(Command::HelpSample)->trigger();
        QVERIFY(frame.errors.isEmpty());
        QCOMPARE(frame.document()->path(), QString());
        const std::size_t boxes = frame.view()->tree().size();
        QVERIFY(boxes > 20);
        const auto selectABox = [&frame] {
            frame.view()->tree().forEachPerson(
                [&frame](const Person* box) { frame.view()->selectCell(box->cell()); });
        };
        selectABox();
        frame.action(Command::EditCut)->trigger();
        QCOMPARE(frame.view()->tree().size(), boxes - 1);
        QVERIFY(frame.isWindowModified());
        QTest::keyClick(frame.view(), Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(frame.view()->tree().size(), boxes);
        selectABox();
        QTest::keyClick(frame.view(), Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(frame.view()->tree().size(), boxes - 1);

        frame.savePath = dir.filePath("sample.txt");
        frame.action(Command::FileSave)->trigger(); // untitled: asks for a name
        QVERIFY(!frame.isWindowModified());
        QCOMPARE(frame.windowTitle(), QString("sample.txt[*] - Stirpa"));
        frame.action(Command::FileNew)->trigger();
        QCOMPARE(frame.view()->tree().size(), std::size_t(0));
        frame.openPath = frame.savePath;
        QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(frame.view()->tree().size(), boxes - 1);
        QVERIFY(!frame.isWindowModified());
        QCOMPARE(frame.recentFiles().value(0), frame.savePath);
        QVERIFY(
            QString::fromStdString(log.str()).contains("Infile " + frame.savePath + " opened\n"));
        QCOMPARE(readAll(mine), smallChart);
    }

    // A toolbar button works its menu entry: Cut takes the box, New empties the chart.
    void toolbarButtonsDoWhatTheirMenuEntriesDo()
    {
        ScriptedWindow frame;
        frame.show();
        const QString path = dir.filePath("buttons.txt");
        writeFile(path, smallChart);
        QVERIFY(frame.openChart(path));
        QToolBar* bar = frame.findChild<QToolBar*>();
        frame.view()->selectCell({0, 0});
        QTest::mouseClick(bar->widgetForAction(frame.action(Command::EditCut)), Qt::LeftButton);
        QCOMPARE(frame.view()->tree().size(), std::size_t(1));
        frame.answer = MainWindow::SaveAnswer::Discard;
        QTest::mouseClick(bar->widgetForAction(frame.action(Command::FileNew)), Qt::LeftButton);
        QCOMPARE(frame.view()->tree().size(), std::size_t(0));
        QCOMPARE(frame.saveQuestions, 1);
    }

    void ctrlQQuits()
    {
        ScriptedWindow frame;
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTest::keyClick(&frame, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!frame.isVisible());
    }

    // Drawn pictures take the palette's text colour, so a dark theme shows them.
    void toolbarPicturesFollowThePalette()
    {
        if (QIcon::hasThemeIcon(QStringLiteral("edit-cut")))
            QSKIP("The icon theme draws the toolbar here");
        ScriptedWindow frame;
        const QColor ink(250, 250, 250);
        QPalette dark = frame.palette();
        dark.setColor(QPalette::WindowText, ink);
        frame.setPalette(dark);
        const QImage cut =
            frame.action(Command::EditCut)->icon().pixmap(QSize(16, 15), 1.0).toImage();
        int inked = 0;
        for (int y = 0; y < cut.height(); ++y)
            for (int x = 0; x < cut.width(); ++x)
                inked += cut.pixelColor(x, y) == ink;
        QVERIFY(inked > 10);
    }

    // Each button's picture, all different, is drawn for normal and
    // double-density screens.
    void toolbarPicturesForEveryDensity()
    {
        ScriptedWindow frame;
        QList<QImage> pictures;
        for (QAction* item : frame.findChild<QToolBar*>()->actions()) {
            if (item->isSeparator())
                continue;
            const QPixmap sharp = item->icon().pixmap(QSize(16, 15), 2.0);
            QCOMPARE(sharp.size(), QSize(32, 30));
            QCOMPARE(item->icon().pixmap(QSize(16, 15), 1.0).size(), QSize(16, 15));
            QVERIFY(!pictures.contains(sharp.toImage()));
            pictures.append(sharp.toImage());
        }
    }

    void newWritesItsLogLineAndEmptiesTheChart()
    {
        ScriptedWindow frame;
        const QString path = dir.filePath("a.txt");
        writeFile(path, smallChart);
        QVERIFY(frame.openChart(path));
        QCOMPARE(frame.view()->tree().size(), std::size_t(2));
        frame.action(Command::FileNew)->trigger();
        QCOMPARE(frame.view()->tree().size(), std::size_t(0));
        QCOMPARE(frame.document()->path(), QString());
        QCOMPARE(frame.windowTitle(), QString("Untitled[*] - Stirpa"));
        QVERIFY(QString::fromStdString(log.str()).endsWith("New tree set\n"));
    }

    void logTreeDumpsTheChart()
    {
        ScriptedWindow frame;
        const QString path = dir.filePath("dump.txt");
        writeFile(path, smallChart);
        QVERIFY(frame.openChart(path));
        log.str(std::string());
        frame.action(Command::FileLogTree)->trigger();
        QCOMPARE(QString::fromStdString(log.str()),
                 QString("\nTree: dump\n  Box Alpha at 0j0, connected 20j20, lineage 0\n"
                         "  Box Beta at 1j0, connected 0j0, lineage 0\n  Extent: 175j10\n"));
    }

    void saveAndSaveAsRoundTrip()
    {
        ScriptedWindow frame;
        const QString path = dir.filePath("round.txt");
        writeFile(path, smallChart);
        QVERIFY(frame.openChart(path));
        frame.document()->setModified(true);
        QVERIFY(frame.isWindowModified());
        frame.action(Command::FileSave)->trigger();
        QVERIFY(!frame.isWindowModified());
        QCOMPARE(readAll(path), smallChart);

        frame.savePath = dir.filePath("copy.txt");
        frame.action(Command::FileSaveAs)->trigger();
        QCOMPARE(readAll(frame.savePath), smallChart);
        QCOMPARE(frame.document()->path(), frame.savePath);
        QCOMPARE(frame.windowTitle(), QString("copy.txt[*] - Stirpa"));
    }

    void saveOfAnUntitledChartAsksForAName()
    {
        ScriptedWindow frame;
        frame.document()->newChart();
        frame.savePath = QString(); // the user cancels
        frame.action(Command::FileSave)->trigger();
        QCOMPARE(frame.document()->path(), QString());
    }

    void failedSaveKeepsTheOldFileAndSaysWhy()
    {
        ScriptedWindow frame;
        const QString path = dir.filePath("keep.txt");
        writeFile(path, smallChart);
        QVERIFY(frame.openChart(path));
        frame.savePath = dir.filePath("missing/folder/x.txt");
        frame.action(Command::FileSaveAs)->trigger();
        QCOMPARE(frame.errors.size(), 1);
        QCOMPARE(frame.document()->path(), path);
    }

    void promptOnlyWhenModified_data()
    {
        QTest::addColumn<Command>("command");
        QTest::newRow("new") << Command::FileNew;
        QTest::newRow("open") << Command::FileOpen;
        QTest::newRow("sample") << Command::HelpSample;
    }
    void promptOnlyWhenModified()
    {
        QFETCH(Command, command);
        ScriptedWindow frame;
        const QString path = dir.filePath("p.txt");
        writeFile(path, smallChart);
        QVERIFY(frame.openChart(path));
        frame.openPath = path;

        frame.action(command)->trigger();
        QCOMPARE(frame.saveQuestions, 0);

        QVERIFY(frame.openChart(path));
        frame.document()->setModified(true);
        frame.answer = MainWindow::SaveAnswer::Cancel;
        frame.action(command)->trigger();
        QCOMPARE(frame.saveQuestions, 1);
        QCOMPARE(frame.document()->path(), path); // nothing happened
        QVERIFY(frame.isWindowModified());

        frame.answer = MainWindow::SaveAnswer::Discard;
        frame.action(command)->trigger();
        QCOMPARE(frame.saveQuestions, 2);
        QVERIFY(!frame.isWindowModified());
    }

    void aFailedSaveAtThePromptKeepsTheChart_data()
    {
        QTest::addColumn<Command>("command");
        QTest::newRow("exit") << Command::AppExit;
        QTest::newRow("new") << Command::FileNew;
        QTest::newRow("open") << Command::FileOpen;
    }
    void aFailedSaveAtThePromptKeepsTheChart()
    {
        QFETCH(Command, command);
        ScriptedWindow frame;
        frame.show();
        const QString path = dir.filePath(QString("unsaved %1.txt").arg(QTest::currentDataTag()));
        writeFile(path, smallChart);
        QVERIFY(frame.openChart(path));
        frame.view()->selectCell({0, 0});
        frame.action(Command::EditCut)->trigger();
        // A folder where the chart was: the save cannot replace it.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        frame.openPath = dir.filePath("other.txt");
        writeFile(frame.openPath, smallChart);
        frame.answer = MainWindow::SaveAnswer::Save;
        frame.action(command)->trigger();
        QCOMPARE(frame.errors.size(), 1);
        QVERIFY(frame.isVisible());
        QVERIFY(frame.isWindowModified());
        QCOMPARE(frame.document()->path(), path);
        QCOMPARE(frame.view()->tree().size(), std::size_t(1));
    }

    // A write-protected chart is never replaced; Save offers another name.
    void writeProtectedChartOffersSaveAs_data()
    {
        QTest::addColumn<bool>("elsewhere");
        QTest::newRow("saved under another name") << true;
        QTest::newRow("declined") << false;
    }
    void writeProtectedChartOffersSaveAs()
    {
        QFETCH(bool, elsewhere);
        ScriptedWindow frame;
        const QString path = dir.filePath("protected.txt");
        writeFile(path, smallChart);
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        QVERIFY(frame.openChart(path));
        frame.view()->selectCell({0, 0});
        frame.action(Command::EditCut)->trigger();
        frame.savePath = elsewhere ? dir.filePath("copy.txt") : QString();
        frame.action(Command::FileSave)->trigger();
        QCOMPARE(readAll(path), smallChart);
        QCOMPARE(frame.errors.size(), 1);
        QVERIFY(frame.errors.constFirst().contains("write-protected"));
        QCOMPARE(frame.isWindowModified(), !elsewhere);
        QCOMPARE(frame.document()->path(), elsewhere ? frame.savePath : path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void theChartTakesTheKeysAtStartAndAfterOpening()
    {
        ScriptedWindow frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QCOMPARE(QApplication::focusWidget(), frame.view());
        frame.action(Command::EditFind)->trigger();
        const QString path = dir.filePath("focus.txt");
        writeFile(path, smallChart);
        QVERIFY(frame.openChart(path));
        QCOMPARE(QApplication::focusWidget(), frame.view());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(frame.view()->currentCell(), (Cell{0, 0}));
    }

    void exitAsksAndCancelKeepsTheWindow()
    {
        ScriptedWindow frame;
        frame.show();
        frame.document()->newChart();
        frame.document()->setModified(true);
        frame.answer = MainWindow::SaveAnswer::Cancel;
        frame.action(Command::AppExit)->trigger();
        QCOMPARE(frame.saveQuestions, 1);
        QVERIFY(frame.isVisible());
        frame.answer = MainWindow::SaveAnswer::Discard;
        frame.action(Command::AppExit)->trigger();
        QVERIFY(!frame.isVisible());
    }

    void failedOpenKeepsTheChartAndSaysWhy()
    {
        ScriptedWindow frame;
        const QString good = dir.filePath("good.txt");
        writeFile(good, smallChart);
        QVERIFY(frame.openChart(good));
        const QString bad = dir.filePath("bad.txt");
        writeFile(bad, "P 0j0 1:A 0j0 0\nX broken\n");
        QVERIFY(!frame.openChart(bad));
        QCOMPARE(frame.errors, QStringList("Invalid record detected in file 'bad':\nX broken"));
        QCOMPARE(frame.view()->tree().size(), std::size_t(2));
        QCOMPARE(frame.document()->path(), good);
    }

    void aDroppedChartOpensAfterTheSavePrompt()
    {
        ScriptedWindow frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QString path = dir.filePath("dropped.txt");
        writeFile(path, smallChart);
        frame.document()->newChart();
        frame.document()->setModified(true);
        // Onto the chart, which leaves drops to the window.
        QWidget* target = frame.view()->viewport();
        const QPoint at = target->rect().center();
        const auto drop = [&](const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &dropped);
            QCoreApplication::processEvents();
            return enter.isAccepted();
        };

        // Two files, or anything that is not a local file, are not taken.
        QVERIFY(!drop({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}));
        QVERIFY(!drop({QUrl("https://example.org/chart.txt")}));
        QCOMPARE(frame.saveQuestions, 0);

        frame.answer = MainWindow::SaveAnswer::Cancel;
        QVERIFY(drop({QUrl::fromLocalFile(path)}));
        QCOMPARE(frame.saveQuestions, 1);
        QCOMPARE(frame.document()->path(), QString());

        frame.answer = MainWindow::SaveAnswer::Discard;
        QVERIFY(drop({QUrl::fromLocalFile(path)}));
        QCOMPARE(frame.document()->path(), path);
        QCOMPARE(frame.view()->tree().size(), std::size_t(2));
        QCOMPARE(frame.recentFiles().value(0), path);
    }

    void printingToAFileThatCannotBeWrittenSaysSo()
    {
        ScriptedWindow frame;
        frame.action(Command::HelpSample)->trigger();
        frame.action(Command::FilePrint)->trigger(); // cancelled: nothing
        QVERIFY(frame.errors.isEmpty());

        frame.printPath = dir.filePath("chart.pdf");
        frame.action(Command::FilePrint)->trigger();
        QVERIFY(frame.errors.isEmpty());
        QVERIFY(readAll(frame.printPath).startsWith("%PDF"));

        frame.printPath = dir.filePath("no such folder/chart.pdf");
        frame.action(Command::FilePrint)->trigger();
        QCOMPARE(frame.errors, QStringList("The chart could not be printed to " + frame.printPath +
                                           ": the file cannot be written."));
    }

    void recentFilesKeepFourNewestFirst()
    {
        ScriptedWindow frame;
        QStringList paths;
        for (int i = 1; i <= 5; ++i) {
            paths.append(dir.filePath(QString("r%1.txt").arg(i)));
            writeFile(paths.last(), smallChart);
            QVERIFY(frame.openChart(paths.last()));
        }
        QCOMPARE(frame.recentFiles(), QStringList({paths[4], paths[3], paths[2], paths[1]}));
        QVERIFY(frame.openChart(paths[2]));
        QCOMPARE(frame.recentFiles(), QStringList({paths[2], paths[4], paths[3], paths[1]}));

        QFile::remove(paths[3]);
        QVERIFY(!frame.openChart(paths[3]));
        QCOMPARE(frame.recentFiles(), QStringList({paths[2], paths[4], paths[1]}));
    }

    void undoItemStartsDisabled()
    {
        ScriptedWindow frame;
        frame.document()->newChart();
        QCOMPARE(frame.action(Command::EditUndo)->text(), QString("Can't undo"));
        QVERIFY(!frame.action(Command::EditUndo)->isEnabled());
        QVERIFY(!frame.action(Command::EditPaste)->isEnabled());
        QVERIFY(!frame.action(Command::TreeInsertRow)->isEnabled());
    }

    void startUpWithAMissingChartFails()
    {
        Application app;
        // The message box about the missing file is closed as soon as it shows.
        QTimer closer;
        connect(&closer, &QTimer::timeout, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        closer.start(20);
        QVERIFY(!app.start({dir.filePath("nowhere.txt")}));
    }

private:
    std::ostringstream log;
    QTemporaryDir dir;
    QTemporaryDir state;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
