// SPDX-License-Identifier: GPL-3.0-or-later
#include "stirpa_view.h"

#include "chart_painter.h"

#include <QEvent>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

CStirpaView* currentView = nullptr;

namespace {
constexpr int lineStep = 20;
}

CStirpaView::CStirpaView(QWidget* parent) : QAbstractScrollArea(parent)
{
    // Every pixel of the viewport comes from the backing image.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    // The arrow keys move the selection, so the chart takes the keyboard focus.
    setFocusPolicy(Qt::StrongFocus);
    const Size total = chartTotalSize(nullptr);
    total_ = QSize(total.width, total.height);
    page_ = windowSize();
    updateScrollBars();
    currentView = this;
}

CStirpaView::~CStirpaView()
{
    if (currentView == this)
        currentView = nullptr;
}

void CStirpaView::newTree(const String& name) { adoptTree(std::make_unique<Tree>(name)); }

void CStirpaView::adoptTree(std::unique_ptr<Tree> loaded)
{
    currentCell = noCell;
    generationColumn.tree = nullptr;
    tree = loaded ? std::move(loaded) : std::make_unique<Tree>();
    generationColumn.tree = tree.get();
    // An open define-person dialog follows the new chart.
    refreshPersonDialog();
    invalidateChart();
}

void CStirpaView::updateScrollSizes()
{
    const Size total = chartTotalSize(tree.get());
    total_ = QSize(total.width, total.height);
    page_ = windowSize();
    updateScrollBars();
}

void CStirpaView::updateScrollBars()
{
    const QSize client = viewport()->size();
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    across->setRange(0, std::max(0, total_.width() - client.width()));
    down->setRange(0, std::max(0, total_.height() - client.height()));
    across->setPageStep(page_.width());
    down->setPageStep(page_.height());
    across->setSingleStep(lineStep);
    down->setSingleStep(lineStep);
}

QPoint CStirpaView::scrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

QSize CStirpaView::windowSize() const { return frameGeometry().size(); }

void CStirpaView::placeDialog(QWidget* dialog, QPoint offset)
{
    if (!dialog)
        return;
    const QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : window();
    QPoint at = owner->frameGeometry().topLeft() + offset;
    // A window near the screen's edge would put the dialog partly off screen,
    // out of the user's reach: it is moved in just enough.
    if (const QScreen* screen = owner->screen()) {
        const QRect room = screen->availableGeometry();
        const QSize size = dialog->frameGeometry().size();
        at.setX(std::max(room.left(), std::min(at.x(), room.right() + 1 - size.width())));
        at.setY(std::max(room.top(), std::min(at.y(), room.bottom() + 1 - size.height())));
    }
    dialog->move(at);
}

void CStirpaView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

bool CStirpaView::viewportEvent(QEvent* event)
{
    // Scroll bars coming and going resize the viewport alone.
    if (event->type() == QEvent::Resize)
        updateScrollBars();
    return QAbstractScrollArea::viewportEvent(event);
}
