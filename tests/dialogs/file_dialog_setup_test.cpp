// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs' filters, and the folder each kind of dialog starts in.
#include "dialogs/file_dialog_setup.h"

#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(FileKind)

class FileDialogSetupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        for (const char* variable :
             {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            qputenv(variable, home_.path().toUtf8());
        QCoreApplication::setApplicationName(QStringLiteral("FileDialogSetupTest"));
    }
    void init() { QSettings().clear(); }

    void eachKindHasItsFiltersThenAllFiles_data()
    {
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<QStringList>("filters");
        QTest::newRow("chart") << FileKind::Chart
                               << QStringList{"Stirpa charts (*.txt)", "All files (*)"};
        QTest::newRow("web page") << FileKind::WebPage
                                  << QStringList{"Web pages (*.html *.htm)", "All files (*)"};
        QTest::newRow("image") << FileKind::Image
                               << QStringList{"PNG image (*.png)", "SVG drawing (*.svg)",
                                              "PDF document (*.pdf)", "All files (*)"};
        QTest::newRow("gedcom") << FileKind::Gedcom
                                << QStringList{"GEDCOM files (*.ged *.GED)", "All files (*)"};
    }
    void eachKindHasItsFiltersThenAllFiles()
    {
        QFETCH(FileKind, kind);
        QFETCH(QStringList, filters);
        QCOMPARE(fileFilters(kind), filters);
    }

    // Rows: the kind a file was chosen for (none: nothing chosen yet), whether
    // its folder is gone since, the kind asked about, and where that starts.
    void theLastFolderOfTheKindComesFirst_data()
    {
        QTest::addColumn<int>("chosenKind");
        QTest::addColumn<bool>("folderGone");
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<QString>("starts");
        QTest::newRow("nothing chosen, no fallback") << -1 << false << FileKind::Chart << "home";
        QTest::newRow("nothing chosen, the chart's folder")
            << -1 << false << FileKind::WebPage << "fallback";
        QTest::newRow("same kind") << int(FileKind::Chart) << false << FileKind::Chart << "chosen";
        QTest::newRow("same kind, over the fallback")
            << int(FileKind::Image) << false << FileKind::Image << "chosen";
        QTest::newRow("another kind")
            << int(FileKind::Gedcom) << false << FileKind::Chart << "home";
        QTest::newRow("folder gone") << int(FileKind::Chart) << true << FileKind::Chart << "home";
    }
    void theLastFolderOfTheKindComesFirst()
    {
        QFETCH(int, chosenKind);
        QFETCH(bool, folderGone);
        QFETCH(FileKind, kind);
        QFETCH(QString, starts);
        QTemporaryDir chosen;
        QTemporaryDir fallback;
        if (chosenKind >= 0)
            rememberFolder(FileKind(chosenKind), chosen.filePath("family.txt"));
        if (folderGone)
            QVERIFY(chosen.remove());
        const bool withFallback = kind != FileKind::Chart;
        const QString expected = starts == "chosen"     ? chosen.path()
                                 : starts == "fallback" ? fallback.path()
                                                        : QDir::homePath();
        QCOMPARE(startFolder(kind, withFallback ? fallback.path() : QString()), expected);

        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        prepareFileDialog(dialog, kind,
                          withFallback ? fallback.filePath("family.html") : QString());
        QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(expected).canonicalPath());
        QCOMPARE(dialog.nameFilters(), fileFilters(kind));
    }

private:
    QTemporaryDir home_;
};

QTEST_MAIN(FileDialogSetupTest)
#include "file_dialog_setup_test.moc"
