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
// stays under 2^-150 |R|, and no double x has ln x nearer than 2^-119 |R| to a midpoint between
// two doubles (the hardest is 0x1.62a88613629b6p678, whose ln has 65 zeros after its 53 bits),
// so rounding the fixed-point value gives the correctly rounded ln x.
#include "calc/ln.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "calc/ln_table.h"

namespace olvimar {

namespace {

using ln_table::kLn2;
using ln_table::kTable;

// ---- Exact sums and products of doubles ----

struct DD {
    double hi, lo;  // hi + lo exactly
};

DD TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

DD FastTwoSum(double a, double b) {  // |a| >= |b|
    const double s = a + b;
    return {s, b - (s - a)};
}

// a * a exactly: a split into two halves of 26 bits, whose products are exact.
DD ExactSquare(double a) {
    const double c = a * 0x1.0000002p27;  // 2^27 + 1
    const double hi = c - (c - a);
    const double lo = a - hi;
    const double p = a * a;
    return {p, ((hi * hi - p) + 2 * hi * lo) + lo * lo};
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

// ---- Fixed point with 192 bits after the point, two's complement, for the exact phase ----

class Fixed {
  public:
    static constexpr int kFraction = 192;

    Fixed() = default;
    // The double d, exactly down to 2^-192 (lower bits, of which the table has a few, are cut).
    explicit Fixed(double d) {
        if (d == 0) return;
        const std::uint64_t bits = BitsOf(d);
        const int exponent = static_cast<int>((bits >> 52) & 0x7ff);  // never subnormal here
        const std::uint64_t mantissa = (bits & 0xfffffffffffff) | 0x10000000000000;
        int shift = exponent - 1075 + kFraction;  // where the mantissa's lowest bit goes
        std::uint64_t m = mantissa;
        if (shift < 0) {
            m = shift > -64 ? m >> -shift : 0;
            shift = 0;
        }
        for (int b = 0; m != 0; ++b, m >>= 1)
            if (m & 1) SetBit(shift + b);
        if (d < 0) *this = -*this;
    }

    friend Fixed operator+(const Fixed& a, const Fixed& b) {
        Fixed s;
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < kWords; ++i) {
            const std::uint64_t sum = std::uint64_t{a.w_[i]} + b.w_[i] + carry;
            s.w_[i] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32;
        }
        return s;
    }
    Fixed operator-() const {
        Fixed n;
        for (std::size_t i = 0; i < kWords; ++i) n.w_[i] = ~w_[i];
        Fixed one;
        one.w_[0] = 1;
        return n + one;
    }
    friend Fixed operator-(const Fixed& a, const Fixed& b) { return a + -b; }

    // a * b, the bits below 2^-192 cut off the magnitude.
    friend Fixed operator*(const Fixed& a, const Fixed& b) {
        const Fixed x = a.Magnitude(), y = b.Magnitude();
        std::array<std::uint64_t, 2 * kWords> product{};
        for (std::size_t i = 0; i < kWords; ++i) {
            std::uint64_t carry = 0;
            for (std::size_t j = 0; j < kWords; ++j) {
                const std::uint64_t p = std::uint64_t{x.w_[i]} * y.w_[j] + product[i + j] + carry;
                product[i + j] = p & 0xffffffff;
                carry = p >> 32;
            }
            product[i + kWords] = carry;
        }
        Fixed m;
        for (std::size_t i = 0; i < kWords; ++i)
            m.w_[i] = static_cast<std::uint32_t>(product[i + kFraction / 32]);
        return a.Negative() != b.Negative() ? -m : m;
    }
    // a / n, the magnitude cut.
    friend Fixed operator/(const Fixed& a, std::uint32_t n) {
        Fixed q = a.Magnitude();
        std::uint64_t rest = 0;
        for (std::size_t i = kWords; i-- > 0;) {
            const std::uint64_t part = (rest << 32) | q.w_[i];
            q.w_[i] = static_cast<std::uint32_t>(part / n);
            rest = part % n;
        }
        return a.Negative() ? -q : q;
    }

    // The nearest double.
    double ToDouble() const {
        const Fixed m = Magnitude();
        int top = kWords * 32 - 1;
        while (top >= 0 && !m.Bit(top)) --top;
        if (top < 0) return 0;
        // 53 bits from the top, the next one, and whether any below it is set.
        std::uint64_t mantissa = 0;
        for (int b = top; b > top - 53; --b) mantissa = (mantissa << 1) | (b >= 0 && m.Bit(b));
        const bool half = top - 53 >= 0 && m.Bit(top - 53);
        bool below = false;
        for (int b = top - 54; b >= 0 && !below; --b) below = m.Bit(b);
        if (half && (below || (mantissa & 1))) ++mantissa;  // a tie, were there one, to even
        const double d = std::ldexp(static_cast<double>(mantissa), top - 52 - kFraction);  // exact
        return Negative() ? -d : d;
    }

  private:
    static constexpr std::size_t kWords = 7;  // 32 bits before the point, 192 after

    bool Negative() const { return w_[kWords - 1] >> 31; }
    Fixed Magnitude() const { return Negative() ? -*this : *this; }
    bool Bit(int b) const { return (w_[static_cast<std::size_t>(b / 32)] >> (b % 32)) & 1; }
    void SetBit(int b) { w_[static_cast<std::size_t>(b / 32)] |= 1U << (b % 32); }

    std::array<std::uint32_t, kWords> w_{};
};

}  // namespace

std::optional<double> LnQuick(double x) {
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
    const DD sum = FastTwoSum(b.hi, low2);
    const double err = 0x1p-64 * (sum.hi < 0 ? -sum.hi : sum.hi);
    const double down = sum.hi + (sum.lo - err);
    const double up = sum.hi + (sum.lo + err);
    if (down != up) return std::nullopt;
    return down;
}

double LnExact(double x) {
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
    return (ln2 * Fixed(r.k) + logc + series).ToDouble();  // k is whole: k ln2 is exact
}

double Ln(double x) {
    if (x > 0x1.fffffffffffffp1023) return x;  // ln of infinity is infinity
    if (const std::optional<double> quick = LnQuick(x)) return *quick;
    return LnExact(x);
}

}  // namespace olvimar
