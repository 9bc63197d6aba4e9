// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/find_bar.h"

#include "document/chart_document.h"
#include "view/chart_view.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

#include <algorithm>

namespace {

bool beforeInReadingOrder(Cell a, Cell b)
{
    return a.level != b.level ? a.level < b.level : a.column < b.column;
}

} // namespace

FindBar::FindBar(ChartDocument* document, ChartView* view, QWidget* parent)
    : QToolBar(tr("Find"), parent),
      document_(document),
      view_(view),
      field_(new QLineEdit),
      status_(new QLabel)
{
    setObjectName(QStringLiteral("findBar"));
    setMovable(false);
    field_->setPlaceholderText(tr("Find in descriptions"));
    field_->setClearButtonEnabled(true);
    field_->setMaximumWidth(320);
    field_->installEventFilter(this);
    auto* label = new QLabel(tr("Find:") + ' ');
    label->setBuddy(field_);
    addWidget(label);
    addWidget(field_);
    addAction(tr("Previous"), this, &FindBar::findPrevious)
        ->setToolTip(tr("Shift+Enter, Shift+F3"));
    addAction(tr("Next"), this, &FindBar::findNext)->setToolTip(tr("Enter, F3"));
    status_->setMinimumWidth(100);
    status_->setContentsMargins(8, 0, 8, 0);
    addWidget(status_);
    addAction(tr("Close"), this, &QWidget::hide)->setToolTip(tr("Esc"));

    // F3 works wherever the focus is in the window, once there is a text.
    const auto windowKey = [this](QKeySequence key, void (FindBar::*step)()) {
        auto* shortcut = new QShortcut(key, parentWidget() ? parentWidget() : this);
        connect(shortcut, &QShortcut::activated, this, step);
    };
    windowKey(QKeySequence(Qt::Key_F3), &FindBar::findNext);
    windowKey(QKeySequence(Qt::SHIFT | Qt::Key_F3), &FindBar::findPrevious);

    connect(field_, &QLineEdit::textChanged, this, &FindBar::search);
    // A lineage drawn red changes no text or cell; its steps come fast.
    connect(document_, &ChartDocument::changed, this, [this](const ChartChange& change) {
        if (change.what != ChartChange::Lineage)
            chartChanged();
    });
    connect(document_, &ChartDocument::chartReplaced, this, &FindBar::chartChanged);
    hide();
}

FindBar::~FindBar() = default;

void FindBar::open()
{
    show();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
    search();
}

QString FindBar::status() const { return status_->text(); }

void FindBar::chartChanged()
{
    search_.reset();
    // Matches in view follow the chart while the bar is open.
    if (isVisible())
        search();
}

void FindBar::search()
{
    if (!search_)
        search_.emplace(document_->tree());
    matches_ = search_->find(field_->text().toUtf8().toStdString());
    // The first match from the selected cell on, as a reader goes on from there.
    const Cell from = view_->currentCell();
    const auto next =
        std::lower_bound(matches_.begin(), matches_.end(), from, beforeInReadingOrder);
    current_ = matches_.empty() ? -1 : int(next == matches_.end() ? 0 : next - matches_.begin());
    view_->setMarkedCells(matches_);
    showMatch();
}

void FindBar::findNext() { step(1); }

void FindBar::findPrevious() { step(-1); }

void FindBar::step(int by)
{
    if (field_->text().isEmpty()) {
        open();
        return;
    }
    if (matches_.empty())
        return;
    const int count = int(matches_.size());
    current_ = ((current_ + by) % count + count) % count;
    showMatch();
}

void FindBar::showMatch()
{
    if (field_->text().isEmpty()) {
        status_->clear();
        return;
    }
    if (current_ < 0) {
        status_->setText(tr("Not found"));
        return;
    }
    status_->setText(tr("%1 of %2").arg(current_ + 1).arg(matches_.size()));
    view_->selectAndCentre(matches_[std::size_t(current_)]);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != field_)
        return QToolBar::eventFilter(watched, event);
    const auto isOurs = [](const QKeyEvent* key) {
        return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
               key->key() == Qt::Key_Escape;
    };
    // Enter is also the window's Define person key: in the field it is the find's.
    if (event->type() == QEvent::ShortcutOverride && isOurs(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            step(key->modifiers().testFlag(Qt::ShiftModifier) ? -1 : 1);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            return true;
        }
    }
    return QToolBar::eventFilter(watched, event);
}

void FindBar::hideEvent(QHideEvent* event)
{
    QToolBar::hideEvent(event);
    matches_.clear();
    current_ = -1;
    view_->setMarkedCells({});
    view_->setFocus(Qt::OtherFocusReason);
}
