// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/crash_recovery.h"

#include "base/file_descriptor.h"
#include "files/atomic_file.h"
#include "chartfile/chart_writer.h"
#include "document/chart_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QUuid>

#include <cerrno>
#include <fcntl.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int defaultDelayMs = 3000;
constexpr unsigned ownerOnly = 0600;

// Unique even across PID namespaces and reboots, which reuse process ids.
QString uniqueId()
{
    return QString::number(qint64(::getpid())) + '-' +
           QUuid::createUuid().toString(QUuid::Id128).left(12);
}

bool writePrivately(const QString& path, std::string_view bytes)
{
    return bool(writeFileAtomically(QFile::encodeName(path).toStdString(), bytes, ownerOnly));
}

// Unsaved family data is for its owner's eyes only: the folder is made 0700,
// or put right when it is ours; anyone else's folder is refused.
bool makePrivateFolder(const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    if (::stat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 0777) == 0700 || ::chmod(name.constData(), 0700) == 0;
}

// Whether a running editor holds the lock; the lock goes with its process.
bool isLocked(const QString& lockPath)
{
    const FileDescriptor fd(::open(QFile::encodeName(lockPath).constData(),
                                   O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    return fd && ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

} // namespace

QString CrashRecovery::LeftOver::chartName() const
{
    return originalPath.isEmpty() ? QCoreApplication::translate("CrashRecovery", "Untitled")
                                  : QFileInfo(originalPath).fileName();
}

QString CrashRecovery::LeftOver::savedText() const
{
    return QLocale().toString(savedAt, QStringLiteral("d MMM yyyy HH:mm"));
}

CrashRecovery::CrashRecovery(ChartDocument* document, QObject* parent)
    : QObject(parent),
      document_(document),
      id_(uniqueId())
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

QString CrashRecovery::pathWith(const char* extension) const
{
    return folder() + "/recovery-" + id_ + extension;
}

QString CrashRecovery::chartPath() const { return pathWith(".txt"); }

void CrashRecovery::documentChanged()
{
    // Saved, discarded or replaced: nothing is left to recover.
    if (!document_->isModified()) {
        timer_.stop();
        remove();
    }
}

bool CrashRecovery::holdLock()
{
    if (lockFd_ >= 0)
        return true;
    // The copy is replaced by renaming, so the lock is on a file of its own.
    lockFd_ = ::open(QFile::encodeName(pathWith(".lock")).constData(),
                     O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, ownerOnly);
    if (lockFd_ < 0)
        return false;
    ::flock(lockFd_, LOCK_EX | LOCK_NB);
    return true;
}

bool CrashRecovery::writeNow()
{
    if (!document_->isModified() || !makePrivateFolder(folder()) || !holdLock())
        return false;
    std::ostringstream bytes;
    writeChart(bytes, document_->chart());
    return writePrivately(pathWith(".info"), document_->path().toUtf8().toStdString()) &&
           writePrivately(chartPath(), bytes.str());
}

void CrashRecovery::remove()
{
    QFile::remove(chartPath());
    QFile::remove(pathWith(".info"));
    if (lockFd_ < 0)
        return;
    // Gone before it is unlocked, so no one takes the copy for a crashed one.
    QFile::remove(pathWith(".lock"));
    ::close(lockFd_);
    lockFd_ = -1;
}

QList<CrashRecovery::LeftOver> CrashRecovery::leftOvers()
{
    QList<LeftOver> found;
    const QDir dir(folder());
    static const QRegularExpression name(QStringLiteral("^recovery-([0-9A-Za-z-]+)\\.txt$"));
    const QFileInfoList copies =
        dir.entryInfoList({QStringLiteral("recovery-*.txt")}, QDir::Files, QDir::Time);
    for (const QFileInfo& copy : copies) {
        const QRegularExpressionMatch match = name.match(copy.fileName());
        if (!match.hasMatch())
            continue;
        const QString stem = dir.filePath("recovery-" + match.captured(1));
        LeftOver leftOver{copy.filePath(), QString(),           stem + ".info",
                          stem + ".lock",  copy.lastModified(), copy.size()};
        // The copy goes before its lock, so one still there after the lock was
        // free is a crashed editor's.
        if (isLocked(leftOver.lockPath) || !QFileInfo::exists(leftOver.chartPath))
            continue;
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
    QFile::remove(leftOver.lockPath);
}
