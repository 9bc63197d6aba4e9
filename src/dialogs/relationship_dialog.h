// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;

// How two persons are related: each relationship's sentence with the persons
// of its line under it, or why there is none. Modeless; it only shows.
class RelationshipDialog : public QDialog {
    Q_OBJECT
public:
    struct Entry {
        QString sentence;
        QStringList line; // the persons from A to B
    };

    RelationshipDialog(const std::vector<Entry>& entries, QWidget* parent = nullptr);

    // The text shown, plain, for tests.
    QString shownText() const;

private:
    QLabel* text_;
};
