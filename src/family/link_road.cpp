// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/link_road.h"

#include "chartfile/chart_writer.h"

LinkRoad::LinkRoad(LinkTarget target)
    : target_(std::move(target)),
      output_(target_.outPath, {target_.familyPath}, target_.replace, {target_.chartPath})
{
}

ChartLinking LinkRoad::write(Chart& chart, const GedcomData& data, const LinkChoices& choices) const
{
    if (!ready())
        return ready();
    ChartLinking linking = linkChart(chart, data, target_.linkPath, choices);
    if (!linking)
        return linking;
    if (const Result saved = saveChartFile(target_.outPath, chart); !saved)
        return saved;
    return linking;
}

std::string layoutText(const ChartLinking& linking, const LayoutPhrases& phrases)
{
    return chartKind(linking.kind)
        .describe({linking.generations, linking.ancestorGenerations}, phrases);
}
