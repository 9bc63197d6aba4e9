// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/person_filter.h"

#include <QAbstractListModel>

#include <vector>

// The persons of a GEDCOM file that match a filter, in name order, one
// "Name, years" row each.
class PersonListModel : public QAbstractListModel {
    Q_OBJECT
public:
    PersonListModel(const GedcomData& data, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Shows only the persons whose row holds every word of the text, ignoring
    // case and accents.
    void setFilter(const QString& text);
    // The person index of a row, or -1.
    int personAt(int row) const;
    // The row showing the person, or -1 when the filter hides them.
    int rowOf(int person) const;

private:
    PersonFilter filter_;
    std::vector<int> rows_;
};
