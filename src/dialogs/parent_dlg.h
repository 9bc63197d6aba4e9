// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QPushButton;
class QRadioButton;

// The modeless "Find Parent" dialog. It never touches the tree: Find reads the
// controls into the members and posts WM_PARENTDLG_FIND to the owner view, Close
// posts WM_PARENTDLG_CLOSE. Esc and the close box only hide it. Nothing is posted
// once the owner view is gone.
class parentDlg : public QDialog {
    Q_OBJECT
public:
    // The view is the dialog's parent window and the receiver of its messages.
    explicit parentDlg(QWidget* ownerView);

    // Copies the controls into searchMode and highlightLineage.
    void readControls();

    int searchMode = 0;       // 0 = "Immediate parent", 1 = "Ancestor"
    int highlightLineage = 0; // "Highlight lineage" checked
    QPointer<QWidget> ownerView;

    QRadioButton* immediateButton() const { return immediate_; }
    QRadioButton* ancestorButton() const { return ancestor_; }
    QCheckBox* highlightBox() const { return highlight_; }
    QPushButton* findButton() const { return find_; }
    QPushButton* helpButton() const { return help_; }
    QPushButton* closeButton() const { return close_; }

private:
    void onFind();
    void onClose();
    void onHelp();

    QRadioButton* immediate_;
    QRadioButton* ancestor_;
    QCheckBox* highlight_;
    QPushButton* find_;
    QPushButton* help_;
    QPushButton* close_;
};
