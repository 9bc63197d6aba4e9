// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a file up to a limit: a file of exactly the limit is read whole, one
// byte more is refused, whether its size is known beforehand or not.
#include "base/regular_file.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Odd, so neither the limit nor the sizes around it fall on a read's piece.
constexpr std::size_t limit = 4099;

// Distinct bytes, so a piece read twice or left out shows.
std::string numberedBytes(std::size_t count)
{
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = char('a' + i % 23);
    return bytes;
}

} // namespace

class RegularFileTest : public QObject {
    Q_OBJECT
private slots:
    void readsUpToTheLimit_data()
    {
        QTest::addColumn<bool>("pipe"); // no size to know beforehand
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("read");
        for (const bool pipe : {false, true}) {
            const char* kind = pipe ? "pipe" : "file";
            QTest::addRow("%s, one byte below the limit", kind) << pipe << int(limit - 1) << true;
            QTest::addRow("%s, at the limit", kind) << pipe << int(limit) << true;
            QTest::addRow("%s, one byte above the limit", kind) << pipe << int(limit + 1) << false;
            QTest::addRow("%s, empty", kind) << pipe << 0 << true;
        }
    }
    void readsUpToTheLimit()
    {
        QFETCH(bool, pipe);
        QFETCH(int, size);
        QFETCH(bool, read);
        const std::string written = numberedBytes(std::size_t(size));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        int fd = -1;
        if (pipe) {
            int ends[2];
            QCOMPARE(::pipe(ends), 0);
            QVERIFY(writeAll(ends[1], written)); // less than a pipe holds
            ::close(ends[1]);
            fd = ends[0];
        } else {
            const std::string path = dir.filePath("bytes").toStdString();
            const int out = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
            QVERIFY(out >= 0);
            QVERIFY(writeAll(out, written));
            ::close(out);
            fd = openRegularFile(path).release();
            QVERIFY(fd >= 0);
        }
        std::string bytes = "kept";
        errno = 0;
        const bool ok = readAtMost(fd, limit, bytes);
        ::close(fd);
        QCOMPARE(ok, read);
        if (read)
            QVERIFY(bytes == "kept" + written);
        else
            QCOMPARE(errno, EFBIG);
    }
};

QTEST_APPLESS_MAIN(RegularFileTest)
#include "regular_file_test.moc"
