// SPDX-License-Identifier: GPL-3.0-or-later
// A new user types a five-generation family into an empty chart with the
// keyboard alone, saves it, and the file reads back as the same chart.
#include "app/editor/main_window.h"
#include "chartfile/chart_reader.h"
#include "files/debug_log.h"
#include "dialogs/person_dialog.h"
#include "document/chart_document.h"
#include "model/tree_settings.h"
#include "recording_draw_context.h"
#include "type_text.h"
#include "view/chart_view.h"

#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

class SavingFrame : public MainWindow {
public:
    QString savePath;

protected:
    SaveAnswer askSaveChanges() override { return SaveAnswer::Discard; }
    QString askSavePath() override { return savePath; }
    void showError(const QString&, const QString& message) override { QFAIL(qPrintable(message)); }
};

struct Member {
    const char* name;
    const char* born;
};

// Generation by generation: the one who carries the line on, then the spouse
// (the last generation: two siblings).
const Member family[5][2] = {
    {{"Łukasz Nowak", "Born 1850"}, {"Zoë Brandt", "Born 1852"}},
    {{"Jan Nowak", "Born 1880"}, {"Marie Dubois", "Born 1883"}},
    {{"Piotr Nowak", "Born 1910"}, {"Grete Weiß", "Born 1912"}},
    {{"Adam Nowak", "Born 1945"}, {"张丽 Zhang Li", "Born 1947"}},
    {{"Ewa Nowak", "Born 1975"}, {"Tomás Nowak", "Born 1978"}},
};

std::string stored(const Member& m) { return std::string(m.name) + " |" + m.born; }

QWidget* focus() { return QApplication::focusWidget(); }

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QVERIFY(focus());
    QTest::keyClick(focus(), key, modifiers);
}

// Tab until the control has the focus, as a user finds a control without a mouse.
void tabTo(QWidget* control)
{
    for (int step = 0; step < 20 && focus() != control; ++step)
        press(Qt::Key_Tab);
    QCOMPARE(focus(), control);
}

void typeMember(const Member& m)
{
    typeText(focus(), QString::fromUtf8(m.name));
    press(Qt::Key_Return, Qt::ControlModifier);
    typeText(focus(), QString::fromUtf8(m.born));
}

void settle() { QCoreApplication::processEvents(); }

const Person* boxAt(const Tree& tree, int column, int level)
{
    return tree.findPerson({column, level});
}

} // namespace

class TypeFamilyTest : public QObject {
    Q_OBJECT
    std::ostringstream log;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { redirectDebugLog(&log); }
    void cleanup() { redirectDebugLog(nullptr); }

    void fiveGenerationsByKeyboard()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        SavingFrame frame;
        frame.document()->newChart();
        frame.savePath = dir.filePath(QStringLiteral("nowak.txt"));
        frame.show();
        frame.activateWindow();
        QTRY_VERIFY(frame.isActiveWindow());
        ChartView* view = frame.view();
        view->setFocus();
        QCOMPARE(view->tree().size(), std::size_t(0));

        press(Qt::Key_Return); // Define person
        settle();
        QVERIFY(frame.personDialog());
        PersonDialog& dialog = *frame.personDialog();
        QTRY_VERIFY(dialog.isActiveWindow());
        QCOMPARE(focus(), dialog.descriptionEdit());

        for (int level = 0; level < 5; ++level) {
            const bool last = level == 4;
            // Column 0 starts with right and down connectors; the last
            // generation has no children.
            QCOMPARE(dialog.entry().cell, (Cell{0, level}));
            QCOMPARE(dialog.applyButton()->text(), QStringLiteral("Add"));
            typeMember(family[level][0]);
            if (last) {
                tabTo(dialog.connectorBox(2));
                press(Qt::Key_Space);
            }
            press(Qt::Key_Return);
            settle();

            // On to the right: the spouse, or the sibling, with no connector.
            QCOMPARE(view->currentCell(), (Cell{1, level}));
            QCOMPARE(focus(), dialog.descriptionEdit());
            typeMember(family[level][1]);
            tabTo(dialog.connectorBox(1));
            press(Qt::Key_Space);
            press(Qt::Key_Return);
            settle();
            QCOMPARE(view->currentCell(), (Cell{1, level}));

            if (!last) {
                tabTo(dialog.newLevelButton());
                press(Qt::Key_Space);
                settle();
            }
        }
        QCOMPARE(frame.findChildren<PersonDialog*>().size(), 1);

        // Leave the dialog and save with the main window's shortcut.
        press(Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        if (!frame.isActiveWindow())
            frame.activateWindow();
        QTRY_VERIFY(frame.isActiveWindow());
        QVERIFY(frame.document()->isModified());
        QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!frame.document()->isModified());
        QCOMPARE(frame.document()->path(), frame.savePath);

        const Tree& typed = view->tree();
        QCOMPARE(typed.size(), std::size_t(10));
        for (int level = 0; level < 5; ++level) {
            for (int column = 0; column < 2; ++column) {
                const Person* box = boxAt(typed, column, level);
                QVERIFY(box);
                QCOMPARE(box->kind(), BoxKind::Person);
                QCOMPARE(box->text, stored(family[level][column]));
                const bool carriesOn = column == 0 && level < 4;
                QCOMPARE(box->rightLink(), column == 0 ? 20 : 0);
                QCOMPARE(box->downLink(), carriesOn ? 20 : 0);
            }
        }

        // The file reads back as the same chart.
        ChartLoad loaded = readChartFile(frame.savePath.toStdString(), TreeSettings());
        QVERIFY2(loaded, loaded.message().c_str());
        std::vector<const Person*> before, after;
        typed.forEachPerson([&](const Person* box) { before.push_back(box); });
        loaded.chart.tree().forEachPerson([&](const Person* box) { after.push_back(box); });
        QCOMPARE(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            QCOMPARE(after[i]->kind(), before[i]->kind());
            QCOMPARE(after[i]->cell(), before[i]->cell());
            QCOMPARE(after[i]->text, before[i]->text);
            QCOMPARE(after[i]->rightLink(), before[i]->rightLink());
            QCOMPARE(after[i]->downLink(), before[i]->downLink());
            QCOMPARE(after[i]->direction(), before[i]->direction());
            QCOMPARE(after[i]->lineage, before[i]->lineage);
        }

        // The connectors make a family: each carrier's parent is the one above,
        // and the younger sibling reaches the parent through the elder.
        const Tree& chart = loaded.chart.tree();
        for (int level = 1; level < 5; ++level)
            QCOMPARE(chart.findParent(boxAt(chart, 0, level)), boxAt(chart, 0, level - 1));
        QCOMPARE(chart.findParent(boxAt(chart, 1, 4)), boxAt(chart, 0, 3));

        // The typed letters reach the chart's drawing and the export unchanged.
        RecordingDrawContext drawing;
        view->draw(drawing);
        std::vector<std::string> drawn;
        for (const auto& step : drawing.steps)
            if (step.kind == RecordingDrawContext::Text)
                drawn.push_back(step.text);
        for (const char* name : {"Łukasz Nowak", "Zoë Brandt", "Grete Weiß", "张丽 Zhang Li"})
            // A line keeps the blank that went before its break.
            QVERIFY2(std::find(drawn.begin(), drawn.end(), std::string(name) + " ") != drawn.end(),
                     name);
        const QString page = dir.filePath(QStringLiteral("nowak.html"));
        QVERIFY(frame.document()->exportHtml(page, {}));
        QFile html(page);
        QVERIFY(html.open(QIODevice::ReadOnly));
        const QByteArray exported = html.readAll();
        for (const char* name : {"Łukasz Nowak", "Zoë Brandt", "Grete Weiß", "张丽 Zhang Li"})
            QVERIFY2(exported.contains(name), name);
    }
};

QTEST_MAIN(TypeFamilyTest)
#include "type_family_test.moc"
