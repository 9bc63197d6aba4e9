// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/person_dialog.h"

#include "dialogs/colour_choices.h"
#include "dialogs/arrow_button.h"
#include "dialogs/dialog_units.h"
#include "dialogs/help_topic.h"
#include "model/person.h"
#include "model/text_codec.h"
#include "model/tree_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>

namespace {

// The edit's text with CR LF between its lines, whatever kind of break the user
// typed; nothing else is changed (no blank replaces a no-break space).
QString editorText(const QPlainTextEdit& edit)
{
    QString text;
    const QTextDocument& document = *edit.document();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            text += QStringLiteral("\r\n");
        text += block.text();
    }
    text.replace(QChar(QChar::LineSeparator), QStringLiteral("\r\n"));
    return text;
}

QString plainLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// A check box without a text, centred on a point.
void centreOn(QWidget* widget, QPoint centre)
{
    const QSize size = widget->sizeHint();
    widget->setGeometry(QRect(centre - QPoint(size.width() / 2, size.height() / 2), size));
}

} // namespace

PersonDialog::PersonDialog(QWidget* parent)
    : QDialog(parent),
      description_(new QPlainTextEdit(this)),
      apply_(new QPushButton(tr("Add"), this)),
      help_(new QPushButton(tr("Help"), this)),
      close_(new QPushButton(tr("Close"), this)),
      newLevel_(new QPushButton(tr("New level"), this)),
      continuation_(new QCheckBox(tr("Continuation box"), this)),
      connectors_{new QCheckBox(this), new QCheckBox(this), new QCheckBox(this),
                  new QCheckBox(this)},
      arrows_{new ArrowButton(ArrowButton::Up, this), new ArrowButton(ArrowButton::Right, this),
              new ArrowButton(ArrowButton::Down, this), new ArrowButton(ArrowButton::Left, this)},
      column_(new QLineEdit(this)),
      level_(new QLineEdit(this)),
      connect_(new QLabel(tr("Connect"), this)),
      colour_(new QComboBox(this))
{
    setWindowTitle(tr("Define person"));
    setHelpTopic(this, "Add");
    setModal(false);

    description_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    description_->setLineWrapMode(QPlainTextEdit::NoWrap);
    description_->setTabChangesFocus(true);
    description_->installEventFilter(this);
    for (QLineEdit* cellEdit : {column_, level_}) {
        cellEdit->setReadOnly(true);
        cellEdit->setValidator(new QIntValidator(0, INT_MAX, cellEdit));
        cellEdit->setAlignment(Qt::AlignRight);
        // The cell is chosen through the view, never typed: no stop for Tab.
        cellEdit->setFocusPolicy(Qt::ClickFocus);
    }
    connect_->setFrameStyle(QFrame::Box | QFrame::Plain);
    connect_->setAlignment(Qt::AlignCenter);
    apply_->setDefault(true);
    apply_->setAutoDefault(true);
    for (QPushButton* button : {help_, close_, newLevel_})
        button->setAutoDefault(false);
    fillColourChoices(colour_);

    layOut();
    setTabOrder(description_, continuation_);
    setTabOrder(continuation_, connectors_[0]);
    setTabOrder(connectors_[0], connectors_[3]);
    setTabOrder(connectors_[3], connectors_[1]);
    setTabOrder(connectors_[1], connectors_[2]);
    setTabOrder(connectors_[2], arrows_[0]);
    setTabOrder(arrows_[0], arrows_[3]);
    setTabOrder(arrows_[3], arrows_[1]);
    setTabOrder(arrows_[1], arrows_[2]);
    setTabOrder(arrows_[2], newLevel_);
    setTabOrder(newLevel_, colour_);
    setTabOrder(colour_, apply_);
    setTabOrder(apply_, help_);
    setTabOrder(help_, close_);

    connect(apply_, &QPushButton::clicked, this, &PersonDialog::apply);
    connect(newLevel_, &QPushButton::clicked, this, &PersonDialog::askForNewLevel);
    connect(help_, &QPushButton::clicked, this, [this] { openHelpFor(this); });
    connect(close_, &QPushButton::clicked, this, &PersonDialog::closeRequested);
    connect(continuation_, &QCheckBox::clicked, this, &PersonDialog::applyContinuationRule);
    static constexpr Qt::ArrowType directions[4] = {Qt::UpArrow, Qt::RightArrow, Qt::DownArrow,
                                                    Qt::LeftArrow};
    for (int side = 0; side < 4; ++side) {
        connect(connectors_[side], &QCheckBox::clicked, this, [this, side] { chooseSide(side); });
        connect(arrows_[side], &QToolButton::clicked, this,
                [this, side] { emit stepRequested(directions[side]); });
    }

    column_->setText(QStringLiteral("0"));
    level_->setText(QStringLiteral("0"));
    enableSideBoxes(false);
}

// The places of the classic 187 x 161 unit template: the description top left
// with the connectors below it, the cell and its arrows framed on the right, the
// three buttons along the bottom. The keys hint takes one line across the
// dialog in the gap above the buttons, so it is whole in longer languages too.
void PersonDialog::layOut()
{
    const DialogUnits du(fontMetrics());

    auto* hint = new QLabel(tr("Enter adds the box \u00b7 Ctrl+Enter starts a new line"), this);
    QFont small = hint->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    hint->setFont(small);
    hint->setForegroundRole(QPalette::PlaceholderText);
    const int hintHeight = hint->sizeHint().height();
    // The box's colour takes a row of its own above the hint, the template's
    // bottom moved down to make room.
    constexpr int colourRow = 18;
    hint->setGeometry(du.x(10), du.y(135 + colourRow) - hintHeight / 2, du.x(175), hintHeight);
    setFixedSize(du.size(187, 161 + colourRow));
    auto* colourLabel = new QLabel(tr("Co&lour"), this);
    colourLabel->setBuddy(colour_);
    colourLabel->setGeometry(QRect(du.point(10, 136), colourLabel->sizeHint()));
    colour_->setGeometry(du.rect(45, 133, 75, 14));
    colour_->setToolTip(tr("The box's own colour, over the colours of the chart's scheme"));

    auto* levelGroup = new QGroupBox(tr("Level"), this);
    levelGroup->setGeometry(du.rect(120, 5, 65, 125));
    auto* connectorGroup = new QGroupBox(tr("Connectors"), this);
    connectorGroup->setGeometry(du.rect(10, 55, 85, 75));
    levelGroup->lower();
    connectorGroup->lower();

    auto* prompt = new QLabel(tr("Enter name and description"), this);
    prompt->setGeometry(QRect(du.point(10, 5), prompt->sizeHint()));
    prompt->setBuddy(description_);
    description_->setGeometry(du.rect(10, 15, 100, 35));

    apply_->setGeometry(du.rect(10, 140 + colourRow, 45, 15));
    help_->setGeometry(du.rect(80, 140 + colourRow, 45, 15));
    close_->setGeometry(du.rect(135, 140 + colourRow, 45, 15));

    // The cell fields sit over the arrow cross as in the template, a little
    // further apart so that four digits fit.
    const int spacing = du.x(22);
    const int digits = column_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10;
    const int cellWidth = std::min(std::max(du.x(15), digits), spacing - du.x(2));
    const int cellHeight = std::max(du.y(12), column_->sizeHint().height());
    const int cellTop = du.y(25);
    const int middle = du.x(153);
    for (auto [edit, centreX, name] : {std::tuple{column_, middle - spacing / 2, "x"},
                                       std::tuple{level_, middle + spacing / 2, "y"}}) {
        edit->setGeometry(centreX - cellWidth / 2, cellTop, cellWidth, cellHeight);
        auto* label = new QLabel(QString::fromLatin1(name), this);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        label->setGeometry(centreX - cellWidth / 2, du.y(15), cellWidth, cellTop - du.y(15) - 1);
        label->setBuddy(edit);
    }
    // "x" and "y" say little to a screen reader.
    column_->setAccessibleName(tr("Column"));
    level_->setAccessibleName(tr("Level"));

    // The four arrows touch each other as a cross, as the bitmaps did.
    const QSize arrowSize = arrows_[0]->sizeHint();
    const QPoint cross = du.point(153, 72);
    const QPoint offsets[4] = {{0, -arrowSize.height()},
                               {arrowSize.width(), 0},
                               {0, arrowSize.height()},
                               {-arrowSize.width(), 0}};
    for (int side = 0; side < 4; ++side) {
        arrows_[side]->resize(arrowSize);
        arrows_[side]->move(cross + offsets[side] -
                            QPoint(arrowSize.width() / 2, arrowSize.height() / 2));
    }
    newLevel_->setGeometry(du.rect(130, 110, 45, 15));

    // The connector boxes stand around the "Connect" label on its four sides.
    connect_->setGeometry(du.rect(36, 82, 30, 15));
    const QRect label = connect_->geometry();
    const QSize box = connectors_[0]->sizeHint();
    const int gapX = du.x(4) + box.width() / 2;
    const int gapY = du.y(2) + box.height() / 2;
    centreOn(connectors_[0], QPoint(label.center().x(), label.top() - gapY));
    centreOn(connectors_[1], QPoint(label.right() + gapX, label.center().y()));
    centreOn(connectors_[2], QPoint(label.center().x(), label.bottom() + gapY));
    centreOn(connectors_[3], QPoint(label.left() - gapX, label.center().y()));
    const char* sides[4] = {QT_TR_NOOP("Connect up"), QT_TR_NOOP("Connect right"),
                            QT_TR_NOOP("Connect down"), QT_TR_NOOP("Connect left")};
    for (int side = 0; side < 4; ++side)
        connectors_[side]->setAccessibleName(tr(sides[side]));
    continuation_->setGeometry(QRect(du.point(15, 115), continuation_->sizeHint()));
}

std::string PersonDialog::descriptionBytes() const
{
    const QString shown = editorText(*description_);
    if (shown == shownDescription_)
        return shownBytes_;
    const QByteArray utf8 = shown.toUtf8();
    return std::string(utf8.constData(), std::size_t(utf8.size()));
}

Cell PersonDialog::shownCell() const { return {column_->text().toInt(), level_->text().toInt()}; }

PersonEntry PersonDialog::entry() const
{
    const bool continuation = continuation_->isChecked();
    return {descriptionBytes(),
            shownCell(),
            {connectors_[1]->isChecked() ? gapX : 0, connectors_[2]->isChecked() ? gapY : 0},
            continuation,
            continuation ? checkedSide() : 4,
            chosenColour(colour_)};
}

int PersonDialog::checkedSide() const
{
    for (int side = 0; side < 4; ++side)
        if (connectors_[side]->isChecked())
            return side;
    return 4;
}

void PersonDialog::showCell(Cell cell)
{
    column_->setText(QString::number(cell.column));
    level_->setText(QString::number(cell.level));
    continuation_->setChecked(false);
    selectColourChoice(colour_, noColour);
    setAddMode(true);
    applyContinuationRule();
}

void PersonDialog::showPerson(const Person& box)
{
    shownBytes_ = box.editText();
    shownDescription_ = QString::fromStdString(displayText(shownBytes_));
    // Setting the same text again would lose the caret and the selection.
    if (editorText(*description_) != shownDescription_)
        description_->setPlainText(plainLines(shownDescription_));
    const bool continuation = box.kind() == BoxKind::Continuation;
    continuation_->setChecked(continuation);
    for (int side = 0; side < 4; ++side)
        connectors_[side]->setChecked(continuation && box.direction() == side);
    if (!continuation) {
        connectors_[1]->setChecked(box.rightLink() > 0);
        connectors_[2]->setChecked(box.downLink() > 0);
    }
    column_->setText(QString::number(box.column()));
    level_->setText(QString::number(box.level()));
    selectColourChoice(colour_, box.ownColour);
    setAddMode(false);
    enableSideBoxes(continuation);
}

void PersonDialog::setAddMode(bool add)
{
    apply_->setText(add ? tr("Add") : tr("Update"));
    apply_->setDefault(true);
    continuation_->setEnabled(add);
}

void PersonDialog::selectDescription()
{
    description_->selectAll();
    description_->ensureCursorVisible();
    description_->setFocus(Qt::OtherFocusReason);
}

void PersonDialog::applyContinuationRule()
{
    const bool continuation = continuation_->isChecked();
    connectors_[0]->setChecked(continuation);
    connectors_[1]->setChecked(!continuation);
    connectors_[2]->setChecked(!continuation && shownCell().column == 0);
    connectors_[3]->setChecked(false);
    enableSideBoxes(continuation);
}

// A plain box has two independent connectors. For a continuation box, checking
// a side moves the choice there and unchecking it leaves none.
void PersonDialog::chooseSide(int side)
{
    if (!continuation_->isChecked() || !connectors_[side]->isChecked())
        return;
    for (int other = 0; other < 4; ++other)
        if (other != side)
            connectors_[other]->setChecked(false);
}

void PersonDialog::apply()
{
    emit applyRequested();
    setAddMode(false);
    selectDescription();
}

void PersonDialog::askForNewLevel()
{
    emit newLevelRequested();
    selectDescription();
}

void PersonDialog::enableSideBoxes(bool enable)
{
    connectors_[0]->setEnabled(enable);
    connectors_[3]->setEnabled(enable);
}

bool PersonDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == description_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // As in a classic dialog's multi-line edit: Ctrl+Enter breaks the
            // line, Enter alone belongs to the default button.
            if (key->modifiers().testFlag(Qt::ControlModifier))
                description_->insertPlainText(QStringLiteral("\n"));
            else if (apply_->isEnabled())
                apply_->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
