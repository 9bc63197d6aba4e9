// SPDX-License-Identifier: GPL-3.0-or-later
// The find-parent dialog's command and messages: the parent search and the
// animated lineage highlight.
#include "stirpa_view.h"

#include "parent_dlg.h"

#include <QThread>

#include <vector>

namespace {

std::vector<int> lineageBits(const Tree& tree)
{
    std::vector<int> bits;
    bits.reserve(tree.size());
    tree.forEachPerson([&](const Person* box) { bits.push_back(box->lineage); });
    return bits;
}

} // namespace

void CStirpaView::OnTreeFindParent()
{
    if (parentDialog) {
        parentDialog->showNormal();
        parentDialog->raise();
        parentDialog->activateWindow();
        return;
    }
    parentDialog = new parentDlg(this);
    placeDialog(parentDialog, QPoint(windowSize().width() / 2, 50));
    parentDialog->show();
}

void CStirpaView::OnParentDlgFind()
{
    if (!parentDialog || !tree)
        return;
    // The lineage bits are saved with the chart, so changing them is an edit.
    const std::vector<int> before = lineageBits(*tree);
    tree->clearLineage(*windowContext());

    const int searchMode = parentDialog->searchMode;
    const bool highlight = parentDialog->highlightLineage == 1;
    if (Person* found = tree->findParent(tree->selected)) {
        if (searchMode == 1) {
            while (Person* further = tree->findParent(found))
                found = further;
        }
        if (highlight) {
            // Each step is put on the screen before the pause, or the user would
            // see only the end of the walk.
            tree->showLineage(*windowContext(), [this] {
                viewport()->repaint();
                if (lineagePause > 0)
                    QThread::msleep(static_cast<unsigned long>(lineagePause));
            });
        }
        selectCell(found->cell());
    }
    if (lineageBits(*tree) != before)
        emit modified();
}

void CStirpaView::OnParentDlgClose() { delete parentDialog.data(); }
