// SPDX-License-Identifier: GPL-3.0-or-later
// The Import GEDCOM dialog as a user works it: the list in name order starting
// at the default root, typing in the filter narrows it, the chosen person,
// layout and living-person policy come back, the preview counts the boxes and
// the living persons, a guessed character set is told.
#include "dialogs/gedcom_import_dialog.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom/gedcom_text.h"
#include "private_home.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Ann and Bert Lee with children Carl and Dora; Dora's son Emil; Ann's parents Frank and Greta
// Holm.
const char* const family =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Ann /Lee/\n1 BIRT\n2 DATE 1900\n1 DEAT\n2 DATE 1980\n"
    "1 FAMS @F1@\n1 FAMC @F3@\n"
    "0 @I2@ INDI\n1 NAME Bert /Lee/\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Carl /Lee/\n1 BIRT\n2 DATE 1925\n1 FAMC @F1@\n"
    "0 @I4@ INDI\n1 NAME Dora /Lee/\n1 BIRT\n2 DATE 1927\n1 FAMC @F1@\n1 FAMS @F2@\n"
    "0 @I5@ INDI\n1 NAME Emil /\xC3\x89vora/\n1 FAMC @F2@\n"
    "0 @I6@ INDI\n1 NAME Frank /Holm/\n1 FAMS @F3@\n"
    "0 @I7@ INDI\n1 NAME Greta /Holm/\n1 FAMS @F3@\n"
    "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 CHIL @I3@\n1 CHIL @I4@\n"
    "0 @F2@ FAM\n1 WIFE @I4@\n1 CHIL @I5@\n"
    "0 @F3@ FAM\n1 HUSB @I6@\n1 WIFE @I7@\n1 CHIL @I1@\n0 TRLR\n";

// Key by key, as typing does (QTest::keyClicks knows no accented letters).
void type(const GedcomImportDialog& dialog, const QString& text)
{
    for (const QChar c : text)
        dialog.filterField()->insert(QString(c));
}

QStringList shownRows(const GedcomImportDialog& dialog)
{
    QStringList rows;
    const QAbstractItemModel* model = dialog.personList()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString();
    return rows;
}

} // namespace

class GedcomImportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        usePrivateHome(home_.path());
        load_ = readGedcom(family);
        QVERIFY(load_);
    }
    void filterNarrowsTheList_data();
    void filterNarrowsTheList();
    void previewCountsTheBoxes_data();
    void previewCountsTheBoxes();
    void returnsThePersonChosenInTheFilteredList();
    void returnsTheHourglassAndTheBook_data();
    void returnsTheHourglassAndTheBook();
    void startsAtTheDefaultRoot_data();
    void startsAtTheDefaultRoot();
    void countsTheLivingPersons_data();
    void countsTheLivingPersons();
    void tellsAGuessedCharacterSet_data();
    void tellsAGuessedCharacterSet();
    void writesDatesInTheWindowsLanguage();

private:
    QTemporaryDir home_;
    GedcomLoad load_;
};

void GedcomImportDialogTest::filterNarrowsTheList_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("rows");

    // By surname, then given name; "É" sorts with "E".
    QTest::newRow("nothing") << QString()
                             << QStringList{
                                    "Emil \u00C9vora",         "Frank Holm", "Greta Holm",
                                    "Ann Lee, 1900\u20131980", "Bert Lee",   "Carl Lee, 1925\u2013",
                                    "Dora Lee, 1927\u2013"};
    QTest::newRow("any case") << "hOLM" << QStringList{"Frank Holm", "Greta Holm"};
    QTest::newRow("every word") << "lee 19"
                                << QStringList{"Ann Lee, 1900\u20131980", "Carl Lee, 1925\u2013",
                                               "Dora Lee, 1927\u2013"};
    QTest::newRow("accented capital") << "\u00E9vora" << QStringList{"Emil \u00C9vora"};
    QTest::newRow("no one") << "zz" << QStringList{};
}

void GedcomImportDialogTest::filterNarrowsTheList()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, rows);
    GedcomImportDialog dialog(load_.data);
    type(dialog, typed);
    QCOMPARE(shownRows(dialog), rows);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QCOMPARE(buttons->button(QDialogButtonBox::Ok)->isEnabled(), !rows.isEmpty());
}

void GedcomImportDialogTest::previewCountsTheBoxes_data()
{
    QTest::addColumn<QString>("person");
    QTest::addColumn<bool>("ancestors");
    QTest::addColumn<int>("generations");
    QTest::addColumn<QString>("preview");

    QTest::newRow("Ann's descendants") << "Ann" << false << 4 << "The chart will have 5 boxes.";
    QTest::newRow("Ann alone with her husband")
        << "Ann" << false << 1 << "The chart will have 3 boxes.";
    QTest::newRow("Emil's ancestors") << "Emil" << true << 4 << "The chart will have 6 boxes.";
    QTest::newRow("Emil's ancestors, cut") << "Emil" << true << 2 << "The chart will have 3 boxes.";
    QTest::newRow("Greta alone") << "Greta" << true << 3 << "The chart will have 1 box.";
}

void GedcomImportDialogTest::previewCountsTheBoxes()
{
    QFETCH(QString, person);
    QFETCH(bool, ancestors);
    QFETCH(int, generations);
    QFETCH(QString, preview);
    GedcomImportDialog dialog(load_.data);
    type(dialog, person);
    if (ancestors)
        dialog.ancestorsButton()->click();
    dialog.generationsBox()->setValue(generations);
    QCOMPARE(dialog.previewLabel()->text(), preview);
}

void GedcomImportDialogTest::returnsThePersonChosenInTheFilteredList()
{
    GedcomImportDialog dialog(load_.data);
    type(dialog, QStringLiteral("lee"));
    QListView* list = dialog.personList();
    list->setCurrentIndex(list->model()->index(2, 0)); // Carl
    dialog.ancestorsButton()->click();
    dialog.generationsBox()->setValue(7);
    const ImportOptions options = dialog.options();
    QCOMPARE(options.layout.root, 2);
    QCOMPARE(options.layout.kind, LayoutKind::Ancestors);
    QCOMPARE(options.layout.generations, 7);
    // Narrowing further keeps Carl chosen while he is shown.
    type(dialog, QStringLiteral(" 19"));
    QCOMPARE(dialog.options().layout.root, 2);
}

void GedcomImportDialogTest::returnsTheHourglassAndTheBook_data()
{
    QTest::addColumn<bool>("hourglass");
    QTest::addColumn<bool>("book");
    QTest::addColumn<int>("generations"); // typed in
    QTest::addColumn<int>("up");          // typed in
    QTest::addColumn<int>("columns");     // typed in
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("expectedGenerations");
    QTest::addColumn<int>("expectedUp");
    QTest::addColumn<int>("expectedColumns");

    const int descendants = int(LayoutKind::Descendants), hourglass = int(LayoutKind::Hourglass);
    QTest::newRow("hourglass, the root counted once")
        << true << false << 2 << 5 << 30 << hourglass << 3 << 6 << 0;
    QTest::newRow("hourglass, the most generations")
        << true << false << 50 << 50 << 30 << hourglass << 50 << 50 << 0;
    QTest::newRow("no book of an hourglass")
        << true << true << 3 << 4 << 30 << hourglass << 4 << 5 << 0;
    QTest::newRow("a book, the fewest columns")
        << false << true << 6 << 3 << 1 << descendants << 6 << 4 << 2;
    QTest::newRow("a book, the most columns")
        << false << true << 6 << 3 << 10001 << descendants << 6 << 4 << 10000;
    QTest::newRow("a book of 17 columns")
        << false << true << 7 << 3 << 17 << descendants << 7 << 4 << 17;
    QTest::newRow("no book unless chosen")
        << false << false << 7 << 3 << 17 << descendants << 7 << 4 << 0;
}

void GedcomImportDialogTest::returnsTheHourglassAndTheBook()
{
    QFETCH(bool, hourglass);
    QFETCH(bool, book);
    QFETCH(int, generations);
    QFETCH(int, up);
    QFETCH(int, columns);
    QFETCH(int, kind);
    QFETCH(int, expectedGenerations);
    QFETCH(int, expectedUp);
    QFETCH(int, expectedColumns);
    GedcomImportDialog dialog(load_.data);
    dialog.bookBox()->setChecked(book);
    if (hourglass)
        dialog.hourglassButton()->click();
    QCOMPARE(dialog.generationsUpBox()->isEnabled(), hourglass);
    dialog.generationsBox()->setValue(generations);
    dialog.generationsUpBox()->setValue(up);
    dialog.bookColumnsBox()->setValue(columns);
    const ImportOptions options = dialog.options();
    QCOMPARE(int(options.layout.kind), kind);
    QCOMPARE(options.layout.generations, expectedGenerations);
    QCOMPARE(options.layout.ancestorGenerations, expectedUp);
    QCOMPARE(options.bookColumns, expectedColumns);
}

void GedcomImportDialogTest::writesDatesInTheWindowsLanguage()
{
    QLocale::setDefault(QLocale(QLocale::German));
    GedcomImportDialog dialog(load_.data);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(dialog.datesBox()->itemText(0), "Short: 3. M\u00e4rz 1820, um 1848");
    dialog.titlesBox()->setChecked(true);
    QVERIFY(dialog.options().description.titles);
    QCOMPARE(dialog.options().description.dateLanguage, DateLanguage::German);
}

void GedcomImportDialogTest::startsAtTheDefaultRoot_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("the biggest chart") << QByteArray() << "Frank Holm";
    QTest::newRow("the home person") << QByteArray("1 _HME @I4@\n") << "Dora Lee, 1927\u2013";
}

void GedcomImportDialogTest::startsAtTheDefaultRoot()
{
    QFETCH(QByteArray, header);
    QFETCH(QString, chosen);
    const GedcomLoad load =
        readGedcom(QByteArray(family).replace("0 HEAD\n", "0 HEAD\n" + header).toStdString());
    GedcomImportDialog dialog(load.data);
    QCOMPARE(dialog.personList()->currentIndex().data().toString(), chosen);
    QCOMPARE(dialog.options().layout.root, load.data.home >= 0 ? 3 : 5);
}

void GedcomImportDialogTest::countsTheLivingPersons_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("generations");
    QTest::addColumn<int>("policy");
    QTest::addColumn<QString>("told");

    // Carl (1925) and Dora (1927) are living in 2025, only Dora in 2027.
    QTest::newRow("two") << 2025 << 4 << 0 << "2 persons in the chart are living.";
    QTest::newRow("one") << 2027 << 4 << 1 << "1 person in the chart is living.";
    QTest::newRow("none in a smaller chart") << 2025 << 1 << 2 << "No one in the chart is living.";
}

void GedcomImportDialogTest::countsTheLivingPersons()
{
    QFETCH(int, year);
    QFETCH(int, generations);
    QFETCH(int, policy);
    QFETCH(QString, told);
    GedcomImportDialog dialog(load_.data, nullptr, {year, 6, 15});
    type(dialog, QStringLiteral("ann"));
    dialog.generationsBox()->setValue(generations);
    dialog.livingBox()->setCurrentIndex(policy);
    QCOMPARE(dialog.livingLabel()->text(), told);
    const ImportOptions options = dialog.options();
    QCOMPARE(options.description.living, LivingPolicy(policy));
    QCOMPARE(options.today.year, year);
}

void GedcomImportDialogTest::tellsAGuessedCharacterSet_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("told");

    QTest::newRow("declared") << QByteArray("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME J\xF6rg\n")
                              << QString();
    QTest::newRow("guessed")
        << QByteArray("0 HEAD\n0 @I1@ INDI\n1 NAME J\x94rg\n")
        << "The file names no character set; it was read as IBM PC (code page 437), a guess.";
}

void GedcomImportDialogTest::tellsAGuessedCharacterSet()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, told);
    GedcomText text = decodeGedcom(bytes.toStdString());
    GedcomLoad load = readGedcom(std::move(text.utf8));
    load.data.characterSet = text.characterSet;
    GedcomImportDialog dialog(load.data);
    QCOMPARE(dialog.characterSetLabel()->isVisibleTo(&dialog), !told.isEmpty());
    if (!told.isEmpty())
        QCOMPARE(dialog.characterSetLabel()->text(), told);
    QCOMPARE(dialog.personList()->currentIndex().data().toString(), QStringLiteral("J\u00F6rg"));
}

QTEST_MAIN(GedcomImportDialogTest)
#include "gedcom_import_dialog_test.moc"
