// SPDX-License-Identifier: GPL-3.0-or-later
// The document announces each edit once, with what changed, and only a real
// change marks the chart modified.
#include "document/chart_document.h"

#include "chartfile/debug_log.h"
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
    Tree& tree = document.tree();
    tree.append(new Person(String("Parent"), {0, 0}, {0, 20}));
    tree.append(new Person(String("Child"), {0, 1}, {}));
    tree.append(new Person(String("Other"), {2, 0}, {}));
    tree.extent();
    tree.selected = tree.findPerson({0, 1});
    document.setModified(false);
}

} // namespace

Q_DECLARE_METATYPE(Edit)

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
        Tree& tree = document.tree();
        RecordingDrawContext dc;
        const auto find = [&] { document.findParent(dc, false, true, [] {}); };
        // What some edits build on happens before the count starts.
        if (edit == Edit::Undo)
            document.moveBox({2, 0}, {3, 0});
        if (edit == Edit::FindParentAgain)
            find();
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
            document.cut(tree.selected);
            break;
        case Edit::CutWithoutSelection:
            document.cut(nullptr);
            break;
        case Edit::Paste:
            QVERIFY(document.paste(*tree.findPerson({2, 0})));
            break;
        case Edit::PasteWithoutTarget:
            tree.selected = nullptr;
            QVERIFY(!document.paste(*tree.findPerson({2, 0})));
            break;
        case Edit::InsertColumn:
            QVERIFY(document.insertLine('x', 1));
            break;
        case Edit::InsertPastTheEdge:
            tree.findPerson({2, 0})->setCell({100000, 0});
            QVERIFY(!document.insertLine('x', 1));
            break;
        case Edit::Undo:
            document.undo();
            break;
        case Edit::AddPerson:
            tree.selected = nullptr;
            QVERIFY(document.definePerson({String("New"), {7, 3}, {20, 0}}));
            break;
        case Edit::UpdatePerson:
            QVERIFY(document.definePerson({String("Renamed"), {0, 1}, {}}));
            break;
        case Edit::ErasePerson:
            QVERIFY(!document.definePerson({String(), {0, 1}, {}}));
            break;
        case Edit::FindParent:
        case Edit::FindParentAgain:
            tree.selected = tree.findPerson({0, 1});
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
        QVERIFY(document.definePerson({String("New"), {7, 3}, {20, 0}}));
        QCOMPARE(readAll(path), QByteArray("Person added   Box New at 7j3, connected 20j0, "
                                           "lineage 0\n"));
        QVERIFY(document.definePerson({String("Renamed"), {7, 3}, {}}));
        QVERIFY(readAll(path).endsWith("Person updated   Box Renamed at 7j3, connected 0j0, "
                                       "lineage 0\n"));
        document.newChart();
        QVERIFY(readAll(path).endsWith("lineage 0\nNew tree set\n"));
        QVERIFY(openDebugLog(dir.filePath("closed.txt").toStdString()));
    }

private:
    std::ostringstream log;
};

QTEST_MAIN(ChartDocumentTest)
#include "chart_document_test.moc"
