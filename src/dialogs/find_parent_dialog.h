// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The modeless "Find Parent" dialog. It never touches the tree: Find asks by
// findRequested for what the controls choose, Close by closeRequested; connect
// them queued, so the dialog's own click handler finishes first. Esc and the
// close box only hide it.
class FindParentDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindParentDialog(QWidget* parent = nullptr);

    // "Ancestor" chosen rather than "Immediate parent".
    bool findsAncestor() const;
    // "Highlight lineage" checked.
    bool highlightsLineage() const;
    // A line of words under the choices about the parent found; hidden when empty.
    void setNote(const QString& note);

    QRadioButton* immediateButton() const { return immediate_; }
    QRadioButton* ancestorButton() const { return ancestor_; }
    QCheckBox* highlightBox() const { return highlight_; }
    QPushButton* findButton() const { return find_; }
    QPushButton* helpButton() const { return help_; }
    QPushButton* closeButton() const { return close_; }
    QLabel* noteLabel() const { return note_; }

signals:
    void findRequested();
    void closeRequested();

private:
    QRadioButton* immediate_;
    QRadioButton* ancestor_;
    QCheckBox* highlight_;
    QPushButton* find_;
    QPushButton* help_;
    QPushButton* close_;
    QLabel* note_;
};
