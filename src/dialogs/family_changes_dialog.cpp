// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/family_changes_dialog.h"

#include "dialogs/help_topic.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

constexpr int cellRole = Qt::UserRole;

// Named as the status bar names a cell.
QString placeText(const UpdatedBox& box)
{
    return box.place.empty() ? QString()
                             : FamilyChangesDialog::tr("column %1, generation %2")
                                   .arg(long(box.cell.column) + 1)
                                   .arg(box.generation);
}

} // namespace

FamilyChangesDialog::FamilyChangesDialog(const QString& title, const QString& summary,
                                         const std::vector<Group>& groups, bool canApply,
                                         QWidget* parent)
    : QDialog(parent),
      hint_(new QLabel),
      list_(new QTreeWidget),
      buttons_(new QDialogButtonBox)
{
    setWindowTitle(title);
    setHelpTopic(this, "Update");
    auto* summaryLabel = new QLabel(summary);
    summaryLabel->setWordWrap(true);
    summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    hint_->setWordWrap(true);

    list_->setColumnCount(2);
    list_->setHeaderLabels({tr("Person"), tr("Box")});
    list_->setAccessibleName(tr("Changes"));
    list_->setRootIsDecorated(true);
    list_->setUniformRowHeights(true); // long lists stay quick
    for (const Group& group : groups) {
        auto* kind = new QTreeWidgetItem(
            list_, {QStringLiteral("%1: %2").arg(group.title).arg(group.boxes.size())});
        kind->setFirstColumnSpanned(true);
        QList<QTreeWidgetItem*> persons;
        persons.reserve(qsizetype(group.boxes.size()));
        for (const UpdatedBox& box : group.boxes) {
            auto* item = new QTreeWidgetItem(
                {QStringLiteral("%1 (%2)").arg(QString::fromStdString(box.name),
                                               QString::fromStdString(box.xref)),
                 placeText(box)});
            if (box.box)
                item->setData(0, cellRole,
                              QVariant::fromValue(QPoint(box.cell.column, box.cell.level)));
            persons.append(item);
        }
        kind->addChildren(persons);
        kind->setExpanded(true);
    }
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->setVisible(!groups.empty());

    if (canApply) {
        apply_ = buttons_->addButton(QDialogButtonBox::Apply);
        apply_->setDefault(true);
        buttons_->addButton(QDialogButtonBox::Cancel);
        hint_->setText(tr("Nothing is changed until you choose Apply."));
    } else {
        buttons_->addButton(QDialogButtonBox::Close);
        offerCells();
    }
    buttons_->addButton(QDialogButtonBox::Help);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons_, &QDialogButtonBox::helpRequested, this, [this] { openHelpFor(this); });
    if (apply_)
        connect(apply_, &QPushButton::clicked, this, &FamilyChangesDialog::apply);
    connect(list_, &QTreeWidget::currentItemChanged, this, &FamilyChangesDialog::choose);
    connect(list_, &QTreeWidget::itemActivated, this, &FamilyChangesDialog::choose);

    auto* rows = new QVBoxLayout(this);
    rows->addWidget(summaryLabel);
    rows->addWidget(list_, 1);
    rows->addWidget(hint_);
    rows->addWidget(buttons_);
    resize(560, groups.empty() ? 160 : 420);
}

std::vector<FamilyChangesDialog::Group>
FamilyChangesDialog::groupsOf(const ChartUpdateReport& report)
{
    std::vector<Group> groups;
    for (const ReportSection& section : reportSections(report))
        if (!section.boxes->empty())
            groups.push_back(
                {QCoreApplication::translate("Update", section.title), *section.boxes});
    return groups;
}

void FamilyChangesDialog::apply()
{
    if (!apply_)
        return;
    emit applyRequested();
    // Hidden, not deleted: it is the button whose click is being handled. The
    // box shows its buttons anew when one comes, so Close comes first.
    buttons_->addButton(QDialogButtonBox::Close)->setDefault(true);
    apply_->hide();
    apply_ = nullptr;
    buttons_->button(QDialogButtonBox::Cancel)->hide();
    offerCells();
    list_->setFocus();
}

void FamilyChangesDialog::offerCells()
{
    hint_->setText(list_->topLevelItemCount() > 0
                       ? tr("Choose a person to select the box in the chart.")
                       : QString());
}

void FamilyChangesDialog::choose(QTreeWidgetItem* item)
{
    // Before Apply the cells are those of the chart to be.
    if (!item || apply_)
        return;
    const QVariant cell = item->data(0, cellRole);
    if (cell.isValid())
        emit cellChosen({cell.toPoint().x(), cell.toPoint().y()});
}
