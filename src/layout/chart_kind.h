// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/family_layout.h"
#include "layout/linked_shape.h"
#include "model/direction.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The words for a layout, one phrase a kind: descendants' and ancestors' given
// their generations, the root's own counted; an hourglass's given those up and
// down from the root, its own not counted. The window's are translated.
struct LayoutPhrases {
    std::function<std::string(int generations)> descendants;
    std::function<std::string(int generations)> ancestors;
    std::function<std::string(int up, int down)> hourglass;
};

// The generations a chart shows: the root's own counted; of an hourglass,
// generations below the root and ancestorGenerations above it.
struct ShownGenerations {
    int generations = 1;
    int ancestorGenerations = 1;
};

// What sets one layout kind apart: the chart it plans, how a book splits it,
// the root it starts from, and how its shape is read back from linked boxes.
class ChartKind {
public:
    virtual ~ChartKind() = default;

    virtual LayoutKind kind() const = 0;
    // "descendants", "ancestors" or "hourglass".
    virtual const char* name() const = 0;
    // The kind's phrase for the generations shown.
    virtual std::string describe(const ShownGenerations& shown,
                                 const LayoutPhrases& phrases) const = 0;

    virtual std::vector<PlannedBox> plan(const GedcomData& data,
                                         const LayoutRequest& request) const = 0;
    // The plan of one side of the root, as a book's chart is: persons
    // boxedElsewhere get see boxes.
    virtual std::vector<PlannedBox>
    sidePlan(const GedcomData& data, const LayoutRequest& request,
             const std::function<bool(int person)>& boxedElsewhere) const = 0;
    // Whether a chart of the kind may be split into a book.
    virtual bool splitsIntoBook() const = 0;
    // Where a book's branches leave a chart: down to children or up to parents.
    virtual Direction branchDirection() const = 0;

    // By person: a bound on the persons their chart of the request's kind and
    // generations holds.
    virtual std::vector<double> chartBounds(const GedcomData& data,
                                            const LayoutRequest& request) const = 0;

    // The root of linked boxes that show the kind's shape; null when they do not.
    virtual const LinkedBox* shapeRoot(const LinkedShape& shape) const = 0;
    // The same, weaker, for boxes that show no kind's shape.
    virtual const LinkedBox* looseShapeRoot(const LinkedShape&) const { return nullptr; }
    // Whether the root is the lowest linked box rather than the top one.
    virtual bool rootAtBottom() const = 0;
    // The generations linked boxes from firstLevel to lastLevel show about a
    // root on rootLevel; the counts given replace those read.
    virtual ShownGenerations shownGenerations(int firstLevel, int rootLevel, int lastLevel,
                                              std::optional<int> generations,
                                              std::optional<int> ancestorGenerations) const = 0;
};

const ChartKind& chartKind(LayoutKind kind);

const ChartKind& descendantsKind();
const ChartKind& ancestorsKind();
const ChartKind& hourglassKind();

// The layout the linked boxes show and its root: the first kind whose shape
// fits, else the first whose loose shape does; kind unset (the top-left box
// as root) when none does.
struct ShapeGuess {
    std::optional<LayoutKind> kind;
    const LinkedBox* root = nullptr;
};
ShapeGuess guessShape(const LinkedShape& shape);
