// The natural logarithm, correctly rounded, in two phases.
//
// Both write x = 2^k * z with z in [0.6875, 1.375), take the table entry i of z (its next bits)
// with invc close to 1/z, and use
//     ln x = k ln2 + logc + ln(1 + t),   logc = -ln(invc),   t = z * invc - 1,   |t| <= 2^-7,
// where t is exact as two doubles (invc has 23 bits, z is split into 26 and 27 bits).
//
// Quick phase, in double-double. The error, relative to R = ln x:
//   ln(1 + t) = t - t^2/2 + t^3 q(t), q the Taylor series to t^7; cut off: |t|^10/11 of |t|,
//     under 2^-73 |t|;
//   t and t^2 exact; t^3 q(t) in doubles: |t^3 q| <= |t|^3/3 <= 2^-15.5 |t|, its value within
//     2^-51 of it, so under 2^-66.5 |t|;
//   the sums of the low words: under 2^-53 of what they add, 2^-68 |t| + 2^-100 |R|;
//   logc in two doubles within 2^-106 |logc|, and ln2 split so that k ln2 stays within 2^-94 |R|.
// So the error is under 2^-65.5 |t| + 2^-93 |R|. And |t| <= 1.01 |R|: next to 1 the table gives
// invc = 1 and R = ln(1 + t); elsewhere with k = 0, |R| >= 2^-8 >= |t| / 1.01; with k != 0,
// |R| >= 0.29. The bound 2^-64 |R| therefore holds, and where both ends of it round to the same
// double, that double is the correctly rounded ln x. One argument in a thousand or so lies too
// close to a midpoint between two doubles.
//
// Exact phase, in fixed point with 192 bits after the point: k ln2 from four doubles, logc from
// three (within 2^-159 |logc|), ln(1 + t) by its series to t^30, each step truncated. The error
// stays under 2^-150 |R| + 2^-186: the series' truncations cost some sixty of the fixed point's
// last bits, which count only next to 1, where |R| is as small as 2^-54 and the error stays under
// 2^-132 |R|. No double x has ln x nearer than 2^-119 |R| to a midpoint between two doubles or
// to a double (the nearest is 0x1.62a88613629b6p678, whose ln has 65 zeros after its 53 bits;
// tests/numeric/ln_hard_cases.txt lists more), so rounding the fixed-point value gives the
// correctly rounded ln x.
#include "numeric/ln.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "numeric/bits.h"
#include "numeric/ln_detail.h"
#include "numeric/ln_table.h"

namespace olvimar {

namespace ln_detail {

namespace {

using ln_table::kLn2;
using ln_table::kTable;

// ---- Exact sums of doubles ----

DD TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

DD FastTwoSum(double a, double b) {  // |a| >= |b|
    const double s = a + b;
    return {s, b - (s - a)};
}

// ---- The reduction ----

struct Reduced {
    int k;                     // the power of two
    const ln_table::Entry* e;  // the entry of z
    DD t;                      // z * invc - 1, exactly
};

Reduced Reduce(double x) {
    std::uint64_t bits = BitsOf(x);
    int k = 0;
    if (bits < 0x0010000000000000) {  // subnormal: made normal, exactly
        bits = BitsOf(x * 0x1p52);
        k = -52;
    }
    constexpr std::uint64_t kOffset = 0x3fe6000000000000;  // the bits of 0.6875
    const std::uint64_t from = bits - kOffset;
    k += static_cast<int>(static_cast<std::int64_t>(from) >> 52);
    const ln_table::Entry& e = kTable[(from >> 45) & 127];
    const double z = DoubleOf(bits - (from & 0xfff0000000000000));
    // z in 26 and 27 bits: with the 23 bits of invc, both products are exact, and the first,
    // within 2^-7 of 1, less 1 is exact too.
    const double zHi = DoubleOf(BitsOf(z) & ~0x7ffffffULL);
    const double zLo = z - zHi;
    return {k, &e, TwoSum(zHi * e.invc - 1, zLo * e.invc)};
}

}  // namespace

// a split into two halves of 26 bits, whose products are exact.
DD ExactSquare(double a) {
    const double c = a * 0x1.0000002p27;  // 2^27 + 1
    const double hi = c - (c - a);
    const double lo = a - hi;
    const double p = a * a;
    return {p, ((hi * hi - p) + 2 * hi * lo) + lo * lo};
}

DD QuickSum(double x) {
    const Reduced r = Reduce(x);
    const double th = r.t.hi, tl = r.t.lo;
    // q(t) = 1/3 - t/4 + t^2/5 - ... - t^7/10, so that ln(1 + t) = t - t^2/2 + t^3 q(t).
    constexpr double kQ[8] = {1.0 / 3, -1.0 / 4, 1.0 / 5, -1.0 / 6,
                              1.0 / 7, -1.0 / 8, 1.0 / 9, -1.0 / 10};
    double q = kQ[7];
    for (int j = 6; j >= 0; --j) q = q * th + kQ[j];
    const DD square = ExactSquare(th);
    const double cube = square.hi * (th + 3 * tl);
    // t - t^2/2 + t^3 q, with t^2 = th^2 + 2 th tl (tl^2 is far below the bound).
    const DD a = TwoSum(th, -0.5 * square.hi);
    const double low = a.lo + (tl + ((-0.5 * square.lo - th * tl) + cube * q));
    // k ln2 + logc: k * kLn2[0] is exact.
    const DD s = TwoSum(r.k * kLn2[0], r.e->logcHi);
    const DD b = TwoSum(s.hi, a.hi);
    const double low2 = b.lo + ((s.lo + (r.e->logcMid + r.k * kLn2[1])) + low);
    return FastTwoSum(b.hi, low2);
}

std::optional<double> LnQuick(double x) {
    const DD sum = QuickSum(x);
    const double err = kQuickBound * (sum.hi < 0 ? -sum.hi : sum.hi);
    const double down = sum.hi + (sum.lo - err);
    const double up = sum.hi + (sum.lo + err);
    if (down != up) return std::nullopt;
    return down;
}

Fixed LnExactFixed(double x) {
    const Reduced r = Reduce(x);
    const Fixed t = Fixed(r.t.hi) + Fixed(r.t.lo);
    Fixed series, power = t;
    for (std::uint32_t n = 1; n <= 30; ++n) {
        const Fixed term = power / n;
        series = n % 2 ? series + term : series - term;
        power = power * t;
    }
    Fixed ln2;
    for (const double part : kLn2) ln2 = ln2 + Fixed(part);
    const Fixed logc = Fixed(r.e->logcHi) + Fixed(r.e->logcMid) + Fixed(r.e->logcLo);
    return ln2 * Fixed(r.k) + logc + series;  // k is whole: k ln2 is exact
}

// Out of line: inlined into Ln, its stack frame and guard would be set up on every call, though
// the quick phase answers nearly all of them.
[[gnu::noinline]] double LnExact(double x) {
    return LnExactFixed(x).ToDouble();
}

}  // namespace ln_detail

double Ln(double x) {
    if (!(x > 0))
        return x == 0 ? -std::numeric_limits<double>::infinity()
                      : std::numeric_limits<double>::quiet_NaN();
    if (x > 0x1.fffffffffffffp1023) return x;  // ln of infinity is infinity
    if (const std::optional<double> quick = ln_detail::LnQuick(x)) return *quick;
    return ln_detail::LnExact(x);
}

}  // namespace olvimar
