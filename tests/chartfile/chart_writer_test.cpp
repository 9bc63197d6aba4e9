// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_fixtures.h"
#include "chartfile/chart_writer.h"
#include "files/debug_log.h"
#include "model/chart_limits.h"

#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

Chart smallChart()
{
    Chart chart(TreeSettings(), "small");
    Tree& tree = chart.mutableTree();
    tree.append(std::make_unique<Person>("Abc\r\nDe", Cell{2, 1}, Links{20, 0}));
    auto continuation =
        std::make_unique<ContPerson>("Oakes |chart 1", Cell{3, 0}, Links{20, 20}, 3);
    continuation->lineage = 2;
    tree.append(std::move(continuation));
    tree.append(std::make_unique<Person>("", Cell{-1, 0}, Links{0, -20}));
    return chart;
}

const QByteArray smallChartBytes = "Stirpa 120j50 50j200 d1 1\n"
                                   "P 2j1 7:Abc |De 20j0 0\n"
                                   "p3 3j0 14:Oakes |chart 1 20j20 2\n"
                                   "P -1j0 0: 0j-20 0\n";

// Lowers the largest file this process may write while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = old_;
        lower.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace

class ChartWriterTest : public QObject {
    Q_OBJECT
private slots:
    void writesHeaderAndBoxLines()
    {
        QCOMPARE(chartBytes(smallChart()), smallChartBytes);

        Chart empty;
        TreeSettings& s = empty.settings();
        s.boxWidth = 100;
        s.boxHeight = 40;
        s.htmlStartX = -60;
        s.htmlStartY = 250;
        s.generationMode = 'u';
        s.generationStart = 1234;
        s.smallFontLine = 4;
        QCOMPARE(chartBytes(empty), QByteArray("Stirpa 100j40 -60j250 u1234 4\n"));
    }

    void sampleSurvivesRoundTrip()
    {
        const QByteArray sample = readWholeFile(STIRPA_SOURCE_DIR "/resources/sample.txt");
        QVERIFY(!sample.isEmpty());
        const ChartLoad load = loadChartBytes(sample, TreeSettings(), "sample");
        QVERIFY(load);
        QCOMPARE(load.chart.tree().size(), std::size_t(sample.count('\n') - 1));
        QCOMPARE(chartBytes(load.chart), sample);
    }

    void randomChartsSurviveRoundTrip()
    {
        std::mt19937 random(19410512);
        TreeSettings other;
        other.boxWidth = 7;
        other.generationMode = 'q';
        for (int round = 0; round < 400; ++round) {
            const Chart chart = randomChart(random);
            const QByteArray saved = chartBytes(chart);
            const ChartLoad load = loadChartBytes(saved, other);
            if (!load)
                qWarning("%s", load.message().c_str());
            QVERIFY(load);
            QCOMPARE(boxesText(load.chart.tree()), boxesText(chart.tree()));
            QCOMPARE(settingsText(load.chart.settings()), settingsText(chart.settings()));
            QCOMPARE(chartBytes(load.chart), saved);
        }
    }

    // Whatever editing can make, the chart can be opened again: here connectors
    // fitted across the widest grid with the widest boxes.
    void editedChartAtTheLimitsOpensAgain()
    {
        Chart chart;
        TreeSettings& s = chart.settings();
        s.boxWidth = s.boxHeight = TreeSettings::maxBoxSize;
        Tree& tree = chart.mutableTree();
        Person* left = tree.append(std::make_unique<Person>("left", Cell{0, 0}, Links{1, 1}));
        tree.append(std::make_unique<Person>("far right", Cell{chartLimits::maxCell, 0}, Links{}));
        tree.append(std::make_unique<Person>("far down", Cell{0, chartLimits::maxCell}, Links{}));
        tree.fitConnectors(left);
        QVERIFY(left->rightLink() > 200'000'000);
        QVERIFY(left->downLink() > 200'000'000);
        QVERIFY(!tree.insertLine('x', 0));

        const ChartLoad load = loadChartBytes(chartBytes(chart), TreeSettings());
        QVERIFY2(load, load.message().c_str());
        QCOMPARE(boxesText(load.chart.tree()), boxesText(tree));
    }

    void roundTripThroughFiles()
    {
        QTemporaryDir dir;
        std::mt19937 random(7);
        std::ostringstream log;
        redirectDebugLog(&log);
        for (int round = 0; round < 20; ++round) {
            const Chart chart = randomChart(random);
            const QString path = dir.filePath(QString("chart%1.txt").arg(round));
            const Result saved = saveChartFile(path.toStdString(), chart);
            QVERIFY2(saved, saved.message().c_str());
            const ChartLoad load = readChartFile(path.toLocal8Bit().toStdString(), TreeSettings());
            QVERIFY(load);
            QCOMPARE(QByteArray(load.chart.tree().name().c_str()),
                     QString("chart%1").arg(round).toLatin1());
            QCOMPARE(boxesText(load.chart.tree()), boxesText(chart.tree()));
            QCOMPARE(settingsText(load.chart.settings()), settingsText(chart.settings()));
        }
        redirectDebugLog(nullptr);
        QCOMPARE(entriesOf(dir.path()).size(), 20); // no temporary file left
    }

    void saveReplacesAndKeepsPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tree1.txt");
        QVERIFY(writeWholeFile(path, "old content that is longer than the new chart text\n"));
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(saveChartFile(path.toStdString(), smallChart()));
        QCOMPARE(readWholeFile(path), smallChartBytes);
        struct stat status {};
        QCOMPARE(::stat(path.toLocal8Bit().constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0640));
        QCOMPARE(entriesOf(dir.path()), QStringList{"tree1.txt"});
    }

    void saveFollowsSymbolicLink()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("real"));
        const QString real = dir.filePath("real/tree1.txt");
        const QString link = dir.filePath("link.txt");
        QVERIFY(writeWholeFile(real, "old\n"));
        QVERIFY(QFile::link(real, link));
        QVERIFY(saveChartFile(link.toStdString(), smallChart()));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readWholeFile(real), smallChartBytes);
        QCOMPARE(entriesOf(dir.filePath("real")), QStringList{"tree1.txt"});
    }

    void saveIntoMissingFolderFails()
    {
        QTemporaryDir dir;
        const Result saved =
            saveChartFile(dir.filePath("missing/tree1.txt").toStdString(), smallChart());
        QCOMPARE(saved.status, Result::CannotCreate);
        QVERIFY(QByteArray::fromStdString(saved.message()).contains("missing"));
        QVERIFY(entriesOf(dir.path()).isEmpty());

        QVERIFY(writeWholeFile(dir.filePath("plain.txt"), "x"));
        const Result underFile =
            saveChartFile(dir.filePath("plain.txt/tree1.txt").toStdString(), smallChart());
        QCOMPARE(underFile.status, Result::CannotCreate);
        QVERIFY(!underFile.message().empty());
        QCOMPARE(readWholeFile(dir.filePath("plain.txt")), QByteArray("x"));
    }

    void saveIntoReadOnlyFolderFails()
    {
        if (::geteuid() == 0)
            QSKIP("a read-only folder does not stop the superuser");
        QTemporaryDir dir;
        const QString path = dir.filePath("tree1.txt");
        QVERIFY(writeWholeFile(path, "old\n"));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const Result saved = saveChartFile(path.toStdString(), smallChart());
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!saved);
        QVERIFY(!saved.message().empty());
        QCOMPARE(readWholeFile(path), QByteArray("old\n"));
        QCOMPARE(entriesOf(dir.path()), QStringList{"tree1.txt"});
    }

    void failedWriteLeavesOldFile()
    {
        // The disk refuses the chart halfway: the old file stays as it was.
        QTemporaryDir dir;
        const QString path = dir.filePath("tree1.txt");
        QVERIFY(writeWholeFile(path, "old\n"));
        Result saved;
        {
            FileSizeLimit limit(10);
            saved = saveChartFile(path.toStdString(), smallChart());
        }
        QCOMPARE(saved.status, Result::CannotWrite);
        QVERIFY(!saved.message().empty());
        QCOMPARE(readWholeFile(path), QByteArray("old\n"));
        QCOMPARE(entriesOf(dir.path()), QStringList{"tree1.txt"});
    }

    void saveOverFolderFails()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("tree1.txt"));
        const Result saved = saveChartFile(dir.filePath("tree1.txt").toStdString(), smallChart());
        QVERIFY(!saved);
        QVERIFY(QFileInfo(dir.filePath("tree1.txt")).isDir());
        QCOMPARE(entriesOf(dir.path()), QStringList{"tree1.txt"});
    }
};

QTEST_APPLESS_MAIN(ChartWriterTest)
#include "chart_writer_test.moc"
