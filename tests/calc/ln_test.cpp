// The correctly rounded logarithm on 10 000 arguments whose results MPFR gave (the hardest known,
// next to 1, every table edge, a spread over the whole range): the same bits on every platform,
// also where no MPFR is at hand, as in the WebAssembly build.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>

#include "calc/ln.h"

namespace olvimar {
namespace {

TEST(Ln, TheSameBitsAsMpfrOnTheKeptTable) {
    std::FILE* file = std::fopen(OLVIMAR_LN_CASES, "r");
    ASSERT_NE(file, nullptr) << OLVIMAR_LN_CASES;
    char line[128];
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
    EXPECT_EQ(rows, 10000);
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace olvimar
