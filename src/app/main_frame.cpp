// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_frame.h"

#include "about_dlg.h"
#include "command_ids.h"
#include "command_table.h"
#include "crash_recovery.h"
#include "help_mgr.h"
#include "lock_key_panes.h"
#include "stirpa_doc.h"
#include "stirpa_view.h"
#include "toolbar_icons.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QList<QKeySequence> shortcutsOf(std::string_view keys)
{
    QList<QKeySequence> shortcuts;
    for (const QString& key : qText(keys).split(';', Qt::SkipEmptyParts))
        shortcuts.append(QKeySequence::fromString(key, QKeySequence::PortableText));
    return shortcuts;
}

} // namespace

CMainFrame::CMainFrame()
    : view_(new CStirpaView(this)),
      document_(new CStirpaDoc(view_, this)),
      recovery_(new CrashRecovery(document_, view_, this)),
      printer_(std::make_unique<QPrinter>(QPrinter::ScreenResolution))
{
    setCentralWidget(view_);
    setAcceptDrops(true);
    targets_ = {view_, this};
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    resize(1200, 700);

    connect(document_, &CStirpaDoc::titleChanged, this, &CMainFrame::updateTitle);
    connect(view_, &CStirpaView::modified, this, [this] { document_->SetModifiedFlag(true); });
    connect(view_, &CStirpaView::commandsChanged, this, &CMainFrame::updateCommands);
    connect(view_, &CStirpaView::refused, this, &CMainFrame::showError);
    updateTitle();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::createActions()
{
    for (const CommandInfo& command : commandTable()) {
        auto* action = new QAction(qText(command.text), this);
        const QString prompt = qText(command.prompt);
        action->setStatusTip(prompt.section('\n', 0, 0));
        if (prompt.contains('\n'))
            action->setToolTip(prompt.section('\n', 1));
        action->setShortcuts(shortcutsOf(command.keys));
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        addAction(action); // shortcuts work while the menu bar is hidden too
        actions_.insert(id, action);
    }
    action(cmd::viewToolbar)->setCheckable(true);
    action(cmd::viewStatusBar)->setCheckable(true);
}

void CMainFrame::createMenus()
{
    for (const MenuInfo& layout : menuLayout()) {
        QMenu* menu = menuBar()->addMenu(qText(layout.title));
        if (layout.title == "&File")
            fileMenu_ = menu;
        for (int id : layout.items) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(action(id));
        }
        // Enabled states are refreshed when a menu opens, as the user sees them.
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommands);
    }
    recentPlaceholder_ = action(cmd::fileRecent);
    rebuildRecentMenu();
}

void CMainFrame::createToolBar()
{
    QToolBar* bar = addToolBar(tr("Toolbar"));
    bar->setObjectName("toolbar");
    bar->setIconSize(QSize(16, 15));
    for (int id : toolbarLayout()) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* button = action(id);
        button->setIcon(toolbarIcon(id));
        bar->addAction(button);
    }
    action(cmd::viewToolbar)->setChecked(true);
    connect(bar, &QToolBar::visibilityChanged, action(cmd::viewToolbar), &QAction::setChecked);
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    new LockKeyPanes(bar);
    bar->showMessage(tr("Ready"));
    action(cmd::viewStatusBar)->setChecked(true);
}

void CMainFrame::runCommand(int id)
{
    CommandState state;
    for (CommandTarget* target : targets_) {
        if (target->updateCommand(id, state)) {
            if (state.enabled)
                target->onCommand(id);
            break;
        }
    }
    updateCommands();
}

void CMainFrame::updateCommands()
{
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        CommandState state;
        bool known = false;
        for (CommandTarget* target : targets_) {
            if ((known = target->updateCommand(it.key(), state)))
                break;
        }
        QAction* item = it.value();
        item->setEnabled(known && state.enabled);
        if (!state.text.isEmpty())
            item->setText(state.text);
    }
}

void CMainFrame::updateTitle()
{
    setWindowTitle(document_->title() + "[*] - " + tr("Stirpa"));
    setWindowModified(document_->isModified());
}

void CMainFrame::closeEvent(QCloseEvent* event)
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

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedChart(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
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

bool CMainFrame::updateCommand(int id, CommandState& state)
{
    switch (id) {
    case cmd::fileRecent:
        state.enabled = false; // the greyed placeholder of an empty list
        return true;
    case cmd::fileNew:
    case cmd::fileOpen:
    case cmd::fileSave:
    case cmd::fileSaveAs:
    case cmd::fileExportHtml:
    case cmd::filePrint:
    case cmd::filePrintPreview:
    case cmd::filePrintSetup:
    case cmd::appExit:
    case cmd::viewToolbar:
    case cmd::viewStatusBar:
    case cmd::helpTopics:
    case cmd::helpIndex:
    case cmd::helpSample:
    case cmd::appAbout:
        return true;
    default:
        return false;
    }
}

bool CMainFrame::onCommand(int id)
{
    switch (id) {
    case cmd::fileNew:
        fileNew();
        return true;
    case cmd::fileOpen:
        fileOpen();
        return true;
    case cmd::fileSave:
        fileSave();
        return true;
    case cmd::fileSaveAs:
        fileSaveAs();
        return true;
    case cmd::fileExportHtml:
        fileExportHtml();
        return true;
    case cmd::filePrint:
        filePrint();
        return true;
    case cmd::filePrintPreview:
        filePrintPreview();
        return true;
    case cmd::filePrintSetup:
        filePrintSetup();
        return true;
    case cmd::appExit:
        close();
        return true;
    case cmd::viewToolbar:
        for (QToolBar* bar : findChildren<QToolBar*>())
            bar->setVisible(!bar->isVisible());
        return true;
    case cmd::viewStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        action(cmd::viewStatusBar)->setChecked(statusBar()->isVisible());
        return true;
    case cmd::helpTopics:
        HelpMgr::mainHelp.Open(String());
        return true;
    case cmd::helpIndex:
        HelpMgr::mainHelp.Open(String("Index"));
        return true;
    case cmd::helpSample:
        openSample();
        return true;
    case cmd::appAbout: {
        CAboutDlg about(this);
        about.exec();
        return true;
    }
    default:
        return false;
    }
}
