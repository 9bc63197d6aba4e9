// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/lock_key_panes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace {
// The panes' object names; their texts are translated.
constexpr std::array<const char*, 3> names = {QT_TRANSLATE_NOOP("LockKeyPanes", "CAP"),
                                              QT_TRANSLATE_NOOP("LockKeyPanes", "NUM"),
                                              QT_TRANSLATE_NOOP("LockKeyPanes", "SCRL")};
constexpr std::array<const char*, 3> spokenNames = {
    QT_TRANSLATE_NOOP("LockKeyPanes", "Caps Lock"), QT_TRANSLATE_NOOP("LockKeyPanes", "Num Lock"),
    QT_TRANSLATE_NOOP("LockKeyPanes", "Scroll Lock")};

QString paneText(const char* text) { return QCoreApplication::translate("LockKeyPanes", text); }
} // namespace

LockKeyPanes::LockKeyPanes(QStatusBar* bar, Reader read) : QObject(bar), read_(std::move(read))
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QString::fromLatin1(names[i]));
        pane->setAccessibleName(paneText(spokenNames[i]));
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance("SCRL") + 10);
        bar->addPermanentWidget(pane);
        panes_[i] = pane;
    }
    qApp->installEventFilter(this);
    refresh();
}

void LockKeyPanes::refresh()
{
    const LockKeyStates states = read_().value_or(LockKeyStates{});
    const std::array<bool, 3> on = {states.caps, states.num, states.scroll};
    for (std::size_t i = 0; i < panes_.size(); ++i)
        panes_[i]->setText(on[i] ? paneText(names[i]) : QString());
}

bool LockKeyPanes::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ApplicationStateChange) {
        refresh();
    } else if (event->type() == QEvent::KeyRelease && watched->isWidgetType()) {
        // Every key event passes here once per widget on its way: look only at
        // lock keys, and read after the window system has turned the light.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            QTimer::singleShot(0, this, &LockKeyPanes::refresh);
    }
    return QObject::eventFilter(watched, event);
}
