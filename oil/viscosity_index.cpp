// L, H and the first formula are rational in U and Y, and are worked out exactly in whole numbers,
// so that an exact half is seen as one. The second formula is worked out in fixed point to within
// 2^-100 and rounded; within that of a half, the last bits decide, as for a blend's viscosity.
#include "oil/viscosity_index.h"

#include <cmath>

#include "numeric/fixed_math.h"
#include "oil/d2270_table1.h"

namespace olvimar {

namespace {

using d2270::kTable1;

constexpr double kMostIndex = 1e9;

// L and H over one denominator, exactly: L = l / d, H = h / d.
struct Bounds {
    BigInt l, h, d;
};

// Y as yn / 10^s. Table 1 where Y is within it, between its rows i and i + 1.
Bounds FromTable(const BigInt& yn, int s, std::size_t i) {
    const d2270::Row &lo = kTable1[i], &hi = kTable1[i + 1];
    const BigInt x = BigInt(100) * yn;  // 100 Y 10^s, as the rows' hundredths times 10^s
    const BigInt from = BigInt(lo.kv100).TimesPowerOfTen(s),
                 to = BigInt(hi.kv100).TimesPowerOfTen(s);
    return {BigInt(lo.l) * (to - x) + BigInt(hi.l) * (x - from),
            BigInt(lo.h) * (to - x) + BigInt(hi.h) * (x - from), BigInt(1000) * (to - from)};
}

// Above 70, the standard's quadratics times 10^4 10^(2s).
Bounds FromFormulas(const BigInt& yn, int s) {
    const BigInt y2 = yn * yn, y1 = yn.TimesPowerOfTen(s), y0 = BigInt(1).TimesPowerOfTen(2 * s);
    return {BigInt(8353) * y2 + BigInt(146700) * y1 - BigInt(2160000) * y0,
            BigInt(1684) * y2 + BigInt(118500) * y1 - BigInt(970000) * y0, BigInt(10000) * y0};
}

// The row i with row i at or below 100 Y and row i + 1 above it (or at it, at 70).
std::size_t RowOf(const BigInt& yn, int s) {
    std::size_t i = 0;
    const BigInt x = BigInt(100) * yn;
    while (i + 2 < kTable1.size() &&
           Compare(BigInt(kTable1[i + 1].kv100).TimesPowerOfTen(s), x) <= 0)
        ++i;
    return i;
}

// L or H in fixed point between the table's rows i and i + 1, by the standard's interpolation.
Fixed FromTable(const Fixed& y, std::size_t i, std::int32_t d2270::Row::*of) {
    const d2270::Row &lo = kTable1[i], &hi = kTable1[i + 1];
    const Fixed along = (Fixed(100.0) * y - Fixed(static_cast<double>(lo.kv100))) /
                        static_cast<std::uint32_t>(hi.kv100 - lo.kv100);
    return (Fixed(static_cast<double>(lo.*of)) +
            along * Fixed(static_cast<double>(hi.*of - lo.*of))) /
           1000;
}

// ln H in fixed point, for the second formula.
Fixed LnH(const Fixed& y, bool inTable, std::size_t i) {
    if (inTable) return fixed::Ln(FromTable(y, i, &d2270::Row::h));
    // H = Y² (0.1684 + 11.85 / Y - 97 / Y²), so that a large Y stays within the fixed point.
    const Fixed r = fixed::Reciprocal(y);
    const Fixed rest =
        fixed::Constant(1684, 4) + fixed::Constant(1185, 2) * r - Fixed(97.0) * r * r;
    return Fixed(2.0) * fixed::Ln(y) + fixed::Ln(rest);
}

}  // namespace

std::variant<std::int64_t, Undefined> ViscosityIndex(const Decimal& u, const Decimal& y) {
    if (!IsPositive(u) || !IsPositive(y)) return Undefined::NotPositive;
    if (Compare(y, DecimalOf(2, 0)) < 0) return Undefined::BelowTwo;
    if (Compare(y, u) >= 0) return Undefined::NotThinnerHot;

    const int s = DecimalsOf(y), t = DecimalsOf(u);
    const BigInt yn = Scaled(y, s), un = Scaled(u, t);
    const bool inTable = Compare(y, DecimalOf(70, 0)) <= 0;
    const std::size_t row = inTable ? RowOf(yn, s) : 0;
    const Bounds b = inTable ? FromTable(yn, s, row) : FromFormulas(yn, s);
    // U = un / 10^t against H = h / d.
    const BigInt uOverH = un * b.d, hScaled = b.h.TimesPowerOfTen(t);

    const auto bounded = [](double approx) { return std::fabs(approx) <= kMostIndex; };
    if (Compare(uOverH, hScaled) >= 0) {  // U >= H: 100 (L - U) / (L - H)
        const BigInt num = BigInt(100) * (b.l.TimesPowerOfTen(t) - uOverH);
        const BigInt den = (b.l - b.h).TimesPowerOfTen(t);
        if (!bounded(num.ToDouble() / den.ToDouble())) return Undefined::TooThick;
        return NearestWhole(num, den);
    }
    // N = ln(H / U) / ln Y; Y is at most 10^9 here, so its fixed point holds it.
    const std::optional<Fixed> yf = FixedOf(y), uf = FixedOf(u);
    if (!yf || !uf) return Undefined::TooThick;
    const Fixed n = fixed::Quotient(LnH(*yf, inTable, row) - fixed::Ln(*uf), fixed::Ln(*yf));
    if (n.ToDouble() > 7) return Undefined::TooThick;  // 10^N / 0.00715 would pass 2^31
    const Fixed vi = (fixed::Pow10(n) - Fixed(1.0)) / 715 * Fixed(100000.0) + Fixed(100.0);
    return fixed::Nearest(vi);
}

std::variant<Fixed, Undefined> FortyForIndex(const Decimal& vi, const Decimal& y) {
    if (!IsPositive(y)) return Undefined::NotPositive;
    if (Compare(y, DecimalOf(2, 0)) < 0) return Undefined::BelowTwo;
    const std::optional<Fixed> yf = FixedOf(y), index = FixedOf(vi);
    if (Compare(y, DecimalOf(10000, 0)) > 0 || !index || std::fabs(index->ToDouble()) > 1000)
        return Undefined::TooThick;
    const bool inTable = Compare(y, DecimalOf(70, 0)) <= 0;
    const std::size_t row = inTable ? RowOf(Scaled(y, DecimalsOf(y)), DecimalsOf(y)) : 0;
    Fixed u;
    if (Compare(vi, DecimalOf(100, 0)) <= 0) {
        // L and H above 70 by the standard's quadratics, whose Y² stays within 10^8.
        const Fixed l = inTable ? FromTable(*yf, row, &d2270::Row::l)
                                : fixed::Constant(8353, 4) * *yf * *yf +
                                      fixed::Constant(1467, 2) * *yf - Fixed(216.0);
        const Fixed h = inTable ? FromTable(*yf, row, &d2270::Row::h)
                                : fixed::Constant(1684, 4) * *yf * *yf +
                                      fixed::Constant(1185, 2) * *yf - Fixed(97.0);
        u = l - *index * (l - h) / 100;
    } else {
        const Fixed n =
            fixed::Log10(Fixed(1.0) + (*index - Fixed(100.0)) * fixed::Constant(715, 5));
        u = fixed::Exp(LnH(*yf, inTable, row) - n * fixed::Ln(*yf));
    }
    if (u.ToDouble() > kMostIndex) return Undefined::TooThick;
    if (!((u - *yf).ToDouble() > 0)) return Undefined::NotThinnerHot;
    return u;
}

}  // namespace olvimar
