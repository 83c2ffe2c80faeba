// The correctly rounded logarithm on the arguments whose results MPFR gave: 10 000 of them (the
// hardest known, next to 1, every table edge, a spread over the whole range) and those whose ln
// lies closest to a rounding boundary. The same bits on every platform, also where no MPFR is at
// hand, as in the WebAssembly build. Outside its domain it answers as std::log does.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "numeric/bits.h"
#include "numeric/ln.h"

namespace olvimar {
namespace {

// Checks Ln on every row "x ln(x)" (bits) of `path`; the number of rows.
int CheckTable(const char* path) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        ADD_FAILURE() << path;
        return 0;
    }
    char line[160];
    int rows = 0, wrong = 0;
    while (std::fgets(line, sizeof line, file) != nullptr) {
        std::uint64_t x = 0, ln = 0;
        if (line[0] == '#' || std::sscanf(line, "%" SCNx64 " %" SCNx64, &x, &ln) != 2) continue;
        ++rows;
        const double got = Ln(DoubleOf(x));
        if (BitsOf(got) != ln && ++wrong <= 10)
            ADD_FAILURE() << std::hexfloat << "ln " << DoubleOf(x) << ": " << got << ", MPFR "
                          << DoubleOf(ln);
    }
    std::fclose(file);
    EXPECT_EQ(wrong, 0) << path;
    return rows;
}

TEST(Ln, TheSameBitsAsMpfrOnTheKeptTables) {
    EXPECT_EQ(CheckTable(OLVIMAR_LN_CASES), 10000);
    EXPECT_GE(CheckTable(OLVIMAR_LN_HARD_CASES), 1000);
}

TEST(Ln, OutsideItsDomainAsStdLog) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        double x;
    } rows[] = {
        {"zero", 0.0},
        {"negative zero", -0.0},
        {"a negative number", -2.5},
        {"the smallest negative subnormal", -0x1p-1074},
        {"minus infinity", -kInf},
        {"NaN", std::numeric_limits<double>::quiet_NaN()},
        {"infinity", kInf},
    };
    for (const auto& r : rows) {
        const double got = Ln(r.x), want = std::log(r.x);
        EXPECT_TRUE(std::isnan(want) ? std::isnan(got) : BitsOf(got) == BitsOf(want))
            << r.name << ": " << got << ", std::log " << want;
    }
}

}  // namespace
}  // namespace olvimar
