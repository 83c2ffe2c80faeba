#pragma once

#include <string>

#include "chart/chart.h"

namespace olvimar {

// The blend chart as the page draws it: SVG elements for everything the picture holds, the
// handle included, in the picture's pixels.
std::string ChartSvg(const chart::Picture& picture);

}  // namespace olvimar
