// The viscosity of a blend, exact to its last thousandth. Worked out in fixed point with 192 bits
// after the point from the logarithm's exact phase:
//     LA = ln(c + A), LB = ln(c + B)                 within 2^-150 |L| + 2^-186 (the exact phase)
//     u = (n ln LA + (10000 - n) ln LB) / 10000      ln of a fixed-point L as ln of its double d
//                                                    plus ln(1 + (L - d) / d), within 2^-143
//     w = exp(u) = ln(c + V)                         relative error that of u, w at most 21
//     V = exp(w) - c                                 relative error that of w, c + V at most 2^30
// so V is within 2^-100 of the exact value, and its thousandths are right unless the exact value
// lies that close to a half thousandth; an exact tie, the one a double can hold, only comes at
// 0 and 100 %, which are worked out exactly.
#include "calc/blend_viscosity.h"

#include <cmath>
#include <cstdlib>

#include "numeric/fixed_math.h"
#include "numeric/ln_detail.h"

namespace olvimar {

std::int64_t BlendThousandths(double c, double sumA, double sumB, int hundredths) {
    using fixed::Exp, fixed::Ln, fixed::Thousandths;
    // At the ends the blend is one oil: (c + V) - c, exactly.
    if (hundredths >= 10000) return Thousandths(Fixed(sumA) - Fixed(c));
    if (hundredths <= 0) return Thousandths(Fixed(sumB) - Fixed(c));
    const auto a = static_cast<double>(hundredths), b = static_cast<double>(10000 - hundredths);
    const Fixed lnA = Ln(ln_detail::LnExactFixed(sumA));
    const Fixed lnB = Ln(ln_detail::LnExactFixed(sumB));
    const Fixed u = (Fixed(a) * lnA + Fixed(b) * lnB) / 10000;
    return Thousandths(Exp(Exp(u)) - Fixed(c));
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
