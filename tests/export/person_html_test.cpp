// SPDX-License-Identifier: GPL-3.0-or-later
// The elements one box writes: connector images and the box element.
#include "export_fixture.h"
#include "model/tree_settings.h"

#include <QtTest>
#include <memory>

class PersonHtmlTest : public QObject {
    Q_OBJECT
private slots:
    void init() { settings_ = TreeSettings(); }

    // The worked example: column 2, level 1, on the lineage to the right.
    void workedExampleBox()
    {
        std::unique_ptr<Person> box(makeBox("Alpha |b. 1900", {2, 1}, {20, 0}, 1));
        QCOMPARE(bytes(linksOf(*box, settings_)),
                 QByteArray("<img class=\"pinH\" style=\"top: 295px; left: 450px; width: 20px;\" "
                            "src=\"pinneR.gif\">\n"));
        QCOMPARE(bytes(boxOf(*box, settings_)),
                 QByteArray("<div class=\"box\" style=\"top: 270px; left: 330px;\"><b>Alpha </b>"
                            "<br><font size=1>b. 1900</font></div>\n"));
    }

    void connectorImages_data()
    {
        QTest::addColumn<int>("lineage");
        QTest::addColumn<bool>("saveLineage");
        QTest::addColumn<QByteArray>("rightImage");
        QTest::addColumn<QByteArray>("downImage");
        QTest::newRow("no lineage") << 0 << true << QByteArray("pinne") << QByteArray("pinne");
        QTest::newRow("lineage right") << 1 << true << QByteArray("pinneR") << QByteArray("pinne");
        QTest::newRow("lineage down") << 2 << true << QByteArray("pinne") << QByteArray("pinneR");
        QTest::newRow("lineage both") << 3 << true << QByteArray("pinneR") << QByteArray("pinneR");
        QTest::newRow("not saved, right")
            << 1 << false << QByteArray("pinne") << QByteArray("pinne");
        QTest::newRow("not saved, down")
            << 2 << false << QByteArray("pinne") << QByteArray("pinne");
        QTest::newRow("not saved, both")
            << 3 << false << QByteArray("pinne") << QByteArray("pinne");
    }
    void connectorImages()
    {
        QFETCH(int, lineage);
        QFETCH(bool, saveLineage);
        QFETCH(QByteArray, rightImage);
        QFETCH(QByteArray, downImage);
        settings_.saveLineage = saveLineage;
        std::unique_ptr<Person> box(makeBox("A", {0, 0}, {20, 30}, lineage));
        QCOMPARE(bytes(linksOf(*box, settings_)),
                 "<img class=\"pinH\" style=\"top: 225px; left: 170px; width: 20px;\" src=\"" +
                     rightImage + ".gif\">\n" +
                     "<img class=\"pinV\" style=\"top: 250px; left: 110px; height: 30px;\" src=\"" +
                     downImage + ".gif\">\n");
    }

    void connectorsFollowSettings()
    {
        // Odd box sizes halve truncating; a negative HTML start is written signed.
        TreeSettings& s = settings_;
        s.boxWidth = 125;
        s.boxHeight = 45;
        s.htmlStartX = -100;
        s.htmlStartY = 0;
        std::unique_ptr<Person> box(makeBox("A", {1, 2}, {15, 25}));
        QCOMPARE(bytes(linksOf(*box, settings_)),
                 QByteArray("<img class=\"pinH\" style=\"top: 152px; left: 170px; width: 15px;\" "
                            "src=\"pinne.gif\">\n"
                            "<img class=\"pinV\" style=\"top: 175px; left: 107px; height: 25px;\" "
                            "src=\"pinne.gif\">\n"));
        QCOMPARE(
            bytes(boxOf(*box, settings_)),
            QByteArray("<div class=\"box\" style=\"top: 130px; left: 45px;\"><b>A</b></div>\n"));
    }

    void unconnectedBoxWritesNoImage()
    {
        std::unique_ptr<Person> box(makeBox("A", {0, 0}, {0, 0}, 3));
        QCOMPARE(bytes(linksOf(*box, settings_)), QByteArray());
    }

    void boxContent_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("smallFontLine");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty text") << QByteArray("") << 1 << QByteArray("");
        QTest::newRow("small font from line 0")
            << QByteArray("A|B|C") << 0 << QByteArray("<b><font size=1>A</b><br>B<br>C</font>");
        QTest::newRow("small font from line 1")
            << QByteArray("A|B|C") << 1 << QByteArray("<b>A</b><br><font size=1>B<br>C</font>");
        QTest::newRow("small font from line 2")
            << QByteArray("A|B|C") << 2 << QByteArray("<b>A</b><br>B<br><font size=1>C</font>");
        QTest::newRow("exactly T lines")
            << QByteArray("A|B|C") << 3 << QByteArray("<b>A</b><br>B<br>C");
        QTest::newRow("one line, T 1") << QByteArray("Name") << 1 << QByteArray("<b>Name</b>");
        QTest::newRow("line 3 small") << QByteArray("A|B|C|D") << 3
                                      << QByteArray("<b>A</b><br>B<br>C<br><font size=1>D</font>");
        QTest::newRow("4 means never")
            << QByteArray("A|B|C|D|E") << 4 << QByteArray("<b>A</b><br>B<br>C<br>D<br>E");
        QTest::newRow("above 4 means never")
            << QByteArray("A|B|C|D|E|F|G") << 5
            << QByteArray("<b>A</b><br>B<br>C<br>D<br>E<br>F<br>G");
        QTest::newRow("negative means never")
            << QByteArray("A|B|C") << -1 << QByteArray("<b>A</b><br>B<br>C");
        QTest::newRow("trailing bar adds no line")
            << QByteArray("A |") << 1 << QByteArray("<b>A </b>");
        QTest::newRow("leading bar, empty name")
            << QByteArray("|A") << 1 << QByteArray("<b></b><br><font size=1>A</font>");
        QTest::newRow("two bars, empty line")
            << QByteArray("A||B") << 1 << QByteArray("<b>A</b><br><font size=1><br>B</font>");
        QTest::newRow("markup written as stored")
            << QByteArray("<i>Ann</i> & Co |x<y") << 1
            << QByteArray("<b><i>Ann</i> & Co </b><br><font size=1>x<y</font>");
        QTest::newRow("UTF-8 bytes unchanged")
            << QByteArray("Zo\xc3\xab Pell") << 1 << QByteArray("<b>Zo\xc3\xab Pell</b>");
        QTest::newRow("single-byte text unchanged")
            << QByteArray("Zo\xeb") << 1 << QByteArray("<b>Zo\xeb</b>");
    }
    void boxContent()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, smallFontLine);
        QFETCH(QByteArray, content);
        settings_.smallFontLine = smallFontLine;
        std::unique_ptr<Person> box(makeBox(text.constData(), {0, 0}, {0, 0}));
        QCOMPARE(bytes(boxOf(*box, settings_)),
                 "<div class=\"box\" style=\"top: 200px; left: 50px;\">" + content + "</div>\n");
    }

    // A continuation box at column 1, level 1 (cell at left 190, top 270) with
    // connector lengths 20 (right) and 30 (down).
    void continuationBox_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("left");
        QTest::newRow("up")
            << 0
            << QByteArray("<img class=\"pinV\" style=\"top: 240px; left: 250px; height: 30px;\" "
                          "src=\"pinne.gif\">\n")
            << 270 << 208;
        QTest::newRow("right")
            << 1
            << QByteArray("<img class=\"pinH\" style=\"top: 295px; left: 310px; width: 20px;\" "
                          "src=\"pinne.gif\">\n")
            << 277 << 226;
        QTest::newRow("down")
            << 2
            << QByteArray("<img class=\"pinV\" style=\"top: 320px; left: 250px; height: 30px;\" "
                          "src=\"pinne.gif\">\n")
            << 284 << 208;
        QTest::newRow("left")
            << 3
            << QByteArray("<img class=\"pinH\" style=\"top: 295px; left: 170px; width: 20px;\" "
                          "src=\"pinne.gif\">\n")
            << 277 << 190;
        QTest::newRow("none") << 4 << QByteArray() << 277 << 208;
    }
    void continuationBox()
    {
        QFETCH(int, direction);
        QFETCH(QByteArray, image);
        QFETCH(int, top);
        QFETCH(int, left);
        std::unique_ptr<ContPerson> box(
            makeContinuation("Oakes |chart 1", {1, 1}, {20, 30}, direction));
        box->lineage = 3; // never the lineage image
        QCOMPARE(bytes(linksOf(*box, settings_)), image);
        QCOMPARE(bytes(boxOf(*box, settings_, "tree")),
                 QByteArray("<div class=\"cbox\" style=\"top: ") + QByteArray::number(top) +
                     "px; left: " + QByteArray::number(left) +
                     "px;\"><font size=1><a href=\"tree01.html\">Oakes "
                     "<br></a>chart 1<br></font></div>\n");
    }

    void continuationTruncatesFractions_data()
    {
        // Box 125 x 45: half sizes 62 and 22, steps 18 and 6 (each truncated
        // before it is multiplied). The cell is at left 195, top 265.
        QTest::addColumn<int>("direction");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QByteArray>("position");
        QTest::newRow("up")
            << 0
            << QByteArray("<img class=\"pinV\" style=\"top: 235px; left: 257px; height: 30px;\" "
                          "src=\"pinne.gif\">\n")
            << QByteArray("top: 265px; left: 213px;");
        QTest::newRow("right")
            << 1
            << QByteArray("<img class=\"pinH\" style=\"top: 287px; left: 319px; width: 20px;\" "
                          "src=\"pinne.gif\">\n")
            << QByteArray("top: 271px; left: 231px;");
        QTest::newRow("down")
            << 2
            << QByteArray("<img class=\"pinV\" style=\"top: 309px; left: 257px; height: 30px;\" "
                          "src=\"pinne.gif\">\n")
            << QByteArray("top: 277px; left: 213px;");
        QTest::newRow("left")
            << 3
            << QByteArray("<img class=\"pinH\" style=\"top: 287px; left: 175px; width: 20px;\" "
                          "src=\"pinne.gif\">\n")
            << QByteArray("top: 271px; left: 195px;");
    }
    void continuationTruncatesFractions()
    {
        QFETCH(int, direction);
        QFETCH(QByteArray, image);
        QFETCH(QByteArray, position);
        settings_.boxWidth = 125;
        settings_.boxHeight = 45;
        std::unique_ptr<ContPerson> box(makeContinuation("X", {1, 1}, {20, 30}, direction));
        QCOMPARE(bytes(linksOf(*box, settings_)), image);
        QCOMPARE(bytes(boxOf(*box, settings_, "p")),
                 "<div class=\"cbox\" style=\"" + position +
                     "\"><font size=1><a href=\"p0.html\">X<br></a></font></div>\n");
    }

    void linkSuffix_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("link");
        QTest::newRow("two digits") << QByteArray("Chart 12") << QByteArray("tree12.html");
        QTest::newRow("blank and digit") << QByteArray("Chart 7") << QByteArray("tree07.html");
        QTest::newRow("digit then letter") << QByteArray("Vol 3a") << QByteArray("tree3.html");
        QTest::newRow("single digit text") << QByteArray("5") << QByteArray("tree05.html");
        QTest::newRow("no digit") << QByteArray("Oakes") << QByteArray("tree0.html");
        QTest::newRow("only the last two bytes count")
            << QByteArray("123") << QByteArray("tree23.html");
        QTest::newRow("exactly two digits") << QByteArray("12") << QByteArray("tree12.html");
    }
    void linkSuffix()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, link);
        std::unique_ptr<ContPerson> box(makeContinuation(text.constData(), {0, 0}, {0, 0}, 4));
        const QByteArray element = bytes(boxOf(*box, settings_, "tree"));
        QVERIFY2(element.contains("<a href=\"" + link + "\">" + text + "<br></a></font></div>\n"),
                 element.constData());
    }

    // The page name goes into the link as an address, whatever the file is called;
    // descriptions are HTML as typed unless the user asks for them escaped.
    void escaping_data()
    {
        QTest::addColumn<QByteArray>("pageName");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("escapeText");
        QTest::addColumn<QByteArray>("link");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("markup in the page name")
            << QByteArray("x\"><img src=q onerror=alert(1)>") << QByteArray("Go") << false
            << QByteArray("x%22%3E%3Cimg%20src=q%20onerror=alert(1)%3E0.html") << QByteArray("Go");
        QTest::newRow("blank, ampersand, percent, hash")
            << QByteArray("a b&c%d#e") << QByteArray("Go 2") << false
            << QByteArray("a%20b&amp;c%25d%23e02.html") << QByteArray("Go 2");
        QTest::newRow("UTF-8 name kept") << QByteArray("Zoë") << QByteArray("Go") << false
                                         << QByteArray("Zoë0.html") << QByteArray("Go");
        QTest::newRow("markup in text kept")
            << QByteArray("p") << QByteArray("<i>Ann</i> &amp; Bo") << false
            << QByteArray("p0.html") << QByteArray("<i>Ann</i> &amp; Bo");
        QTest::newRow("text escaped")
            << QByteArray("p") << QByteArray("<i>Ann</i> & \"Bo\"") << true << QByteArray("p0.html")
            << QByteArray("&lt;i&gt;Ann&lt;/i&gt; &amp; &quot;Bo&quot;");
    }
    void escaping()
    {
        QFETCH(QByteArray, pageName);
        QFETCH(QByteArray, text);
        QFETCH(bool, escapeText);
        QFETCH(QByteArray, link);
        QFETCH(QByteArray, shown);
        std::unique_ptr<ContPerson> continuation(
            makeContinuation(text.constData(), {0, 0}, {0, 0}, 4));
        const QByteArray linked =
            bytes(boxOf(*continuation, settings_, pageName.constData(), escapeText));
        QVERIFY2(linked.contains("<a href=\"" + link + "\">" + shown + "<br></a>"),
                 linked.constData());
        std::unique_ptr<Person> plain(makeBox(text.constData(), {0, 0}, {0, 0}));
        const QByteArray boxed = bytes(boxOf(*plain, settings_, pageName.constData(), escapeText));
        QVERIFY2(boxed.contains("<b>" + shown + "</b>"), boxed.constData());
    }

    void emptyContinuationClosesItsLink()
    {
        // No lines, so no link text; the anchor is still closed.
        std::unique_ptr<ContPerson> box(makeContinuation("", {0, 0}, {0, 0}, 4));
        QCOMPARE(bytes(boxOf(*box, settings_, "tree")),
                 QByteArray("<div class=\"cbox\" style=\"top: 207px; left: 68px;\"><font size=1>"
                            "<a href=\"tree0.html\"></a></font></div>\n"));
    }

    void continuationLinesAfterTheFirst()
    {
        std::unique_ptr<ContPerson> box(makeContinuation("A||C", {0, 0}, {0, 0}, 4));
        QCOMPARE(bytes(boxOf(*box, settings_, "t")),
                 QByteArray("<div class=\"cbox\" style=\"top: 207px; left: 68px;\"><font size=1>"
                            "<a href=\"t0.html\">A<br></a><br>C<br></font></div>\n"));
    }

private:
    TreeSettings settings_;
};

QTEST_APPLESS_MAIN(PersonHtmlTest)
#include "person_html_test.moc"
