#pragma once

#include "chart/chart.h"
#include "chart/sheet.h"

namespace olvimar::chart {

// The temperatures the chart always spans, ℃: a cold morning to a hot engine.
inline constexpr int kColdestDrawn = -20, kHottestDrawn = 150;

// The viscosity-temperature chart "粘温曲线" of a data sheet's oils, on the chart paper of the
// standard: up, log10 log10 Z, on which an oil's line is straight, ticked at round cSt; across,
// log10 of the temperature in kelvin, ticked at round ℃. A and B thin with their data points,
// the blend at the handle's mix bold, a marker at T, and a legend that names them.
Picture DrawTemperatures(const sheet::Figures& figures, const Frame& frame);

}  // namespace olvimar::chart
