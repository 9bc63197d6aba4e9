// SPDX-License-Identifier: GPL-3.0-or-later
// The Find parent command, the dialog's Find and Close in the main window, the
// lineage highlight on screen and in the HTML export.
#include "app/editor/main_window.h"
#include "dialogs/find_parent_dialog.h"
#include "document/chart_document.h"
#include "export/html_export.h"
#include "model/tree_settings.h"
#include "view/chart_view.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>
#include <vector>

Q_DECLARE_METATYPE(Cell)

namespace {

// A box the selection came to and its lineage bits then.
using Mark = std::pair<const Person*, int>;

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A shown main window whose chart has no scroll bars, no animation pause, and
// a count of the chart's changes.
struct ChartFixture {
    ChartFixture()
    {
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        window.resize(1000, 700);
        view.setLineagePause(0);
        QObject::connect(window.document(), &ChartDocument::changed, [this] { ++modifiedCount; });
        // The boxes the selection goes through, as the user sees the walk.
        QObject::connect(window.document(), &ChartDocument::selectionChanged, [this] {
            if (const Person* box = window.document()->selectedBox())
                shown.emplace_back(box, box->lineage);
        });
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("the window was not exposed");
    }

    // Boxes as a loaded chart has them: no change counted, nothing selected.
    const Person* add(Cell cell, Links links = {}, int lineage = 0)
    {
        auto box = std::make_unique<Person>("Name|born", cell, links);
        box->lineage = lineage;
        return added(std::move(box));
    }
    const Person* addContinuation(Cell cell)
    {
        return added(std::make_unique<ContPerson>("more", cell, Links{20, 20}, 3));
    }
    const Person* added(std::unique_ptr<Person> box)
    {
        const Person* kept = window.document()->addBox(std::move(box));
        window.document()->setModified(false);
        modifiedCount = 0;
        return kept;
    }

    FindParentDialog* dialog()
    {
        if (!window.findParentDialog())
            window.showFindParent();
        return window.findParentDialog();
    }

    // What a Find click asks for, carried out at once.
    void find(int searchMode, bool highlight)
    {
        shown.clear();
        view.findParent(searchMode == 1, highlight);
    }
    const Person* selected() const { return window.document()->selectedBox(); }

    std::vector<int> lineages() const
    {
        std::vector<int> bits;
        view.tree().forEachPerson([&](const Person* box) { bits.push_back(box->lineage); });
        return bits;
    }

    // The viewport's colour at the middle of a box's down connector, after a paint.
    QRgb downConnectorPixel(const Person* box)
    {
        view.updateScrollSizes();
        view.invalidateChart();
        view.viewport()->repaint();
        const TreeSettings& s = view.tree().settings();
        const Point origin = s.cellOrigin(box->cell());
        return view.backingImage().pixel(origin.x + s.boxWidth / 2,
                                         origin.y + s.boxHeight + box->downLink() / 2);
    }

    MainWindow window;
    ChartView& view = *window.view();
    int modifiedCount = 0;
    std::vector<Mark> shown;
};

const QRgb red = qRgb(255, 0, 0);

} // namespace

class FindParentTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The window's recovery copies go to a folder of this run's own.
        QVERIFY(state.isValid());
        qputenv("XDG_STATE_HOME", state.path().toUtf8());
    }

    void commandEnabledExactlyWithASelectedBox()
    {
        ChartFixture f;
        f.add({0, 0});
        QAction* command = f.window.action(Command::TreeFindParent);
        QVERIFY(!command->isEnabled());
        f.view.selectCell({1, 0}); // an empty cell
        QVERIFY(!command->isEnabled());
        f.view.selectCell({0, 0});
        QVERIFY(command->isEnabled());
    }

    void commandShowsOneDialogPlacedBesideTheChart()
    {
        ChartFixture f;
        QVERIFY(!f.window.findParentDialog());
        f.window.showFindParent();
        QPointer<FindParentDialog> first = f.window.findParentDialog();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QCOMPARE(first->parentWidget(), &f.window);
        const QSize size = f.view.windowSize();
        QCOMPARE(first->pos(), f.window.frameGeometry().topLeft() + QPoint(size.width() / 2, 50));

        // Moved by the user, hidden by Esc, minimized: the command brings back the same one.
        first->move(first->pos() + QPoint(7, 9));
        const QPoint moved = first->pos();
        QTest::keyClick(first, Qt::Key_Escape);
        QVERIFY(!first->isVisible());
        QCOMPARE(f.window.findParentDialog(), first.data());
        f.window.showFindParent();
        QCOMPARE(f.window.findParentDialog(), first.data());
        QVERIFY(first->isVisible());
        QCOMPARE(first->pos(), moved);
        first->showMinimized();
        f.window.showFindParent();
        QVERIFY(!first->isMinimized());
        first->close();
        f.window.showFindParent();
        QCOMPARE(f.window.findChildren<FindParentDialog*>().size(), 1);
    }

    void noParentToSearchClearsTheOldHighlightOnly_data()
    {
        QTest::addColumn<Cell>("selectedCell");
        QTest::newRow("no selection") << noCell;
        QTest::newRow("empty cell") << Cell{3, 1};
        QTest::newRow("continuation box") << Cell{2, 1};
        QTest::newRow("top level, no parent") << Cell{0, 0};
        QTest::newRow("nothing above") << Cell{1, 1};
    }
    void noParentToSearchClearsTheOldHighlightOnly()
    {
        QFETCH(Cell, selectedCell);
        ChartFixture f;
        // The old highlight comes with the chart.
        const Person* top = f.add({0, 0}, {0, 20}, 2);
        f.add({0, 1});
        f.add({1, 1});
        f.addContinuation({2, 1});
        QCOMPARE(f.downConnectorPixel(top), red);

        if (selectedCell != noCell)
            f.view.selectCell(selectedCell);
        const Person* const selectedBefore = f.selected();
        const Cell currentBefore = f.view.currentCell();
        f.find(1, true);
        QCOMPARE(f.lineages(), std::vector<int>(4, 0));
        QVERIFY(f.shown.empty());
        QCOMPARE(f.selected(), selectedBefore);
        QCOMPARE(f.view.currentCell(), currentBefore);
        QCOMPARE(f.downConnectorPixel(top), qRgb(0, 0, 0x55)); // dark blue again
        QCOMPARE(f.modifiedCount, 1);

        // With nothing highlighted, the same Find changes nothing and edits nothing.
        f.find(1, true);
        QCOMPARE(f.modifiedCount, 1);
    }

    void immediateParentIsSelectedWithItsDownConnectorRed_data()
    {
        QTest::addColumn<int>("levelsBetween");
        QTest::newRow("directly above") << 0;
        QTest::newRow("two empty levels between") << 2;
    }
    void immediateParentIsSelectedWithItsDownConnectorRed()
    {
        QFETCH(int, levelsBetween);
        ChartFixture f;
        const Person* grand = f.add({1, 0}, {0, 20});
        const Person* parent = f.add({1, 1}, {0, 20 + levelsBetween * f.view.tree().settings().pitchY()});
        const Person* child = f.add({1, 2 + levelsBetween});
        f.view.selectCell(child->cell());
        QCOMPARE(f.downConnectorPixel(parent), qRgb(0, 0, 0x55));

        f.find(0, true);
        QCOMPARE(f.selected(), parent);
        QCOMPARE(f.view.currentCell(), parent->cell());
        QCOMPARE(parent->lineage, 2);
        QCOMPARE(child->lineage, 0);
        QCOMPARE(grand->lineage, 0);
        // Shown in the order found: the parent's connector, the child, then the
        // parent is selected.
        QCOMPARE(f.shown, (std::vector<Mark>{{parent, 2}, {child, 0}, {parent, 2}}));
        QCOMPARE(f.downConnectorPixel(parent), red);
        QCOMPARE(f.downConnectorPixel(grand), qRgb(0, 0, 0x55));
        QCOMPARE(f.modifiedCount, 1);

        // The same search again clears and sets the same bits: no change to save.
        f.view.selectCell(child->cell());
        f.find(0, true);
        QCOMPARE(parent->lineage, 2);
        QCOMPARE(f.modifiedCount, 1);
    }

    void ancestorOfABoxWhoseParentHasNoneIsTheParent_data()
    {
        QTest::addColumn<bool>("highlight");
        QTest::newRow("plain") << false;
        QTest::newRow("highlighted") << true;
    }
    void ancestorOfABoxWhoseParentHasNoneIsTheParent()
    {
        QFETCH(bool, highlight);
        ChartFixture f;
        const Person* parent = f.add({0, 0}, {0, 20});
        const Person* child = f.add({0, 1});
        f.view.selectCell(child->cell());
        f.find(0, highlight);
        const std::vector<int> immediate = f.lineages();
        QCOMPARE(f.selected(), parent);

        f.view.selectCell(child->cell());
        f.find(1, highlight);
        QCOMPARE(f.selected(), parent);
        QCOMPARE(f.lineages(), immediate);
        QCOMPARE(f.lineages(), (std::vector<int>{highlight ? 2 : 0, 0}));
    }

    // Ancestor climbs through a rightward pass (the searched box joined to a
    // sibling below the father) and a leftward pass (the mother joined to the
    // father); the last, failed step still marks the box left of the ancestor
    // that connects rightward to it.
    void ancestorHighlightsTheWholeLine()
    {
        ChartFixture f;
        const Person* grandSpouse = f.add({0, 0}, {20, 0});
        const Person* grand = f.add({1, 0}, {0, 20});
        const Person* mother = f.add({1, 1}, {20, 0});
        const Person* father = f.add({2, 1}, {0, 20});
        const Person* child = f.add({1, 2}, {20, 0});
        const Person* sibling = f.add({2, 2});
        f.view.selectCell(child->cell());
        f.find(1, true);
        QCOMPARE(f.selected(), grand);
        QCOMPARE(f.view.currentCell(), grand->cell());
        QCOMPARE(child->lineage, 1);
        QCOMPARE(sibling->lineage, 0);
        QCOMPARE(father->lineage, 2);
        QCOMPARE(mother->lineage, 1);
        QCOMPARE(grand->lineage, 2);
        QCOMPARE(grandSpouse->lineage, 1);

        // Immediate parent of the same box: one step only, and no leftward marks.
        f.view.selectCell(child->cell());
        f.find(0, true);
        QCOMPARE(f.selected(), father);
        QCOMPARE(f.lineages(), (std::vector<int>{0, 0, 0, 2, 1, 0}));
    }

    void boxMarkedTwiceHasBothConnectorsRed()
    {
        ChartFixture f;
        const Person* top = f.add({1, 0}, {0, 20});
        const Person* a = f.add({0, 1}, {20, 20});
        f.add({1, 1});
        const Person* searched = f.add({0, 2});
        f.view.selectCell(searched->cell());
        f.find(1, true);
        QCOMPARE(f.selected(), top);
        QCOMPARE(a->lineage, 3);
        QCOMPARE(f.downConnectorPixel(a), red);
        const TreeSettings& s = f.view.tree().settings();
        const Point origin = s.cellOrigin(a->cell());
        QCOMPARE(
            f.view.backingImage().pixel(origin.x + s.boxWidth + 10, origin.y + s.boxHeight / 2),
            red);
    }

    void findWithoutHighlightAfterAHighlightedOneClears()
    {
        ChartFixture f;
        const Person* parent = f.add({0, 0}, {0, 20});
        const Person* child = f.add({0, 1});
        f.view.selectCell(child->cell());
        f.find(0, true);
        QCOMPARE(f.downConnectorPixel(parent), red);
        f.view.selectCell(child->cell());
        f.find(0, false);
        QCOMPARE(f.selected(), parent);
        QCOMPARE(f.lineages(), (std::vector<int>{0, 0}));
        // No walk is shown: the parent is selected at once.
        QCOMPARE(f.shown, (std::vector<Mark>{{parent, 0}}));
        QCOMPARE(f.downConnectorPixel(parent), qRgb(0, 0, 0x55));
        QCOMPARE(f.modifiedCount, 2);
    }

    void everyStepIsPaintedAndPaused()
    {
        ChartFixture f;
        const Person* top = f.add({0, 0}, {0, 20});
        const Person* middle = f.add({0, 1}, {0, 20});
        const Person* below = f.add({0, 2});
        f.view.selectCell(below->cell());
        f.view.setLineagePause(50);
        PaintCounter counter;
        f.view.viewport()->installEventFilter(&counter);
        QElapsedTimer clock;
        clock.start();
        f.find(1, true);
        const qint64 elapsed = clock.elapsed();
        f.view.viewport()->removeEventFilter(&counter);
        // Four marks: below, middle (2), middle, top (2).
        QVERIFY2(counter.paints >= 4, qPrintable(QString::number(counter.paints)));
        QVERIFY2(elapsed >= 4 * 50, qPrintable(QString::number(elapsed)));
        QCOMPARE(f.selected(), top);
        QCOMPARE(middle->lineage, 2);
        QCOMPARE(top->lineage, 2);
    }

    void findFromTheDialogButtonIsCarriedOutByTheView()
    {
        ChartFixture f;
        const Person* top = f.add({0, 0}, {0, 20});
        const Person* middle = f.add({0, 1}, {0, 20});
        const Person* below = f.add({0, 2});
        f.view.selectCell(below->cell());
        FindParentDialog* dialog = f.dialog();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QTest::mouseClick(dialog->ancestorButton(), Qt::LeftButton);
        QTest::mouseClick(dialog->highlightBox(), Qt::LeftButton);
        QTest::mouseClick(dialog->findButton(), Qt::LeftButton);
        QTRY_COMPARE(f.selected(), top);
        QCOMPARE(middle->lineage, 2);
        QCOMPARE(top->lineage, 2);
        QCOMPARE(f.modifiedCount, 1);
    }

    void closingTheDialogKeepsTheHighlight()
    {
        ChartFixture f;
        const Person* parent = f.add({0, 0}, {0, 20});
        const Person* child = f.add({0, 1});
        f.view.selectCell(child->cell());
        f.find(0, true);
        QPointer<FindParentDialog> dialog = f.dialog();
        QTest::mouseClick(dialog->closeButton(), Qt::LeftButton);
        QTRY_VERIFY(!dialog);
        QVERIFY(!f.window.findParentDialog());
        QCOMPARE(parent->lineage, 2);
        QCOMPARE(f.downConnectorPixel(parent), red);

        // A Find arriving after its dialog is gone does nothing at all.
        f.view.selectCell(child->cell());
        QTest::mouseClick(f.dialog()->highlightBox(), Qt::LeftButton);
        QTest::mouseClick(f.dialog()->findButton(), Qt::LeftButton);
        delete f.dialog();
        QCoreApplication::processEvents();
        QCOMPARE(parent->lineage, 2);
        QCOMPARE(f.selected(), child);

        // The next command makes a new dialog with the initial choices.
        f.window.showFindParent();
        QVERIFY(f.window.findParentDialog());
        QVERIFY(f.window.findParentDialog() != dialog.data());
        QVERIFY(!f.window.findParentDialog()->findsAncestor());
        QVERIFY(!f.window.findParentDialog()->highlightBox()->isChecked());
    }

    void exportWritesTheLineageOnlyWhenSaved_data()
    {
        QTest::addColumn<bool>("saveLineage");
        QTest::newRow("saved") << true;
        QTest::newRow("not saved") << false;
    }
    void exportWritesTheLineageOnlyWhenSaved()
    {
        QFETCH(bool, saveLineage);
        ChartFixture f;
        f.add({0, 0}, {0, 20});
        const Person* child = f.add({0, 1}, {20, 0});
        f.view.selectCell(child->cell());
        f.find(0, true);
        delete f.window.findParentDialog();
        TreeSettings settings = f.view.tree().settings();
        settings.saveLineage = saveLineage;
        f.window.document()->setSettings(settings);
        std::ostringstream out;
        writeHtmlChart(out, f.window.document()->chart(), {"page"});
        const QByteArray html = QByteArray::fromStdString(out.str());
        QCOMPARE(html.count("pinneR.gif"), saveLineage ? 1 : 0);
        QVERIFY(html.contains("pinne.gif"));
    }

private:
    QTemporaryDir state;
};

QTEST_MAIN(FindParentTest)
#include "find_parent_test.moc"
