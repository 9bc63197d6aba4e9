// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/settings_dialog.h"

#include "view/command_ids.h"
#include "view/command_target.h"
#include "helpmod/help_mgr.h"
#include "view/chart_view.h"
#include "model/tree_settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

// A shown view over a chart with boxes at (1, 0) and (3, 2).
struct Chart {
    Chart()
    {
        view.setFrameShape(QFrame::NoFrame);
        view.resize(500, 300);
        view.newTree(String("test"));
        view.tree->append(new Person(String("A"), {1, 0}, {}));
        view.tree->append(new Person(String("B"), {3, 2}, {}));
        view.updateScrollSizes();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    QRgb pixel(int x, int y)
    {
        view.viewport()->repaint();
        return view.backingImage().pixel(x, y);
    }
    ChartView view;
};

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Runs the view's Settings command, acting on the modal dialog once it shows.
// The actions must close it; a dialog left open is closed and fails the test.
void runSettings(ChartView& view, const std::function<void(SettingsDialog&)>& actions)
{
    bool acted = false;
    bool leftOpen = false;
    std::function<void()> act = [&] {
        auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(10, act);
            return;
        }
        acted = true;
        actions(*dialog);
        if (dialog->isVisible()) {
            leftOpen = true;
            dialog->reject();
        }
    };
    QTimer::singleShot(0, act);
    view.OnSettings();
    QVERIFY(acted);
    QVERIFY(!leftOpen);
}

} // namespace

class SettingsDlgTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        treeSettings() = TreeSettings();
        messages.clear();
        SettingsDialog::showMessage = [this](QWidget*, const QString& text) { messages << text; };
    }
    void cleanup() { treeSettings() = TreeSettings(); }

    void showsTheStartUpSettings()
    {
        Chart chart;
        SettingsDialog dialog(&chart.view);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(dialog.htmlStartXEdit()->text(), QStringLiteral("50"));
        QCOMPARE(dialog.htmlStartYEdit()->text(), QStringLiteral("200"));
        QCOMPARE(dialog.boxWidthEdit()->text(), QStringLiteral("120"));
        QCOMPARE(dialog.boxHeightEdit()->text(), QStringLiteral("50"));
        QVERIFY(dialog.generationButton(0)->isChecked());
        QCOMPARE(dialog.generationButton(0)->text(), QStringLiteral("Show"));
        QCOMPARE(dialog.startEdit()->text(), QStringLiteral("1"));
        QVERIFY(dialog.startEdit()->isEnabled());
        QVERIFY(dialog.saveLineageBox()->isChecked());
        QCOMPARE(dialog.smallFontList()->currentText(), QStringLiteral("2"));
        QCOMPARE(dialog.smallFontList()->count(), 5);
        QCOMPARE(dialog.smallFontList()->itemText(4), QStringLiteral("never"));
        QVERIFY(dialog.applyButton()->isDefault());
        QVERIFY(!dialog.okButton()->isDefault());

        CommandState state;
        QVERIFY(chart.view.updateCommand(cmd::treeSettings, state));
        QVERIFY(state.enabled);
    }

    void loadsTheModeLetter_data()
    {
        QTest::addColumn<char>("mode");
        QTest::addColumn<int>("choice");
        QTest::newRow("d") << 'd' << 0;
        QTest::newRow("u") << 'u' << 1;
        QTest::newRow("h") << 'h' << 2;
        QTest::newRow("unknown letter shows as Show") << 'x' << 0;
    }

    void loadsTheModeLetter()
    {
        QFETCH(char, mode);
        QFETCH(int, choice);
        treeSettings().generationMode = mode;
        Chart chart;
        SettingsDialog dialog(&chart.view);
        QCOMPARE(dialog.generationChoice, choice);
        QVERIFY(dialog.generationButton(choice)->isChecked());
        QCOMPARE(dialog.startEdit()->isEnabled(), choice != 2);
    }

    void hideDisablesTheStartControls()
    {
        Chart chart;
        SettingsDialog dialog(&chart.view);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const auto startEnabled = [&](bool on) {
            return dialog.startLabel()->isEnabled() == on &&
                   dialog.startEdit()->isEnabled() == on && dialog.spinUp()->isEnabled() == on &&
                   dialog.spinDown()->isEnabled() == on;
        };
        QTest::mouseClick(dialog.generationButton(2), Qt::LeftButton);
        QVERIFY(startEnabled(false));
        QTest::mouseClick(dialog.generationButton(0), Qt::LeftButton);
        QVERIFY(startEnabled(true));
        QTest::mouseClick(dialog.generationButton(2), Qt::LeftButton);
        QTest::mouseClick(dialog.generationButton(1), Qt::LeftButton);
        QVERIFY(startEnabled(true));
        QVERIFY(messages.isEmpty());
    }

    void applyRepaintsAtOnceAndLeavesTheScrollSizes()
    {
        Chart chart;
        // x 300 lies in the gap after column 1 at pitch 140, inside its box at 220.
        const QRgb background = chart.pixel(300, 30);
        QCOMPARE(chart.view.totalSize(), QSize(3 * 140 + 185, 2 * 70 + 160));
        SettingsDialog dialog(&chart.view);
        QSignalSpy modified(&chart.view, &ChartView::modified);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(dialog.boxWidthEdit(), QStringLiteral("200"));
        QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);

        QVERIFY(dialog.isVisible());
        QCOMPARE(treeSettings().boxWidth, 200);
        QCOMPARE(treeSettings().pitchX(), 220);
        QVERIFY(chart.pixel(300, 30) != background);
        QCOMPARE(chart.view.totalSize(), QSize(3 * 140 + 185, 300));
        QCOMPARE(modified.count(), 1);
        chart.view.OnRefresh();
        QCOMPARE(chart.view.totalSize(), QSize(3 * 220 + 185, 300));

        // Applying the same values again is no change.
        QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
        QCOMPARE(modified.count(), 1);
    }

    void enterAppliesWithoutClosing()
    {
        Chart chart;
        SettingsDialog dialog(&chart.view);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(dialog.htmlStartYEdit(), QStringLiteral("320"));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(treeSettings().htmlStartY, 320);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        // Enter in the start field applies too; the arrow keys there step it.
        dialog.startEdit()->setFocus();
        QTest::keyClick(dialog.startEdit(), Qt::Key_Up);
        QTest::keyClick(dialog.startEdit(), Qt::Key_Up);
        QTest::keyClick(dialog.startEdit(), Qt::Key_Down);
        QCOMPARE(dialog.startEdit()->text(), QStringLiteral("2"));
        QTest::keyClick(dialog.startEdit(), Qt::Key_Return);
        QCOMPARE(treeSettings().generationStart, 2);
        QVERIFY(dialog.isVisible());
    }

    void spinStepsWithoutLimits()
    {
        treeSettings().generationStart = INT_MAX - 1;
        Chart chart;
        SettingsDialog dialog(&chart.view);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.spinUp(), Qt::LeftButton);
        QTest::mouseClick(dialog.spinUp(), Qt::LeftButton);
        QCOMPARE(dialog.startEdit()->text(), QString::number(INT_MAX));
        typeInto(dialog.startEdit(), QStringLiteral("1"));
        for (int i = 0; i < 7; ++i)
            QTest::mouseClick(dialog.spinDown(), Qt::LeftButton);
        QCOMPARE(dialog.startEdit()->text(), QStringLiteral("-6"));
        QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
        QCOMPARE(treeSettings().generationStart, -6);
    }

    void cancelAfterApplyKeepsWhatWasApplied()
    {
        Chart chart;
        QSignalSpy modified(&chart.view, &ChartView::modified);
        runSettings(chart.view, [](SettingsDialog& dialog) {
            typeInto(dialog.boxHeightEdit(), QStringLiteral("80"));
            QTest::mouseClick(dialog.generationButton(1), Qt::LeftButton);
            QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
            typeInto(dialog.boxWidthEdit(), QStringLiteral("90"));
            QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
        });
        QCOMPARE(treeSettings().boxHeight, 80);
        QCOMPARE(treeSettings().generationMode, 'u');
        QCOMPARE(treeSettings().boxWidth, 120);
        QCOMPARE(modified.count(), 1);
    }

    void okStoresWhatTheDialogShows()
    {
        treeSettings().generationMode = 'x';
        treeSettings().smallFontLine = 7;
        Chart chart;
        QSignalSpy modified(&chart.view, &ChartView::modified);
        runSettings(chart.view, [](SettingsDialog& dialog) {
            QVERIFY(dialog.generationButton(0)->isChecked());
            QCOMPARE(dialog.smallFontList()->currentIndex(), -1);
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        });
        QCOMPARE(treeSettings().generationMode, 'd');
        QCOMPARE(treeSettings().smallFontLine, -1);
        QCOMPARE(modified.count(), 1);

        // Nothing changed this time: the document stays unmodified.
        runSettings(chart.view, [](SettingsDialog& dialog) {
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        });
        QCOMPARE(modified.count(), 1);

        runSettings(chart.view, [](SettingsDialog& dialog) {
            QTest::mouseClick(dialog.saveLineageBox(), Qt::LeftButton);
            dialog.smallFontList()->setCurrentIndex(4);
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        });
        QVERIFY(!treeSettings().saveLineage);
        QCOMPARE(treeSettings().smallFontLine, 4);
        QCOMPARE(modified.count(), 2);
        QCOMPARE(messages, QStringList());
    }

    void badNumbersStopTheReading_data()
    {
        QTest::addColumn<int>("field"); // 0 html x, 1 html y, 2 start, 3 box y, 4 box x
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("html y") << 1 << "abc"
                                << "Starting position y must be a whole number.";
        QTest::newRow("start") << 2 << "-"
                               << "Start with must be a whole number.";
        QTest::newRow("box y empty") << 3 << ""
                                     << "Box size y must be a whole number.";
        QTest::newRow("box x fraction") << 4 << "12.5"
                                        << "Box size x must be a whole number.";
        QTest::newRow("box x too big for int") << 4 << "99999999999"
                                               << "Box size x must be a whole number.";
        QTest::newRow("box x 0") << 4 << "0"
                                 << "Box size x must be between 1 and 2000.";
        QTest::newRow("box x -20") << 4 << "-20"
                                   << "Box size x must be between 1 and 2000.";
        QTest::newRow("box x 2001") << 4 << "2001"
                                    << "Box size x must be between 1 and 2000.";
        QTest::newRow("box y 0") << 3 << "0"
                                 << "Box size y must be between 1 and 2000.";
    }

    void badNumbersStopTheReading()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Chart chart;
        SettingsDialog dialog(&chart.view);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QLineEdit* edits[] = {dialog.htmlStartXEdit(), dialog.htmlStartYEdit(), dialog.startEdit(),
                              dialog.boxHeightEdit(), dialog.boxWidthEdit()};
        const QStringList good = {"70", "260", "4", "66", "150"};
        for (int i = 0; i < 5; ++i)
            typeInto(edits[i], i == field ? text : good[i]);
        QTest::mouseClick(dialog.generationButton(1), Qt::LeftButton);
        messages.clear();

        // OK keeps the dialog open and applies nothing.
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(messages, QStringList{message});
        QVERIFY(dialog.isVisible());
        QCOMPARE(treeSettings(), TreeSettings());
        QTRY_COMPARE(QApplication::focusWidget(), edits[field]);

        // Apply takes the fields read before the bad one, and nothing from there on.
        QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
        QCOMPARE(messages.size(), 2);
        QTRY_COMPARE(QApplication::focusWidget(), edits[field]);
        const TreeSettings& s = treeSettings();
        const TreeSettings defaults;
        QCOMPARE(s.htmlStartX, 70);
        QCOMPARE(s.htmlStartY, field > 1 ? 260 : defaults.htmlStartY);
        QCOMPARE(s.generationMode, field > 1 ? 'u' : 'd');
        QCOMPARE(s.generationStart, field > 2 ? 4 : defaults.generationStart);
        QCOMPARE(s.boxHeight, field > 3 ? 66 : defaults.boxHeight);
        QCOMPARE(s.boxWidth, defaults.boxWidth);
        QCOMPARE(s.saveLineage, defaults.saveLineage);
        QCOMPARE(s.pitchX(), defaults.boxWidth + gapX);
    }

    void radioClickReportsABadNumber()
    {
        Chart chart;
        SettingsDialog dialog(&chart.view);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(dialog.boxWidthEdit(), QStringLiteral("x"));
        QTest::mouseClick(dialog.generationButton(1), Qt::LeftButton);
        QCOMPARE(messages, QStringList{"Box size x must be a whole number."});
        QCOMPARE(dialog.generationChoice, 1);
    }

    void hiddenStartFieldKeepsItsValue()
    {
        Chart chart;
        SettingsDialog dialog(&chart.view);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(dialog.startEdit(), QString());
        QTest::mouseClick(dialog.generationButton(2), Qt::LeftButton);
        QVERIFY(!dialog.startEdit()->isEnabled());
        typeInto(dialog.boxWidthEdit(), QStringLiteral("130"));
        QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
        QCOMPARE(messages, QStringList());
        QCOMPARE(treeSettings().generationMode, 'h');
        QCOMPARE(treeSettings().generationStart, 1);
        QCOMPARE(treeSettings().boxWidth, 130);
        QCOMPARE(dialog.startEdit()->text(), QStringLiteral("1"));

        // Shown, an empty start is reported where the user can mend it.
        QTest::mouseClick(dialog.generationButton(0), Qt::LeftButton);
        typeInto(dialog.startEdit(), QString());
        QTest::mouseClick(dialog.generationButton(1), Qt::LeftButton);
        QCOMPARE(messages, QStringList{"Start with must be a whole number."});
    }

    void helpShowsTheSettingsTopic()
    {
        QVERIFY(HelpMgr::SetFile(String(STIRPA_SOURCE_DIR "/resources/Stirpa.hlp"), false));
        QString shown;
        HelpMgr::setViewer([&](const std::string& topic, const std::string&) {
            shown = QString::fromStdString(topic);
        });
        Chart chart;
        SettingsDialog dialog(&chart.view);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.helpButton(), Qt::LeftButton);
        HelpMgr::setViewer(nullptr);
        QCOMPARE(shown, QStringLiteral("Settings"));
        QVERIFY(dialog.isVisible());
    }

private:
    QStringList messages;
};

QTEST_MAIN(SettingsDlgTest)
#include "settings_dialog_test.moc"
