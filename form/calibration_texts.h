#pragma once

// The texts of the section "实测校准", where measured blends correct the blending rule, for both
// front ends: the names a screen reader hears, the list's lines and their quiet reasons.
namespace olvimar::texts {

inline constexpr const char* kCalibrationTitle = "实测校准";
inline constexpr const char* kMeasuredPercent = "实测混合油的 A 比例 %";
inline constexpr const char* kMeasuredViscosity = "实测粘度 cSt";
inline constexpr const char* kMeasuredTemperature = "实测温度";
inline constexpr const char* kAddMeasured = "添加实测";
inline constexpr const char* kRemoveMeasured = "删除";
inline constexpr const char* kCalibrate = "按实测校准";
inline constexpr const char* kMeasuredList = "实测混合油";
inline constexpr const char* kMeasuredNone =
    "还没有实测混合油。调一小份接近所需配比的混合油，在要调配的温度下测出粘度，填在上面。";

// A measured blend in the list, and what the rule and the calibrated rule say of it: the
// temperature, the share, the viscosity; then the deviations, or why it does not count.
inline constexpr const char* kMeasuredLine = "%1，A %2%，实测 %3 cSt";
inline constexpr const char* kMeasuredDeviation = "：混合公式偏差 %1";
inline constexpr const char* kMeasuredResidual = "，校准后残差 %1";
inline constexpr const char* kMeasuredOilsUnknown =
    "：不计入，还不知道两种机油在%1的粘度（主窗口选这个温度，或在数据表中填写）";
inline constexpr const char* kMeasuredOilsSame = "：不计入，两种机油在%1的粘度相同，实测不能校准";
inline constexpr const char* kMeasuredOilOutside =
    "：不计入，校准要求两种机油在%1的粘度都在 0.001 到 1000000 cSt 之间";
inline constexpr const char* kMeasuredPercentNotANumber = "：不计入，A 比例应是最多两位小数的数字";
inline constexpr const char* kMeasuredPercentOutside = "：不计入，A 比例应大于 0、小于 100";
inline constexpr const char* kMeasuredViscosityNotANumber = "：不计入，实测粘度应是数字";
inline constexpr const char* kMeasuredViscosityOutside = "：不计入，实测粘度应在两种机油的粘度之间";
inline constexpr const char* kMeasuredBeyondFive = "：不计入，每个温度最多计入 5 个实测";
// "添加实测" with the list full: the boxes keep what is typed.
inline constexpr const char* kMeasuredListFull =
    "实测列表最多 %1 个，已经满了：请先删除不再需要的实测，再添加这一个。";
// Each temperature's factor, under the list.
inline constexpr const char* kFactorLine = "%1：校准系数 %2";

// Generate with the switch on and nothing to calibrate by at the window's temperature.
inline constexpr const char* kNoCalibration =
    "已打开“按实测校准”，但%1下还没有计入的实测混合油，所以没有生成。"
    "请在“实测校准”中添加一个在%1测得的混合油，或关闭“按实测校准”。";

// The blend chart and its readout with the switch on.
inline constexpr const char* kLegendCalibrated = "按实测校准";
inline constexpr const char* kLegendRule = "混合公式";
inline constexpr const char* kLegendMeasured = "实测";
inline constexpr const char* kCalibratedViscosity = "校准后混合粘度 %1 cSt";
inline constexpr const char* kRuleViscosity = "混合公式 %1 cSt";
// What a screen reader hears of them in the chart's summary.
inline constexpr const char* kSummaryCalibrated =
    "按实测校准，校准系数 %1；粗线是校准后的混合线，细线是混合公式。";
inline constexpr const char* kSummaryMeasured = "圆圈是 %1 个实测混合油。";

}  // namespace olvimar::texts
