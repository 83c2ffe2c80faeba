#pragma once

// The map "可调范围": the 40 ℃ viscosity across and the 100 ℃ one up, each on the blending
// rule's own scale at its temperature, where a blend of oils lies straight between them. The oils
// and the package as labelled points, what the free oils can reach (their triangle, drawn toward
// the package by its share), the grades' bands, and the target: where it is, whether it can be
// made, and with one target the line of recipes and its ends. Worked out here; QPainter and the
// page's SVG only draw it.
#include <optional>
#include <string>

#include "chart/chart.h"
#include "form/keys.h"
#include "recipe/recipe.h"

namespace olvimar::recipe {

struct Map {
    chart::Picture picture;
    // The W the plot spans, across (40 ℃) and up (100 ℃).
    double w40Low = 0, w40High = 1, w100Low = 0, w100High = 1;
};
Map DrawMap(const MapFigures& figures, const chart::Frame& frame);

// What a click, a tap or an arrow makes of the targets: the texts of "目标 100 ℃ 粘度" and
// "目标 40 ℃ 粘度" it sets (none for a box it leaves). A 40 ℃ target set empties "目标粘度指数".
struct Targets {
    std::optional<std::string> t100, t40;
};
// Both targets at a point of the plot.
Targets TargetsAt(const Map& map, double x, double y);
// An arrow of the key table on the map: a hundredth of the axis along it, from where the target
// stands, or from the middle of the plot where it has none; nothing for another key.
Targets TargetsMoved(const Map& map, const MapFigures& figures, keys::Action action);

}  // namespace olvimar::recipe
