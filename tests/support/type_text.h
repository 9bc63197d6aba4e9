// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>

// Types text into a widget key by key, as a keyboard would, letters outside
// Latin-1 included (QTest::keyClicks would turn those into nothing).
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        const auto key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}
