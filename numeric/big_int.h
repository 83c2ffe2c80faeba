#pragma once

// Whole numbers of any size, for the few comparisons and quotients that must be exact to decide
// a tie: a viscosity index that lies exactly half-way between two whole numbers.
#include <cstdint>
#include <string_view>
#include <vector>

namespace olvimar {

class BigInt {
  public:
    BigInt() = default;
    explicit BigInt(std::int64_t v);
    // The value of a run of decimal digits.
    static BigInt FromDigits(std::string_view digits);
    // This times 10^n.
    BigInt TimesPowerOfTen(int n) const;

    friend BigInt operator+(const BigInt& a, const BigInt& b);
    friend BigInt operator-(const BigInt& a, const BigInt& b);
    friend BigInt operator*(const BigInt& a, const BigInt& b);
    BigInt operator-() const;
    // -1, 0 or 1 as a is below, at or above b.
    friend int Compare(const BigInt& a, const BigInt& b);
    bool negative() const { return negative_; }
    double ToDouble() const;  // the nearest double, or near it

  private:
    using Words = std::vector<std::uint32_t>;  // the magnitude, the least significant first
    static int CompareMagnitudes(const Words& a, const Words& b);
    static Words Add(const Words& a, const Words& b);
    static Words Subtract(const Words& a, const Words& b);  // a >= b
    void Trim();

    bool negative_ = false;
    Words magnitude_;
};

// num / den to the nearest whole number, an exact half to the even one; den is not zero and the
// quotient is well within 2^62.
std::int64_t NearestWhole(const BigInt& num, const BigInt& den);

}  // namespace olvimar
