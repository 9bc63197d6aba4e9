// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/chart_kind.h"

#include <array>

const ChartKind& chartKind(LayoutKind kind)
{
    switch (kind) {
    case LayoutKind::Ancestors:
        return ancestorsKind();
    case LayoutKind::Hourglass:
        return hourglassKind();
    case LayoutKind::Descendants:
        break;
    }
    return descendantsKind();
}

ShapeGuess guessShape(const LinkedShape& shape)
{
    // An ancestors chart's shape is the narrowest, a descendants chart's the widest.
    const std::array<const ChartKind*, 3> tried{&ancestorsKind(), &hourglassKind(),
                                                &descendantsKind()};
    for (const ChartKind* kind : tried)
        if (const LinkedBox* root = kind->shapeRoot(shape))
            return {kind->kind(), root};
    for (const ChartKind* kind : tried)
        if (const LinkedBox* root = kind->looseShapeRoot(shape))
            return {kind->kind(), root};
    return {std::nullopt, shape.topLeft};
}
