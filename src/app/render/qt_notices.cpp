// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/render/qt_notices.h"

#include <QString>

#include <iostream>

namespace {

QtMessageHandler previous = nullptr;

void errorsOnly(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    if (previous)
        previous(type, context, text);
    else
        std::cerr << "stirpa: " << text.toStdString() << '\n';
}

} // namespace

QtNoticesHidden::QtNoticesHidden() { previous = qInstallMessageHandler(errorsOnly); }

QtNoticesHidden::~QtNoticesHidden() { qInstallMessageHandler(previous); }
