// The calibrated rule against MPFR: α of two measured blends with their deviations and residuals,
// the split of a target and the viscosity of a mix, worked out to 400 bits and rounded once, on
// oils spread over every temperature and what the calibration takes. With --write FILE it
// also writes the table that the WebAssembly build checks, since it has no MPFR.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "calc/blend.h"
#include "calc/calibration.h"
#include "calc/value_ops.h"
#include "numeric/bits.h"
#include "tests/calc/mpfr_big.h"

namespace olvimar {
namespace {

Big AlphaOf(const Alpha& alpha) {
    Big ten(10);
    mpfr_pow_si(*ten, *ten, alpha.exponent, MPFR_RNDN);
    return Big(alpha.digits) * ten;
}

// The viscosity of the line's share φ.
Big OnLine(const Big& phi, const RuleOils& o) {
    const Big wA = W(o.sumA), wB = W(o.sumB);
    return Exp(Exp(wB + phi * (wA - wB))) - Big(o.c);
}
// The line's share of a mix of n hundredths under α: odds(φ) = odds(x) / α.
Big PhiOf(int n, const Big& alpha) {
    const Big odds = Big(n) / Big(10000 - n) / alpha;
    return odds / (Big(1) + odds);
}

// None (-1) for a target beyond the oils; all of A or none at an oil's own viscosity.
int MpfrHundredths(const RuleOils& o, const Alpha& alpha, double sumT) {
    if (sumT == o.sumA) return 10000;
    if (sumT == o.sumB) return 0;
    if ((sumT - o.sumA) * (sumT - o.sumB) > 0) return -1;
    const Big wA = W(o.sumA), wB = W(o.sumB), wT = W(sumT);
    const Big phi = (wT - wB) / (wA - wB);
    const Big odds = AlphaOf(alpha) * phi / (Big(1) - phi);
    return static_cast<int>(Round(Big(10000) * odds / (Big(1) + odds), MPFR_RNDN));  // to even
}

std::int64_t MpfrThousandths(const RuleOils& o, const Alpha& alpha, int n) {
    return Round(OnLine(PhiOf(n, AlphaOf(alpha)), o) * Big(1000), MPFR_RNDNA);
}

struct MpfrFit {
    Alpha alpha;
    std::int64_t deviation[2], residual[2];
};
MpfrFit FitOfTwo(const RuleOils& o, const int n[2], const double v[2]) {
    const Big wA = W(o.sumA), wB = W(o.sumB);
    Big lnAlpha(0);
    for (int i = 0; i < 2; ++i) {
        const Big phi = (W(o.c + v[i]) - wB) / (wA - wB);
        lnAlpha = lnAlpha + Log(Big(n[i]) / Big(10000 - n[i]) / (phi / (Big(1) - phi)));
    }
    const Big alpha = Exp(lnAlpha / Big(2));
    const int exponent =
        static_cast<int>(std::floor(std::log10(mpfr_get_d(*alpha, MPFR_RNDN)))) - 3;
    Big ten(10);
    mpfr_pow_si(*ten, *ten, exponent, MPFR_RNDN);
    MpfrFit fit{{static_cast<std::int32_t>(Round(alpha / ten, MPFR_RNDNA)), exponent}, {}, {}};
    if (fit.alpha.digits == 10000) fit.alpha = {1000, exponent + 1};
    for (int i = 0; i < 2; ++i) {
        const Big measured(v[i]);
        const Big rule = OnLine(Big(n[i]) / Big(10000), o);
        const Big calibrated = OnLine(PhiOf(n[i], AlphaOf(fit.alpha)), o);
        fit.deviation[i] = Round((rule - measured) / measured * Big(1000), MPFR_RNDNA);
        fit.residual[i] = Round((calibrated - measured) / measured * Big(1000), MPFR_RNDNA);
    }
    return fit;
}

std::string Percent(int n) {
    return std::to_string(n / 100) + "." + std::to_string(n / 10 % 10) + std::to_string(n % 10);
}
std::string Text(double d) {
    char s[40];
    std::snprintf(s, sizeof s, "%.17g", d);
    return s;
}

struct Case {
    char kind;  // 'S' a split, 'V' a mix, 'F' a fit of two blends
    RuleOils oils;
    double a, b;  // the viscosities
    Alpha alpha;
    double sumT;  // S: the target's sum
    int n[2];     // V: the mix; F: the blends' shares
    double v[2];  // F: the blends' viscosities
};

// Every temperature, oils log-uniform over what the calibration takes (0.001 to 10^6 cSt), α of
// four digits from 0.1 to 9.999 and, one case in five, from 10^-12 to 10^15; targets between the
// oils and, one in five, at an oil or beyond them; measured blends within 20 % of the rule's
// viscosity.
std::vector<Case> Cases() {
    const TempTable temp = BlendConstants();
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> exponent(std::log(kLeastCalibrated),
                                                    std::log(kMostCalibrated)),
        unit(0, 1);
    std::vector<Case> cases;
    for (int i = 0; cases.size() < 30000; ++i) {
        const double c = ToDouble(temp[static_cast<std::size_t>(i % 3)]);
        const double a = std::exp(exponent(random)), b = std::exp(exponent(random));
        const RuleOils o{c, c + a, c + b};
        if (o.sumA == o.sumB) continue;
        const int e = random() % 5 == 0 ? static_cast<int>(random() % 28) - 15
                                        : static_cast<int>(random() % 2) - 4;
        const Alpha alpha{static_cast<std::int32_t>(1000 + random() % 9000), e};
        double t = std::min(a, b) + unit(random) * std::abs(a - b);
        switch (random() % 10) {
            case 0:
                t = random() % 2 ? a : b;
                break;
            case 1:
                t = random() % 2 ? std::max(a, b) * (1 + unit(random))
                                 : std::min(a, b) * unit(random);
                break;
        }
        const int n0 = static_cast<int>(1 + random() % 9999),
                  n1 = static_cast<int>(1 + random() % 9999);
        switch (i % 3) {
            case 0:
                cases.push_back({'S', o, a, b, alpha, c + t, {}, {}});
                break;
            case 1:
                cases.push_back({'V', o, a, b, alpha, 0, {n0, 0}, {}});
                break;
            default: {
                double v[2];
                const int n[2] = {n0, n1};
                for (int k = 0; k < 2; ++k) {
                    const double rule = mpfr_get_d(*OnLine(Big(n[k]) / Big(10000), o), MPFR_RNDN);
                    v[k] = std::stod(Text(rule * (0.8 + 0.4 * unit(random))));
                    v[k] = std::max(std::min(a, b) * (1 + 1e-9),
                                    std::min(std::max(a, b) * (1 - 1e-9), v[k]));
                }
                cases.push_back({'F', o, a, b, {}, 0, {n0, n1}, {v[0], v[1]}});
            }
        }
    }
    return cases;
}

bool Check(const Case& k, std::string* line) {
    char s[400];
    switch (k.kind) {
        case 'S': {
            const int want = MpfrHundredths(k.oils, k.alpha, k.sumT);
            const int got = CalibratedRule(k.oils, k.alpha).Hundredths(k.sumT).value_or(-1);
            std::snprintf(s, sizeof s,
                          "S %016" PRIx64 " %016" PRIx64 " %016" PRIx64 " %d %d %016" PRIx64
                          " %d\n",
                          BitsOf(k.oils.c), BitsOf(k.oils.sumA), BitsOf(k.oils.sumB),
                          k.alpha.digits, k.alpha.exponent, BitsOf(k.sumT), want);
            *line = s;
            return got == want;
        }
        case 'V': {
            const std::int64_t want = MpfrThousandths(k.oils, k.alpha, k.n[0]);
            const std::int64_t got = BlendThousandths(k.oils, k.n[0], k.alpha);
            std::snprintf(s, sizeof s,
                          "V %016" PRIx64 " %016" PRIx64 " %016" PRIx64 " %d %d %d %" PRId64 "\n",
                          BitsOf(k.oils.c), BitsOf(k.oils.sumA), BitsOf(k.oils.sumB),
                          k.alpha.digits, k.alpha.exponent, k.n[0], want);
            *line = s;
            return got == want;
        }
        default: {
            const MpfrFit want = FitOfTwo(k.oils, k.n, k.v);
            const Fit got = FitMeasured(
                {k.oils}, {{Percent(k.n[0]), Text(k.v[0])}, {Percent(k.n[1]), Text(k.v[1])}});
            std::snprintf(s, sizeof s,
                          "F %016" PRIx64 " %016" PRIx64 " %016" PRIx64 " %d %016" PRIx64
                          " %d %016" PRIx64 " %d %d %" PRId64 " %" PRId64 " %" PRId64 " %" PRId64
                          "\n",
                          BitsOf(k.oils.c), BitsOf(k.a), BitsOf(k.b), k.n[0], BitsOf(k.v[0]),
                          k.n[1], BitsOf(k.v[1]), want.alpha.digits, want.alpha.exponent,
                          want.deviation[0], want.deviation[1], want.residual[0], want.residual[1]);
            *line = s;
            return got.alpha == want.alpha && got.blends.size() == 2 &&
                   got.blends[0].deviation == want.deviation[0] &&
                   got.blends[1].deviation == want.deviation[1] &&
                   got.blends[0].residual == want.residual[0] &&
                   got.blends[1].residual == want.residual[1];
        }
    }
}

TEST(Calibration, EveryFigureIsMpfrsRoundedOnce) {
    int wrong = 0;
    std::string line;
    for (const Case& k : Cases())
        if (!Check(k, &line) && ++wrong <= 10) ADD_FAILURE() << line;
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace olvimar

// With --write FILE: the first 3 000 cases, a line each, with MPFR's figures.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--write") {
        std::FILE* file = std::fopen(argv[2], "w");
        if (file == nullptr) return 1;
        std::fputs(
            "# The calibrated rule's figures by MPFR; see calibration_test.cpp for the rows\n",
            file);
        const std::vector<olvimar::Case> cases = olvimar::Cases();
        std::string line;
        for (std::size_t i = 0; i < 3000; ++i) {
            olvimar::Check(cases[i], &line);
            std::fputs(line.c_str(), file);
        }
        return std::fclose(file) == 0 ? 0 : 1;
    }
    return RUN_ALL_TESTS();
}
