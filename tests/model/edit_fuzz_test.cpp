// SPDX-License-Identifier: GPL-3.0-or-later
// Random edit and undo sequences on small charts, checking after every step that
// the list, the cell index, the undo record and the lineage still agree.
#include "edit_fixtures.h"
#include "model/chart.h"
#include "model/lineage.h"
#include "model/tree.h"

#include <QtTest>
#include <algorithm>
#include <memory>
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
        Tree& tree = chart.mutableTree();
        const int boxes = pick(0, 12);
        const int columns = pick(1, 6), levels = pick(1, 5);
        for (int i = 0; i < boxes; ++i) {
            const Cell cell{pick(0, columns - 1), pick(0, levels - 1)};
            std::unique_ptr<Person> box;
            if (pick(0, 4) == 0)
                box = std::make_unique<ContPerson>("c", cell, randomLinks(), pick(0, 4));
            else
                box = std::make_unique<CountedPerson>("p", cell);
            if (box->kind() == BoxKind::Person)
                box->setLinkLengths(randomLinks());
            box->lineage = pick(0, 3);
            tree.append(std::move(box));
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
        int index = pick(0, int(tree.size()) - 1);
        Person* found = nullptr;
        tree.forEachPerson([&](Person* box) {
            if (index-- == 0)
                found = box;
        });
        return found;
    }

    // A box of the chart, or now and then the one the undo record holds: a
    // removed box no edit may take for the chart's own.
    const Person* randomOrHeldBox(Tree& tree)
    {
        return pick(0, 2) == 0 ? tree.undoRecord().subject() : randomBox(tree);
    }

    // The copy buffer with new random content.
    const StorePerson& randomBuffer()
    {
        buffer_.text = "buffer";
        buffer_.setLinkLengths(randomLinks());
        buffer_.lineage = pick(0, 3);
        return buffer_;
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
        case 2:
            tree.pasteInto(randomBuffer(), randomOrHeldBox(tree));
            break;
        case 3: {
            const Person* box = randomOrHeldBox(tree);
            const std::size_t before = tree.size();
            const bool present = box && contains(tree, box);
            tree.erase(box, pick(0, 1) ? UndoRecord::Cut : UndoRecord::ErasePerson);
            if (tree.size() != before - (present ? 1 : 0))
                failure = QStringLiteral("erase changed the count wrongly");
            break;
        }
        case 4:
        case 5: {
            const UndoRecord& record = tree.undoRecord();
            const bool restores =
                record.kind() == UndoRecord::Cut || record.kind() == UndoRecord::ErasePerson;
            const Person* held = record.subject();
            tree.undo();
            if (restores && tree.lastBox() != held)
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
            // The steps of a search and its climb are marked at once, as they are shown.
            LineagePath path;
            const Person* found = tree.findParent(randomOrHeldBox(tree), &path);
            for (int climb = pick(0, 2); found && climb > 0; --climb)
                found = tree.findParent(found, &path);
            for (const LineageMark& mark : path) {
                if (!contains(tree, mark.box))
                    failure = QStringLiteral("a lineage step points at a box not in the chart");
                else if (!tree.markLineage(mark) || (mark.box->lineage & mark.bits) != mark.bits)
                    failure = QStringLiteral("a lineage step was not marked");
            }
            break;
        }
        case 9:
            tree.pasteAt(randomBuffer(), randomCell(tree));
            break;
        case 10: {
            tree.clearLineage();
            bool marked = false;
            std::as_const(tree).forEachPerson(
                [&](const Person* box) { marked = marked || box->lineage != 0; });
            if (marked)
                failure = QStringLiteral("a box kept its lineage through clearing");
            break;
        }
        default:
            tree.resetExtent();
            break;
        }
    }

    static bool contains(const Tree& tree, const Person* box)
    {
        bool found = false;
        tree.forEachPerson([&](const Person* each) { found = found || each == box; });
        return found;
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
            if (box->kind() != BoxKind::Person && box->kind() != BoxKind::Continuation)
                failure = QStringLiteral("a foreign element in the list");
            minColumn = std::min(minColumn, box->column());
            minLevel = std::min(minLevel, box->level());
            maxColumn = std::max(maxColumn, box->column());
            maxLevel = std::max(maxLevel, box->level());
        });
        if (present.size() != tree.size())
            failure = QStringLiteral("the list count is wrong");
        const UndoRecord& record = tree.undoRecord();
        const bool holdsRemoved =
            record.kind() == UndoRecord::Cut || record.kind() == UndoRecord::ErasePerson;
        if (holdsRemoved && present.count(record.subject()))
            failure = QStringLiteral("a held box is still in the list");
        if ((record.kind() == UndoRecord::PastePerson || record.kind() == UndoRecord::DragCopy) &&
            record.subject() && !present.count(record.subject()))
            failure = QStringLiteral("an overwritten box left the list while remembered");
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
    StorePerson buffer_;
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
