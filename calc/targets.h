#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "value.h"

namespace olvimar {

// The most values one range may give. A longer range, or a step too small to move the walk on,
// is refused before anything is calculated.
inline constexpr std::size_t kMaxRangeValues = 100000;

// The step of a range written without one: the double nearest to one tenth.
inline constexpr double kDefaultStep = 0.1;

// Expands the target expression into the target viscosities to calculate, in order:
// - with a '-' anywhere, a range "start-end" or "start-end,step": Doubles from start while not
//   above end, each the previous plus the step (the error of each addition carries on);
// - else with a ',', a list: every piece between commas, as Text, empty pieces included;
// - else the whole text, as one Text.
// A range reads its numbers leniently (LeadingNumber). Throws CalcError with Input::Expression for
// a range number too large for a double, a step not greater than zero (Situation::StepNotPositive)
// and a range of more than kMaxRangeValues values (Situation::TooManyValues).
std::vector<Value> ExpandTargets(std::string_view text);

}  // namespace olvimar
