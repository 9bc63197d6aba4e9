// SPDX-License-Identifier: GPL-3.0-or-later
// Every road to a chart (import, link, update) writes only where it replaces
// nothing it reads and no other Stirpa writes; else it writes nothing at all.
#include "family/import_road.h"
#include "family/link_road.h"
#include "family/update_road.h"
#include "files/file_notices.h"
#include "files/folder_lock.h"
#include "gedcom/gedcom_reader.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <optional>

namespace {

const QString family = QStringLiteral(STIRPA_TEST_DATA "/gedcom/hartmann.ged");

std::map<QString, QByteArray> contents(const QString& folder)
{
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        if (QFile file(folder + '/' + name); file.open(QIODevice::ReadOnly))
            files[name] = file.readAll();
    return files;
}

// Takes the road from chart.txt and family.ged in folder to out; what it ended in.
Result takeRoad(const QString& road, const std::string& folder, const std::string& out)
{
    const std::string chart = folder + "/chart.txt", gedcom = folder + "/family.ged";
    const GedcomLoad load = readGedcomFile(gedcom);
    ImportOptions options;
    options.layout.root = load.data.findPerson("I1");
    if (road == "import" || road == "book") {
        options.bookColumns = road == "book" ? 4 : 0;
        return ImportRoad({gedcom, gedcom, out}).write(load.data, options);
    }
    if (road == "link") {
        Chart typed = importChart(load.data, options, "chart").chart;
        typed.setFamilyLink({});
        return LinkRoad({chart, gedcom, gedcom, out}).write(typed, load.data, {});
    }
    const UpdateRoad update({chart, gedcom, gedcom, out});
    return update.write(update.read(currentDate()));
}

} // namespace

class RoadsTest : public QObject {
    Q_OBJECT
private slots:
    void writesOnlyWhereSafe_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<QString>("out");
        QTest::addColumn<bool>("locked"); // by another Stirpa writing in the folder
        QTest::addColumn<bool>("written");
        for (const char* road : {"import", "book", "link", "update"}) {
            const QString name = QString::fromLatin1(road);
            QTest::addRow("%s to a new file", road) << name << "new.txt" << false << true;
            QTest::addRow("%s to its chart", road) << name << "chart.txt" << false << true;
            QTest::addRow("%s to its family file", road) << name << "family.ged" << false << false;
            QTest::addRow("%s to a link to it", road) << name << "link.txt" << false << false;
            QTest::addRow("%s to a text", road) << name << "notes.txt" << false << false;
            QTest::addRow("%s, folder locked", road) << name << "new.txt" << true << false;
        }
    }

    void writesOnlyWhereSafe()
    {
        QFETCH(QString, road);
        QFETCH(QString, out);
        QFETCH(bool, locked);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        QVERIFY(QFile::copy(family, dir.filePath("family.ged")));
        QVERIFY(QFile::link(dir.filePath("family.ged"), dir.filePath("link.txt")));
        QVERIFY(takeRoad("import", folder, folder + "/chart.txt"));
        QFile notes(dir.filePath("notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("mine\n") == 5);
        notes.close();
        // A changed family file, so that an update has something to write.
        QFile gedcom(dir.filePath("family.ged"));
        QVERIFY(gedcom.open(QIODevice::ReadWrite));
        const QByteArray renamed = gedcom.readAll().replace("Friedrich /", "Fritz     /");
        QVERIFY(gedcom.seek(0) && gedcom.write(renamed) == renamed.size());
        gedcom.close();
        const auto before = contents(dir.path());
        setWriterWaitLimit(std::chrono::milliseconds(100));
        std::optional<FolderLock> other;
        if (locked)
            other.emplace(std::vector<std::string>{folder + "/family.ged"});
        const Result result = takeRoad(road, folder, dir.filePath(out).toStdString());
        setWriterWaitLimit(std::chrono::seconds(30));
        QVERIFY2(bool(result) == written, result.message().c_str());
        QCOMPARE(contents(dir.path()) == before, !written);
    }
};

QTEST_APPLESS_MAIN(RoadsTest)
#include "roads_test.moc"
