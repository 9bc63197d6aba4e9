// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_markup.h"

#include <QtTest>

class HelpMarkupTest : public QObject {
    Q_OBJECT
private slots:
    void markupToHtml_data()
    {
        QTest::addColumn<QByteArray>("markup");
        QTest::addColumn<QByteArray>("html");
        QTest::newRow("headings") << QByteArray("# Find parent\n## Lineage\n")
                                  << QByteArray("<h1>Find parent</h1>\n<h2>Lineage</h2>\n");
        QTest::newRow("paragraphs joined and split")
            << QByteArray("one\ntwo\n\nthree\n") << QByteArray("<p>one two</p>\n<p>three</p>\n");
        QTest::newRow("list with a continued item")
            << QByteArray("- first\n  goes on\n- second\nafter\n")
            << QByteArray("<ul>\n<li>first goes on</li>\n<li>second</li>\n</ul>\n<p>after</p>\n");
        QTest::newRow("links") << QByteArray("see [[Add]] or [the contents](#)\n")
                               << QByteArray("<p>see <a href=\"#Add\">Add</a> or "
                                             "<a href=\"#\">the contents</a></p>\n");
        QTest::newRow("picture") << QByteArray("![The <Settings> dialog](settings.png)\n")
                                 << QByteArray("<p><img src=\"settings.png\" alt=\"The "
                                               "&lt;Settings&gt; dialog\"><br><i>The "
                                               "&lt;Settings&gt; dialog</i></p>\n");
        QTest::newRow("escaping") << QByteArray("a < b & \"c\"\n")
                                  << QByteArray("<p>a &lt; b &amp; &quot;c&quot;</p>\n");
        QTest::newRow("emphasis, strong and keys")
            << QByteArray("*Start with*, **Apply**, `Ctrl+<`\n")
            << QByteArray("<p><i>Start with</i>, <b>Apply</b>, <code>Ctrl+&lt;</code></p>\n");
        QTest::newRow("stars that are no emphasis")
            << QByteArray("\\*.txt and 2 * 3\n") << QByteArray("<p>*.txt and 2 * 3</p>\n");
        QTest::newRow("indented lines kept")
            << QByteArray("    stirpa <FILE>\n      --root X\n")
            << QByteArray("<pre>stirpa &lt;FILE&gt;\n  --root X</pre>\n");
    }
    void markupToHtml()
    {
        QFETCH(QByteArray, markup);
        QFETCH(QByteArray, html);
        QCOMPARE(QByteArray::fromStdString(helpMarkupToHtml(markup.toStdString())), html);
    }
};

QTEST_APPLESS_MAIN(HelpMarkupTest)
#include "help_markup_test.moc"
