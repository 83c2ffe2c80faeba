// A data sheet's figures on the cases whose values the reference gave (GMP and MPFR): the same
// digits on every platform, also where no MPFR is at hand, as in the WebAssembly build.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "oil/viscosity_index.h"
#include "oil/walther.h"

namespace olvimar {
namespace {

TEST(DataSheet, TheSameFiguresAsTheReferenceOnTheKeptTable) {
    std::FILE* file = std::fopen(OLVIMAR_SHEET_CASES, "r");
    ASSERT_NE(file, nullptr) << OLVIMAR_SHEET_CASES;
    char line[160];
    int rows = 0, wrong = 0;
    while (std::fgets(line, sizeof line, file) != nullptr) {
        char a[40], b[40], c[40];
        long long want = 0;  // beyond 32 bits: thousandths of a thick oil on a cold morning
        if (line[0] == '#' || std::sscanf(line, "%39s %39s %39s %lld", a, b, c, &want) != 4)
            continue;
        ++rows;
        std::variant<std::int64_t, Undefined> got = Undefined::NotPositive;
        if (std::string(c) == "-") {
            got = ViscosityIndex(*ExactDecimal(a), *ExactDecimal(b));
        } else if (const auto line = LineThrough(*ExactDecimal(a), *ExactDecimal(b));
                   std::holds_alternative<WaltherLine>(line)) {
            got = ThousandthsAt(std::get<WaltherLine>(line), *ExactDecimal(c));
        }
        if (got != std::variant<std::int64_t, Undefined>(std::int64_t{want}) && ++wrong <= 10)
            ADD_FAILURE() << line;
    }
    std::fclose(file);
    EXPECT_EQ(rows, 3000);
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace olvimar
