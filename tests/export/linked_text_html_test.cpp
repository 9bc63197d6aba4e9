// SPDX-License-Identifier: GPL-3.0-or-later
// A box whose text came from a family file is written as text, never as
// markup; the user's own descriptions stay markup unless escaping is asked for.
#include "export/html_export.h"
#include "export_fixture.h"
#include "model/record_links.h"

#include <QtTest>

namespace {

// The box element of a chart holding one box at column 3, level 2, linked to
// record I7 with the fingerprint of fileText (none: typed by hand).
std::string exportedBox(const char* text, const char* fileText, bool escapeText)
{
    Chart chart;
    Person* box = chart.mutableTree().append(makeBox(text, {3, 2}, {0, 0}));
    if (fileText)
        chart.mutableTree().mutableRecords().set(box, {"I7", textFingerprint(fileText)});
    std::ostringstream out;
    writeHtmlChart(out, chart, {"page", escapeText});
    const std::string page = out.str();
    const std::size_t start = page.find("<div");
    return page.substr(start, page.find("</div>", start) + 6 - start);
}

} // namespace

class LinkedTextHtmlTest : public QObject {
    Q_OBJECT
private slots:
    void boxText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<bool>("escapeText");
        QTest::addColumn<QByteArray>("written");
        const QByteArray script = "<img src=x onerror=alert(1)>";
        const QByteArray scriptEscaped = "&lt;img src=x onerror=alert(1)&gt;";
        QTest::newRow("file text, an image with a script")
            << script << true << false << "<b>" + scriptEscaped + "</b>";
        QTest::newRow("file text, a closing script tag")
            << QByteArray("</script>x") << true << false << QByteArray("<b>&lt;/script&gt;x</b>");
        QTest::newRow("file text, an ampersand")
            << QByteArray("Smith & Sons") << true << false << QByteArray("<b>Smith &amp; Sons</b>");
        QTest::newRow("file text, quotes") << QByteArray("\"Bob\" O'Neil") << true << false
                                           << QByteArray("<b>&quot;Bob&quot; O'Neil</b>");
        QTest::newRow("file text, markup on the second line")
            << QByteArray("Anna |b. <1900>") << true << false
            << QByteArray("<b>Anna </b><br><font size=1>b. &lt;1900&gt;</font>");
        QTest::newRow("typed by hand, markup kept")
            << QByteArray("<i>Anna</i> & co") << false << false
            << QByteArray("<b><i>Anna</i> & co</b>");
        QTest::newRow("typed by hand, escaped when asked")
            << QByteArray("<i>Anna</i> & co") << false << true
            << QByteArray("<b>&lt;i&gt;Anna&lt;/i&gt; &amp; co</b>");
        QTest::newRow("file text, asked as well")
            << script << true << true << "<b>" + scriptEscaped + "</b>";
    }
    void boxText()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, linked);
        QFETCH(bool, escapeText);
        QFETCH(QByteArray, written);
        const std::string box =
            exportedBox(text.constData(), linked ? text.constData() : nullptr, escapeText);
        QCOMPARE(bytes(box),
                 "<div class=\"box\" style=\"top: 340px; left: 470px;\">" + written + "</div>");
    }

    // A box the user retyped after the import holds the user's markup.
    void retypedTextCountsAsTheUsers_data()
    {
        QTest::addColumn<QByteArray>("fileText");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("retyped") << QByteArray("Anna Berg") << QByteArray("<b><u>Anna</u></b>");
        QTest::newRow("one byte added")
            << QByteArray("<u>Anna</u> ") << QByteArray("<b><u>Anna</u></b>");
        QTest::newRow("as imported")
            << QByteArray("<u>Anna</u>") << QByteArray("<b>&lt;u&gt;Anna&lt;/u&gt;</b>");
    }
    void retypedTextCountsAsTheUsers()
    {
        QFETCH(QByteArray, fileText);
        QFETCH(QByteArray, written);
        const std::string box = exportedBox("<u>Anna</u>", fileText.constData(), false);
        QCOMPARE(bytes(box),
                 "<div class=\"box\" style=\"top: 340px; left: 470px;\">" + written + "</div>");
    }

    // A see box or a book's label holds no record, but the family file's text.
    void boxWithoutRecordInAChartFromAFile()
    {
        Chart chart;
        chart.mutableTree().append(makeBox("see |<img src=x onerror=alert(1)>", {1, 1}, {0, 0}));
        for (const bool fromFile : {false, true}) {
            FamilyLink link;
            link.path = "family.ged";
            link.root = "I1";
            if (fromFile)
                chart.setFamilyLink(link);
            std::ostringstream out;
            writeHtmlChart(out, chart, {"page"});
            QCOMPARE(out.str().find("<img src=x") == std::string::npos, fromFile);
        }
    }

    void continuationBoxFromTheFile()
    {
        Chart chart;
        Person* box =
            chart.mutableTree().append(makeContinuation("<b>2 children", {1, 1}, {0, 0}, 2));
        chart.mutableTree().mutableRecords().set(box, {"I3", textFingerprint("<b>2 children")});
        std::ostringstream out;
        writeHtmlChart(out, chart, {"page"});
        QVERIFY(out.str().find("&lt;b&gt;2 children") != std::string::npos);
        QVERIFY(out.str().find("<b>2 children") == std::string::npos);
    }
};

QTEST_APPLESS_MAIN(LinkedTextHtmlTest)
#include "linked_text_html_test.moc"
