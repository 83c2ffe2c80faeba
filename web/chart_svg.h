#pragma once

#include <string>

#include "chart/chart.h"

namespace olvimar {

// A chart as the page draws it: SVG elements for everything the picture holds, the blend chart's
// handle included, in the picture's pixels.
std::string ChartSvg(const chart::Picture& picture);

}  // namespace olvimar
