#pragma once

// The recipe's quantities, exactly: litres, kilograms and cost worked out from the shares shown
// and the numbers as typed, as fractions of whole numbers, and each rounded once where it is
// written, an exact tie to the even one.
#include <optional>
#include <string>
#include <vector>

#include "calc/exact_decimal.h"
#include "numeric/big_int.h"

namespace olvimar::recipe {

// num / den, den above zero.
struct Exact {
    BigInt num, den = BigInt(1);
};
Exact ExactOf(const Decimal& d);
Exact operator+(const Exact& a, const Exact& b);
Exact operator*(const Exact& a, const Exact& b);
Exact operator/(const Exact& a, const Exact& b);  // b not zero
int Compare(const Exact& a, const Exact& b);
// Written with `decimals` decimals, an exact tie to the even one: "1.955", "-9.16", "0.50".
std::string Written(const Exact& v, int decimals);

// One recipe's quantities: for each component in use, its share (hundredths of a percent, adding
// up to all of it), density (kg/m³ at 20 ℃) and price per unit of the total, where typed.
struct Part {
    int hundredths = 0;
    std::optional<Decimal> density, price;
};
struct Quantities {
    std::vector<std::optional<Exact>> litres, kilograms, cost;  // a row each, none where unknown
    std::optional<Exact> totalLitres, totalKilograms, totalCost, density;
};
// From `total` in litres (kilograms false) or kilograms. The blend's density is the sum of the
// components' by volume at the shares shown, no volume change on mixing; the total in kilograms
// is that many litres at it. Litres are share × total ÷ 100; kilograms litres × density ÷ 1000,
// both from the exact litres; cost the quantity in the total's unit × its price.
Quantities QuantitiesOf(const std::vector<Part>& parts, const std::optional<Decimal>& total,
                        bool kilograms);

}  // namespace olvimar::recipe
