#pragma once

#include <cstdint>
#include <variant>

#include "calc/exact_decimal.h"
#include "numeric/fixed_point.h"
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

// The other way: the viscosity at 40 ℃, U, at which an oil of Y at 100 ℃ has exactly the index
// VI, from L and H as above and the formula solved for U:
//   VI up to 100:  U = L - VI (L - H) / 100;
//   above 100:     N = log10(1 + 0.00715 (VI - 100)),  U = H / Y^N.
// Its exact value in fixed point, within some 2^-120; or why there is none: Y below 2.0 or not
// positive, a U not above Y (no oil is thicker hot), Y above 10^4 mm²/s or VI beyond ±1000.
std::variant<Fixed, Undefined> FortyForIndex(const Decimal& vi, const Decimal& y);

}  // namespace olvimar
