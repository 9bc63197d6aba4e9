// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/hourglass_layout.h"

std::vector<PlannedBox> planHourglass(const GedcomData& data, const LayoutRequest& request)
{
    const std::vector<PlannedBox> upper =
        planAncestors(data, {request.root, LayoutKind::Ancestors, request.ancestorGenerations});
    std::vector<PlannedBox> lower =
        planDescendants(data, {request.root, LayoutKind::Descendants, request.generations});
    if (upper.empty() || lower.empty())
        return {};
    // The upper half ends on the root's level, which the lower half begins on:
    // the root's box with its spouses and down connector stands there, alone in
    // its half's lowest level.
    const int rootLevel = upper.front().cell.level;
    for (PlannedBox& box : lower)
        box.cell.level += rootLevel;
    std::vector<PlannedBox> plan;
    plan.reserve(upper.size() + lower.size() - 1);
    plan.push_back(lower.front());
    plan.insert(plan.end(), upper.begin() + 1, upper.end());
    plan.insert(plan.end(), lower.begin() + 1, lower.end());
    return plan;
}
