#pragma once

// The chart's words: what the mix at the handle gives, and the line and its targets for a
// screen reader.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_scale.h"

namespace olvimar::chart {

// A target and where it stands on the lines.
struct Placed {
    double target;
    Split split;
};

struct Placement {
    std::vector<Placed> targets;  // in order; of a range drawn as a stretch, its first and last
    std::size_t rangeSize = 0;    // the values of that range, 0 for targets drawn one by one
};

// The summary of the line and its targets.
void Describe(Picture& picture, const Oils& oils, const Placement& placement,
              const std::string& temperature);

// The readout and the handle's value text: the split at the handle in the record's form, the
// blend's exact viscosity and the sheared one; calibrated by `alpha`, the calibrated viscosity
// first and the rule's after it.
void ReadOut(Picture& picture, const Oils& oils, const BlendFields& fields, int hundredths,
             const std::optional<Alpha>& alpha);

}  // namespace olvimar::chart
