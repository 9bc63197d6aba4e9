// SPDX-License-Identifier: GPL-3.0-or-later
// Find parent in the main window: the menu item's state, the dialog's place, the
// save prompt and the highlight kept in the saved chart.
#include "app/editor/main_window.h"
#include "files/debug_log.h"
#include "dialogs/find_parent_dialog.h"
#include "document/chart_document.h"
#include "model/tree_settings.h"
#include "view/chart_view.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>
#include <vector>

namespace {

const QString samplePath = QStringLiteral(STIRPA_SOURCE_DIR "/resources/sample.txt");

const Person* boxNamed(const Tree& tree, std::string_view name)
{
    const Person* found = nullptr;
    tree.forEachPerson([&](const Person* box) {
        if (!found && box->text.substr(0, name.size()) == name)
            found = box;
    });
    return found;
}

std::vector<int> lineages(const Tree& tree)
{
    std::vector<int> bits;
    tree.forEachPerson([&](const Person* box) { bits.push_back(box->lineage); });
    return bits;
}

} // namespace

class FindParentWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { redirectDebugLog(&log); }
    void cleanup() { redirectDebugLog(nullptr); }

    void menuItemFollowsTheSelection()
    {
        MainWindow frame;
        QVERIFY(frame.document()->open(samplePath));
        ChartView* view = frame.view();
        QAction* item = frame.action(Command::TreeFindParent);
        QVERIFY(item);
        view->selectCell({6, 0}); // an empty cell
        QVERIFY(!item->isEnabled());
        view->selectCell({6, 4});
        QVERIFY(item->isEnabled());
    }

    // From the youngest box of the sample, Ancestor climbs to the first box; the
    // changed lineage bits make the chart modified and go into the saved file.
    void ancestorSearchOnTheSample()
    {
        MainWindow frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.document()->open(samplePath));
        ChartView* view = frame.view();
        view->setLineagePause(0);
        const Tree& tree = view->tree();
        view->selectCell(boxNamed(tree, "Owen")->cell());

        frame.action(Command::TreeFindParent)->trigger();
        FindParentDialog* dialog = frame.findParentDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->pos(),
                 frame.frameGeometry().topLeft() + QPoint(view->windowSize().width() / 2, 50));
        QVERIFY(!frame.document()->isModified());

        dialog->ancestorButton()->setChecked(true);
        dialog->highlightBox()->setChecked(true);
        dialog->findButton()->click();
        QTRY_COMPARE(view->document()->selectedBox(), boxNamed(tree, "Aldous"));
        QVERIFY(frame.document()->isModified());
        for (const char* down : {"Aldous", "Thomas", "Leonard", "Frank"})
            QVERIFY2(boxNamed(tree, down)->lineage == 2, down);
        for (const char* right : {"Edwin", "Clara", "Arthur", "Florence", "Doris", "Joan"})
            QVERIFY2(boxNamed(tree, right)->lineage == 1, right);
        QCOMPARE(boxNamed(tree, "Owen")->lineage, 0);
        const std::vector<int> found = lineages(tree);

        QTemporaryDir dir;
        const QString saved = dir.filePath("saved.txt");
        QVERIFY(frame.document()->saveAs(saved));
        QVERIFY(!frame.document()->isModified());

        // The same search again changes no bit: nothing new to save.
        view->selectCell(boxNamed(tree, "Owen")->cell());
        dialog->findButton()->click();
        QTRY_COMPARE(view->document()->selectedBox(), boxNamed(tree, "Aldous"));
        QVERIFY(!frame.document()->isModified());

        QVERIFY(frame.document()->open(saved));
        QCOMPARE(lineages(view->tree()), found);
    }

private:
    std::ostringstream log;
};

QTEST_MAIN(FindParentWindowTest)
#include "find_parent_window_test.moc"
