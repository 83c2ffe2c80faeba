// The viscosity of a blend on the mixes whose thousandths MPFR gave, and on the worked example:
// the same digits on every platform, also where no MPFR is at hand, as in the WebAssembly build.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>

#include "calc/blend_viscosity.h"
#include "numeric/bits.h"

namespace olvimar {
namespace {

TEST(BlendViscosity, TheWorkedExampleAndTheEnds) {
    const struct {
        const char* name;
        double c, a, b;
        int hundredths;
        const char* text;
    } rows[] = {
        {"48.19 % of 7.276 and 13.69 at 100 degrees gives the target 10", 1.8, 7.276, 13.69, 4819,
         "10.000"},
        {"all A gives A", 1.8, 7.276, 13.69, 10000, "7.276"},
        {"all B gives B", 1.8, 7.276, 13.69, 0, "13.690"},
        {"below one cSt: no digit before the point", 1.9, 0.5, 0.25, 10000, ".500"},
        // 1.8 + 0.0625 is exact, so all A is exactly 0.0625 cSt: a tie of thousandths.
        {"an exact tie rounds away from zero", 1.8, 0.0625, 13.69, 10000, ".063"},
        {"the chart's highest viscosity", 1.8, 1e9, 2, 10000, "1000000000.000"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ThousandthsText(BlendThousandths({r.c, r.c + r.a, r.c + r.b}, r.hundredths)),
                  r.text)
            << r.name;
}

TEST(BlendViscosity, TheSameThousandthsAsMpfrOnTheKeptTable) {
    std::FILE* file = std::fopen(OLVIMAR_BLEND_CASES, "r");
    ASSERT_NE(file, nullptr) << OLVIMAR_BLEND_CASES;
    char line[160];
    int rows = 0, wrong = 0;
    while (std::fgets(line, sizeof line, file) != nullptr) {
        std::uint64_t c = 0, a = 0, b = 0;
        int hundredths = 0;
        std::int64_t want = 0;
        if (line[0] == '#' || std::sscanf(line, "%" SCNx64 " %" SCNx64 " %" SCNx64 " %d %" SCNd64,
                                          &c, &a, &b, &hundredths, &want) != 5)
            continue;
        ++rows;
        const double cd = DoubleOf(c);
        const std::int64_t got =
            BlendThousandths({cd, cd + DoubleOf(a), cd + DoubleOf(b)}, hundredths);
        if (got != want && ++wrong <= 10) ADD_FAILURE() << line << " gives " << got;
    }
    std::fclose(file);
    EXPECT_EQ(rows, 3000);
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace olvimar
