// SPDX-License-Identifier: GPL-3.0-or-later
// Every menu can be worked from the keyboard: within the menu bar and within
// each menu no two entries share an access letter, in every language.
#include "app/editor/main_window.h"
#include "app/editor/translation.h"
#include "files/debug_log.h"
#include "private_home.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

namespace {

// The letter after a single '&' ("&&" is a '&' shown), lower-cased; none when
// the text has no access letter.
QChar accessLetter(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

// The entries of the list that share an access letter with an earlier one.
QStringList clashes(const QList<QAction*>& actions)
{
    QStringList found;
    QMap<QChar, QString> taken;
    for (const QAction* action : actions) {
        const QChar letter = accessLetter(action->text());
        if (action->isSeparator() || !action->isVisible() || letter.isNull())
            continue;
        if (taken.contains(letter))
            found.append(taken[letter] + " / " + action->text());
        taken.insert(letter, action->text());
    }
    return found;
}

} // namespace

class MenuKeysTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        redirectDebugLog(&log_);
        usePrivateHome(home_.path());
    }
    void cleanupTestCase() { redirectDebugLog(nullptr); }

    void accessLettersAreUnique_data()
    {
        QTest::addColumn<QString>("language");
        // A translation stays once installed: German comes last.
        QTest::newRow("English") << "en";
        QTest::newRow("German") << "de";
    }
    void accessLettersAreUnique()
    {
        QFETCH(QString, language);
        if (language == "de")
            installTranslations(language);
        MainWindow window;
        const QList<QAction*> menus = window.menuBar()->actions();
        QCOMPARE(menus.size(), 5);
        QCOMPARE(clashes(menus), QStringList());
        int lettered = 0;
        for (const QAction* title : menus) {
            QVERIFY2(!accessLetter(title->text()).isNull(), qPrintable(title->text()));
            const QList<QAction*> entries = title->menu()->actions();
            QVERIFY2(clashes(entries).isEmpty(),
                     qPrintable(title->text() + ": " + clashes(entries).join(", ")));
            for (const QAction* entry : entries)
                lettered += accessLetter(entry->text()).isNull() ? 0 : 1;
        }
        // Every entry but the log and the recent files' stand-in has its letter.
        QCOMPARE(lettered, 38);
    }

private:
    std::ostringstream log_;
    QTemporaryDir home_;
};

QTEST_MAIN(MenuKeysTest)
#include "menu_keys_test.moc"
