// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor/lock_keys.h"

#include <QObject>
#include <array>
#include <functional>

class QLabel;
class QStatusBar;

// The status bar's CAP, NUM and SCRL panes: each shows its name while its lock
// key is on. They follow the lock keys pressed in the program and are read again
// whenever the program becomes active, as the keys may change elsewhere.
class LockKeyPanes : public QObject {
    Q_OBJECT
public:
    using Reader = std::function<std::optional<LockKeyStates>()>;

    explicit LockKeyPanes(QStatusBar* bar, Reader read = readLockKeys);

    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Reader read_;
    std::array<QLabel*, 3> panes_{};
};
