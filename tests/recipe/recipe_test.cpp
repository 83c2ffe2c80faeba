// The recipe on the table of MPFR's figures, which the WebAssembly build checks as well: each
// case's shares, the blend's viscosities at them, or the shares it would need.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/recipe/recipe_cases.h"

namespace olvimar::recipe {
namespace {

// "boxes | signature", a line each.
TEST(Recipe, TheSameFiguresAsMpfrOnTheKeptTable) {
    std::ifstream file(OLVIMAR_RECIPE_CASES);
    ASSERT_TRUE(file) << OLVIMAR_RECIPE_CASES;
    int rows = 0, wrong = 0;
    for (std::string line; std::getline(file, line);) {
        const std::size_t bar = line.find(" | ");
        if (line.empty() || line[0] == '#' || bar == std::string::npos) continue;
        ++rows;
        const std::string got = Worked(line.substr(0, bar));
        if (got != line.substr(bar + 3) && ++wrong <= 10)
            ADD_FAILURE() << line << "\n  got " << got;
    }
    EXPECT_EQ(rows, 3000);
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace olvimar::recipe
