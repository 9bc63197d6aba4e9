// SPDX-License-Identifier: GPL-3.0-or-later
// The help window: topics shown as wrapped HTML with their pictures, the
// contents list, the search, and F1 opening the topic of the window in front.
#include "app/editor/context_help.h"
#include "app/editor/help_window.h"
#include "app/editor/main_window.h"
#include "dialogs/find_parent_dialog.h"
#include "dialogs/gedcom_import_dialog.h"
#include "dialogs/html_export_dialog.h"
#include "dialogs/person_dialog.h"
#include "dialogs/settings_dialog.h"
#include "gedcom/gedcom_data.h"
#include "help/help_mgr.h"
#include "private_home.h"

#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QWindow>
#include <QtTest>

#include <memory>

namespace {

QStringList listedTitles(const QListWidget* list)
{
    QStringList titles;
    for (int row = 0; row < list->count(); ++row) {
        if (!list->item(row)->isHidden())
            titles << list->item(row)->text();
    }
    return titles;
}

std::unique_ptr<QWidget> makeWindow(const QString& kind)
{
    static const GedcomData noPersons;
    if (kind == "person")
        return std::make_unique<PersonDialog>();
    if (kind == "parent")
        return std::make_unique<FindParentDialog>();
    if (kind == "settings")
        return std::make_unique<SettingsDialog>(TreeSettings{});
    if (kind == "html")
        return std::make_unique<HtmlExportDialog>(QString());
    if (kind == "gedcom")
        return std::make_unique<GedcomImportDialog>(noPersons);
    return std::make_unique<MainWindow>();
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        usePrivateHome(home_.path());
        HelpWindow::install(nullptr);
        installContextHelp();
    }
    void cleanup() { delete HelpWindow::instance(); }

    void showsTopicAsWrappedHtml_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("help file") << QStringLiteral(STIRPA_HELP_FILE);
        QTest::newRow("built-in copy") << home_.filePath("missing.hlp");
    }
    void showsTopicAsWrappedHtml()
    {
        QFETCH(QString, file);
        QVERIFY(HelpMgr::SetFile(file.toStdString(), false));
        QVERIFY(HelpMgr::mainHelp.Open("Add"));
        HelpWindow* window = HelpWindow::instance();
        QVERIFY(window && window->isVisible());
        window->resize(720, 500);
        QCoreApplication::processEvents();

        QCOMPARE(window->contentsList()->currentItem()->text(), QString("Define person"));
        QCOMPARE(window->contentsList()->item(0)->text(), QString("Stirpa help"));
        QCOMPARE(window->contentsList()->count(), 9);
        QTextBrowser* browser = window->browser();
        QVERIFY(browser->toPlainText().contains("Add/Update stores the text in the selected cell "
                                                "and moves on"));
        QCOMPARE(browser->horizontalScrollBar()->maximum(), 0);
        const QImage picture = QImage::fromData(
            browser->loadResource(QTextDocument::ImageResource, QUrl("person_dialog.png"))
                .toByteArray());
        QVERIFY(picture.width() > 100);
    }

    void contentsAndLinksSwitchTopic()
    {
        QVERIFY(HelpMgr::SetFile(STIRPA_HELP_FILE, false));
        HelpMgr::mainHelp.Open({});
        HelpWindow* window = HelpWindow::instance();
        QListWidget* list = window->contentsList();
        QListWidgetItem* settings = list->findItems("Settings", Qt::MatchExactly).value(0);
        QVERIFY(settings);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(settings).center());
        QCOMPARE(window->currentTopic(), QString("Settings"));
        emit window->browser()->anchorClicked(QUrl("#Parent"));
        QCOMPARE(window->currentTopic(), QString("Parent"));
        QCOMPARE(list->currentItem()->text(), QString("Find parent"));
    }

    void searchFiltersTopics_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("one word") << "lineage" << QStringList{"Find parent", "Index", "Settings"};
        QTest::newRow("any case") << "gedcom"
                                  << QStringList{"Stirpa help", "Import GEDCOM", "Index",
                                                 "Keeping up with the family file"};
        QTest::newRow("every word")
            << "Escape  TEXT" << QStringList{"Export", "Keeping up with the family file"};
        QTest::newRow("not tags") << "href" << QStringList{};
        QTest::newRow("nothing found") << "xyzzy" << QStringList{};
    }
    void searchFiltersTopics()
    {
        QFETCH(QString, words);
        QFETCH(QStringList, titles);
        QVERIFY(HelpMgr::SetFile(STIRPA_HELP_FILE, false));
        HelpMgr::mainHelp.Open("Settings");
        HelpWindow* window = HelpWindow::instance();
        QCOMPARE(window->searchField()->placeholderText(), QString("Search the help"));
        QTest::keyClicks(window->searchField(), words);
        QCOMPARE(listedTitles(window->contentsList()), titles);
        QCOMPARE(!window->browser()->extraSelections().isEmpty(), titles.contains("Settings"));
        window->searchField()->clear();
        QCOMPARE(listedTitles(window->contentsList()).size(), 9);
        QVERIFY(window->browser()->extraSelections().isEmpty());
    }

    void f1OpensTheTopicOfTheWindowInFront_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("topic");
        QTest::newRow("define person") << "person"
                                       << "Add";
        QTest::newRow("find parent") << "parent"
                                     << "Parent";
        QTest::newRow("settings") << "settings"
                                  << "Settings";
        QTest::newRow("export html") << "html"
                                     << "Export";
        QTest::newRow("import gedcom") << "gedcom"
                                       << "Gedcom";
        QTest::newRow("chart") << "main"
                               << "Chart";
    }
    void f1OpensTheTopicOfTheWindowInFront()
    {
        QFETCH(QString, window);
        QFETCH(QString, topic);
        QVERIFY(HelpMgr::SetFile(STIRPA_HELP_FILE, false));
        const std::unique_ptr<QWidget> shown = makeWindow(window);
        shown->show();
        // Pressed in one of its controls, as the key goes to the one with the focus.
        QWidget* control = shown->findChildren<QWidget*>().value(0, shown.get());
        QTest::keyClick(control, Qt::Key_F1);
        QVERIFY(HelpWindow::instance());
        QCOMPARE(HelpWindow::instance()->currentTopic(), topic);
        QTest::keyClick(HelpWindow::instance()->searchField(), Qt::Key_F1);
        QCOMPARE(HelpWindow::instance()->currentTopic(), QString());
    }

    // A modal dialog blocks other windows; the help opened from it must not be one.
    void helpFromAModalDialogTakesClicks()
    {
        QVERIFY(HelpMgr::SetFile(STIRPA_HELP_FILE, false));
        SettingsDialog modal{TreeSettings{}};
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        QTest::keyClick(&modal, Qt::Key_F1);
        HelpWindow* window = HelpWindow::instance();
        QListWidget* list = window->contentsList();
        QListWidgetItem* index = list->findItems("Index", Qt::MatchExactly).value(0);
        // Through the window system, which holds back the input of blocked windows.
        const QPoint at = list->viewport()->mapTo(window, list->visualItemRect(index).center());
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(window->currentTopic(), QString("Index"));
        modal.reject();
        QVERIFY(HelpWindow::instance() && HelpWindow::instance()->isVisible());
    }

private:
    QTemporaryDir home_;
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
