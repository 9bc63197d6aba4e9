// SPDX-License-Identifier: GPL-3.0-or-later
// The chart file type as a desktop sees it: the installed definition, compiled
// by update-mime-database, read through Qt's MIME database.
#include "test_files.h"

#include <QDir>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString chartType = QStringLiteral("application/x-stirpa-chart");

QByteArray sampleChart() { return readAll(STIRPA_SOURCE_DIR "/resources/sample.txt"); }

} // namespace

class MimeTypeTest : public QObject {
    Q_OBJECT
public:
    explicit MimeTypeTest(const QString& dataHome) : dataHome_(dataHome) {}

private slots:
    void initTestCase()
    {
        const QString packages = dataHome_ + "/mime/packages";
        QVERIFY(QDir().mkpath(packages));
        QVERIFY(QFile::copy(STIRPA_SOURCE_DIR "/resources/stirpa-chart.xml",
                            packages + "/stirpa-chart.xml"));
        // Installed beside the common types, as a system-wide install is: Qt 6.4
        // lets a folder's *.txt hide the ones of the folders after it.
        QVERIFY(QFile::copy(FREEDESKTOP_MIME_TYPES, packages + "/freedesktop.org.xml"));
        QProcess update;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PKGSYSTEM_ENABLE_FSYNC", "0");
        update.setProcessEnvironment(environment);
        update.start(UPDATE_MIME_DATABASE, {dataHome_ + "/mime"});
        QVERIFY(update.waitForFinished(60000));
        QVERIFY2(update.exitCode() == 0, update.readAllStandardError().constData());
        QVERIFY(files_.isValid());
    }

    void chartTypeIsAPlainTextKind()
    {
        const QMimeType type = QMimeDatabase().mimeTypeForName(chartType);
        QVERIFY(type.isValid());
        QCOMPARE(type.comment(), QStringLiteral("Stirpa chart"));
        QVERIFY(type.inherits(QStringLiteral("text/plain")));
    }

    void fileIsKnownByItsHeader_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("chart");
        QTest::newRow("sample chart") << "sample.txt" << sampleChart() << true;
        QTest::newRow("with a byte order mark") << "marked.txt"
                                                << "\xEF\xBB\xBF" + sampleChart() << true;
        QTest::newRow("four-digit box width")
            << "wide.txt" << QByteArray("Stirpa 1200j50 50j200 d1 1\n") << true;
        QTest::newRow("without the .txt") << "family" << sampleChart() << true;
        QTest::newRow("prose") << "letter.txt" << QByteArray("Dear Ada,\nthe chart is done.\n")
                               << false;
        QTest::newRow("prose starting with the magic")
            << "about.txt" << QByteArray("Stirpa is a family-tree editor.\n") << false;
        QTest::newRow("empty") << "empty.txt" << QByteArray() << false;
    }
    void fileIsKnownByItsHeader()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, chart);
        const QString path = files_.filePath(name);
        writeFile(path, bytes);
        const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
        if (chart)
            QCOMPARE(type.name(), chartType);
        else
            QCOMPARE_NE(type.name(), chartType);
    }

private:
    QString dataHome_;
    QTemporaryDir files_;
};

int main(int argc, char* argv[])
{
    // Qt looks for the MIME folders once: only the freshly compiled one is to be seen.
    QTemporaryDir dataHome;
    if (!dataHome.isValid())
        return 1;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    qputenv("XDG_DATA_DIRS", dataHome.filePath("none").toLocal8Bit());
    QCoreApplication application(argc, argv);
    MimeTypeTest test(dataHome.path());
    return QTest::qExec(&test, argc, argv);
}

#include "mime_type_test.moc"
