// Measured blends as the section, the blend chart and the data sheet show them: where each
// temperature's oils come from, what the chart draws calibrated, and the sheet's calibrated blend.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/calibration_section.h"
#include "chart/chart.h"
#include "chart/sheet.h"

namespace olvimar::chart {
namespace {

BlendFields WorkedExample(int row = 0) {
    return BlendFields{static_cast<std::int16_t>(row), "7.276", "13.69", "4", "", ""};
}

std::vector<std::string> Lines(const CalibrationSection& s) {
    std::vector<std::string> lines;
    for (const auto& r : s.rows) lines.push_back((r.quiet ? "(quiet) " : "") + r.text);
    for (const auto& f : s.factors) lines.push_back(f);
    return lines;
}

TEST(CalibrationSection, EachTemperatureTakesItsOilsWhereTheSheetDoes) {
    const std::array<std::string, sheet::kBoxes> sheet40{"40", "90", "", "", "-5"};
    const struct {
        const char* name;
        int window;
        std::array<std::string, sheet::kBoxes> boxes;
        std::vector<MeasuredBlend> measured;
        std::vector<std::string> lines;
    } rows[] = {
        {"at 40 degrees the sheet's pair, with the window at 100",
         0,
         sheet40,
         {{"50", "60", 1}, {"50", "9.886"}},
         {"40 ℃，A 50%，实测 60 cSt：混合公式偏差 -1.3%",
          "100 ℃，A 50%，实测 9.886 cSt：混合公式偏差 0.0%", "100 ℃：校准系数 0.9997",
          "40 ℃：校准系数 1.067"}},
        {"at -5 degrees only the window's own pair",
         0,
         sheet40,
         {{"50", "800", 2}},
         {"(quiet) -5 ℃，A 50%，实测 800 cSt：不计入，还不知道两种机油在 -5 ℃ "
          "的粘度（主窗口选这个温度，或在数据表中填写）"}},
        {"the sheet's 40 degree pair is not asked for at 40, the window's is",
         1,
         sheet40,
         {{" 50 ", "10", 1}},
         {"40 ℃，A 50%，实测 10 cSt：混合公式偏差 -0.1%", "40 ℃：校准系数 1.005"}},
        {"at 100 degrees the sheet's pair, with the window at 40",
         1,
         {"", "", "7.276", "13.69", "-5"},
         {{"50", "10.2"}},
         {"100 ℃，A 50%，实测 10.2 cSt：混合公式偏差 -3.1%", "100 ℃：校准系数 1.219"}},
        {"the sixth blend at a temperature does not count",
         0,
         sheet40,
         std::vector<MeasuredBlend>(6, {"50", "10.2"}),
         {"100 ℃，A 50%，实测 10.2 cSt：混合公式偏差 -3.1%，校准后残差 0.0%",
          "100 ℃，A 50%，实测 10.2 cSt：混合公式偏差 -3.1%，校准后残差 0.0%",
          "100 ℃，A 50%，实测 10.2 cSt：混合公式偏差 -3.1%，校准后残差 0.0%",
          "100 ℃，A 50%，实测 10.2 cSt：混合公式偏差 -3.1%，校准后残差 0.0%",
          "100 ℃，A 50%，实测 10.2 cSt：混合公式偏差 -3.1%，校准后残差 0.0%",
          "(quiet) 100 ℃，A 50%，实测 10.2 cSt：不计入，每个温度最多计入 5 个实测",
          "100 ℃：校准系数 1.219"}},
    };
    for (const auto& r : rows) {
        const CalibrationSection s =
            Calibrate(WorkedExample(r.window), r.boxes, r.measured, BlendConstants());
        EXPECT_EQ(Lines(s), r.lines) << r.name;
    }
}

// The worked example calibrated by its one measured blend: the calibrated line runs through the
// blend, the rule's line beside it runs below, and the readout says both.
TEST(CalibrationSection, TheChartDrawsTheCalibratedLineThroughTheMeasuredBlend) {
    Input in{WorkedExample(), "10,15", 5000, {{"50", "10.2"}}, Alpha{1219, -3}};
    const Picture p = Draw(in, BlendConstants(), {600, 400, 16});
    const Mark* measured = nullptr;
    for (const Mark& m : p.marks)
        if (m.ink == Ink::Measured) measured = &m;
    ASSERT_NE(measured, nullptr);
    EXPECT_EQ(measured->hundredths, 5000);
    EXPECT_NEAR(p.handle.y, measured->y, 0.5);  // 10.200 at 50 %, on the calibrated line
    double ruleAtHalf = 0;
    for (const Line& l : p.lines)
        if (l.ink == Ink::Rule && l.y1 >= p.top) ruleAtHalf = (l.y1 + l.y2) / 2;
    EXPECT_GT(ruleAtHalf, p.handle.y + 5);  // the rule's 9.886 lies lower
    EXPECT_EQ(p.readout, "A 50% 2L, B 50% 2L\n校准后混合粘度 10.200 cSt\n混合公式 9.886 cSt");
    // The target 10 at its calibrated split, 53.14 %, and 15 beyond B.
    EXPECT_EQ(p.stops, (std::vector<int>{5314}));
    std::vector<std::string> legend;
    for (const Text& t : p.texts)
        if (t.y < p.top) legend.push_back(t.text);
    for (const char* entry : {"按实测校准", "混合公式", "实测"})
        EXPECT_NE(std::find(legend.begin(), legend.end(), entry), legend.end()) << entry;
    EXPECT_NE(p.summary.find("校准系数 1.219"), std::string::npos) << p.summary;
    EXPECT_NE(p.summary.find("圆圈是 1 个实测混合油"), std::string::npos) << p.summary;

    // Off: the rule's line alone, the measured blend still marked as evidence.
    in.alpha.reset();
    const Picture off = Draw(in, BlendConstants(), {600, 400, 16});
    EXPECT_EQ(off.readout, "A 50% 2L, B 50% 2L\n混合粘度 9.886 cSt");
    EXPECT_EQ(off.stops, (std::vector<int>{4819}));
    EXPECT_TRUE(std::none_of(off.lines.begin(), off.lines.end(),
                             [](const Line& l) { return l.ink == Ink::Rule; }));
    EXPECT_TRUE(std::any_of(off.marks.begin(), off.marks.end(),
                            [](const Mark& m) { return m.ink == Ink::Measured; }));
    in.measured.clear();
    EXPECT_EQ(Draw(in, BlendConstants(), {600, 400, 16}).summary.find("实测"), std::string::npos);
}

// The window's boxes as a front end hands them over.
class Boxes : public FormView {
  public:
    std::string Text1(int index) const override {
        return index == 0 ? "7.276" : index == 1 ? "13.69" : "";
    }
    void SetText1(int, const std::string&) override {}
    int Combo1Index() const override { return 0; }
    void SetCombo1Index(int) override {}
    int List1Index() const override { return -1; }
    void SetClientWidth(int) override {}
    void ShowRecord(std::string_view, std::size_t) override {}
    void ClearRecord() override {}
    void ShowUndoClear(bool) override {}
    void ShowFailure(const std::string&) override {}
};

// The chart marks the window's temperature's measured blends always, and takes their factor
// only while the switch is on; the sheet the same.
TEST(CalibrationSection, TheChartAndTheSheetTakeTheFactorOnlyWhileTheSwitchIsOn) {
    Boxes view;
    Form form(view);
    form.Form_Load();
    form.AddMeasured(0, "50", "10.2");
    form.AddMeasured(1, "50", "60");
    const std::array<std::string, sheet::kBoxes> boxes{"40", "90", "", "", "-5"};
    for (const bool on : {false, true}) {
        form.SetCalibrate(on);
        const CalibrationSection s =
            Calibrate(form.Inputs(), boxes, form.MeasuredBlends(), form.Temperatures());
        const Input chart = ChartInput(form, "10", 5000, s);
        ASSERT_EQ(chart.measured.size(), 1u) << on;  // the 100 ℃ blend, not the 40 ℃ one
        EXPECT_EQ(chart.measured[0], (MeasuredBlend{"50", "10.2"}));
        EXPECT_EQ(chart.alpha, on ? std::optional<Alpha>(Alpha{1219, -3}) : std::nullopt);
        const sheet::Input sheet = SheetInput(form, boxes, 5000, s);
        EXPECT_EQ(sheet.alphas[1], on ? s.alphas[1] : std::nullopt);
        EXPECT_TRUE(s.alphas[1].has_value());
    }
}

TEST(CalibrationSection, TheSheetCalibratesTheBlendWhereItsTemperatureHasAFactor) {
    sheet::Input in{WorkedExample(), {"40", "90", "", "", "-5"}, 5000, {}};
    const sheet::Table rule = sheet::TableOf(sheet::Work(in, BlendConstants()));
    in.alphas[1] = Alpha{1219, -3};  // at 40 ℃ only
    const sheet::Table calibrated = sheet::TableOf(sheet::Work(in, BlendConstants()));
    EXPECT_EQ(rule.rows[2], "混合油 A 50%");
    EXPECT_EQ(calibrated.rows[2], "混合油 A 50%（40 ℃ 按实测校准）");
    EXPECT_EQ(rule.cells[2][1].text, calibrated.cells[2][1].text);  // 100 ℃ by the rule
    EXPECT_NE(rule.cells[2][0].text, calibrated.cells[2][0].text);  // 40 ℃ calibrated
    in.alphas[0] = Alpha{1219, -3};                                 // and at 100 ℃ too
    EXPECT_EQ(sheet::TableOf(sheet::Work(in, BlendConstants())).rows[2],
              "混合油 A 50%（按实测校准）");
    in.alphas = {};
    in.alphas[2] = Alpha{1219, -3};  // -5 ℃ is no column of the sheet's blend
    EXPECT_EQ(sheet::TableOf(sheet::Work(in, BlendConstants())).rows[2], "混合油 A 50%");
}

}  // namespace
}  // namespace olvimar::chart
