// SPDX-License-Identifier: GPL-3.0-or-later
// Tree > Relationship in the window: the persons of the last two boxes
// selected, the sentence in a dialog and their line red over the chart until
// the selection changes; and why not, for every case it cannot answer.
#include "app/editor/main_window.h"
#include "dialogs/relationship_dialog.h"
#include "document/chart_document.h"
#include "gedcom/gedcom_reader.h"
#include "layout/chart_import.h"
#include "private_home.h"
#include "test_files.h"
#include "view/chart_view.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class RelationshipWindow : public MainWindow {
public:
    QString gedcomPath;
    QStringList errors;

protected:
    QString askGedcomPath() override { return gedcomPath; }
    bool askImportOptions(const GedcomData& data, ImportOptions& options) override
    {
        options.layout.root = data.findPerson("I1");
        options.layout.generations = 4;
        return true;
    }
    bool askReadFamilyFile(const QString&) override { return true; }
    void showError(const QString&, const QString& message) override { errors << message; }
};

// Selects the box whose text begins with the name.
void selectBox(ChartDocument& document, const QString& name)
{
    const Person* found = nullptr;
    document.tree().forEachPerson([&](const Person* box) {
        if (!found && QString::fromStdString(box->text).startsWith(name))
            found = box;
    });
    QVERIFY2(found, qPrintable(name));
    document.selectCell(found->cell());
}

QString shownRelationship(const MainWindow& window)
{
    const auto dialogs = window.findChildren<RelationshipDialog*>();
    return dialogs.isEmpty() ? QString() : dialogs.back()->shownText();
}

} // namespace

class RelationshipWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { usePrivateHome(home_.path()); }

    void relates_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("redBoxes");
        QTest::newRow("great-grandson")
            << "Otto"
            << "Johann Georg"
            << "Otto Hartmann is the great-grandson of Johann Georg Hartmann\n"
               "  Otto Hartmann (I15, 1902–1975)\n"
               "  Karl Friedrich Hartmann (I9, 1875–1944)\n"
               "  Friedrich Hartmann (I4, 1848–1920)\n"
               "  Johann Georg Hartmann (I1, 1822–1889)"
            << 4;
        // Up through the couple and down again: the couple both red.
        QTest::newRow("cousins") << "Hermann"
                                 << "Karl Friedrich"
                                 << "Hermann Hartmann is the first cousin of Karl Friedrich "
                                    "Hartmann\n"
                                 << 6;
        QTest::newRow("by marriage") << "Ernst"
                                     << "Friedrich"
                                     << "Ernst Vogel is the husband of a daughter of Friedrich "
                                        "Hartmann\n"
                                     << 3;
    }
    void relates()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, shown);
        QFETCH(int, redBoxes);
        RelationshipWindow window;
        importChart(window);
        ChartDocument& document = *window.document();
        selectBox(document, first);
        selectBox(document, second);
        window.action(Command::TreeRelationship)->trigger();
        QCOMPARE(window.errors, QStringList());
        const QString text = shownRelationship(window);
        QVERIFY2(text.startsWith(shown), qPrintable(text));
        QCOMPARE(int(window.view()->redLine().boxes.size()), redBoxes);
        QVERIFY(!window.view()->redLine().connectors.empty());
        QVERIFY(!document.isModified());

        // Another box selected: the line is gone, and the next relationship is of the new pair.
        selectBox(document, "Luise");
        QVERIFY(window.view()->redLine().empty());
        window.action(Command::TreeRelationship)->trigger();
        QVERIFY(shownRelationship(window).startsWith(QString::fromUtf8("Johann Georg")) ||
                shownRelationship(window).startsWith(second));
    }

    void saysWhyNot()
    {
        RelationshipWindow window;
        ChartDocument& document = *window.document();
        document.addBox(std::make_unique<Person>("Typed by hand", Cell{0, 0}, Links{}));
        document.addBox(std::make_unique<Person>("Another", Cell{1, 0}, Links{}));
        selectBox(document, "Typed");
        selectBox(document, "Another");
        window.action(Command::TreeRelationship)->trigger();
        QCOMPARE(window.errors.size(), 1);
        QVERIFY(window.errors.back().contains("not linked to a family file"));

        document.setModified(false);
        // After the import only its root's box was selected.
        importChart(window);
        window.action(Command::TreeRelationship)->trigger();
        QCOMPARE(window.errors.size(), 2);
        QVERIFY(window.errors.back().startsWith("Select the box of one person, then"));

        // A box typed into the linked chart stands for no one.
        selectBox(document, "Otto");
        document.addBox(std::make_unique<Person>("Stranger", Cell{40, 0}, Links{}));
        selectBox(document, "Stranger");
        window.action(Command::TreeRelationship)->trigger();
        QCOMPARE(window.errors.size(), 3);
        QVERIFY2(window.errors.back().startsWith("The box \"Stranger\" stands for no person of"),
                 qPrintable(window.errors.back()));
        QVERIFY(window.view()->redLine().empty());
        QVERIFY(shownRelationship(window).isEmpty());
    }

private:
    void importChart(RelationshipWindow& window)
    {
        const QString copy = folder_.filePath("family.ged");
        writeFile(copy, readAll(QStringLiteral(STIRPA_TEST_DATA "/gedcom/hartmann.ged")));
        window.gedcomPath = copy;
        window.action(Command::FileImportGedcom)->trigger();
        window.document()->setModified(false);
    }

    QTemporaryDir home_;
    QTemporaryDir folder_;
};

QTEST_MAIN(RelationshipWindowTest)
#include "relationship_window_test.moc"
