// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/json_text.h"

#include <QTest>

class JsonTextTest : public QObject {
    Q_OBJECT
private slots:
    void escaped_data();
    void escaped();
};

void JsonTextTest::escaped_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("plain") << QByteArray("Anna Root |b. 1841") << QByteArray("Anna Root |b. 1841");
    QTest::newRow("empty") << QByteArray("") << QByteArray("");
    QTest::newRow("quote and backslash")
        << QByteArray("say \"a\\b\"") << QByteArray("say \\\"a\\\\b\\\"");
    QTest::newRow("end of script") << QByteArray("</script><script>alert(1)</script>")
                                   << QByteArray("\\u003c/script\\u003e\\u003cscript\\u003ealert(1)"
                                                 "\\u003c/script\\u003e");
    QTest::newRow("comment") << QByteArray("<!-- x -->") << QByteArray("\\u003c!-- x --\\u003e");
    QTest::newRow("entity") << QByteArray("&amp;") << QByteArray("\\u0026amp;");
    QTest::newRow("line feed") << QByteArray("a\nb") << QByteArray("a\\nb");
    QTest::newRow("control bytes")
        << QByteArray("\x01\x1f\x20", 3) << QByteArray("\\u0001\\u001f ");
    QTest::newRow("tab") << QByteArray("a\tb") << QByteArray("a\\u0009b");
    QTest::newRow("line separator") << QByteArray("a\xE2\x80\xA8"
                                                  "b")
                                    << QByteArray("a\\u2028b");
    QTest::newRow("paragraph separator") << QByteArray("\xE2\x80\xA9") << QByteArray("\\u2029");
    // U+2027 and U+202A lie either side of the two separators: they stay as they are.
    QTest::newRow("beside the separators")
        << QByteArray("\xE2\x80\xA7\xE2\x80\xAA") << QByteArray("\xE2\x80\xA7\xE2\x80\xAA");
    QTest::newRow("separator cut short at the end")
        << QByteArray("a\xE2\x80") << QByteArray("a\xE2\x80");
    QTest::newRow("accents stay UTF-8") << QByteArray("Zo\xC3\xAB") << QByteArray("Zo\xC3\xAB");
}

void JsonTextTest::escaped()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, json);
    std::string out = "x";
    appendJsonText(out, std::string_view(text.constData(), std::size_t(text.size())));
    QCOMPARE(QByteArray::fromStdString(out), "x" + json);
}

QTEST_APPLESS_MAIN(JsonTextTest)
#include "json_text_test.moc"
