// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>

// The private messages the modeless dialogs post to the view. Posted, not sent:
// the dialog's click handler finishes before the view acts.
enum ViewMessage {
    WM_PERSONDLG_CLOSE = 0x405,
    WM_PERSONDLG_APPLY = 0x406,
    WM_PERSONDLG_NEWLEVEL = 0x407,
    WM_PERSONDLG_KEY = 0x408,
    WM_PARENTDLG_FIND = 0x412,
    WM_PARENTDLG_CLOSE = 0x413,
};

class ViewMessageEvent : public QEvent {
public:
    static QEvent::Type eventType()
    {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    ViewMessageEvent(int message, int wParam)
        : QEvent(eventType()),
          message(message),
          wParam(wParam)
    {
    }

    const int message;
    const int wParam;
};

inline void postViewMessage(QObject* view, int message, int wParam = 0)
{
    QCoreApplication::postEvent(view, new ViewMessageEvent(message, wParam));
}
