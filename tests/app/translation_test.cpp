// SPDX-License-Identifier: GPL-3.0-or-later
// The German translation on screen, and batch mode staying English whatever the language.
#include "app/editor/main_window.h"
#include "app/editor/translation.h"
#include "files/debug_log.h"

#include <QAction>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

namespace {

class ErrorCollectingWindow : public MainWindow {
public:
    QStringList errors;

protected:
    void showError(const QString&, const QString& message) override { errors.append(message); }
};

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_STATE_HOME", state_.path().toUtf8());
        QCoreApplication::setApplicationName("StirpaTest");
        installTranslations("de");
        redirectDebugLog(&log_);
    }
    void cleanupTestCase() { redirectDebugLog(nullptr); }

    void menusAreGerman_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("text");
        QTest::newRow("File > Open") << 0 << "&Datei" << 1 << QString("Ö&ffnen...\tStrg+O");
        QTest::newRow("Edit > Find") << 1 << "&Bearbeiten" << 6 << QString("&Suchen...\tStrg+F");
        QTest::newRow("Tree > Define person") << 3 << "Bau&m" << 0 << "Person &definieren...";
        QTest::newRow("Help > About") << 4 << "&Hilfe" << 4 << "Ü&ber Stirpa...";
    }
    void menusAreGerman()
    {
        QFETCH(int, menu);
        QFETCH(int, item);
        ErrorCollectingWindow window;
        const QAction* title = window.menuBar()->actions().at(menu);
        QTEST(title->text(), "title");
        QTEST(title->menu()->actions().at(item)->text(), "text");
    }

    void qtsOwnTextsAreGermanToo()
    {
        QCOMPARE(QKeySequence(Qt::CTRL | Qt::Key_N).toString(QKeySequence::NativeText), "Strg+N");
    }

    void aCoreFailureIsGermanOnScreenAndEnglishInTheLog()
    {
        ErrorCollectingWindow window;
        log_.str({});
        const QString missing = work_.filePath("absent.txt");
        QVERIFY(!window.openChart(missing));
        QCOMPARE(window.errors,
                 QStringList("Die Datei „" + missing + "“ kann nicht geöffnet werden."));
        QCOMPARE(QString::fromStdString(log_.str()), "Infile " + missing + " cannot open\n");
    }

    void batchModeStaysEnglish_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("German system") << QStringList{"--log-tree", "absent.txt"};
        QTest::newRow("--lang de") << QStringList{"--lang", "de", "--log-tree", "absent.txt"};
    }
    void batchModeStaysEnglish()
    {
        QFETCH(QStringList, arguments);
        QProcess stirpa;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LANGUAGE", "de");
        environment.insert("LANG", "de_DE.UTF-8");
        stirpa.setProcessEnvironment(environment);
        stirpa.setWorkingDirectory(work_.path());
        stirpa.start(STIRPA_EXE, arguments);
        QVERIFY(stirpa.waitForFinished(60000));
        QCOMPARE(stirpa.exitCode(), 1);
        QCOMPARE(stirpa.readAllStandardError(), QByteArray("Cannot open the file 'absent.txt'.\n"));
    }

    void theLanguageOptionIsTakenOut_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("rest");
        QTest::newRow("before a chart") << QStringList{"stirpa", "--lang", "de", "chart.txt"}
                                        << "de" << QStringList{"stirpa", "chart.txt"};
        QTest::newRow("after a command")
            << QStringList{"stirpa", "--log-tree", "chart.txt", "--lang", "en"} << "en"
            << QStringList{"stirpa", "--log-tree", "chart.txt"};
        QTest::newRow("none") << QStringList{"stirpa", "chart.txt"} << ""
                              << QStringList{"stirpa", "chart.txt"};
        QTest::newRow("without its code")
            << QStringList{"stirpa", "--lang"} << "" << QStringList{"stirpa", "--lang"};
    }
    void theLanguageOptionIsTakenOut()
    {
        QFETCH(QStringList, arguments);
        std::vector<QByteArray> bytes;
        for (const QString& argument : arguments)
            bytes.push_back(argument.toLocal8Bit());
        std::vector<char*> argv;
        for (QByteArray& argument : bytes)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        int argc = int(arguments.size());
        QTEST(takeLanguageOption(argc, argv.data()), "language");
        QStringList rest;
        for (int i = 0; i < argc; ++i)
            rest.append(QString::fromLocal8Bit(argv[std::size_t(i)]));
        QTEST(rest, "rest");
        QCOMPARE(argv[std::size_t(argc)], nullptr);
    }

private:
    QTemporaryDir state_;
    QTemporaryDir work_;
    std::ostringstream log_;
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
