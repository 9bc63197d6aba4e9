// SPDX-License-Identifier: GPL-3.0-or-later
#include "crash_recovery.h"

#include "atomic_file.h"
#include "chart_writer.h"
#include "stirpa_doc.h"
#include "stirpa_view.h"

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

bool writeText(const QString& path, const QByteArray& bytes)
{
    std::string error;
    return writeFileAtomically(path.toStdString(), bytes.toStdString(), error);
}

} // namespace

CrashRecovery::CrashRecovery(CStirpaDoc* document, CStirpaView* view, QObject* parent)
    : QObject(parent),
      document_(document),
      view_(view)
{
    timer_.setSingleShot(true);
    timer_.setInterval(defaultDelayMs);
    connect(&timer_, &QTimer::timeout, this, &CrashRecovery::writeNow);
    connect(view_, &CStirpaView::modified, &timer_, qOverload<>(&QTimer::start));
    connect(document_, &CStirpaDoc::titleChanged, this, &CrashRecovery::documentChanged);
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
    if (!document_->isModified() || !view_->tree)
        return false;
    if (!QDir().mkpath(folder()))
        return false;
    std::ostringstream bytes;
    writeChart(bytes, *view_->tree, treeSettings());
    const QString info = folder() + "/recovery-" + pidText() + ".info";
    return writeText(info, document_->pathName().toUtf8()) &&
           writeText(chartPath(), QByteArray::fromStdString(bytes.str()));
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
