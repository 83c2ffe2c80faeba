// The grades at the edges of their bands, in a gap, and where two bands overlap.
#include <gtest/gtest.h>

#include "oil/grades.h"

namespace olvimar {
namespace {

TEST(Grades, IsoFromTheViscosityAt40) {
    const struct {
        const char* name;
        const char* at40;
        int grade, below, above;
    } rows[] = {
        {"VG 32's lowest", "28.8", 32, 22, 0},
        {"just below it: the gap after VG 22", "28.79", 0, 22, 32},
        {"VG 22's highest", "24.2", 22, 15, 0},
        {"just above it: the same gap", "24.201", 0, 22, 32},
        {"below VG 2", "1.97", 0, 0, 2},
        {"VG 2's lowest", "1.98", 2, 0, 0},
        {"VG 3200's highest", "3520", 3200, 2200, 0},
        {"beyond VG 3200", "3520.01", 0, 3200, 0},
    };
    for (const auto& r : rows) {
        const IsoGrade g = IsoGradeOf(*ExactDecimal(r.at40));
        EXPECT_EQ(g.grade, r.grade) << r.name;
        if (g.grade == 0) {
            EXPECT_EQ((std::pair{g.below, g.above}), (std::pair{r.below, r.above})) << r.name;
        }
    }
}

// Every ISO band is its mid-point less and more 10 %, both ends its own: the grade's figure, or
// for VG 2 to VG 7 the mid-points 2.2, 3.2, 4.6 and 6.8 cSt.
TEST(Grades, EachIsoBandIsItsMidPointWithinTenPercent) {
    const struct {
        int grade, midTenths;
    } bands[] = {{2, 22},     {3, 32},       {5, 46},       {7, 68},       {10, 100},
                 {15, 150},   {22, 220},     {32, 320},     {46, 460},     {68, 680},
                 {100, 1000}, {150, 1500},   {220, 2200},   {320, 3200},   {460, 4600},
                 {680, 6800}, {1000, 10000}, {1500, 15000}, {2200, 22000}, {3200, 32000}};
    for (const auto& b : bands) {
        EXPECT_EQ(IsoGradeOf(DecimalOf(9 * b.midTenths, -2)).grade, b.grade);
        EXPECT_EQ(IsoGradeOf(DecimalOf(11 * b.midTenths, -2)).grade, b.grade);
        EXPECT_NE(IsoGradeOf(DecimalOf(900 * b.midTenths - 1, -4)).grade, b.grade);
        EXPECT_NE(IsoGradeOf(DecimalOf(1100 * b.midTenths + 1, -4)).grade, b.grade);
    }
}

TEST(Grades, SaeFromTheViscosityAt100) {
    const struct {
        const char* name;
        const char* at100;
        std::vector<int> grades, winter;
    } rows[] = {
        {"SAE 30's least", "9.3", {30}, {0, 5, 10, 15, 20, 25}},
        {"just below: SAE 20 alone", "9.29", {20}, {0, 5, 10, 15, 20}},
        {"SAE 16's least: SAE 12 and 16 overlap", "6.1", {12, 16}, {0, 5, 10, 15, 20}},
        {"SAE 20's least: three overlap", "6.9", {12, 16, 20}, {0, 5, 10, 15, 20}},
        {"SAE 8 and 12 overlap", "5.0", {8, 12}, {0, 5, 10}},
        {"SAE 8's least", "4.0", {8}, {0, 5}},
        {"below every band", "3.99", {}, {0, 5}},
        {"SAE 60's band ends below 26.1", "26.1", {}, {0, 5, 10, 15, 20, 25}},
        {"too thin for any W grade", "3.79", {}, {}},
    };
    for (const auto& r : rows) {
        std::vector<int> grades;
        for (const SaeGrade& g : SaeGradesOf(*ExactDecimal(r.at100))) grades.push_back(g.grade);
        EXPECT_EQ(grades, r.grades) << r.name;
        EXPECT_EQ(WinterGradesReached(*ExactDecimal(r.at100)), r.winter) << r.name;
    }
}

}  // namespace
}  // namespace olvimar
