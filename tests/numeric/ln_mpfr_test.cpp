// The correctly rounded logarithm against MPFR, bit for bit: a million doubles spread over the
// whole positive range, near 1 and near every power of two; both edges of every table entry; the
// hardest to round (tests/numeric/ln_hard_cases.txt). On the same arguments it measures the margins
// that the rounding rests on: the quick phase's error against its bound, the exact phase's
// against its own, the exact square and the table's constants. With --write FILE it also writes
// the table of arguments and results that the WebAssembly build checks, since it has no MPFR.
#include <gmp.h>
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "numeric/bits.h"
#include "numeric/ln.h"
#include "numeric/ln_detail.h"
#include "numeric/ln_table.h"

namespace olvimar {
namespace {

using ln_detail::DD;

std::uint64_t Bits(double d) {
    return BitsOf(d);
}
double Double(std::uint64_t b) {
    return DoubleOf(b);
}

// An MPFR number of 256 bits, or fewer where that is enough for what it measures.
class Exact {
  public:
    explicit Exact(mpfr_prec_t bits = 256) { mpfr_init2(v, bits); }
    ~Exact() { mpfr_clear(v); }
    Exact(const Exact&) = delete;
    Exact& operator=(const Exact&) = delete;
    mpfr_t v;
};

// |a - b|, and |a - b| / |b| where b is not zero.
double AbsoluteError(const mpfr_t a, const mpfr_t b) {
    Exact d;
    mpfr_sub(d.v, a, b, MPFR_RNDN);
    return std::abs(mpfr_get_d(d.v, MPFR_RNDN));
}
double RelativeError(const mpfr_t a, const mpfr_t b) {
    Exact d;
    mpfr_sub(d.v, a, b, MPFR_RNDN);
    if (!mpfr_zero_p(b)) mpfr_div(d.v, d.v, b, MPFR_RNDN);
    return std::abs(mpfr_get_d(d.v, MPFR_RNDN));
}

void SetFixed(mpfr_t out, const Fixed& f) {
    mpz_t z;
    mpz_init(z);
    mpz_import(z, Fixed::kWords, -1, sizeof(std::uint32_t), 0, 0, f.words().data());
    if (f.words().back() >> 31) {  // two's complement: less 2^224
        mpz_t top;
        mpz_init_set_ui(top, 1);
        mpz_mul_2exp(top, top, 32 * Fixed::kWords);
        mpz_sub(z, z, top);
        mpz_clear(top);
    }
    mpfr_set_z(out, z, MPFR_RNDN);  // exact: 224 bits fit in 256
    mpfr_div_2ui(out, out, Fixed::kFraction, MPFR_RNDN);
    mpz_clear(z);
}

// The arguments whose ln lies closest to a midpoint between two doubles, as the search of
// tools/ln_hard_cases.cpp found them: x and its correctly rounded ln, as bits.
std::vector<std::pair<double, double>> HardCases() {
    std::vector<std::pair<double, double>> cases;
    std::FILE* file = std::fopen(OLVIMAR_LN_HARD_CASES, "r");
    if (file == nullptr) return cases;
    char line[160];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        std::uint64_t x = 0, ln = 0;
        if (line[0] != '#' && std::sscanf(line, "%" SCNx64 " %" SCNx64, &x, &ln) == 2)
            cases.emplace_back(Double(x), Double(ln));
    }
    std::fclose(file);
    return cases;
}

// The arguments: table edges, the hardest cases, then the random spread. The first 40 008 and the
// layout after them are what --write keeps.
std::vector<double> Arguments() {
    std::vector<double> xs = {
        0x1.62a88613629b6p678,  // ln has 65 zeros after its 53 bits: the hardest known
        1.0,
        0x1p-1074,
        0x1.fffffffffffffp-1023,
        0x1p-1022,
        0x1.fffffffffffffp1023,
        2.0,
        0.5,
    };
    // Next to 1, x = 1 + j 2^-52 and 1 - j 2^-53: ln x = e - e^2/2 + e^3/3 lands near a midpoint
    // between two doubles for many j (1 + 6 2^-52 is 48 bits from one).
    for (std::uint64_t j = 1; j <= 20000; ++j) {
        xs.push_back(Double(Bits(1.0) + j));
        xs.push_back(Double(Bits(1.0) - j));
    }
    // Both edges of every entry, at several powers of two and subnormal.
    for (std::uint64_t i = 0; i <= 128; ++i) {
        const std::uint64_t edge = 0x3fe6000000000000 + (i << 45);
        for (const int k : {0, 1, -1, 52, -600, 1000, -1022}) {
            for (const std::int64_t step : {-1, 0, 1}) {
                const double z = Double(edge + static_cast<std::uint64_t>(step));
                xs.push_back(std::ldexp(z, k));
            }
        }
        xs.push_back(Double(edge >> 20));  // subnormal, with the same leading bits
    }
    std::mt19937_64 random(20261207);
    for (int n = 0; n < 1000000; ++n) {
        switch (n % 3) {
            case 0:  // anywhere
                xs.push_back(Double(1 + random() % 0x7fefffffffffffff));
                break;
            case 1:  // near 1, at every scale
                xs.push_back(1 + std::ldexp(static_cast<double>(random() >> 11),
                                            -53 - static_cast<int>(random() % 60)) *
                                     (random() & 1 ? 1 : -0.5));
                break;
            default:  // near a power of two
                xs.push_back(std::ldexp(1 + std::ldexp(static_cast<double>(random() >> 11),
                                                       -53 - static_cast<int>(random() % 50)) *
                                                (random() & 1 ? 1 : -0.5),
                                        static_cast<int>(random() % 2098) - 1074));
        }
    }
    for (const auto& [x, ln] : HardCases()) xs.push_back(x);
    return xs;
}

// The table's constants to the precision the phases use: every entry's logc is -ln(invc) within
// 2^-159 |logc| and keeps t within 2^-7; ln 2 in fixed point is ln 2 to the last bit of the
// exact phase, its first word has 42 bits so that k times it is exact, and its first two are ln 2
// within the quick phase's 2^-100.
TEST(Ln, TheTableHoldsWhatItSays) {
    Exact exact, sum;
    for (std::uint64_t i = 0; i < 128; ++i) {
        const ln_table::Entry& e = ln_table::kTable[i];
        mpfr_set_d(exact.v, e.invc, MPFR_RNDN);
        mpfr_log(exact.v, exact.v, MPFR_RNDN);
        mpfr_neg(exact.v, exact.v, MPFR_RNDN);
        mpfr_set_d(sum.v, e.logcHi, MPFR_RNDN);
        mpfr_add_d(sum.v, sum.v, e.logcMid, MPFR_RNDN);
        mpfr_add_d(sum.v, sum.v, e.logcLo, MPFR_RNDN);
        EXPECT_LT(RelativeError(sum.v, exact.v), 0x1p-159) << "entry " << i;
        const double lo = Double(0x3fe6000000000000 + (i << 45));
        const double hi = i == 127 ? 1.375 : Double(0x3fe6000000000000 + ((i + 1) << 45));
        EXPECT_LE(std::abs(lo * e.invc - 1), 0x1p-7) << "entry " << i;
        EXPECT_LE(std::abs(hi * e.invc - 1), 0x1p-7) << "entry " << i;
    }

    mpfr_const_log2(exact.v, MPFR_RNDN);
    Fixed ln2;
    for (const double part : ln_table::kLn2) ln2 = ln2 + Fixed(part);
    SetFixed(sum.v, ln2);
    EXPECT_LE(RelativeError(sum.v, exact.v), 0x1p-191) << "ln 2 in the exact phase";
    mpfr_set_d(sum.v, ln_table::kLn2[0], MPFR_RNDN);
    mpfr_add_d(sum.v, sum.v, ln_table::kLn2[1], MPFR_RNDN);
    EXPECT_LE(RelativeError(sum.v, exact.v), 0x1p-100) << "ln 2 in the quick phase";
    EXPECT_EQ(Bits(ln_table::kLn2[0]) & ((1ULL << 11) - 1), 0u) << "more than 42 bits";
}

TEST(Ln, EveryResultIsMpfrsToTheBitWithinItsPhasesMargins) {
    const std::vector<double> xs = Arguments();
    // The kept table of hard cases holds MPFR's results, which ln_test checks in both builds.
    const std::vector<std::pair<double, double>> hard = HardCases();
    ASSERT_GE(hard.size(), 1000u) << OLVIMAR_LN_HARD_CASES;
    for (const auto& [x, ln] : hard) {
        Exact v(53);
        mpfr_set_d(v.v, x, MPFR_RNDN);
        mpfr_log(v.v, v.v, MPFR_RNDN);
        EXPECT_EQ(Bits(mpfr_get_d(v.v, MPFR_RNDN)), Bits(ln)) << std::hexfloat << x;
    }
    std::size_t exactPhase = 0, wrong = 0, overQuick = 0, overExact = 0, inexactSquares = 0;
    double worstQuick = 0, worstExact = 0, worstQuickAt = 0, worstExactAt = 0, worstNearOne = 0;
    // 128 bits measure the quick phase's error to 2^-120; the exact phase's needs all 256.
    Exact exact(128), fromMpfr, exact256, got(128), square(128);
    for (std::size_t n = 0; n < xs.size(); ++n) {
        const double x = xs[n];
        mpfr_set_d(exact.v, x, MPFR_RNDN);
        mpfr_log(exact.v, exact.v, MPFR_RNDN);
        // Rounded once more, and right: no ln x lies within 2^-128 |ln x| of a midpoint.
        const double want = mpfr_get_d(exact.v, MPFR_RNDN);
        const std::optional<double> quick = ln_detail::LnQuick(x);
        if (!quick) ++exactPhase;

        // The quick phase's error, where x is finite and not 1.
        if (x != 1 && x <= 0x1.fffffffffffffp1023) {
            const DD q = ln_detail::QuickSum(x);
            mpfr_set_d(got.v, q.hi, MPFR_RNDN);
            mpfr_add_d(got.v, got.v, q.lo, MPFR_RNDN);
            const double error = RelativeError(got.v, exact.v);
            if (error > ln_detail::kQuickBound && ++overQuick <= 10)
                ADD_FAILURE() << std::hexfloat << "quick phase on " << x << ": off by " << error;
            if (error > worstQuick) worstQuick = error, worstQuickAt = x;
        }
        // The exact phase on its own too: on every argument that needs it, and on many others.
        const bool checkExact = !quick || n % 50 == 0 || n < 50000;
        if (checkExact) {
            mpfr_set_d(fromMpfr.v, x, MPFR_RNDN);
            mpfr_log(fromMpfr.v, fromMpfr.v, MPFR_RNDN);
            SetFixed(exact256.v, ln_detail::LnExactFixed(x));  // the phase's value, exactly
            const double error = AbsoluteError(exact256.v, fromMpfr.v);
            const double ln = std::abs(want);
            if (error > ln_detail::kExactBound * ln + ln_detail::kExactFloor && ++overExact <= 10)
                ADD_FAILURE() << std::hexfloat << "exact phase on " << x << ": off by " << error;
            if (ln > 0x1p-30 && error / ln > worstExact) worstExact = error / ln, worstExactAt = x;
            if (ln <= 0x1p-30) worstNearOne = std::max(worstNearOne, error);
        }
        if (Bits(Ln(x)) != Bits(want) ||
            (checkExact && Bits(ln_detail::LnExact(x)) != Bits(want))) {
            if (++wrong <= 10)
                ADD_FAILURE() << std::hexfloat << "ln " << x << ": " << Ln(x) << " (exact phase "
                              << ln_detail::LnExact(x) << "), MPFR " << want;
        }
        // The square of a reduced argument's size, exactly: hi + lo is a^2 to the last bit.
        int e = 0;
        const double a = std::ldexp(std::frexp(x, &e), -7 - static_cast<int>(n % 40));
        const DD s = ln_detail::ExactSquare(a);
        mpfr_set_d(square.v, a, MPFR_RNDN);
        mpfr_sqr(square.v, square.v, MPFR_RNDN);  // exact in 106 bits
        mpfr_sub_d(square.v, square.v, s.hi, MPFR_RNDN);
        mpfr_sub_d(square.v, square.v, s.lo, MPFR_RNDN);
        if (!mpfr_zero_p(square.v) && ++inexactSquares <= 10)
            ADD_FAILURE() << std::hexfloat << "the square of " << a << " is not exact";
    }
    EXPECT_EQ(wrong, 0u);
    // A bound that is far from the errors it bounds sends arguments to the exact phase for nothing.
    EXPECT_GT(worstQuick, ln_detail::kQuickBound / 64) << "the quick phase's bound is loose";
    std::printf(
        "ln: %zu arguments, the exact phase ran for %zu (%.3f %%)\n"
        "    quick phase: largest error 2^%.2f |ln x| (at %a), %.3f of its bound 2^%.0f\n"
        "    exact phase: largest error 2^%.2f |ln x| where |ln x| > 2^-30 (at %a), bound 2^%.0f;\n"
        "                 largest error 2^%.2f where |ln x| <= 2^-30, floor 2^%.0f\n",
        xs.size(), exactPhase,
        100.0 * static_cast<double>(exactPhase) / static_cast<double>(xs.size()),
        std::log2(worstQuick), worstQuickAt, worstQuick / ln_detail::kQuickBound,
        std::log2(ln_detail::kQuickBound), std::log2(worstExact), worstExactAt,
        std::log2(ln_detail::kExactBound), std::log2(worstNearOne),
        std::log2(ln_detail::kExactFloor));
}

}  // namespace
}  // namespace olvimar

// With --write FILE: 10 000 rows "x ln(x)" as bits, for the WebAssembly build's test.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--write") {
        const std::vector<double> xs = olvimar::Arguments();
        std::FILE* file = std::fopen(argv[2], "w");
        if (file == nullptr) return 1;
        std::fputs("# x and its correctly rounded ln, as the bits of two doubles (MPFR's)\n", file);
        // The hardest and the edges of the range, 3 000 next to 1, every table edge, and the
        // first of the spread, 10 000 in all.
        std::vector<double> rows(xs.begin(), xs.begin() + 3008);
        rows.insert(rows.end(), xs.begin() + 40008, xs.begin() + 40008 + 129 * 22);
        rows.insert(rows.end(), xs.begin() + 40008 + 129 * 22,
                    xs.begin() + 40008 + 129 * 22 + (10000 - rows.size()));
        for (const double x : rows) {
            mpfr_t v;
            mpfr_init2(v, 53);
            mpfr_set_d(v, x, MPFR_RNDN);
            mpfr_log(v, v, MPFR_RNDN);
            std::fprintf(file, "%016" PRIx64 " %016" PRIx64 "\n", olvimar::Bits(x),
                         olvimar::Bits(mpfr_get_d(v, MPFR_RNDN)));
            mpfr_clear(v);
        }
        return std::fclose(file) == 0 ? 0 : 1;
    }
    return RUN_ALL_TESTS();
}
