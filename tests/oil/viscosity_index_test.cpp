// The viscosity index: the standard's worked examples first, then each formula, the table's ends
// and an exact half; and the oils that have none.
#include <gtest/gtest.h>

#include "calc/rule_exact.h"
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

// The other way: the 40 ℃ viscosity of an index, thousandths, by each form of the formula; and
// the index of that viscosity as shown is the index asked for.
TEST(ViscosityIndex, SolvedForThe40DegreeViscosity) {
    const struct {
        const char* name;
        const char *vi, *y;
        std::variant<std::int64_t, Undefined> u;  // thousandths
    } rows[] = {
        {"above 100, the logarithmic form: the recipe's 150 at 10", "150", "10", 61046},
        {"100 is H itself", "100", "10", 82870},
        {"0 is L itself", "0", "10", 147700},
        // L 42.875, H 29.945 halfway between the rows of 5.1 and 5.2: 42.875 - 0.88 x 12.93
        {"below 100, the linear form between two rows", "88", "5.15", 31497},
        // L 9604, H 2772: 9604 - 0.92 x 6832
        {"above 70 by the quadratics", "92", "100", 3318560},
        {"an index beyond what the recipe takes", "1001", "10", Undefined::TooThick},
        {"beyond 10000 cSt at 100 ℃", "100", "10001", Undefined::TooThick},
        {"below 2.0 there is none", "100", "1.9", Undefined::BelowTwo},
    };
    for (const auto& r : rows) {
        const auto u = FortyForIndex(*ExactDecimal(r.vi), *ExactDecimal(r.y));
        const auto* f = std::get_if<Fixed>(&u);
        const std::int64_t t = f ? rule_exact::Thousandths(*f) : 0;
        EXPECT_EQ(f ? decltype(r.u)(t) : std::get<Undefined>(u), r.u) << r.name;
        if (f) {  // that viscosity, as shown, has the index asked for
            EXPECT_EQ(ViscosityIndex(DecimalOf(t, -3), *ExactDecimal(r.y)),
                      decltype(r.u)(std::stoll(r.vi)))
                << r.name;
        }
    }
}

}  // namespace
}  // namespace olvimar
