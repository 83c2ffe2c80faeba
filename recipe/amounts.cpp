#include "recipe/amounts.h"

#include <algorithm>
#include <cstdlib>

namespace olvimar::recipe {

namespace {

BigInt PowerOfTen(int n) {
    return BigInt(1).TimesPowerOfTen(n);
}

bool AllOf(const std::vector<Part>& parts, std::optional<Decimal> Part::*of) {
    return std::all_of(parts.begin(), parts.end(),
                       [of](const Part& p) { return (p.*of).has_value(); });
}

}  // namespace

Exact ExactOf(const Decimal& d) {
    const int decimals = DecimalsOf(d);
    return {Scaled(d, decimals), PowerOfTen(decimals)};
}

Exact operator+(const Exact& a, const Exact& b) {
    return {a.num * b.den + b.num * a.den, a.den * b.den};
}

Exact operator*(const Exact& a, const Exact& b) {
    return {a.num * b.num, a.den * b.den};
}

Exact operator/(const Exact& a, const Exact& b) {
    const Exact e{a.num * b.den, a.den * b.num};
    return e.den.negative() ? Exact{-e.num, -e.den} : e;
}

int Compare(const Exact& a, const Exact& b) {
    return Compare(a.num * b.den, b.num * a.den);
}

std::string Written(const Exact& v, int decimals) {
    const std::int64_t n = NearestWhole(v.num.TimesPowerOfTen(decimals), v.den);
    std::uint64_t m = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    // The digits from the last, the point after `decimals` of them, at least one before it.
    std::string reversed;
    for (int i = 0; m > 0 || i <= decimals; ++i, m /= 10) {
        if (i == decimals && decimals > 0) reversed += '.';
        reversed += static_cast<char>('0' + m % 10);
    }
    if (n < 0) reversed += '-';
    return {reversed.rbegin(), reversed.rend()};
}

Quantities QuantitiesOf(const std::vector<Part>& parts, const std::optional<Decimal>& total,
                        bool kilograms) {
    Quantities q;
    const std::size_t n = parts.size();
    q.litres.resize(n), q.kilograms.resize(n), q.cost.resize(n);
    const Exact hundredth{BigInt(1), BigInt(10000)};  // of a percent, as a fraction
    const bool densities = AllOf(parts, &Part::density);
    if (densities) {
        q.density = Exact{};
        for (const Part& p : parts)
            *q.density = *q.density + Exact{BigInt(p.hundredths)} * hundredth * ExactOf(*p.density);
    }
    if (!total) return q;
    if (!kilograms) {
        q.totalLitres = ExactOf(*total);
    } else if (densities && Compare(q.density->num, BigInt(0)) > 0) {
        q.totalLitres = ExactOf(*total) * Exact{BigInt(1000)} / *q.density;
        q.totalKilograms = ExactOf(*total);
    }
    if (!q.totalLitres) return q;
    const bool prices = AllOf(parts, &Part::price);
    if (densities && !q.totalKilograms) q.totalKilograms = Exact{};
    if (prices) q.totalCost = Exact{};
    for (std::size_t i = 0; i < n; ++i) {
        const Part& p = parts[i];
        q.litres[i] = Exact{BigInt(p.hundredths)} * hundredth * *q.totalLitres;
        if (densities) {
            q.kilograms[i] = *q.litres[i] * ExactOf(*p.density) / Exact{BigInt(1000)};
            if (!kilograms) *q.totalKilograms = *q.totalKilograms + *q.kilograms[i];
        }
        if (prices) {
            q.cost[i] = (kilograms ? *q.kilograms[i] : *q.litres[i]) * ExactOf(*p.price);
            *q.totalCost = *q.totalCost + *q.cost[i];
        }
    }
    return q;
}

}  // namespace olvimar::recipe
