// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/main_window.h"

#include "app/editor/changed_file_bar.h"
#include "app/editor/find_bar.h"
#include "app/editor/lock_key_panes.h"
#include "app/editor/toolbar_icons.h"
#include "dialogs/help_topic.h"
#include "document/chart_document.h"
#include "document/file_watch.h"
#include "help/help_mgr.h"
#include "model/place_name.h"
#include "view/chart_overview.h"
#include "view/chart_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <string_view>

namespace {

QString commandText(const char* text) { return QCoreApplication::translate("Command", text); }

QList<QKeySequence> shortcutsOf(const char* keys)
{
    QList<QKeySequence> shortcuts;
    for (const QString& key : QString::fromLatin1(keys).split(';', Qt::SkipEmptyParts))
        shortcuts.append(QKeySequence::fromString(key, QKeySequence::PortableText));
    return shortcuts;
}

} // namespace

MainWindow::MainWindow()
    : document_(new ChartDocument(this)),
      view_(new ChartView(document_, this)),
      recovery_(new CrashRecovery(document_, this)),
      changedFileBar_(new ChangedFileBar),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setHelpTopic(this, "Chart");
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(changedFileBar_);
    column->addWidget(view_, 1);
    setCentralWidget(central);
    // The arrows work before any click: the chart takes the focus at start and
    // after every open.
    central->setFocusProxy(view_);
    view_->setFocus();
    auto* fileWatch = new FileWatch(document_);
    connect(fileWatch, &FileWatch::changedOnDisk, changedFileBar_, &QWidget::show);
    connect(changedFileBar_, &ChangedFileBar::reloadRequested, this, &MainWindow::reloadChart);
    connect(document_, &ChartDocument::chartReplaced, changedFileBar_, &QWidget::hide);
    connect(document_, &ChartDocument::chartReplaced, view_, [this] { view_->setFocus(); });
    setAcceptDrops(true);
    createActions();
    connectActions();
    createMenus();
    createToolBar();
    createStatusBar();
    resize(1200, 700);

    connect(document_, &ChartDocument::titleChanged, this, &MainWindow::updateTitle);
    connect(document_, &ChartDocument::changed, this, [this] {
        updateUndoAction();
        updateSelectionActions();
    });
    connect(document_, &ChartDocument::chartReplaced, this, &MainWindow::updateUndoAction);
    connect(document_, &ChartDocument::chartReplaced, this, &MainWindow::updateFamilyActions);
    connect(document_, &ChartDocument::changed, this, &MainWindow::updateFamilyActions);
    connect(document_, &ChartDocument::selectionChanged, this, &MainWindow::updateSelectionActions);
    connect(document_, &ChartDocument::selectionChanged, this, &MainWindow::noteSelectedBox);
    connect(document_, &ChartDocument::chartReplaced, this,
            [this] { earlierBoxCell_ = lastBoxCell_ = noCell; });
    connect(view_, &ChartView::pasteBufferChanged, this, &MainWindow::updatePasteAction);
    connect(document_, &ChartDocument::currentCellChanged, this, &MainWindow::showCurrentCell);
    connect(view_, &ChartView::definePersonRequested, this, &MainWindow::definePerson);
    connect(view_, &ChartView::refused, this, &MainWindow::showError);
    updateTitle();
    // The Undo item keeps its menu text until there is a chart to undo in.
    action(Command::EditUndo)->setEnabled(false);
    updatePasteAction();
    updateSelectionActions();
    updateFamilyActions();
}

MainWindow::~MainWindow() = default;

void MainWindow::createActions()
{
    for (const CommandInfo& command : commandTable()) {
        auto* action = new QAction(commandText(command.text), this);
        const QString prompt = commandText(command.prompt);
        action->setStatusTip(prompt.section('\n', 0, 0));
        if (prompt.contains('\n'))
            action->setToolTip(prompt.section('\n', 1));
        action->setShortcuts(shortcutsOf(command.keys));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action); // shortcuts work while the menu bar is hidden too
        actions_.insert(command.id, action);
    }
    // The Undo item's text becomes the edit's name, shown alone: its keys belong
    // to the window, or the menu would print them after the name.
    QAction* undo = action(Command::EditUndo);
    for (const QKeySequence& key : undo->shortcuts())
        connect(new QShortcut(key, this), &QShortcut::activated, undo, &QAction::trigger);
    undo->setShortcuts({});
    action(Command::ViewToolbar)->setCheckable(true);
    action(Command::ViewOverview)->setCheckable(true);
    action(Command::ViewStatusBar)->setCheckable(true);
    action(Command::FileRecent)->setEnabled(false);
}

void MainWindow::connectActions()
{
    const auto on = [this](Command id, auto slot) {
        connect(action(id), &QAction::triggered, this, slot);
    };
    on(Command::FileNew, &MainWindow::fileNew);
    on(Command::FileOpen, &MainWindow::fileOpen);
    on(Command::FileRecover, &MainWindow::fileRecover);
    on(Command::FileSave, &MainWindow::fileSave);
    on(Command::FileSaveAs, &MainWindow::fileSaveAs);
    on(Command::FileImportGedcom, &MainWindow::fileImportGedcom);
    on(Command::FileUpdateFromFamily, &MainWindow::fileUpdateFromFamily);
    on(Command::TreeLinkFamily, &MainWindow::treeLinkFamily);
    on(Command::FileExportHtml, &MainWindow::fileExportHtml);
    on(Command::FileExportImage, &MainWindow::fileExportImage);
    on(Command::FilePublishWeb, &MainWindow::filePublishWeb);
    on(Command::FilePrint, &MainWindow::filePrint);
    on(Command::FilePrintPreview, &MainWindow::filePrintPreview);
    on(Command::FilePrintSetup, &MainWindow::filePrintSetup);
    on(Command::AppExit, &MainWindow::close);
    on(Command::ViewToolbar, &MainWindow::toggleToolbar);
    on(Command::ViewStatusBar, &MainWindow::toggleStatusBar);
    on(Command::TreeDefinePerson, &MainWindow::definePerson);
    on(Command::TreeFindParent, &MainWindow::showFindParent);
    on(Command::TreeRelationship, &MainWindow::treeRelationship);
    on(Command::TreeSettings, &MainWindow::editSettings);
    on(Command::HelpTopics, [] { HelpMgr::mainHelp.Open({}); });
    on(Command::HelpIndex, [] { HelpMgr::mainHelp.Open("Index"); });
    on(Command::HelpSample, &MainWindow::openSample);
    on(Command::AppAbout, &MainWindow::showAbout);

    const auto onView = [this](Command id, void (ChartView::*slot)()) {
        connect(action(id), &QAction::triggered, view_, slot);
    };
    onView(Command::FileLogTree, &ChartView::logTree);
    onView(Command::EditUndo, &ChartView::undo);
    onView(Command::EditCut, &ChartView::cut);
    onView(Command::EditCopy, &ChartView::copy);
    onView(Command::EditPaste, &ChartView::paste);
    onView(Command::ViewRefresh, &ChartView::refresh);
    onView(Command::ViewZoomIn, &ChartView::zoomIn);
    onView(Command::ViewZoomOut, &ChartView::zoomOut);
    onView(Command::ViewFitChart, &ChartView::fitChart);
    connect(action(Command::ViewActualSize), &QAction::triggered, view_,
            [this] { view_->setZoom(1.0); });
    onView(Command::TreeInsertColumn, &ChartView::insertColumn);
    onView(Command::TreeInsertRow, &ChartView::insertRow);
}

void MainWindow::createMenus()
{
    for (const MenuInfo& layout : menuLayout()) {
        QMenu* menu = menuBar()->addMenu(commandText(layout.title));
        if (std::string_view(layout.title) == "&File")
            fileMenu_ = menu;
        for (const CommandSlot& item : layout.items) {
            if (item.separator)
                menu->addSeparator();
            else
                menu->addAction(action(item.id));
        }
    }
    rebuildRecentMenu();
}

void MainWindow::createToolBar()
{
    QToolBar* bar = addToolBar(tr("Toolbar"));
    bar->setObjectName("toolbar");
    bar->setIconSize(QSize(16, 15));
    for (const CommandSlot& item : toolbarLayout()) {
        if (item.separator) {
            bar->addSeparator();
            continue;
        }
        bar->addAction(action(item.id));
    }
    updateToolbarIcons();
    action(Command::ViewToolbar)->setChecked(true);
    connect(bar, &QToolBar::visibilityChanged, action(Command::ViewToolbar), &QAction::setChecked);

    auto* overview = new QDockWidget(tr("Overview"), this);
    overview->setObjectName(QStringLiteral("overview"));
    auto* picture = new ChartOverview(view_);
    picture->setAccessibleName(tr("Overview of the whole chart"));
    overview->setWidget(picture);
    overview->hide();
    addDockWidget(Qt::RightDockWidgetArea, overview);
    connect(action(Command::ViewOverview), &QAction::toggled, overview, &QWidget::setVisible);
    connect(overview, &QDockWidget::visibilityChanged, action(Command::ViewOverview),
            &QAction::setChecked);

    addToolBarBreak();
    findBar_ = new FindBar(document_, view_, this);
    addToolBar(findBar_);
    connect(action(Command::EditFind), &QAction::triggered, findBar_, &FindBar::open);
}

void MainWindow::createStatusBar()
{
    QStatusBar* bar = statusBar();
    // The selected box's or cell's place, as reports and see boxes name it.
    auto* placePane = new QLabel;
    placePane->setObjectName(QStringLiteral("placePane"));
    placePane->setAccessibleName(tr("Place"));
    bar->addPermanentWidget(placePane);
    const auto showPlace = [this, placePane] {
        const Selection& selection = document_->selection();
        const Cell cell = selection.box ? selection.box->cell() : selection.current;
        placePane->setText(cell == noCell
                               ? QString()
                               : tr("Column %1, generation %2")
                                     .arg(long(cell.column) + 1)
                                     .arg(generationNumber(document_->chart(), cell.level)));
    };
    for (const auto signal : {&ChartDocument::selectionChanged, &ChartDocument::currentCellChanged,
                              &ChartDocument::chartReplaced})
        connect(document_, signal, placePane, showPlace);
    connect(document_, &ChartDocument::changed, placePane, showPlace);
    auto* zoomPane = new QLabel(QStringLiteral("100 %"));
    zoomPane->setObjectName(QStringLiteral("zoomPane"));
    zoomPane->setAccessibleName(tr("Zoom"));
    zoomPane->setToolTip(tr("Zoom (Ctrl+wheel, Ctrl+=, Ctrl+-)"));
    bar->addPermanentWidget(zoomPane);
    connect(view_, &ChartView::zoomChanged, zoomPane, [zoomPane](double zoom) {
        zoomPane->setText(QStringLiteral("%1 %").arg(qRound(zoom * 100)));
    });
    new LockKeyPanes(bar);
    bar->setAccessibleName(tr("Status"));
    bar->showMessage(tr("Ready"));
    action(Command::ViewStatusBar)->setChecked(true);
}

void MainWindow::updateToolbarIcons()
{
    const QColor ink = palette().color(QPalette::WindowText);
    for (const CommandSlot& item : toolbarLayout())
        if (!item.separator)
            action(item.id)->setIcon(toolbarIcon(item.id, ink));
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        updateToolbarIcons();
    QMainWindow::changeEvent(event);
}

void MainWindow::toggleToolbar()
{
    for (QToolBar* bar : findChildren<QToolBar*>())
        bar->setVisible(!bar->isVisible());
}

void MainWindow::toggleStatusBar()
{
    statusBar()->setVisible(!statusBar()->isVisible());
    action(Command::ViewStatusBar)->setChecked(statusBar()->isVisible());
}

void MainWindow::updateUndoAction()
{
    const UndoRecord& record = document_->tree().undoRecord();
    QAction* undo = action(Command::EditUndo);
    undo->setEnabled(record.canUndo());
    undo->setText(QCoreApplication::translate("Undo", record.labelText()));
}

void MainWindow::updatePasteAction() { action(Command::EditPaste)->setEnabled(view_->canPaste()); }

void MainWindow::updateSelectionActions()
{
    const bool selected = document_->selectedBox() != nullptr;
    for (Command id : {Command::TreeInsertColumn, Command::TreeInsertRow, Command::TreeFindParent,
                       Command::TreeRelationship})
        action(id)->setEnabled(selected);
}

void MainWindow::updateFamilyActions()
{
    action(Command::FileUpdateFromFamily)->setEnabled(document_->chart().familyLink().linked());
    action(Command::TreeLinkFamily)->setEnabled(!document_->tree().empty());
}

void MainWindow::updateTitle()
{
    setWindowTitle(document_->title() + "[*] - " + tr("Stirpa"));
    setWindowModified(document_->isModified());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (saveModified())
        event->accept();
    else
        event->ignore();
}

namespace {

// The one local file a drag carries, or an empty string.
QString droppedChart(const QMimeData* data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedChart(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedChart(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Asked after the drop has finished, so the file manager is not held up.
    QTimer::singleShot(0, this, [this, path] {
        if (saveModified())
            openChart(path);
    });
}
