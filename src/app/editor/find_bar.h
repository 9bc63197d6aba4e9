// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chart_search.h"

#include <QToolBar>

#include <memory>
#include <optional>
#include <vector>

class ChartDocument;
class ChartView;
class QLabel;
class QLineEdit;

// The find bar under the toolbar: finds boxes by their text as it is typed
// (ignoring case and accents), steps through the matches in reading order with
// Enter and Shift+Enter (F3 and Shift+F3 in the whole window), selects each in
// the middle of the view and frames every match; Esc closes it.
class FindBar : public QToolBar {
    Q_OBJECT
public:
    FindBar(ChartDocument* document, ChartView* view, QWidget* parent = nullptr);
    ~FindBar() override;

    // Shows the bar with the field focused and its text selected.
    void open();
    void findNext();
    void findPrevious();

    QLineEdit* field() const { return field_; }
    // "3 of 17", "Not found", or empty.
    QString status() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void search();
    void chartChanged();
    void step(int by);
    void showMatch();

    ChartDocument* document_;
    ChartView* view_;
    QLineEdit* field_;
    QLabel* status_;
    // Made when first needed after a change of the chart.
    std::optional<ChartSearch> search_;
    std::vector<Cell> matches_;
    int current_ = -1;
};
