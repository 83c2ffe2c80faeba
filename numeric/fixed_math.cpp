#include "numeric/fixed_math.h"

#include <cmath>

#include "numeric/ln_detail.h"
#include "numeric/ln_table.h"

namespace olvimar::fixed {

Fixed Ln2() {
    Fixed ln2;
    for (const double part : ln_table::kLn2) ln2 = ln2 + Fixed(part);
    return ln2;
}

Fixed Ln10() {
    return ln_detail::LnExactFixed(10);
}

// The double's reciprocal, then Newton's steps, each of which doubles the bits that are right.
Fixed Reciprocal(const Fixed& x) {
    const Fixed two(2.0);
    Fixed r(1 / x.ToDouble());
    for (int step = 0; step < 3; ++step) r = r * (two - x * r);
    return r;
}

Fixed Quotient(const Fixed& a, const Fixed& x) {
    return a * Reciprocal(x);
}

// The exact phase on the double d nearest to y, and ln(1 + e) with e = (y - d) / d, |e| <= 2^-53,
// to e^3.
Fixed Ln(const Fixed& y) {
    const double d = y.ToDouble();
    const Fixed e = Quotient(y - Fixed(d), Fixed(d));
    const Fixed e2 = e * e;
    return ln_detail::LnExactFixed(d) + e - e2 / 2 + e2 * e / 3;
}

Fixed Log10(const Fixed& y) {
    return Quotient(Ln(y), Ln10());
}

// y = k ln 2 + r with |r| <= 0.35, exp r by its series to r^45, and 2^k exactly.
Fixed Exp(const Fixed& y) {
    if (y.ToDouble() < -133) return Fixed();
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

Fixed Pow10(const Fixed& y) {
    return Exp(y * Ln10());
}

Fixed Constant(std::int32_t m, int decimals) {
    Fixed v(static_cast<double>(m));
    for (int i = 0; i < decimals; ++i) v = v / 10;
    return v;
}

std::int64_t Thousandths(const Fixed& v) {
    const std::int64_t whole = static_cast<std::int32_t>(v.words().back());
    const Fixed fraction = v - Fixed(static_cast<double>(whole));
    const Fixed scaled = fraction * Fixed(1000.0) + Fixed(0.5);
    return whole * 1000 + static_cast<std::int32_t>(scaled.words().back());
}

std::int64_t Nearest(const Fixed& v) {
    return static_cast<std::int32_t>((v + Fixed(0.5)).words().back());  // floor(v + 1/2)
}

}  // namespace olvimar::fixed
