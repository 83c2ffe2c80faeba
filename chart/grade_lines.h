#pragma once

// The grades an oil's or a blend's viscosities put it in, in the words of a line under a table:
// ISO VG by the 40 ℃ viscosity, SAE J300 by the 100 ℃ one, and the W grades whose 100 ℃ least it
// reaches. For the data sheet and the recipe alike.
#include <optional>
#include <string>

#include "calc/exact_decimal.h"

namespace olvimar {

// "A机油：ISO VG 32；SAE 8（还需 HTHS ≥ 1.7 mPa·s）；…" for `name`, from the viscosities shown.
std::string GradeLine(const std::string& name, const std::optional<Decimal>& at40,
                      const std::optional<Decimal>& at100);

}  // namespace olvimar
