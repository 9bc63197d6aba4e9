// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/qt_font.h"

#include <QRandomGenerator>
#include <QTest>

class QtFontTest : public QObject {
    Q_OBJECT

private slots:
    // Measuring only where the answer is open answers as measuring always
    // would: against the text's cell and a little more (2 pixels left, half
    // the height right), Inside only where the caller is not clipping anyway.
    void textAgainstClipAsIfMeasured()
    {
        const QStringList texts{QStringLiteral("Ann"), QStringLiteral("b. 1713 Colbeck"),
                                QStringLiteral("Wilhelmina Merrow"), QStringLiteral(" ")};
        const Rect clip{100, 50, 220, 110};
        QRandomGenerator random(7);
        for (int round = 0; round < 4000; ++round) {
            const QtFont& font = *chartFont("Arial", 12 + random.bounded(6), random.bounded(2));
            const QString& text = texts[random.bounded(int(texts.size()))];
            const Point at{random.bounded(-60, 260), random.bounded(30, 140)};
            const bool clipping = random.bounded(2);
            const int height = font.metrics.height();
            const Rect cell{at.x - 2, at.y - height,
                            at.x + font.metrics.horizontalAdvance(text) + height / 2, at.y};
            const bool outside = cell.left >= clip.right || cell.right <= clip.left ||
                                 cell.top >= clip.bottom || cell.bottom <= clip.top;
            const bool inside = cell.left >= clip.left && cell.right <= clip.right &&
                                cell.top >= clip.top && cell.bottom <= clip.bottom;
            const TextAgainstClip expected = outside               ? TextAgainstClip::Outside
                                             : inside && !clipping ? TextAgainstClip::Inside
                                                                   : TextAgainstClip::Crossing;
            if (textAgainstClip(font, text, at, clip, clipping) != expected)
                QFAIL(qPrintable(QStringLiteral("'%1' at %2,%3, clipping %4")
                                     .arg(text)
                                     .arg(at.x)
                                     .arg(at.y)
                                     .arg(clipping)));
        }
    }
};

QTEST_MAIN(QtFontTest)
#include "qt_font_test.moc"
