// SPDX-License-Identifier: GPL-3.0-or-later
// Names in any script come back out of a rendered PDF (pdftotext), from the
// one-page PDF and from the paged one, and are drawn in a font that has them.
#include "render/chart_render.h"

#include "model/chart.h"

#include <QFontDatabase>
#include <QProcess>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

namespace {

// Boxes away from the chart's corner, one per line of text.
Chart chartOf(const QStringList& lines)
{
    Chart chart;
    int column = 2;
    for (const QString& line : lines)
        chart.mutableTree().append(
            std::make_unique<Person>(line.toStdString(), Cell{column++, 1}, Links{0, 0}));
    return chart;
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString withoutSpaces(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

// Whether some installed font has every character, as the screen would find it.
bool fontHas(const QString& text)
{
    QTextLayout layout(text, QFont(QStringLiteral("Arial")));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns())
        if (run.glyphIndexes().contains(0))
            return false;
    return true;
}

} // namespace

class PdfTextTest : public QObject {
    Q_OBJECT
private slots:
    void namesReadBack_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("paged");
        const QList<std::pair<const char*, QStringList>> scripts{
            {"Cyrillic", {"Пётр Ильич Чайковский", "р. 1840 Воткинск"}},
            {"Greek", {"Ελευθέριος Βενιζέλος", "γ. 1864 Μουρνιές"}},
            {"Polish", {"Łucja Żółkiewska-Wiśniewska", "ur. 1901 Łódź"}},
            {"Czech", {"Řehoř Dvořák", "Štěpánka Růžičková"}},
            {"Windows-1252 names", {"Åsa Müller-Lüdenscheidt", "Ørjan Æbeltoft"}},
            {"scripts mixed in a line", {"Jan Пётр Ελένη Řeh"}},
            // Neither Latin, Greek nor Cyrillic: drawn in a font other than the chart's.
            {"Georgian", {"ნინო ჯავახიშვილი"}},
            {"Chinese", {"王秀英", "李明 b. 1950"}},
            {"Chinese and Latin in a line", {"Li 李明 Wang 王秀英"}},
        };
        for (const auto& [name, lines] : scripts) {
            QTest::addRow("%s, one page", name) << lines << false;
            QTest::addRow("%s, pages", name) << lines << true;
        }
    }
    void namesReadBack()
    {
        QFETCH(QStringList, lines);
        QFETCH(bool, paged);
        if (!fontHas(lines.join(' ')))
            QSKIP("no installed font has these characters");
        QByteArray pdf;
        const PdfPages pages = paged ? PdfPages(PageOptions()) : PdfPages();
        QVERIFY(renderChart(chartOf(lines), ChartImageFormat::Pdf, pdf, pages));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chart.pdf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(pdf);
        file.close();
        const QString text = withoutSpaces(run(QStringLiteral("pdftotext"), {path, "-"}));
        for (const QString& line : lines)
            QVERIFY2(text.contains(withoutSpaces(line)),
                     qPrintable(line + QStringLiteral(" not in: ") + text));
    }

    // The document's title is the chart's name, in any script.
    void titleReadsBack_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Latin") << QStringLiteral("Berg family");
        QTest::newRow("Polish and Cyrillic") << QStringLiteral("Łódź Семья (1900)");
        QTest::newRow("Greek") << QStringLiteral("Οικογένεια Βενιζέλου");
    }
    void titleReadsBack()
    {
        QFETCH(QString, name);
        Chart chart(TreeSettings(), name.toStdString());
        chart.mutableTree().append(std::make_unique<Person>("Anna", Cell{1, 1}, Links{0, 0}));
        QByteArray pdf;
        QVERIFY(renderChart(chart, ChartImageFormat::Pdf, pdf));
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("titled.pdf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(pdf);
        file.close();
        const QString info = run(QStringLiteral("pdfinfo"), {file.fileName()});
        const QRegularExpression title(QStringLiteral("^Title: +") +
                                           QRegularExpression::escape(name) + '$',
                                       QRegularExpression::MultilineOption);
        QVERIFY2(info.contains(title), qPrintable(info));
    }

    // Only the glyphs drawn are embedded: a chart of a few Chinese names stays
    // small though the font holds tens of thousands.
    void fontsAreSubsets_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("maxBytes");
        QTest::newRow("Latin") << QStringLiteral("Anna Berg") << 60000;
        QTest::newRow("Chinese") << QStringLiteral("王秀英") << 300000;
    }
    void fontsAreSubsets()
    {
        QFETCH(QString, line);
        QFETCH(int, maxBytes);
        if (!fontHas(line))
            QSKIP("no installed font has these characters");
        QByteArray pdf;
        QVERIFY(renderChart(chartOf({line}), ChartImageFormat::Pdf, pdf));
        QVERIFY2(pdf.size() < maxBytes, qPrintable(QString::number(pdf.size())));
        QVERIFY(pdf.contains("/FontFile2"));
        QVERIFY(pdf.contains("/ToUnicode"));
    }
};

QTEST_MAIN(PdfTextTest)
#include "pdf_text_test.moc"
