#pragma once

#include <cstdint>
#include <string>

// What a mix gives: the viscosity of a blend of two oils by the blending rule, or by the rule as
// measured blends calibrate it; the inverse of the record's question.
namespace olvimar {

// A share of oil A in hundredths of a percent: from none to all of it.
inline constexpr int kAllOfA = 10000;

// The most that c + viscosity may be for the exact viscosity of a blend: the fixed point it is
// worked out in holds two to the 31st before its point.
inline constexpr double kMostBlendSum = 0x1p30;

// The oils at one temperature as the rule reads them: its constant c and the double sums c + A
// and c + B, as the record forms them.
struct RuleOils {
    double c = 0, sumA = 0, sumB = 0;
};

// A calibration factor to four significant digits: digits · 10^exponent, digits 1000 to 9999.
// The record names it, and the calibrated rule works with exactly this value.
struct Alpha {
    std::int32_t digits = 1000;
    int exponent = -3;
    bool operator==(const Alpha&) const = default;
};
// α = 1: the rule itself.
inline constexpr Alpha kRuleItself{1000, -3};

// The viscosity of a blend of `hundredths` / 100 percent of oil A (0 to 10000), by the rule
//     V = exp(ln(c + A)^φ * ln(c + B)^(1 - φ)) - c,
// where φ is the mix itself, x = hundredths / 10000 exactly, and calibrated by α the share on the
// rule's line with odds(φ) = odds(x) / α. The sums both above c and at most kMostBlendSum. The
// exact value, rounded once to thousandths of a cSt (an exact tie away from zero); at 100 % it is
// A itself, at 0 % B, whatever α.
std::int64_t BlendThousandths(const RuleOils& oils, int hundredths,
                              const Alpha& alpha = kRuleItself);

// Thousandths written as the record writes a viscosity: three decimals, no digit before the point
// when the whole part is zero (".500").
std::string ThousandthsText(std::int64_t thousandths);

}  // namespace olvimar
