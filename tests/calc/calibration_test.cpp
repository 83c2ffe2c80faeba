// The calibrated rule: α from measured blends, the split it gives a target and the viscosity it
// gives a mix, on hand-worked rows and on the table of MPFR's figures that the WebAssembly build
// checks as well.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "calc/calibration.h"
#include "numeric/bits.h"

namespace olvimar {
namespace {

const RuleOils kWorked{1.8, 1.8 + 7.276, 1.8 + 13.69};  // 0w20 and 0w40 at 100 degrees

TEST(Calibration, FitsFromMeasuredBlends) {
    using F = MeasuredFault;
    const struct {
        const char* name;
        std::vector<MeasuredBlend> blends;
        const char* alpha;                                // "" for none
        std::vector<std::int64_t> deviations, residuals;  // per mille, of the blends that count
        std::vector<std::optional<F>> faults;
    } rows[] = {
        {"one blend: 50 % at 10.2 cSt", {{"50", "10.2"}}, "1.219", {-31}, {}, {{}}},
        {"two blends: the geometric mean, and residuals",
         {{"50", "10.2"}, {"30", "11.4"}},
         "1.167",
         {-31, -15},
         {-7, 6},
         {{}, {}}},
        {"a blend at the rule's own viscosity gives the rule",
         {{"50", "9.88641908722"}},
         "1.000",
         {0},
         {},
         {{}}},
        {"a blend at the rule's rounded viscosity is a hair off it",
         {{"50", "9.886"}},
         "0.9997",
         {0},
         {},
         {{}}},
        {"a blend thinner than the rule makes alpha below 1",
         {{"50", "9.6"}},
         "0.8290",
         {30},
         {},
         {{}}},
        {"a share with blanks and at the limits' inside",
         {{" 0.01 ", "13.68"}, {"99.99", "7.28"}},
         "0.9205",
         {1, 0},
         {1, 0},
         {{}, {}}},
        {"shares at and beyond 0 and 100 do not count",
         {{"0", "10"}, {"100", "10"}, {"-5", "10"}, {"100.5", "10"}},
         "",
         {},
         {},
         {F::PercentOutside, F::PercentOutside, F::PercentOutside, F::PercentOutside}},
        {"a share of three decimals, or no number, does not count",
         {{"50.125", "10"}, {"half", "10"}, {"", "10"}},
         "",
         {},
         {},
         {F::PercentNotANumber, F::PercentNotANumber, F::PercentNotANumber}},
        {"viscosities at the oils' own, beyond them or no number do not count",
         {{"50", "7.276"}, {"50", "13.69"}, {"50", "15"}, {"50", "5"}, {"50", "x"}, {"50", "0"}},
         "",
         {},
         {},
         {F::ViscosityOutside, F::ViscosityOutside, F::ViscosityOutside, F::ViscosityOutside,
          F::ViscosityNotANumber, F::ViscosityOutside}},
        {"a blend that does not count leaves the others their fit",
         {{"50", "15"}, {"50", "10.2"}},
         "1.219",
         {-31},
         {},
         {F::ViscosityOutside, {}}},
    };
    for (const auto& r : rows) {
        const Fit fit = FitMeasured({kWorked}, r.blends);
        EXPECT_EQ(fit.alpha ? AlphaText(*fit.alpha) : "", r.alpha) << r.name;
        ASSERT_EQ(fit.blends.size(), r.blends.size()) << r.name;
        std::vector<std::int64_t> deviations, residuals;
        for (std::size_t i = 0; i < fit.blends.size(); ++i) {
            const CheckedBlend& b = fit.blends[i];
            EXPECT_EQ(b.fault, r.faults[i]) << r.name << ", blend " << i;
            if (b.fault) continue;
            deviations.push_back(b.deviation);
            if (b.residual) residuals.push_back(*b.residual);
        }
        EXPECT_EQ(deviations, r.deviations) << r.name;
        EXPECT_EQ(residuals, r.residuals) << r.name;
    }
}

// Oils the rule cannot be calibrated on: each blend says why, by its own reason.
TEST(Calibration, NoOilsNoFit) {
    using F = MeasuredFault;
    const struct {
        const char* name;
        const char *a, *b;
        std::optional<F> fault;  // none where the rule can be calibrated on them
    } rows[] = {
        {"the worked example's oils", "7.276", "13.69", {}},
        {"the same oil twice", "10", "10.0", F::OilsSame},
        {"an oil that is no number", "10", "ten", F::OilsUnknown},
        {"an oil of no viscosity", "0", "10", F::OilOutside},
        {"the thinnest and the thickest oil taken", "0.001", "1000000", {}},
        {"thinner than that", "0.0009", "10", F::OilOutside},
        {"thicker than that", "10", "1000001", F::OilOutside},
    };
    for (const auto& r : rows) {
        const CalibratedOils oils = CalibratableOils(1.8, r.a, r.b);
        EXPECT_EQ(oils.oils.has_value(), !r.fault) << r.name;
        // 12 cSt lies between every pair of oils that can be calibrated.
        EXPECT_EQ(FitMeasured(oils, {{"50", "12"}}).blends.at(0).fault, r.fault) << r.name;
    }
}

// A 0.2 and B 14.2 at 100 degrees have the sums 2 and 16, so 2.2 cSt (sum 4) lies halfway
// between them, exactly: measured at 87.2 % it gives α = 0.872 / 0.128 = 6.8125, an exact tie.
TEST(Calibration, AlphaOfAnExactTieGoesAwayFromZero) {
    const Fit fit = FitMeasured({RuleOils{1.8, 2, 16}}, {{"87.2", "2.2"}});
    ASSERT_TRUE(fit.alpha.has_value());
    EXPECT_EQ(AlphaText(*fit.alpha), "6.813");
}

TEST(Calibration, SplitsAndViscosities) {
    const Alpha worked{1219, -3}, rule{1000, -3};
    const RuleOils powers{1.8, 2, 16};  // W(4) lies halfway between W(2) and W(16), exactly
    const struct {
        const char* name;
        RuleOils oils;
        Alpha alpha;
        double target;
        std::optional<int> hundredths;
    } splits[] = {
        {"the worked example: 10 cSt needs 53.14 %", kWorked, worked, 10, 5314},
        {"alpha 1 is the rule's 48.19 %", kWorked, rule, 10, 4819},
        {"A's own viscosity is all of A", kWorked, worked, 7.276, 10000},
        {"B's own viscosity is none of it", kWorked, worked, 13.69, 0},
        {"thicker than B cannot be made", kWorked, worked, 15, std::nullopt},
        {"thinner than A cannot be made", kWorked, worked, 7, std::nullopt},
        {"B the thinner oil", {1.8, 1.8 + 13.69, 1.8 + 7.276}, Alpha{8203, -4}, 10, 4686},
        // x = 31/32 exactly, 10000 x = 9687.5: the tie goes to the even hundredth.
        {"an exact tie goes to the even one", powers, Alpha{3100, -2}, 2.2, 9688},
    };
    for (const auto& s : splits)
        EXPECT_EQ(CalibratedRule(s.oils, s.alpha).Hundredths(s.oils.c + s.target), s.hundredths)
            << s.name;
    // A hair inside an oil the doubles cannot decide: the exact share, all of A or none of it.
    const CalibratedRule calibrated(kWorked, worked);
    EXPECT_EQ(calibrated.Hundredths(std::nextafter(kWorked.sumA, kWorked.sumB)), 10000);
    EXPECT_EQ(calibrated.Hundredths(std::nextafter(kWorked.sumB, kWorked.sumA)), 0);
    // Sums a unit apart on either side of a half hundredth, within 10^-11 of it (MPFR's margins
    // in hundredths in the comments): the doubles cannot tell which side, the exact share can.
    const struct {
        double sum;
        int hundredths;
    } hard[] = {
        {0x1.7ffc525c8a542p+3, 5001},  // +2.5e-12
        {0x1.7ffc525c8a543p+3, 5000},  // -2.6e-13
        {0x1.799a6156b0e38p+3, 5314},  // +2.6e-12
        {0x1.799a6156b0e39p+3, 5313},  // -2.3e-13
        {0x1.b58763928d557p+3, 2501},  // +2.5e-12
        {0x1.b58763928d558p+3, 2500},  // -1.6e-14
    };
    for (const auto& h : hard) EXPECT_EQ(calibrated.Hundredths(h.sum), h.hundredths) << h.sum;

    const struct {
        const char* name;
        Alpha alpha;
        int hundredths;
        std::int64_t thousandths;
    } mixes[] = {
        {"53.14 % gives the target back", worked, 5314, 10000},
        {"50 % gives the measured 10.2", worked, 5000, 10200},
        {"alpha 1 is the rule's 9.886 at 50 %", rule, 5000, 9886},
        {"all A is A", worked, 10000, 7276},
        {"none of A is B", worked, 0, 13690},
    };
    for (const auto& m : mixes)
        EXPECT_EQ(BlendThousandths(kWorked, m.hundredths, m.alpha), m.thousandths) << m.name;
}

TEST(Calibration, AlphaAndSharesAsWritten) {
    const struct {
        Alpha alpha;
        const char* text;
    } rows[] = {{{1219, -3}, "1.219"},  {{8500, -4}, "0.8500"},    {{1200, -2}, "12.00"},
                {{1234, 3}, "1234000"}, {{1234, -7}, "0.0001234"}, {{1000, -3}, "1.000"}};
    for (const auto& r : rows) EXPECT_EQ(AlphaText(r.alpha), r.text);
}

// The kept table: "S c sumA sumB digits exponent sumT hundredths" for a split (-1 for none),
// "V c sumA sumB digits exponent hundredths thousandths" for a mix, and "F c A B n1 V1 n2 V2
// digits exponent deviation1 deviation2 residual1 residual2" for a fit of two blends; the doubles
// as their bits.
TEST(Calibration, TheSameFiguresAsMpfrOnTheKeptTable) {
    std::FILE* file = std::fopen(OLVIMAR_CALIBRATION_CASES, "r");
    ASSERT_NE(file, nullptr) << OLVIMAR_CALIBRATION_CASES;
    char line[400];
    int rows = 0, wrong = 0;
    while (std::fgets(line, sizeof line, file) != nullptr) {
        std::uint64_t c = 0, a = 0, b = 0, t = 0, v1 = 0, v2 = 0;
        int digits = 0, exponent = 0, n1 = 0, n2 = 0;
        std::int64_t want = 0, d1 = 0, d2 = 0, r1 = 0, r2 = 0;
        bool right = true;
        if (std::sscanf(line, "S %" SCNx64 " %" SCNx64 " %" SCNx64 " %d %d %" SCNx64 " %" SCNd64,
                        &c, &a, &b, &digits, &exponent, &t, &want) == 7) {
            const std::optional<int> got =
                CalibratedRule({DoubleOf(c), DoubleOf(a), DoubleOf(b)}, {digits, exponent})
                    .Hundredths(DoubleOf(t));
            right = got.value_or(-1) == want;
        } else if (std::sscanf(line, "V %" SCNx64 " %" SCNx64 " %" SCNx64 " %d %d %d %" SCNd64, &c,
                               &a, &b, &digits, &exponent, &n1, &want) == 7) {
            right = BlendThousandths({DoubleOf(c), DoubleOf(a), DoubleOf(b)}, n1,
                                     {digits, exponent}) == want;
        } else if (std::sscanf(line,
                               "F %" SCNx64 " %" SCNx64 " %" SCNx64 " %d %" SCNx64 " %d %" SCNx64
                               " %d %d %" SCNd64 " %" SCNd64 " %" SCNd64 " %" SCNd64,
                               &c, &a, &b, &n1, &v1, &n2, &v2, &digits, &exponent, &d1, &d2, &r1,
                               &r2) == 13) {
            const double cd = DoubleOf(c);
            const auto percent = [](int n) {
                return std::to_string(n / 100) + "." + std::to_string(n / 10 % 10) +
                       std::to_string(n % 10);
            };
            const auto text = [](std::uint64_t bits) {
                char s[40];
                std::snprintf(s, sizeof s, "%.17g", DoubleOf(bits));
                return std::string(s);
            };
            const Fit fit = FitMeasured({RuleOils{cd, cd + DoubleOf(a), cd + DoubleOf(b)}},
                                        {{percent(n1), text(v1)}, {percent(n2), text(v2)}});
            right = fit.alpha == Alpha{digits, exponent} && fit.blends.size() == 2 &&
                    fit.blends[0].deviation == d1 && fit.blends[1].deviation == d2 &&
                    fit.blends[0].residual == r1 && fit.blends[1].residual == r2;
        } else {
            continue;
        }
        ++rows;
        if (!right && ++wrong <= 10) ADD_FAILURE() << line;
    }
    std::fclose(file);
    EXPECT_EQ(rows, 3000);
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace olvimar
