// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/crash_recovery.h"

#include "chartfile/atomic_file.h"
#include "chartfile/chart_writer.h"
#include "document/chart_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <csignal>
#include <sstream>
#include <unistd.h>

namespace {

constexpr int defaultDelayMs = 3000;

QString pidText() { return QString::number(qint64(::getpid())); }

bool processRuns(qint64 pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM); }

bool writeText(const QString& path, std::string_view bytes)
{
    return bool(writeFileAtomically(path.toStdString(), bytes));
}

} // namespace

CrashRecovery::CrashRecovery(ChartDocument* document, QObject* parent)
    : QObject(parent),
      document_(document)
{
    timer_.setSingleShot(true);
    timer_.setInterval(defaultDelayMs);
    connect(&timer_, &QTimer::timeout, this, &CrashRecovery::writeNow);
    connect(document_, &ChartDocument::changed, &timer_, qOverload<>(&QTimer::start));
    connect(document_, &ChartDocument::titleChanged, this, &CrashRecovery::documentChanged);
}

CrashRecovery::~CrashRecovery() { remove(); }

QString CrashRecovery::folder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::homePath() + "/.local/state";
    return state + "/stirpa";
}

QString CrashRecovery::chartPath() const { return folder() + "/recovery-" + pidText() + ".txt"; }

void CrashRecovery::documentChanged()
{
    // Saved, discarded or replaced: nothing is left to recover.
    if (!document_->isModified()) {
        timer_.stop();
        remove();
    }
}

bool CrashRecovery::writeNow()
{
    if (!document_->isModified())
        return false;
    if (!QDir().mkpath(folder()))
        return false;
    std::ostringstream bytes;
    writeChart(bytes, document_->chart());
    const QString info = folder() + "/recovery-" + pidText() + ".info";
    return writeText(info, document_->path().toUtf8().toStdString()) &&
           writeText(chartPath(), bytes.str());
}

void CrashRecovery::remove()
{
    QFile::remove(chartPath());
    QFile::remove(folder() + "/recovery-" + pidText() + ".info");
}

QList<CrashRecovery::LeftOver> CrashRecovery::leftOvers()
{
    QList<LeftOver> found;
    const QDir dir(folder());
    static const QRegularExpression name(QStringLiteral("^recovery-(\\d+)\\.txt$"));
    for (const QString& file : dir.entryList({QStringLiteral("recovery-*.txt")}, QDir::Files)) {
        const QRegularExpressionMatch match = name.match(file);
        if (!match.hasMatch() || processRuns(match.captured(1).toLongLong()))
            continue;
        LeftOver leftOver;
        leftOver.chartPath = dir.filePath(file);
        leftOver.infoPath = dir.filePath("recovery-" + match.captured(1) + ".info");
        QFile info(leftOver.infoPath);
        if (info.open(QIODevice::ReadOnly))
            leftOver.originalPath = QString::fromUtf8(info.readAll());
        found.append(leftOver);
    }
    return found;
}

void CrashRecovery::discard(const LeftOver& leftOver)
{
    QFile::remove(leftOver.chartPath);
    QFile::remove(leftOver.infoPath);
}
