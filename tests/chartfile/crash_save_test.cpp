// SPDX-License-Identifier: GPL-3.0-or-later
// Saving never leaves a half-written chart: a save killed at any moment leaves
// the complete old or the complete new file, and a save that fails keeps the old
// file byte for byte.
#include "files/atomic_file.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "tree_difference.h"

#include <QtTest>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <linux/fs.h>
#include <memory>
#include <random>
#include <sched.h>
#include <sstream>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

Chart makeChart(int boxes, const std::string& word)
{
    Chart chart(TreeSettings(), "chart");
    Tree& tree = chart.mutableTree();
    for (int i = 0; i < boxes; ++i) {
        auto box =
            std::make_unique<Person>("", Cell{i % 400, i / 400}, Links{20, i % 3 == 0 ? 20 : 0});
        box->text = word + " " + std::to_string(i) + " |b. " + std::to_string(1800 + i % 200);
        box->lineage = i % 4;
        tree.append(std::move(box));
    }
    return chart;
}

std::string chartBytes(const Chart& chart)
{
    std::ostringstream out;
    writeChart(out, chart);
    return std::move(out).str();
}

std::string fileBytes(const QString& path)
{
    // In one piece: a character at a time took most of this test's minutes
    // under the sanitizers.
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

void writeBytes(const QString& path, const std::string& bytes)
{
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// The save temporaries of the file "chart.txt" in the folder.
QStringList temporariesIn(const QString& folder)
{
    return QDir(folder).entryList({QString("chart.txt") + temporaryMark + "*"},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

// Kills the saving child however the test ends.
struct ChildGuard {
    pid_t pid = -1;
    ~ChildGuard()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

// Undoes a mount or an immutable flag when a case ends.
struct Cleanup {
    std::function<void()> undo;
    ~Cleanup()
    {
        if (undo)
            undo();
    }
};

bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

} // namespace

class CrashSaveTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Mounts made here vanish with the test program where the system allows
        // a mount namespace of its own.
        if (::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0)
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);

        oldChart_ = makeChart(200'000, "Old");
        newChart_ = makeChart(200'000, "Newer");
        oldBytes_ = chartBytes(oldChart_);
        newBytes_ = chartBytes(newChart_);
        QVERIFY(oldBytes_.size() > 4'000'000);
        QVERIFY(newBytes_ != oldBytes_);
    }

    // Each kill lands at a moment picked by what the saving child has reached,
    // not by timing alone, so slow and fast machines test the same moments.
    void killedSaveLeavesOldOrNewChart()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("chart.txt");
        QElapsedTimer timer;
        timer.start();
        QVERIFY(saveChartFile(path.toStdString(), oldChart_));
        const qint64 saveMicroseconds = std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);
        // Long enough for any save on a loaded machine.
        constexpr qint64 patienceMilliseconds = 120'000;

        const unsigned seed = std::random_device{}();
        qInfo("kill moments from seed %u, one save takes %lld us", seed, saveMicroseconds);
        std::mt19937 random(seed);
        std::uniform_int_distribution<qint64> anyMoment(0, 3 * saveMicroseconds / 2);
        std::uniform_int_distribution<qint64> whileWriting(0, 2000);

        int keptPrevious = 0, gotTarget = 0, temporaryLeft = 0;
        constexpr int kills = 45;
        for (int kill = 0; kill < kills; ++kill) {
            const std::string previous = fileBytes(path);
            const bool targetIsOld = previous != oldBytes_;
            const std::string& target = targetIsOld ? oldBytes_ : newBytes_;
            const QStringList temporariesBefore = temporariesIn(dir.path());
            struct stat before {};
            QCOMPARE(::stat(path.toLocal8Bit().constData(), &before), 0);

            ChildGuard child;
            child.pid = ::fork();
            QVERIFY(child.pid >= 0);
            if (child.pid == 0) {
                saveChartFile(path.toStdString(), targetIsOld ? oldChart_ : newChart_);
                for (;;)
                    ::pause();
            }

            const auto waitFor = [&](const std::function<bool()>& reached) {
                QElapsedTimer waiting;
                waiting.start();
                while (!reached()) {
                    if (waiting.elapsed() > patienceMilliseconds)
                        return false;
                    ::usleep(100);
                }
                return true;
            };
            const auto renamed = [&] {
                struct stat now {};
                return ::stat(path.toLocal8Bit().constData(), &now) == 0 &&
                       now.st_ino != before.st_ino;
            };
            enum class Moment { WhileWriting, Any, AfterRename } moment = Moment(kill % 3);
            if (moment == Moment::WhileWriting) {
                QVERIFY(waitFor([&] {
                    const QStringList now = temporariesIn(dir.path());
                    return (!now.isEmpty() && now != temporariesBefore) || renamed();
                }));
                ::usleep(useconds_t(whileWriting(random)));
            } else if (moment == Moment::Any) {
                ::usleep(useconds_t(anyMoment(random)));
            } else {
                QVERIFY(waitFor(renamed));
            }
            ::kill(child.pid, SIGKILL);
            int status = 0;
            QCOMPARE(::waitpid(child.pid, &status, 0), child.pid);
            child.pid = -1;
            QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

            const std::string onDisk = fileBytes(path);
            const bool isPrevious = onDisk == previous;
            const bool isTarget = onDisk == target;
            QVERIFY2(isPrevious || isTarget,
                     qPrintable(QString("kill %1 left %2 bytes that are neither chart")
                                    .arg(kill)
                                    .arg(onDisk.size())));
            if (moment == Moment::AfterRename)
                QVERIFY2(isTarget, qPrintable(QString("kill %1 after the rename").arg(kill)));
            keptPrevious += isPrevious;
            gotTarget += isTarget;
            // At most the temporary being written at the kill is left; the next
            // save removes it.
            const QStringList temporaries = temporariesIn(dir.path());
            QVERIFY2(temporaries.size() <= 1, qPrintable(temporaries.join(' ')));
            QVERIFY2(!isTarget || temporaries.isEmpty(), qPrintable(temporaries.join(' ')));
            temporaryLeft += int(temporaries.size());

            if (kill % 15 == 0) {
                const ChartLoad load =
                    readChartFile(path.toLocal8Bit().toStdString(), TreeSettings());
                QVERIFY2(bool(load), load.message().c_str());
                const bool loadedOld = onDisk == oldBytes_;
                const std::string difference =
                    treeDifference(load.chart.tree(), (loadedOld ? oldChart_ : newChart_).tree());
                QVERIFY2(difference.empty(), difference.c_str());
            }
        }
        qInfo("%d kills: previous chart kept %d times, saved chart %d times, a temporary left %d "
              "times",
              kills, keptPrevious, gotTarget, temporaryLeft);
        // Otherwise the kills missed the saves and proved nothing.
        QVERIFY(keptPrevious > 0 && gotTarget > 0 && temporaryLeft > 0);

        QVERIFY(saveChartFile(path.toStdString(), oldChart_));
        QCOMPARE(temporariesIn(dir.path()), QStringList());
        QVERIFY(fileBytes(path) == oldBytes_);
    }

    // A temporary that a live save holds is kept; a dead save's temporary goes,
    // and files that only look alike are never touched.
    void staleTemporariesGo()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("chart.txt");
        const QString prefix = path + temporaryMark;
        const QStringList kept = {
            prefix + "Live01",   prefix + "short",
            prefix + "toolong1", prefix + "a-b_cd",
            path + ".backup",    dir.filePath("other.txt") + temporaryMark + "Abc123"};
        for (const QString& name : kept)
            writeBytes(name, "x");
        writeBytes(prefix + "Dead01", "partial");
        QVERIFY(QDir().mkdir(prefix + "Dir001"));

        const int live = ::open((prefix + "Live01").toLocal8Bit().constData(), O_RDONLY);
        QVERIFY(live >= 0);
        QCOMPARE(::flock(live, LOCK_EX), 0);
        const bool saved = bool(saveChartFile(path.toStdString(), oldChart_));
        ::close(live);
        QVERIFY(saved);

        QVERIFY(!QFile::exists(prefix + "Dead01"));
        for (const QString& name : kept)
            QVERIFY2(QFile::exists(name), qPrintable(name));
        QVERIFY(QFileInfo(prefix + "Dir001").isDir());
        QVERIFY(fileBytes(path) == oldBytes_);
    }

    void failedSaveKeepsOldFile_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<int>("status");
        QTest::newRow("read-only folder") << "read-only folder"
                                          << "" << int(Result::CannotCreate);
        QTest::newRow("immutable file") << "immutable file"
                                        << "Operation not permitted" << int(Result::CannotWrite);
        QTest::newRow("missing folder") << "missing folder"
                                        << "No such file or directory" << int(Result::CannotCreate);
        QTest::newRow("full disk") << "full disk"
                                   << "No space left on device" << int(Result::CannotWrite);
        QTest::newRow("folder in the way") << "folder in the way"
                                           << "Is a directory" << int(Result::CannotWrite);
        QTest::newRow("FIFO in the way") << "FIFO in the way"
                                         << "it is not a regular file" << int(Result::CannotWrite);
        QTest::newRow("write-protected file")
            << "write-protected file"
            << "is write-protected" << int(Result::WriteProtected);
    }
    void failedSaveKeepsOldFile()
    {
        QFETCH(QString, situation);
        QFETCH(QString, cause);
        const bool root = ::geteuid() == 0;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString folder = dir.filePath("charts");
        QVERIFY(QDir().mkdir(folder));
        QString path = folder + "/chart.txt";
        // Small enough for the small disk; the new chart is not.
        const Chart small = makeChart(20, "Old");
        const std::string oldBytes = chartBytes(small);
        Cleanup cleanup;

        if (situation == "read-only folder") {
            writeBytes(path, oldBytes);
            if (root) {
                // Permissions do not stop root: a read-only mount does.
                const QByteArray where = folder.toLocal8Bit();
                if (::mount(where.constData(), where.constData(), nullptr, MS_BIND, nullptr) != 0)
                    QSKIP("cannot bind-mount the folder read-only");
                cleanup.undo = [where] { ::umount2(where.constData(), MNT_DETACH); };
                if (::mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                            nullptr) != 0)
                    QSKIP("cannot bind-mount the folder read-only");
                cause = "Read-only file system";
            } else {
                QVERIFY(
                    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
                cleanup.undo = [folder] {
                    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
                };
                cause = "Permission denied";
            }
        } else if (situation == "immutable file") {
            writeBytes(path, oldBytes);
            if (!root || !setImmutable(path, true))
                QSKIP("marking a file immutable needs root and a file system that supports it");
            cleanup.undo = [path] { setImmutable(path, false); };
        } else if (situation == "missing folder") {
            path = dir.filePath("no such folder/chart.txt");
        } else if (situation == "full disk") {
            if (!root)
                QSKIP("mounting a small disk needs root");
            const QByteArray where = folder.toLocal8Bit();
            if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
                QSKIP("cannot mount a small tmpfs");
            cleanup.undo = [where] { ::umount2(where.constData(), MNT_DETACH); };
            writeBytes(path, oldBytes);
        } else if (situation == "folder in the way") {
            // Saving over a folder must fail; its content stays.
            QVERIFY(QDir().mkdir(path));
            writeBytes(path + "/inside.txt", oldBytes);
        } else if (situation == "FIFO in the way") {
            QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0644), 0);
        } else if (situation == "write-protected file") {
            writeBytes(path, oldBytes);
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                    QFileDevice::ReadOther));
        }

        const Result result = saveChartFile(path.toStdString(), newChart_);
        QVERIFY(!result);
        QTEST(int(result.status), "status");
        QVERIFY2(QString::fromStdString(result.message()).contains(cause),
                 result.message().c_str());
        QVERIFY2(QString::fromStdString(result.message())
                     .contains(QFileInfo(path).path().section('/', -1)),
                 result.message().c_str());

        if (situation == "missing folder") {
            QVERIFY(!QFileInfo::exists(QFileInfo(path).path()));
        } else if (situation == "folder in the way") {
            QVERIFY(QFileInfo(path).isDir());
            QVERIFY(fileBytes(path + "/inside.txt") == oldBytes);
        } else if (situation == "FIFO in the way") {
            QCOMPARE(QFileInfo(path).isFile(), false);
            QCOMPARE(temporariesIn(folder), QStringList());
        } else {
            QVERIFY(fileBytes(path) == oldBytes);
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"chart.txt"});
        }
        if (situation == "full disk") {
            // The space the failed save used is given back: the old chart can
            // still be saved.
            QVERIFY(saveChartFile(path.toStdString(), small));
            QVERIFY(fileBytes(path) == oldBytes);
        }
    }

    // Owner and group ids differ, so a save that mixed them up would show.
    void saveKeepsOwnerAndGroup_data()
    {
        QTest::addColumn<bool>("anotherOwner");
        QTest::newRow("another owner and another group") << true;
        QTest::newRow("own file, another group") << false;
    }
    void saveKeepsOwnerAndGroup()
    {
        QFETCH(bool, anotherOwner);
        const bool root = ::geteuid() == 0;
        if (anotherOwner && !root)
            QSKIP("giving a file to another owner needs root");
        const uid_t owner = anotherOwner ? 4242 : ::geteuid();
        gid_t group = 5353;
        if (!root) {
            // Anyone may give a file to another of the groups they are in.
            std::vector<gid_t> groups(std::size_t(std::max(::getgroups(0, nullptr), 0)));
            groups.resize(std::size_t(std::max(::getgroups(int(groups.size()), groups.data()), 0)));
            const auto other = std::find_if(groups.begin(), groups.end(),
                                            [](gid_t id) { return id != ::getegid(); });
            if (other == groups.end())
                QSKIP("the user is in no group but their own, so no other group can be set");
            group = *other;
        }
        QVERIFY(uid_t(group) != owner);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray path = dir.filePath("chart.txt").toLocal8Bit();
        writeBytes(path, "old\n");
        QCOMPARE(::chown(path.constData(), owner, group), 0);
        QVERIFY(saveChartFile(path.toStdString(), makeChart(3, "New")));
        QVERIFY(fileBytes(QString::fromLocal8Bit(path)).find("New") != std::string::npos);
        struct stat saved {};
        QCOMPARE(::stat(path.constData(), &saved), 0);
        QCOMPARE(saved.st_uid, owner);
        QCOMPARE(saved.st_gid, group);
    }

private:
    Chart oldChart_;
    Chart newChart_;
    std::string oldBytes_;
    std::string newBytes_;
};

QTEST_APPLESS_MAIN(CrashSaveTest)
#include "crash_save_test.moc"
