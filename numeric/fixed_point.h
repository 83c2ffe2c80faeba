#pragma once

// Fixed point with 192 bits after the point and 32 before, two's complement: the exact phase of
// the logarithm works in it, where doubles are too short. Every operation is on whole words, so
// it gives the same bits on every platform.
#include <array>
#include <cmath>
#include <cstdint>

#include "numeric/bits.h"

namespace olvimar {

class Fixed {
  public:
    static constexpr int kFraction = 192;
    static constexpr std::size_t kWords = 7;  // 32 bits before the point, 192 after

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

    // The words of the two's complement, the least significant first.
    const std::array<std::uint32_t, kWords>& words() const { return w_; }

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
    bool Negative() const { return w_[kWords - 1] >> 31; }
    Fixed Magnitude() const { return Negative() ? -*this : *this; }
    bool Bit(int b) const { return (w_[static_cast<std::size_t>(b / 32)] >> (b % 32)) & 1; }
    void SetBit(int b) { w_[static_cast<std::size_t>(b / 32)] |= 1U << (b % 32); }

    std::array<std::uint32_t, kWords> w_{};
};

}  // namespace olvimar
