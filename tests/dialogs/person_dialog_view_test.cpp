// SPDX-License-Identifier: GPL-3.0-or-later
// The define-person dialog in the main window: the Define person command, and
// how the view adds, updates, erases and steps through cells for the dialog.
#include "app/editor/main_window.h"
#include "files/debug_log.h"
#include "dialogs/arrow_button.h"
#include "dialogs/person_dialog.h"
#include "document/chart_document.h"
#include "model/tree_settings.h"
#include "type_text.h"
#include "view/chart_view.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sstream>
#include <vector>

namespace {

// A box the chart starts with; a side of 0 to 4 makes it a continuation box.
struct Box {
    Cell cell;
    const char* text;
    Links links = {};
    int side = -1;
};

struct Editor {
    explicit Editor(const std::vector<Box>& boxes = {})
    {
        if (!boxes.empty()) {
            Chart chart(document.chart().settings());
            for (const Box& box : boxes)
                chart.mutableTree().append(
                    box.side < 0
                        ? std::make_unique<Person>(box.text, box.cell, box.links)
                        : std::make_unique<ContPerson>(box.text, box.cell, box.links, box.side));
            document.adoptUntitled(std::move(chart));
        }
        window.resize(700, 500);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    PersonDialog& open()
    {
        window.action(Command::TreeDefinePerson)->trigger();
        return *window.personDialog();
    }

    // Types a description over the old one and presses Enter, then lets the
    // queued request arrive.
    void enter(const QString& text)
    {
        QPlainTextEdit* edit = window.personDialog()->descriptionEdit();
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            typeText(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    void click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    const Person* selected() const { return document.selectedBox(); }

    MainWindow window;
    ChartView& view = *window.view();
    ChartDocument& document = *window.document();
};

std::string textAt(const Tree& tree, Cell cell)
{
    const Person* box = tree.findPerson(cell);
    return box ? box->text : std::string("(none)");
}

} // namespace

class PersonDialogViewTest : public QObject {
    Q_OBJECT

    std::ostringstream log;
    QTemporaryDir state;

private slots:
    void initTestCase()
    {
        // The window's recovery copies go to a folder of this run's own.
        QVERIFY(state.isValid());
        qputenv("XDG_STATE_HOME", state.path().toUtf8());
    }
    void init()
    {
        log.str(std::string());
        redirectDebugLog(&log);
    }
    void cleanup() { redirectDebugLog(nullptr); }

    void defineOpensOnTheCurrentCell()
    {
        Editor e;
        QVERIFY(e.window.action(Command::TreeDefinePerson)->isEnabled());
        // No cell chosen yet: the top-left cell.
        PersonDialog& d = e.open();
        QVERIFY(d.isVisible());
        QCOMPARE(d.windowTitle(), QStringLiteral("Define person"));
        QCOMPARE(d.parentWidget(), &e.window);
        QCOMPARE(d.entry().cell, (Cell{0, 0}));
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Add"));
        const QSize size = e.view.windowSize();
        QCOMPARE(d.pos(), e.view.window()->frameGeometry().topLeft() +
                              QPoint(size.width() / 2, size.height() / 2));
        // A dialog counts as active with its parent; wait for its own turn.
        QTRY_VERIFY(d.isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), d.descriptionEdit());
    }

    void defineShowsTheSelectedBox()
    {
        Editor e({Box{{2, 1}, "Ann |Born 1900", {20, 0}}});
        e.view.selectCell({2, 1});
        PersonDialog& d = e.open();
        QCOMPARE(d.descriptionEdit()->toPlainText(), QStringLiteral("Ann\nBorn 1900"));
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Update"));
        QCOMPARE(d.entry().cell, (Cell{2, 1}));
        QVERIFY(d.connectorBox(1)->isChecked());
        QVERIFY(!d.connectorBox(2)->isChecked());
        QCOMPARE(d.descriptionEdit()->textCursor().selectedText().size(), 13);
    }

    // The view tells the open dialog of every cell it selects.
    void selectCellRefreshesTheDialog()
    {
        Editor e({Box{{1, 0}, "Ann"}});
        PersonDialog& d = e.open();
        e.view.selectCell({1, 0});
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Update"));
        QCOMPARE(d.descriptionEdit()->toPlainText(), QStringLiteral("Ann"));
        e.view.selectCell({3, 2});
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Add"));
        QCOMPARE(d.columnEdit()->text(), QStringLiteral("3"));
        QCOMPARE(d.levelEdit()->text(), QStringLiteral("2"));
        // A hidden dialog follows too.
        d.hide();
        e.view.selectCell({1, 0});
        QCOMPARE(d.columnEdit()->text(), QStringLiteral("1"));
    }

    void emptyAddOnAnEmptyCellChangesNothing()
    {
        Editor e;
        QSignalSpy modified(e.view.document(), &ChartDocument::changed);
        PersonDialog& d = e.open();
        e.enter(QString());
        QCOMPARE(e.view.tree().size(), std::size_t(0));
        QCOMPARE(modified.count(), 0);
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Update"));
        QVERIFY(log.str().empty());
    }

    // The defaults of column 0 give both connectors of one gap; the next cell
    // to fill is the one to the right.
    void plainBoxInTheFirstColumn()
    {
        Editor e;
        QSignalSpy modified(e.view.document(), &ChartDocument::changed);
        PersonDialog& d = e.open();
        e.enter(QStringLiteral("Anna"));
        QCOMPARE(e.view.tree().size(), std::size_t(1));
        const Person* box = e.view.tree().findPerson({0, 0});
        QVERIFY(box);
        QCOMPARE(box->kind(), BoxKind::Person);
        QCOMPARE(box->text, std::string("Anna"));
        QCOMPARE(box->rightLink(), 20);
        QCOMPARE(box->downLink(), 20);
        QVERIFY(modified.count() >= 1);
        QCOMPARE(e.view.currentCell(), (Cell{1, 0}));
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Add"));
        QCOMPARE(d.entry().cell, (Cell{1, 0}));
        QVERIFY(!e.view.tree().undoRecord().canUndo());
        QCOMPARE(log.str(),
                 std::string("Person added   Box Anna at 0j0, connected 20j20, lineage 0\n"));
    }

    void advanceToTheNextCell_data()
    {
        QTest::addColumn<QList<QPoint>>("occupied");
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<QPoint>("next");
        QTest::newRow("right is free") << QList<QPoint>{} << QPoint(0, 0) << QPoint(1, 0);
        QTest::newRow("right occupied, down free")
            << QList<QPoint>{{1, 0}} << QPoint(0, 0) << QPoint(0, 1);
        QTest::newRow("both occupied")
            << QList<QPoint>{{1, 0}, {0, 1}} << QPoint(0, 0) << QPoint(0, 0);
        // Column 1 has no down connector by default.
        QTest::newRow("right occupied, no down")
            << QList<QPoint>{{2, 0}} << QPoint(1, 0) << QPoint(1, 0);
        // A stretched connector is longer than the gap: no advance along it.
        QTest::newRow("stretched right")
            << QList<QPoint>{{3, 1}, {1, 0}, {3, 0}} << QPoint(1, 1) << QPoint(1, 1);
    }
    void advanceToTheNextCell()
    {
        QFETCH(QList<QPoint>, occupied);
        QFETCH(QPoint, cell);
        QFETCH(QPoint, next);
        std::vector<Box> boxes;
        for (QPoint p : occupied)
            boxes.push_back({{p.x(), p.y()}, "Other"});
        Editor e(boxes);
        e.view.selectCell({cell.x(), cell.y()});
        PersonDialog& d = e.open();
        e.enter(QStringLiteral("New"));
        QCOMPARE(textAt(e.view.tree(), {cell.x(), cell.y()}), std::string("New"));
        QCOMPARE(e.view.currentCell(), (Cell{next.x(), next.y()}));
        QCOMPARE(d.entry().cell, (Cell{next.x(), next.y()}));
        QCOMPARE(e.selected(), e.view.tree().findPerson({next.x(), next.y()}));
    }

    void continuationBoxesStay()
    {
        Editor e;
        e.view.selectCell({2, 3});
        PersonDialog& d = e.open();
        e.click(d.continuationBox());
        e.click(d.connectorBox(3));
        e.enter(QStringLiteral("See chart 7"));
        const Person* box = e.view.tree().findPerson({2, 3});
        QVERIFY(box);
        QCOMPARE(box->kind(), BoxKind::Continuation);
        QCOMPARE(box->direction(), 3);
        QCOMPARE(box->rightLink(), 20);
        QCOMPARE(box->downLink(), 20);
        QCOMPARE(e.view.currentCell(), (Cell{2, 3}));
        QCOMPARE(e.selected(), box);
        QVERIFY(!e.document.selection().frameShown);
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Update"));
        QCOMPARE(log.str(), std::string("Person added   Continuation box, dir 3: See chart 7 at "
                                        "2j3, connected 20j20, lineage 0\n"));
    }

    void updateKeepsTheCellAndTakesTheControls()
    {
        Editor e({Box{{0, 0}, "Old", {20, 20}}, Box{{1, 1}, "Below right"}});
        e.view.selectCell({0, 0});
        PersonDialog& d = e.open();
        e.click(d.connectorBox(1));
        e.enter(QStringLiteral("New"));
        const Person* box = e.view.tree().findPerson({0, 0});
        QCOMPARE(box->text, std::string("New"));
        QCOMPARE(box->rightLink(), 0);
        QCOMPARE(box->downLink(), 20);
        QCOMPARE(e.view.tree().size(), std::size_t(2));
        QCOMPARE(e.view.currentCell(), (Cell{0, 1}));
        QCOMPARE(log.str(),
                 std::string("Person updated   Box New at 0j0, connected 0j20, lineage 0\n"));
    }

    void updateOfAContinuationBoxChangesItsSideOnly()
    {
        Editor e({Box{{1, 1}, "See 2", {20, 20}, 0}});
        const Person* box = e.view.tree().findPerson({1, 1});
        e.view.selectCell({1, 1});
        PersonDialog& d = e.open();
        e.click(d.connectorBox(1));
        e.enter(QStringLiteral("See 3"));
        QCOMPARE(box->text, std::string("See 3"));
        QCOMPARE(box->direction(), 1);
        QCOMPARE(box->rightLink(), 20);
        QCOMPARE(e.view.currentCell(), (Cell{1, 1}));
    }

    void emptyUpdateErasesUndoably()
    {
        Editor e({Box{{1, 0}, "Doomed", {20, 0}}});
        const Person* box = e.view.tree().findPerson({1, 0});
        e.view.selectCell({1, 0});
        PersonDialog& d = e.open();
        QSignalSpy modified(e.view.document(), &ChartDocument::changed);
        e.enter(QString());
        QVERIFY(!e.view.tree().findPerson({1, 0}));
        QVERIFY(!e.selected());
        QCOMPARE(modified.count(), 1);
        QCOMPARE(std::string(e.view.tree().undoRecord().labelText()),
                 std::string("Undo erase person"));
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Add"));
        QCOMPARE(d.entry().cell, (Cell{1, 0}));
        e.view.undo();
        QCOMPARE(e.view.tree().findPerson({1, 0}), box);
        QCOMPARE(box->text, std::string("Doomed"));
    }

    // A box that came to the shown empty cell behind the dialog's back gets the
    // text; no second box hides under it.
    void addOntoABoxThatArrivedMeanwhile()
    {
        Editor e({Box{{3, 0}, "Mover"}});
        e.view.selectCell({1, 0});
        PersonDialog& d = e.open();
        QVERIFY(e.view.document()->moveBox({3, 0}, {1, 0}));
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Add"));
        e.enter(QStringLiteral("Typed"));
        QCOMPARE(e.view.tree().size(), std::size_t(1));
        QCOMPARE(textAt(e.view.tree(), {1, 0}), std::string("Typed"));
    }

    void twoLinesRoundTrip()
    {
        Editor e;
        PersonDialog& d = e.open();
        QPlainTextEdit* edit = d.descriptionEdit();
        typeText(edit, QStringLiteral("Name"));
        QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
        typeText(edit, QStringLiteral("Born 1900"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(textAt(e.view.tree(), {0, 0}), std::string("Name |Born 1900"));
        e.view.selectCell({0, 0});
        QCOMPARE(edit->toPlainText(), QStringLiteral("Name\nBorn 1900"));
        QCOMPARE(edit->document()->blockCount(), 2);
    }

    // Letters outside ASCII are stored as UTF-8 and come back unchanged.
    void typedLettersKeepTheirBytes()
    {
        Editor e;
        PersonDialog& d = e.open();
        const QString name = QStringLiteral("Zoë Łukasz Straße 张伟");
        e.enter(name);
        QCOMPARE(QString::fromStdString(textAt(e.view.tree(), {0, 0})), name);
        e.view.selectCell({0, 0});
        QCOMPARE(d.descriptionEdit()->toPlainText(), name);
    }

    void newLevelGoesBelowTheLowestPlainBox()
    {
        Editor e({Box{{2, 0}, "Top"}, Box{{1, 2}, "Lowest"}, Box{{3, 5}, "See 4", {20, 20}, 0}});
        e.view.selectCell({2, 0});
        PersonDialog& d = e.open();
        e.click(d.newLevelButton());
        QCOMPARE(e.view.currentCell(), (Cell{0, 3}));
        QCOMPARE(d.entry().cell, (Cell{0, 3}));
        QTRY_COMPARE(QApplication::focusWidget(), d.descriptionEdit());
    }

    void newLevelWithoutPlainBoxesDoesNothing()
    {
        Editor e({Box{{1, 1}, "See 4", {20, 20}, 0}});
        e.view.selectCell({1, 1});
        PersonDialog& d = e.open();
        e.click(d.newLevelButton());
        QCOMPARE(e.view.currentCell(), (Cell{1, 1}));
    }

    void arrowButtons_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("side");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("left edge") << QPoint(0, 1) << 3 << QPoint(0, 1);
        QTest::newRow("top edge") << QPoint(1, 0) << 0 << QPoint(1, 0);
        QTest::newRow("last column") << QPoint(2, 1) << 1 << QPoint(2, 1);
        QTest::newRow("last level") << QPoint(1, 2) << 2 << QPoint(1, 2);
        QTest::newRow("left") << QPoint(1, 1) << 3 << QPoint(0, 1);
        QTest::newRow("up") << QPoint(1, 1) << 0 << QPoint(1, 0);
        QTest::newRow("right") << QPoint(1, 1) << 1 << QPoint(2, 1);
        QTest::newRow("down") << QPoint(1, 1) << 2 << QPoint(1, 2);
    }
    void arrowButtons()
    {
        QFETCH(QPoint, start);
        QFETCH(int, side);
        QFETCH(QPoint, end);
        Editor e({Box{{2, 2}, "Corner"}});
        e.view.selectCell({start.x(), start.y()});
        PersonDialog& d = e.open();
        e.click(d.arrowButton(side));
        QCOMPARE(e.view.currentCell(), (Cell{end.x(), end.y()}));
        QCOMPARE(d.entry().cell, (Cell{end.x(), end.y()}));
        QTRY_VERIFY(d.isActiveWindow());
    }

    // Esc or the close box only hide the dialog; the next Define person shows
    // the same one. Close destroys it, and the next command makes a new one.
    void oneDialogOnly()
    {
        Editor e;
        PersonDialog* first = &e.open();
        QTest::keyClick(first->descriptionEdit(), Qt::Key_Escape);
        QVERIFY(!first->isVisible());
        QCOMPARE(&e.open(), first);
        QVERIFY(first->isVisible());
        first->close();
        QVERIFY(!first->isVisible());
        QCOMPARE(&e.open(), first);
        QCOMPARE(e.window.findChildren<PersonDialog*>().size(), 1);

        QPointer<PersonDialog> alive(first);
        e.click(first->closeButton());
        QVERIFY(!alive);
        QVERIFY(!e.window.personDialog());
        PersonDialog* second = &e.open();
        QVERIFY(second->isVisible());
        QCOMPARE(e.window.findChildren<PersonDialog*>().size(), 1);
    }

    // The dialog's requests are queued: they are carried out after its own
    // handler. Once the dialog is gone there is nothing to apply, while a step
    // still moves the current cell.
    void requestsOfAClosedDialog()
    {
        Editor e;
        e.view.selectCell({1, 1});
        PersonDialog& d = e.open();
        typeText(d.descriptionEdit(), QStringLiteral("Never added"));
        QTest::mouseClick(d.applyButton(), Qt::LeftButton);
        QTest::mouseClick(d.arrowButton(3), Qt::LeftButton);
        QCOMPARE(e.view.tree().size(), std::size_t(0));
        QCOMPARE(e.view.currentCell(), (Cell{1, 1}));
        delete &d;
        QCoreApplication::processEvents();
        QCOMPARE(e.view.tree().size(), std::size_t(0));
        QCOMPARE(e.view.currentCell(), (Cell{0, 1}));
    }
};

QTEST_MAIN(PersonDialogViewTest)
#include "person_dialog_view_test.moc"
