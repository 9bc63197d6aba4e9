// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/main_window.h"
#include "files/debug_log.h"
#include "dialogs/html_export_dialog.h"
#include "document/chart_document.h"
#include "private_home.h"
#include "test_files.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

namespace {

class ExportingWindow : public MainWindow {
public:
    ExportChoice choice;
    QString offered;
    QStringList errors;

protected:
    ExportChoice askExportPath(const QString& initialPath) override
    {
        offered = initialPath;
        return choice;
    }
    void showError(const QString&, const QString& message) override { errors.append(message); }
};

} // namespace

class HtmlExportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        log.str(std::string());
        redirectDebugLog(&log);
        usePrivateHome(dir.path());
    }
    void cleanup() { redirectDebugLog(nullptr); }

    void titleGroupAndPreselection()
    {
        HtmlExportDialog dialog(dir.filePath("tree.html"));
        QCOMPARE(dialog.windowTitle(), QString("Write html"));
        QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog.defaultSuffix(), QString("html"));
        auto* group = dialog.findChild<QGroupBox*>();
        QVERIFY(group);
        QCOMPARE(group->title(), QString("html Code to Write"));
        QCOMPARE(dialog.completePageButton()->text(), QString("Complete page"));
        QCOMPARE(dialog.personsOnlyButton()->text(), QString("Persons only"));
        QVERIFY(dialog.personsOnlyButton()->isChecked());
        QVERIFY(!dialog.completePage());
    }

    void theLastChoiceCounts()
    {
        HtmlExportDialog dialog(dir.filePath("tree.html"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.completePageButton()->click();
        QVERIFY(dialog.completePage());
        QVERIFY(!dialog.personsOnlyButton()->isChecked());
        dialog.personsOnlyButton()->click();
        QVERIFY(!dialog.completePage());
        QVERIFY(!dialog.completePageButton()->isChecked());
    }

    void cancelWritesNothing()
    {
        ExportingWindow frame;
        frame.document()->newChart();
        log.str(std::string());
        frame.action(Command::FileExportHtml)->trigger();
        QCOMPARE(frame.offered, QString(".html"));
        QCOMPARE(QString::fromStdString(log.str()), QString());
        QVERIFY(frame.errors.isEmpty());
    }

    void exportWritesTheChosenFileNextToTheChart()
    {
        ExportingWindow frame;
        const QString chart = dir.filePath("family.txt");
        writeFile(chart, "P 0j0 5:Alpha 0j0 0\n");
        QVERIFY(frame.openChart(chart));
        frame.choice = {dir.filePath("out.html"), false};
        log.str(std::string());
        frame.action(Command::FileExportHtml)->trigger();
        QCOMPARE(frame.offered, dir.filePath("family.html"));
        QVERIFY(QFile::exists(dir.filePath("out.html")));
        QCOMPARE(QString::fromStdString(log.str()),
                 "Html outfile is " + dir.filePath("out.html") + "\n");
    }

    // Off at first; a confirmed choice is the next export's, and the page follows it.
    void escapeTextIsRememberedAndApplied()
    {
        {
            HtmlExportDialog dialog(dir.filePath("tree.html"));
            QVERIFY(!dialog.escapeText());
            dialog.escapeTextBox()->setChecked(true);
            dialog.done(QDialog::Rejected);
        }
        HtmlExportDialog again(dir.filePath("tree.html"));
        QVERIFY(!again.escapeText());
        again.escapeTextBox()->setChecked(true);
        again.done(QDialog::Accepted);
        QVERIFY(HtmlExportDialog(dir.filePath("tree.html")).escapeText());

        ExportingWindow frame;
        const QString chart = dir.filePath("family.txt");
        writeFile(chart, "P 0j0 3:A<B 0j0 0\n");
        QVERIFY(frame.openChart(chart));
        frame.choice = {dir.filePath("out.html"), false, true};
        frame.action(Command::FileExportHtml)->trigger();
        QFile page(dir.filePath("out.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains("<b>A&lt;B</b>"));
    }

    void aMissingTemplateIsReported()
    {
        ExportingWindow frame;
        frame.document()->newChart();
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path()); // no page template here
        frame.choice = {dir.filePath("page.html"), true};
        frame.action(Command::FileExportHtml)->trigger();
        QDir::setCurrent(previous);
        QCOMPARE(frame.errors.size(), 1);
        QVERIFY(
            QString::fromStdString(log.str()).contains("Model input prematurely interrupted\n"));
    }

private:
    std::ostringstream log;
    QTemporaryDir dir;
};

QTEST_MAIN(HtmlExportDialogTest)
#include "html_export_dialog_test.moc"
