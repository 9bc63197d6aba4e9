// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/chart_view_accessible.h"

#include "document/chart_document.h"
#include "model/description_lines.h"
#include "model/place_name.h"
#include "model/text_codec.h"
#include "view/chart_view.h"

namespace {

// The box a screen reader is told about and its cell: the selected box, else the
// current cell (the top-left one before any is chosen), as Define person shows.
std::pair<const Person*, Cell> spokenCell(const ChartView& view)
{
    if (const Person* box = view.document()->selectedBox())
        return {box, box->cell()};
    const Cell cell = view.currentCell();
    return {nullptr, cell.column < 0 ? Cell{0, 0} : cell};
}

QString spokenText(const Person* box)
{
    QStringList lines;
    if (box)
        forEachDescriptionLine(box->text, [&](std::string_view line) {
            lines << QString::fromStdString(displayText(line));
        });
    const QString text = lines.join(QLatin1Char(' ')).simplified();
    return text.isEmpty() ? QObject::tr("empty cell") : text;
}

QAccessibleInterface* chartViewFactory(const QString& className, QObject* object)
{
    auto* view = qobject_cast<ChartView*>(object);
    return className == QLatin1String("ChartView") && view ? new ChartViewAccessible(view)
                                                           : nullptr;
}

} // namespace

ChartViewAccessible::ChartViewAccessible(ChartView* view)
    : QAccessibleWidget(view, QAccessible::Canvas)
{
}

QString ChartViewAccessible::text(QAccessible::Text t) const
{
    const auto [box, cell] = spokenCell(*static_cast<const ChartView*>(widget()));
    switch (t) {
    case QAccessible::Name:
        return spokenText(box);
    case QAccessible::Value: {
        // Named as the status bar and the reports name a cell.
        const Chart& chart = static_cast<const ChartView*>(widget())->document()->chart();
        return QObject::tr("column %1, generation %2")
            .arg(long(cell.column) + 1)
            .arg(generationNumber(chart, cell.level));
    }
    default:
        return QAccessibleWidget::text(t);
    }
}

void ChartViewAccessible::install()
{
    static const bool installed = (QAccessible::installFactory(chartViewFactory), true);
    Q_UNUSED(installed);
}

void ChartViewAccessible::announce(ChartView* view)
{
    QAccessibleEvent name(view, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
    QAccessibleValueChangeEvent value(view, ChartViewAccessible(view).text(QAccessible::Value));
    QAccessible::updateAccessibility(&value);
    if (view->hasFocus()) {
        QAccessibleEvent focus(view, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}
