#pragma once

// The data sheet's and the viscosity-temperature chart's words, for both front ends.
namespace olvimar::texts {

inline constexpr const char* kSheetTitle = "混合油数据表";
// Its boxes, in the tab order after the chart's controls, by the oil and the temperature.
inline constexpr const char* kSheetBoxes[] = {
    "A机油 40 ℃ 粘度", "B机油 40 ℃ 粘度", "A机油 100 ℃ 粘度", "B机油 100 ℃ 粘度", "表中温度 T ℃",
};
inline constexpr const char* kSheetBoxHint = "cSt，数据表中另一温度下的粘度";
// The table's heads.
inline constexpr const char* kSheetColumns[] = {"", "40 ℃", "100 ℃", "粘度指数", "%1 ℃"};
inline constexpr const char* kSheetColumnAtT = "T ℃";  // while T is no temperature
inline constexpr const char* kSheetRows[] = {"A机油", "B机油", "混合油 A %1%"};
inline constexpr const char* kSheetNone = "—";  // a cell without a number
// What is missing or out of range, a quiet line each under the table.
inline constexpr const char* kSheetNeeds = "还需要：%1。";
inline constexpr const char* kSheetNotANumber = "%1“%2”不是有效的数字。";
inline constexpr const char* kSheetNeedsTemperature =
    "请在主窗口选择温度，或在这里填写两个温度下的粘度。";
inline constexpr const char* kSheetNoIndex = "%1没有粘度指数：%2。";
inline constexpr const char* kSheetNoLine = "%1没有粘温线：%2。";
inline constexpr const char* kSheetNoValueAtT = "%1在 %2 ℃ 时：%3。";
inline constexpr const char* kSheetBlendNeedsLines =
    "两种机油都有粘温线时，才算混合油的粘度指数和粘温线。";
// Why, by the calculation's reason.
inline constexpr const char* kWhyNotPositive = "粘度应大于 0";
inline constexpr const char* kWhyBelowTwo = "100 ℃ 粘度低于 2.0 cSt 时没有定义";
inline constexpr const char* kWhyNotThinnerHot = "100 ℃ 粘度应低于 40 ℃ 粘度";
inline constexpr const char* kWhyTooThin = "粘度太低，超出粘温公式的范围";
inline constexpr const char* kWhyTooThick = "超过 10 亿 cSt，超出计算范围";
inline constexpr const char* kWhyTemperature = "温度应在 -60 ℃ 到 300 ℃ 之间";
// At -5 ℃, the lines' -5 ℃ values beside the window's, as a check; the window's blend by the
// rule, or by the rule as measured blends at -5 ℃ calibrate it, as the readout says it.
inline constexpr const char* kSheetCheck =
    "核对 -5 ℃：粘温线得 A机油 %1、B机油 %2、混合油 %3 cSt；主窗口为 A %4、B %5 cSt，%6得 %7 "
    "cSt。";
inline constexpr const char* kSheetCheckRule = "混合公式";
inline constexpr const char* kSheetCheckCalibrated = "按实测校准的混合公式";
// The blend's row where measured blends calibrate it: at both data temperatures, or at one.
inline constexpr const char* kSheetCalibrated = "（按实测校准）";
inline constexpr const char* kSheetCalibratedAt = "（%1 按实测校准）";
// The grades, a line for each oil.
inline constexpr const char* kGradeLine = "%1：%2；%3；%4";
inline constexpr const char* kIsoGrade = "ISO VG %1";
inline constexpr const char* kIsoBetween = "介于 ISO VG %1 与 VG %2 之间";
inline constexpr const char* kIsoBelow = "低于 ISO VG 2";
inline constexpr const char* kIsoAbove = "高于 ISO VG 3200";
inline constexpr const char* kIsoNone = "ISO VG 需 40 ℃ 粘度";
inline constexpr const char* kSaeGrade = "SAE %1（还需 HTHS ≥ %2 mPa·s）";
inline constexpr const char* kSaeForty =
    "SAE 40（还需 HTHS ≥ 3.5 mPa·s，0W、5W、10W-40；其余 ≥ 3.7）";
// Two or three bands overlap: the grades, "12 或 16" or "12、16 或 20", and what each needs.
inline constexpr const char* kSaeEither = "SAE %1，由 HTHS 决定（%2 mPa·s）";
inline constexpr const char* kSaeNeedsHths = "%1 需 ≥ %2";
inline constexpr const char* kSaeBelow = "低于 SAE 8 的 100 ℃ 范围";
inline constexpr const char* kSaeAbove = "高于 SAE 60 的 100 ℃ 范围";
inline constexpr const char* kSaeNone = "SAE 需 100 ℃ 粘度";
inline constexpr const char* kWinterReached = "100 ℃ 粘度够 0W–%1W 的下限";
inline constexpr const char* kWinterNone = "100 ℃ 粘度不够任何 W 级的下限";
inline constexpr const char* kWinterNote =
    "W 级（如 5W-30 的 "
    "5W）还要看低温启动和泵送粘度，这里算不出。这些都是估算：含粘度指数改进剂的多级机油混合后偏差较"
    "大，请以实测为准。";

// The viscosity-temperature chart.
inline constexpr const char* kTemperatureChartTitle = "粘温曲线";
inline constexpr const char* kTemperatureChartX = "温度 ℃（按 log K 刻度）";
inline constexpr const char* kTemperatureChartY = "粘度 cSt（ASTM D341 刻度）";
inline constexpr const char* kTemperatureChartNeeds =
    "显示粘温曲线还需要 A、B 两种机油在 40 ℃ 和 100 ℃ 的粘度。";
inline constexpr const char* kLegendA = "A机油";
inline constexpr const char* kLegendB = "B机油";
inline constexpr const char* kLegendBlend = "混合油";
inline constexpr const char* kLegendAtT = "T = %1 ℃";
inline constexpr const char* kTemperatureSummary = "粘温曲线，%1 ℃ 到 %2 ℃。";
inline constexpr const char* kTemperatureSummaryLine = "%1：40 ℃ %2 cSt，100 ℃ %3 cSt";
inline constexpr const char* kTemperatureSummaryAtT = "，%1 ℃ %2 cSt";
// The blend chart's legend.
inline constexpr const char* kLegendBlendLine = "混合线";
inline constexpr const char* kLegendShearLine = "剪切后的混合线";

}  // namespace olvimar::texts
