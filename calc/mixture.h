#pragma once

// The blending rule for any number of components: at each temperature's constant c,
//     W(blend) = Σ x_i W(V_i),   W(V) = ln ln(c + V),   Σ x_i = 1,
// the x_i the components' shares by volume. What a mix of given shares gives, and the shares of
// two or three oils that make a blend of one or two targets beside a share that is fixed in
// advance (an additive package). Exact, as the two-oil rule is: worked out in the fixed point of
// the logarithm's exact phase and rounded once.
#include <cstdint>
#include <optional>
#include <vector>

#include "numeric/fixed_point.h"

namespace olvimar {

// W of a component from the double sum c + V as the record forms it; and from a sum worked out
// exactly, as the 40 ℃ viscosity that a viscosity index stands for.
Fixed WOfSum(double sum);
Fixed WOfSum(const Fixed& sum);

// A component of a mix at one temperature: its double sum c + V and its share in hundredths of a
// percent.
struct Portion {
    double sum = 0;
    int hundredths = 0;
};

// The viscosity of a mix whose shares add up to all of it (10000 hundredths), in thousandths of a
// cSt: the exact value, rounded once, an exact tie away from zero. A mix of one component is that
// component's own viscosity, exactly. The sums above c and at most 2^30.
std::int64_t MixThousandths(double c, const std::vector<Portion>& portions);

// The rule's equation at one temperature for the free components: Σ x_i w_i = rhs, where rhs is
// W(target) less the fixed share's part of it.
struct Condition {
    std::vector<Fixed> w;
    Fixed rhs;
};

// The exact shares of the free components that meet the conditions and add up to `free`: two
// components for one condition, three for two. None where no share tells the components apart
// (their W lie in one line, or are the same), or where a share would pass ±1000: oils as good as
// in one line.
std::optional<std::vector<Fixed>> SolveShares(const std::vector<Condition>& conditions,
                                              const Fixed& free);

// Shares as hundredths of a percent that add up to `freeHundredths` exactly: the running sums
// (the first share, the first two, …) rounded once each, an exact tie to the even one, and the
// shares their differences.
std::vector<int> RoundedShares(const std::vector<Fixed>& shares, int freeHundredths);

}  // namespace olvimar
