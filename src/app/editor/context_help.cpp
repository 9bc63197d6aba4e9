// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/context_help.h"

#include "dialogs/help_topic.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

// An application event filter rather than a shortcut: a shortcut on the main
// window stays silent while a modal dialog blocks it.
class ContextHelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || event->type() != QEvent::KeyPress ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::HelpContents))
            return false;
        openHelpFor(widget);
        return true;
    }
};

QPointer<ContextHelpKey> installed;

} // namespace

void installContextHelp()
{
    if (installed)
        return;
    installed = new ContextHelpKey(qApp);
    qApp->installEventFilter(installed);
}
