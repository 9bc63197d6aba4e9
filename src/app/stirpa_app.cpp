// SPDX-License-Identifier: GPL-3.0-or-later
#include "stirpa_app.h"

#include "debug_log.h"
#include "help_mgr.h"
#include "help_window.h"
#include "main_frame.h"
#include "resource_path.h"
#include "stirpa_doc.h"
#include "toolbar_icons.h"

#include <QApplication>
#include <QCoreApplication>
#include <iostream>

CStirpaApp::CStirpaApp()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Stirpa"));
    QApplication::setWindowIcon(treeIcon());
}

CStirpaApp::~CStirpaApp() = default;

bool CStirpaApp::InitInstance(const QStringList& arguments)
{
    frame_ = std::make_unique<CMainFrame>();
    if (frame_->offerRecovery()) {
        // The recovered chart takes the place of the one named.
    } else if (arguments.isEmpty()) {
        frame_->document()->OnNewDocument();
    } else if (!frame_->openChart(arguments.constFirst())) {
        std::cerr << "stirpa: cannot open " << arguments.constFirst().toLocal8Bit().constData()
                  << '\n';
        return false;
    }
    frame_->show();
    frame_->updateCommands();
    HelpMgr::SetLog(debugLog());
    HelpWindow::install(frame_.get());
    return HelpMgr::SetFile(
        String(findResource(QStringLiteral("Stirpa.hlp")).toLocal8Bit().toStdString()), false);
}
