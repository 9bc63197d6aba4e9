// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/page_options_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace {
constexpr int maxPagesWide = 1000;
constexpr int minPercent = 1;
constexpr int maxPercent = 1000;
} // namespace

PageOptionsWidget::PageOptionsWidget(const PageOptions& options, QWidget* parent)
    : QWidget(parent),
      actualSize_(new QRadioButton(tr("&Actual size over several pages"))),
      fitPagesWide_(new QRadioButton(tr("&Fit to"))),
      percent_(new QRadioButton(tr("&Scale"))),
      poster_(new QRadioButton(tr("Poster on one sheet"))),
      pagesWide_(new QSpinBox),
      percentValue_(new QSpinBox),
      paper_(new QComboBox),
      orientation_(new QComboBox),
      background_(new QCheckBox(tr("Print &background colour")))
{
    setWindowTitle(tr("Chart pages"));
    pagesWide_->setRange(1, maxPagesWide);
    pagesWide_->setValue(options.pagesWide);
    percentValue_->setRange(minPercent, maxPercent);
    percentValue_->setSuffix(QStringLiteral(" %"));
    percentValue_->setValue(options.percent);
    background_->setChecked(options.background);
    for (const auto& [paper, name] : paperSizes())
        paper_->addItem(QString::fromStdString(name), int(paper));
    paper_->setCurrentIndex(paper_->findData(int(options.paper)));
    orientation_->addItem(tr("Whichever takes fewer pages"), int(Orientation::Automatic));
    orientation_->addItem(tr("Portrait"), int(Orientation::Portrait));
    orientation_->addItem(tr("Landscape"), int(Orientation::Landscape));
    orientation_->setCurrentIndex(orientation_->findData(int(options.orientation)));
    // The numbers stand beside their choices; a screen reader hears them apart.
    pagesWide_->setAccessibleName(tr("Pages wide"));
    percentValue_->setAccessibleName(tr("Scale in percent"));
    actualSize_->setChecked(options.mode == PageOptions::ActualSize);
    fitPagesWide_->setChecked(options.mode == PageOptions::FitPagesWide);
    percent_->setChecked(options.mode == PageOptions::Percent);
    poster_->setChecked(options.mode == PageOptions::Poster);
    poster_->setToolTip(tr("The chart wrapped into bands of whole columns, stacked on one sheet "
                           "at the largest scale that fits"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(actualSize_, 0, 0, 1, 3);
    layout->addWidget(fitPagesWide_, 1, 0);
    layout->addWidget(pagesWide_, 1, 1);
    auto* pagesLabel = new QLabel(tr("pages wide (1: the whole chart on one page)"));
    pagesLabel->setBuddy(pagesWide_);
    layout->addWidget(pagesLabel, 1, 2);
    layout->addWidget(percent_, 2, 0);
    layout->addWidget(percentValue_, 2, 1);
    layout->addWidget(poster_, 3, 0, 1, 3);
    auto* paperLabel = new QLabel(tr("Pa&per:"));
    paperLabel->setBuddy(paper_);
    layout->addWidget(paperLabel, 4, 0);
    layout->addWidget(paper_, 4, 1, 1, 2, Qt::AlignLeft);
    auto* orientationLabel = new QLabel(tr("&Orientation:"));
    orientationLabel->setBuddy(orientation_);
    layout->addWidget(orientationLabel, 5, 0);
    layout->addWidget(orientation_, 5, 1, 1, 2, Qt::AlignLeft);
    layout->addWidget(background_, 6, 0, 1, 3);
    layout->setRowStretch(7, 1);
    layout->setColumnStretch(2, 1);
    // Editing a number picks its choice.
    connect(pagesWide_, &QSpinBox::valueChanged, fitPagesWide_,
            [this] { fitPagesWide_->setChecked(true); });
    connect(percentValue_, &QSpinBox::valueChanged, percent_,
            [this] { percent_->setChecked(true); });
}

PageOptions PageOptionsWidget::options() const
{
    PageOptions options;
    options.mode = fitPagesWide_->isChecked() ? PageOptions::FitPagesWide
                   : percent_->isChecked()    ? PageOptions::Percent
                   : poster_->isChecked()     ? PageOptions::Poster
                                              : PageOptions::ActualSize;
    options.pagesWide = pagesWide_->value();
    options.percent = percentValue_->value();
    options.background = background_->isChecked();
    options.paper = Paper(paper_->currentData().toInt());
    options.orientation = Orientation(orientation_->currentData().toInt());
    return options;
}
