// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <memory>

class MainWindow;

// The editor's start-up and what lives as long as it: the main window, the chart
// named on the command line (or a new one, or a crashed run's copy the user
// recovers), then the help module. Needs a QApplication.
class Application {
public:
    Application();
    ~Application();

    // Returns false when start-up fails (a chart that cannot be opened, no help);
    // the reason has then been shown and written to standard error.
    bool start(const QStringList& arguments);

private:
    std::unique_ptr<MainWindow> window_;
};
