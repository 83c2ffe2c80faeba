#include "oil/grades.h"

#include <array>

namespace olvimar {

namespace {

// ISO 3448: each grade's band at 40 ℃, hundredths of a mm²/s.
struct IsoBand {
    int grade, least, most;
};
constexpr std::array<IsoBand, 20> kIso{{
    {2, 198, 242},         {3, 288, 352},          {5, 414, 506},          {7, 612, 748},
    {10, 900, 1100},       {15, 1350, 1650},       {22, 1980, 2420},       {32, 2880, 3520},
    {46, 4140, 5060},      {68, 6120, 7480},       {100, 9000, 11000},     {150, 13500, 16500},
    {220, 19800, 24200},   {320, 28800, 35200},    {460, 41400, 50600},    {680, 61200, 74800},
    {1000, 90000, 110000}, {1500, 135000, 165000}, {2200, 198000, 242000}, {3200, 288000, 352000},
}};

// SAE J300 (2024): each grade's band at 100 ℃ (tenths of a mm²/s, at least, less than), and its
// least HTHS viscosity (tenths of a mPa·s; SAE 40's 3.5 holds for 0W-, 5W- and 10W-40 only, the
// others need 3.7, as the grade's own figure says).
struct SaeBand {
    int grade, least, below, hths;
};
constexpr std::array<SaeBand, 8> kSae{{
    {8, 40, 61, 17},
    {12, 50, 71, 20},
    {16, 61, 82, 23},
    {20, 69, 93, 26},
    {30, 93, 125, 29},
    {40, 125, 163, 35},
    {50, 163, 219, 37},
    {60, 219, 261, 37},
}};
static_assert(kSae.front().least == kSaeLeastTenths && kSae.back().below == kSaeMostTenths);

// The W grades' least viscosity at 100 ℃, tenths of a mm²/s.
struct WinterBand {
    int grade, least;
};
constexpr std::array<WinterBand, 6> kWinter{
    {{0, 38}, {5, 38}, {10, 41}, {15, 56}, {20, 56}, {25, 93}}};

}  // namespace

IsoGrade IsoGradeOf(const Decimal& at40) {
    IsoGrade g;
    for (const IsoBand& b : kIso) {
        if (Compare(at40, DecimalOf(b.least, -2)) < 0) {  // below this band: in the gap before it
            g.above = b.grade;
            return g;
        }
        if (Compare(at40, DecimalOf(b.most, -2)) <= 0) {
            g.grade = b.grade;
            return g;
        }
        g.below = b.grade;
    }
    return g;
}

std::vector<SaeGrade> SaeGradesOf(const Decimal& at100) {
    std::vector<SaeGrade> grades;
    for (const SaeBand& b : kSae)
        if (Compare(at100, DecimalOf(b.least, -1)) >= 0 &&
            Compare(at100, DecimalOf(b.below, -1)) < 0)
            grades.push_back({b.grade, b.hths});
    return grades;
}

std::vector<int> WinterGradesReached(const Decimal& at100) {
    std::vector<int> grades;
    for (const WinterBand& b : kWinter)
        if (Compare(at100, DecimalOf(b.least, -1)) >= 0) grades.push_back(b.grade);
    return grades;
}

std::vector<GradeBand> IsoBands() {
    std::vector<GradeBand> bands;
    for (const IsoBand& b : kIso) bands.push_back({b.grade, b.least / 100.0, b.most / 100.0});
    return bands;
}

std::vector<GradeBand> SaeBands() {
    std::vector<GradeBand> bands;
    for (const SaeBand& b : kSae) bands.push_back({b.grade, b.least / 10.0, b.below / 10.0});
    return bands;
}

}  // namespace olvimar
