// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class ChartDocument;

// Keeps a recovery copy of a chart with unsaved changes in the user's state
// folder, written atomically a few seconds after the last edit, and removed when
// the chart is saved, discarded or closed normally. A copy whose process is gone
// was left by a crash and can be offered at the next start.
class CrashRecovery : public QObject {
    Q_OBJECT
public:
    struct LeftOver {
        QString chartPath;    // the recovery copy
        QString originalPath; // the chart it belongs to; empty when untitled
        QString infoPath;
    };

    explicit CrashRecovery(ChartDocument* document, QObject* parent = nullptr);
    ~CrashRecovery() override;

    // $XDG_STATE_HOME/stirpa, or ~/.local/state/stirpa.
    static QString folder();
    // Recovery copies whose process no longer runs.
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

    ChartDocument* document_;
    QTimer timer_;
};
