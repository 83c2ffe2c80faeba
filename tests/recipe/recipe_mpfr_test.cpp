// The recipe against MPFR: the shares of two oils for one target or of three for two targets,
// with a package or without, their running sums rounded once each, and the blend's viscosities
// at the shares shown, worked out at 400 bits from the same double sums; on targets inside what
// the oils reach and beyond it. With --write FILE it writes the table the WebAssembly build
// checks, since it has no MPFR.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "calc/blend.h"
#include "calc/number_rules.h"
#include "calc/value_ops.h"
#include "tests/calc/mpfr_big.h"
#include "tests/recipe/recipe_cases.h"

namespace olvimar::recipe {
namespace {

const TempTable kTemp = BlendConstants();
const double kC[2] = {ToDouble(kTemp[1]), ToDouble(kTemp[0])};  // 40 ℃, 100 ℃

std::string Text(double v) {
    char s[32];
    std::snprintf(s, sizeof s, "%.6g", v);
    return s;
}

// A case's boxes and what MPFR makes of them.
struct Case {
    std::string line, signature;
};

Case Make(std::mt19937_64& random) {
    std::uniform_real_distribution<double> unit(0, 1);
    const bool three = random() % 3 != 0, package = random() % 3 == 0;
    const int p = package ? static_cast<int>(1 + random() % 1500) : 0;
    const std::size_t oils = three ? 3 : 2, parts = oils + package;
    // Each part's viscosities, 40 ℃ from 10 to 1000 cSt, 100 ℃ a fourth to a twelfth of it; the
    // package's thick.
    std::vector<std::array<std::string, 2>> texts;
    for (std::size_t k = 0; k < parts; ++k) {
        const bool pkg = package && k == oils;
        const double v40 = pkg ? 1000 + 4000 * unit(random) : 10 * std::pow(100, unit(random));
        texts.push_back({Text(v40), Text(v40 / (4 + 8 * unit(random)))});
    }
    std::vector<std::array<Big, 2>> w(parts);
    for (std::size_t k = 0; k < parts; ++k)
        for (int t = 0; t < 2; ++t) w[k][t] = W(kC[t] + ToNumber(texts[k][t]));
    // The targets: a blend of the oils' shares, a fifth of them beyond what they reach.
    std::vector<double> x(oils);
    double sum = 0;
    for (double& v : x) sum += v = unit(random);
    for (double& v : x) v = v / sum * (1 - p / 1e4);
    if (random() % 5 == 0) x[0] += 0.3, x[1] -= 0.3;
    const int single = three ? -1 : static_cast<int>(random() % 2);  // two oils: one target
    std::array<std::string, 2> target{"-", "-"};
    for (int t = 0; t < 2; ++t) {
        if (single >= 0 && t != single) continue;
        Big wt = package ? Big(p / 1e4) * w[oils][t] : Big(0);
        for (std::size_t k = 0; k < oils; ++k) wt = wt + Big(x[k]) * w[k][t];
        target[t] = Text(mpfr_get_d(*(Exp(Exp(wt)) - Big(kC[t])), MPFR_RNDN));
    }
    // The line: A, B, C, the package with its share, the targets at 100 ℃ and 40 ℃.
    std::string line;
    for (std::size_t k = 0; k < 3; ++k)
        line += k < oils ? texts[k][0] + " " + texts[k][1] + " " : "- - ";
    line +=
        package ? texts[oils][0] + " " + texts[oils][1] + " " + Text(p / 100.0) + " " : "- - - ";
    line += target[1] + " " + target[0];

    // MPFR's shares: each condition Σ x_i W_i = W(T) - p W_P, Σ x_i = 1 - p, by Cramer's rule.
    const Big free = Big(1) - Big(p) / Big(10000);
    const auto rhs = [&](int t) {
        const Big wt = W(kC[t] + ToNumber(target[t]));
        return package ? wt - Big(p) / Big(10000) * w[oils][t] : wt;
    };
    std::vector<Big> share(oils);
    if (oils == 2) {
        const int t = single;
        share[0] = (rhs(t) - free * w[1][t]) / (w[0][t] - w[1][t]);
        share[1] = free - share[0];
    } else {
        const Big a1 = w[0][1] - w[2][1], b1 = w[1][1] - w[2][1], r1 = rhs(1) - free * w[2][1];
        const Big a2 = w[0][0] - w[2][0], b2 = w[1][0] - w[2][0], r2 = rhs(0) - free * w[2][0];
        const Big d = a1 * b2 - b1 * a2;
        share[0] = (r1 * b2 - b1 * r2) / d;
        share[1] = (a1 * r2 - r1 * a2) / d;
        share[2] = free - share[0] - share[1];
    }
    std::vector<int> h;
    Big running(0);
    std::int64_t before = 0;
    for (std::size_t k = 0; k + 1 < oils; ++k) {
        running = running + share[k];
        const std::int64_t r = Round(running * Big(10000), MPFR_RNDN);
        h.push_back(static_cast<int>(r - before));
        before = r;
    }
    h.push_back(static_cast<int>(10000 - p - before));
    const auto percent = [](int n) {
        return (n < 0 ? "-" : "") + Text(std::abs(n) / 100) + "." + Text(std::abs(n) / 10 % 10) +
               Text(std::abs(n) % 10);
    };
    std::string needs;
    for (std::size_t k = 0; k < oils; ++k)
        if (h[k] < 0)
            needs += (needs.empty() ? "" : "、") + std::string(1, "ABC"[k]) + "机油 " +
                     percent(h[k]) + "%";
    if (!needs.empty()) return {line, "needs " + needs};
    if (package) h.push_back(p);
    std::string s;
    for (const int n : h) s += percent(n) + " ";
    s += "/";
    for (int t = 0; t < 2; ++t) {
        Big wb(0);
        for (std::size_t k = 0; k < parts; ++k) wb = wb + Big(h[k]) * w[k][t];
        const Big v = Exp(Exp(wb / Big(10000))) - Big(kC[t]);
        const std::int64_t m = Round(v * Big(1000), MPFR_RNDNA);
        s += " " + Text(m / 1000) + "." + Text(m / 100 % 10) + Text(m / 10 % 10) + Text(m % 10);
    }
    return {line, s};
}

std::vector<Case> Cases(std::size_t n) {
    std::mt19937_64 random(20261209);
    std::vector<Case> cases;
    while (cases.size() < n) cases.push_back(Make(random));
    return cases;
}

TEST(Recipe, EveryShareAndViscosityIsMpfrsRoundedOnce) {
    int wrong = 0;
    for (const Case& c : Cases(10000)) {
        const std::string got = Worked(c.line);
        if (got != c.signature && ++wrong <= 10)
            ADD_FAILURE() << c.line << "\n  got " << got << "\n  MPFR " << c.signature;
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace olvimar::recipe

// With --write FILE: 3 000 cases, a line each: the boxes, then " | " and MPFR's signature.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--write") {
        std::FILE* file = std::fopen(argv[2], "w");
        if (file == nullptr) return 1;
        std::fputs("# The recipe's figures by MPFR; see recipe_test.cpp for the rows\n", file);
        for (const auto& c : olvimar::recipe::Cases(3000))
            std::fprintf(file, "%s | %s\n", c.line.c_str(), c.signature.c_str());
        return std::fclose(file) == 0 ? 0 : 1;
    }
    return RUN_ALL_TESTS();
}
