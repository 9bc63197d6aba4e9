// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chart.h"
#include "model/draw_context.h"
#include "model/tree.h"
#include "model/tree_settings.h"

#include <QtTest>
#include <algorithm>
#include <memory>
#include <random>
#include <utility>

Q_DECLARE_METATYPE(Rect)

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
bool drawnBy(const Person& box, const TreeSettings& settings, Rect& bounds)
{
    BoundsRecorder recorder;
    box.draw(recorder, settings, false);
    bounds = recorder.bounds;
    return recorder.any && !recorder.unclippedText;
}

// Whether two rectangles share a pixel, the edges of both counting.
bool sharePixel(const Rect& a, const Rect& b)
{
    return std::max(a.left, b.left) <= std::min(a.right, b.right) &&
           std::max(a.top, b.top) <= std::min(a.bottom, b.bottom);
}

Person* plainBox(Tree& tree, Cell cell, Links links = {})
{
    return tree.append(std::make_unique<Person>("x", cell, links));
}

Person* continuationBox(Tree& tree, Cell cell, int direction, Links links = {20, 20})
{
    return tree.append(std::make_unique<ContPerson>("c", cell, links, direction));
}

// The level (axis 'y') or column ('x') of the box a caller is given, -1 for none.
int placeOf(const Person* box, char axis)
{
    return box ? (axis == 'x' ? box->column() : box->level()) : -1;
}

const Person* linearFind(const Tree& tree, Cell cell)
{
    const Person* found = nullptr;
    tree.forEachPerson([&](const Person* box) {
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
        Chart chart;
        Tree& tree = chart.mutableTree();
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

        const std::unique_ptr<Person> taken = tree.detach(first);
        QCOMPARE(taken.get(), first);
        QCOMPARE(tree.findPerson({2, 3}), second);
        QVERIFY(!tree.detach(first));
    }

    void cellIndexMatchesListWalk()
    {
        // Many cells in a small area collide in the table; removals must keep
        // every other cell findable.
        std::mt19937 random(7);
        Chart chart;
        Tree& tree = chart.mutableTree();
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
        const TreeSettings settings;
        QCOMPARE(settings.cellAt({x, y}), (Cell{column, level}));
    }

    void cellOriginFollowsSettings()
    {
        TreeSettings settings;
        QCOMPARE(settings.cellOrigin({0, 0}), (Point{35, 10}));
        QCOMPARE(settings.cellOrigin({2, 1}), (Point{315, 80}));
        QCOMPARE(settings.cellOrigin({-1, -1}), (Point{-105, -60}));
        settings.boxWidth = 100;
        settings.boxHeight = 40;
        QCOMPARE(settings.cellOrigin({2, 3}), (Point{275, 190}));
        QCOMPARE(settings.boxRect({2, 3}), (Rect{275, 190, 375, 230}));
        QCOMPARE(settings.cellAt({276, 191}), (Cell{2, 3}));
        QCOMPARE(settings.cellAt({375, 191}), noCell); // right border of the smaller box
        // Every pixel strictly inside a box maps back to its cell.
        for (int column = 0; column < 4; ++column) {
            for (int level = 0; level < 4; ++level) {
                const Point origin = settings.cellOrigin({column, level});
                QCOMPARE(settings.cellAt({origin.x + 1, origin.y + 1}), (Cell{column, level}));
                QCOMPARE(settings.cellAt({origin.x + 99, origin.y + 39}), (Cell{column, level}));
                QCOMPARE(settings.cellAt({origin.x + 100, origin.y + 39}), noCell);
                QCOMPARE(settings.cellAt({origin.x - 1, origin.y + 5}), noCell);
            }
        }
    }

    void extentOfEmptyTree()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        QCOMPARE(tree.extent(), (Point{35, 10}));
    }

    void extentRecomputesWhileAMaximumIsZero()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
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
        Chart chart;
        Tree& tree = chart.mutableTree();
        plainBox(tree, {3, 3});
        tree.growExtent({10, 0}); // the level stays 0, so the next call walks again
        QCOMPARE(tree.extent(), (Point{10 * 140 + 35, 3 * 70 + 10}));
    }

    void growExtent()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        QVERIFY(!tree.growExtent({0, 0}));
        QVERIFY(!tree.growExtent({-4, -2}));
        QVERIFY(tree.growExtent({3, 0}));
        QCOMPARE(tree.extentCells(), (Cell{3, 0}));
        QVERIFY(!tree.growExtent({3, 0}));
        QVERIFY(tree.growExtent({1, 5}));
        QCOMPARE(tree.extentCells(), (Cell{3, 5}));
        QVERIFY(tree.growExtent({4, 6}));
        QVERIFY(!tree.growExtent({2, 2}));
        QCOMPARE(tree.extentCells(), (Cell{4, 6}));
    }

    // Callers read the level (or column) of the box found: the deepest or
    // rightmost plain box's. Continuation boxes and negative cells never count.
    void lastInDirection_data()
    {
        QTest::addColumn<QString>("boxes"); // kind letter and cell, 'p' a continuation
        QTest::addColumn<int>("deepest");
        QTest::addColumn<int>("rightmost");
        QTest::newRow("empty chart") << "" << -1 << -1;
        QTest::newRow("only continuations") << "p4j4 p0j0" << -1 << -1;
        QTest::newRow("one box at the top left") << "P0j0" << 0 << 0;
        QTest::newRow("a deeper continuation") << "P0j0 P1j3 P0j3 p0j8 P6j1 P6j2" << 3 << 6;
        QTest::newRow("a continuation further right") << "P2j1 p9j0" << 1 << 2;
        QTest::newRow("negative cell") << "P-1j-1" << -1 << -1;
    }
    void lastInDirection()
    {
        QFETCH(QString, boxes);
        QFETCH(int, deepest);
        QFETCH(int, rightmost);
        Chart chart;
        Tree& tree = chart.mutableTree();
        for (const QString& item : boxes.split(' ', Qt::SkipEmptyParts)) {
            const QStringList pair = item.mid(1).split('j');
            const Cell cell{pair[0].toInt(), pair[1].toInt()};
            if (item[0] == 'P')
                plainBox(tree, cell);
            else
                continuationBox(tree, cell, 1);
        }
        QCOMPARE(placeOf(tree.lastInDirection('y'), 'y'), deepest);
        QCOMPARE(placeOf(tree.lastInDirection('l'), 'y'), deepest); // any axis but 'x'
        QCOMPARE(placeOf(tree.lastInDirection('x'), 'x'), rightmost);
    }

    // An area touching a drawing's edge finds its box; one pixel off does not.
    // a at 0j0 draws 35,10 to 175,60 with its right connector, b at 1j0 175,10 to
    // 295,60, c at 0j1 35,80 to 155,150 with its down connector, and the
    // continuation d at 2j1 pointing left 295,87 to 399,122.
    void boxesInAreaAtEdges_data()
    {
        QTest::addColumn<Rect>("area");
        QTest::addColumn<QString>("found");
        QTest::newRow("on a's left edge") << Rect{30, 20, 35, 25} << "a";
        QTest::newRow("one pixel left of a") << Rect{30, 20, 34, 25} << "";
        QTest::newRow("one pixel into a") << Rect{30, 20, 36, 25} << "a";
        QTest::newRow("on b's right edge") << Rect{295, 20, 300, 25} << "b";
        QTest::newRow("one pixel right of b") << Rect{296, 20, 300, 25} << "";
        QTest::newRow("a's connector end meets b") << Rect{175, 35, 175, 35} << "a b";
        QTest::newRow("between the levels") << Rect{40, 61, 150, 79} << "";
        QTest::newRow("on a's bottom and c's top") << Rect{40, 60, 40, 80} << "a c";
        QTest::newRow("end of c's down connector") << Rect{90, 150, 100, 160} << "c";
        QTest::newRow("below c's down connector") << Rect{90, 151, 100, 160} << "";
        QTest::newRow("tip of d's pointer") << Rect{295, 100, 295, 100} << "d";
        QTest::newRow("left of d's pointer") << Rect{290, 100, 294, 100} << "";
        QTest::newRow("right of d") << Rect{400, 87, 420, 122} << "";
        QTest::newRow("everything") << Rect{0, 0, 500, 200} << "a b c d";
    }
    void boxesInAreaAtEdges()
    {
        QFETCH(Rect, area);
        QFETCH(QString, found);
        Chart chart;
        Tree& tree = chart.mutableTree();
        tree.append(std::make_unique<Person>("a", Cell{0, 0}, Links{20, 0}));
        tree.append(std::make_unique<Person>("b", Cell{1, 0}, Links{}));
        tree.append(std::make_unique<Person>("c", Cell{0, 1}, Links{0, 20}));
        tree.append(std::make_unique<ContPerson>("d", Cell{2, 1}, Links{20, 20}, 3));
        QStringList names;
        for (const Person* box : tree.boxesInArea(area))
            names << box->text.c_str();
        QCOMPARE(names.join(' '), found);
    }

    void boxesInAreaMatchDrawing()
    {
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
            for (int round = 0; round < 12; ++round) {
                longLinks = round % 2 == 1;
                Chart chart;
                chart.settings().boxWidth = size.width;
                chart.settings().boxHeight = size.height;
                Tree& tree = chart.mutableTree();
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
                    clipped = drawnBy(*box, chart.settings(), drawn.back()) && clipped;
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
                    std::vector<const Person*> expected;
                    std::size_t i = 0;
                    std::as_const(tree).forEachPerson([&](const Person* box) {
                        if (sharePixel(drawn[i++], area))
                            expected.push_back(box);
                    });
                    const std::vector<const Person*> found = tree.boxesInArea(area);
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
