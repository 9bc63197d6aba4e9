// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/person_list_model.h"

#include <algorithm>

PersonListModel::PersonListModel(const GedcomData& data, QObject* parent)
    : QAbstractListModel(parent),
      filter_(data),
      rows_(filter_.matching({}))
{
}

int PersonListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant PersonListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const std::string_view label = filter_.label(rows_[std::size_t(index.row())]);
    return QString::fromUtf8(label.data(), qsizetype(label.size()));
}

void PersonListModel::setFilter(const QString& text)
{
    beginResetModel();
    rows_ = filter_.matching(text.toStdString());
    endResetModel();
}

int PersonListModel::personAt(int row) const
{
    return row >= 0 && row < int(rows_.size()) ? rows_[std::size_t(row)] : -1;
}

int PersonListModel::rowOf(int person) const
{
    if (person < 0 || std::size_t(person) >= filter_.size())
        return -1;
    // The rows keep name order, so the person's row can be found by halving.
    const std::size_t rank = filter_.rankOf(person);
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), rank,
                                     [&](int p, std::size_t r) { return filter_.rankOf(p) < r; });
    return at != rows_.end() && *at == person ? int(at - rows_.begin()) : -1;
}
