// The viscosity index: the standard's worked examples first, then each formula, the table's ends
// and an exact half; and the oils that have none.
#include <gtest/gtest.h>

#include "oil/viscosity_index.h"

namespace olvimar {
namespace {

TEST(ViscosityIndex, AsTheStandardWorksItOut) {
    const struct {
        const char* name;
        const char *u, *y;
        std::variant<std::int64_t, Undefined> vi;
    } rows[] = {
        {"the first worked example: U above H, 92.43", "73.30", "8.86", 92},
        {"the second worked example: U below H, 156.37", "22.83", "5.05", 156},
        {"written with an exponent, as the record's rules allow", "7.330e1", "886E-2", 92},
        {"U at H: both formulas give 100", "82.87", "10", 100},
        {"an exact 92.5 to the even one below", "87.73225", "10", 92},
        {"an exact 93.5 to the even one above", "87.08395", "10.0", 94},
        {"70 is the table's last row: 49.51", "3247.9003", "70", 50},
        {"just above 70 the quadratics: 49.49", "3247.9003", "70.001", 49},
        {"2.0 is the table's first row: L itself is 0", "7.994", "2.00", 0},
        {"the second formula far above 70: 205.6", "900", "100", 206},
        {"between two rows, linearly: 87.97", "31.5", "5.15", 88},
        {"below 2.0 there is none", "10", "1.999", Undefined::BelowTwo},
        {"no viscosity at 100 ℃", "10", "0", Undefined::NotPositive},
        {"a 40 ℃ viscosity below zero", "-10", "5", Undefined::NotPositive},
        {"thinner at 40 ℃ than at 100 ℃", "5", "6", Undefined::NotThinnerHot},
        {"the same at both", "5", "5", Undefined::NotThinnerHot},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ViscosityIndex(*ExactDecimal(r.u), *ExactDecimal(r.y)), r.vi) << r.name;
}

}  // namespace
}  // namespace olvimar
