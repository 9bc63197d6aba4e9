// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/find_parent_dialog.h"

#include "help/help_mgr.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

namespace {

using Requests = std::vector<std::string>;

// Stands in for the main window: the dialog's parent, remembering its requests
// and what the last Find asked for.
class Owner : public QWidget {
public:
    void listenTo(FindParentDialog& dialog)
    {
        connect(&dialog, &FindParentDialog::findRequested, this, [this, &dialog] {
            requests.push_back("find");
            ancestor = dialog.findsAncestor();
            highlight = dialog.highlightsLineage();
        });
        connect(&dialog, &FindParentDialog::closeRequested, this,
                [this] { requests.push_back("close"); });
    }
    Requests requests;
    bool ancestor = false;
    bool highlight = false;
};

QRect placeIn(const QWidget* widget, const QWidget* dialog)
{
    return QRect(widget->mapTo(dialog, QPoint(0, 0)), widget->size());
}

} // namespace

class FindParentDialogTest : public QObject {
    Q_OBJECT

private slots:
    void controlsAndDefaults()
    {
        Owner owner;
        FindParentDialog dialog(&owner);
        owner.listenTo(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Find Parent"));
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.parentWidget(), &owner);
        QVERIFY(dialog.isWindow());

        QCOMPARE(dialog.immediateButton()->text(), QStringLiteral("Immediate parent"));
        QCOMPARE(dialog.ancestorButton()->text(), QStringLiteral("Ancestor"));
        QCOMPARE(dialog.highlightBox()->text(), QStringLiteral("Highlight lineage"));
        QCOMPARE(dialog.findButton()->text(), QStringLiteral("Find"));
        QCOMPARE(dialog.helpButton()->text(), QStringLiteral("Help"));
        QCOMPARE(dialog.closeButton()->text(), QStringLiteral("Close"));
        auto* group = qobject_cast<QGroupBox*>(dialog.immediateButton()->parentWidget());
        QVERIFY(group);
        QCOMPARE(group->title(), QStringLiteral("Find"));
        QCOMPARE(dialog.ancestorButton()->parentWidget(), group);

        QVERIFY(dialog.immediateButton()->isChecked());
        QVERIFY(!dialog.ancestorButton()->isChecked());
        QVERIFY(!dialog.highlightBox()->isChecked());
        QVERIFY(!dialog.findsAncestor());
        QVERIFY(!dialog.highlightsLineage());
        QVERIFY(dialog.findButton()->isDefault());
        QVERIFY(!dialog.helpButton()->isDefault());
        QVERIFY(!dialog.closeButton()->isDefault());
    }

    // The template's arrangement: the group top left with the check box to its
    // right, the buttons Find, Help, Close in a row below; nothing overlaps or
    // sticks out of the dialog, and the radio texts are not cut.
    void layoutKeepsTheTemplatePlaces()
    {
        Owner owner;
        FindParentDialog dialog(&owner);
        owner.listenTo(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* group = dialog.immediateButton()->parentWidget();
        const QRect groupRect = placeIn(group, &dialog);
        const QRect check = placeIn(dialog.highlightBox(), &dialog);
        const QRect find = placeIn(dialog.findButton(), &dialog);
        const QRect help = placeIn(dialog.helpButton(), &dialog);
        const QRect close = placeIn(dialog.closeButton(), &dialog);

        QVERIFY(check.left() > groupRect.right());
        QVERIFY(check.top() > groupRect.top());
        QVERIFY(check.bottom() < find.top());
        for (const QRect& button : {find, help, close})
            QVERIFY(button.top() > groupRect.bottom());
        QVERIFY(find.right() < help.left());
        QVERIFY(help.right() < close.left());
        QCOMPARE(find.top(), help.top());
        QVERIFY(qAbs(find.left() - groupRect.left()) <= 1);
        for (const QRect& part : {groupRect, check, find, help, close})
            QVERIFY2(dialog.rect().contains(part), "a control lies outside the dialog");
        for (QRadioButton* radio : {dialog.immediateButton(), dialog.ancestorButton()}) {
            QVERIFY(radio->width() >= radio->sizeHint().width());
            QVERIFY(group->rect().contains(QRect(radio->pos(), radio->size())));
        }
        QVERIFY(dialog.immediateButton()->y() < dialog.ancestorButton()->y());
        // About the template's proportions (172 x 66 units, wider than high).
        QVERIFY(dialog.width() > 2 * dialog.height());
        QVERIFY(dialog.width() < 4 * dialog.height());
    }

    void findReadsTheControlsAndAsksToFind_data()
    {
        QTest::addColumn<bool>("ancestor");
        QTest::addColumn<bool>("highlight");
        QTest::newRow("defaults") << false << false;
        QTest::newRow("ancestor") << true << false;
        QTest::newRow("highlight") << false << true;
        QTest::newRow("both") << true << true;
    }
    void findReadsTheControlsAndAsksToFind()
    {
        QFETCH(bool, ancestor);
        QFETCH(bool, highlight);
        Owner owner;
        FindParentDialog dialog(&owner);
        owner.listenTo(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        if (ancestor)
            QTest::mouseClick(dialog.ancestorButton(), Qt::LeftButton);
        if (highlight)
            QTest::mouseClick(dialog.highlightBox(), Qt::LeftButton);
        // Choosing asks for nothing; Find asks for what the controls show.
        QCoreApplication::processEvents();
        QVERIFY(owner.requests.empty());

        QTest::mouseClick(dialog.findButton(), Qt::LeftButton);
        QCOMPARE(owner.requests, Requests{"find"});
        QCOMPARE(owner.ancestor, ancestor);
        QCOMPARE(owner.highlight, highlight);
        QVERIFY(dialog.isVisible());
    }

    void choicesStayBetweenFinds()
    {
        Owner owner;
        FindParentDialog dialog(&owner);
        owner.listenTo(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.ancestorButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.highlightBox(), Qt::LeftButton);
        QTest::mouseClick(dialog.findButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.immediateButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.findButton(), Qt::LeftButton);
        QVERIFY(!owner.ancestor);
        QVERIFY(owner.highlight);
        QCOMPARE(owner.requests, (Requests{"find", "find"}));
    }

    void enterPressesFind()
    {
        Owner owner;
        FindParentDialog dialog(&owner);
        owner.listenTo(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(owner.requests, Requests{"find"});
    }

    void closeAsksToCloseAndStaysForTheWindow()
    {
        Owner owner;
        auto* dialog = new FindParentDialog(&owner);
        owner.listenTo(*dialog);
        QPointer<FindParentDialog> alive(dialog);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QTest::mouseClick(dialog->closeButton(), Qt::LeftButton);
        QCOMPARE(owner.requests, Requests{"close"});
        // Destroying it is the window's work.
        QVERIFY(alive);
    }

    void escapeAndCloseBoxOnlyHide_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Esc") << true;
        QTest::newRow("close box") << false;
    }
    void escapeAndCloseBoxOnlyHide()
    {
        QFETCH(bool, escape);
        Owner owner;
        auto* dialog = new FindParentDialog(&owner);
        owner.listenTo(*dialog);
        QPointer<FindParentDialog> alive(dialog);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QTest::mouseClick(dialog->ancestorButton(), Qt::LeftButton);
        if (escape)
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            dialog->close();
        QCoreApplication::processEvents();
        QVERIFY(alive);
        QVERIFY(!dialog->isVisible());
        QVERIFY(owner.requests.empty());
        dialog->show();
        QVERIFY(dialog->ancestorButton()->isChecked());
    }

    void helpOpensTheParentTopic()
    {
        HelpMgr::SetFile(STIRPA_HELP_FILE, false);
        std::vector<std::string> shown;
        HelpMgr::setViewer(
            [&](const std::string& topic, const std::string&) { shown.push_back(topic); });
        Owner owner;
        FindParentDialog dialog(&owner);
        owner.listenTo(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.helpButton(), Qt::LeftButton);
        HelpMgr::setViewer({});
        QCOMPARE(shown, std::vector<std::string>{"Parent"});
        QCoreApplication::processEvents();
        QVERIFY(owner.requests.empty());
    }
};

QTEST_MAIN(FindParentDialogTest)
#include "find_parent_dialog_test.moc"
