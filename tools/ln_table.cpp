// Writes numeric/ln_table.h, the table of the correctly rounded logarithm, with MPFR:
//   g++ -std=c++20 -O2 tools/ln_table.cpp -lmpfr -lgmp -o /tmp/ln_table
//   /tmp/ln_table > numeric/ln_table.h && clang-format -i numeric/ln_table.h
// Entry i covers the reduced arguments z whose bits, less those of 0.6875, begin with i: below 1
// the entries are 1/256 wide, from 1 on 1/128. invc is 1/c for the entry's middle c, rounded to 23
// significant bits, so that z * invc is exact in two products; logc = -ln(invc) in three doubles.
// The two entries next to 1 take invc = 1, so that near 1 nothing cancels.
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr std::uint64_t kOffset = 0x3fe6000000000000;  // the bits of 0.6875

double Bits(std::uint64_t b) {
    return std::bit_cast<double>(b);
}

// Rounds v to `bits` significant bits, to nearest.
double RoundBits(double v, int bits) {
    int e = 0;
    std::frexp(v, &e);
    return std::ldexp(std::nearbyint(std::ldexp(v, bits - e)), e - bits);
}

}  // namespace

int main() {
    std::puts("// Made by tools/ln_table.cpp with MPFR; see there what each entry holds.");
    std::puts("#pragma once\n\nnamespace olvimar::ln_table {\n");
    std::puts("struct Entry {\n    double invc, logcHi, logcMid, logcLo;\n};\n");
    mpfr_t v, r;
    mpfr_init2(v, 400);
    mpfr_init2(r, 400);
    // ln 2 in four doubles: the first of 42 bits, so that k * it is exact for every exponent k.
    mpfr_const_log2(v, MPFR_RNDN);
    double ln2[4];
    for (int j = 0; j < 4; ++j) {
        ln2[j] = j == 0 ? RoundBits(mpfr_get_d(v, MPFR_RNDN), 42) : mpfr_get_d(v, MPFR_RNDN);
        mpfr_sub_d(v, v, ln2[j], MPFR_RNDN);
    }
    std::printf("inline constexpr double kLn2[4] = {%a, %a, %a, %a};\n\n", ln2[0], ln2[1], ln2[2],
                ln2[3]);
    std::puts("inline constexpr Entry kTable[128] = {");
    for (std::uint64_t i = 0; i < 128; ++i) {
        const double lo = Bits(kOffset + (i << 45));
        const double hi = i == 127 ? 1.375 : Bits(kOffset + ((i + 1) << 45));
        const double invc = (i == 79 || i == 80) ? 1.0 : RoundBits(2 / (lo + hi), 23);
        mpfr_set_d(v, invc, MPFR_RNDN);
        mpfr_log(v, v, MPFR_RNDN);
        mpfr_neg(v, v, MPFR_RNDN);
        double logc[3];
        for (double& part : logc) {
            part = mpfr_get_d(v, MPFR_RNDN);
            mpfr_sub_d(v, v, part, MPFR_RNDN);
        }
        std::printf("    {%a, %a, %a, %a},\n", invc, logc[0], logc[1], logc[2]);
    }
    std::puts("};\n\n}  // namespace olvimar::ln_table");
    mpfr_clears(v, r, static_cast<mpfr_ptr>(nullptr));
}
