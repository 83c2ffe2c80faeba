#pragma once

// The grades an oil's viscosities put it in. Only what the viscosities can settle: a grade that
// also needs a figure no viscosity gives (HTHS, cold cranking) is reported as the grades it fits.
#include <vector>

#include "calc/exact_decimal.h"

namespace olvimar {

// ISO 3448 from the viscosity at 40 ℃: the grade whose band (its mid-point ± 10 %, both ends
// included) holds it; or, in the gap between two bands, the grades on either side; below VG 2 only
// `above` is set (VG 2), beyond VG 3200 only `below` (VG 3200).
struct IsoGrade {
    int grade = 0;             // VG 2 to VG 3200, or 0 in a gap or beyond the table
    int below = 0, above = 0;  // the grades on either side of a gap
};
IsoGrade IsoGradeOf(const Decimal& at40);

// SAE J300 (2024) from the viscosity at 100 ℃: every grade from 8 to 60 whose band (at least its
// low end, less than its high end) holds it, lowest first; where two do, the HTHS viscosity
// decides. And the W grades whose least 100 ℃ viscosity it reaches (0W to 25W, as 0 to 25); what
// else a W grade needs, the cold-cranking and pumping viscosities, no kinematic viscosity gives.
struct SaeGrade {
    int grade;
    int leastHthsTenths;  // the least HTHS viscosity at 150 ℃, tenths of a mPa·s
};
std::vector<SaeGrade> SaeGradesOf(const Decimal& at100);
std::vector<int> WinterGradesReached(const Decimal& at100);

// Each grade's band as a chart draws it, mm²/s: ISO VG at 40 ℃, SAE J300 at 100 ℃.
struct GradeBand {
    int grade;
    double least, most;
};
std::vector<GradeBand> IsoBands();
std::vector<GradeBand> SaeBands();

// The ends of the SAE table's bands, tenths of a mm²/s at 100 ℃: below the first, above the last.
inline constexpr int kSaeLeastTenths = 40, kSaeMostTenths = 261;

}  // namespace olvimar
