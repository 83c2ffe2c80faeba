#pragma once

// The exact phase's arithmetic beyond + - *: quotients, logarithms and exponentials in fixed
// point, each within a few units of 2^-140 of the exact value over the range it takes, on every
// platform the same bits. What a data sheet shows is worked out in it and rounded once.
#include <cstdint>

#include "numeric/fixed_point.h"

namespace olvimar::fixed {

Fixed Ln2();
Fixed Ln10();

// 1 / x and a / x for x from 2^-20 to 2^30, the quotient below 2^31.
Fixed Reciprocal(const Fixed& x);
Fixed Quotient(const Fixed& a, const Fixed& x);

// ln y for y from 2^-60 to 2^31.
Fixed Ln(const Fixed& y);
Fixed Log10(const Fixed& y);

// exp y for y up to 21 (the value below 2^31); 0 below -133, where the value is under the fixed
// point's last bit.
Fixed Exp(const Fixed& y);
Fixed Pow10(const Fixed& y);

// m / 10^decimals, for a constant m below 2^31 written with `decimals` decimals (1.47 is 147, 2).
Fixed Constant(std::int32_t m, int decimals);

// A positive v to the nearest thousandth, and to the nearest whole number, a tie upwards. No
// exact tie comes here, where every value is transcendental: within 2^-90 of one, the last bits
// decide.
std::int64_t Thousandths(const Fixed& v);
std::int64_t Nearest(const Fixed& v);

}  // namespace olvimar::fixed
