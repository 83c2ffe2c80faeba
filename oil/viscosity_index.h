#pragma once

#include <cstdint>
#include <variant>

#include "calc/exact_decimal.h"
#include "oil/undefined.h"

// The viscosity index of ASTM D2270 (ISO 2909) from an oil's kinematic viscosities at 40 ℃ (U)
// and 100 ℃ (Y), in mm²/s:
//   L and H from Table 1 between 2.0 and 70 mm²/s, interpolated linearly, and above 70
//   L = 0.8353 Y² + 14.67 Y - 216,  H = 0.1684 Y² + 11.85 Y - 97;
//   where U >= H:  VI = 100 (L - U) / (L - H);
//   where U < H:   N = (log10 H - log10 U) / log10 Y,  VI = (10^N - 1) / 0.00715 + 100.
// The exact value of the formula for U and Y as given, rounded once to a whole number, an exact
// half to the even one.
namespace olvimar {

// The index, or why it has none: Y below 2.0, U or Y not positive, Y not below U, or beyond
// 10^9 either way.
std::variant<std::int64_t, Undefined> ViscosityIndex(const Decimal& u, const Decimal& y);

}  // namespace olvimar
