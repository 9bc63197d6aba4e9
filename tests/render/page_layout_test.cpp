// SPDX-License-Identifier: GPL-3.0-or-later
// Spreading a chart over pages: where pages break, the fitting scale, the footer
// and the --pages option.
#include "render/page_layout.h"

#include <QtTest>

namespace {

// The grid of a chart `columns` boxes wide with the generation column.
PageAxis across(int boxWidth, int columns)
{
    const int pitch = boxWidth + 20;
    return {35 + columns * pitch + 150, 35, boxWidth, pitch, 25};
}

PageAxis down(int boxHeight, int levels)
{
    const int pitch = boxHeight + 20;
    return {10 + levels * pitch + 150, 10, boxHeight, pitch, 0};
}

bool cutsABox(const PageAxis& axis, int at)
{
    if (at <= axis.origin)
        return false;
    const int intoCell = (at - axis.origin) % axis.pitch;
    return intoCell > 0 && intoCell < axis.boxLength;
}

} // namespace

Q_DECLARE_METATYPE(PageAxis)

class PageLayoutTest : public QObject {
    Q_OBJECT
private slots:
    // Page lengths are chart pixels: the paper's printable length at 96 dpi
    // divided by the scale.
    void breaksFallBetweenBoxes_data()
    {
        QTest::addColumn<PageAxis>("axis");
        QTest::addColumn<double>("pageLength");
        QTest::addColumn<QList<int>>("starts");
        // The sample: 7 columns of 120-pixel boxes, 4 levels of 50.
        QTest::newRow("A4 portrait, 100%, a gap at the edge")
            << across(120, 7) << 718.0 << QList<int>{0, 718};
        QTest::newRow("narrow page, back to a box's left edge")
            << across(120, 7) << 500.0 << QList<int>{0, 455, 875};
        QTest::newRow("50% fits one page") << across(120, 7) << 1436.0 << QList<int>{0};
        QTest::newRow("A4 landscape, 100%, 40 columns")
            << across(120, 40) << 1047.0 << QList<int>{0, 1015, 1995, 2975, 3955, 4935};
        QTest::newRow("levels down a page") << down(50, 4) << 300.0 << QList<int>{0, 290};
        QTest::newRow("tall boxes, 200%") << down(300, 3) << 540.0 << QList<int>{0, 330, 650};
        QTest::newRow("a box wider than a page is cut at the page")
            << across(600, 2) << 400.0 << QList<int>{0, 400, 775, 1150};
        QTest::newRow("small boxes, 25%") << across(10, 200) << 2872.0 << QList<int>{0, 2872, 5719};
        // The fourth column's box ends at 575, the third level's at 200: a box
        // that ends exactly at the page's edge stays on the page.
        QTest::newRow("a box ends one pixel before the edge")
            << across(120, 7) << 576.0 << QList<int>{0, 576, 1015};
        QTest::newRow("a box ends at the edge")
            << across(120, 7) << 575.0 << QList<int>{0, 575, 1015};
        QTest::newRow("a box ends one pixel after the edge")
            << across(120, 7) << 574.0 << QList<int>{0, 455, 1004};
        QTest::newRow("a level ends one pixel before the edge")
            << down(50, 4) << 201.0 << QList<int>{0, 201, 360};
        QTest::newRow("a level ends at the edge")
            << down(50, 4) << 200.0 << QList<int>{0, 200, 360};
        QTest::newRow("a level ends one pixel after the edge")
            << down(50, 4) << 199.0 << QList<int>{0, 150, 349};
    }
    void breaksFallBetweenBoxes()
    {
        QFETCH(PageAxis, axis);
        QFETCH(double, pageLength);
        QFETCH(QList<int>, starts);
        const std::vector<int> found = pageStarts(axis, pageLength);
        QCOMPARE(QList<int>(found.begin(), found.end()), starts);
        const bool boxFits = axis.boxLength <= pageLength - axis.repeated;
        for (std::size_t i = 0; i < found.size(); ++i) {
            if (boxFits)
                QVERIFY2(!cutsABox(axis, found[i]), qPrintable(QString::number(found[i])));
            const int end = i + 1 < found.size() ? found[i + 1] : axis.total;
            const double room = i == 0 ? pageLength : pageLength - axis.repeated;
            QVERIFY(end - found[i] <= room);
        }
    }

    void fitsThePagesAsked_data()
    {
        QTest::addColumn<PageAxis>("width");
        QTest::addColumn<PageAxis>("height");
        QTest::addColumn<int>("pages");
        QTest::newRow("sample on one A4 page") << across(120, 7) << down(50, 4) << 1;
        QTest::newRow("wide chart, one page") << across(120, 200) << down(50, 10) << 1;
        QTest::newRow("tall chart, one page") << across(120, 5) << down(50, 300) << 1;
        QTest::newRow("wide chart, three across") << across(120, 200) << down(50, 10) << 3;
        QTest::newRow("huge boxes, two across") << across(2000, 30) << down(2000, 3) << 2;
    }
    void fitsThePagesAsked()
    {
        QFETCH(PageAxis, width);
        QFETCH(PageAxis, height);
        QFETCH(int, pages);
        const double pageWidth = 718, pageHeight = 1047;
        const double scale = fitScale(width, height, pageWidth, pageHeight, pages);
        QVERIFY(scale > 0 && scale <= 1);
        QVERIFY(pageStarts(width, pageWidth / scale).size() <= std::size_t(pages));
        if (pages == 1)
            QCOMPARE(pageStarts(height, pageHeight / scale).size(), std::size_t(1));
        // As large as it can be: a little larger needs another page.
        const double larger = scale * 1.01;
        const bool moreAcross = pageStarts(width, pageWidth / larger).size() > std::size_t(pages);
        const bool moreDown = pages == 1 && pageStarts(height, pageHeight / larger).size() > 1;
        QVERIFY(moreAcross || moreDown);
    }

    void smallChartIsNeverEnlarged()
    {
        QCOMPARE(fitScale(across(120, 2), down(50, 2), 718, 1047, 1), 1.0);
    }

    void footerNamesThePage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("footer");
        QTest::newRow("first row") << "Smith" << 1 << 3 << "Smith — page 3 of 12 (row 1, column 3)";
        QTest::newRow("rows count first")
            << "Smith" << 2 << 1 << "Smith — page 5 of 12 (row 2, column 1)";
        QTest::newRow("last") << "Smith" << 3 << 4 << "Smith — page 12 of 12 (row 3, column 4)";
        QTest::newRow("no name") << "" << 1 << 1 << "page 1 of 12 (row 1, column 1)";
    }
    void footerNamesThePage()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, footer);
        QCOMPARE(QString::fromStdString(pageFooter(name.toStdString(), row, column, 3, 4)), footer);
    }

    void pagesOption_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode"); // -1: refused
        QTest::addColumn<int>("number");
        QTest::newRow("wide") << "wide=3" << int(PageOptions::FitPagesWide) << 3;
        QTest::newRow("one page") << "wide=1" << int(PageOptions::FitPagesWide) << 1;
        QTest::newRow("scale") << "scale=50" << int(PageOptions::Percent) << 50;
        QTest::newRow("no pages") << "wide=0" << -1 << 0;
        QTest::newRow("no number") << "scale=" << -1 << 0;
        QTest::newRow("trailing letters") << "wide=2x" << -1 << 0;
        QTest::newRow("negative") << "scale=-5" << -1 << 0;
        QTest::newRow("unknown") << "tall=2" << -1 << 0;
    }
    void pagesOption()
    {
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(int, number);
        const std::optional<PageOptions> options = parsePageOptions(text.toStdString());
        QCOMPARE(options ? int(options->mode) : -1, mode);
        if (options)
            QCOMPARE(mode == PageOptions::Percent ? options->percent : options->pagesWide, number);
    }

    // The arguments after a render's files, as the command line gives them.
    void pageArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("pagesWide"); // 0: no pages; -1: refused
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("error"); // a part of the message
        const int a4 = int(Paper::A4), automatic = int(Orientation::Automatic);
        const int portrait = int(Orientation::Portrait), landscape = int(Orientation::Landscape);
        QTest::newRow("none") << QStringList{} << 0 << a4 << automatic << "";
        QTest::newRow("pages alone: A4, either way")
            << QStringList{"--pages", "wide=2"} << 2 << a4 << automatic << "";
        QTest::newRow("A3 landscape")
            << QStringList{"--pages", "wide=3", "--paper", "A3", "--landscape"} << 3
            << int(Paper::A3) << landscape << "";
        QTest::newRow("any order, any case")
            << QStringList{"--portrait", "--paper", "tabloid", "--pages", "wide=4"} << 4
            << int(Paper::Tabloid) << portrait << "";
        QTest::newRow("the last size") << QStringList{"--pages", "wide=1", "--paper", "Legal"} << 1
                                       << int(Paper::Legal) << automatic << "";
        QTest::newRow("Letter") << QStringList{"--paper", "LETTER", "--pages", "wide=5"} << 5
                                << int(Paper::Letter) << automatic << "";
        QTest::newRow("A0") << QStringList{"--pages", "wide=6", "--paper", "a0"} << 6
                            << int(Paper::A0) << automatic << "";
        QTest::newRow("an unknown size")
            << QStringList{"--pages", "wide=2", "--paper", "B5"} << -1 << a4 << automatic
            << "unknown paper 'B5': choose A4, A3, A2, A1, A0, Letter, Legal, Tabloid";
        QTest::newRow("a size that only starts alike")
            << QStringList{"--pages", "wide=2", "--paper", "A44"} << -1 << a4 << automatic
            << "unknown paper 'A44'";
        QTest::newRow("paper without pages")
            << QStringList{"--paper", "A3"} << -1 << a4 << automatic << "need --pages";
        QTest::newRow("orientation without pages")
            << QStringList{"--landscape"} << -1 << a4 << automatic << "need --pages";
        QTest::newRow("both orientations")
            << QStringList{"--pages", "wide=2", "--landscape", "--portrait"} << -1 << a4
            << automatic << "--landscape and --portrait cannot both be given";
        QTest::newRow("an orientation twice")
            << QStringList{"--pages", "wide=2", "--portrait", "--portrait"} << -1 << a4 << automatic
            << "--portrait is given twice";
        QTest::newRow("paper twice")
            << QStringList{"--pages", "wide=2", "--paper", "A3", "--paper", "A4"} << -1 << a4
            << automatic << "--paper is given twice";
        QTest::newRow("paper without a size") << QStringList{"--pages", "wide=2", "--paper"} << -1
                                              << a4 << automatic << "--paper needs a value";
        QTest::newRow("pages without a value") << QStringList{"--paper", "A3", "--pages"} << -1
                                               << a4 << automatic << "--pages needs a value";
        QTest::newRow("pages too many")
            << QStringList{"--pages", "wide=1001"} << -1 << a4 << automatic << "not 'wide=1001'";
        QTest::newRow("pages at the limit")
            << QStringList{"--pages", "wide=1000"} << 1000 << a4 << automatic << "";
        QTest::newRow("an unknown argument") << QStringList{"--pages", "wide=2", "--colour"} << -1
                                             << a4 << automatic << "unknown argument '--colour'";
    }
    void pageArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, pagesWide);
        QFETCH(int, paper);
        QFETCH(int, orientation);
        QFETCH(QString, error);
        std::vector<std::string> list;
        for (const QString& argument : arguments)
            list.push_back(argument.toStdString());
        const PageArguments parsed = parsePageArguments(list);
        const QString message = QString::fromStdString(parsed.error);
        QVERIFY2(error.isEmpty() ? message.isEmpty() : message.contains(error),
                 qPrintable(message));
        QCOMPARE(parsed.pages ? parsed.pages->pagesWide : pagesWide == -1 ? -1 : 0, pagesWide);
        if (parsed.pages) {
            QCOMPARE(int(parsed.pages->paper), paper);
            QCOMPARE(int(parsed.pages->orientation), orientation);
        }
    }

    // --poster: a named sheet or a roll, each side just inside and outside its limits.
    void posterArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("paper"); // -1: refused
        QTest::addColumn<int>("rollWidth");
        QTest::addColumn<int>("rollHeight");
        QTest::addColumn<QString>("error");
        const int roll = int(Paper::Roll);
        QTest::newRow("A0") << QStringList{"--poster", "a0"} << int(Paper::A0) << 0 << 0 << "";
        QTest::newRow("a roll, turned")
            << QStringList{"--landscape", "--poster", "914x3000mm"} << roll << 914 << 3000 << "";
        QTest::newRow("the smallest and largest sides")
            << QStringList{"--poster", "100x5080mm"} << roll << 100 << 5080 << "";
        for (const char* size : {"99x2000mm", "914x5081mm", "914x3000", "914x3000cm", "x3000mm",
                                 "-914x3000mm", "914x3000mmmm", "B5"})
            QTest::newRow(size) << QStringList{"--poster", size} << -1 << 0 << 0
                                << QString("unknown poster size '%1'").arg(size);
        QTest::newRow("with pages") << QStringList{"--poster", "A2", "--pages", "wide=2"} << -1 << 0
                                    << 0 << "without --pages or --paper";
        QTest::newRow("with paper") << QStringList{"--paper", "A3", "--poster", "A2"} << -1 << 0
                                    << 0 << "without --pages or --paper";
        QTest::newRow("twice") << QStringList{"--poster", "A2", "--poster", "A1"} << -1 << 0 << 0
                               << "--poster is given twice";
        QTest::newRow("without a size")
            << QStringList{"--poster"} << -1 << 0 << 0 << "--poster needs a value";
    }
    void posterArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, paper);
        QFETCH(int, rollWidth);
        QFETCH(int, rollHeight);
        QFETCH(QString, error);
        std::vector<std::string> list;
        for (const QString& argument : arguments)
            list.push_back(argument.toStdString());
        const PageArguments parsed = parsePageArguments(list);
        QVERIFY2(QString::fromStdString(parsed.error).contains(error), parsed.error.c_str());
        QCOMPARE(parsed.pages.has_value(), paper >= 0);
        if (!parsed.pages)
            return;
        QCOMPARE(int(parsed.pages->mode), int(PageOptions::Poster));
        QCOMPARE(int(parsed.pages->paper), paper);
        QCOMPARE(parsed.pages->roll.width, rollWidth);
        QCOMPARE(parsed.pages->roll.height, rollHeight);
    }
};

QTEST_APPLESS_MAIN(PageLayoutTest)
#include "page_layout_test.moc"
