// The shares come out of the rule's equations by Cramer's rule in the fixed point, each W within
// some 2^-130 of the exact one. The determinant of the oils is kept at 2^-40 or more (below it,
// the oils lie as good as in one line) and every share within ±1000, so that a share is within
// 2^-85 of the exact one and its running sums' hundredths are right unless the exact value lies
// that close to a half; closer than 2^-80 counts as a tie, which shares of exact ratios reach.
#include "calc/mixture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "calc/blend_viscosity.h"
#include "calc/rule_exact.h"
#include "numeric/fixed_math.h"

namespace olvimar {

namespace {

// Oils whose determinant is smaller than this are as good as in one line; a share beyond this is
// no share of a blend anyone makes.
constexpr double kLeastDeterminant = 0x1p-40, kMostShare = 1000;

// num / d where the quotient is a share: none beyond those bounds.
std::optional<Fixed> Share(const Fixed& num, const Fixed& d) {
    const double dd = d.ToDouble();
    if (!(std::abs(dd) >= kLeastDeterminant) || std::abs(num.ToDouble() / dd) > kMostShare)
        return std::nullopt;
    // Both scaled by the power of two that brings |d| between 1 and 2, where a quotient is sure.
    int exponent = 0;
    std::frexp(dd, &exponent);
    Fixed n = num, x = d;
    for (int k = 1 - exponent; k > 0; k -= 30) {
        const Fixed up(std::ldexp(1.0, std::min(k, 30)));
        n = n * up, x = x * up;
    }
    for (int k = exponent - 1; k > 0; k -= 30) {
        const auto down = static_cast<std::uint32_t>(1U << std::min(k, 30));
        n = n / down, x = x / down;
    }
    return fixed::Quotient(n, x);
}

}  // namespace

Fixed WOfSum(double sum) {
    return rule_exact::W(sum);
}

Fixed WOfSum(const Fixed& sum) {
    return rule_exact::LnOf(fixed::Ln(sum));
}

std::int64_t MixThousandths(double c, const std::vector<Portion>& portions) {
    Fixed w;
    for (const Portion& p : portions) {
        if (p.hundredths == kAllOfA) return rule_exact::Thousandths(Fixed(p.sum) - Fixed(c));
        if (p.hundredths != 0) w = w + Fixed(static_cast<double>(p.hundredths)) * WOfSum(p.sum);
    }
    return rule_exact::Thousandths(rule_exact::ViscosityOf(w / kAllOfA, c));
}

std::optional<std::vector<Fixed>> SolveShares(const std::vector<Condition>& conditions,
                                              const Fixed& free) {
    if (conditions.size() == 1 && conditions[0].w.size() == 2) {
        const Condition& k = conditions[0];
        const std::optional<Fixed> a = Share(k.rhs - free * k.w[1], k.w[0] - k.w[1]);
        if (!a) return std::nullopt;
        return std::vector<Fixed>{*a, free - *a};
    }
    if (conditions.size() != 2 || conditions[0].w.size() != 3 || conditions[1].w.size() != 3)
        return std::nullopt;
    // C's share is what the others leave of `free`: two equations in A's and B's.
    const Condition &one = conditions[0], &two = conditions[1];
    const Fixed a1 = one.w[0] - one.w[2], b1 = one.w[1] - one.w[2], r1 = one.rhs - free * one.w[2];
    const Fixed a2 = two.w[0] - two.w[2], b2 = two.w[1] - two.w[2], r2 = two.rhs - free * two.w[2];
    const Fixed d = a1 * b2 - b1 * a2;
    const std::optional<Fixed> a = Share(r1 * b2 - b1 * r2, d);
    const std::optional<Fixed> b = Share(a1 * r2 - r1 * a2, d);
    if (!a || !b || std::abs((free - *a - *b).ToDouble()) > kMostShare) return std::nullopt;
    return std::vector<Fixed>{*a, *b, free - *a - *b};
}

std::vector<int> RoundedShares(const std::vector<Fixed>& shares, int freeHundredths) {
    std::vector<int> rounded;
    Fixed running;
    std::int64_t before = 0;
    for (std::size_t i = 0; i + 1 < shares.size(); ++i) {
        running = running + shares[i];
        const std::int64_t sum = rule_exact::Nearest(running * Fixed(static_cast<double>(kAllOfA)),
                                                     rule_exact::Tie::ToEven);
        rounded.push_back(static_cast<int>(sum - before));
        before = sum;
    }
    rounded.push_back(static_cast<int>(freeHundredths - before));
    return rounded;
}

}  // namespace olvimar
