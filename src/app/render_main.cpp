// SPDX-License-Identifier: GPL-3.0-or-later
// stirpa --render, started by stirpa: Qt Gui alone, no widgets.
#include "app/gui_batch.h"

#include <QString>

#include <iostream>

int main(int argc, char* argv[])
{
    // What --render prints is its own: Qt's notes, such as an XDG_RUNTIME_DIR
    // not set, tell the user nothing about the picture.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "stirpa: " << message.toStdString() << '\n';
    });
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = runBatch(guiBatchOptions(), args, {std::cout, std::cerr});
    if (status >= 0)
        return status;
    std::cerr << "usage: stirpa --render " << renderUsage << '\n';
    return 2;
}
