// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export html from the window: what the export has to tell goes to the
// status bar, in the window's language.
#include "app/editor/main_window.h"
#include "app/editor/translation.h"
#include "files/debug_log.h"
#include "document/chart_document.h"
#include "private_home.h"
#include "test_files.h"

#include <QAction>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

namespace {

class ExportingWindow : public MainWindow {
public:
    QString exportPath;
    QStringList errors;

protected:
    ExportChoice askExportPath(const QString&) override { return {exportPath, false, false}; }
    void showError(const QString&, const QString& message) override { errors.append(message); }
};

// One continuation box that links to page05.html, one to page07.html.
const QByteArray twoLinks = "Stirpa 120j50 50j200 d1 1\n"
                            "p1 2j1 7:More |5 20j0 0\n"
                            "p0 4j3 11:Ancestors 7 0j20 0\n";

} // namespace

class HtmlExportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        redirectDebugLog(&log_);
        usePrivateHome(home_.path());
    }
    void cleanupTestCase() { redirectDebugLog(nullptr); }

    void deadLinksInTheStatusBar_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("firstPageThere");
        QTest::addColumn<QString>("message");
        const QString more = "The continuation box 'More' at column 3, generation 2 links to "
                             "page05.html, which is not beside the page.";
        const QString ancestors =
            "The continuation box 'Ancestors 7' at column 5, generation 4 links "
            "to page07.html, which is not beside the page.";
        QTest::newRow("both missing") << "en" << false << more + " " + ancestors;
        QTest::newRow("one missing") << "en" << true << ancestors;
        QTest::newRow("German") << "de" << true
                                << "Das Fortsetzungskästchen \u201eAncestors 7\u201c in Spalte 5, "
                                   "Generation 4 verweist "
                                   "auf page07.html, die nicht neben der Seite liegt.";
    }
    void deadLinksInTheStatusBar()
    {
        QFETCH(QString, language);
        QFETCH(bool, firstPageThere);
        QFETCH(QString, message);
        // A translation stays once installed: German is the last row.
        if (language == "de")
            installTranslations(language);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeFile(dir.filePath("chart.txt"), twoLinks);
        if (firstPageThere)
            writeFile(dir.filePath("page05.html"), "<html></html>");
        ExportingWindow window;
        QVERIFY(window.openChart(dir.filePath("chart.txt")));
        window.exportPath = dir.filePath("page.html");
        window.statusBar()->showMessage("before");
        window.action(Command::FileExportHtml)->trigger();
        QCOMPARE(window.errors, QStringList());
        QVERIFY(QFile::exists(window.exportPath));
        QCOMPARE(window.statusBar()->currentMessage(), message);
    }

private:
    std::ostringstream log_;
    QTemporaryDir home_;
};

QTEST_MAIN(HtmlExportWindowTest)
#include "html_export_window_test.moc"
