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

#include "calc/fixed_point.h"
#include "calc/ln_detail.h"
#include "calc/ln_table.h"

namespace olvimar {

namespace {

Fixed Ln2() {
    Fixed ln2;
    for (const double part : ln_table::kLn2) ln2 = ln2 + Fixed(part);
    return ln2;
}

// 1 / d for a double d from 1/2 to 2^31: the double's reciprocal, then two Newton steps, each of
// which doubles the bits that are right.
Fixed Reciprocal(double d) {
    const Fixed x(d), two(2.0);
    Fixed r(1 / d);
    for (int step = 0; step < 2; ++step) r = r * (two - x * r);
    return r;
}

// ln y for y from 1/2 to 32: the exact phase on the double d nearest to y, and ln(1 + e) with
// e = (y - d) / d, |e| <= 2^-53, to e^3.
Fixed Ln(const Fixed& y) {
    const double d = y.ToDouble();
    const Fixed e = (y - Fixed(d)) * Reciprocal(d);
    const Fixed e2 = e * e;
    return ln_detail::LnExactFixed(d) + e - e2 / 2 + e2 * e / 3;
}

// exp y for y from -1 to 21: y = k ln 2 + r with |r| <= 0.35, exp r by its series to r^45, and
// 2^k exactly.
Fixed Exp(const Fixed& y) {
    const Fixed ln2 = Ln2();
    const long k = std::lround(y.ToDouble() / ln2.ToDouble());
    const Fixed r = y - ln2 * Fixed(static_cast<double>(k));
    Fixed sum(1.0), term(1.0);
    for (std::uint32_t n = 1; n <= 45; ++n) {
        term = term * r / n;
        sum = sum + term;
    }
    return sum * Fixed(std::ldexp(1.0, static_cast<int>(k)));
}

// Thousandths of a positive v, to the nearest, a tie upwards. Within 2^-90 of a tie the last
// bits decide; no such mix is known.
std::int64_t Thousandths(const Fixed& v) {
    const std::int64_t whole = static_cast<std::int32_t>(v.words().back());
    const Fixed fraction = v - Fixed(static_cast<double>(whole));
    const Fixed scaled = fraction * Fixed(1000.0) + Fixed(0.5);
    return whole * 1000 + static_cast<std::int32_t>(scaled.words().back());
}

}  // namespace

std::int64_t BlendThousandths(double c, double sumA, double sumB, int hundredths) {
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
