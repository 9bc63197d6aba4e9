// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "command_target.h"
#include "draw_context.h"
#include "generation_column.h"
#include "person.h"
#include "stirpa_string.h"
#include "tree.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QRegion>

#include <functional>
#include <memory>

class PersonDlg;
class QPrinter;
class parentDlg;

// The scrolling chart view. It owns the Tree, the one-box copy buffer and the
// drag tracker. The chart is drawn into a backing image of the viewport: a paint
// renders the parts marked stale, and drawing "at once" (windowContext) goes
// straight into the image, so XOR outlines drawn twice leave it unchanged.
class CStirpaView : public QAbstractScrollArea, public CommandTarget {
    Q_OBJECT

public:
    explicit CStirpaView(QWidget* parent = nullptr);
    ~CStirpaView() override;

    // Replaces the tree by a new empty one with the name; no cell is current.
    void newTree(const String& name);
    // Replaces the tree by one already read (a null pointer gives an empty tree).
    void adoptTree(std::unique_ptr<Tree> loaded);
    // Recomputes the extent and the scroll sizes; never moves the scroll position.
    void updateScrollSizes();
    QSize totalSize() const { return total_; }
    QPoint scrollPosition() const;

    // The chart as painted on any surface.
    void OnDraw(DrawContext& dc);
    // A context that draws into the backing image at once (chart pixels in,
    // viewport pixels out) and shows what it changed; cursor and mouse capture act
    // on the viewport.
    std::unique_ptr<DrawContext> windowContext();
    // Marks the whole viewport stale and asks for a paint.
    void invalidateChart();
    // What the viewport shows (stale parts are painted at the next paint).
    const QImage& backingImage() const { return image_; }

    // The outer size of the view widget.
    QSize windowSize() const;
    // Moves the dialog's top-left to its parent window's frame corner plus offset,
    // moved in where it would leave the screen.
    void placeDialog(QWidget* dialog, QPoint offset);

    // Prints one page at one chart pixel per printer unit (96 dpi): the top-left
    // part of the chart. Returns false when the printer cannot be started.
    bool printChart(QPrinter* printer);

    // The view's commands (stirpa_view_commands.cpp).
    bool onCommand(int id) override;
    bool updateCommand(int id, CommandState& state) override;

    // Makes the cell current, draws the change of selection at once and shows the
    // cell in the define-person dialog when it is open.
    void selectCell(Cell cell);
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    // Opens an empty column ('x') or level ('y') at the selected box.
    void OnInsertLine(char axis);
    void OnRefresh();
    void OnLogTree();
    // Runs the Settings dialog; OK applies. Repaints, leaving the scroll sizes.
    void OnSettings();
    // Carries out a message a dialog posted (view_message.h); false when unknown.
    bool onViewMessage(int message, int wParam);
    // The key-down handling (virtual-key codes): End 0x23 and Home 0x24 select the
    // last and the first cell, the arrows 0x25 to 0x28 step one cell inside the
    // chart's extent, then the view scrolls just enough to show the new cell. A
    // step past an edge, or any other code, changes nothing. With no cell current
    // yet an arrow selects (0, 0); no key selects a negative cell.
    void OnKeyDown(int virtualKey);
    // Opens the define-person dialog on the current cell (stirpa_view_person.cpp).
    void OnDefinePerson();
    // The dialog's messages. Apply adds, updates or (with an empty description)
    // erases the box of the dialog's cell and moves on to the next cell to fill;
    // New level goes to the first cell below the lowest plain box; Key steps the
    // current cell as the arrow key would, then gives the dialog the focus back;
    // Close destroys the dialog. Apply and New level need the dialog.
    void OnPersonDlgApply();
    void OnPersonDlgNewLevel();
    void OnPersonDlgKey(int virtualKey);
    void OnPersonDlgClose();

    // The find-parent dialog and the lineage search (stirpa_view_parent.cpp).
    // Shows the one dialog, making it on first use.
    void OnTreeFindParent();
    // Clears the old highlight, then finds the selected box's parent (or remotest
    // ancestor), highlights the lineage when asked and selects the result. Marks
    // the chart modified exactly when a lineage bit changed. Nothing without the dialog.
    void OnParentDlgFind();
    // Destroys the dialog; the highlight stays.
    void OnParentDlgClose();
    // The pause after each step of the lineage animation, in milliseconds.
    int lineagePause = 50;

    std::unique_ptr<Tree> tree;
    StorePerson pasteBuffer;
    QPointer<PersonDlg> personDialog;
    QPointer<parentDlg> parentDialog;
    Cell currentCell = noCell;
    std::unique_ptr<BoxTracker> dragTracker;
    GenerationColumn generationColumn;

signals:
    void modified();
    void commandsChanged();
    // A command the chart cannot take; the window shows why.
    void refused(const QString& title, const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void customEvent(QEvent* event) override;
    // Left press selects, a right-button drag moves or (Ctrl at the release)
    // copies a box, a left double click defines the person (stirpa_view_mouse.cpp).
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // End, Home and the arrow keys; every other key goes on to the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class ImagePainterLease;

    void updateScrollBars();
    // Shows the selected box, or the empty current cell, in the open dialog.
    void refreshPersonDialog();
    // Runs a step that draws or scrolls with the drag outline taken off the image
    // and put back afterwards, so the XOR outline never mixes with other drawing.
    void withoutDragOutline(const std::function<void()>& step);
    // Scrolls as little as needed to show the cell's box with half a gap around it.
    void ensureCellVisible(Cell cell);
    // Keeps the backing image the size of the viewport in the screen's device
    // pixels, so that a high-density screen shows the chart sharp; new parts
    // become stale.
    void fitImage();
    // The backing image's area in viewport pixels.
    QRect imageArea() const;
    // One painter on the backing image, shared by nested users.
    QPainter& beginImagePainter();
    void endImagePainter();

    QSize total_;
    QSize page_;
    QImage image_;
    QRegion stale_;
    std::unique_ptr<QPainter> imagePainter_;
    int imagePainterUsers_ = 0;
};

// The one chart view, set by its constructor.
extern CStirpaView* currentView;
