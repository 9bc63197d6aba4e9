// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/person_dialog.h"

#include "dialogs/arrow_button.h"
#include "dialogs/dialog_units.h"
#include "dialogs/help_topic.h"
#include "model/person.h"
#include "model/text_codec.h"
#include "model/tree_settings.h"

#include <QCheckBox>
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
      connect_(new QLabel(tr("Connect"), this))
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
    setTabOrder(newLevel_, apply_);
    setTabOrder(apply_, help_);
    setTabOrder(help_, close_);

    connect(apply_, &QPushButton::clicked, this, &PersonDialog::onApply);
    connect(newLevel_, &QPushButton::clicked, this, &PersonDialog::onNewLevel);
    connect(help_, &QPushButton::clicked, this, [this] { openHelpFor(this); });
    connect(close_, &QPushButton::clicked, this, &PersonDialog::closeRequested);
    connect(continuation_, &QCheckBox::clicked, this, &PersonDialog::continuationRule);
    for (QCheckBox* box : connectors_)
        connect(box, &QCheckBox::clicked, this, &PersonDialog::onConnector);
    static constexpr Qt::ArrowType directions[4] = {Qt::UpArrow, Qt::RightArrow, Qt::DownArrow,
                                                    Qt::LeftArrow};
    for (int side = 0; side < 4; ++side)
        connect(arrows_[side], &QToolButton::clicked, this,
                [this, side] { emit stepRequested(directions[side]); });

    updateData(false);
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
    hint->setGeometry(du.x(10), du.y(135) - hintHeight / 2, du.x(175), hintHeight);
    setFixedSize(du.size(187, 161));

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

    apply_->setGeometry(du.rect(10, 140, 45, 15));
    help_->setGeometry(du.rect(80, 140, 45, 15));
    close_->setGeometry(du.rect(135, 140, 45, 15));

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

void PersonDialog::updateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        description = editorText(*description_);
        isContinuation = continuation_->isChecked() ? 1 : 0;
        connectUp = connectors_[0]->isChecked() ? 1 : 0;
        connectRight = connectors_[1]->isChecked() ? 1 : 0;
        connectDown = connectors_[2]->isChecked() ? 1 : 0;
        connectLeft = connectors_[3]->isChecked() ? 1 : 0;
        cellColumn = column_->text().toInt();
        cellLevel = level_->text().toInt();
        return;
    }
    // Setting the same text again would lose the caret and the selection.
    if (editorText(*description_) != description)
        description_->setPlainText(plainLines(description));
    continuation_->setChecked(isContinuation != 0);
    connectors_[0]->setChecked(connectUp != 0);
    connectors_[1]->setChecked(connectRight != 0);
    connectors_[2]->setChecked(connectDown != 0);
    connectors_[3]->setChecked(connectLeft != 0);
    column_->setText(QString::number(cellColumn));
    level_->setText(QString::number(cellLevel));
}

String PersonDialog::descriptionBytes() const
{
    if (description == shownDescription_)
        return shownBytes_;
    const QByteArray utf8 = description.toUtf8();
    return String(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

PersonEntry PersonDialog::entry() const
{
    return {descriptionBytes(),
            {cellColumn, cellLevel},
            {connectRight * gapX, connectDown * gapY},
            isContinuation == 1,
            direction};
}

void PersonDialog::showCell(Cell cell)
{
    cellColumn = cell.column;
    cellLevel = cell.level;
    isContinuation = 0;
    updateData(false);
    setAddMode(true);
    continuationRule();
}

void PersonDialog::showPerson(const Person& box)
{
    shownBytes_ = box.editText();
    shownDescription_ = QString::fromStdString(displayText(shownBytes_.view()));
    description = shownDescription_;
    connectUp = connectRight = connectDown = connectLeft = 0;
    isContinuation = box.kind() == 'p' ? 1 : 0;
    if (isContinuation) {
        const int side = box.direction();
        if (side < 4)
            *connectorMember(side) = 1;
        direction = side;
    } else {
        connectRight = box.rightLink() > 0 ? 1 : 0;
        connectDown = box.downLink() > 0 ? 1 : 0;
    }
    cellColumn = box.column();
    cellLevel = box.level();
    updateData(false);
    setAddMode(false);
    enableSideBoxes(isContinuation == 1);
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

// A new plain box starts with a right connector (and a down one in the first
// column); a new continuation box points up.
void PersonDialog::continuationRule()
{
    updateData(true);
    connectRight = isContinuation ? 0 : 1;
    connectDown = isContinuation == 0 && cellColumn == 0 ? 1 : 0;
    connectUp = isContinuation;
    connectLeft = 0;
    if (isContinuation == 1)
        direction = 0;
    enableSideBoxes(isContinuation == 1);
    updateData(false);
}

// A plain box has two independent connectors; for a continuation box the four
// boxes are one choice of side.
void PersonDialog::onConnector()
{
    updateData(true);
    if (isContinuation == 0)
        return;
    if (direction < 4)
        *connectorMember(direction) = 0;
    direction = 4;
    for (int side = 0; side < 4; ++side) {
        if (*connectorMember(side)) {
            direction = side;
            break;
        }
    }
    updateData(false);
}

void PersonDialog::onApply()
{
    updateData(true);
    emit applyRequested();
    setAddMode(false);
    selectDescription();
}

void PersonDialog::onNewLevel()
{
    emit newLevelRequested();
    selectDescription();
}

void PersonDialog::enableSideBoxes(bool enable)
{
    connectors_[0]->setEnabled(enable);
    connectors_[3]->setEnabled(enable);
}

int* PersonDialog::connectorMember(int side)
{
    int* members[4] = {&connectUp, &connectRight, &connectDown, &connectLeft};
    return members[side];
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
