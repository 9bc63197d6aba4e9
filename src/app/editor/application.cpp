// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/application.h"

#include "app/editor/context_help.h"
#include "app/editor/help_window.h"
#include "app/editor/main_window.h"
#include "app/editor/resource_path.h"
#include "app/editor/toolbar_icons.h"
#include "base/terminal_text.h"
#include "files/debug_log.h"
#include "files/file_notices.h"
#include "document/message_text.h"
#include "help/help_mgr.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStatusBar>
#include <QThread>
#include <iostream>

Application::Application()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Stirpa"));
    QApplication::setWindowIcon(treeIcon());
}

Application::~Application() { setFileNoticeHandler({}); }

bool Application::start(const QStringList& arguments)
{
    window_ = std::make_unique<MainWindow>();
    // Told while the window waits for another Stirpa: shown at once, as the
    // wait holds the event loop.
    setFileNoticeHandler([window = window_.get()](const Result& note) {
        debugLog() << note.message() << std::endl;
        if (QThread::currentThread() != window->thread())
            return;
        window->statusBar()->showMessage(messageText(note));
        window->statusBar()->repaint();
    });
    if (!window_->openAtStart(arguments.value(0))) {
        std::cerr << terminalText("stirpa: cannot open " +
                                  arguments.constFirst().toLocal8Bit().toStdString() + '\n');
        return false;
    }
    window_->show();
    HelpMgr::SetLog(debugLog());
    HelpWindow::install(window_.get());
    installContextHelp();
    return HelpMgr::SetFile(findResource(QStringLiteral("Stirpa.hlp")).toLocal8Bit().toStdString(),
                            false);
}
