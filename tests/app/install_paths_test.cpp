// SPDX-License-Identifier: GPL-3.0-or-later
// Where the installed data is found from the folder of the running program: the
// same for stirpa in bin and the Qt program in libexec/stirpa, wherever the
// prefix was moved.
#include "app/command/install_paths.h"

#include <QTest>

class InstallPathsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QByteArray(STIRPA_INSTALL_LAYOUT) != "bin libexec share")
            QSKIP("the rows are written for the default bin, libexec and share folders");
    }

    void dataFolderFromTheProgramFolder_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("dataFolder");
        QTest::newRow("stirpa") << "/usr/bin"
                                << "/usr/share/stirpa";
        QTest::newRow("a Qt program") << "/usr/libexec/stirpa"
                                      << "/usr/share/stirpa";
        QTest::newRow("moved prefix, Qt program") << "/home/ann/tools/libexec/stirpa"
                                                  << "/home/ann/tools/share/stirpa";
        QTest::newRow("moved prefix, stirpa") << "/home/ann/tools/bin"
                                              << "/home/ann/tools/share/stirpa";
        QTest::newRow("only the last name matches") << "/srv/stirpa"
                                                    << "/srv/share/stirpa";
        QTest::newRow("a longer name before it") << "/opt/mylibexec/stirpa"
                                                 << "/opt/mylibexec/share/stirpa";
        QTest::newRow("the build") << "/home/ann/build/src/app"
                                   << "/home/ann/build/src/share/stirpa";
        QTest::newRow("relative") << "libexec/stirpa"
                                  << "share/stirpa";
    }
    void dataFolderFromTheProgramFolder()
    {
        QFETCH(QString, programFolder);
        QTEST(QString::fromStdString(dataFolderFor(programFolder.toStdString())), "dataFolder");
    }
};

QTEST_GUILESS_MAIN(InstallPathsTest)
#include "install_paths_test.moc"
