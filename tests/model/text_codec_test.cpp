// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text_codec.h"

#include <QtTest>

class TextCodecTest : public QObject {
    Q_OBJECT
private slots:
    void display_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ascii") << QByteArray("Abc |De") << QString("Abc |De") << true;
        QTest::newRow("empty") << QByteArray() << QString() << true;
        QTest::newRow("utf-8 e acute") << QByteArray("\xc3\xa9") << QString(QChar(0xE9)) << true;
        QTest::newRow("utf-8 sharp s") << QByteArray("\xc3\x9f") << QString(QChar(0xDF)) << true;
        QTest::newRow("utf-8 L stroke") << QByteArray("\xc5\x81") << QString(QChar(0x141)) << true;
        QTest::newRow("utf-8 CJK") << QByteArray("\xe5\xbc\xa0") << QString(QChar(0x5F20)) << true;
        QTest::newRow("utf-8 four bytes")
            << QByteArray("\xf0\x9f\x8c\xb3") << QString::fromUtf8("\xf0\x9f\x8c\xb3") << true;
        QTest::newRow("last code point")
            << QByteArray("\xf4\x8f\xbf\xbf") << QString::fromUcs4(U"\U0010FFFF") << true;
        QTest::newRow("latin-1 e acute")
            << QByteArray("Z\xe9") << QString("Z") + QChar(0xE9) << false;
        QTest::newRow("cp1252 euro") << QByteArray("\x80") << QString(QChar(0x20AC)) << false;
        QTest::newRow("cp1252 quotes")
            << QByteArray("\x93x\x94") << QString(QChar(0x201C)) + "x" + QChar(0x201D) << false;
        QTest::newRow("cp1252 unassigned") << QByteArray("\x81") << QString(QChar(0xFFFD)) << false;
        QTest::newRow("cp1252 Y diaeresis") << QByteArray("\x9f") << QString(QChar(0x178)) << false;
        QTest::newRow("latin-1 nbsp and y")
            << QByteArray("\xa0\xff") << QString(QChar(0xA0)) + QChar(0xFF) << false;
        // One bad byte makes the whole text Windows-1252, valid sequences included.
        QTest::newRow("mixed") << QByteArray("\xc3\xa9\xe9")
                               << QString(QChar(0xC3)) + QChar(0xA9) + QChar(0xE9) << false;
        QTest::newRow("overlong slash")
            << QByteArray("\xc0\xaf") << QString(QChar(0xC0)) + QChar(0xAF) << false;
        QTest::newRow("overlong three bytes")
            << QByteArray("\xe0\x80\xaf") << QString(QChar(0xE0)) + QChar(0x20AC) + QChar(0xAF)
            << false;
        QTest::newRow("overlong four bytes")
            << QByteArray("\xf0\x80\x80\xaf")
            << QString(QChar(0xF0)) + QChar(0x20AC) + QChar(0x20AC) + QChar(0xAF) << false;
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80")
                                   << QString(QChar(0xED)) + QChar(0xA0) + QChar(0x20AC) << false;
        QTest::newRow("past U+10FFFF")
            << QByteArray("\xf4\x90\x80\x80")
            << QString(QChar(0xF4)) + QChar(0xFFFD) + QChar(0x20AC) + QChar(0x20AC) << false;
        QTest::newRow("truncated sequence")
            << QByteArray("a\xe5\xbc") << QString("a") + QChar(0xE5) + QChar(0xBC) << false;
        QTest::newRow("lone continuation") << QByteArray("\xa9") << QString(QChar(0xA9)) << false;
        QTest::newRow("lead without continuation")
            << QByteArray("\xc3 ") << QString(QChar(0xC3)) + " " << false;
    }
    void display()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QFETCH(bool, valid);
        const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
        QCOMPARE(isValidUtf8(view), valid);
        const std::string text = displayText(view);
        QVERIFY(isValidUtf8(text));
        QCOMPARE(QString::fromUtf8(text.data(), qsizetype(text.size())), shown);
        if (valid)
            QCOMPARE(QByteArray::fromStdString(text), bytes); // kept byte for byte
    }

    void everyByteSequenceDisplaysAsUtf8()
    {
        // Any two or three bytes: the result is valid UTF-8 and never empty.
        for (int a = 0x80; a < 0x100; ++a) {
            for (int b = 0; b < 0x100; b += 7) {
                const char bytes[] = {char(a), char(b), char(0xBF)};
                const std::string text = displayText(std::string_view(bytes, 3));
                QVERIFY(isValidUtf8(text));
                QVERIFY(text.size() >= 3);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TextCodecTest)
#include "text_codec_test.moc"
