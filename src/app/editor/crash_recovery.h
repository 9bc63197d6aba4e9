// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class ChartDocument;

// Keeps a recovery copy of a chart with unsaved changes in the user's state
// folder, written atomically a few seconds after the last edit, and removed when
// the chart is saved, discarded or closed normally. Each editor names its copy
// uniquely and holds a lock beside it while the copy exists; a copy whose lock
// is free was left by a crash and can be offered at the next start. The folder
// and its files are readable by their owner only.
class CrashRecovery : public QObject {
    Q_OBJECT
public:
    struct LeftOver {
        QString chartPath;    // the recovery copy
        QString originalPath; // the chart it belongs to; empty when untitled
        QString infoPath;
        QString lockPath;
        QDateTime savedAt;
        qint64 size = 0;

        // The chart's file name, or "Untitled".
        QString chartName() const;
        QString savedText() const;
    };

    explicit CrashRecovery(ChartDocument* document, QObject* parent = nullptr);
    ~CrashRecovery() override;

    // $XDG_STATE_HOME/stirpa, or ~/.local/state/stirpa.
    static QString folder();
    // Recovery copies no running editor holds, newest first.
    static QList<LeftOver> leftOvers();
    static void discard(const LeftOver& leftOver);

    // Writes the recovery copy now; false when it could not be written.
    bool writeNow();
    // Removes this run's recovery copy.
    void remove();
    QString chartPath() const;

    void setDelay(int milliseconds) { timer_.setInterval(milliseconds); }

private:
    void documentChanged();
    QString pathWith(const char* extension) const;
    // Takes this run's lock unless it holds it already.
    bool holdLock();

    ChartDocument* document_;
    QTimer timer_;
    QString id_;
    int lockFd_ = -1;
};
