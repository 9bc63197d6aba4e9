// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/page_layout.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

// The choice of how a chart goes onto paper: actual size over several pages,
// fit to a number of pages wide, a scale in percent, or a poster on one sheet
// (the chart wrapped into bands of columns); the paper size and
// orientation (or the orientation that takes fewer pages); and whether the
// chart's background colour is printed. Titled "Chart pages" for a dialog's tab.
class PageOptionsWidget : public QWidget {
    Q_OBJECT
public:
    explicit PageOptionsWidget(const PageOptions& options, QWidget* parent = nullptr);

    PageOptions options() const;

private:
    QRadioButton* actualSize_;
    QRadioButton* fitPagesWide_;
    QRadioButton* percent_;
    QRadioButton* poster_;
    QSpinBox* pagesWide_;
    QSpinBox* percentValue_;
    QComboBox* paper_;
    QComboBox* orientation_;
    QCheckBox* background_;
};
