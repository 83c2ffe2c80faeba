// Writes tests/numeric/ln_hard_cases.txt: the arguments whose ln lies closest to a rounding
// boundary, found with MPFR where the logarithm is most likely to meet them:
//   g++ -std=c++20 -O2 tools/ln_hard_cases.cpp -lmpfr -lgmp -o /tmp/ln_hard_cases
//   /tmp/ln_hard_cases > tests/numeric/ln_hard_cases.txt        (some eight minutes on one core)
// It keeps every x whose ln has 20 or more identical bits after its 54th: ln x then lies within
// 2^-74 |ln x| of a midpoint between two doubles (the 54th bit differs from the run, and rounding
// to nearest is hard) or of a double. It looks
//   - next to 1, x = 1 + j 2^-52 and 1 - j 2^-53 for j up to 2^22: ln x = e - e^2/2 + ... has a
//     regular tail there, and many come within a few bits of 2^-106;
//   - at 2^17 random doubles in each entry of the logarithm's table, at random powers of two: one
//     in 2^19 comes within 20 bits. (The neighbours of a table's edge are no better than any
//     others: ln is straight there to far below a double's last bit, so 2^13 neighbours come no
//     nearer a midpoint than some 2^-13 of a bit.)
// The literature's hardest double, 0x1.62a88613629b6p678 (64 zeros after its 54th bit), is kept
// too.
#include <mpfr.h>

#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kLeast = 20;  // identical bits after the 54th that make a case hard

struct Case {
    double x, ln;
    int run;        // identical bits after the 54th
    bool midpoint;  // next to a midpoint between two doubles, rather than a double
};

// The run of identical bits after the 54th bit of ln x, or -1 for x = 1.
Case Measure(double x, mpfr_t v) {
    mpfr_set_d(v, x, MPFR_RNDN);
    mpfr_log(v, v, MPFR_RNDN);
    Case c{x, mpfr_get_d(v, MPFR_RNDN), -1, false};
    if (mpfr_zero_p(v)) return c;
    char bits[200];
    mpfr_exp_t e = 0;
    mpfr_get_str(bits, &e, 2, 190, v, MPFR_RNDZ);  // 190 of its 192 bits, none rounded
    const char* b = bits[0] == '-' ? bits + 1 : bits;
    c.run = 0;
    while (54 + c.run < 190 && b[54 + c.run] == b[54]) ++c.run;
    c.midpoint = b[53] != b[54];
    return c;
}

double Bits(std::uint64_t b) {
    return std::bit_cast<double>(b);
}

}  // namespace

int main() {
    mpfr_t v;
    mpfr_init2(v, 192);
    std::vector<Case> hard;
    const auto consider = [&](double x) {
        const Case c = Measure(x, v);
        if (c.run >= kLeast) hard.push_back(c);
    };

    consider(0x1.62a88613629b6p678);
    for (std::uint64_t j = 1; j <= (1u << 22); ++j) {
        consider(Bits(std::bit_cast<std::uint64_t>(1.0) + j));
        consider(Bits(std::bit_cast<std::uint64_t>(1.0) - j));
    }
    std::mt19937_64 random(20261207);
    for (std::uint64_t i = 0; i < 128; ++i) {
        const std::uint64_t entry = 0x3fe6000000000000 + (i << 45);  // the entry's first z
        for (int n = 0; n < (1 << 17); ++n) {
            const double z = Bits(entry + (random() & ((1ULL << 45) - 1)));
            consider(std::ldexp(z, static_cast<int>(random() % 2046) - 1022));
        }
    }
    std::sort(hard.begin(), hard.end(), [](const Case& a, const Case& b) {
        return a.run != b.run ? a.run > b.run : a.x < b.x;
    });
    hard.erase(std::unique(hard.begin(), hard.end(),
                           [](const Case& a, const Case& b) { return a.x == b.x; }),
               hard.end());

    std::puts(
        "# Written by tools/ln_hard_cases.cpp with MPFR: x, its correctly rounded ln (the bits");
    std::puts(
        "# of two doubles), how many identical bits follow the 54th bit of ln x, and whether");
    std::puts("# ln x lies next to a midpoint between two doubles (m) or next to a double (d).");
    for (const Case& c : hard)
        std::printf("%016" PRIx64 " %016" PRIx64 " %3d %c  # %a\n",
                    std::bit_cast<std::uint64_t>(c.x), std::bit_cast<std::uint64_t>(c.ln), c.run,
                    c.midpoint ? 'm' : 'd', c.x);
    mpfr_clear(v);
}
