// SPDX-License-Identifier: GPL-3.0-or-later
// The Chart pages tab gives back each way onto paper it was opened with, the
// poster too, and choosing the poster makes it the way.
#include "dialogs/page_options_widget.h"

#include <QRadioButton>
#include <QtTest>

class PageOptionsWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void givesBackEachMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("paper");
        QTest::newRow("actual size") << int(PageOptions::ActualSize) << int(Paper::A3);
        QTest::newRow("pages wide") << int(PageOptions::FitPagesWide) << int(Paper::Letter);
        QTest::newRow("percent") << int(PageOptions::Percent) << int(Paper::A1);
        QTest::newRow("poster") << int(PageOptions::Poster) << int(Paper::A0);
    }
    void givesBackEachMode()
    {
        QFETCH(int, mode);
        QFETCH(int, paper);
        PageOptions options;
        options.mode = PageOptions::Mode(mode);
        options.paper = Paper(paper);
        const PageOptionsWidget widget(options);
        QCOMPARE(int(widget.options().mode), mode);
        QCOMPARE(int(widget.options().paper), paper);
    }
    void posterChosen()
    {
        PageOptionsWidget widget(PageOptions{});
        const QList<QRadioButton*> choices = widget.findChildren<QRadioButton*>();
        const auto poster = std::find_if(choices.begin(), choices.end(), [](QRadioButton* choice) {
            return choice->text() == "Poster on one sheet";
        });
        QVERIFY(poster != choices.end());
        (*poster)->click();
        QCOMPARE(int(widget.options().mode), int(PageOptions::Poster));
    }
};

QTEST_MAIN(PageOptionsWidgetTest)
#include "page_options_widget_test.moc"
