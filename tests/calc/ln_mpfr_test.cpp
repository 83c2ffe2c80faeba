// The correctly rounded logarithm against MPFR, bit for bit: a million doubles spread over the
// whole positive range, near 1 and near every power of two; both edges of every table entry; the
// hardest to round. With --write FILE it also writes the table of arguments and results that the
// WebAssembly build checks, since it has no MPFR.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "calc/ln.h"
#include "calc/ln_table.h"

namespace olvimar {
namespace {

std::uint64_t Bits(double d) {
    return BitsOf(d);
}
double Double(std::uint64_t b) {
    return DoubleOf(b);
}

double MpfrLn(double x) {
    mpfr_t v;
    mpfr_init2(v, 53);
    mpfr_set_d(v, x, MPFR_RNDN);
    mpfr_log(v, v, MPFR_RNDN);  // to 53 bits, correctly rounded
    const double ln = mpfr_get_d(v, MPFR_RNDN);
    mpfr_clear(v);
    return ln;
}

// The arguments: table edges, the hardest cases, then the random spread.
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
    return xs;
}

// The table itself: every entry's logc is -ln(invc) to 159 bits, and invc keeps t within 2^-7.
TEST(Ln, TheTableHoldsWhatItSays) {
    mpfr_t exact, sum;
    mpfr_inits2(400, exact, sum, static_cast<mpfr_ptr>(nullptr));
    for (std::uint64_t i = 0; i < 128; ++i) {
        const ln_table::Entry& e = ln_table::kTable[i];
        mpfr_set_d(exact, e.invc, MPFR_RNDN);
        mpfr_log(exact, exact, MPFR_RNDN);
        mpfr_neg(exact, exact, MPFR_RNDN);
        mpfr_set_d(sum, e.logcHi, MPFR_RNDN);
        mpfr_add_d(sum, sum, e.logcMid, MPFR_RNDN);
        mpfr_add_d(sum, sum, e.logcLo, MPFR_RNDN);
        mpfr_sub(sum, sum, exact, MPFR_RNDN);
        if (!mpfr_zero_p(exact)) {
            mpfr_div(sum, sum, exact, MPFR_RNDN);
            EXPECT_LT(std::abs(mpfr_get_d(sum, MPFR_RNDN)), 0x1p-159) << "entry " << i;
        }
        const double lo = Double(0x3fe6000000000000 + (i << 45));
        const double hi = i == 127 ? 1.375 : Double(0x3fe6000000000000 + ((i + 1) << 45));
        EXPECT_LE(std::abs(lo * e.invc - 1), 0x1p-7) << "entry " << i;
        EXPECT_LE(std::abs(hi * e.invc - 1), 0x1p-7) << "entry " << i;
    }
    mpfr_clears(exact, sum, static_cast<mpfr_ptr>(nullptr));
}

TEST(Ln, EveryResultIsMpfrsToTheBit) {
    const std::vector<double> xs = Arguments();
    std::size_t exactPhase = 0, wrong = 0;
    for (std::size_t n = 0; n < xs.size(); ++n) {
        const double x = xs[n];
        const double want = MpfrLn(x);
        const std::optional<double> quick = LnQuick(x);
        if (!quick) ++exactPhase;
        // The exact phase on its own too: on every argument that needs it, and on many others.
        const bool checkExact = !quick || n % 50 == 0 || n < 50000;
        if (Bits(Ln(x)) != Bits(want) || (checkExact && Bits(LnExact(x)) != Bits(want))) {
            if (++wrong <= 10)
                ADD_FAILURE() << std::hexfloat << "ln " << x << ": " << Ln(x) << " (exact phase "
                              << LnExact(x) << "), MPFR " << want;
        }
    }
    EXPECT_EQ(wrong, 0u);
    std::printf("ln: %zu arguments, the exact phase ran for %zu (%.3f %%)\n", xs.size(), exactPhase,
                100.0 * static_cast<double>(exactPhase) / static_cast<double>(xs.size()));
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
            std::fprintf(file, "%016" PRIx64 " %016" PRIx64 "\n", olvimar::Bits(x),
                         olvimar::Bits(olvimar::MpfrLn(x)));
        }
        return std::fclose(file) == 0 ? 0 : 1;
    }
    return RUN_ALL_TESTS();
}
