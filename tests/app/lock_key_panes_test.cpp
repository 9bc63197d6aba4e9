// SPDX-License-Identifier: GPL-3.0-or-later
// The CAP, NUM and SCRL panes follow the lock keys. Run on the X11 platform as
// well, the test turns the locks of a real (virtual) X server.
#include "app/editor/lock_key_panes.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QtTest>

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace {

struct Panes {
    Panes()
        : panes(window.statusBar(), [this] {
              ++reads;
              return states;
          })
    {
    }
    QString texts() const
    {
        QStringList shown;
        for (const char* name : {"CAP", "NUM", "SCRL"})
            shown << window.findChild<QLabel*>(name)->text();
        return shown.join('|');
    }

    std::optional<LockKeyStates> states = LockKeyStates{true, false, true};
    int reads = 0;
    QMainWindow window;
    LockKeyPanes panes;
};

Display* x11Display()
{
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

void lockModifiers(Display* display, unsigned mask, bool on)
{
    XkbLockModifiers(display, XkbUseCoreKbd, mask, on ? mask : 0);
    XSync(display, False);
}

} // namespace

class LockKeyPanesTest : public QObject {
    Q_OBJECT
private slots:
    void panesShowTheLocksThatAreOn()
    {
        Panes p;
        QCOMPARE(p.texts(), QString("CAP||SCRL"));
        p.states = LockKeyStates{false, true, false};
        p.panes.refresh();
        QCOMPARE(p.texts(), QString("|NUM|"));
        // Where the window system cannot tell, the panes stay blank.
        p.states.reset();
        p.panes.refresh();
        QCOMPARE(p.texts(), QString("||"));
    }

    void lockKeysAndActivationReadTheStatesAgain()
    {
        Panes p;
        p.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.window));
        const int before = p.reads;
        QTest::keyRelease(&p.window, Qt::Key_A);
        QTest::keyRelease(&p.window, Qt::Key_Shift);
        QCoreApplication::processEvents();
        QCOMPARE(p.reads, before);

        p.states = LockKeyStates{false, false, true};
        QTest::keyRelease(&p.window, Qt::Key_CapsLock);
        QTRY_COMPARE(p.texts(), QString("||SCRL"));

        p.states = LockKeyStates{false, true, false};
        QEvent activation(QEvent::ApplicationStateChange);
        QCoreApplication::sendEvent(qApp, &activation);
        QCOMPARE(p.texts(), QString("|NUM|"));
    }

    void readsTheXServersLocks()
    {
        Display* display = x11Display();
        if (!display) {
            QVERIFY(!readLockKeys());
            QSKIP("not on X11");
        }
        const unsigned numLock = XkbKeysymToModifiers(display, XK_Num_Lock);
        QVERIFY(numLock != 0);
        lockModifiers(display, LockMask | numLock, false);
        QCOMPARE(readLockKeys(), (LockKeyStates{false, false, false}));
        lockModifiers(display, LockMask, true);
        QCOMPARE(readLockKeys(), (LockKeyStates{true, false, false}));
        lockModifiers(display, numLock, true);
        QCOMPARE(readLockKeys(), (LockKeyStates{true, true, false}));
        lockModifiers(display, LockMask | numLock, false);
        QCOMPARE(readLockKeys(), (LockKeyStates{false, false, false}));
    }
};

QTEST_MAIN(LockKeyPanesTest)
#include "lock_key_panes_test.moc"
