// SPDX-License-Identifier: GPL-3.0-or-later
// The chart file type as a desktop sees it, installed by `cmake --install` and
// compiled by update-mime-database: read through Qt's MIME database and asked of
// GLib (gio). Two layouts, one per run (STIRPA_MIME_LAYOUT): "package", under
// /usr beside the common types, and "local", a prefix of its own such as
// /usr/local, whose MIME folder is searched before the system's.
#include "test_files.h"

#include <QDir>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString chartType = QStringLiteral("application/x-stirpa-chart");

QByteArray sampleChart() { return readAll(STIRPA_SOURCE_DIR "/resources/sample.txt"); }

// Runs a program to its end; its error output when it fails, else nothing.
QString run(const QString& program, const QStringList& arguments,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return program + ": " + QString::fromLocal8Bit(process.readAllStandardError());
    return {};
}

// What GLib takes the file for; empty without gio.
QString glibType(const QString& path)
{
    if (QStringLiteral(GIO).isEmpty())
        return {};
    QProcess gio;
    gio.start(QStringLiteral(GIO), {"info", "-a", "standard::content-type", path});
    gio.waitForFinished(60000);
    const QString out = QString::fromUtf8(gio.readAllStandardOutput());
    const qsizetype at = out.indexOf("standard::content-type: ");
    return at < 0 ? out : out.mid(at + 24).trimmed();
}

} // namespace

class MimeTypeTest : public QObject {
    Q_OBJECT
public:
    MimeTypeTest(const QString& layout, const QString& root) : layout_(layout), root_(root) {}

private slots:
    void initTestCase()
    {
        QVERIFY(files_.isValid());
        QProcessEnvironment install = QProcessEnvironment::systemEnvironment();
        QString share;
        if (layout_ == "local") {
            share = root_ + "/local/share";
            QCOMPARE(
                run(CMAKE_COMMAND, {"--install", STIRPA_BINARY_DIR, "--prefix", root_ + "/local"}),
                QString());
        } else {
            // As a package is made: the prefix /usr, laid out under DESTDIR.
            share = root_ + "/usr/share";
            install.insert("DESTDIR", root_);
            QCOMPARE(
                run(CMAKE_COMMAND, {"--install", STIRPA_BINARY_DIR, "--prefix", "/usr"}, install),
                QString());
            QVERIFY(
                QFile::copy(FREEDESKTOP_MIME_TYPES, share + "/mime/packages/freedesktop.org.xml"));
        }
        QProcessEnvironment update = QProcessEnvironment::systemEnvironment();
        update.insert("PKGSYSTEM_ENABLE_FSYNC", "0");
        QCOMPARE(run(UPDATE_MIME_DATABASE, {share + "/mime"}, update), QString());
        // The prefix's folder first, then the system's (the common types, compiled).
        const QString system = QFileInfo(FREEDESKTOP_MIME_TYPES).absolutePath() + "/../..";
        QVERIFY(QFile::exists(system + "/mime/mime.cache"));
        qputenv("XDG_DATA_HOME", (root_ + "/home").toLocal8Bit());
        qputenv("XDG_DATA_DIRS",
                (layout_ == "local" ? share + ":" + QDir::cleanPath(system) : share).toLocal8Bit());
    }

    void chartTypeIsAPlainTextKind()
    {
        const QMimeType type = QMimeDatabase().mimeTypeForName(chartType);
        QVERIFY(type.isValid());
        QCOMPARE(type.comment(), QStringLiteral("Stirpa chart"));
        QVERIFY(type.inherits(QStringLiteral("text/plain")));
        // The common type keeps its own description whatever is installed.
        QCOMPARE(QMimeDatabase().mimeTypeForName("text/plain").comment(),
                 QStringLiteral("plain text document"));
    }

    // "chart" or "text/plain" for both Qt and GLib; "not chart" for anything else.
    void fileIsKnownByItsHeader_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("package");
        QTest::addColumn<QString>("local");
        // A chart named .txt is told by its header beside the common types only;
        // in a folder of its own the type has no glob, and .txt is text.
        QTest::newRow("sample chart") << "sample.txt" << sampleChart() << "chart"
                                      << "text/plain";
        QTest::newRow("with a byte order mark") << "marked.txt"
                                                << "\xEF\xBB\xBF" + sampleChart() << "chart"
                                                << "text/plain";
        QTest::newRow("four-digit box width")
            << "wide.txt" << QByteArray("Stirpa 1200j50 50j200 d1 1\n") << "chart"
            << "text/plain";
        QTest::newRow("without the .txt") << "family" << sampleChart() << "chart"
                                          << "chart";
        QTest::newRow("prose") << "letter.txt" << QByteArray("Dear Ada,\nthe chart is done.\n")
                               << "text/plain"
                               << "text/plain";
        QTest::newRow("prose starting with the magic")
            << "about.txt" << QByteArray("Stirpa is a family-tree editor.\n") << "text/plain"
            << "text/plain";
        QTest::newRow("prose without the .txt")
            << "notes" << QByteArray("Dear Ada,\nthe chart is done.\n") << "text/plain"
            << "text/plain";
        QTest::newRow("empty") << "empty.txt" << QByteArray() << "not chart"
                               << "not chart";
    }
    void fileIsKnownByItsHeader()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, package);
        QFETCH(QString, local);
        const QString wanted = layout_ == "local" ? local : package;
        const QString path = files_.filePath(name);
        writeFile(path, bytes);
        const QString qt = QMimeDatabase().mimeTypeForFile(path).name();
        const QString glib = glibType(path);
        if (wanted == "not chart") {
            QCOMPARE_NE(qt, chartType);
            QCOMPARE_NE(glib, chartType);
            return;
        }
        const QString type = wanted == "chart" ? chartType : wanted;
        QCOMPARE(qt, type);
        if (glib.isEmpty())
            QSKIP("gio is not installed: GLib's view is not checked");
        QCOMPARE(glib, type);
    }

private:
    QString layout_;
    QString root_;
    QTemporaryDir files_;
};

int main(int argc, char* argv[])
{
    QTemporaryDir root;
    if (!root.isValid())
        return 1;
    QCoreApplication application(argc, argv);
    const QString layout = qEnvironmentVariable("STIRPA_MIME_LAYOUT", "package");
    MimeTypeTest test(layout, root.path());
    return QTest::qExec(&test, argc, argv);
}

#include "mime_type_test.moc"
