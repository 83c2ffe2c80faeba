#include "calc/exact_decimal.h"

#include <charconv>

#include "calc/failure.h"
#include "calc/number_rules.h"

namespace olvimar {

namespace {

constexpr std::size_t kMostDigits = 1000;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<Decimal> ExactDecimal(std::string_view text) {
    try {
        ToNumber(text);  // the record's rules decide what is a number
    } catch (const CalcError&) {
        return std::nullopt;
    }
    text = TrimBlanks(text);
    if (text.size() > kMostDigits) return std::nullopt;
    Decimal d;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') d.negative = text[i++] == '-';
    long exponent = 0;
    for (bool fraction = false; i < text.size() && (IsDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            fraction = true;
            continue;
        }
        if (!(d.digits.empty() && text[i] == '0')) d.digits += text[i];  // no leading zeros
        if (fraction) --exponent;
    }
    if (i < text.size()) {  // the exponent, after its mark
        ++i;
        const bool down = text[i] == '-';
        if (text[i] == '+' || text[i] == '-') ++i;
        long e = 0;
        for (; i < text.size(); ++i) e = std::min(e * 10 + (text[i] - '0'), 100000L);
        exponent += down ? -e : e;
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back(), ++exponent;
    if (d.digits.empty()) return Decimal{};  // zero, whatever its sign and exponent
    if (exponent > 100000 || exponent < -100000) return std::nullopt;
    d.exponent = static_cast<int>(exponent);
    return d;
}

Decimal DecimalOf(std::int64_t m, int exponent) {
    Decimal d;
    d.negative = m < 0;
    const std::uint64_t magnitude =
        d.negative ? 0 - static_cast<std::uint64_t>(m) : static_cast<std::uint64_t>(m);
    if (magnitude == 0) return Decimal{};
    d.digits = std::to_string(magnitude);
    d.exponent = exponent;
    while (d.digits.back() == '0') d.digits.pop_back(), ++d.exponent;
    return d;
}

int Compare(const Decimal& a, const Decimal& b) {
    const auto sign = [](const Decimal& d) { return d.digits.empty() ? 0 : d.negative ? -1 : 1; };
    if (sign(a) != sign(b)) return sign(a) < sign(b) ? -1 : 1;
    if (sign(a) == 0) return 0;
    // The magnitudes, by the place of their first digit, then digit by digit.
    const long topA = static_cast<long>(a.digits.size()) + a.exponent;
    const long topB = static_cast<long>(b.digits.size()) + b.exponent;
    int m = topA != topB ? (topA < topB ? -1 : 1) : a.digits.compare(b.digits);
    m = m < 0 ? -1 : m > 0 ? 1 : 0;
    return a.negative ? -m : m;
}

bool IsPositive(const Decimal& d) {
    return !d.digits.empty() && !d.negative;
}

int DecimalsOf(const Decimal& d) {
    return d.exponent < 0 ? -d.exponent : 0;
}

BigInt Scaled(const Decimal& d, int decimals) {
    const BigInt m = BigInt::FromDigits(d.digits).TimesPowerOfTen(d.exponent + decimals);
    return d.negative ? -m : m;
}

std::optional<std::int64_t> ThousandthsOf(const Decimal& d) {
    const long kept = static_cast<long>(d.digits.size()) + d.exponent + 3;  // digits before 10^-3
    if (kept > 18) return std::nullopt;
    std::int64_t t = 0;
    for (long i = 0; i < kept; ++i)
        t = t * 10 + (i < static_cast<long>(d.digits.size()) ? d.digits[i] - '0' : 0);
    // The first digit cut off: 5 or more rounds the magnitude up, an exact half too.
    if (kept >= 0 && kept < static_cast<long>(d.digits.size()) && d.digits[kept] >= '5') ++t;
    return d.negative ? -t : t;
}

std::optional<Fixed> FixedOf(const Decimal& d) {
    if (d.digits.empty()) return Fixed();
    const long whole = static_cast<long>(d.digits.size()) + d.exponent;  // digits before the point
    if (whole > 10) return std::nullopt;
    std::int64_t integer = 0;
    for (long i = 0; i < whole; ++i)
        integer = integer * 10 + (i < static_cast<long>(d.digits.size()) ? d.digits[i] - '0' : 0);
    if (integer >= (std::int64_t{1} << 31)) return std::nullopt;
    // The fraction's digits from the last: f = (digit + f) / 10, each step cut at 2^-192.
    Fixed fraction;
    for (long i = static_cast<long>(d.digits.size()) - 1; i >= std::max(whole, 0L); --i)
        fraction = (fraction + Fixed(static_cast<double>(d.digits[i] - '0'))) / 10;
    for (long zeros = whole; zeros < 0; ++zeros) fraction = fraction / 10;
    const Fixed v = Fixed(static_cast<double>(integer)) + fraction;
    return d.negative ? -v : v;
}

}  // namespace olvimar
