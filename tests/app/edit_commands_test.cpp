// SPDX-License-Identifier: GPL-3.0-or-later
// The edit commands as the user gives them: through the window's actions, its
// shortcuts and real mouse and key events on the chart.
#include "app/editor/main_window.h"
#include "document/chart_document.h"
#include "model/chart_limits.h"
#include "model/tree_settings.h"
#include "test_files.h"
#include "view/chart_view.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Connector lengths (right, down) in a form QCOMPARE prints.
QPoint linksOf(const Person* box) { return {box->links().right, box->links().down}; }

class QuietWindow : public MainWindow {
public:
    QStringList errors;

protected:
    SaveAnswer askSaveChanges() override { return SaveAnswer::Discard; }
    void showError(const QString& title, const QString& message) override
    {
        errors << title + ": " + message;
    }
};

// A shown, active main window on a new chart.
struct Window {
    Window()
    {
        frame.document()->newChart();
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
    }

    ChartView& view() { return *frame.view(); }
    const Tree& tree() { return frame.view()->tree(); }
    const Person* selected() { return frame.document()->selectedBox(); }
    // Adds a box as a loaded chart would have it: painted, in the scroll sizes,
    // the chart unmodified.
    const Person* add(std::unique_ptr<Person> box)
    {
        const Person* added = frame.document()->addBox(std::move(box));
        frame.document()->setModified(false);
        view().updateScrollSizes();
        view().invalidateChart();
        view().viewport()->repaint();
        return added;
    }
    const Person* add(Cell cell, const char* text, Links links = {})
    {
        return add(std::make_unique<Person>(text, cell, links));
    }
    QPoint inside(Cell cell)
    {
        const Point origin = tree().settings().cellOrigin(cell);
        return QPoint(origin.x + 60, origin.y + 25) - view().scrollPosition();
    }
    void click(Cell cell)
    {
        QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::NoModifier, inside(cell));
    }
    void drag(Cell from, Cell to)
    {
        QWidget* port = view().viewport();
        QTest::mousePress(port, Qt::RightButton, Qt::NoModifier, inside(from));
        QTest::mouseMove(port, inside(to));
        QTest::mouseRelease(port, Qt::RightButton, Qt::NoModifier, inside(to));
    }
    void run(Command id) { frame.action(id)->trigger(); }
    bool enabled(Command id) { return frame.action(id)->isEnabled(); }
    QString text(Command id) { return frame.action(id)->text(); }
    std::string textAt(Cell cell)
    {
        const Person* box = tree().findPerson(cell);
        return box ? box->text.c_str() : "<none>";
    }

    QuietWindow frame;
};

} // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void theChartHasTheKeyboardFocusWhenTheWindowOpens()
    {
        Window w;
        QCOMPARE(QApplication::focusWidget(), &w.view());
        QCOMPARE(w.view().focusPolicy(), Qt::StrongFocus);
    }

    void switchingBoxesCanBeUndoneAndRedone()
    {
        Window w;
        w.add({0, 0}, "A");
        w.add({2, 1}, "B");
        QVERIFY(!w.enabled(Command::EditUndo));
        w.drag({0, 0}, {2, 1});
        QCOMPARE(w.textAt({2, 1}), std::string("A"));
        QCOMPARE(w.textAt({0, 0}), std::string("B"));
        QVERIFY(w.frame.document()->isModified());
        QCOMPARE(w.text(Command::EditUndo), QStringLiteral("Undo switch persons"));
        w.run(Command::EditUndo);
        QCOMPARE(w.textAt({0, 0}), std::string("A"));
        QCOMPARE(w.textAt({2, 1}), std::string("B"));
        QCOMPARE(w.text(Command::EditUndo), QStringLiteral("Redo switch persons"));
        QVERIFY(w.enabled(Command::EditUndo));
        // Ctrl+Z redoes it, and the label stays.
        QTest::keyClick(&w.view(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.textAt({2, 1}), std::string("A"));
        QCOMPARE(w.text(Command::EditUndo), QStringLiteral("Redo switch persons"));
    }

    // After an edit the Undo item reads the edit's name alone: no mnemonic and no
    // shortcut after it in the menu, yet both keys still undo.
    void theUndoItemNamesTheEditAlone_data()
    {
        QTest::addColumn<QPoint>("dragTo");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("afterUndo");
        QTest::newRow("move") << QPoint(3, 0) << QKeyCombination(Qt::CTRL, Qt::Key_Z)
                              << "Undo move person"
                              << "Redo move person";
        QTest::newRow("switch") << QPoint(1, 0) << QKeyCombination(Qt::ALT, Qt::Key_Backspace)
                                << "Undo switch persons"
                                << "Redo switch persons";
    }
    void theUndoItemNamesTheEditAlone()
    {
        QFETCH(QPoint, dragTo);
        QFETCH(QKeyCombination, key);
        QFETCH(QString, text);
        QFETCH(QString, afterUndo);
        Window w;
        w.add({0, 0}, "A");
        w.add({1, 0}, "B");
        w.drag({0, 0}, {dragTo.x(), dragTo.y()});
        QAction* undo = w.frame.action(Command::EditUndo);
        QCOMPARE(undo->text(), text);
        QVERIFY(undo->shortcut().isEmpty()); // else the menu prints it after the text
        QTest::keyClick(&w.view(), key.key(), key.keyboardModifiers());
        QCOMPARE(undo->text(), afterUndo);
        QCOMPARE(w.textAt({0, 0}), std::string("A"));
    }

    void copyingAnEmptyTextLeavesPasteDisabled()
    {
        Window w;
        w.add({0, 0}, "A");
        w.add({1, 0}, "");
        QVERIFY(!w.enabled(Command::EditPaste));
        w.click({0, 0});
        w.run(Command::EditCopy);
        QVERIFY(w.enabled(Command::EditPaste));
        w.click({1, 0});
        w.run(Command::EditCopy);
        QVERIFY(!w.enabled(Command::EditPaste));
        QVERIFY(!w.frame.document()->isModified());
    }

    void aCopiedContinuationBoxPastesAsAPlainBox()
    {
        Window w;
        w.add(std::make_unique<ContPerson>("Oakes|chart 1", Cell{0, 0}, Links{20, 20}, 1));
        w.click({0, 0});
        w.run(Command::EditCopy);
        w.click({3, 2});
        QVERIFY(w.enabled(Command::EditPaste));
        w.run(Command::EditPaste);
        const Person* pasted = w.tree().findPerson({3, 2});
        QVERIFY(pasted);
        QCOMPARE(pasted->kind(), BoxKind::Person);
        QCOMPARE(std::string(pasted->text.c_str()), std::string("Oakes|chart 1"));
        QCOMPARE(linksOf(pasted), QPoint(20, 20));
        QCOMPARE(w.selected(), pasted);
        QVERIFY(w.frame.document()->isModified());
        QCOMPARE(w.text(Command::EditUndo), QStringLiteral("Can't undo"));
    }

    // A box copied or cut from a linked chart takes its family file record
    // along, into an empty cell or over a typed box; a typed box pasted over a
    // linked one leaves it the user's.
    void pastingCarriesTheFamilyRecord_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("record"); // of the box at `to` after the paste
        const int copy = int(Command::EditCopy);
        const int cut = int(Command::EditCut);
        QTest::newRow("copy, into an empty cell") << copy << QPoint(0, 0) << QPoint(3, 2) << "I7";
        QTest::newRow("copy, over a typed box") << copy << QPoint(0, 0) << QPoint(1, 0) << "I7";
        QTest::newRow("cut, into an empty cell") << cut << QPoint(0, 0) << QPoint(3, 2) << "I7";
        QTest::newRow("typed box over a linked one") << copy << QPoint(1, 0) << QPoint(2, 1) << "-";
    }
    void pastingCarriesTheFamilyRecord()
    {
        QFETCH(int, command);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QString, record);
        Window w;
        Chart chart;
        Tree& tree = chart.mutableTree();
        const Person* anna =
            tree.append(std::make_unique<Person>("Anna Berg", Cell{0, 0}, Links{}));
        tree.append(std::make_unique<Person>("note", Cell{1, 0}, Links{}));
        const Person* carl =
            tree.append(std::make_unique<Person>("Carl Berg", Cell{2, 1}, Links{}));
        tree.mutableRecords().set(anna, {"I7", textFingerprint("Anna Berg")});
        tree.mutableRecords().set(carl, {"I9", textFingerprint("Carl Berg")});
        w.frame.document()->adoptUntitled(std::move(chart));
        w.click({from.x(), from.y()});
        w.run(Command(command));
        w.click({to.x(), to.y()});
        w.run(Command::EditPaste);
        const Person* pasted = w.tree().findPerson({to.x(), to.y()});
        QVERIFY(pasted);
        const RecordLink* link = w.tree().records().find(pasted);
        QCOMPARE(link ? QString::fromStdString(link->xref) : QStringLiteral("-"), record);
    }

    void cutWithNothingSelectedStillMarksTheChartModified()
    {
        Window w;
        w.add({0, 0}, "A");
        QVERIFY(!w.frame.document()->isModified());
        w.run(Command::EditCut);
        QCOMPARE(w.tree().size(), std::size_t(1));
        QVERIFY(w.frame.document()->isModified());
        QVERIFY(!w.enabled(Command::EditUndo));
    }

    void cutTakesTheBoxAndUndoBringsItBack()
    {
        Window w;
        w.add({1, 1}, "A");
        w.click({1, 1});
        QTest::keyClick(&w.view(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(w.textAt({1, 1}), std::string("<none>"));
        QVERIFY(w.frame.document()->selection().frameShown);
        QVERIFY(w.enabled(Command::EditPaste));
        QCOMPARE(w.text(Command::EditUndo), QStringLiteral("Undo cut"));
        w.run(Command::EditUndo);
        QCOMPARE(w.textAt({1, 1}), std::string("A"));
        QCOMPARE(w.text(Command::EditUndo), QStringLiteral("Can't undo"));
    }

    // A dragged box stays selected while the current cell stays where it was.
    void pasteAndCutActOnTheSelectedBoxAfterItWasDragged()
    {
        Window w;
        const Person* a = w.add({0, 0}, "A");
        const Person* b = w.add({2, 0}, "B");
        w.add({1, 1}, "C");
        w.click({1, 1});
        w.run(Command::EditCopy);
        w.click({0, 0});
        w.drag({0, 0}, {2, 0}); // A and B switch
        QCOMPARE(w.view().currentCell(), (Cell{0, 0}));
        QCOMPARE(w.selected(), a);
        w.run(Command::EditPaste);
        QCOMPARE(w.textAt({2, 0}), std::string("C"));
        QCOMPARE(w.textAt({0, 0}), std::string("B"));
        QCOMPARE(w.selected(), a);
        QCOMPARE(w.view().currentCell(), (Cell{2, 0}));
        w.drag({2, 0}, {3, 1});
        w.run(Command::EditCut);
        // The frame marks the cell the box left; B at the old current cell is untouched.
        QCOMPARE(w.textAt({3, 1}), std::string("<none>"));
        QVERIFY(!w.selected());
        QVERIFY(w.frame.document()->selection().frameShown);
        QCOMPARE(w.view().currentCell(), (Cell{3, 1}));
        QCOMPARE(w.textAt({0, 0}), std::string("B"));
        QCOMPARE(b->cell(), (Cell{0, 0}));
        // Pasting it back puts it where it was.
        w.run(Command::EditPaste);
        QCOMPARE(w.textAt({3, 1}), std::string("C"));
    }

    void pasteIntoTheBoxSelectedByOpeningAChart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("two.txt");
        writeFile(path, "Stirpa 120j50 50j200 d1 1\nP 0j0 5:Alpha 20j20 0\nP 1j0 4:Beta 0j0 0\n");
        Window w;
        QVERIFY(w.frame.openChart(path));
        const Person* beta = w.tree().findPerson({1, 0});
        QCOMPARE(w.selected(), beta);
        QCOMPARE(w.view().currentCell(), noCell);
        w.run(Command::EditCopy);
        w.run(Command::EditPaste);
        QCOMPARE(w.selected(), beta);
        QCOMPARE(w.view().currentCell(), (Cell{1, 0}));
        QCOMPARE(w.text(Command::EditUndo), QStringLiteral("Undo paste person"));
    }

    // A box past the grid's far edge could not be saved: the window refuses to
    // put one there and says why.
    void nothingGoesPastTheFarEdge()
    {
        Window w;
        w.add({chartLimits::maxCell, 0}, "edge");
        w.frame.document()->setModified(false);
        w.view().selectCell({chartLimits::maxCell, 0});
        w.run(Command::TreeInsertColumn);
        QCOMPARE(w.frame.errors,
                 QStringList("Insert column: Cannot insert a column: a box would move past the "
                             "chart's last column, 100000."));
        QCOMPARE(w.textAt({chartLimits::maxCell, 0}), std::string("edge"));
        QVERIFY(!w.frame.document()->isModified());
        w.run(Command::TreeInsertRow);
        QCOMPARE(w.textAt({chartLimits::maxCell, 1}), std::string("edge"));
        QCOMPARE(w.frame.errors.size(), 1);
        w.add({0, chartLimits::maxCell}, "bottom");
        w.frame.errors.clear();
        w.view().selectCell({chartLimits::maxCell, 1});
        w.run(Command::TreeInsertRow);
        QCOMPARE(w.frame.errors.size(), 1);
        QVERIFY(w.frame.errors[0].startsWith("Insert row: "));

        // Neither keys, clicks nor the dialog's arrows select a cell past it.
        w.view().selectCell({chartLimits::maxCell + 1, 1});
        QCOMPARE(w.view().currentCell(), (Cell{chartLimits::maxCell, 1}));
        w.view().stepSelection(Qt::RightArrow);
        QCOMPARE(w.view().currentCell(), (Cell{chartLimits::maxCell, 1}));
        const TreeSettings& s = w.tree().settings();
        const Point edge = s.cellOrigin({chartLimits::maxCell, 0});
        const Point pastTheEdge = s.cellOrigin({chartLimits::maxCell + 1, 0});
        QCOMPARE(s.cellAt({edge.x + 5, edge.y + 5}), (Cell{chartLimits::maxCell, 0}));
        QCOMPARE(s.cellAt({pastTheEdge.x + 5, pastTheEdge.y + 5}), noCell);
    }

    void insertRowMovesBoxesButNotConnectorLengths()
    {
        Window w;
        w.add({0, 1}, "parent", {0, 20});
        w.add({0, 2}, "child", {20, 0});
        w.add({1, 3}, "grandchild");
        w.add({1, 0}, "top");
        QVERIFY(!w.enabled(Command::TreeInsertRow));
        QVERIFY(!w.enabled(Command::TreeInsertColumn));
        w.run(Command::TreeInsertRow); // disabled: nothing
        QCOMPARE(w.textAt({0, 2}), std::string("child"));
        w.click({0, 2});
        QVERIFY(w.enabled(Command::TreeInsertRow));
        w.run(Command::TreeInsertRow);
        QCOMPARE(w.textAt({0, 1}), std::string("parent"));
        QCOMPARE(w.textAt({0, 2}), std::string("<none>"));
        QCOMPARE(w.textAt({0, 3}), std::string("child"));
        QCOMPARE(w.textAt({1, 4}), std::string("grandchild"));
        QCOMPARE(w.textAt({1, 0}), std::string("top"));
        QCOMPARE(linksOf(w.tree().findPerson({0, 1})), QPoint(0, 20));
        QCOMPARE(linksOf(w.tree().findPerson({0, 3})), QPoint(20, 0));
        QVERIFY(w.frame.document()->isModified());
        QCOMPARE(w.view().totalSize().height(), 4 * 70 + 10 + 150);
        // Alt with '+' opens a column at the selected box, here column 0.
        QTest::keyClick(&w.view(), Qt::Key_Plus, Qt::AltModifier);
        QCOMPARE(w.textAt({1, 3}), std::string("child"));
        QCOMPARE(w.textAt({2, 4}), std::string("grandchild"));
        QCOMPARE(w.textAt({1, 1}), std::string("parent"));
        QCOMPARE(w.textAt({2, 0}), std::string("top"));
    }

    void theCopyBufferOutlivesANewChart()
    {
        Window w;
        w.add({0, 0}, "Old chart box", {20, 0});
        w.click({0, 0});
        w.run(Command::EditCopy);
        w.run(Command::FileNew);
        QCOMPARE(w.tree().size(), std::size_t(0));
        QCOMPARE(w.view().currentCell(), noCell);
        QVERIFY(w.enabled(Command::EditPaste));
        // With nothing selected there is nowhere to paste.
        w.run(Command::EditPaste);
        QCOMPARE(w.tree().size(), std::size_t(0));
        w.click({2, 1});
        QTest::keyClick(&w.view(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.textAt({2, 1}), std::string("Old chart box"));
        QCOMPARE(linksOf(w.tree().findPerson({2, 1})), QPoint(20, 0));
    }

    void keysAndShortcutsTogether()
    {
        Window w;
        w.add({0, 0}, "A");
        w.add({1, 1}, "B");
        QTest::keyClick(&w.view(), Qt::Key_Down); // starts at (0, 0)
        QCOMPARE(w.view().currentCell(), (Cell{0, 0}));
        QTest::keyClick(&w.view(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&w.view(), Qt::Key_End);
        QCOMPARE(w.view().currentCell(), (Cell{1, 1}));
        QCOMPARE(w.selected(), w.tree().findPerson({1, 1}));
        QTest::keyClick(&w.view(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(w.textAt({1, 1}), std::string("A"));
        QCOMPARE(w.text(Command::EditUndo), QStringLiteral("Undo paste person"));
        QTest::keyClick(&w.view(), Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(w.textAt({1, 1}), std::string("B"));
    }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"
