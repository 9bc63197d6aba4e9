// SPDX-License-Identifier: GPL-3.0-or-later
// The define-person dialog on its own: controls, layout, the connector rules,
// Enter and Ctrl+Enter, the requests it makes and the text it hands over.
#include "dialogs/person_dialog.h"

#include "dialogs/arrow_button.h"
#include "help/help_mgr.h"
#include "model/person.h"
#include "type_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <map>
#include <string>
#include <vector>

namespace {

using Requests = std::vector<std::string>;

// Stands in for the main window: remembers the dialog's requests.
class Listener : public QWidget {
public:
    void listenTo(PersonDialog& dialog)
    {
        connect(&dialog, &PersonDialog::applyRequested, this, [this, &dialog] {
            requests.push_back("apply");
            applied = dialog.entry();
        });
        connect(&dialog, &PersonDialog::newLevelRequested, this,
                [this] { requests.push_back("new level"); });
        connect(&dialog, &PersonDialog::closeRequested, this,
                [this] { requests.push_back("close"); });
        connect(&dialog, &PersonDialog::stepRequested, this, [this](Qt::ArrowType direction) {
            static const std::map<Qt::ArrowType, std::string> names = {{Qt::UpArrow, "up"},
                                                                       {Qt::RightArrow, "right"},
                                                                       {Qt::DownArrow, "down"},
                                                                       {Qt::LeftArrow, "left"}};
            requests.push_back("step " + names.at(direction));
        });
    }
    Requests requests;
    // What the dialog asked for at the last apply request.
    PersonEntry applied;
};

QRect placeIn(const QWidget* widget, const QWidget* dialog)
{
    return QRect(widget->mapTo(dialog, QPoint(0, 0)), widget->size());
}

// The checked states of the connector boxes: up, right, down, left.
QString checks(const PersonDialog& dialog)
{
    QString marks;
    for (int side = 0; side < 4; ++side)
        marks += dialog.connectorBox(side)->isChecked() ? QLatin1Char('x') : QLatin1Char('-');
    return marks;
}

struct Shown {
    Listener owner;
    PersonDialog dialog{&owner};
    Shown()
    {
        owner.listenTo(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
};

} // namespace

class PersonDialogTest : public QObject {
    Q_OBJECT

private slots:
    void controlsAndDefaults()
    {
        Listener owner;
        PersonDialog dialog(&owner);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Define person"));
        QVERIFY(!dialog.isModal());
        QVERIFY(dialog.isWindow());
        QCOMPARE(dialog.parentWidget(), &owner);

        // Nothing chosen yet: an empty plain box at the top-left cell, no connector.
        QVERIFY(dialog.descriptionEdit()->toPlainText().isEmpty());
        QVERIFY(!dialog.continuationBox()->isChecked());
        QCOMPARE(checks(dialog), QStringLiteral("----"));
        QCOMPARE(dialog.columnEdit()->text(), QStringLiteral("0"));
        QCOMPARE(dialog.levelEdit()->text(), QStringLiteral("0"));
        const PersonEntry entry = dialog.entry();
        QCOMPARE(entry.description, std::string());
        QCOMPARE(entry.cell, (Cell{0, 0}));
        QCOMPARE(entry.links.right, 0);
        QCOMPARE(entry.links.down, 0);
        QVERIFY(!entry.continuation);
        QCOMPARE(entry.direction, 4);

        QCOMPARE(dialog.applyButton()->text(), QStringLiteral("Add"));
        QVERIFY(dialog.applyButton()->isDefault());
        QCOMPARE(dialog.closeButton()->text(), QStringLiteral("Close"));
        QCOMPARE(dialog.helpButton()->text(), QStringLiteral("Help"));
        QCOMPARE(dialog.newLevelButton()->text(), QStringLiteral("New level"));
        QCOMPARE(dialog.continuationBox()->text(), QStringLiteral("Continuation box"));
        QCOMPARE(dialog.connectLabel()->text(), QStringLiteral("Connect"));
        QVERIFY(dialog.columnEdit()->isReadOnly());
        QVERIFY(dialog.levelEdit()->isReadOnly());
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        for (const char* text : {"Enter name and description", "x", "y", "Connect"})
            QVERIFY2(labels.contains(QString::fromLatin1(text)), text);
        QStringList groups;
        for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
            groups << group->title();
        groups.sort();
        QCOMPARE(groups, (QStringList{QStringLiteral("Connectors"), QStringLiteral("Level")}));

        const char* names[4] = {"UP", "RIGHT", "DOWN", "LEFT"};
        for (int side = 0; side < 4; ++side) {
            QCOMPARE(dialog.arrowButton(side)->text(), QString::fromLatin1(names[side]));
            QCOMPARE(dialog.arrowButton(side)->iconSize(), QSize(30, 30));
        }
    }

    // Each arrow is drawn toward its own side: its tip is painted, the far
    // corners stay clear, and the focused picture differs from the plain one.
    // A high-density screen gets a drawing of its own, not a scaled copy.
    void arrowPicturesPointToTheirSides_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("normal screen") << 1.0;
        QTest::newRow("double density") << 2.0;
    }
    void arrowPicturesPointToTheirSides()
    {
        QFETCH(qreal, ratio);
        const QSize size(ArrowButton::pictureSize, ArrowButton::pictureSize);
        const auto image = [&](ArrowButton::Side side, bool focused) {
            return ArrowButton::arrowPicture(side, focused).pixmap(size, ratio).toImage();
        };
        const QPoint tips[4] = {{15, 5}, {25, 15}, {15, 25}, {5, 15}};
        const QPoint backs[4] = {{15, 28}, {1, 15}, {15, 1}, {28, 15}};
        const auto alphaAt = [ratio](const QImage& picture, QPoint at) {
            return qAlpha(picture.pixel(at * ratio));
        };
        for (int side = 0; side < 4; ++side) {
            const auto s = ArrowButton::Side(side);
            const QImage plain = image(s, false);
            QCOMPARE(plain.size(), size * ratio);
            QVERIFY(alphaAt(plain, tips[side]) > 128);
            QCOMPARE(alphaAt(plain, backs[side]), 0);
            for (QPoint corner : {QPoint(1, 1), QPoint(28, 1), QPoint(1, 28), QPoint(28, 28)})
                QCOMPARE(alphaAt(plain, corner), 0);
            QVERIFY(plain != image(s, true));
        }
    }

    // Above the buttons, in a smaller font, a line says what Enter and
    // Ctrl+Enter do in the description.
    void aHintAboveTheButtonsNamesItsKeys()
    {
        Shown shown;
        const QString text =
            QStringLiteral("Enter adds the box \u00b7 Ctrl+Enter starts a new line");
        QLabel* hint = nullptr;
        for (QLabel* label : shown.dialog.findChildren<QLabel*>())
            if (label->text() == text)
                hint = label;
        QVERIFY(hint && hint->isVisible());
        QVERIFY(hint->geometry().bottom() < shown.dialog.applyButton()->y());
        for (const QGroupBox* group : shown.dialog.findChildren<QGroupBox*>())
            QVERIFY(hint->y() > group->geometry().bottom());
        QVERIFY(hint->font().pointSizeF() < shown.dialog.font().pointSizeF());
    }

    // The template's arrangement: the prompt over the description, the
    // connectors below it with the four boxes around "Connect", the cell and the
    // arrow cross framed on the right, the buttons Add, Help, Close along the
    // bottom. Nothing overlaps, sticks out or is cut.
    void layoutKeepsTheTemplatePlaces()
    {
        Shown shown;
        PersonDialog& d = shown.dialog;
        const auto at = [&](const QWidget* w) { return placeIn(w, &d); };
        QGroupBox* level = nullptr;
        QGroupBox* connectors = nullptr;
        for (QGroupBox* group : d.findChildren<QGroupBox*>())
            (group->title() == QStringLiteral("Level") ? level : connectors) = group;
        QVERIFY(level && connectors);
        const QRect edit = at(d.descriptionEdit());
        const QRect label = at(d.connectLabel());

        QVERIFY(edit.right() < at(level).left());
        QVERIFY(edit.bottom() < at(connectors).top());
        QVERIFY(at(connectors).right() < at(level).left());
        for (QWidget* inside :
             {static_cast<QWidget*>(d.continuationBox()), static_cast<QWidget*>(d.connectLabel()),
              static_cast<QWidget*>(d.connectorBox(0)), static_cast<QWidget*>(d.connectorBox(1)),
              static_cast<QWidget*>(d.connectorBox(2)), static_cast<QWidget*>(d.connectorBox(3))})
            QVERIFY(at(connectors).contains(at(inside)));
        QVERIFY(at(d.connectorBox(0)).bottom() < label.top());
        QVERIFY(at(d.connectorBox(2)).top() > label.bottom());
        QVERIFY(at(d.connectorBox(3)).right() < label.left());
        QVERIFY(at(d.connectorBox(1)).left() > label.right());
        QVERIFY(at(d.continuationBox()).top() > at(d.connectorBox(2)).bottom());
        QCOMPARE(d.connectLabel()->alignment(), Qt::Alignment(Qt::AlignCenter));
        QVERIFY(d.connectLabel()->frameShape() == QFrame::Box);

        for (QWidget* inside :
             {static_cast<QWidget*>(d.columnEdit()), static_cast<QWidget*>(d.levelEdit()),
              static_cast<QWidget*>(d.newLevelButton()), static_cast<QWidget*>(d.arrowButton(0)),
              static_cast<QWidget*>(d.arrowButton(1)), static_cast<QWidget*>(d.arrowButton(2)),
              static_cast<QWidget*>(d.arrowButton(3))})
            QVERIFY(at(level).contains(at(inside)));
        QVERIFY(at(d.columnEdit()).right() < at(d.levelEdit()).left());
        const QRect up = at(d.arrowButton(0)), right = at(d.arrowButton(1)),
                    down = at(d.arrowButton(2)), left = at(d.arrowButton(3));
        QVERIFY(at(d.columnEdit()).bottom() < up.top());
        QVERIFY(up.bottom() < down.top() && left.right() < right.left());
        QCOMPARE(up.center().x(), down.center().x());
        QCOMPARE(left.center().y(), right.center().y());
        QVERIFY(left.center().x() < up.center().x() && up.center().x() < right.center().x());
        QVERIFY(up.center().y() < left.center().y() && left.center().y() < down.center().y());
        QVERIFY(down.bottom() < at(d.newLevelButton()).top());

        const QRect add = at(d.applyButton()), help = at(d.helpButton()),
                    close = at(d.closeButton());
        QCOMPARE(add.top(), help.top());
        QCOMPARE(help.top(), close.top());
        QVERIFY(add.right() < help.left() && help.right() < close.left());
        QVERIFY(add.top() > at(level).bottom() && add.top() > at(connectors).bottom());

        // No two controls share a pixel, except a control and its frame.
        QList<QWidget*> controls;
        for (QWidget* child : d.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!qobject_cast<QGroupBox*>(child))
                controls << child;
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY2(d.rect().contains(at(controls[i])), "a control lies outside the dialog");
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY2(!at(controls[i]).intersects(at(controls[j])),
                         qPrintable(controls[i]->metaObject()->className() + QStringLiteral(" / ") +
                                    controls[j]->metaObject()->className()));
        }
        for (QWidget* text :
             {static_cast<QWidget*>(d.continuationBox()), static_cast<QWidget*>(d.applyButton()),
              static_cast<QWidget*>(d.newLevelButton())})
            QVERIFY(text->width() >= text->sizeHint().width());
        // About the template's proportions (187 x 161 units).
        QVERIFY(d.width() > d.height() * 2 / 3 && d.width() < d.height() * 2);
    }

    void showCellTakesTheDefaultsOfANewBox_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("connectors");
        QTest::newRow("first column") << 0 << QStringLiteral("-xx-");
        QTest::newRow("further right") << 3 << QStringLiteral("-x--");
    }
    void showCellTakesTheDefaultsOfANewBox()
    {
        QFETCH(int, column);
        QFETCH(QString, connectors);
        Shown shown;
        PersonDialog& d = shown.dialog;
        // A continuation box shown before must not leave its traces.
        ContPerson earlier("See chart 2", {5, 5}, {20, 20}, 3);
        d.showPerson(earlier);
        d.showCell({column, 2});
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Add"));
        QVERIFY(d.applyButton()->isDefault());
        QVERIFY(d.continuationBox()->isEnabled());
        QVERIFY(!d.continuationBox()->isChecked());
        QCOMPARE(checks(d), connectors);
        QVERIFY(!d.connectorBox(0)->isEnabled() && !d.connectorBox(3)->isEnabled());
        QVERIFY(d.connectorBox(1)->isEnabled() && d.connectorBox(2)->isEnabled());
        QCOMPARE(d.columnEdit()->text(), QString::number(column));
        QCOMPARE(d.levelEdit()->text(), QStringLiteral("2"));
        // The edit keeps the last text it showed.
        QCOMPARE(d.descriptionEdit()->toPlainText(), QStringLiteral("See chart 2"));
        const PersonEntry entry = d.entry();
        QCOMPARE(entry.cell, (Cell{column, 2}));
        QCOMPARE(entry.description, std::string("See chart 2"));
        QVERIFY(!entry.continuation);
        QCOMPARE(entry.links.right, 20);
        QCOMPARE(entry.links.down, column == 0 ? 20 : 0);
        QCOMPARE(entry.direction, 4);
    }

    // Text typed but not yet applied stays when the dialog moves to an empty
    // cell, and is what the next Add asks for; a box shown replaces it.
    void typedTextStaysOnAnEmptyCell()
    {
        Shown shown;
        PersonDialog& d = shown.dialog;
        Person box("Ann", {6, 9}, {20, 0});
        d.showPerson(box);
        QTest::keyClick(d.descriptionEdit(), Qt::Key_End, Qt::ControlModifier);
        typeText(d.descriptionEdit(), QStringLiteral(" Lee"));
        d.showCell({7, 9});
        QCOMPARE(d.descriptionEdit()->toPlainText(), QStringLiteral("Ann Lee"));
        QCOMPARE(d.entry().description, std::string("Ann Lee"));
        QCOMPARE(d.entry().cell, (Cell{7, 9}));
        d.showPerson(box);
        QCOMPARE(d.descriptionEdit()->toPlainText(), QStringLiteral("Ann"));
        QCOMPARE(d.entry().cell, (Cell{6, 9}));
    }

    void showPersonShowsTheBox_data()
    {
        QTest::addColumn<bool>("continuation");
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("down");
        QTest::addColumn<QString>("connectors");
        QTest::newRow("plain, both") << false << 4 << 20 << 20 << QStringLiteral("-xx-");
        QTest::newRow("plain, long right only") << false << 4 << 300 << 0 << QStringLiteral("-x--");
        QTest::newRow("plain, none") << false << 4 << 0 << 0 << QStringLiteral("----");
        QTest::newRow("continuation up") << true << 0 << 20 << 20 << QStringLiteral("x---");
        QTest::newRow("continuation right") << true << 1 << 20 << 20 << QStringLiteral("-x--");
        QTest::newRow("continuation down") << true << 2 << 20 << 20 << QStringLiteral("--x-");
        QTest::newRow("continuation left") << true << 3 << 20 << 20 << QStringLiteral("---x");
        QTest::newRow("continuation, no side") << true << 4 << 20 << 20 << QStringLiteral("----");
    }
    void showPersonShowsTheBox()
    {
        QFETCH(bool, continuation);
        QFETCH(int, side);
        QFETCH(int, right);
        QFETCH(int, down);
        QFETCH(QString, connectors);
        Shown shown;
        PersonDialog& d = shown.dialog;
        d.showCell({0, 0});
        std::unique_ptr<Person> box(
            continuation ? new ContPerson("Ann |Born 1900", {4, 7}, {right, down}, side)
                         : new Person("Ann |Born 1900", {4, 7}, {right, down}));
        d.showPerson(*box);
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Update"));
        QVERIFY(d.applyButton()->isDefault());
        QVERIFY(!d.continuationBox()->isEnabled());
        QCOMPARE(d.continuationBox()->isChecked(), continuation);
        QCOMPARE(checks(d), connectors);
        QCOMPARE(d.connectorBox(0)->isEnabled(), continuation);
        QCOMPARE(d.connectorBox(3)->isEnabled(), continuation);
        QCOMPARE(d.columnEdit()->text(), QStringLiteral("4"));
        QCOMPARE(d.levelEdit()->text(), QStringLiteral("7"));
        const PersonEntry entry = d.entry();
        QCOMPARE(entry.continuation, continuation);
        QCOMPARE(entry.direction, continuation ? side : 4);
        QCOMPARE(entry.cell, (Cell{4, 7}));
        QCOMPARE(entry.description, std::string("Ann\r\nBorn 1900"));
        QCOMPARE(d.descriptionEdit()->document()->blockCount(), 2);
        QCOMPARE(d.descriptionEdit()->toPlainText(), QStringLiteral("Ann\nBorn 1900"));
    }

    void continuationBoxCheckAndUncheck_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("unchecked");
        QTest::newRow("first column") << 0 << QStringLiteral("-xx-");
        QTest::newRow("further right") << 2 << QStringLiteral("-x--");
    }
    void continuationBoxCheckAndUncheck()
    {
        QFETCH(int, column);
        QFETCH(QString, unchecked);
        Shown shown;
        PersonDialog& d = shown.dialog;
        d.showCell({column, 1});
        shown.click(d.continuationBox());
        QVERIFY(d.continuationBox()->isChecked());
        QCOMPARE(checks(d), QStringLiteral("x---"));
        QVERIFY(d.entry().continuation);
        QCOMPARE(d.entry().direction, 0);
        for (int side = 0; side < 4; ++side)
            QVERIFY(d.connectorBox(side)->isEnabled());
        shown.click(d.continuationBox());
        QCOMPARE(checks(d), unchecked);
        QVERIFY(!d.entry().continuation);
        QCOMPARE(d.entry().direction, 4);
        QVERIFY(!d.connectorBox(0)->isEnabled() && !d.connectorBox(3)->isEnabled());
        QVERIFY(shown.owner.requests.empty());
    }

    // For a continuation box the four check boxes are one choice of side.
    void connectorClicks_data()
    {
        QTest::addColumn<bool>("continuation");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("connectors");
        QTest::addColumn<int>("direction");
        QTest::newRow("left while up") << true << QList<int>{3} << QStringLiteral("---x") << 3;
        QTest::newRow("then uncheck left")
            << true << QList<int>{3, 3} << QStringLiteral("----") << 4;
        QTest::newRow("right, then down")
            << true << QList<int>{1, 2} << QStringLiteral("--x-") << 2;
        QTest::newRow("none, then up") << true << QList<int>{0, 0} << QStringLiteral("x---") << 0;
        QTest::newRow("plain: right off") << false << QList<int>{1} << QStringLiteral("--x-") << 4;
        QTest::newRow("plain: both off, right on")
            << false << QList<int>{1, 2, 1} << QStringLiteral("-x--") << 4;
    }
    void connectorClicks()
    {
        QFETCH(bool, continuation);
        QFETCH(QList<int>, clicks);
        QFETCH(QString, connectors);
        QFETCH(int, direction);
        Shown shown;
        PersonDialog& d = shown.dialog;
        d.showCell({0, 0});
        if (continuation)
            shown.click(d.continuationBox());
        for (int side : clicks)
            shown.click(d.connectorBox(side));
        QCOMPARE(checks(d), connectors);
        const PersonEntry entry = d.entry();
        QCOMPARE(entry.direction, direction);
        QCOMPARE(entry.links.right, connectors[1] == QLatin1Char('x') ? 20 : 0);
        QCOMPARE(entry.links.down, connectors[2] == QLatin1Char('x') ? 20 : 0);
    }

    // Enter in the description presses the default button; Ctrl+Enter breaks
    // the line.
    void enterAppliesCtrlEnterBreaksTheLine()
    {
        Shown shown;
        PersonDialog& d = shown.dialog;
        d.showCell({0, 0});
        d.selectDescription();
        QPlainTextEdit* edit = d.descriptionEdit();
        typeText(edit, QStringLiteral("Name"));
        QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
        typeText(edit, QStringLiteral("Born 1900"));
        QCOMPARE(edit->toPlainText(), QStringLiteral("Name\nBorn 1900"));
        QCoreApplication::processEvents();
        QVERIFY(shown.owner.requests.empty());

        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->toPlainText(), QStringLiteral("Name\nBorn 1900"));
        QCOMPARE(d.descriptionBytes(), std::string("Name\r\nBorn 1900"));
        QCOMPARE(shown.owner.applied.description, std::string("Name\r\nBorn 1900"));
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Update"));
        QCOMPARE(shown.owner.requests, Requests{"apply"});
        // Ready for the next description: all of it selected, in the focus.
        QCOMPARE(edit->textCursor().selectedText().size(),
                 QStringLiteral("Name\nBorn 1900").size());
        QTRY_COMPARE(QApplication::focusWidget(), edit);

        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(shown.owner.requests, (Requests{"apply", "apply"}));
    }

    void applyReadsTheControls()
    {
        Shown shown;
        PersonDialog& d = shown.dialog;
        d.showCell({3, 4});
        shown.click(d.continuationBox());
        shown.click(d.connectorBox(2));
        QTest::mouseClick(d.applyButton(), Qt::LeftButton);
        const PersonEntry& asked = shown.owner.applied;
        QVERIFY(asked.continuation);
        QCOMPARE(asked.direction, 2);
        QCOMPARE(asked.cell, (Cell{3, 4}));
        QCOMPARE(d.applyButton()->text(), QStringLiteral("Update"));
        QCOMPARE(shown.owner.requests, Requests{"apply"});
    }

    void buttonsMakeTheirRequests()
    {
        Shown shown;
        PersonDialog& d = shown.dialog;
        d.showCell({1, 1});
        typeText(d.descriptionEdit(), QStringLiteral("Old"));
        for (int side : {0, 1, 2, 3})
            shown.click(d.arrowButton(side));
        shown.click(d.newLevelButton());
        QCOMPARE(d.descriptionEdit()->textCursor().selectedText(), QStringLiteral("Old"));
        QTRY_COMPARE(QApplication::focusWidget(), d.descriptionEdit());
        shown.click(d.closeButton());
        QCOMPARE(shown.owner.requests, (Requests{"step up", "step right", "step down", "step left",
                                                 "new level", "close"}));
        QVERIFY(d.isVisible());
    }

    void requestsGoNowhereOnceTheListenerIsGone()
    {
        auto* owner = new Listener;
        PersonDialog dialog(nullptr);
        owner->listenTo(dialog);
        delete owner;
        dialog.show();
        QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.closeButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(dialog.isVisible());
    }

    void helpOpensTheAddTopic()
    {
        HelpMgr::SetFile(STIRPA_HELP_FILE, false);
        std::vector<std::string> shownTopics;
        HelpMgr::setViewer(
            [&](const std::string& topic, const std::string&) { shownTopics.push_back(topic); });
        Shown shown;
        shown.click(shown.dialog.helpButton());
        HelpMgr::setViewer({});
        QCOMPARE(shownTopics, std::vector<std::string>{"Add"});
        QCoreApplication::processEvents();
        QVERIFY(shown.owner.requests.empty());
    }

    // Typed text goes out as UTF-8; text shown from a box comes back as the
    // box's own bytes until it is changed, so an update never re-encodes it.
    void descriptionBytes_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("handedOver");
        QTest::newRow("typed letters")
            << QByteArray() << QStringLiteral("Zoë Łukasz 张伟 Straße")
            << QByteArray("Zo\xc3\xab \xc5\x81ukasz \xe5\xbc\xa0\xe4\xbc\x9f Stra\xc3\x9f"
                          "e");
        QTest::newRow("no-break space kept") << QByteArray() << QStringLiteral("A\u00a0B")
                                             << QByteArray("A\xc2\xa0"
                                                           "B");
        QTest::newRow("unchanged Windows-1252")
            << QByteArray("Jos\xe9 |b. 1900") << QString() << QByteArray("Jos\xe9\r\nb. 1900");
        QTest::newRow("changed Windows-1252")
            << QByteArray("Jos\xe9") << QStringLiteral("!") << QByteArray("Jos\xc3\xa9!");
        QTest::newRow("unchanged UTF-8") << QByteArray("\xc5\x81"
                                                       "ada")
                                         << QString()
                                         << QByteArray("\xc5\x81"
                                                       "ada");
    }
    void descriptionBytes()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, typed);
        QFETCH(QByteArray, handedOver);
        Shown shown;
        PersonDialog& d = shown.dialog;
        if (!stored.isEmpty()) {
            Person box;
            box.text = stored.toStdString();
            d.showPerson(box);
            QTest::keyClick(d.descriptionEdit(), Qt::Key_End, Qt::ControlModifier);
        }
        if (!typed.isEmpty())
            typeText(d.descriptionEdit(), typed);
        QCOMPARE(QByteArray::fromStdString(d.descriptionBytes()), handedOver);
        QCOMPARE(QByteArray::fromStdString(d.entry().description), handedOver);
    }
};

QTEST_MAIN(PersonDialogTest)
#include "person_dialog_test.moc"
