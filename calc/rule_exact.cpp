#include "calc/rule_exact.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "numeric/fixed_math.h"
#include "numeric/ln_detail.h"

namespace olvimar::rule_exact {

namespace {

using fixed::Exp;

Fixed One() {
    return Fixed(1.0);
}

// v's nearest whole number, a tie as `tie` says for a figure of the sign `negative`.
std::int64_t Rounded(const Fixed& v, Tie tie, bool negative) {
    const std::int64_t whole = static_cast<std::int32_t>(v.words().back());  // floor(v)
    const double past = (v - Fixed(static_cast<double>(whole)) - Fixed(0.5)).ToDouble();
    if (std::abs(past) < 0x1p-80) {
        if (tie == Tie::ToEven) return whole + (whole & 1);
        return negative ? whole : whole + 1;
    }
    return past > 0 ? whole + 1 : whole;
}

}  // namespace

bool Negative(const Fixed& v) {
    return v.words().back() >> 31;
}

// Where fixed::Ln's quotient would run past the fixed point's 2^31: ln of y's double d plus
// ln(1 + (y - d) / d), with the quotient's terms scaled by the same power of two into the range
// a quotient takes. The differences of W next to an oil's own viscosity come down to 2^-60.
Fixed LnOf(const Fixed& y) {
    const double d = y.ToDouble();
    if (d >= 0x1p-20) return fixed::Ln(y);
    int exponent = 0;
    std::frexp(d, &exponent);  // d = m 2^exponent, m in [1/2, 1)
    Fixed above = y - Fixed(d);
    for (int k = -exponent; k > 0; k -= 30) above = above * Fixed(std::ldexp(1.0, std::min(k, 30)));
    const Fixed e = fixed::Quotient(above, Fixed(std::ldexp(d, -exponent)));
    const Fixed e2 = e * e;
    return ln_detail::LnExactFixed(d) + e - e2 / 2 + e2 * e / 3;
}

Fixed W(double sum) {
    return LnOf(ln_detail::LnExactFixed(sum));
}

Fixed ViscosityOf(const Fixed& w, double c) {
    return Exp(Exp(w)) - Fixed(c);
}

Fixed OnLine(const Fixed& phi, const Fixed& wA, const Fixed& wB, double c) {
    return ViscosityOf(wB + phi * (wA - wB), c);
}

Fixed LnOdds(int hundredths) {
    return ln_detail::LnExactFixed(hundredths) - ln_detail::LnExactFixed(kAllOfA - hundredths);
}

Fixed LnAlpha(const Alpha& alpha) {
    return ln_detail::LnExactFixed(alpha.digits) +
           fixed::Ln10() * Fixed(static_cast<double>(alpha.exponent));
}

// 1 / (1 + e^-L), with e to a power of no more than 0.
Fixed Logistic(const Fixed& l) {
    if (!Negative(l)) return fixed::Quotient(One(), One() + Exp(-l));
    const Fixed e = Exp(l);
    return fixed::Quotient(e, One() + e);
}

std::int64_t Nearest(const Fixed& v, Tie tie) {
    return Rounded(v, tie, Negative(v));
}

std::int64_t Thousandths(const Fixed& v) {
    // The whole part apart, so that a figure up to 2^31 keeps its thousandths in range.
    const std::int64_t whole = static_cast<std::int32_t>(v.words().back());
    const Fixed fraction = v - Fixed(static_cast<double>(whole));
    return whole * 1000 + Rounded(fraction * Fixed(1000.0), Tie::AwayFromZero, Negative(v));
}

}  // namespace olvimar::rule_exact
