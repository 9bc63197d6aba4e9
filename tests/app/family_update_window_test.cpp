// SPDX-License-Identifier: GPL-3.0-or-later
// File > Update from family file and Tree > Link to family file in the window:
// the changes are shown before anything is changed, Apply makes the chart
// modified and its boxes selectable from the list, and every failure leaves
// the chart as it was.
#include "app/editor/main_window.h"
#include "chartfile/chart_reader.h"
#include "document/chart_document.h"
#include "family/book_files.h"
#include "files/file_notices.h"
#include "files/folder_lock.h"
#include "gedcom/gedcom_reader.h"
#include "layout/chart_import.h"
#include "private_home.h"
#include "test_files.h"
#include "view/chart_view.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <optional>

namespace {

const QString family = QStringLiteral(STIRPA_TEST_DATA "/gedcom/hartmann.ged");

class FamilyWindow : public MainWindow {
public:
    QString gedcomPath;
    QString movedPath;   // the answer when the family file is gone
    bool asked = false;  // whether the user was asked for it
    int readAsked = 0;   // times asked whether to read a file outside the chart's folder
    bool allowsRead = false;
    bool applies = true; // Apply, else Cancel
    QString choose;      // the person to pick from the list after Apply
    QStringList shown;   // the dialog's kinds with their counts
    bool offeredApply = false;
    bool dialogShown = false;
    QStringList errors;

protected:
    QString askGedcomPath() override { return gedcomPath; }
    bool askImportOptions(const GedcomData& data, ImportOptions& options) override
    {
        options.layout.root = data.findPerson("I1");
        options.layout.generations = 4;
        return true;
    }
    QString askMovedFamilyFile(const QString&) override
    {
        asked = true;
        return movedPath;
    }
    bool askReadFamilyFile(const QString&) override
    {
        ++readAsked;
        return allowsRead;
    }
    void runChangesDialog(FamilyChangesDialog& dialog) override
    {
        dialogShown = true;
        auto* list = dialog.findChild<QTreeWidget*>();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            shown << list->topLevelItem(i)->text(0);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QPushButton* apply = buttons->button(QDialogButtonBox::Apply);
        offeredApply = apply != nullptr;
        if (!apply || !applies)
            return;
        apply->click();
        QVERIFY(apply->isHidden());
        QVERIFY(buttons->button(QDialogButtonBox::Close));
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            for (int j = 0; j < list->topLevelItem(i)->childCount(); ++j)
                if (list->topLevelItem(i)->child(j)->text(0).startsWith(choose))
                    list->setCurrentItem(list->topLevelItem(i)->child(j));
    }
    void showError(const QString&, const QString& message) override { errors << message; }
};

QString firstLine(const Person* box)
{
    return box ? QString::fromStdString(box->text.substr(0, box->text.find('|'))).trimmed()
               : QStringLiteral("(none)");
}

// Johann Georg and Anna Maria get a son, and Friedrich is renamed Fritz.
QByteArray changedFamily(QByteArray bytes)
{
    bytes.replace("1 NAME Friedrich /Hartmann/", "1 NAME Fritz /Hartmann/");
    bytes.replace("2 GIVN Friedrich", "2 GIVN Fritz");
    bytes.replace("0 @F1@ FAM\n", "0 @F1@ FAM\n1 CHIL @I99@\n");
    bytes.replace("0 TRLR", "0 @I99@ INDI\n1 NAME Jakob /Hartmann/\n1 SEX M\n1 BIRT\n2 DATE 1850\n"
                            "1 FAMC @F1@\n0 TRLR");
    return bytes;
}

} // namespace

class FamilyUpdateWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { usePrivateHome(home_.path()); }
    void updates_data();
    void updates();
    void keepsTheChartOnFailure_data();
    void keepsTheChartOnFailure();
    void linksATypedChart();
    void commandsFollowTheChart();
    void updatesTheWholeBook_data();
    void updatesTheWholeBook();
    void asksBeforeReadingAFileElsewhere();

private:
    // A chart imported from a copy of the family file and saved; the copy's path.
    QString importLinkedChart(FamilyWindow& window, const QTemporaryDir& folder);
    QTemporaryDir home_;
};

QString FamilyUpdateWindowTest::importLinkedChart(FamilyWindow& window, const QTemporaryDir& folder)
{
    const QString copy = folder.filePath("family.ged");
    writeFile(copy, readAll(family));
    window.gedcomPath = copy;
    window.action(Command::FileImportGedcom)->trigger();
    window.document()->saveAs(folder.filePath("chart.txt"));
    return copy;
}

void FamilyUpdateWindowTest::updates_data()
{
    QTest::addColumn<bool>("changeFile");
    QTest::addColumn<bool>("moveFile");
    QTest::addColumn<bool>("applies");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("modified");

    const QStringList changes{"New text: 1", "New persons: 1"};
    QTest::newRow("changed file, applied") << true << false << true << changes << true;
    QTest::newRow("changed file, cancelled") << true << false << false << changes << false;
    QTest::newRow("unchanged file") << false << false << true << QStringList() << false;
    // The file found elsewhere becomes the family file: a change even without others.
    QTest::newRow("moved, unchanged file") << false << true << true << QStringList() << true;
    QTest::newRow("moved, changed file") << true << true << true << changes << true;
}

void FamilyUpdateWindowTest::updates()
{
    QFETCH(bool, changeFile);
    QFETCH(bool, moveFile);
    QFETCH(bool, applies);
    QFETCH(QStringList, shown);
    QFETCH(bool, modified);
    QTemporaryDir folder;
    FamilyWindow window;
    QString path = importLinkedChart(window, folder);
    const std::size_t boxes = window.document()->tree().size();
    if (changeFile)
        writeFile(path, changedFamily(readAll(path)));
    if (moveFile) {
        const QString moved = folder.filePath("moved.ged");
        QVERIFY(QFile::rename(path, moved));
        window.movedPath = path = moved;
    }
    window.applies = applies;
    window.choose = QStringLiteral("Jakob Hartmann");
    window.action(Command::FileUpdateFromFamily)->trigger();

    QCOMPARE(window.errors, QStringList());
    QCOMPARE(window.asked, moveFile);
    QCOMPARE(window.shown, shown);
    QCOMPARE(window.offeredApply, changeFile || moveFile);
    QCOMPARE(window.document()->isModified(), modified);
    const bool applied = modified;
    QCOMPARE(window.document()->tree().size(), boxes + (applied && changeFile ? 1 : 0));
    const std::string remembered = window.document()->chart().familyLink().path;
    QCOMPARE(QString::fromStdString(remembered), applied ? path : folder.filePath("family.ged"));
    if (applied && changeFile) {
        // The new son was picked from the list; his parent is the file's.
        const Person* son = window.document()->selectedBox();
        QCOMPARE(firstLine(son), QStringLiteral("Jakob Hartmann"));
        QCOMPARE(window.view()->currentCell(), son->cell());
        // Right of the window's first screen: scrolled to.
        QVERIFY(window.view()->horizontalScrollBar()->value() > 0);
        const QString parent = firstLine(window.document()->tree().findParent(son));
        QVERIFY2(parent == "Johann Georg Hartmann" || parent == "Anna Maria Keller",
                 qPrintable(parent));
        // A second update finds nothing more to do.
        window.shown.clear();
        window.action(Command::FileUpdateFromFamily)->trigger();
        QCOMPARE(window.shown, QStringList());
        QVERIFY(!window.offeredApply);
    }
}

void FamilyUpdateWindowTest::keepsTheChartOnFailure_data()
{
    QTest::addColumn<QByteArray>("fileBytes"); // empty: the file is gone
    QTest::addColumn<QString>("movedTo");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QString>("error"); // what the message box says

    QTest::newRow("not a GEDCOM file")
        << QByteArray("1 1 0 0 Johann|\n") << QString() << 1 << "not a GEDCOM file";
    QTest::newRow("another family") << QByteArray("0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n0 TRLR\n")
                                    << QString() << 1
                                    << "/family.ged does not hold this chart's family: 0 of ";
    QTest::newRow("gone, none chosen") << QByteArray() << QString() << 0 << QString();
    QTest::newRow("gone, a missing one chosen")
        << QByteArray() << "/nonexistent.ged" << 1 << "nonexistent.ged";
}

void FamilyUpdateWindowTest::keepsTheChartOnFailure()
{
    QFETCH(QByteArray, fileBytes);
    QFETCH(QString, movedTo);
    QFETCH(int, errors);
    QFETCH(QString, error);
    QTemporaryDir folder;
    FamilyWindow window;
    const QString path = importLinkedChart(window, folder);
    const QByteArray chart = readAll(folder.filePath("chart.txt"));
    if (fileBytes.isEmpty())
        QVERIFY(QFile::remove(path));
    else
        writeFile(path, fileBytes);
    window.movedPath = movedTo;
    window.action(Command::FileUpdateFromFamily)->trigger();

    QCOMPARE(int(window.errors.size()), errors);
    QVERIFY2(window.errors.join('\n').contains(error), qPrintable(window.errors.join('\n')));
    QVERIFY(!window.dialogShown);
    QVERIFY(!window.document()->isModified());
    QVERIFY(window.document()->saveAs(folder.filePath("again.txt")));
    QCOMPARE(readAll(folder.filePath("again.txt")), chart);
}

void FamilyUpdateWindowTest::linksATypedChart()
{
    QTemporaryDir folder;
    FamilyWindow window;
    ChartDocument* document = window.document();
    document->addBox(
        std::make_unique<Person>("Johann Georg Hartmann|1822", Cell{0, 0}, Links{0, gapY}));
    // Two of his children: a descendants chart from him.
    document->addBox(std::make_unique<Person>("Friedrich Hartmann", Cell{0, 1}, Links{gapX, 0}));
    document->addBox(std::make_unique<Person>("Katharina Hartmann", Cell{1, 1}, Links{}));
    document->addBox(std::make_unique<Person>("Nobody Known", Cell{3, 0}, Links{}));
    document->setModified(false);
    QVERIFY(!window.action(Command::FileUpdateFromFamily)->isEnabled());
    window.gedcomPath = family;
    window.choose = QStringLiteral("Nobody Known");
    window.action(Command::TreeLinkFamily)->trigger();

    QCOMPARE(window.errors, QStringList());
    QCOMPARE(window.shown, QStringList{"Not linked: 1"});
    QVERIFY(document->isModified());
    QCOMPARE(QString::fromStdString(document->chart().familyLink().path), family);
    QCOMPARE(QString::fromStdString(document->chart().familyLink().root), QStringLiteral("I1"));
    QCOMPARE(int(document->tree().records().size()), 3);
    QCOMPARE(firstLine(document->selectedBox()), QStringLiteral("Nobody Known"));
    QVERIFY(window.action(Command::FileUpdateFromFamily)->isEnabled());
}

void FamilyUpdateWindowTest::commandsFollowTheChart()
{
    QTemporaryDir folder;
    FamilyWindow window;
    QVERIFY(!window.action(Command::FileUpdateFromFamily)->isEnabled());
    QVERIFY(!window.action(Command::TreeLinkFamily)->isEnabled());
    importLinkedChart(window, folder);
    QVERIFY(window.action(Command::FileUpdateFromFamily)->isEnabled());
    QVERIFY(window.action(Command::TreeLinkFamily)->isEnabled());
    window.document()->newChart();
    QVERIFY(!window.action(Command::FileUpdateFromFamily)->isEnabled());
    QVERIFY(!window.action(Command::TreeLinkFamily)->isEnabled());
}

void FamilyUpdateWindowTest::updatesTheWholeBook_data()
{
    QTest::addColumn<bool>("locked"); // by another Stirpa writing in the folder
    QTest::newRow("free") << false;
    QTest::newRow("a folder being written") << true;
}

// Updated from its main chart, a book takes in a child born in a branch
// chart: the dialog names that chart, Apply writes it beside the open one,
// unless another Stirpa writes there: then it says so and writes nothing.
void FamilyUpdateWindowTest::updatesTheWholeBook()
{
    QFETCH(bool, locked);
    QTemporaryDir folder;
    const QString copy = folder.filePath("family.ged");
    writeFile(copy, readAll(family));
    const GedcomLoad load = readGedcomFile(copy.toStdString());
    QVERIFY(load);
    ImportOptions options;
    options.layout.root = load.data.findPerson("I1");
    options.bookColumns = 4;
    const BookImport book =
        saveBook(load.data, options, folder.filePath("bk.txt").toStdString(), copy.toStdString());
    QVERIFY2(book, book.message().c_str());
    QByteArray bytes = readAll(copy);
    bytes.replace("0 @F4@ FAM\n", "0 @F4@ FAM\n1 CHIL @I98@\n");
    bytes.replace("0 TRLR", "0 @I98@ INDI\n1 NAME Paul /Hartmann/\n1 FAMC @F4@\n0 TRLR");
    writeFile(copy, bytes);

    const QByteArray branchBefore = readAll(folder.filePath("bk02.txt"));
    FamilyWindow window;
    QVERIFY(window.openChart(folder.filePath("bk.txt")));
    const std::size_t boxes = window.document()->tree().size();
    setWriterWaitLimit(std::chrono::milliseconds(100));
    std::optional<FolderLock> other;
    if (locked)
        other.emplace(std::vector<std::string>{copy.toStdString()});
    window.action(Command::FileUpdateFromFamily)->trigger();
    setWriterWaitLimit(std::chrono::seconds(30));
    QCOMPARE(window.errors.size(), locked ? 1 : 0);
    QCOMPARE(window.shown, QStringList({"bk02.txt: New persons: 1"}));
    QCOMPARE(window.document()->tree().size(), boxes);
    QCOMPARE(readAll(folder.filePath("bk02.txt")) == branchBefore, locked);
    if (locked)
        return;
    const ChartLoad branch = readChartFile(folder.filePath("bk02.txt").toStdString(), {});
    QVERIFY(branch);
    bool found = false;
    branch.chart.tree().forEachPerson(
        [&](const Person* box) { found = found || firstLine(box) == "Paul Hartmann"; });
    QVERIFY(found);
}

// A chart from someone else names a family file outside its folder: it is
// read only when the user says so, and asked once for each chart.
void FamilyUpdateWindowTest::asksBeforeReadingAFileElsewhere()
{
    QTemporaryDir folder;
    FamilyWindow window;
    importLinkedChart(window, folder);
    QVERIFY(QDir(folder.path()).mkdir("charts"));
    const QString moved = folder.filePath("charts/chart.txt");
    QVERIFY(window.document()->saveAs(moved));
    for (const bool allows : {false, true, true}) {
        window.allowsRead = allows;
        window.dialogShown = false;
        window.action(Command::FileUpdateFromFamily)->trigger();
        QCOMPARE(window.dialogShown, allows);
    }
    QCOMPARE(window.readAsked, 2);
    QVERIFY(window.errors.isEmpty());
}

QTEST_MAIN(FamilyUpdateWindowTest)
#include "family_update_window_test.moc"
