// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/message_text.h"

#include <QCoreApplication>

QString messageText(const Result& result)
{
    const QString pattern = QCoreApplication::translate("Message", result.pattern);
    // The core fills in the arguments, so a path holding "%2" stays as it is.
    return QString::fromStdString(formatMessage(pattern.toStdString(), result.args));
}
