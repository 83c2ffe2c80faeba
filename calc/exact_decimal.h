#pragma once

// A number to its last digit, as typed or as shown: what a data sheet is worked out from, so that
// a person can check every figure by hand from the screen.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "numeric/big_int.h"
#include "numeric/fixed_point.h"

namespace olvimar {

struct Decimal {
    bool negative = false;
    std::string digits;  // the significant digits, no leading or trailing zeros; none for zero
    int exponent = 0;    // the value is digits * 10^exponent
};

// The text as the record's rules read it (ToNumber) to its last digit; none for a text they
// refuse, or a number of more than a thousand digits.
std::optional<Decimal> ExactDecimal(std::string_view text);
// m * 10^exponent: a standard's figure, or thousandths (exponent -3) as the sheet shows them.
Decimal DecimalOf(std::int64_t m, int exponent);

// -1, 0 or 1 as a is below, at or above b.
int Compare(const Decimal& a, const Decimal& b);
bool IsPositive(const Decimal& d);

// The value times 10^decimals, a whole number when the decimal has at most that many decimals.
BigInt Scaled(const Decimal& d, int decimals);
// How many decimals it has (none for a whole number).
int DecimalsOf(const Decimal& d);

// To the nearest thousandth, an exact half away from zero, as the record writes three decimals;
// none beyond 10^15.
std::optional<std::int64_t> ThousandthsOf(const Decimal& d);

// In fixed point, within 2^-190; none at 2^31 or beyond.
std::optional<Fixed> FixedOf(const Decimal& d);

}  // namespace olvimar
