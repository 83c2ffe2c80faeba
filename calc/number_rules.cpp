#include "number_rules.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "failure.h"
#include "numeric/ln.h"

namespace olvimar {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsExponentMark(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// Classifies a decimal text that std::from_chars found out of range: too large is an overflow,
// too small to tell from zero is zero (with its sign).
double OutOfRange(std::string_view canonical) {
    bool negative = !canonical.empty() && canonical.front() == '-';
    // The decimal place of the first significant digit: 3 for 123.4, -2 for 0.00123.
    std::int64_t place = 0;
    bool found = false;
    bool point = false;
    std::size_t i = negative ? 1 : 0;
    for (; i < canonical.size() && !IsExponentMark(canonical[i]); ++i) {
        char c = canonical[i];
        if (c == '.') {
            point = true;
        } else if (!found) {
            found = c != '0';
            if (found && !point) place = 1;
            if (!found && point) --place;
        } else if (!point) {
            ++place;
        }
    }
    std::int64_t exponent = 0;
    if (i < canonical.size()) {
        ++i;  // the exponent mark
        bool exponentNegative = false;
        if (i < canonical.size() && (canonical[i] == '-' || canonical[i] == '+'))
            exponentNegative = canonical[i++] == '-';
        for (; i < canonical.size(); ++i)
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (canonical[i] - '0');
        if (exponentNegative) exponent = -exponent;
    }
    if (found && place + exponent > 0) throw CalcError(FailureKind::Overflow);
    return negative ? -0.0 : 0.0;
}

// The exact conversions between doubles and decimal text that the rules stand on, with '.'
// whatever the locale: the standard library's to_chars and from_chars where it has them for
// doubles; on a toolchain without them (the WebAssembly one), printf and strtod, whose C library
// there (musl) knows no decimal point but '.'.
#if defined(__cpp_lib_to_chars)
// The shortest "[-]d.ddde[+-]xx" that reads back as d.
char* ShortestScientific(char* first, char* last, double d) {
    return std::to_chars(first, last, d, std::chars_format::scientific).ptr;
}
// d rounded exactly to 1 + `decimals` significant digits, "[-]d.ddde[+-]xx".
char* RoundedScientific(char* first, char* last, double d, int decimals) {
    return std::to_chars(first, last, d, std::chars_format::scientific, decimals).ptr;
}
// d rounded exactly to `decimals` decimals, "[-]ddd.ddd".
char* RoundedFixed(char* first, char* last, double d, int decimals) {
    return std::to_chars(first, last, d, std::chars_format::fixed, decimals).ptr;
}
// Reads the whole of `text`; out_of_range for a number too large or too small for a double.
std::errc ReadDouble(std::string_view text, double& d) {
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), d);
    if (ec == std::errc() && ptr != text.data() + text.size()) return std::errc::invalid_argument;
    return ec;
}
#else
char* RoundedScientific(char* first, char* last, double d, int decimals) {
    return first +
           std::snprintf(first, static_cast<std::size_t>(last - first), "%.*e", decimals, d);
}
char* RoundedFixed(char* first, char* last, double d, int decimals) {
    return first +
           std::snprintf(first, static_cast<std::size_t>(last - first), "%.*f", decimals, d);
}
std::errc ReadDouble(std::string_view text, double& d) {
    const std::string whole(text);
    char* end = nullptr;
    errno = 0;
    d = std::strtod(whole.c_str(), &end);
    if (end != whole.c_str() + whole.size()) return std::errc::invalid_argument;
    // strtod also says ERANGE for a subnormal result, which is a number all the same.
    if (errno == ERANGE && (d == 0 || std::isinf(d))) return std::errc::result_out_of_range;
    return std::errc();
}
#endif

// Reads a text already checked to be [-]digits[.digits][e[+-]digits] (either digit run may be
// empty, not both).
double ReadChecked(std::string_view canonical) {
    double d = 0;
    const std::errc ec = ReadDouble(canonical, d);
    if (ec == std::errc::result_out_of_range) return OutOfRange(canonical);
    if (ec != std::errc()) throw CalcError(FailureKind::TypeMismatch);
    return d;
}

// A double written to 15 significant digits: digits[0..14] and the decimal exponent of digits[0].
struct FifteenDigits {
    bool negative = false;
    char digits[15] = {};
    int exponent = 0;
};

// Splits "[-]d[.ddd]e[+-]xx" as std::to_chars writes it in scientific notation: up to 17
// significant digits.
struct Scientific {
    bool negative = false;
    char digits[17] = {};
    int count = 0;
    int exponent = 0;
};

Scientific Scan(const char* p, const char* end) {
    Scientific s;
    if (*p == '-') {
        s.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p)
        if (*p != '.' && s.count < 17) s.digits[s.count++] = *p;
    ++p;  // the 'e'
    std::from_chars(*p == '+' ? p + 1 : p, end, s.exponent);
    return s;
}

FifteenDigits FirstFifteen(const Scientific& s) {
    FifteenDigits f;
    f.negative = s.negative;
    f.exponent = s.exponent;
    const int n = std::min(s.count, 15);
    std::memcpy(f.digits, s.digits, static_cast<std::size_t>(n));
    std::memset(f.digits + n, '0', static_cast<std::size_t>(15 - n));
    return f;
}

// Only the quick way of Round15 rounds up by hand.
[[maybe_unused]] void RoundUp(FifteenDigits& f) {
    int k = 14;
    while (k >= 0 && f.digits[k] == '9') f.digits[k--] = '0';
    if (k >= 0) {
        ++f.digits[k];
    } else {  // 999... became 1000...
        f.digits[0] = '1';
        ++f.exponent;
    }
}

FifteenDigits Round15(double d) {
    // The quick way starts from the shortest text S that reads back as d. With 15 digits or
    // fewer, S is d rounded to 15 digits: S lies within half an ulp of d, and for a normal double
    // half an ulp (at most 2^-53 |d|) is far less than half a unit of the fifteenth digit, so no
    // other 15-digit number is nearer. A subnormal double has fewer bits, its ulp is no longer
    // small beside |d| (5e-324 is shortest "5" and exactly 4.94065645841247...e-324), so it is
    // always rounded the slow, exact way.
    //
    // With 16 or 17 digits, S rounds to the same 15 digits as d unless S is itself a tie, a
    // sixteen-digit text ending in 5. A tie T of the fifteenth digit has 16 digits; were it
    // strictly between d and S, it would lie nearer to d than S does and so read back as d too,
    // and the shortest text, which is the nearest of the shortest, would be T (or shorter), not S.
    // So the digits of S after the fifteenth decide, with no margin, except for that one case.
    char buf[40];
#if defined(__cpp_lib_to_chars)  // without a shortest text, always the exact way
    if (std::fabs(d) >= std::numeric_limits<double>::min()) {
        const Scientific s = Scan(buf, ShortestScientific(buf, buf + sizeof buf, d));
        if (s.count <= 15) return FirstFifteen(s);
        if (s.count == 17 || s.digits[15] != '5') {
            FifteenDigits f = FirstFifteen(s);
            if (s.digits[15] >= '5') RoundUp(f);
            return f;
        }
    }
#endif
    return FirstFifteen(Scan(buf, RoundedScientific(buf, buf + sizeof buf, d, 14)));
}

// Whether the 15-digit form of a number is a tie at the third decimal: its fourth decimal is the
// 5 and every digit after it is 0, as for a typed 7.0005.
bool FifteenDigitTie(const FifteenDigits& f) {
    const int fourth = f.exponent + 4;  // the index of the fourth decimal among the digits
    if (fourth < 0 || fourth > 14 || f.digits[fourth] != '5') return false;
    return std::all_of(f.digits + fourth + 1, f.digits + 15, [](char c) { return c == '0'; });
}

// Whether a double lies exactly half-way between two numbers of three decimals. Such a number
// has exactly four decimals ending in 5, (2k + 1) / 2000, and a double can be that only when it
// is an odd number of sixteenths.
bool ExactTie(double magnitude) {
    const double sixteenths = magnitude * 16;  // exact: a power of two
    return std::isfinite(sixteenths) && sixteenths == std::floor(sixteenths) &&
           std::fmod(sixteenths, 2) == 1;
}

// Adds one unit of the last digit to a string of decimal digits, carrying into a new digit.
void IncrementDigits(std::string& digits) {
    std::size_t k = digits.size();
    while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
    if (k == 0)
        digits.insert(digits.begin(), '1');
    else
        ++digits[k - 1];
}

// The whole digits of a fixed-notation text, then `decimals` decimals, without the point.
std::string FixedDigits(double magnitude, int decimals) {
    char buf[330];  // the largest double has 309 whole digits
    std::string digits(buf, RoundedFixed(buf, buf + sizeof buf, magnitude, decimals));
    digits.erase(digits.size() - static_cast<std::size_t>(decimals) - 1, 1);
    return digits;
}

}  // namespace

bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n';
}

std::string_view TrimBlanks(std::string_view text) noexcept {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

double LeadingNumber(std::string_view text) {
    // The number as std::from_chars reads it: no '+' sign, the exponent mark written 'e'.
    std::string canonical;
    bool digits = false;  // any digit before the exponent
    enum class At { Sign, Whole, Fraction, ExponentSign, Exponent } at = At::Sign;
    std::size_t beforeExponent = 0;  // canonical length before a tentative exponent
    bool exponentDigits = false;
    for (char c : text) {
        if (IsBlank(c)) continue;
        if (at == At::Sign) {
            at = At::Whole;
            if (c == '+' || c == '-') {
                if (c == '-') canonical += '-';
                continue;
            }
        }
        if (at == At::Whole || at == At::Fraction) {
            if (IsDigit(c)) {
                canonical += c;
                digits = true;
            } else if (c == '.' && at == At::Whole) {
                canonical += '.';
                at = At::Fraction;
            } else if (IsExponentMark(c) && digits) {
                beforeExponent = canonical.size();
                canonical += 'e';
                at = At::ExponentSign;
            } else {
                break;
            }
        } else if (at == At::ExponentSign && (c == '+' || c == '-')) {
            if (c == '-') canonical += '-';
            at = At::Exponent;
        } else if (IsDigit(c)) {
            canonical += c;
            exponentDigits = true;
            at = At::Exponent;
        } else {
            break;
        }
    }
    if (!digits) return 0;
    // An exponent mark without digits after it is not part of the number: "7e" reads as 7.
    if ((at == At::ExponentSign || at == At::Exponent) && !exponentDigits)
        canonical.resize(beforeExponent);
    return ReadChecked(canonical);
}

double ToNumber(std::string_view text) {
    text = TrimBlanks(text);

    std::size_t i = 0;
    bool plainForm = true;  // already in the form std::from_chars reads
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        plainForm = text[i] == '-';
        ++i;
    }
    bool digits = false;
    while (i < text.size() && IsDigit(text[i])) ++i, digits = true;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, digits = true;
    }
    if (!digits) throw CalcError(FailureKind::TypeMismatch);
    if (i < text.size() && IsExponentMark(text[i])) {
        if (text[i] == 'D' || text[i] == 'd') plainForm = false;
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        bool exponentDigits = false;
        while (i < text.size() && IsDigit(text[i])) ++i, exponentDigits = true;
        if (!exponentDigits) throw CalcError(FailureKind::TypeMismatch);
    }
    if (i != text.size()) throw CalcError(FailureKind::TypeMismatch);
    if (plainForm) return ReadChecked(text);

    std::string canonical;
    canonical.reserve(text.size());
    for (char c : text) {
        if (c == '+' && canonical.empty()) continue;
        canonical += (c == 'D' || c == 'd') ? 'e' : c;
    }
    return ReadChecked(canonical);
}

void AppendNumberText(std::string& out, double d) {
    if (d == 0) {  // also -0: a zero never carries a sign
        out += '0';
        return;
    }
    FifteenDigits f = Round15(d);
    int n = 15;
    while (n > 1 && f.digits[n - 1] == '0') --n;
    if (f.negative) out += '-';

    // Plain notation over the whole range that blending produces; only absurd magnitudes are
    // written with an exponent, as 1.5E+15 or 1E-11.
    if (f.exponent >= 15 || f.exponent < -10) {
        out += f.digits[0];
        if (n > 1) {
            out += '.';
            out.append(f.digits + 1, n - 1);
        }
        char buf[8];
        int e = f.exponent < 0 ? -f.exponent : f.exponent;
        out += f.exponent < 0 ? "E-" : "E+";
        if (e < 10) out += '0';
        out.append(buf, std::to_chars(buf, buf + sizeof buf, e).ptr);
        return;
    }
    if (f.exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-f.exponent - 1), '0');
        out.append(f.digits, n);
        return;
    }
    int whole = f.exponent + 1;  // at most 15
    out.append(f.digits, whole);
    if (n > whole) {
        out += '.';
        out.append(f.digits + whole, n - whole);
    }
}

void AppendNumberText(std::string& out, const Value& value) {
    switch (value.kind()) {
        case Value::Kind::Empty:
            return;
        case Value::Kind::Text:
            out += value.text();
            return;
        case Value::Kind::Integer:
        case Value::Kind::Long: {
            char buf[16];
            std::int32_t n =
                value.kind() == Value::Kind::Integer ? value.integer() : value.longValue();
            out.append(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
            return;
        }
        case Value::Kind::Double:
            AppendNumberText(out, value.number());
            return;
        case Value::Kind::Boolean:
            out += value.boolean() ? "True" : "False";
            return;
    }
}

std::string NumberText(const Value& value) {
    std::string out;
    AppendNumberText(out, value);
    return out;
}

void AppendThreeDecimals(std::string& out, double d) {
    if (!std::isfinite(d)) throw CalcError(FailureKind::Overflow);
    const double magnitude = std::fabs(d);
    // The whole digits and three decimals of |d| rounded, without the point. Only a tie is
    // judged on the 15-digit form that NumberText shows; every other number is rounded from its
    // exact binary value, which for a magnitude of 10^12 or more has more decimals than those 15
    // digits show.
    std::string digits;
    const FifteenDigits f = Round15(d);
    if (FifteenDigitTie(f)) {
        const int whole = f.exponent + 1;
        for (int pos = std::min(whole, 0); pos < whole + 3; ++pos)
            digits += pos < 0 ? '0' : f.digits[pos];  // the tie lies within the 15 digits
        IncrementDigits(digits);  // an exact tie rounds away from zero, unlike printf
    } else if (ExactTie(magnitude)) {
        digits = FixedDigits(magnitude, 4);  // exact: the tie has four decimals
        digits.pop_back();                   // its 5
        IncrementDigits(digits);
    } else {
        digits = FixedDigits(magnitude, 3);  // exact rounding; no tie is left to decide
    }
    std::size_t lead = 0;  // no zero before the point: 0.5 is written .500
    while (lead + 3 < digits.size() && digits[lead] == '0') ++lead;
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    if (std::signbit(d) && !zero) out += '-';
    out.append(digits, lead, digits.size() - 3 - lead);
    out += '.';
    out.append(digits, digits.size() - 3, 3);
}

std::string ThreeDecimals(const Value& value) {
    double d = 0;
    switch (value.kind()) {
        case Value::Kind::Double:
            d = value.number();
            break;
        case Value::Kind::Text:
            d = ToNumber(value.text());
            break;
        case Value::Kind::Integer:
            d = value.integer();
            break;
        case Value::Kind::Long:
            d = value.longValue();
            break;
        case Value::Kind::Boolean:
            d = value.boolean() ? -1 : 0;
            break;
        case Value::Kind::Empty:
            break;
    }
    std::string out;
    AppendThreeDecimals(out, d);
    return out;
}

double RoundHalfEven(double d) noexcept {
    if (!std::isfinite(d)) return d;
    double below = std::floor(d);
    double fraction = d - below;  // exact: d and its floor lie within one unit
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

double Log(double d) {
    if (!(d > 0)) throw CalcError(FailureKind::InvalidArgument);
    return Ln(d);
}

}  // namespace olvimar
