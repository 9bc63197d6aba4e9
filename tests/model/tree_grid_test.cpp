// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/draw_context.h"
#include "model/tree.h"
#include "model/tree_settings.h"

#include <QtTest>
#include <algorithm>
#include <random>

namespace {

// Records the pixels a drawing can cover (edges included). Text counts as its
// clip rectangle, since that is all it may paint.
class BoundsRecorder : public DrawContext {
public:
    Size clientSize() const override { return {}; }
    Rect clipBox() const override { return {}; }
    void fillBackground(Colour, const Rect&) override {}
    void setClip(const Rect& rect) override { clip = rect; }
    void setPen(Colour) override {}
    void setBrush(Colour) override {}
    void setFont(std::string_view, int, bool) override {}
    void setTextColours(Colour, Colour) override {}
    void drawBox(const Rect& rect, float) override
    {
        cover({rect.left, rect.top});
        cover({rect.right, rect.bottom});
    }
    void drawLine(Point from, Point to) override
    {
        cover(from);
        cover(to);
    }
    void drawText(Point, std::string_view) override
    {
        unclippedText = unclippedText || clip.isEmpty();
        cover({clip.left, clip.top});
        cover({clip.right, clip.bottom});
    }
    void beginXorOutline(const OutlinePen&) override {}
    void endXorOutline() override {}

    void cover(Point point)
    {
        if (!any) {
            bounds = {point.x, point.y, point.x, point.y};
            any = true;
            return;
        }
        bounds.left = std::min(bounds.left, point.x);
        bounds.right = std::max(bounds.right, point.x);
        bounds.top = std::min(bounds.top, point.y);
        bounds.bottom = std::max(bounds.bottom, point.y);
    }

    Rect clip;
    Rect bounds;
    bool any = false;
    bool unclippedText = false;
};

// What drawing the box covers; false when it drew text without a clip.
bool drawnBy(const Person& box, Rect& bounds)
{
    BoundsRecorder recorder;
    box.draw(recorder, false);
    bounds = recorder.bounds;
    return recorder.any && !recorder.unclippedText;
}

// Restores the process-wide settings when a test ends.
struct SettingsGuard {
    TreeSettings saved = treeSettings();
    ~SettingsGuard() { treeSettings() = saved; }
};

Person* plainBox(Tree& tree, Cell cell, Links links = {})
{
    auto* box = new Person(String("x"), cell, links);
    tree.append(box);
    return box;
}

Person* continuationBox(Tree& tree, Cell cell, int direction, Links links = {20, 20})
{
    auto* box = new ContPerson(String("c"), cell, links, direction);
    tree.append(box);
    return box;
}

Person* linearFind(const Tree& tree, Cell cell)
{
    Person* found = nullptr;
    tree.forEachPerson([&](Person* box) {
        if (!found && box->cell() == cell)
            found = box;
    });
    return found;
}

} // namespace

class TreeGridTest : public QObject {
    Q_OBJECT
private slots:
    void findPersonTakesFirstInListOrder()
    {
        Tree tree;
        Person* first = plainBox(tree, {2, 3});
        Person* second = plainBox(tree, {2, 3});
        Person* elsewhere = plainBox(tree, {3, 2});
        QCOMPARE(tree.findPerson({2, 3}), first);
        QCOMPARE(tree.findPerson({3, 2}), elsewhere);
        QCOMPARE(tree.findPerson({0, 0}), nullptr);

        // Moving the later box away and back keeps list order, not move order.
        second->setCell({9, 9});
        QCOMPARE(tree.findPerson({9, 9}), second);
        second->setCell({2, 3});
        QCOMPARE(tree.findPerson({2, 3}), first);
        QCOMPARE(tree.findPerson({9, 9}), nullptr);

        QVERIFY(tree.detach(first));
        QCOMPARE(tree.findPerson({2, 3}), second);
        QVERIFY(!tree.detach(first));
        delete first;
    }

    void cellIndexMatchesListWalk()
    {
        // Many cells in a small area collide in the table; removals must keep
        // every other cell findable.
        std::mt19937 random(7);
        Tree tree;
        std::vector<Person*> held;
        auto randomCell = [&] { return Cell{int(random() % 12) - 2, int(random() % 12) - 2}; };
        for (int step = 0; step < 6000; ++step) {
            const unsigned action = random() % 10;
            if (action < 5 || held.empty()) {
                held.push_back(plainBox(tree, randomCell()));
            } else if (action < 8) {
                held[random() % held.size()]->setCell(randomCell());
            } else {
                const std::size_t pick = random() % held.size();
                QVERIFY(tree.detach(held[pick]));
                delete held[pick];
                held.erase(held.begin() + long(pick));
            }
            if (step % 50 == 0) {
                for (int column = -3; column <= 10; ++column) {
                    for (int level = -3; level <= 10; ++level)
                        QCOMPARE(tree.findPerson({column, level}),
                                 linearFind(tree, {column, level}));
                }
            }
        }
        QCOMPARE(tree.size(), held.size());
        QCOMPARE(tree.findPerson({-50, -50}), nullptr);
    }

    void cellAtAndOrigin_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("level");
        QTest::newRow("one pixel inside corner") << 36 << 11 << 0 << 0;
        QTest::newRow("on top-left corner") << 35 << 10 << -1 << -1;
        QTest::newRow("on right border") << 155 << 30 << -1 << -1;
        QTest::newRow("on bottom border") << 100 << 60 << -1 << -1;
        QTest::newRow("inside far corner") << 154 << 59 << 0 << 0;
        QTest::newRow("horizontal gap") << 165 << 30 << -1 << -1;
        QTest::newRow("vertical gap") << 100 << 70 << -1 << -1;
        QTest::newRow("second column") << 176 << 11 << 1 << 0;
        QTest::newRow("column 2 level 1") << 316 << 81 << 2 << 1;
        QTest::newRow("left of origin") << 20 << 30 << -1 << -1;
        QTest::newRow("above origin") << 100 << 5 << -1 << -1;
        QTest::newRow("one pitch left of origin") << -70 << 30 << -1 << -1;
        QTest::newRow("far negative") << -1000 << -1000 << -1 << -1;
    }
    void cellAtAndOrigin()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, column);
        QFETCH(int, level);
        SettingsGuard guard;
        treeSettings() = TreeSettings();
        QCOMPARE(cellAt({x, y}), (Cell{column, level}));
    }

    void cellOriginFollowsSettings()
    {
        SettingsGuard guard;
        treeSettings() = TreeSettings();
        QCOMPARE(cellOrigin({0, 0}), (Point{35, 10}));
        QCOMPARE(cellOrigin({2, 1}), (Point{315, 80}));
        QCOMPARE(cellOrigin({-1, -1}), (Point{-105, -60}));
        treeSettings().boxWidth = 100;
        treeSettings().boxHeight = 40;
        QCOMPARE(cellOrigin({2, 3}), (Point{275, 190}));
        QCOMPARE(cellAt({276, 191}), (Cell{2, 3}));
        QCOMPARE(cellAt({375, 191}), noCell); // right border of the smaller box
        // Every pixel strictly inside a box maps back to its cell.
        for (int column = 0; column < 4; ++column) {
            for (int level = 0; level < 4; ++level) {
                const Point origin = cellOrigin({column, level});
                QCOMPARE(cellAt({origin.x + 1, origin.y + 1}), (Cell{column, level}));
                QCOMPARE(cellAt({origin.x + 99, origin.y + 39}), (Cell{column, level}));
                QCOMPARE(cellAt({origin.x + 100, origin.y + 39}), noCell);
                QCOMPARE(cellAt({origin.x - 1, origin.y + 5}), noCell);
            }
        }
    }

    void extentOfEmptyTree()
    {
        SettingsGuard guard;
        treeSettings() = TreeSettings();
        Tree tree;
        QCOMPARE(tree.extent(), (Point{35, 10}));
    }

    void extentRecomputesWhileAMaximumIsZero()
    {
        SettingsGuard guard;
        treeSettings() = TreeSettings();
        Tree tree;
        plainBox(tree, {5, 0});
        QCOMPARE(tree.extent(), (Point{5 * 140 + 35, 10}));
        plainBox(tree, {7, 0}); // maxLevel is still 0: the next call walks again
        QCOMPARE(tree.extent(), (Point{7 * 140 + 35, 10}));
        plainBox(tree, {1, 2});
        QCOMPARE(tree.extent(), (Point{7 * 140 + 35, 2 * 70 + 10}));
        // Both maxima set: the cached value holds until a reset.
        plainBox(tree, {9, 4});
        QCOMPARE(tree.extent(), (Point{7 * 140 + 35, 2 * 70 + 10}));
        tree.resetExtent();
        QCOMPARE(tree.extent(), (Point{9 * 140 + 35, 4 * 70 + 10}));
        QCOMPARE(tree.extentCells(), (Cell{9, 4}));
    }

    void extentIsNotLoweredByRecompute()
    {
        SettingsGuard guard;
        treeSettings() = TreeSettings();
        Tree tree;
        plainBox(tree, {3, 3});
        tree.maxColumn = 10;
        tree.maxLevel = 0;
        QCOMPARE(tree.extent(), (Point{10 * 140 + 35, 3 * 70 + 10}));
    }

    void growExtent()
    {
        Tree tree;
        QVERIFY(!tree.growExtent({0, 0}));
        QVERIFY(!tree.growExtent({-4, -2}));
        QVERIFY(tree.growExtent({3, 0}));
        QCOMPARE(tree.maxColumn, 3);
        QVERIFY(!tree.growExtent({3, 0}));
        QVERIFY(tree.growExtent({1, 5}));
        QCOMPARE(tree.maxColumn, 3);
        QCOMPARE(tree.maxLevel, 5);
        QVERIFY(tree.growExtent({4, 6}));
        QVERIFY(!tree.growExtent({2, 2}));
        QCOMPARE(tree.maxColumn, 4);
        QCOMPARE(tree.maxLevel, 6);
    }

    void lastInDirection()
    {
        Tree onlyContinuations;
        continuationBox(onlyContinuations, {4, 4}, 1);
        continuationBox(onlyContinuations, {0, 0}, 4);
        QCOMPARE(onlyContinuations.lastInDirection('y'), nullptr);
        QCOMPARE(onlyContinuations.lastInDirection('x'), nullptr);

        Tree tree;
        QCOMPARE(tree.lastInDirection('x'), nullptr);
        Person* top = plainBox(tree, {0, 0});
        QCOMPARE(tree.lastInDirection('y'), top); // level 0 beats the start value -1
        Person* deepEarly = plainBox(tree, {1, 3});
        Person* deepLate = plainBox(tree, {0, 3});
        continuationBox(tree, {0, 8}, 2);
        Person* right = plainBox(tree, {6, 1});
        plainBox(tree, {6, 2});
        QCOMPARE(tree.lastInDirection('y'), deepEarly);
        QCOMPARE(tree.lastInDirection('l'), deepEarly); // any axis but 'x' means levels
        QCOMPARE(tree.lastInDirection('x'), right);
        Q_UNUSED(deepLate);

        Tree negative;
        plainBox(negative, {-1, -1});
        QCOMPARE(negative.lastInDirection('x'), nullptr);
    }

    void boxesInAreaMatchDrawing()
    {
        SettingsGuard guard;
        std::mt19937 random(424242);
        const Size sizes[] = {{120, 50}, {7, 3}, {6, 9}, {1, 1}, {333, 121}, {2000, 2000}};
        // Half the charts have only short connectors, so that small areas are
        // answered from the cell index rather than by a walk of every box.
        bool longLinks = false;
        auto linkLength = [&]() -> int {
            switch (random() % (longLinks ? 6 : 3)) {
            case 0:
                return 0;
            case 1:
                return 20;
            case 2:
                return -int(random() % 300);
            case 3:
                return int(random() % 6000);
            case 4:
                return -int(random() % 6000);
            default:
                return int(random() % 50);
            }
        };
        for (const Size size : sizes) {
            treeSettings().boxWidth = size.width;
            treeSettings().boxHeight = size.height;
            for (int chart = 0; chart < 12; ++chart) {
                longLinks = chart % 2 == 1;
                Tree tree;
                const int count = 1 + int(random() % 250);
                for (int i = 0; i < count; ++i) {
                    const Cell cell{int(random() % 30) - 5, int(random() % 30) - 5};
                    const Links links{linkLength(), linkLength()};
                    if (random() % 3 == 0)
                        continuationBox(tree, cell, int(random() % 5), links);
                    else
                        plainBox(tree, cell, links);
                }
                std::vector<Rect> drawn;
                bool clipped = true;
                tree.forEachPerson([&](Person* box) {
                    drawn.emplace_back();
                    clipped = drawnBy(*box, drawn.back()) && clipped;
                });
                QVERIFY(clipped);

                for (int probe = 0; probe < 60; ++probe) {
                    Rect area;
                    if (probe % 3 == 0) {
                        // An area that starts exactly on, or just past, a drawing's edge.
                        const Rect& edge = drawn[random() % drawn.size()];
                        const int shift = int(random() % 3) - 1;
                        const int width = int(random() % 5);
                        const int x = (random() % 2 ? edge.right : edge.left - width) + shift;
                        const int y = (random() % 2 ? edge.bottom : edge.top - width) + shift;
                        area = {x, y, x + width, y + width};
                    } else {
                        const int span = size.width * 40;
                        const int x = int(random() % unsigned(span)) - span / 4;
                        const int y = int(random() % unsigned(span)) - span / 4;
                        const int w =
                            int(random() % unsigned(probe % 2 ? span : size.width * 2 + 3));
                        area = {x, y, x + w, y + int(random() % unsigned(size.height * 3 + 3))};
                    }
                    std::vector<Person*> expected;
                    std::size_t i = 0;
                    tree.forEachPerson([&](Person* box) {
                        if (intersects(drawn[i++], area))
                            expected.push_back(box);
                    });
                    const std::vector<Person*> found = tree.boxesInArea(area);
                    if (found != expected) {
                        qWarning("box %dx%d, area %d,%d..%d,%d: %zu found, %zu expected",
                                 size.width, size.height, area.left, area.top, area.right,
                                 area.bottom, found.size(), expected.size());
                    }
                    QVERIFY(found == expected);
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TreeGridTest)
#include "tree_grid_test.moc"
