// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/help_topic.h"
#include "help/help_mgr.h"

#include <QVariant>
#include <QWidget>

namespace {
const char topicProperty[] = "stirpaHelpTopic";
}

void setHelpTopic(QWidget* window, const char* topic) { window->setProperty(topicProperty, topic); }

void openHelpFor(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QVariant topic = widget->property(topicProperty);
        if (topic.isValid()) {
            HelpMgr::mainHelp.Open(topic.toString().toStdString());
            return;
        }
    }
    HelpMgr::mainHelp.Open({});
}
