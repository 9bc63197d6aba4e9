// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/settings_dialog.h"

#include "app/editor/main_window.h"
#include "document/chart_document.h"
#include "help/help_mgr.h"
#include "model/tree_settings.h"
#include "view/chart_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

using Mode = SettingsDialog::GenerationMode;

// A shown main window on a chart with boxes at (1, 0) and (3, 2).
struct Editor {
    explicit Editor(const TreeSettings& settings = {})
    {
        Chart chart(settings);
        chart.mutableTree().append(std::make_unique<Person>("A", Cell{1, 0}, Links{}));
        chart.mutableTree().append(std::make_unique<Person>("B", Cell{3, 2}, Links{}));
        document().adoptUntitled(std::move(chart));
        document().setModified(false);
        view().setFrameShape(QFrame::NoFrame);
        window.resize(700, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    ChartView& view() { return *window.view(); }
    ChartDocument& document() { return *window.document(); }
    const TreeSettings& settings() { return document().chart().settings(); }
    QRgb pixel(int x, int y)
    {
        view().viewport()->repaint();
        return view().backingImage().pixel(x, y);
    }
    // A dialog on the chart's settings whose Apply is wired as the window wires it.
    SettingsDialog& dialog()
    {
        dialog_ = std::make_unique<SettingsDialog>(settings(), &view());
        QObject::connect(dialog_.get(), &SettingsDialog::applyRequested, &window,
                         [this] { document().setSettings(dialog_->settings()); });
        return *dialog_;
    }
    MainWindow window;
    std::unique_ptr<SettingsDialog> dialog_;
};

// Shows a dialog and makes it the one that takes the keys.
bool showActive(QWidget& dialog)
{
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowExposed(&dialog) && QTest::qWaitForWindowActive(&dialog);
}

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Runs the window's Settings command, acting on the modal dialog once it shows.
// The actions must close it; a dialog left open is closed and fails the test.
void runSettings(MainWindow& window, const std::function<void(SettingsDialog&)>& actions)
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
    window.action(Command::TreeSettings)->trigger();
    QVERIFY(acted);
    QVERIFY(!leftOpen);
}

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The window's recovery copies go to a folder of this run's own.
        QVERIFY(state.isValid());
        qputenv("XDG_STATE_HOME", state.path().toUtf8());
    }
    void init()
    {
        messages.clear();
        SettingsDialog::showMessage = [this](QWidget*, const QString& text) { messages << text; };
    }

    void showsTheStartUpSettings()
    {
        Editor chart;
        SettingsDialog& dialog = chart.dialog();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(dialog.htmlStartXEdit()->text(), QStringLiteral("50"));
        QCOMPARE(dialog.htmlStartYEdit()->text(), QStringLiteral("200"));
        QCOMPARE(dialog.boxWidthEdit()->text(), QStringLiteral("120"));
        QCOMPARE(dialog.boxHeightEdit()->text(), QStringLiteral("50"));
        QVERIFY(dialog.generationButton(Mode::Show)->isChecked());
        QCOMPARE(dialog.generationButton(Mode::Show)->text(), QStringLiteral("Show"));
        QCOMPARE(dialog.startEdit()->text(), QStringLiteral("1"));
        QVERIFY(dialog.startEdit()->isEnabled());
        QVERIFY(dialog.saveLineageBox()->isChecked());
        QCOMPARE(dialog.smallFontList()->currentText(), QStringLiteral("2"));
        QCOMPARE(dialog.smallFontList()->count(), 5);
        QCOMPARE(dialog.smallFontList()->itemText(4), QStringLiteral("never"));
        QVERIFY(dialog.applyButton()->isDefault());
        QVERIFY(!dialog.okButton()->isDefault());

        QVERIFY(chart.window.action(Command::TreeSettings)->isEnabled());
    }

    void loadsTheModeLetter_data()
    {
        QTest::addColumn<char>("mode");
        QTest::addColumn<Mode>("choice");
        QTest::addColumn<char>("built");
        QTest::newRow("d") << 'd' << Mode::Show << 'd';
        QTest::newRow("u") << 'u' << Mode::ShowReversed << 'u';
        QTest::newRow("h") << 'h' << Mode::Hide << 'h';
        QTest::newRow("unknown letter shows as Show") << 'x' << Mode::Show << 'd';
    }

    void loadsTheModeLetter()
    {
        QFETCH(char, mode);
        QFETCH(Mode, choice);
        QFETCH(char, built);
        TreeSettings settings;
        settings.generationMode = mode;
        Editor chart(settings);
        SettingsDialog& dialog = chart.dialog();
        for (Mode other : {Mode::Show, Mode::ShowReversed, Mode::Hide})
            QCOMPARE(dialog.generationButton(other)->isChecked(), other == choice);
        QCOMPARE(dialog.settings().generationMode, built);
        QCOMPARE(dialog.startEdit()->isEnabled(), choice != Mode::Hide);
    }

    // Every field shows where it belongs and comes back from the controls as it
    // went in, as long as the user changes nothing.
    void settingsComeBackUnchanged_data()
    {
        QTest::addColumn<char>("mode");
        QTest::addColumn<int>("smallFontLine");
        QTest::addColumn<bool>("saveLineage");
        QTest::newRow("reversed, line 3, no lineage") << 'u' << 3 << false;
        QTest::newRow("hidden, never, lineage") << 'h' << 4 << true;
        QTest::newRow("shown, line 1, lineage") << 'd' << 0 << true;
    }
    void settingsComeBackUnchanged()
    {
        QFETCH(char, mode);
        QFETCH(int, smallFontLine);
        QFETCH(bool, saveLineage);
        TreeSettings settings;
        settings.htmlStartX = 37;
        settings.htmlStartY = 411;
        settings.boxWidth = 133;
        settings.boxHeight = 71;
        settings.generationMode = mode;
        settings.generationStart = -5;
        settings.smallFontLine = smallFontLine;
        settings.saveLineage = saveLineage;
        SettingsDialog dialog(settings);
        QCOMPARE(dialog.htmlStartXEdit()->text(), QStringLiteral("37"));
        QCOMPARE(dialog.htmlStartYEdit()->text(), QStringLiteral("411"));
        QCOMPARE(dialog.boxWidthEdit()->text(), QStringLiteral("133"));
        QCOMPARE(dialog.boxHeightEdit()->text(), QStringLiteral("71"));
        QCOMPARE(dialog.startEdit()->text(), QStringLiteral("-5"));
        QCOMPARE(dialog.smallFontList()->currentIndex(), smallFontLine);
        QCOMPARE(dialog.saveLineageBox()->isChecked(), saveLineage);
        QCOMPARE(dialog.settings(), settings);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.settings(), settings);
    }

    void hideDisablesTheStartControls()
    {
        Editor chart;
        SettingsDialog& dialog = chart.dialog();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const auto startEnabled = [&](bool on) {
            return dialog.startLabel()->isEnabled() == on &&
                   dialog.startEdit()->isEnabled() == on && dialog.spinUp()->isEnabled() == on &&
                   dialog.spinDown()->isEnabled() == on;
        };
        QTest::mouseClick(dialog.generationButton(Mode::Hide), Qt::LeftButton);
        QVERIFY(startEnabled(false));
        QTest::mouseClick(dialog.generationButton(Mode::Show), Qt::LeftButton);
        QVERIFY(startEnabled(true));
        QTest::mouseClick(dialog.generationButton(Mode::Hide), Qt::LeftButton);
        QTest::mouseClick(dialog.generationButton(Mode::ShowReversed), Qt::LeftButton);
        QVERIFY(startEnabled(true));
        QVERIFY(messages.isEmpty());
    }

    void applyRepaintsAtOnceAndLeavesTheScrollSizes()
    {
        Editor chart;
        // x 300 lies in the gap after column 1 at pitch 140, inside its box at 220.
        const QRgb background = chart.pixel(300, 30);
        QCOMPARE(chart.view().totalSize(), QSize(3 * 140 + 185, 2 * 70 + 160));
        QSignalSpy changed(&chart.document(), &ChartDocument::changed);
        runSettings(chart.window, [&](SettingsDialog& dialog) {
            typeInto(dialog.boxWidthEdit(), QStringLiteral("200"));
            QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);

            QVERIFY(dialog.isVisible());
            QCOMPARE(chart.settings().boxWidth, 200);
            QCOMPARE(chart.settings().pitchX(), 220);
            QVERIFY(chart.pixel(300, 30) != background);
            QCOMPARE(chart.view().totalSize(), QSize(3 * 140 + 185, 2 * 70 + 160));
            QCOMPARE(changed.count(), 1);
            QVERIFY(chart.document().isModified());

            // Applying the same values again is no change.
            QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
            QCOMPARE(changed.count(), 1);
            dialog.reject();
        });
        chart.view().refresh();
        QCOMPARE(chart.view().totalSize(), QSize(3 * 220 + 35 + 200 + 30, 2 * 70 + 160));
    }

    void enterAppliesWithoutClosing()
    {
        Editor chart;
        SettingsDialog& dialog = chart.dialog();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(dialog.htmlStartYEdit(), QStringLiteral("320"));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(chart.settings().htmlStartY, 320);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        // Enter in the start field applies too; the arrow keys there step it.
        dialog.startEdit()->setFocus();
        QTest::keyClick(dialog.startEdit(), Qt::Key_Up);
        QTest::keyClick(dialog.startEdit(), Qt::Key_Up);
        QTest::keyClick(dialog.startEdit(), Qt::Key_Down);
        QCOMPARE(dialog.startEdit()->text(), QStringLiteral("2"));
        QTest::keyClick(dialog.startEdit(), Qt::Key_Return);
        QCOMPARE(chart.settings().generationStart, 2);
        QVERIFY(dialog.isVisible());
    }

    void spinStepsWithoutLimits()
    {
        TreeSettings settings;
        settings.generationStart = INT_MAX - 1;
        Editor chart(settings);
        SettingsDialog& dialog = chart.dialog();
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
        QCOMPARE(chart.settings().generationStart, -6);
    }

    void cancelAfterApplyKeepsWhatWasApplied()
    {
        Editor chart;
        QSignalSpy modified(&chart.document(), &ChartDocument::changed);
        runSettings(chart.window, [](SettingsDialog& dialog) {
            typeInto(dialog.boxHeightEdit(), QStringLiteral("80"));
            QTest::mouseClick(dialog.generationButton(Mode::ShowReversed), Qt::LeftButton);
            QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
            typeInto(dialog.boxWidthEdit(), QStringLiteral("90"));
            QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
        });
        QCOMPARE(chart.settings().boxHeight, 80);
        QCOMPARE(chart.settings().generationMode, 'u');
        QCOMPARE(chart.settings().boxWidth, 120);
        QCOMPARE(modified.count(), 1);
    }

    void okStoresWhatTheDialogShows()
    {
        TreeSettings settings;
        settings.generationMode = 'x';
        settings.smallFontLine = 7;
        Editor chart(settings);
        QSignalSpy modified(&chart.document(), &ChartDocument::changed);
        runSettings(chart.window, [](SettingsDialog& dialog) {
            QVERIFY(dialog.generationButton(Mode::Show)->isChecked());
            QCOMPARE(dialog.smallFontList()->currentIndex(), -1);
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        });
        QCOMPARE(chart.settings().generationMode, 'd');
        QCOMPARE(chart.settings().smallFontLine, -1);
        QCOMPARE(modified.count(), 1);

        // Nothing changed this time: the document stays unmodified.
        runSettings(chart.window, [](SettingsDialog& dialog) {
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        });
        QCOMPARE(modified.count(), 1);

        runSettings(chart.window, [](SettingsDialog& dialog) {
            QTest::mouseClick(dialog.saveLineageBox(), Qt::LeftButton);
            dialog.smallFontList()->setCurrentIndex(4);
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        });
        QVERIFY(!chart.settings().saveLineage);
        QCOMPARE(chart.settings().smallFontLine, 4);
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

    void boxSizesAtTheLimitsAreTaken_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::newRow("smallest") << "1"
                                  << "1";
        QTest::newRow("largest") << "2000"
                                 << "2000";
    }
    void boxSizesAtTheLimitsAreTaken()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        Editor chart;
        SettingsDialog& dialog = chart.dialog();
        QVERIFY(showActive(dialog));
        typeInto(dialog.boxWidthEdit(), width);
        typeInto(dialog.boxHeightEdit(), height);
        messages.clear();
        QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
        QCOMPARE(messages, QStringList());
        QCOMPARE(chart.settings().boxWidth, width.toInt());
        QCOMPARE(chart.settings().boxHeight, height.toInt());
    }

    void badNumbersStopTheReading()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Editor chart;
        SettingsDialog& dialog = chart.dialog();
        QVERIFY(showActive(dialog));
        QLineEdit* edits[] = {dialog.htmlStartXEdit(), dialog.htmlStartYEdit(), dialog.startEdit(),
                              dialog.boxHeightEdit(), dialog.boxWidthEdit()};
        const QStringList good = {"70", "260", "4", "66", "150"};
        for (int i = 0; i < 5; ++i)
            typeInto(edits[i], i == field ? text : good[i]);
        QTest::mouseClick(dialog.generationButton(Mode::ShowReversed), Qt::LeftButton);
        messages.clear();

        // OK keeps the dialog open and applies nothing.
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(messages, QStringList{message});
        QVERIFY(dialog.isVisible());
        QCOMPARE(chart.settings(), TreeSettings());
        QTRY_COMPARE(QApplication::focusWidget(), edits[field]);

        // Apply takes the fields read before the bad one, and nothing from there on.
        QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
        QCOMPARE(messages.size(), 2);
        QTRY_COMPARE(QApplication::focusWidget(), edits[field]);
        const TreeSettings& s = chart.settings();
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
        Editor chart;
        SettingsDialog& dialog = chart.dialog();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(dialog.boxWidthEdit(), QStringLiteral("x"));
        QTest::mouseClick(dialog.generationButton(Mode::ShowReversed), Qt::LeftButton);
        QCOMPARE(messages, QStringList{"Box size x must be a whole number."});
        QCOMPARE(dialog.settings().generationMode, 'u');
    }

    void hiddenStartFieldKeepsItsValue()
    {
        Editor chart;
        SettingsDialog& dialog = chart.dialog();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        typeInto(dialog.startEdit(), QString());
        QTest::mouseClick(dialog.generationButton(Mode::Hide), Qt::LeftButton);
        QVERIFY(!dialog.startEdit()->isEnabled());
        typeInto(dialog.boxWidthEdit(), QStringLiteral("130"));
        QTest::mouseClick(dialog.applyButton(), Qt::LeftButton);
        QCOMPARE(messages, QStringList());
        QCOMPARE(chart.settings().generationMode, 'h');
        QCOMPARE(chart.settings().generationStart, 1);
        QCOMPARE(chart.settings().boxWidth, 130);
        QCOMPARE(dialog.startEdit()->text(), QStringLiteral("1"));

        // Shown, an empty start is reported where the user can mend it.
        QTest::mouseClick(dialog.generationButton(Mode::Show), Qt::LeftButton);
        typeInto(dialog.startEdit(), QString());
        QTest::mouseClick(dialog.generationButton(Mode::ShowReversed), Qt::LeftButton);
        QCOMPARE(messages, QStringList{"Start with must be a whole number."});
    }

    void helpShowsTheSettingsTopic()
    {
        QVERIFY(HelpMgr::SetFile(STIRPA_HELP_FILE, false));
        QString shown;
        HelpMgr::setViewer([&](const std::string& topic, const std::string&) {
            shown = QString::fromStdString(topic);
        });
        Editor chart;
        SettingsDialog& dialog = chart.dialog();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.helpButton(), Qt::LeftButton);
        HelpMgr::setViewer(nullptr);
        QCOMPARE(shown, QStringLiteral("Settings"));
        QVERIFY(dialog.isVisible());
    }

    // Only a linked chart's dialog offers the colour scheme, and tells the one chosen.
    void colourSchemeOnlyWhenOffered()
    {
        SettingsDialog plain{TreeSettings()};
        QVERIFY(!plain.colourScheme());
        QVERIFY(!plain.schemeList());
        SettingsDialog linked{TreeSettings()};
        linked.offerColourScheme(ColourScheme::Sex);
        QCOMPARE(*linked.colourScheme(), ColourScheme::Sex);
        linked.schemeList()->setCurrentIndex(int(ColourScheme::Generation));
        QCOMPARE(*linked.colourScheme(), ColourScheme::Generation);
    }

private:
    QTemporaryDir state;
    QStringList messages;
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
