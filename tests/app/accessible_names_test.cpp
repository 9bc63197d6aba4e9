// SPDX-License-Identifier: GPL-3.0-or-later
// A screen reader names every control of every dialog and of the main window.
#include "app/editor/about_dialog.h"
#include "app/editor/changed_file_bar.h"
#include "app/editor/find_bar.h"
#include "app/editor/help_window.h"
#include "app/editor/main_window.h"
#include "app/editor/recover_dialog.h"
#include "dialogs/find_parent_dialog.h"
#include "dialogs/gedcom_import_dialog.h"
#include "dialogs/html_export_dialog.h"
#include "dialogs/page_options_widget.h"
#include "dialogs/person_dialog.h"
#include "dialogs/settings_dialog.h"
#include "gedcom/gedcom_reader.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

std::unique_ptr<QWidget> makeWidget(const QString& name, const GedcomData& gedcom)
{
    if (name == "define person")
        return std::make_unique<PersonDialog>();
    if (name == "find parent")
        return std::make_unique<FindParentDialog>();
    if (name == "settings")
        return std::make_unique<SettingsDialog>(TreeSettings{});
    if (name == "gedcom import")
        return std::make_unique<GedcomImportDialog>(gedcom);
    if (name == "html export")
        return std::make_unique<HtmlExportDialog>(QStringLiteral("chart.html"));
    if (name == "page options")
        return std::make_unique<PageOptionsWidget>(PageOptions{});
    if (name == "about")
        return std::make_unique<AboutDialog>();
    if (name == "recover")
        return std::make_unique<RecoverDialog>(QList<CrashRecovery::LeftOver>{});
    if (name == "changed file bar")
        return std::make_unique<ChangedFileBar>();
    if (name == "help")
        return std::make_unique<HelpWindow>();
    // The main window with its bars and the overview shown.
    auto window = std::make_unique<MainWindow>();
    window->findBar()->show();
    window->changedFileBar()->show();
    window->action(Command::ViewOverview)->setChecked(true);
    return window;
}

// What the user can work: whatever takes the focus, and buttons that do not.
// A spin box's edit is a part of the spin box, which carries the name.
bool isControl(const QWidget* widget)
{
    return !qobject_cast<const QAbstractSpinBox*>(widget->parentWidget()) &&
           (widget->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(widget));
}

QString describe(const QWidget* widget)
{
    return QStringLiteral("%1 \"%2\"").arg(widget->metaObject()->className(), widget->objectName());
}

} // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        for (const char* variable :
             {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            qputenv(variable, home_.path().toUtf8());
        gedcom_ = readGedcom("0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n0 TRLR\n");
        QVERIFY(gedcom_);
    }

    void everyControlHasAName_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"define person", "find parent", "settings", "gedcom import", "html export",
              "page options", "about", "recover", "changed file bar", "help", "main window"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyControlHasAName()
    {
        QFETCH(QString, name);
        const std::unique_ptr<QWidget> top = makeWidget(name, gedcom_.data);
        top->show();
        QStringList nameless;
        for (QWidget* widget : top->findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(top.get()) || !isControl(widget))
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(accessible);
            if (accessible->text(QAccessible::Name).trimmed().isEmpty())
                nameless << describe(widget);
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(", ")));
    }

private:
    QTemporaryDir home_;
    GedcomLoad gedcom_;
};

QTEST_MAIN(AccessibleNamesTest)
#include "accessible_names_test.moc"
