// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile GEDCOM files: each is read as far as it makes sense, with warnings,
// or refused with a message, and the chart from its default root is made or
// refused for its size; nothing crashes or hangs. The large ones are made here.
#include "layout/chart_import.h"
#include "gedcom/file_fingerprint.h"
#include "gedcom/gedcom_reader.h"
#include "layout/root_person.h"
#include "hostile_files.h"
#include "little_memory.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

namespace {

QByteArray testFile(const char* name)
{
    QFile file(QStringLiteral(STIRPA_TEST_DATA "/gedcom/hostile/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

QByteArray bytes(const std::string& text) { return QByteArray::fromStdString(text); }

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT
private slots:
    void readsWhatItCan_data();
    void readsWhatItCan();
    void readsUpToTheSizeLimit_data();
    void readsUpToTheSizeLimit();
    void fingerprintsAFileAsItsBytes();

private:
    QTemporaryDir folder_;
};

void HostileInputTest::readsWhatItCan_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");  // of a refusal, or the first warning
    QTest::addColumn<int>("persons");      // read; -1 when refused
    QTest::addColumn<int>("boxes");        // in the chart, all generations; -1 when refused
    QTest::addColumn<QString>("firstBox"); // the root box's first line, or why no chart

    QTest::newRow("levels nested 1,000 deep")
        << bytes(deeplyNested(1000)) << "line 103: level 100 is deeper than 99; skipped" << 1 << 1
        << "Deep Down";
    QTest::newRow("a line of 10 MB")
        << bytes(oneLongLine(10 << 20))
        << "line 3: a line of 10485760 bytes; only the first 4096 bytes of its value were read" << 1
        << 1 << QString(4096, 'a');
    QTest::newRow("a family with 100,000 children")
        << bytes(manyChildren(100000)) << QString() << 100001 << 100001 << "Abraham Many";
    QTest::newRow("one child too many for the grid")
        << bytes(manyChildren(100002)) << QString() << 100003 << -1
        << "The chart would need more than 100000 columns; choose fewer generations.";
    QTest::newRow("a million lines of rubbish")
        << bytes(manyBadLines(1000000)) << "line 4: not a GEDCOM line; skipped" << 1 << 1
        << "Ann Lee";
    QTest::newRow("cross-reference loops")
        << testFile("loops.ged") << "line 34: @F5@ names no record; ignored" << 4 << 4
        << "Ann Circle";
    QTest::newRow("a file ending inside a record")
        << testFile("cut-short.ged")
        << "line 16: the file ends before its trailer (0 TRLR); what it holds was read" << 3 << 3
        << "Ann Lee";
    QTest::newRow("a file of NUL bytes")
        << testFile("nul-bytes.ged")
        << "hostile.ged is not a GEDCOM file: it does not begin with \"0 HEAD\"." << -1 << -1
        << "";
    for (const QByteArray& blank : {QByteArray(""), QByteArray("\r\n \n")})
        QTest::addRow("blank, %d bytes", int(blank.size()))
            << blank << "hostile.ged is not a GEDCOM file: it is empty." << -1 << -1 << "";
    const QByteArray header = "0 HEAD\n";
    const QByteArray person = "\n0 @I1@ INDI\n1 NAME Ann /Lee/\n0 TRLR\n";
    QTest::newRow("holes after the header")
        << header + QByteArray(1024, '\0') + person
        << "hostile.ged is not a GEDCOM file: it holds a run of zero bytes at byte 7." << -1 << -1
        << "";
    QTest::newRow("zero bytes one short of a hole")
        << header + QByteArray(1023, '\0') + person
        << "line 2: a control character was left out, and 1022 more after it" << 1 << 1
        << "Ann Lee";
    QTest::newRow("UTF-16 of an odd byte count")
        << testFile("odd-utf16.ged")
        << "the UTF-16 text ends in the middle of a character; its last byte was left out" << 2 << 2
        << "Zo\u00EB Lee";
}

void HostileInputTest::readsWhatItCan()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QFETCH(int, persons);
    QFETCH(int, boxes);
    QFETCH(QString, firstBox);
    const QString path = folder_.filePath(QStringLiteral("hostile.ged"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(file);
    out.close();

    const GedcomLoad load = readGedcomFile(path.toStdString());
    if (persons < 0) {
        QVERIFY(!load);
        QCOMPARE(QString::fromStdString(load.message()).replace(path, "hostile.ged"), message);
        return;
    }
    QVERIFY2(load, load.message().c_str());
    QCOMPARE(int(load.data.persons.size()), persons);
    QCOMPARE(QString::fromStdString(load.data.warnings.empty() ? std::string()
                                                               : load.data.warnings.front()),
             message);
    QVERIFY(load.data.warnings.size() <= 101); // a hundred and how many more

    ImportOptions options;
    options.layout.root = defaultRoot(load.data).person;
    options.layout.generations = maxGenerations;
    const ChartImport imported = importChart(load.data, options, "hostile");
    if (boxes < 0) {
        QCOMPARE(QString::fromStdString(imported.message()), firstBox);
        return;
    }
    QVERIFY2(imported, imported.message().c_str());
    QCOMPARE(int(imported.chart.tree().size()), boxes);
    std::string root; // the first box in list order
    imported.chart.tree().forEachPerson([&](const Person* box) {
        if (root.empty())
            root = box->text.substr(0, box->text.find(" |"));
    });
    QCOMPARE(QString::fromStdString(root), firstBox);
}

// A disk image taken for a GEDCOM file: past the limit it is refused unread;
// up to it, reading begins, here in a child given too little memory to hold it
// rather than taking a gigabyte, and the lack of memory is told.
void HostileInputTest::readsUpToTheSizeLimit_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("read");
    QTest::newRow("one byte below the limit") << qint64(maxGedcomSize) - 1 << true;
    QTest::newRow("at the limit") << qint64(maxGedcomSize) << true;
    QTest::newRow("one byte above the limit") << qint64(maxGedcomSize) + 1 << false;
}

void HostileInputTest::readsUpToTheSizeLimit()
{
    QFETCH(qint64, size);
    QFETCH(bool, read);
    const QString path = folder_.filePath(QStringLiteral("disk.img"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(out.resize(size)); // sparse: no disk used
    out.close();
    if (!read) {
        const GedcomLoad load = readGedcomFile(path.toStdString());
        QVERIFY(!load);
        QCOMPARE(QString::fromStdString(load.message()),
                 "Cannot read " + path + ": File too large");
    } else {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer needs more address space than the limit leaves");
#endif
        // Read, not refused: the memory runs out, which is told, not thrown.
        const std::string told =
            "Cannot read " + path.toStdString() + ": there is not enough memory.";
        QCOMPARE(inChildWithLittleMemory([&] {
                     const GedcomLoad load = readGedcomFile(path.toStdString());
                     return load.message() == told ? 0 : 1;
                 }),
                 0);
    }
    QVERIFY(QFile::remove(path));
}


// The file is read for its fingerprint a chunk at a time, never mapped: the
// answer must be the one of its bytes at every size around a chunk's end.
void HostileInputTest::fingerprintsAFileAsItsBytes()
{
    const QString path = folder_.filePath(QStringLiteral("print.ged"));
    for (const int size : {0, 7, (1 << 20) - 1, 1 << 20, (1 << 20) + 1, (2 << 20) + 7}) {
        std::string bytes(std::size_t(size), '\0');
        for (int i = 0; i < size; ++i)
            bytes[std::size_t(i)] = char(i * 7 + i / 251);
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
        QCOMPARE(fileFingerprint(path.toStdString()), std::optional(bytesFingerprint(bytes)));
    }
}

QTEST_GUILESS_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
