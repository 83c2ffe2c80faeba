#pragma once

#include <cstdint>
#include <string>

// What a mix gives: the viscosity of a blend of two oils by the blending rule, the inverse of the
// record's question.
namespace olvimar {

// A share of oil A in hundredths of a percent: from none to all of it.
inline constexpr int kAllOfA = 10000;

// The most that c + viscosity may be for the exact viscosity of a blend: the fixed point it is
// worked out in holds two to the 31st before its point.
inline constexpr double kMostBlendSum = 0x1p30;

// The viscosity of a blend of `hundredths` / 100 percent of oil A (0 to 10000), by the rule
//     V = exp(ln(c + A)^x * ln(c + B)^(1 - x)) - c,   x = hundredths / 10000 exactly,
// with sumA = c + A and sumB = c + B the double sums that the record works with, both above c
// and at most kMostBlendSum. The exact value, rounded once to thousandths of a cSt (an exact tie
// away from zero); at 100 % it is A itself, at 0 % B.
std::int64_t BlendThousandths(double c, double sumA, double sumB, int hundredths);

// Thousandths written as the record writes a viscosity: three decimals, no digit before the point
// when the whole part is zero (".500").
std::string ThousandthsText(std::int64_t thousandths);

}  // namespace olvimar
