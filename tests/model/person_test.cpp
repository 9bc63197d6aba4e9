// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/person.h"

#include <QtTest>
#include <random>
#include <sstream>
#include <string_view>

namespace {

QByteArray describeLine(const Person& box)
{
    std::ostringstream out;
    box.describe(out);
    return QByteArray::fromStdString(out.str());
}

QByteArray bytes(std::string_view text) { return QByteArray(text.data(), qsizetype(text.size())); }

// Every line break (CR LF, LF, lone CR) as CR LF.
QByteArray withCrLf(const QByteArray& edit)
{
    QByteArray out;
    for (qsizetype i = 0; i < edit.size(); ++i) {
        if (edit[i] == '\r' || edit[i] == '\n') {
            if (edit[i] == '\r' && i + 1 < edit.size() && edit[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else {
            out += edit[i];
        }
    }
    return out;
}

} // namespace

class PersonTest : public QObject {
    Q_OBJECT
private slots:
    void describeLines()
    {
        Person plain("Name\r\nBorn 1900", {3, 1}, {20, 0});
        QCOMPARE(describeLine(plain),
                 QByteArray("  Box Name |Born 1900 at 3j1, connected 20j0, lineage 0\n"));

        ContPerson continuation("Oakes |chart 1", {2, 0}, {20, 20}, 2);
        continuation.lineage = 3;
        QCOMPARE(describeLine(continuation),
                 QByteArray("  Continuation box, dir 2: Oakes |chart 1 at 2j0, connected 20j20, "
                            "lineage 3\n"));

        ContPerson pointingNowhere;
        pointingNowhere.setCell({-1, 4});
        pointingNowhere.setLinkLengths({-5, 7});
        QCOMPARE(describeLine(pointingNowhere),
                 QByteArray("  Continuation box, dir 4:  at -1j4, connected -5j7, lineage 0\n"));

        StorePerson buffer;
        QCOMPARE(buffer.kind(), BoxKind::HeldAside);
        QCOMPARE(describeLine(buffer), QByteArray("  Box  at 0j0, connected 0j0, lineage 0\n"));
    }

    // The log writes the lines of several boxes one after another.
    void describeLinesFollowOneAnother()
    {
        std::ostringstream log;
        Person plain("A", {0, 2}, {0, 20});
        ContPerson continuation("B", {1, 2}, {20, 20}, 1);
        plain.describe(log);
        continuation.describe(log);
        QCOMPARE(QByteArray::fromStdString(log.str()),
                 QByteArray("  Box A at 0j2, connected 0j20, lineage 0\n"
                            "  Continuation box, dir 1: B at 1j2, connected 20j20, lineage 0\n"));
    }

    void kinds()
    {
        Person plain;
        ContPerson continuation;
        StorePerson buffer;
        QCOMPARE(plain.kind(), BoxKind::Person);
        QCOMPARE(continuation.kind(), BoxKind::Continuation);
        QCOMPARE(buffer.kind(), BoxKind::HeldAside);
        QCOMPARE(plain.direction(), 4);
        QCOMPARE(continuation.direction(), 4);
        QCOMPARE(buffer.direction(), 4);
    }

    void setText_data()
    {
        QTest::addColumn<QByteArray>("edit");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("editedBack");
        QTest::newRow("two lines")
            << QByteArray("Name\r\nBorn 1900") << QByteArray("Name |Born 1900")
            << QByteArray("Name\r\nBorn 1900");
        QTest::newRow("lone LF") << QByteArray("a\nb") << QByteArray("a |b")
                                 << QByteArray("a\r\nb");
        QTest::newRow("lone CR") << QByteArray("a\rb") << QByteArray("a |b")
                                 << QByteArray("a\r\nb");
        QTest::newRow("LF first") << QByteArray("\nabc") << QByteArray(" |abc")
                                  << QByteArray("\r\nabc");
        QTest::newRow("CR LF first")
            << QByteArray("\r\nabc") << QByteArray(" |abc") << QByteArray("\r\nabc");
        QTest::newRow("empty line between")
            << QByteArray("a\r\n\r\nb") << QByteArray("a | |b") << QByteArray("a\r\n\r\nb");
        QTest::newRow("LF then CR")
            << QByteArray("a\n\rb") << QByteArray("a | |b") << QByteArray("a\r\n\r\nb");
        QTest::newRow("trailing break")
            << QByteArray("x\r") << QByteArray("x |") << QByteArray("x\r\n");
        QTest::newRow("blank before break")
            << QByteArray("a \nb") << QByteArray("a  |b") << QByteArray("a \r\nb");
        QTest::newRow("leading bar stays")
            << QByteArray("|lead") << QByteArray("|lead") << QByteArray("|lead");
        QTest::newRow("bare bar is a break")
            << QByteArray("a|b") << QByteArray("a|b") << QByteArray("a\r\nb");
        QTest::newRow("utf-8 kept")
            << QByteArray("Zo\xc3\xab\nPell") << QByteArray("Zo\xc3\xab |Pell")
            << QByteArray("Zo\xc3\xab\r\nPell");
        QTest::newRow("empty") << QByteArray("") << QByteArray("") << QByteArray("");
    }
    void setText()
    {
        QFETCH(QByteArray, edit);
        Person box;
        box.setText(edit.toStdString());
        QTEST(bytes(box.text), "stored");
        QTEST(bytes(box.editText()), "editedBack");
    }

    void editTextInvertsStoredTexts()
    {
        // For stored texts (a blank before every bar) the two are inverses, and no
        // typed character is lost on the way in.
        std::mt19937 random(20260107);
        const char alphabet[] = "ab \r\n|x";
        for (int round = 0; round < 2000; ++round) {
            QByteArray edit;
            const int length = int(random() % 12);
            for (int i = 0; i < length; ++i)
                edit += alphabet[random() % (sizeof alphabet - 1)];
            Person box;
            box.setText(edit.toStdString());
            const QByteArray stored = bytes(box.text);
            Person again;
            again.setText(box.editText());
            if (edit.contains('|')) {
                // A typed bar is a line break once edited back.
                QCOMPARE(bytes(again.text).replace(" |", "|"),
                         QByteArray(stored).replace(" |", "|"));
            } else {
                QCOMPARE(bytes(again.text), stored);
                QCOMPARE(bytes(box.editText()), withCrLf(edit));
            }
            QCOMPARE(stored.count('\r') + stored.count('\n'), 0);
        }
    }

    void constructionFromDialog()
    {
        Person box("Name\r\nBorn 1900", {4, 2}, {20, 0});
        QCOMPARE(bytes(box.text), QByteArray("Name |Born 1900"));
        QCOMPARE(box.cell(), (Cell{4, 2}));
        QCOMPARE(box.rightLink(), 20);
        QCOMPARE(box.downLink(), 0);
        QCOMPARE(box.lineage, 0);

        ContPerson continuation("chart 2", {1, 1}, {20, 20}, 9);
        QCOMPARE(continuation.direction(), 4); // no side but 0 to 4 exists
    }

    void setLinks()
    {
        Person plain("p", {0, 0}, {0, 0});
        plain.setLinks({20, 30}, 2);
        QCOMPARE(plain.rightLink(), 20);
        QCOMPARE(plain.downLink(), 30);
        QCOMPARE(plain.direction(), 4);

        ContPerson continuation("c", {0, 0}, {20, 20}, 4);
        continuation.setLinks({0, 0}, 1);
        QCOMPARE(continuation.rightLink(), 20);
        QCOMPARE(continuation.downLink(), 20);
        QCOMPARE(continuation.direction(), 1);
        continuation.setLinks({5, 5}, -1);
        QCOMPARE(continuation.direction(), 4);
        QCOMPARE(continuation.rightLink(), 20);
        continuation.setLinks({5, 5}, 0);
        QCOMPARE(continuation.direction(), 0);
    }

    void copyContentLeavesCellKindAndDirection()
    {
        ContPerson source("src", {5, 6}, {11, 12}, 3);
        source.lineage = 2;
        ContPerson target("dst", {1, 1}, {0, 0}, 1);
        target.copyContentFrom(source);
        QCOMPARE(bytes(target.text), QByteArray("src"));
        QCOMPARE(target.rightLink(), 11);
        QCOMPARE(target.downLink(), 12);
        QCOMPARE(target.lineage, 2);
        QCOMPARE(target.cell(), (Cell{1, 1}));
        QCOMPARE(target.direction(), 1);
        QCOMPARE(target.kind(), BoxKind::Continuation);
    }

    void directionFactorsStayInTable()
    {
        QCOMPARE(directionFactors(0).x, 1);
        QCOMPARE(directionFactors(0).y, 0);
        QCOMPARE(directionFactors(1).x, 2);
        QCOMPARE(directionFactors(3).x, 0);
        QCOMPARE(directionFactors(2).y, 2);
        for (int outside : {-1, 5, 9, 1000}) {
            QCOMPARE(directionFactors(outside).x, 1);
            QCOMPARE(directionFactors(outside).y, 1);
        }
    }
};

QTEST_APPLESS_MAIN(PersonTest)
#include "person_test.moc"
