// The viscosity of a blend, exact to its last thousandth: by the rule, the mix of two components;
// calibrated, worked out in fixed point with 192 bits after the point from the logarithm's exact
// phase:
//     WA = ln ln(c + A), WB = ln ln(c + B)          within some 2^-140 (the exact phase)
//     φ = 1 / (1 + e^-(ln odds x - ln α))
//     w = WB + φ (WA - WB) = ln ln(c + V)           w at most 3.05
//     V = exp(exp(w)) - c                           relative error that of w, c + V at most 2^30
// so V is within 2^-100 of the exact value, and its thousandths are right unless the exact value
// lies that close to a half thousandth; an exact tie, the one a double can hold, only comes at
// 0 and 100 %, which are worked out exactly.
#include "calc/blend_viscosity.h"

#include "calc/mixture.h"
#include "calc/rule_exact.h"

namespace olvimar {

std::int64_t BlendThousandths(const RuleOils& oils, int hundredths, const Alpha& alpha) {
    using namespace rule_exact;
    // At the ends the blend is one oil: (c + V) - c, exactly.
    if (hundredths >= kAllOfA) return Thousandths(Fixed(oils.sumA) - Fixed(oils.c));
    if (hundredths <= 0) return Thousandths(Fixed(oils.sumB) - Fixed(oils.c));
    const Fixed phi = alpha == kRuleItself ? Fixed(static_cast<double>(hundredths)) / kAllOfA
                                           : Logistic(LnOdds(hundredths) - LnAlpha(alpha));
    return Thousandths(OnLine(phi, W(oils.sumA), W(oils.sumB), oils.c));
}

std::string ThousandthsText(std::int64_t thousandths) {
    const bool negative = thousandths < 0;
    const std::int64_t magnitude = negative ? -thousandths : thousandths;
    const std::int64_t whole = magnitude / 1000, part = magnitude % 1000;
    std::string text = negative ? "-" : "";
    if (whole > 0) text += std::to_string(whole);
    text += '.';
    text += static_cast<char>('0' + part / 100);
    text += static_cast<char>('0' + part / 10 % 10);
    text += static_cast<char>('0' + part % 10);
    return text;
}

}  // namespace olvimar
