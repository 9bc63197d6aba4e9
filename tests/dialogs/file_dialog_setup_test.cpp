// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs' filters, and the folder each kind of dialog starts in.
#include "dialogs/file_dialog_setup.h"

#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(FileKind)

class FileDialogSetupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
            qputenv(variable, home_.path().toUtf8());
    }
    void init() { QSettings().clear(); }

    // Rows: the kind asked about, the kind a file was last chosen for (-1:
    // none), whether that folder is gone since, where the dialog starts, and its
    // first filter ("All files (*)" always follows).
    void eachKindStartsInItsLastFolder_data()
    {
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<int>("chosenKind");
        QTest::addColumn<bool>("gone");
        QTest::addColumn<QString>("starts");
        QTest::addColumn<QString>("filter");
        const auto chart = FileKind::Chart;
        QTest::newRow("first chart") << chart << -1 << false << "home"
                                     << "Stirpa charts (*.txt)";
        QTest::newRow("chart again") << chart << int(chart) << false << "chosen"
                                     << "Stirpa charts (*.txt)";
        QTest::newRow("folder gone") << chart << int(chart) << true << "home"
                                     << "Stirpa charts (*.txt)";
        QTest::newRow("first page: beside the chart")
            << FileKind::WebPage << int(FileKind::Gedcom) << false << "chart"
            << "Web pages (*.html *.htm)";
        QTest::newRow("image again") << FileKind::Image << int(FileKind::Image) << false << "chosen"
                                     << "PNG image (*.png)";
        QTest::newRow("gedcom") << FileKind::Gedcom << int(chart) << false << "home"
                                << "GEDCOM files (*.ged *.GED)";
    }
    void eachKindStartsInItsLastFolder()
    {
        QFETCH(FileKind, kind);
        QFETCH(int, chosenKind);
        QFETCH(bool, gone);
        QFETCH(QString, starts);
        QFETCH(QString, filter);
        QTemporaryDir chosen;
        QTemporaryDir chartFolder;
        if (chosenKind >= 0)
            rememberFolder(FileKind(chosenKind), chosen.filePath("family.txt"));
        if (gone)
            QVERIFY(chosen.remove());
        // Only the exports propose a file beside the chart.
        const bool exporting = kind == FileKind::WebPage || kind == FileKind::Image;
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        prepareFileDialog(dialog, kind, exporting ? chartFolder.filePath("family") : QString());
        const QString expected = starts == "chosen"  ? chosen.path()
                                 : starts == "chart" ? chartFolder.path()
                                                     : home_.path();
        QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(expected).canonicalPath());
        QCOMPARE(dialog.nameFilters().constFirst(), filter);
        QCOMPARE(dialog.nameFilters().constLast(), QStringLiteral("All files (*)"));
    }

    // A family file is replaced only when the user says so.
    void asksBeforeReplacingAFamilyFile()
    {
        QTemporaryDir folder;
        const QString family = folder.filePath("family.ged"), chart = folder.filePath("c.txt");
        for (const auto& [path, bytes] : {std::pair{family, QByteArray("0 HEAD\n0 TRLR\n")},
                                          std::pair{chart, QByteArray("Stirpa 120j50 0j0\n")}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        int asked = 0;
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box && ++asked)
                    box->button(answer)->click();
            });
            QCOMPARE(confirmedSavePath(nullptr, family),
                     answer == QMessageBox::Yes ? family : QString());
        }
        QCOMPARE(asked, 2);
        QCOMPARE(confirmedSavePath(nullptr, chart), chart);
        QCOMPARE(asked, 2);
    }

private:
    QTemporaryDir home_;
};

QTEST_MAIN(FileDialogSetupTest)
#include "file_dialog_setup_test.moc"
