// SPDX-License-Identifier: GPL-3.0-or-later
// The Define person dialog's keys hint is one line, whole, in every language,
// at the dialog's own size.
#include "app/editor/translation.h"
#include "dialogs/person_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

namespace {

// The label under the description that names Enter and Ctrl+Enter.
QLabel* keysHint(const PersonDialog& dialog)
{
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text().contains("Enter") && label->text().contains("+Enter"))
            return label;
    return nullptr;
}

} // namespace

class KeysHintTest : public QObject {
    Q_OBJECT
private slots:
    void hintIsOneWholeLine_data()
    {
        QTest::addColumn<QString>("language");
        // A translation stays once installed: German comes last.
        QTest::newRow("English") << "en";
        QTest::newRow("German") << "de";
    }
    void hintIsOneWholeLine()
    {
        QFETCH(QString, language);
        if (language == "de")
            installTranslations(language);
        QWidget owner;
        PersonDialog dialog(&owner);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QLabel* hint = keysHint(dialog);
        QVERIFY(hint && hint->isVisible());
        QVERIFY(!hint->wordWrap());
        const QFontMetrics metrics = hint->fontMetrics();
        const int textWidth = metrics.horizontalAdvance(hint->text());
        QVERIFY2(textWidth <= hint->contentsRect().width(),
                 qPrintable(QString("%1 px of text in %2 px").arg(textWidth).arg(hint->width())));
        QVERIFY(hint->height() >= metrics.height());
        QVERIFY(hint->height() < 2 * metrics.lineSpacing());
        // Inside the dialog, clear of the description above and the Level frame
        // beside it.
        QVERIFY(dialog.rect().contains(hint->geometry()));
        QVERIFY(hint->y() > dialog.descriptionEdit()->geometry().bottom());
        for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
            QVERIFY2(!group->geometry().intersects(hint->geometry()), qPrintable(group->title()));
    }
};

QTEST_MAIN(KeysHintTest)
#include "keys_hint_test.moc"
