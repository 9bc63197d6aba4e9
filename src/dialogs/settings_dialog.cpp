// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/settings_dialog.h"

#include "dialogs/colour_choices.h"
#include "dialogs/help_topic.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>
#include <tuple>
#include <utility>

std::function<void(QWidget*, const QString&)> SettingsDialog::showMessage =
    [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, QApplication::applicationDisplayName(), text);
    };

namespace {

// A right-aligned number edit about `digits` digits wide.
QLineEdit* numberEdit(int digits)
{
    auto* edit = new QLineEdit;
    edit->setAlignment(Qt::AlignRight);
    const int text = edit->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0')));
    edit->setFixedWidth(text + 2 * edit->fontMetrics().averageCharWidth() + 6);
    return edit;
}

// One "x / y ... pixels" group of the dialog.
QGroupBox* pairGroup(const QString& title, QLineEdit* x, QLineEdit* y)
{
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    for (auto [row, edit, name] : {std::tuple{0, x, "x"}, std::tuple{1, y, "y"}}) {
        auto* label = new QLabel(QString::fromLatin1(name));
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        // A lone "x" says little to a screen reader: the group's title goes first.
        edit->setAccessibleName(title + QStringLiteral(", ") + QString::fromLatin1(name));
    }
    // The unit sits between the two rows, as one label for both.
    grid->addWidget(new QLabel(QObject::tr("pixels")), 0, 2, 2, 1, Qt::AlignVCenter);
    grid->setColumnStretch(3, 1);
    return group;
}

QToolButton* spinButton(Qt::ArrowType arrow)
{
    auto* button = new QToolButton;
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // Like an up-down control: clicks never take the focus from the edit.
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(18, 12);
    return button;
}

using GenerationMode = SettingsDialog::GenerationMode;

GenerationMode modeOfLetter(char letter)
{
    switch (letter) {
    case 'u':
        return GenerationMode::ShowReversed;
    case 'h':
        return GenerationMode::Hide;
    default:
        return GenerationMode::Show;
    }
}

char letterOfMode(GenerationMode mode)
{
    switch (mode) {
    case GenerationMode::ShowReversed:
        return 'u';
    case GenerationMode::Hide:
        return 'h';
    case GenerationMode::Show:
        break;
    }
    return 'd';
}

bool toWholeNumber(const QString& text, int& value)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (ok)
        value = number;
    return ok;
}

} // namespace

SettingsDialog::SettingsDialog(const TreeSettings& current, QWidget* parent)
    : QDialog(parent),
      settings_(current),
      htmlStartXEdit_(numberEdit(5)),
      htmlStartYEdit_(numberEdit(5)),
      boxWidthEdit_(numberEdit(5)),
      boxHeightEdit_(numberEdit(5)),
      startEdit_(numberEdit(4)),
      startLabel_(new QLabel(tr("Start with"))),
      spinUp_(spinButton(Qt::UpArrow)),
      spinDown_(spinButton(Qt::DownArrow)),
      generationGroup_(new QButtonGroup(this)),
      saveLineageBox_(new QCheckBox(tr("Save lineage with tree"))),
      smallFontList_(new QComboBox),
      okButton_(new QPushButton(tr("OK"))),
      cancelButton_(new QPushButton(tr("Cancel"))),
      helpButton_(new QPushButton(tr("Help"))),
      applyButton_(new QPushButton(tr("Apply")))
{
    setWindowTitle(tr("Settings"));
    setHelpTopic(this, "Settings");

    // Digits only, but a negative start read from a chart must still show.
    startEdit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?[0-9]*")), startEdit_));
    startEdit_->installEventFilter(this);
    startLabel_->setBuddy(startEdit_);
    spinUp_->setAccessibleName(tr("Increase start"));
    spinDown_->setAccessibleName(tr("Decrease start"));
    connect(spinUp_, &QToolButton::clicked, this, [this] { stepStart(1); });
    connect(spinDown_, &QToolButton::clicked, this, [this] { stepStart(-1); });

    auto* generation = new QGroupBox(tr("Generation numbers"));
    auto* generationColumn = new QVBoxLayout(generation);
    const std::pair<GenerationMode, QString> choices[] = {
        {GenerationMode::Show, tr("Show")},
        {GenerationMode::ShowReversed, tr("Show reversed")},
        {GenerationMode::Hide, tr("Hide")}};
    for (const auto& [mode, text] : choices) {
        auto* radio = new QRadioButton(text);
        generationGroup_->addButton(radio, int(mode));
        generationColumn->addWidget(radio, 0, Qt::AlignLeft);
    }
    connect(generationGroup_, &QButtonGroup::idClicked, this, [this] { enableStartControls(); });
    generationColumn->addStretch(1);
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(spinUp_);
    spin->addWidget(spinDown_);
    auto* start = new QHBoxLayout;
    start->addWidget(startLabel_);
    start->addStretch(1);
    start->addLayout(spin);
    start->addWidget(startEdit_);
    generationColumn->addLayout(start);

    smallFontList_->addItems({tr("1"), tr("2"), tr("3"), tr("4"), tr("never")});
    smallFontList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* smallFont = new QHBoxLayout;
    auto* smallFontLabel = new QLabel(tr("Use small font in descriptions from line:"));
    smallFontLabel->setBuddy(smallFontList_);
    smallFont->addWidget(smallFontLabel);
    smallFont->addWidget(smallFontList_);
    smallFont->addStretch(1);

    // Apply is the default button: Enter applies and leaves the dialog open.
    applyButton_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(helpButton_);
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(applyButton_);
    buttons->addWidget(cancelButton_);
    connect(okButton_, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &SettingsDialog::reject);
    connect(applyButton_, &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(helpButton_, &QPushButton::clicked, this, [this] { openHelpFor(this); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(pairGroup(tr("Starting position (html)"), htmlStartXEdit_, htmlStartYEdit_), 0,
                    0);
    grid->addWidget(pairGroup(tr("Box size"), boxWidthEdit_, boxHeightEdit_), 0, 1);
    grid->addWidget(generation, 0, 2, 3, 1);
    grid->addWidget(saveLineageBox_, 1, 0, 1, 2);
    grid->addLayout(smallFont, 2, 0, 1, 2);
    grid->setRowStretch(2, 1);
    grid->setRowMinimumHeight(3, 4);
    grid->addLayout(buttons, 4, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    // The focus starts in the first number field.
    htmlStartXEdit_->setFocus();

    showSettings(current);
    enableStartControls();
}

void SettingsDialog::offerColourScheme(ColourScheme current)
{
    if (schemeList_)
        return;
    schemeList_ = new QComboBox;
    fillSchemeChoices(schemeList_);
    schemeList_->setCurrentIndex(int(current));
    schemeList_->setToolTip(tr("Colours the boxes anew from the chart's family file; a box's "
                               "own colour stays"));
    auto* label = new QLabel(tr("Box colours:"));
    label->setBuddy(schemeList_);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(schemeList_);
    row->addStretch(1);
    // In the gap between the other choices and the buttons.
    static_cast<QGridLayout*>(layout())->addLayout(row, 3, 0, 1, 3);
}

std::optional<ColourScheme> SettingsDialog::colourScheme() const
{
    if (!schemeList_)
        return std::nullopt;
    return ColourScheme(schemeList_->currentIndex());
}

QRadioButton* SettingsDialog::generationButton(GenerationMode mode) const
{
    return qobject_cast<QRadioButton*>(generationGroup_->button(int(mode)));
}

void SettingsDialog::showSettings(const TreeSettings& s)
{
    htmlStartXEdit_->setText(QString::number(s.htmlStartX));
    htmlStartYEdit_->setText(QString::number(s.htmlStartY));
    generationButton(modeOfLetter(s.generationMode))->setChecked(true);
    startEdit_->setText(QString::number(s.generationStart));
    boxHeightEdit_->setText(QString::number(s.boxHeight));
    boxWidthEdit_->setText(QString::number(s.boxWidth));
    saveLineageBox_->setChecked(s.saveLineage);
    // An index the list does not have shows no selection.
    const int line = s.smallFontLine;
    smallFontList_->setCurrentIndex(line >= 0 && line < smallFontList_->count() ? line : -1);
}

SettingsDialog::GenerationMode SettingsDialog::checkedMode() const
{
    const int checked = generationGroup_->checkedId();
    return checked < 0 ? GenerationMode::Show : GenerationMode(checked);
}

bool SettingsDialog::readNumber(QLineEdit* edit, const QString& name, int& field, int min, int max)
{
    int value = field;
    if (!toWholeNumber(edit->text(), value)) {
        // A field the user cannot reach (Hide chosen) keeps its last good value.
        if (!edit->isEnabled()) {
            edit->setText(QString::number(field));
            return true;
        }
        return refuse(edit, tr("%1 must be a whole number.").arg(name));
    }
    if (value < min || value > max)
        return refuse(edit, tr("%1 must be between %2 and %3.").arg(name).arg(min).arg(max));
    field = value;
    return true;
}

bool SettingsDialog::refuse(QLineEdit* edit, const QString& message)
{
    showMessage(this, message);
    edit->setFocus();
    edit->selectAll();
    return false;
}

bool SettingsDialog::readControls()
{
    TreeSettings& s = settings_;
    if (!readNumber(htmlStartXEdit_, tr("Starting position x"), s.htmlStartX) ||
        !readNumber(htmlStartYEdit_, tr("Starting position y"), s.htmlStartY))
        return false;
    s.generationMode = letterOfMode(checkedMode());
    if (!readNumber(startEdit_, tr("Start with"), s.generationStart) ||
        !readNumber(boxHeightEdit_, tr("Box size y"), s.boxHeight, TreeSettings::minBoxSize,
                    TreeSettings::maxBoxSize) ||
        !readNumber(boxWidthEdit_, tr("Box size x"), s.boxWidth, TreeSettings::minBoxSize,
                    TreeSettings::maxBoxSize))
        return false;
    s.saveLineage = saveLineageBox_->isChecked();
    s.smallFontLine = smallFontList_->currentIndex();
    return true;
}

void SettingsDialog::enableStartControls()
{
    const bool shown = checkedMode() != GenerationMode::Hide;
    startLabel_->setEnabled(shown);
    startEdit_->setEnabled(shown);
    spinUp_->setEnabled(shown);
    spinDown_->setEnabled(shown);
    // Read after enabling, so a bad start value is reported only when the user
    // can reach it.
    readControls();
}

void SettingsDialog::accept()
{
    if (readControls())
        QDialog::accept();
}

void SettingsDialog::apply()
{
    // A bad field stops the reading there; what was read before it applies.
    readControls();
    emit applyRequested();
}

void SettingsDialog::stepStart(int step)
{
    int value = settings_.generationStart;
    toWholeNumber(startEdit_->text(), value);
    if ((step > 0 && value < INT_MAX) || (step < 0 && value > INT_MIN))
        value += step;
    startEdit_->setText(QString::number(value));
    startEdit_->selectAll();
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == startEdit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepStart(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
