// SPDX-License-Identifier: GPL-3.0-or-later
// Every malformed or hostile chart in tests/data/bad loads to the outcome that
// expected.tsv gives, within a time limit, and whatever loads saves and loads
// back unchanged.
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "tree_difference.h"

#include <QtTest>

#include <csignal>
#include <ctime>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// Sanitizers and unoptimised builds run the same work several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool sanitized = true;
#else
constexpr bool sanitized = false;
#endif
#else
constexpr bool sanitized = false;
#endif
#ifdef NDEBUG
constexpr bool optimised = true;
#else
constexpr bool optimised = false;
#endif
constexpr int slowdown = (sanitized ? 4 : 1) * (optimised ? 1 : 3);

// Processor seconds one file may take to load and save again (processor time, so
// a busy machine does not decide). A hung load never returns to be measured: the
// watchdog ends the whole program after a generous wall-clock time instead.
constexpr double secondsPerFile = 3.0 * slowdown;
constexpr unsigned watchdogSeconds = 60 * slowdown;

double cpuSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

const char* watchedFile = "";

extern "C" void onHang(int)
{
    static const char text[] = "chart load hung: ";
    [[maybe_unused]] ssize_t n = ::write(2, text, sizeof text - 1);
    n = ::write(2, watchedFile, std::strlen(watchedFile));
    n = ::write(2, "\n", 1);
    ::_exit(3);
}

// The settings in force before each load: unlike the defaults, so a file without
// a header visibly keeps them.
TreeSettings currentSettings()
{
    TreeSettings s;
    s.boxWidth = 91;
    s.boxHeight = 37;
    s.htmlStartX = 11;
    s.htmlStartY = 22;
    s.generationMode = 'x';
    s.generationStart = 5;
    s.smallFontLine = 2;
    return s;
}

QByteArray unescape(const QByteArray& text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        if (next == 't') {
            out += '\t';
        } else if (next == 'x' && i + 2 < text.size()) {
            out += char(text.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += next;
        }
    }
    return out;
}

// Bytes for the files too big to keep in the repository.
std::string generated(const QByteArray& name)
{
    constexpr std::size_t tenMiB = 10u << 20;
    if (name == "@long_text_line_10MB")
        return "P 0j0 " + std::to_string(tenMiB) + ":" + std::string(tenMiB, 'x') + " 20j0 1\n";
    if (name == "@junk_line_10MB")
        return std::string(tenMiB, 'X');
    if (name == "@header_then_10MB_number")
        return "Stirpa 120j50 50j200 d1 1\nP " + std::string(tenMiB, '9') + "j0 0: 0j0 0\n";
    if (name == "@million_boxes") {
        std::string bytes = "Stirpa 120j50 50j200 d1 1\n";
        bytes.reserve(40'000'000);
        for (int i = 0; i < 1'000'000; ++i) {
            const std::string text = "Box " + std::to_string(i);
            bytes += "P " + std::to_string(i % 1000) + 'j' + std::to_string(i / 1000) + ' ' +
                     std::to_string(text.size()) + ':' + text + " 20j0 0\n";
        }
        return bytes;
    }
    return {};
}

QByteArray pairText(int x, int y) { return QByteArray::number(x) + 'j' + QByteArray::number(y); }

const Person* boxAt(const std::vector<const Person*>& boxes, const QByteArray& index)
{
    const std::size_t i = index == "last" ? boxes.size() - 1 : index.toULong();
    return i < boxes.size() ? boxes[i] : nullptr;
}

// The value a check names, read from the load, as text.
QByteArray actualValue(const ChartLoad& load, const std::vector<const Person*>& boxes,
                       const QByteArray& key, const QByteArray& expected)
{
    const TreeSettings& s = load.chart.settings();
    if (key == "settings")
        return s == currentSettings() ? "kept" : "changed";
    if (key == "width")
        return QByteArray::number(s.boxWidth);
    if (key == "height")
        return QByteArray::number(s.boxHeight);
    if (key == "htmlx")
        return QByteArray::number(s.htmlStartX);
    if (key == "htmly")
        return QByteArray::number(s.htmlStartY);
    if (key == "mode")
        return QByteArray(1, s.generationMode);
    if (key == "start")
        return QByteArray::number(s.generationStart);
    if (key == "small")
        return QByteArray::number(s.smallFontLine);
    if (key == "selected") { // an opened chart selects its last box in list order
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i] == load.chart.tree().lastBox())
                return QByteArray::number(qulonglong(i));
        return "none";
    }
    const qsizetype dot = key.indexOf('.');
    if (!key.startsWith('b') || dot < 0)
        return "unknown check " + key;
    const Person* box = boxAt(boxes, key.mid(1, dot - 1));
    if (!box)
        return "no box " + key.mid(1, dot - 1);
    const QByteArray field = key.mid(dot + 1);
    const std::string_view text = box->text;
    if (field == "kind")
        return QByteArray(1, char(box->kind()));
    if (field == "cell")
        return pairText(box->column(), box->level());
    if (field == "links")
        return pairText(box->rightLink(), box->downLink());
    if (field == "lineage")
        return QByteArray::number(box->lineage);
    if (field == "dir")
        return QByteArray::number(box->direction());
    if (field == "textlen")
        return QByteArray::number(qulonglong(text.size()));
    if (field == "text") {
        // Compared up to the padding, which "pad" checks.
        const std::size_t end = text.find_last_not_of(' ');
        const std::size_t keep = end == std::string_view::npos ? 0 : end + 1;
        const std::size_t shown =
            std::min(text.size(), std::max(keep, std::size_t(expected.size())));
        return QByteArray(text.data(), qsizetype(shown));
    }
    if (field == "pad") {
        const std::size_t end = text.find_last_not_of(' ');
        const std::size_t kept = end == std::string_view::npos ? 0 : end + 1;
        // Blanks the file itself wrote before the padding count as text.
        return QByteArray::number(qulonglong(text.size() - kept));
    }
    return "unknown field " + field;
}

std::vector<const Person*> boxesOf(const Tree& tree)
{
    std::vector<const Person*> boxes;
    boxes.reserve(tree.size());
    tree.forEachPerson([&boxes](const Person* box) { boxes.push_back(box); });
    return boxes;
}

std::string chartBytes(const Chart& chart)
{
    std::ostringstream out;
    writeChart(out, chart);
    return std::move(out).str();
}

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGALRM, onHang); }

    void loads_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("outcome");
        QTest::addColumn<QList<QByteArray>>("checks");
        QFile table(STIRPA_TEST_DATA "/bad/expected.tsv");
        QVERIFY(table.open(QIODevice::ReadOnly));
        int rows = 0;
        while (!table.atEnd()) {
            const QByteArray line = table.readLine().chopped(1);
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            QList<QByteArray> columns = line.split('\t');
            QVERIFY2(columns.size() >= 2, line.constData());
            const QByteArray name = columns.takeFirst();
            const QByteArray outcome = columns.takeFirst();
            QTest::newRow(name.constData()) << name << outcome << columns;
            ++rows;
        }
        QVERIFY(rows >= 40);
    }
    void loads()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, outcome);
        QFETCH(QList<QByteArray>, checks);

        std::string bytes;
        if (name.startsWith('@')) {
            bytes = generated(name);
            QVERIFY2(!bytes.empty(), "no generator for this name");
        } else {
            std::ifstream in(STIRPA_TEST_DATA "/bad/" + name.toStdString(), std::ios::binary);
            QVERIFY2(in, "file missing");
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        const std::string original = bytes;

        watchedFile = name.constData();
        ::alarm(watchdogSeconds);
        const double started = cpuSeconds();
        LineReader reader = LineReader::fromBytes(std::move(bytes));
        ChartLoad load = readChart(reader, "chart", currentSettings());
        std::string saved;
        if (load)
            saved = chartBytes(load.chart);
        const double elapsed = cpuSeconds() - started;
        ::alarm(0);
        QVERIFY2(elapsed < secondsPerFile, qPrintable(QString("took %1 s").arg(elapsed)));

        const QList<QByteArray> expected = outcome.split(' ');
        QCOMPARE(expected.size(), 2);
        if (expected[0] == "invalid") {
            QVERIFY2(!load, "loaded a file that must be refused");
            QCOMPARE(load.status, ChartLoad::InvalidRecord);
            QCOMPARE(load.line, expected[1].toLong());
            QCOMPARE(load.chart.tree().size(), std::size_t(0));
            QVERIFY(load.message().starts_with("Invalid record detected in file 'chart':\n"));
            // The message shows the start of the refused line, never megabytes of it.
            QVERIFY(load.message().size() < 300);
            const std::string shown = load.message().substr(load.message().find('\n') + 1);
            const std::string start = shown.substr(0, std::min<std::size_t>(shown.size(), 200));
            QVERIFY(load.lineText.starts_with(start));
            QVERIFY(original.find(load.lineText) != std::string::npos);
            return;
        }
        QCOMPARE(expected[0], QByteArray("loaded"));
        QVERIFY2(bool(load), load.message().c_str());
        const std::vector<const Person*> boxes = boxesOf(load.chart.tree());
        QCOMPARE(qulonglong(boxes.size()), expected[1].toULongLong());
        for (const QByteArray& check : checks) {
            const qsizetype equals = check.indexOf('=');
            QVERIFY2(equals > 0, check.constData());
            const QByteArray key = check.left(equals);
            const QByteArray value = unescape(check.mid(equals + 1));
            const QByteArray actual = actualValue(load, boxes, key, value);
            if (actual != value)
                QFAIL(qPrintable(QString("%1: expected '%2', got '%3'")
                                     .arg(key, value.toPercentEncoding(" "),
                                          actual.left(80).toPercentEncoding(" "))));
        }

        // Whatever loads saves and loads back the same.
        LineReader again = LineReader::fromBytes(saved);
        const ChartLoad reloaded = readChart(again, "chart", TreeSettings());
        QVERIFY2(bool(reloaded), reloaded.message().c_str());
        QCOMPARE(reloaded.chart.settings(), load.chart.settings());
        const std::string difference = treeDifference(reloaded.chart.tree(), load.chart.tree());
        QVERIFY2(difference.empty(), difference.c_str());
    }

    // Loading is linear: ten times the boxes take about ten times as long, far
    // from the hundredfold a quadratic step would cost.
    void loadsLinearly()
    {
        auto chartOf = [](int boxes) {
            std::string bytes;
            for (int i = 0; i < boxes; ++i)
                bytes += "P " + std::to_string(i % 500) + 'j' + std::to_string(i / 500) +
                         " 3:abc 20j0 0\n";
            return bytes;
        };
        auto secondsFor = [](const std::string& bytes) {
            const double started = cpuSeconds();
            LineReader reader = LineReader::fromBytes(bytes);
            const ChartLoad load = readChart(reader, "chart", TreeSettings());
            const double seconds = cpuSeconds() - started;
            return load ? seconds : -1.0;
        };
        const std::string small = chartOf(50'000);
        const std::string large = chartOf(500'000);
        // The quickest of a few runs.
        double smallTime = 1e9, largeTime = 1e9;
        for (int run = 0; run < 3; ++run) {
            smallTime = std::min(smallTime, secondsFor(small));
            largeTime = std::min(largeTime, secondsFor(large));
        }
        QVERIFY(smallTime > 0 && largeTime > 0);
        QVERIFY2(
            largeTime < 30 * smallTime + 0.05,
            qPrintable(
                QString("%1 s for 50,000 boxes, %2 s for 500,000").arg(smallTime).arg(largeTime)));
    }
};

QTEST_APPLESS_MAIN(BadInputTest)
#include "bad_input_test.moc"
