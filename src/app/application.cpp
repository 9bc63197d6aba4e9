// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include "app/context_help.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/resource_path.h"
#include "app/toolbar_icons.h"
#include "base/terminal_text.h"
#include "chartfile/debug_log.h"
#include "help/help_mgr.h"

#include <QApplication>
#include <QCoreApplication>
#include <iostream>

Application::Application()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Stirpa"));
    QApplication::setWindowIcon(treeIcon());
}

Application::~Application() = default;

bool Application::start(const QStringList& arguments)
{
    window_ = std::make_unique<MainWindow>();
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
