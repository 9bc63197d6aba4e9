// SPDX-License-Identifier: GPL-3.0-or-later
// The document announces each edit once, with what changed, and only a real
// change marks the chart modified.
#include "document/chart_document.h"

#include "files/debug_log.h"
#include "recording_draw_context.h"
#include "test_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

namespace {

enum class Edit {
    Move,
    MoveFromEmptyCell,
    MovePastTheExtent,
    Copy,
    Cut,
    CutWithoutSelection,
    Paste,
    PasteWithoutTarget,
    InsertColumn,
    InsertPastTheEdge,
    Undo,
    AddPerson,
    UpdatePerson,
    ErasePerson,
    FindParent,
    FindParentAgain,
    ChangeSettings,
    SameSettings,
};

// Parent at (0, 0) over a child at (0, 1), a third box at (2, 0), measured as
// a view measures a chart it shows; the child is selected, the chart unmodified.
void setUp(ChartDocument& document)
{
    document.addBox(std::make_unique<Person>("Parent", Cell{0, 0}, Links{0, 20}));
    document.addBox(std::make_unique<Person>("Child", Cell{0, 1}, Links{}));
    document.addBox(std::make_unique<Person>("Other", Cell{2, 0}, Links{}));
    document.measureExtent();
    document.selectCell({0, 1});
    document.setModified(false);
}

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Cell)

class ChartDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void init() { redirectDebugLog(&log); }
    void cleanup() { redirectDebugLog(nullptr); }

    void oneChangePerEdit_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<int>("changes"); // 0 or 1
        QTest::addColumn<int>("what");
        QTest::addColumn<bool>("extentGrew");
        const int boxes = ChartChange::Boxes;
        QTest::newRow("move") << Edit::Move << 1 << boxes << false;
        QTest::newRow("move from an empty cell") << Edit::MoveFromEmptyCell << 0 << 0 << false;
        QTest::newRow("move past the extent") << Edit::MovePastTheExtent << 1 << boxes << true;
        QTest::newRow("drag copy") << Edit::Copy << 1 << boxes << false;
        QTest::newRow("cut") << Edit::Cut << 1 << boxes << false;
        // Cut has always counted as a change, box or not.
        QTest::newRow("cut without a selection")
            << Edit::CutWithoutSelection << 1 << boxes << false;
        QTest::newRow("paste") << Edit::Paste << 1 << boxes << false;
        QTest::newRow("paste with nowhere to go") << Edit::PasteWithoutTarget << 0 << 0 << false;
        QTest::newRow("insert column") << Edit::InsertColumn << 1 << boxes << true;
        QTest::newRow("insert past the edge") << Edit::InsertPastTheEdge << 0 << 0 << false;
        QTest::newRow("undo") << Edit::Undo << 1 << boxes << false;
        QTest::newRow("add a person far out") << Edit::AddPerson << 1 << boxes << true;
        QTest::newRow("update a person") << Edit::UpdatePerson << 1 << boxes << false;
        QTest::newRow("erase a person") << Edit::ErasePerson << 1 << boxes << false;
        QTest::newRow("find parent, highlighted")
            << Edit::FindParent << 1 << int(ChartChange::Lineage) << false;
        QTest::newRow("the same find again") << Edit::FindParentAgain << 0 << 0 << false;
        QTest::newRow("new settings")
            << Edit::ChangeSettings << 1 << int(ChartChange::Settings) << false;
        QTest::newRow("the same settings") << Edit::SameSettings << 0 << 0 << false;
    }
    void oneChangePerEdit()
    {
        QFETCH(Edit, edit);
        QFETCH(int, changes);
        QFETCH(int, what);
        QFETCH(bool, extentGrew);
        ChartDocument document;
        setUp(document);
        const Tree& tree = document.tree();
        const auto find = [&] { document.findParent(false, true); };
        // What some edits build on happens before the count starts.
        if (edit == Edit::Undo)
            document.moveBox({2, 0}, {3, 0});
        if (edit == Edit::FindParentAgain)
            find();
        if (edit == Edit::InsertPastTheEdge)
            document.moveBox({2, 0}, {100000, 0});
        // An empty cell selected: no box, the frame shown.
        if (edit == Edit::CutWithoutSelection || edit == Edit::AddPerson)
            document.selectCell({7, 3});
        if (edit == Edit::FindParent || edit == Edit::FindParentAgain)
            document.selectCell({0, 1});
        document.setModified(false);

        QSignalSpy changed(&document, &ChartDocument::changed);
        QSignalSpy modified(&document, &ChartDocument::modifiedChanged);
        switch (edit) {
        case Edit::Move:
            QVERIFY(document.moveBox({2, 0}, {1, 0}));
            break;
        case Edit::MoveFromEmptyCell:
            QVERIFY(!document.moveBox({5, 5}, {1, 0}));
            break;
        case Edit::MovePastTheExtent:
            QVERIFY(document.moveBox({2, 0}, {9, 4}));
            break;
        case Edit::Copy:
            QVERIFY(document.copyBox({2, 0}, {1, 1}));
            break;
        case Edit::Cut:
        case Edit::CutWithoutSelection:
            document.cut();
            break;
        case Edit::Paste:
            QVERIFY(document.paste(*tree.findPerson({2, 0})));
            break;
        case Edit::PasteWithoutTarget: {
            // A new document has nothing selected and no frame shown.
            ChartDocument fresh;
            fresh.addBox(std::make_unique<Person>("Other", Cell{2, 0}, Links{}));
            fresh.setModified(false);
            QSignalSpy freshChanged(&fresh, &ChartDocument::changed);
            QVERIFY(!fresh.paste(*fresh.tree().findPerson({2, 0})));
            QCOMPARE(freshChanged.count(), 0);
            QVERIFY(!fresh.isModified());
            break;
        }
        case Edit::InsertColumn:
            QVERIFY(document.insertLine('x', 1));
            break;
        case Edit::InsertPastTheEdge:
            QVERIFY(!document.insertLine('x', 1));
            break;
        case Edit::Undo:
            document.undo();
            break;
        case Edit::AddPerson:
            QVERIFY(document.definePerson({"New", {7, 3}, {20, 0}}));
            break;
        case Edit::UpdatePerson:
            QVERIFY(document.definePerson({"Renamed", {0, 1}, {}}));
            break;
        case Edit::ErasePerson:
            QVERIFY(!document.definePerson({"", {0, 1}, {}}));
            break;
        case Edit::FindParent:
        case Edit::FindParentAgain:
            find();
            break;
        case Edit::ChangeSettings: {
            TreeSettings settings = document.chart().settings();
            settings.boxWidth = 200;
            QVERIFY(document.setSettings(settings));
            break;
        }
        case Edit::SameSettings:
            QVERIFY(!document.setSettings(document.chart().settings()));
            break;
        }
        QCOMPARE(changed.count(), changes);
        QCOMPARE(document.isModified(), changes == 1);
        QCOMPARE(modified.count(), changes);
        if (changes == 1) {
            const auto change = changed.first().first().value<ChartChange>();
            QCOMPARE(int(change.what), what);
            QCOMPARE(change.extentGrew, extentGrew);
        }
    }

    // The document owns the selection: each step leaves the box selected (or
    // the empty cell framed) and the current cell as a user sees them, and
    // says so once; the current cell is announced only when it is chosen.
    // Parent (0, 0) over Child (0, 1), Other at (2, 0); Child selected first.
    void selectionFollowsEachStep_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<Cell>("boxAt"); // noCell: no box selected
        QTest::addColumn<bool>("framed");
        QTest::addColumn<Cell>("current");
        QTest::addColumn<int>("selectionSignals");
        QTest::addColumn<int>("currentSignals");
        QTest::newRow("a box") << "select 2 0" << Cell{2, 0} << false << Cell{2, 0} << 1 << 1;
        QTest::newRow("an empty cell") << "select 3 4" << noCell << true << Cell{3, 4} << 1 << 1;
        QTest::newRow("the last column")
            << "select 100000 0" << noCell << true << Cell{100000, 0} << 1 << 1;
        QTest::newRow("past the last column is refused")
            << "select 100001 0" << Cell{0, 1} << false << Cell{0, 1} << 0 << 0;
        QTest::newRow("the same cell again")
            << "select 0 1" << Cell{0, 1} << false << Cell{0, 1} << 0 << 1;
        QTest::newRow("cut frames the cell left")
            << "cut" << noCell << true << Cell{0, 1} << 1 << 0;
        QTest::newRow("cut a box dragged away frames where it went")
            << "move 0 1 4 2;cut" << noCell << true << Cell{4, 2} << 1 << 0;
        QTest::newRow("paste into a framed cell selects the new box")
            << "select 5 3;paste" << Cell{5, 3} << false << Cell{5, 3} << 1 << 1;
        QTest::newRow("a defined box takes over from the frame")
            << "select 6 2;define New" << Cell{6, 2} << false << Cell{6, 2} << 1 << 0;
        QTest::newRow("an erased box leaves nothing selected")
            << "define " << noCell << false << Cell{0, 1} << 1 << 0;
        // The drawn lineage takes the selection along its steps: the parent's down
        // connector, then the child's box.
        QTest::newRow("the lineage walk ends where it started")
            << "find" << Cell{0, 1} << false << Cell{0, 1} << 2 << 0;
        QTest::newRow("a new chart selects nothing")
            << "new" << noCell << false << noCell << 1 << 1;
    }
    void selectionFollowsEachStep()
    {
        QFETCH(QString, step);
        QFETCH(Cell, boxAt);
        QFETCH(bool, framed);
        QFETCH(Cell, current);
        QFETCH(int, selectionSignals);
        QFETCH(int, currentSignals);
        ChartDocument document;
        setUp(document);
        const Person parked("Copied", {9, 9}, {});
        const QStringList steps = step.split(QLatin1Char(';'));
        for (qsizetype i = 0; i < steps.size(); ++i) {
            // Only the last step is counted.
            std::unique_ptr<QSignalSpy> selection, currentCell;
            if (i == steps.size() - 1) {
                selection =
                    std::make_unique<QSignalSpy>(&document, &ChartDocument::selectionChanged);
                currentCell =
                    std::make_unique<QSignalSpy>(&document, &ChartDocument::currentCellChanged);
            }
            const QStringList word = steps[i].split(QLatin1Char(' '));
            const auto number = [&](int k) { return word.value(k).toInt(); };
            if (word[0] == "select")
                document.selectCell({number(1), number(2)});
            else if (word[0] == "cut")
                document.cut();
            else if (word[0] == "move")
                QVERIFY(document.moveBox({number(1), number(2)}, {number(3), number(4)}));
            else if (word[0] == "paste")
                QVERIFY(document.paste(parked));
            else if (word[0] == "define")
                document.definePerson({word[1].toStdString(), document.currentCell(), {}});
            else if (word[0] == "find")
                QVERIFY(document.findParent(false, true));
            else if (word[0] == "new")
                document.newChart();
            if (selection) {
                QCOMPARE(selection->count(), selectionSignals);
                QCOMPARE(currentCell->count(), currentSignals);
            }
        }
        const Selection& now = document.selection();
        QCOMPARE(now.box ? now.box->cell() : noCell, boxAt);
        QCOMPARE(now.frameShown, framed);
        QCOMPARE(now.current, current);
        if (now.box)
            QCOMPARE(document.tree().findPerson(now.box->cell()), now.box);
    }

    void anOpenedChartHasItsLastBoxSelectedAndAnImportItsRoot()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("two.txt");
        writeFile(path, "P 0j0 1:A 0j0 0\nP 3j2 1:B 0j0 0\n");
        ChartDocument document;
        QSignalSpy selection(&document, &ChartDocument::selectionChanged);
        QVERIFY(document.open(path));
        QCOMPARE(document.selectedBox(), document.tree().findPerson({3, 2}));
        QCOMPARE(document.currentCell(), noCell);
        QCOMPARE(selection.count(), 1);

        Chart imported;
        imported.mutableTree().append(std::make_unique<Person>("Root", Cell{1, 4}, Links{}));
        imported.mutableTree().append(std::make_unique<Person>("Kin", Cell{2, 4}, Links{}));
        document.adoptUntitled(std::move(imported), {1, 4});
        QCOMPARE(document.selectedBox(), document.tree().findPerson({1, 4}));
        QCOMPARE(document.currentCell(), (Cell{1, 4}));
    }

    // Opening reads the chart in place of the old one and announces it; a file
    // that fails leaves everything as it was.
    void openReplacesTheChartOrNothing()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath("good.txt");
        writeFile(good, "Stirpa 90j40 50j200 d1 1\nP 0j0 5:Alpha 0j0 0\n");
        ChartDocument document;
        setUp(document);
        document.setModified(true);
        QSignalSpy replaced(&document, &ChartDocument::chartReplaced);

        QVERIFY(!document.open(dir.filePath("missing.txt")));
        QCOMPARE(replaced.count(), 0);
        QCOMPARE(document.tree().size(), std::size_t(3));
        QVERIFY(document.isModified());

        QVERIFY(document.open(good));
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(document.tree().size(), std::size_t(1));
        QCOMPARE(document.chart().settings().boxWidth, 90);
        QCOMPARE(document.path(), good);
        QCOMPARE(document.title(), QStringLiteral("good.txt"));
        QVERIFY(!document.isModified());

        // A new chart keeps the settings in force.
        document.newChart();
        QCOMPARE(replaced.count(), 2);
        QCOMPARE(document.tree().size(), std::size_t(0));
        QCOMPARE(document.chart().settings().boxWidth, 90);
        QCOMPARE(document.title(), QStringLiteral("Untitled"));
    }

    // Each logged edit is in the log file as soon as it is done, not only when
    // the buffer fills or the program ends.
    void loggedEditsReachTheFileAtOnce()
    {
        redirectDebugLog(nullptr);
        QTemporaryDir dir;
        const QString path = dir.filePath("stirpalog.txt");
        QVERIFY(openDebugLog(path.toStdString()));
        ChartDocument document;
        QVERIFY(document.definePerson({"New", {7, 3}, {20, 0}}));
        QCOMPARE(readAll(path), QByteArray("Person added   Box New at 7j3, connected 20j0, "
                                           "lineage 0\n"));
        QVERIFY(document.definePerson({"Renamed", {7, 3}, {}}));
        QVERIFY(readAll(path).endsWith("Person updated   Box Renamed at 7j3, connected 0j0, "
                                       "lineage 0\n"));
        document.newChart();
        QVERIFY(readAll(path).endsWith("lineage 0\nNew tree set\n"));
        QVERIFY(openDebugLog(dir.filePath("closed.txt").toStdString()));
    }

    // A new colour of its own through Define person is undone with the box's
    // text; an update that keeps the colour cannot be undone, as before.
    void recolourIsUndone()
    {
        ChartDocument document;
        const Colour blue = boxColours::palette[0], pink = boxColours::palette[4];
        const Person* box = document.definePerson({"Ann", {0, 0}, {}, false, 4, blue});
        QVERIFY(box);
        QCOMPARE(box->ownColour, blue);
        QVERIFY(document.definePerson({"Ann Quill", {0, 0}, {}, false, 4, pink}));
        QCOMPARE(box->ownColour, pink);
        document.undo();
        QCOMPARE(box->ownColour, blue);
        QCOMPARE(box->text, std::string("Ann"));
        QVERIFY(document.definePerson({"Ann Q", {0, 0}, {}, false, 4, blue}));
        document.undo();
        QCOMPARE(box->text, std::string("Ann Q"));
    }

private:
    std::ostringstream log;
};

QTEST_MAIN(ChartDocumentTest)
#include "chart_document_test.moc"
