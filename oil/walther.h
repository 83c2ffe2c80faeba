#pragma once

#include <cstdint>
#include <variant>

#include "calc/exact_decimal.h"
#include "numeric/fixed_point.h"
#include "oil/undefined.h"

// The viscosity-temperature line of ASTM D341 (Walther), on which an oil's kinematic viscosity ν
// (mm²/s) is straight against the temperature T (kelvin, ℃ + 273.15):
//   log10 log10 Z = A - B log10 T,   Z = ν + 0.7 + exp(-1.47 - 1.84 ν - 0.51 ν²),
//   and back  ν = (Z - 0.7) - exp(-0.7487 - 3.295 (Z - 0.7) + 0.6119 (Z - 0.7)² - 0.3193 (Z -
//   0.7)³).
namespace olvimar {

struct WaltherLine {
    Fixed a, b;
};

// The temperatures at which a data sheet gives its viscosities, and the range of temperatures at
// which the sheet reads a line.
inline constexpr int kLowestCelsius = -60, kHighestCelsius = 300;

// The line through an oil's viscosities at 40 ℃ and 100 ℃, or why there is none: a viscosity
// not positive, the 100 ℃ one not below the 40 ℃ one, one too thin for log log Z to be worked
// out (below about 0.25 mm²/s), or one above 10^9 mm²/s.
std::variant<WaltherLine, Undefined> LineThrough(const Decimal& at40, const Decimal& at100);

// The line's viscosity at `celsius`, the exact value of the formulas rounded once to thousandths,
// or why there is none: a temperature beyond kLowestCelsius to kHighestCelsius, or a viscosity
// of 10^9 mm²/s or more.
std::variant<std::int64_t, Undefined> ThousandthsAt(const WaltherLine& line,
                                                    const Decimal& celsius);

// The same in doubles, for drawing: log10 log10 Z of a viscosity, and back.
double WaltherY(double viscosity);
double ViscosityAtWaltherY(double y);
// The line's log10 log10 Z at `kelvin`.
double WaltherYAt(const WaltherLine& line, double kelvin);

}  // namespace olvimar
