// SPDX-License-Identifier: GPL-3.0-or-later
// Work split over the processors: every part runs once, a part's failure comes
// back to the caller after all parts are done, and the split never goes below
// one part or past its limits.
#include "base/parallel.h"

#include <QtTest>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

class ParallelTest : public QObject {
    Q_OBJECT
private slots:
    void everyPartOnce_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("failing"); // the part that throws, or -1
        QTest::newRow("none") << 0 << -1;
        QTest::newRow("one, on the caller") << 1 << -1;
        QTest::newRow("two") << 2 << -1;
        QTest::newRow("more than processors") << 37 << -1;
        QTest::newRow("the caller's part fails") << 5 << 0;
        QTest::newRow("the last part fails") << 5 << 4;
    }
    void everyPartOnce()
    {
        QFETCH(int, count);
        QFETCH(int, failing);
        std::vector<std::atomic<int>> runs(std::size_t(count + 1));
        bool thrown = false;
        try {
            runInParallel(std::size_t(count), [&](std::size_t part) {
                ++runs[part];
                if (int(part) == failing)
                    throw std::runtime_error("part failed");
            });
        } catch (const std::runtime_error&) {
            thrown = true;
        }
        QCOMPARE(thrown, failing >= 0);
        for (int part = 0; part <= count; ++part)
            QCOMPARE(runs[std::size_t(part)].load(), part < count ? 1 : 0);
    }

    void partsWithinTheirLimits_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("minimumPart");
        QTest::addColumn<int>("maximumParts");
        QTest::addColumn<int>("bySize"); // the parts the size allows
        QTest::newRow("nothing to do") << 0 << 100 << 8 << 1;
        QTest::newRow("one under a part") << 99 << 100 << 8 << 1;
        QTest::newRow("one part") << 100 << 100 << 8 << 1;
        QTest::newRow("one under two parts") << 199 << 100 << 8 << 1;
        QTest::newRow("two parts") << 200 << 100 << 8 << 2;
        QTest::newRow("many, limited") << 100000 << 100 << 3 << 1000;
        QTest::newRow("no minimum") << 50 << 0 << 8 << 50;
    }
    void partsWithinTheirLimits()
    {
        QFETCH(int, size);
        QFETCH(int, minimumPart);
        QFETCH(int, maximumParts);
        QFETCH(int, bySize);
        const int processors = int(std::max(1u, std::thread::hardware_concurrency()));
        const std::size_t parts =
            parallelParts(std::size_t(size), std::size_t(minimumPart), std::size_t(maximumParts));
        QCOMPARE(int(parts), std::max(1, std::min({processors, bySize, maximumParts})));
    }
};

QTEST_APPLESS_MAIN(ParallelTest)
#include "parallel_test.moc"
