// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/chart_document.h"
#include "model/draw_context.h"
#include "model/person.h"
#include "render/page_layout.h"
#include "view/drag_tracker.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;

// The scrolling view of a document's chart. It keeps the one-box copy buffer and
// the drag tracker; edits and the selection go to the document, whose change
// signals repaint the view. The chart is drawn into a backing image of the
// viewport: a paint renders the parts marked stale, and drawing "at once"
// (windowContext) goes straight into the image, so XOR outlines drawn twice
// leave it unchanged. The generation column is no part of the image: every
// paint puts it over the chart at the viewport's left edge, where it stays while
// the chart scrolls sideways.
class ChartView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit ChartView(ChartDocument* document, QWidget* parent = nullptr);
    ~ChartView() override;

    ChartDocument* document() const { return document_; }
    const Tree& tree() const { return document_->tree(); }

    // Recomputes the extent and the scroll sizes; never moves the scroll position.
    void updateScrollSizes();
    // The scroll area in chart pixels, whatever the zoom.
    QSize totalSize() const { return total_; }
    // In viewport pixels, that is scaled by the zoom.
    QPoint scrollPosition() const;

    // The zoom: viewport pixels per chart pixel, minZoom to maxZoom. Printing,
    // images and the HTML export never see it.
    static constexpr double minZoom = 0.02;
    static constexpr double maxZoom = 4.0;
    double zoom() const { return zoom_; }
    // Zooms keeping the chart point under the anchor (a viewport point) in place.
    void setZoom(double zoom, QPointF anchor);
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    // The whole chart in the window.
    void fitChart();
    // The chart point under a viewport point.
    Point chartPointAt(QPointF viewportPoint) const;

    // The chart as painted on any surface.
    void draw(DrawContext& dc);
    // Cells framed on screen (the find's matches), in reading order; never printed.
    void setMarkedCells(std::vector<Cell> cells);
    // A relationship's line drawn red over the chart until the selection or
    // the chart changes; never printed.
    void setRedLine(RedLine line);
    const RedLine& redLine() const { return redLine_; }
    // Selects the cell and scrolls its box to the middle of the view.
    void selectAndCentre(Cell cell);
    // Scrolls the chart point to the middle of the view, as far as the chart goes.
    void centreOn(Point chartPoint);
    // A context that draws into the backing image at once (chart pixels in,
    // viewport pixels out) and shows what it changed.
    std::unique_ptr<DrawContext> windowContext();
    // Marks the whole viewport stale and asks for a paint.
    void invalidateChart();
    // What the viewport shows under the generation column (stale parts are
    // painted at the next paint).
    const QImage& backingImage() const { return image_; }
    // The outer size of the view widget.
    QSize windowSize() const;

    // The cell the keys and the dialogs work on; noCell before any is chosen.
    Cell currentCell() const { return document_->currentCell(); }
    // Makes the cell current (see ChartDocument::selectCell); the change of
    // selection is painted at once.
    void selectCell(Cell cell);
    // The arrow keys: one cell toward the side inside the chart's extent, then
    // the view scrolls just enough to show it. A step past an edge changes
    // nothing; with no cell current yet, (0, 0) is selected.
    void stepSelection(Qt::ArrowType direction);
    // Home and End: the first cell, and the last cell of the extent.
    void selectFirstCell();
    void selectLastCell();
    // The first cell below the lowest plain box.
    void selectNewLevel();

    // The one-box copy buffer.
    const Person& pasteBuffer() const { return pasteBuffer_; }
    bool canPaste() const { return !pasteBuffer_.text.empty(); }

    // Carries out what the Define person dialog asks for the entry's cell, then
    // moves on to the next cell to fill: right along a new right connector, else
    // down along a new down connector, else it stays.
    void definePerson(const PersonEntry& entry);
    // Finds the selected box's parent (or remotest ancestor) and selects it;
    // with `highlight` the lineage is drawn red step by step.
    void findParent(bool ancestor, bool highlight);
    // The pause after each step of the lineage animation.
    void setLineagePause(int milliseconds) { lineagePause_ = milliseconds; }

    // Prints the chart over pages as the options lay it out, without the
    // selection. Fails when the printer or its file cannot be started; the
    // message names it.
    Result print(QPrinter* printer, const PageOptions& options = {});

public slots:
    void undo();
    void cut();
    void copy();
    void paste();
    // An empty column or row at the selected box.
    void insertColumn();
    void insertRow();
    void refresh();
    // Writes the tree dump to the debug log.
    void logTree();

signals:
    void pasteBufferChanged();
    // A double click asks for the Define person dialog.
    void definePersonRequested();
    // A command the chart cannot take; the window shows why.
    void refused(const QString& title, const QString& message);
    void zoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    // Left press selects, a right-button drag moves or (Ctrl at the release)
    // copies a box, a left double click asks for Define person (chart_view_mouse.cpp).
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // End, Home and the arrow keys move the selection; Page Up, Page Down,
    // Ctrl+Home and Ctrl+End scroll. Every other key goes on to the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class ImagePainterLease;

    void chartReplaced();
    void chartChanged(const ChartChange& change);
    // Paints the old and the new selection again at once, as a click expects.
    void selectionChanged();
    // The area the box of a cell takes, with the selection frame's, in viewport
    // pixels; empty for noCell.
    QRect selectionArea(Cell cell) const;
    // Starts and ends a drag: the outline, the mouse grab and the cursor.
    void beginDrag(Point at);
    void endDrag();
    void insertLine(char axis);
    void updateScrollBars();
    // Runs a step that draws or scrolls with the drag outline taken off the image
    // and put back afterwards, so the XOR outline never mixes with other drawing.
    void withoutDragOutline(const std::function<void()>& step);
    // Selects the cell and scrolls as little as needed to show it.
    void selectAndShow(Cell cell);
    // Scrolls as little as needed to show the cell's box with half a gap around it.
    void ensureCellVisible(Cell cell);
    void scrollTo(QPoint position);
    // Keeps the backing image the size of the viewport in the screen's device
    // pixels, so that a high-density screen shows the chart sharp; new parts
    // become stale.
    void fitImage();
    // The generation column over the exposed part of the viewport.
    void paintFrozenColumn(QPainter& screen, const QRegion& exposed);
    // The backing image's area in viewport pixels.
    QRect imageArea() const;
    // One painter on the backing image, shared by nested users.
    QPainter& beginImagePainter();
    void endImagePainter();

    ChartDocument* document_;
    // The cell whose box showed the selection when it was last painted.
    Cell shownSelection_ = noCell;
    StorePerson pasteBuffer_;
    // The copied box's family file record, which a paste carries along.
    std::optional<RecordLink> pasteRecord_;
    std::unique_ptr<DragTracker> dragTracker_;
    int lineagePause_ = 50;
    double zoom_ = 1.0;
    QSize total_;
    QSize page_;
    QImage image_;
    QRegion stale_;
    std::vector<Cell> markedCells_;
    RedLine redLine_; // its boxes live while the chart is unchanged
    std::unique_ptr<QPainter> imagePainter_;
    int imagePainterUsers_ = 0;
};
