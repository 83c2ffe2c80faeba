// The viscosity of a blend against MPFR: the rule worked out to 400 bits and rounded once to
// thousandths, on mixes spread over every temperature, viscosities from 0.01 to 10^9 cSt and every
// share of A. With --write FILE it also writes the table of mixes and their thousandths that the
// WebAssembly build checks, since it has no MPFR.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "calc/blend.h"
#include "calc/blend_viscosity.h"
#include "calc/value_ops.h"
#include "numeric/bits.h"

namespace olvimar {
namespace {

struct Mix {
    double c, a, b;  // the constant and the two viscosities
    int hundredths;
};

// exp(ln(c + A)^x ln(c + B)^(1 - x)) - c, x = n / 10000, to thousandths, a tie away from zero.
std::int64_t MpfrThousandths(const Mix& m) {
    mpfr_t la, lb, v;
    mpfr_inits2(400, la, lb, v, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(la, m.c + m.a, MPFR_RNDN);  // the double sum, as the record has it
    mpfr_log(la, la, MPFR_RNDN);
    mpfr_log(la, la, MPFR_RNDN);
    mpfr_set_d(lb, m.c + m.b, MPFR_RNDN);
    mpfr_log(lb, lb, MPFR_RNDN);
    mpfr_log(lb, lb, MPFR_RNDN);
    mpfr_mul_ui(la, la, static_cast<unsigned long>(m.hundredths), MPFR_RNDN);
    mpfr_mul_ui(lb, lb, static_cast<unsigned long>(10000 - m.hundredths), MPFR_RNDN);
    mpfr_add(v, la, lb, MPFR_RNDN);
    mpfr_div_ui(v, v, 10000, MPFR_RNDN);
    mpfr_exp(v, v, MPFR_RNDN);
    mpfr_exp(v, v, MPFR_RNDN);
    mpfr_sub_d(v, v, m.c, MPFR_RNDN);
    mpfr_mul_ui(v, v, 1000, MPFR_RNDN);
    mpfr_round(v, v);  // half away from zero
    const auto thousandths = static_cast<std::int64_t>(mpfr_get_si(v, MPFR_RNDN));  // 64 bits
    mpfr_clears(la, lb, v, static_cast<mpfr_ptr>(nullptr));
    return thousandths;
}

// Every temperature's constant; the ends of the chart's range of viscosities and a spread between,
// log-uniform; every share, the ends included.
std::vector<Mix> Mixes() {
    const TempTable temp = BlendConstants();
    std::vector<Mix> mixes;
    for (const Value& c : temp) {
        for (const int n : {0, 1, 4819, 5000, 9999, 10000}) {
            mixes.push_back({ToDouble(c), 7.276, 13.69, n});
            mixes.push_back({ToDouble(c), 1e9, 0.01, n});
        }
    }
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> exponent(std::log(0.01), std::log(1e9));
    for (int i = 0; i < 30000; ++i)
        mixes.push_back({ToDouble(temp[static_cast<std::size_t>(i % 3)]),
                         std::exp(exponent(random)), std::exp(exponent(random)),
                         static_cast<int>(random() % 10001)});
    return mixes;
}

TEST(BlendViscosity, EveryMixIsMpfrsToTheThousandth) {
    int wrong = 0;
    for (const Mix& m : Mixes()) {
        const std::int64_t want = MpfrThousandths(m);
        const std::int64_t got = BlendThousandths({m.c, m.c + m.a, m.c + m.b}, m.hundredths);
        if (got != want && ++wrong <= 10)
            ADD_FAILURE() << std::hexfloat << "c " << m.c << ", A " << m.a << ", B " << m.b << ", "
                          << m.hundredths << ": " << got << ", MPFR " << want;
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace olvimar

// With --write FILE: 3 000 rows "c A B hundredths thousandths", the doubles as bits.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--write") {
        const std::vector<olvimar::Mix> mixes = olvimar::Mixes();
        std::FILE* file = std::fopen(argv[2], "w");
        if (file == nullptr) return 1;
        std::fputs(
            "# c, A and B as the bits of doubles, the share of A in hundredths of a percent,\n"
            "# and the blend's viscosity in thousandths of a cSt (MPFR's)\n",
            file);
        for (std::size_t i = 0; i < 3000; ++i) {
            const olvimar::Mix& m = mixes[i];
            std::fprintf(file, "%016" PRIx64 " %016" PRIx64 " %016" PRIx64 " %d %" PRId64 "\n",
                         olvimar::BitsOf(m.c), olvimar::BitsOf(m.a), olvimar::BitsOf(m.b),
                         m.hundredths, olvimar::MpfrThousandths(m));
        }
        return std::fclose(file) == 0 ? 0 : 1;
    }
    return RUN_ALL_TESTS();
}
