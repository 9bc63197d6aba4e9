// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import GEDCOM in the window: the chart comes as a new untitled,
// modified document with the chosen person selected; a file that cannot be
// read leaves the chart as it was.
#include "app/editor/main_window.h"
#include "document/chart_document.h"
#include "files/file_notices.h"
#include "files/folder_lock.h"
#include "layout/chart_import.h"
#include "private_home.h"
#include "test_files.h"
#include "view/chart_view.h"

#include <QAction>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

const QString family = QStringLiteral(STIRPA_TEST_DATA "/gedcom/hartmann.ged");

class ImportingWindow : public MainWindow {
public:
    QString path;
    QString savePath; // of a book
    QString rootXref;
    ImportOptions options;
    bool chooses = true;
    QStringList errors;

protected:
    QString askGedcomPath() override { return path; }
    QString askSavePath() override { return savePath; }
    bool askImportOptions(const GedcomData& data, ImportOptions& chosen) override
    {
        chosen = options;
        chosen.layout.root = data.findPerson(rootXref.toStdString());
        return chooses;
    }
    void showError(const QString&, const QString& message) override { errors << message; }
};

std::string selectedName(const MainWindow& window)
{
    const Person* selected = window.document()->selectedBox();
    return selected ? std::string(selected->text.substr(0, selected->text.find(" |")))
                    : std::string("(none)");
}

} // namespace

class GedcomImportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { usePrivateHome(home_.path()); }
    void importsAsUntitledModifiedChart_data();
    void importsAsUntitledModifiedChart();
    void keepsTheChartOnFailure_data();
    void keepsTheChartOnFailure();
    void writesABookOnlyWhereSafe_data();
    void writesABookOnlyWhereSafe();

private:
    QTemporaryDir home_;
};

void GedcomImportWindowTest::importsAsUntitledModifiedChart_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("generations");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("boxes");

    QTest::newRow("descendants") << "I1" << int(LayoutKind::Descendants) << 4
                                 << "Johann Georg Hartmann" << 18;
    QTest::newRow("ancestors") << "I15" << int(LayoutKind::Ancestors) << 5 << "Otto Hartmann" << 9;
}

void GedcomImportWindowTest::importsAsUntitledModifiedChart()
{
    QFETCH(QString, root);
    QFETCH(int, kind);
    QFETCH(int, generations);
    QFETCH(QString, name);
    QFETCH(int, boxes);
    ImportingWindow window;
    window.resize(400, 300);
    window.path = family;
    window.rootXref = root;
    window.options.layout.kind = LayoutKind(kind);
    window.options.layout.generations = generations;
    window.action(Command::FileImportGedcom)->trigger();

    QCOMPARE(window.errors, QStringList());
    QCOMPARE(int(window.document()->tree().size()), boxes);
    QVERIFY(window.document()->path().isEmpty());
    QVERIFY(window.document()->isModified());
    QCOMPARE(QString::fromStdString(selectedName(window)), name);
    QCOMPARE(window.view()->currentCell(), window.document()->selectedBox()->cell());
    // The root's row is scrolled into view: the top one, or the bottom one for ancestors.
    const QScrollBar* vertical = window.view()->verticalScrollBar();
    QCOMPARE(vertical->value(),
             LayoutKind(kind) == LayoutKind::Ancestors ? vertical->maximum() : vertical->minimum());
}

void GedcomImportWindowTest::keepsTheChartOnFailure_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("chooses");
    QTest::addColumn<int>("errors");

    QTest::newRow("a chart file") << QStringLiteral(STIRPA_TEST_DATA "/family.txt") << true << 1;
    QTest::newRow("no such file") << QStringLiteral("/nonexistent.ged") << true << 1;
    QTest::newRow("dialog cancelled") << family << false << 0;
    QTest::newRow("no file picked") << QString() << true << 0;
}

void GedcomImportWindowTest::keepsTheChartOnFailure()
{
    QFETCH(QString, path);
    QFETCH(bool, chooses);
    QFETCH(int, errors);
    ImportingWindow window;
    QVERIFY(window.document()->open(QStringLiteral(STIRPA_TEST_DATA "/family.txt")));
    const std::size_t boxes = window.document()->tree().size();
    window.path = path;
    window.rootXref = QStringLiteral("I1");
    window.chooses = chooses;
    window.action(Command::FileImportGedcom)->trigger();

    QCOMPARE(int(window.errors.size()), errors);
    QCOMPARE(window.document()->tree().size(), boxes);
    QVERIFY(!window.document()->path().isEmpty());
    QVERIFY(!window.document()->isModified());
}

void GedcomImportWindowTest::writesABookOnlyWhereSafe_data()
{
    QTest::addColumn<QString>("out");
    QTest::addColumn<bool>("locked"); // by another Stirpa writing in the folder
    QTest::addColumn<bool>("written");

    QTest::newRow("a new file") << "book.txt" << false << true;
    QTest::newRow("its family file") << "family.ged" << false << false;
    QTest::newRow("a folder being written") << "book.txt" << true << false;
}

// A book is written only where it replaces nothing the import reads and no
// other Stirpa writes; else the window says why and writes nothing.
void GedcomImportWindowTest::writesABookOnlyWhereSafe()
{
    QFETCH(QString, out);
    QFETCH(bool, locked);
    QFETCH(bool, written);
    QTemporaryDir folder;
    const QString copy = folder.filePath("family.ged");
    QVERIFY(QFile::copy(family, copy));
    const auto before = folderContents(folder.path());
    setWriterWaitLimit(std::chrono::milliseconds(100));
    std::optional<FolderLock> other;
    if (locked)
        other.emplace(std::vector<std::string>{copy.toStdString()});
    ImportingWindow window;
    window.path = copy;
    window.savePath = folder.filePath(out);
    window.rootXref = QStringLiteral("I1");
    window.options.bookColumns = 4;
    window.action(Command::FileImportGedcom)->trigger();
    setWriterWaitLimit(std::chrono::seconds(30));

    QCOMPARE(window.errors.size(), written ? 0 : 1);
    QCOMPARE(folderContents(folder.path()) == before, !written);
    QCOMPARE(window.document()->path().isEmpty(), !written);
}

QTEST_MAIN(GedcomImportWindowTest)
#include "gedcom_import_window_test.moc"
