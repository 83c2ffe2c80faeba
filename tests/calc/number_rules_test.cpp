// The rules by which text becomes a number and back, and the operations on Values.
#include <gtest/gtest.h>

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>

#include "calc/failure.h"
#include "calc/number_rules.h"
#include "calc/text_ops.h"
#include "calc/value_ops.h"
#include "value_printer.h"

namespace olvimar {
namespace {

// Runs `f` and gives the kind of the CalcError it throws, or nothing when it does not throw.
template <typename F>
std::optional<FailureKind> FailureOf(F f) {
    try {
        f();
    } catch (const CalcError& e) {
        return e.failure().kind;
    }
    return std::nullopt;
}

struct ReadCase {
    const char* name;
    const char* text;
    double expected;
};

TEST(LeadingNumber, ReadsTheLongestNumberPrefix) {
    const ReadCase cases[] = {
        {"trailing blank ignored", "7 ", 7},
        {"leading blank skipped", " 14", 14},
        {"empty text gives 0", "", 0},
        {"second point ends the number", "7.5.3", 7.5},
        {"letters give 0", "abc", 0},
        {"blank between digits skipped", "1 2", 12},
        {"tab and line feed skipped", "\t1\n5", 15},
        {"letters after digits ignored", "7a", 7},
        {"plus sign", "+3", 3},
        {"fraction without whole part", ".25", 0.25},
        {"point without fraction", "8.", 8},
        {"exponent E", "1E2", 100},
        {"exponent d with sign", "25d-1", 2.5},
        {"exponent mark without digits is not read", "7e", 7},
        {"exponent sign without digits is not read", "7e+x", 7},
        {"no hexadecimal prefix", "0x10", 0},
        {"no octal prefix", "&O17", 0},
        {"lone sign gives 0", "-", 0},
        {"comma ends the number", "7,8", 7},
        {"full-width digits are not digits", "\xef\xbc\x97", 0},
        {"tiny number reads as zero", "1e-400", 0},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.expected) << c.name;
}

TEST(LeadingNumber, NumberTooLargeForADoubleIsAnOverflow) {
    EXPECT_EQ(FailureOf([] { LeadingNumber("1e309"); }), FailureKind::Overflow);
    EXPECT_EQ(FailureOf([] { LeadingNumber(std::string(400, '9')); }), FailureKind::Overflow);
    EXPECT_EQ(LeadingNumber("1.7976931348623157e308"), 1.7976931348623157e308);
}

TEST(ToNumber, ReadsAWholeDecimalNumber) {
    const ReadCase cases[] = {
        {"leading blank allowed", " 10", 10},
        {"trailing blanks allowed", "10 \t\n", 10},
        {"plain decimal", "7.276", 7.276},
        {"negative", "-2.5", -2.5},
        {"plus sign", "+4", 4},
        {"fraction without whole part", ".5", 0.5},
        {"point without fraction", "5.", 5},
        {"exponent", "1.5e3", 1500},
        {"exponent D", "1.5D3", 1500},
        {"exponent with plus", "2E+2", 200},
        {"leading zeros", "0012", 12},
        {"tiny number reads as zero", "1e-400", 0},
    };
    for (const ReadCase& c : cases) EXPECT_EQ(ToNumber(c.text), c.expected) << c.name;
}

TEST(ToNumber, RejectsEverythingElseAsATypeMismatch) {
    const char* rejected[] = {
        "",
        " ",
        "abc",
        "7a",
        "7,5",
        "1,000",
        "7 5",
        "0x10",
        "$5",
        "5$",
        ".",
        "-",
        "+-5",
        "1e",
        "1e+",
        "e5",
        "inf",
        "nan",
        "7-8",
        "7.5.3",
        "\xef\xbc\x97",  // a full-width digit seven
        "5\r",           // carriage return is not a blank
    };
    for (const char* text : rejected)
        EXPECT_EQ(FailureOf([&] { ToNumber(text); }), FailureKind::TypeMismatch) << '"' << text;
}

TEST(ToNumber, NumberTooLargeForADoubleIsAnOverflow) {
    EXPECT_EQ(FailureOf([] { ToNumber("1e309"); }), FailureKind::Overflow);
    EXPECT_EQ(FailureOf([] { ToNumber("-1D400"); }), FailureKind::Overflow);
    EXPECT_EQ(FailureOf([] { ToNumber("0.000001e320"); }), FailureKind::Overflow);
}

struct TextCase {
    const char* name;
    Value value;
    const char* expected;
};

TEST(NumberText, WritesFifteenSignificantDigitsPlainly) {
    const TextCase cases[] = {
        {"Integer", Value::Integer(4), "4"},
        {"negative Integer", Value::Integer(-32768), "-32768"},
        {"Long", Value::Long(123456), "123456"},
        {"Empty is the empty text", Value(), ""},
        {"Text unchanged", Value::Text(" 7,a"), " 7,a"},
        {"Double", Value::Double(13.69), "13.69"},
        {"difference shows no residue", Value::Double(100 - 48.18), "51.82"},
        {"one third to 15 digits", Value::Double(1.0 / 3), "0.333333333333333"},
        {"15th digit rounded", Value::Double(2.0 / 3 * 100), "66.6666666666667"},
        {"accumulated tenths", Value::Double(7 + 0.1 + 0.1 + 0.1), "7.3"},
        {"residue kept at the 15th digit", Value::Double(100 - 94.93), "5.06999999999999"},
        {"half keeps its leading zero", Value::Double(0.5), "0.5"},
        {"negative", Value::Double(-13.45), "-13.45"},
        {"whole Double has no point", Value::Double(4), "4"},
        {"zero", Value::Double(0), "0"},
        {"negative zero written as zero", Value::Double(-0.0), "0"},
        {"small in plain notation", Value::Double(0.00005), "0.00005"},
        {"rounding carries into a new digit", Value::Double(9.9999999999999999), "10"},
        {"large whole number", Value::Double(123456789012345), "123456789012345"},
        {"beyond 15 digits uses an exponent", Value::Double(1e15), "1E+15"},
        {"huge with mantissa", Value::Double(4.819e19), "4.819E+19"},
        {"tiny uses an exponent", Value::Double(-1.5e-11), "-1.5E-11"},
        {"three-digit exponent", Value::Double(1e300), "1E+300"},
        {"smallest subnormal to 15 digits", Value::Double(5e-324), "4.94065645841247E-324"},
        {"subnormal whose shortest text has 15 digits", Value::Double(4.72135967052751e-310),
         "4.72135967052751E-310"},
        {"Boolean", Value::Boolean(true), "True"},
    };
    for (const TextCase& c : cases) EXPECT_EQ(NumberText(c.value), c.expected) << c.name;
}

// printf's exact rounding of d, in the "C" locale although the tests run under a comma one.
std::string PrintfInC(const char* format, double d) {
    const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    const locale_t before = uselocale(c);
    char buf[400];
    std::snprintf(buf, sizeof buf, format, d);
    uselocale(before);
    freelocale(c);
    return buf;
}

// NumberText as printf's exact "%.14e" rounding gives it, written plainly: the slow, sure way.
std::string ReferenceNumberText(double d) {
    const std::string printed = PrintfInC("%.14e", d);
    const char* buf = printed.c_str();
    std::string digits;
    const char* p = buf + (buf[0] == '-');
    for (; *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = buf[0] == '-' ? "-" : "";
    if (exponent < -10) {  // the far too small, as 1.5E-11
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        return out + (exponent > -10 ? "E-0" : "E-") + std::to_string(-exponent);
    }
    if (exponent < 0) return out + "0." + std::string(-exponent - 1, '0') + digits;
    if (digits.size() <= static_cast<std::size_t>(exponent) + 1)
        return out + digits + std::string(exponent + 1 - digits.size(), '0');
    return out + digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
}

TEST(NumberText, AgreesWithExactRoundingOnManyDoubles) {
    // The quick shortest-text path must give the same fifteen digits as exact rounding, also for
    // the residue that sums and products of a blend leave in the sixteenth and seventeenth digit.
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> magnitude(-9.5, 14.5);
    std::uniform_int_distribution<int> nudge(-3, 3);
    std::uniform_int_distribution<int> shortDecimal(1, 999999);
    std::uniform_int_distribution<int> places(0, 9);
    int checked = 0;
    for (int i = 0; i < 200000; ++i) {
        double d = std::pow(10.0, magnitude(random));
        if (i % 2) d = shortDecimal(random) / std::pow(10.0, places(random));  // like 48.19
        if (i % 4 == 1) {  // next to a tie of the fifteenth digit, like 1.23456789012345|5
            std::string tie = std::to_string(shortDecimal(random) + 1000000) + "123456789";
            tie =
                tie.substr(0, 1) + "." + tie.substr(1, 14) + "5e" + std::to_string(places(random));
            d = std::strtod(tie.c_str(), nullptr);
        }
        for (int k = nudge(random); k != 0; k += k > 0 ? -1 : 1)
            d = std::nextafter(d, k > 0 ? 1e300 : 0.0);
        if (i % 3 == 0) d = -d;
        ASSERT_EQ(NumberText(Value::Double(d)), ReferenceNumberText(d)) << std::hexfloat << d;
        ++checked;
    }
    // Subnormals, where a double has fewer bits than fifteen digits need: any bit pattern.
    std::uniform_int_distribution<std::uint64_t> subnormal(1, (std::uint64_t{1} << 52) - 1);
    for (int i = 0; i < 20000; ++i) {
        double d = 0;
        const std::uint64_t bits = subnormal(random) >> (i % 52);
        std::memcpy(&d, &bits, sizeof d);
        ASSERT_EQ(NumberText(Value::Double(d)), ReferenceNumberText(d)) << std::hexfloat << d;
    }
    double sum = 0;  // the range walk with the default step
    for (int i = 0; i < 100000; ++i, sum += 0.1)
        ASSERT_EQ(NumberText(Value::Double(sum)), ReferenceNumberText(sum)) << sum;
    EXPECT_EQ(checked, 200000);
}

TEST(ThreeDecimals, RoundsToThreePlacesWithTiesAwayFromZero) {
    const TextCase cases[] = {
        {"whole number", Value::Double(7), "7.000"},
        {"one decimal", Value::Double(7.1), "7.100"},
        {"no zero before the point", Value::Double(0.5), ".500"},
        {"negative without zero before the point", Value::Double(-0.5), "-.500"},
        {"rounded up", Value::Double(12.3456), "12.346"},
        {"Text converted first", Value::Text("10"), "10.000"},
        {"Text with blanks", Value::Text(" 10 "), "10.000"},
        {"quarter", Value::Double(0.25), ".250"},
        {"zero", Value::Double(0), ".000"},
        {"accumulated range value", Value::Double(7.9999999999999964), "8.000"},
        {"typed tie rounds up", Value::Text("7.0005"), "7.001"},
        {"negative tie rounds away from zero", Value::Text("-7.0005"), "-7.001"},
        {"tie carries through nines", Value::Double(999.9995), "1000.000"},
        {"below the tie rounds down", Value::Text("7.00049"), "7.000"},
        {"rounds up to a whole one", Value::Double(0.9996), "1.000"},
        {"rounding to zero has no minus", Value::Double(-0.0001), ".000"},
        {"no thousands separators", Value::Double(1234567.5), "1234567.500"},
        {"huge value written in full", Value::Double(1e20), "100000000000000000000.000"},
        {"beyond 15 digits the exact value decides", Value::Double(12345678901234.5678),
         "12345678901234.568"},
        {"huge value as its exact binary value", Value::Double(1e25),
         "10000000000000000905969664.000"},
        {"exact tie of sixteenths rounds away", Value::Double(0.0625), ".063"},
        {"exact tie beyond 15 digits rounds away", Value::Double(123456789012.0625),
         "123456789012.063"},
        {"negative exact tie rounds away", Value::Double(-2.1875), "-2.188"},
        {"tie at the first digit", Value::Text("0.0005"), ".001"},
        {"tiny value", Value::Double(1e-20), ".000"},
        {"Integer", Value::Integer(4), "4.000"},
    };
    for (const TextCase& c : cases) EXPECT_EQ(ThreeDecimals(c.value), c.expected) << c.name;
    EXPECT_EQ(FailureOf([] { ThreeDecimals(Value::Text("7a")); }), FailureKind::TypeMismatch);
}

TEST(NumberRules, DecimalPointIsAPointInEveryLocale) {
#if defined(OLVIMAR_COMMA_LOCALE)
    // The tests run under a comma locale (comma_locale_main.cpp): points all the same.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
#endif
    EXPECT_EQ(NumberText(Value::Double(2.5)), "2.5");
    EXPECT_EQ(ThreeDecimals(Value::Double(2.5)), "2.500");
    EXPECT_EQ(ToNumber("2.5"), 2.5);
    EXPECT_EQ(LeadingNumber("2.5"), 2.5);
    EXPECT_EQ(FailureOf([] { ToNumber("2,5"); }), FailureKind::TypeMismatch);
}

TEST(ThreeDecimals, AgreesWithExactRoundingAtEveryMagnitude) {
    // Rounded by hand to three decimals, ties away from zero: the exact binary value, all its
    // decimals written out by printf, except where the 15 digits shown are a tie themselves (as
    // 7.0005 is). Random doubles of 2^44 and more are often exact ties; from 10^10 to 10^11 the
    // fifteenth digit is the fourth decimal, so one in ten is a tie of the 15 digits.
    std::mt19937_64 random(7276);
    std::uniform_real_distribution<double> magnitude(-5, 25);
    for (int i = 0; i < 50000; ++i) {
        const double d = (i % 2 ? -1 : 1) * std::pow(10.0, magnitude(random));
        const std::string shown = ReferenceNumberText(std::fabs(d));
        const std::size_t shownPoint = shown.find('.');
        const bool shownTie = shownPoint != std::string::npos && shownPoint + 5 == shown.size() &&
                              shown.back() == '5';
        const std::string exact = shownTie ? shown : PrintfInC("%.90f", std::fabs(d));
        const std::size_t point = exact.find('.');
        std::string digits = exact.substr(0, point) + exact.substr(point + 1, 3);
        if (exact[point + 4] >= '5') {
            std::size_t k = digits.size();
            while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
            if (k == 0)
                digits.insert(0, "1");
            else
                ++digits[k - 1];
        }
        std::string expected =
            digits.substr(0, digits.size() - 3) + "." + digits.substr(digits.size() - 3);
        if (expected.rfind("0.", 0) == 0) expected.erase(0, 1);  // .500, not 0.500
        if (d < 0 && expected != ".000") expected.insert(0, "-");
        ASSERT_EQ(ThreeDecimals(Value::Double(d)), expected) << std::hexfloat << d;
    }
}

TEST(RoundHalfEven, ExactTiesGoToTheEvenNumber) {
    const struct {
        double in, out;
    } cases[] = {
        {2.5, 2},
        {3.5, 4},
        {4.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {2.4, 2},
        {2.6, 3},
        {-2.6, -3},
        {0.5, 0},
        {1.5, 2},
        {4819.0646, 4819},
        {3679.798, 3680},
        {4.499999999999999, 4},
        {1e300, 1e300},
        {4503599627370497.0, 4503599627370497.0},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(Log, IsNaturalAndRefusesZeroOrLess) {
    EXPECT_DOUBLE_EQ(Log(11.8), 2.4680995314716192);
    EXPECT_EQ(Log(1), 0);
    EXPECT_EQ(FailureOf([] { Log(0); }), FailureKind::InvalidArgument);
    EXPECT_EQ(FailureOf([] { Log(-1); }), FailureKind::InvalidArgument);
}

TEST(Arithmetic, KindsConversionsAndFailures) {
    EXPECT_EQ(Add(Value::Double(1.8), Value::Text(" 10")), Value::Double(11.8));
    EXPECT_EQ(Add(Value(), Value::Double(2)), Value::Double(2)) << "Empty counts as 0";
    EXPECT_EQ(Subtract(Value::Integer(100), Value::Double(48.18)), Value::Double(100 - 48.18));
    EXPECT_EQ(Multiply(Value::Double(0.5), Value::Integer(4)), Value::Double(2));
    EXPECT_EQ(Add(Value::Integer(2), Value::Integer(3)), Value::Integer(5));
    EXPECT_EQ(Add(Value::Integer(2), Value::Long(3)), Value::Long(5));
    EXPECT_EQ(Divide(Value::Integer(1), Value::Integer(4)), Value::Double(0.25))
        << "a division always gives a Double";
    EXPECT_EQ(Add(Value::Text("1"), Value::Text("2")), Value::Double(3)) << "never concatenated";

    EXPECT_EQ(FailureOf([] { Add(Value::Double(1), Value::Text("x")); }),
              FailureKind::TypeMismatch);
    EXPECT_EQ(FailureOf([] { Divide(Value::Double(1), Value::Double(0)); }),
              FailureKind::DivisionByZero);
    EXPECT_EQ(FailureOf([] { Divide(Value(), Value()); }), FailureKind::DivisionByZero);
    EXPECT_EQ(FailureOf([] { Multiply(Value::Double(1e300), Value::Double(1e300)); }),
              FailureKind::Overflow);
    EXPECT_EQ(FailureOf([] { Add(Value::Integer(32767), Value::Integer(1)); }),
              FailureKind::Overflow);
}

TEST(Comparison, EqualsAndTruthAndIndex) {
    EXPECT_EQ(Equals(Value(), 0), Value::Boolean(true)) << "Empty equals 0";
    EXPECT_EQ(Equals(Value(), 2), Value::Boolean(false)) << "Empty equals 0 only";
    EXPECT_EQ(Equals(Value::Integer(2), 2), Value::Boolean(true));
    EXPECT_EQ(Equals(Value::Double(2.0), 2), Value::Boolean(true));

    EXPECT_FALSE(IsTrue(Value()));
    EXPECT_FALSE(IsTrue(Value::Integer(0)));
    EXPECT_TRUE(IsTrue(Value::Integer(1)));
    EXPECT_TRUE(IsTrue(Value::Double(-0.5)));

    EXPECT_EQ(ToIndex(Value()), 0);
    EXPECT_EQ(ToIndex(Value::Integer(5)), 5);
    EXPECT_EQ(ToIndex(Value::Double(2.5)), 2) << "ties to even";
    EXPECT_EQ(ToIndex(Value::Double(3.5)), 4);
    EXPECT_EQ(FailureOf([] { ToIndex(Value::Double(40000)); }), FailureKind::Overflow);
}

TEST(Comparison, AndOfFocusTestAndLengthIsNonZeroOnlyForTwoAndAText) {
    const struct {
        Value focus;
        const char* text;
        bool append;
    } cases[] = {
        {Value::Integer(2), "7", true},
        {Value::Integer(2), "", false},
        {Value::Integer(0), "7", false},
        {Value(), "7", false},
        {Value::Integer(2), "7,8,9,10,11,12,13,14,15", true},  // an even length too
    };
    for (const auto& c : cases) {
        Value mode = And(Equals(c.focus, 2), Len(Value::Text(c.text)));
        EXPECT_EQ(IsTrue(mode), c.append) << NumberText(c.focus) << " / " << c.text;
    }
}

TEST(TextOps, ConcatLenInStr) {
    EXPECT_EQ(Concat(Value::Text("A "), Value::Double(48.19)), Value::Text("A 48.19"));
    EXPECT_EQ(Concat(Value(), Value::Integer(4)), Value::Text("4"));
    EXPECT_EQ(Len(Value()), Value::Long(0));
    EXPECT_EQ(Len(Value::Text("")), Value::Long(0));
    EXPECT_EQ(Len(Value::Double(0)), Value::Long(1));
    EXPECT_EQ(Len(Value::Double(7.276)), Value::Long(5));
    EXPECT_EQ(Len(Value::Text("机油")), Value::Long(2)) << "characters, not bytes";
    EXPECT_EQ(InStr("7-14", "-"), 2);
    EXPECT_EQ(InStr("7,10", "-"), 0);
    EXPECT_EQ(InStr("机油-5", "-"), 3);
    EXPECT_EQ(InStr("7\xef\xbc\x8c"
                    "10",
                    ","),
              0)
        << "a full-width comma is not a comma";
}

TEST(TextOps, SplitKeepsEmptyPieces) {
    const struct {
        const char* text;
        const char* separator;
        std::vector<std::string> pieces;
    } cases[] = {
        {"7,,10", ",", {"7", "", "10"}},
        {"7-", "-", {"7", ""}},
        {"-5", "-", {"", "5"}},
        {"", ",", {""}},
        {",", ",", {"", ""}},
        {"7-14-20", "-", {"7", "14", "20"}},
        {"7, 10", ",", {"7", " 10"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Split(c.text, c.separator), c.pieces) << c.text;
}

}  // namespace
}  // namespace olvimar
