// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <memory>

class CMainFrame;

// The editor's start-up: the main window, the chart named on the command line
// (or a new one), then the help module.
class CStirpaApp {
public:
    CStirpaApp();
    ~CStirpaApp();

    // Returns false when start-up fails (a chart that cannot be opened, no help);
    // the reason has then been shown and written to standard error.
    bool InitInstance(const QStringList& arguments);
    CMainFrame* mainFrame() const { return frame_.get(); }

private:
    std::unique_ptr<CMainFrame> frame_;
};
