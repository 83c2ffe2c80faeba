// The data sheet as both front ends show it: which boxes it asks for at each temperature, its
// cells for oils given at either data temperature, what it says is missing or out of range, the
// check at -5 ℃ and the grade lines.
#include <gtest/gtest.h>

#include <string>

#include "calc/blend.h"
#include "chart/sheet.h"

namespace olvimar::sheet {
namespace {

struct Case {
    const char* name;
    int s;
    const char *a, *b;
    std::array<std::string, kBoxes> boxes;
    int hundredths;
    std::string cells, notes;
};

std::string Cells(const Table& t) {
    std::string s;
    for (const auto& row : t.cells)
        for (const Cell& c : row) s += (s.empty() ? "" : &c == &row[0] ? " | " : " ") + c.text;
    return s;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += (s.empty() ? "" : "\n") + l;
    return s;
}

Figures Work(const Case& c) {
    Input in;
    in.fields.s = static_cast<std::int16_t>(c.s);
    in.fields.viscA = c.a;
    in.fields.viscB = c.b;
    in.boxes = c.boxes;
    in.hundredths = c.hundredths;
    return sheet::Work(in, BlendConstants());
}

TEST(Sheet, ItsCellsAndWhatItSaysIsMissing) {
    const std::string sheet =
        "40.000 7.276 148 486.555 | 90.000 13.690 155 1303.293 | 60.091 10.000 153 796.963";
    const Case rows[] = {
        {"at 100 ℃, with the 40 ℃ pair",
         0,
         "7.276",
         "13.69",
         {"40", "90", "", "", "-5"},
         4819,
         sheet,
         ""},
        {"at 40 ℃, with the 100 ℃ pair: the same",
         1,
         "40",
         "90",
         {"", "", "7.276", "13.69", "-5"},
         4819,
         sheet,
         ""},
        {"the other pair missing",
         0,
         "7.276",
         "13.69",
         {"", "", "", "", "-5"},
         5000,
         "— 7.276 — — | — 13.690 — — | — 9.886 — —",
         "还需要：A机油 40 ℃ 粘度、B机油 40 ℃ 粘度。"},
        {"no temperature chosen: both pairs asked for",
         -1,
         "7.276",
         "13.69",
         {"", "", "", "", "-5"},
         5000,
         "— — — — | — — — — | — — — —",
         "还需要：A机油 40 ℃ 粘度、B机油 40 ℃ 粘度、A机油 100 ℃ 粘度、B机油 100 ℃ 粘度。\n"
         "请在主窗口选择温度，或在这里填写两个温度下的粘度。"},
        {"an oil thicker hot than cold",
         0,
         "7.276",
         "13.69",
         {"5", "90", "", "", "-5"},
         5000,
         "5.000 7.276 — — | 90.000 13.690 155 1303.293 | 19.656 9.886 — —",
         "A机油没有粘度指数：100 ℃ 粘度应低于 40 ℃ 粘度。\nA机油没有粘温线：100 ℃ 粘度应低于 40 ℃ "
         "粘度。\n"
         "两种机油都有粘温线时，才算混合油的粘度指数和粘温线。"},
        {"T beyond the range",
         0,
         "7.276",
         "13.69",
         {"40", "90", "", "", "400"},
         5000,
         "40.000 7.276 148 — | 90.000 13.690 155 — | 59.216 9.886 153 —",
         "温度应在 -60 ℃ 到 300 ℃ 之间。"},
        {"thin oils, below one cSt at 40 ℃; at 100 ℃ the lines give their points",
         0,
         "0.5",
         "3",
         {"0.9", "20", "", "", "100"},
         5000,
         ".900 .500 — .500 | 20.000 3.000 -135 3.000 | 5.513 1.336 — 1.336",
         "A机油没有粘度指数：100 ℃ 粘度低于 2.0 cSt 时没有定义。\n"
         "混合油没有粘度指数：100 ℃ 粘度低于 2.0 cSt 时没有定义。"},
        {"a viscosity below zero",
         0,
         "7.276",
         "13.69",
         {"-5", "90", "", "", "-5"},
         5000,
         "-5.000 7.276 — — | 90.000 13.690 155 1303.293 | — 9.886 — —",
         "A机油没有粘度指数：粘度应大于 0。\nA机油没有粘温线：粘度应大于 0。"},
        {"a box that is no number",
         0,
         "7.276",
         "13.69",
         {"4o", "90", "", "", "-5"},
         5000,
         "— 7.276 — — | 90.000 13.690 155 1303.293 | — 9.886 — —",
         "A机油 40 ℃ 粘度“4o”不是有效的数字。"},
    };
    for (const Case& c : rows) {
        const Table t = TableOf(Work(c));
        EXPECT_EQ(Cells(t), c.cells) << c.name;
        EXPECT_EQ(Join(t.notes), c.notes) << c.name;
    }
    // The last column is T as typed, less its blanks.
    const Case blanks{"", 0, "7.276", "13.69", {"40", "90", "", "", " 12 "}, 5000, "", ""};
    EXPECT_EQ(TableOf(Work(blanks)).columns[4], "12 ℃");
}

TEST(Sheet, ItAsksForEachNumberOnce) {
    EXPECT_EQ(Asked(0), (std::array<bool, kBoxes>{true, true, false, false, true}));  // at 100 ℃
    EXPECT_EQ(Asked(1), (std::array<bool, kBoxes>{false, false, true, true, true}));  // at 40 ℃
    EXPECT_EQ(Asked(2), (std::array<bool, kBoxes>{true, true, true, true, true}));    // at -5 ℃
    EXPECT_EQ(Asked(-1), Asked(2));                                                   // none chosen
}

TEST(Sheet, AtMinusFiveTheLinesAreCheckedAgainstTheWindow) {
    const Table t =
        TableOf(Work({"", 2, "486", "1300", {"40", "90", "7.276", "13.69", "-5"}, 4819, "", ""}));
    EXPECT_EQ(t.check,
              "核对 -5 ℃：粘温线得 A机油 486.555、B机油 1303.293、混合油 796.963 cSt；主窗口为 A "
              "486.000、B 1300.000 cSt，混合公式得 794.873 cSt。");
    EXPECT_EQ(t.grades.at(1),
              "B机油：ISO VG 100；SAE 40（还需 HTHS ≥ 3.5 mPa·s，0W、5W、10W-40；其余 ≥ 3.7）；"
              "100 ℃ 粘度够 0W–25W 的下限");
    EXPECT_EQ(t.grades.at(2),
              "混合油：介于 ISO VG 46 与 VG 68 之间；SAE 30（还需 HTHS ≥ 2.9 mPa·s）；100 ℃ 粘度够 "
              "0W–25W 的下限");
}

// Where SAE bands overlap, the line names every grade the oil fits and the HTHS each needs: two
// at 6.5 cSt, three from 6.9 to 7.1.
TEST(Sheet, TheSaeGradesOfOverlappingBandsAreAllNamed) {
    const Table t = TableOf(Work({"", 0, "6.5", "7.0", {"30", "40", "", "", "-5"}, 5000, "", ""}));
    EXPECT_NE(
        t.grades.at(0).find("；SAE 12 或 16，由 HTHS 决定（12 需 ≥ 2.0、16 需 ≥ 2.3 mPa·s）；"),
        std::string::npos)
        << t.grades.at(0);
    EXPECT_NE(
        t.grades.at(1).find(
            "；SAE 12、16 或 20，由 HTHS 决定（12 需 ≥ 2.0、16 需 ≥ 2.3、20 需 ≥ 2.6 mPa·s）；"),
        std::string::npos)
        << t.grades.at(1);
}

}  // namespace
}  // namespace olvimar::sheet
