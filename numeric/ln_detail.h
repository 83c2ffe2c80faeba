#pragma once

// The logarithm's two phases and the margins they promise, for its tests and for the exact
// viscosity of a blend, which needs the exact phase's value before it is rounded.
#include <optional>

#include "numeric/fixed_point.h"

namespace olvimar::ln_detail {

struct DD {
    double hi, lo;  // the value hi + lo
};

// The quick phase's ln x in two doubles, for a positive finite x other than 1. It lies within
// kQuickBound |ln x| of the exact ln x: where both ends of that margin round to the same double,
// that double is the correctly rounded ln x.
inline constexpr double kQuickBound = 0x1p-64;
DD QuickSum(double x);
// The quick phase's answer, when its margin proves the rounding.
std::optional<double> LnQuick(double x);

// The exact phase's ln x in fixed point, for a positive finite x: within kExactBound |ln x| +
// kExactFloor of the exact ln x (the floor is the fixed point's last bits, which count only next
// to 1), closer than any double's ln comes to a midpoint between two doubles. Rounded, it is
// always the correctly rounded ln x; some hundred times slower than the quick phase.
inline constexpr double kExactBound = 0x1p-150;
inline constexpr double kExactFloor = 0x1p-186;
Fixed LnExactFixed(double x);
double LnExact(double x);

// a * a exactly, as hi + lo.
DD ExactSquare(double a);

}  // namespace olvimar::ln_detail
