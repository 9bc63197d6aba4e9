// SPDX-License-Identifier: GPL-3.0-or-later
// Random edit and undo sequences on small charts, checking after every step that
// the list, the cell index, the selection, the undo record and the lineage path
// still agree.
#include "box_draw_log.h"
#include "edit_fixtures.h"
#include "model/chart.h"
#include "model/tree.h"

#include <QtTest>
#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace {

class EditFuzzer {
public:
    explicit EditFuzzer(unsigned seed) : random_(seed) {}

    // Runs one chart through `steps` random operations; false with `failure` set
    // when an invariant broke.
    bool run(int steps)
    {
        Chart chart;
        Tree& tree = chart.tree();
        const int boxes = pick(0, 12);
        const int columns = pick(1, 6), levels = pick(1, 5);
        for (int i = 0; i < boxes; ++i) {
            const Cell cell{pick(0, columns - 1), pick(0, levels - 1)};
            Person* box =
                pick(0, 4) == 0
                    ? static_cast<Person*>(new ContPerson("c", cell, randomLinks(), pick(0, 4)))
                    : new CountedPerson("p", cell);
            if (box->kind() == 'P')
                box->setLinkLengths(randomLinks());
            box->lineage = pick(0, 3);
            tree.append(box);
        }
        for (int step = 0; step < steps; ++step) {
            const int operation = pick(0, 11);
            apply(tree, operation);
            if (!check(tree)) {
                failure = QStringLiteral("after step %1 (operation %2): %3")
                              .arg(step)
                              .arg(operation)
                              .arg(failure);
                return false;
            }
        }
        return true;
    }

    QString failure;

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    Links randomLinks() { return {pick(0, 1) * pick(20, 300), pick(0, 1) * pick(20, 200)}; }

    Cell randomCell(Tree& tree)
    {
        if (pick(0, 15) == 0)
            return noCell;
        const Cell range = tree.extentCells();
        return {pick(0, range.column + 1), pick(0, range.level + 1)};
    }

    Person* randomBox(Tree& tree)
    {
        if (tree.size() == 0 || pick(0, 10) == 0)
            return nullptr;
        const int index = pick(0, int(tree.size()) - 1);
        auto at = tree.persons.cbegin();
        std::advance(at, index);
        return static_cast<Person*>(*at);
    }

    void apply(Tree& tree, int operation)
    {
        switch (operation) {
        case 0:
            tree.move(randomCell(tree), randomCell(tree));
            break;
        case 1:
            tree.dragCopy(randomCell(tree), randomCell(tree));
            break;
        case 2: {
            StorePerson buffer;
            buffer.text = "buffer";
            buffer.setLinkLengths(randomLinks());
            buffer.lineage = pick(0, 3);
            tree.paste(buffer);
            break;
        }
        case 3: {
            Person* box = pick(0, 2) == 0 ? tree.selected : randomBox(tree);
            const std::size_t before = tree.size();
            const bool present = box && contains(tree, box);
            tree.erase(box, pick(0, 1) ? UndoRecord::Cut : UndoRecord::ErasePerson);
            if (tree.size() != before - (present ? 1 : 0))
                failure = QStringLiteral("erase changed the count wrongly");
            break;
        }
        case 4:
        case 5: {
            const bool restores = tree.undoRecord.holdsRemovedBox();
            Person* held = tree.undoRecord.subject;
            tree.undoRecord.undo();
            if (restores && static_cast<Person*>(tree.persons.last()) != held)
                failure = QStringLiteral("undo did not put the removed box last");
            break;
        }
        case 6:
            if (tree.extentCells().column < 12 && tree.extentCells().level < 12) {
                tree.insertLine(pick(0, 1) ? 'x' : 'y', pick(0, 4));
                tree.resetExtent();
            }
            break;
        case 7:
            tree.fitConnectors(randomBox(tree));
            break;
        case 8: {
            Person* found = tree.findParent(pick(0, 1) ? tree.selected : randomBox(tree));
            for (int climb = pick(0, 2); found && climb > 0; --climb)
                found = tree.findParent(found);
            break;
        }
        case 9:
            tree.select(dc_, randomCell(tree));
            break;
        case 10:
            if (pick(0, 1))
                tree.showLineage(dc_, [] {});
            else
                tree.clearLineage(dc_);
            break;
        default:
            tree.resetExtent();
            break;
        }
    }

    static bool contains(const Tree& tree, const Person* box)
    {
        return std::find(tree.persons.begin(), tree.persons.end(), box) != tree.persons.end();
    }

    bool check(const Tree& tree)
    {
        if (!failure.isEmpty())
            return false;
        std::set<const Person*> present;
        int minColumn = 0, minLevel = 0, maxColumn = 0, maxLevel = 0;
        tree.forEachPerson([&](const Person* box) {
            if (!present.insert(box).second)
                failure = QStringLiteral("a box is in the list twice");
            if (box->kind() != 'P' && box->kind() != 'p')
                failure = QStringLiteral("a foreign element in the list");
            minColumn = std::min(minColumn, box->column());
            minLevel = std::min(minLevel, box->level());
            maxColumn = std::max(maxColumn, box->column());
            maxLevel = std::max(maxLevel, box->level());
        });
        if (present.size() != tree.size())
            failure = QStringLiteral("the list count is wrong");
        if (tree.selected && !present.count(tree.selected))
            failure = QStringLiteral("the selection is not in the list");
        const UndoRecord& record = tree.undoRecord;
        if (record.holdsRemovedBox() && present.count(record.subject))
            failure = QStringLiteral("a held box is still in the list");
        if ((record.undoKind == UndoRecord::PastePerson ||
             record.undoKind == UndoRecord::DragCopy) &&
            record.subject && !present.count(record.subject))
            failure = QStringLiteral("an overwritten box left the list while remembered");
        for (const ListData* element : tree.lineagePath) {
            if (!present.count(static_cast<const HMark*>(element)->person))
                failure = QStringLiteral("a lineage mark points at a box not in the chart");
        }
        // The first box at each cell, by one walk of the list in order.
        const int width = maxColumn - minColumn + 3, height = maxLevel - minLevel + 3;
        std::vector<const Person*> firstAt(std::size_t(width) * height, nullptr);
        tree.forEachPerson([&](const Person* box) {
            const Person*& slot = firstAt[std::size_t(box->level() - minLevel + 1) * width +
                                          box->column() - minColumn + 1];
            if (!slot)
                slot = box;
        });
        for (int level = minLevel - 1; level <= maxLevel + 1; ++level) {
            for (int column = minColumn - 1; column <= maxColumn + 1; ++column) {
                const Person* first =
                    firstAt[std::size_t(level - minLevel + 1) * width + column - minColumn + 1];
                if (tree.findPerson({column, level}) != first)
                    failure = QStringLiteral("findPerson(%1j%2) disagrees with the list")
                                  .arg(column)
                                  .arg(level);
            }
        }
        return failure.isEmpty();
    }

    std::mt19937 random_;
    BoxDrawLog dc_;
};

} // namespace

class EditFuzzTest : public QObject {
    Q_OBJECT
private slots:
    void randomEditsKeepTheTreeConsistent()
    {
        CountedPerson::live = 0;
        for (unsigned seed = 1; seed <= 2000; ++seed) {
            EditFuzzer fuzzer(seed);
            if (!fuzzer.run(80))
                QFAIL(qPrintable(QStringLiteral("seed %1 %2").arg(seed).arg(fuzzer.failure)));
            QCOMPARE(CountedPerson::live, 0);
        }
    }
};

QTEST_APPLESS_MAIN(EditFuzzTest)
#include "edit_fuzz_test.moc"
