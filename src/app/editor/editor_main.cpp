// SPDX-License-Identifier: GPL-3.0-or-later
// The editor, started by stirpa with its command line.
#include "app/editor/application.h"
#include "app/editor/display_check.h"
#include "app/render/qt_notices.h"
#include "app/editor/translation.h"
#include "files/debug_log.h"

#include <QApplication>
#include <iostream>

int main(int argc, char* argv[])
{
    const QString language = takeLanguageOption(argc, argv);
    if (const std::string problem = editorDisplayProblem(); !problem.empty()) {
        std::cerr << "stirpa: " << problem << '\n';
        return 1;
    }

    // The log opens before anything else of the editor, truncating the last run's.
    openDebugLog();
    const QtNoticesHidden quiet;
    QApplication application(argc, argv);
    installTranslations(language);
    Application stirpa;
    if (!stirpa.start(QApplication::arguments().mid(1)))
        return 1;
    return application.exec();
}
