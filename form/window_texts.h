#pragma once

#include <array>
#include <string_view>

// Every text the window shows, in one place, for every front end: the layout puts them on its
// controls, the failure messages name the fields by the same labels, and a screen reader gets
// the names and descriptions below.
namespace olvimar::texts {

inline constexpr const char* kCaption = "Olvimar";

// Label1(0) to Label1(6). The indices do not follow the boxes: Label1(1) is the temperature's,
// Label1(2) oil B's.
inline constexpr std::array<const char*, 7> kLabel1 = {
    "A机油粘度", "温度 ℃", "B机油粘度", "生成粘度", "总机油 L", "A剪切稳定性", "B剪切稳定性",
};
inline constexpr const char* kLabel2 = "生成可支持 7,10 或者 7-14 表达式";
inline constexpr const char* kLabel3 = "生成记录";

inline constexpr const char* kCommand1 = "生成(&E)";
inline constexpr const char* kCommand2 = "清空(&C)";

// The rows of Combo1, by temperature row.
inline constexpr std::array<const char*, 3> kTemperatures = {"100 ℃", "40 ℃", "-5 ℃"};

// The rows of List1, by preset row: a grade or "engine oil", a TAB, and what it stands for.
inline constexpr std::array<const char*, 7> kPresetRows = {
    "0w20\t7.276", "0w30\t11.25", "0w40\t13.69", "机油\t4L", "机油\t5L", "", "双击可添加右侧",
};

// The text a label or a button of the layout shows, by its name there; null for one without.
constexpr const char* CaptionOf(std::string_view name) {
    if (name.starts_with("Label1_")) return kLabel1.at(static_cast<std::size_t>(name[7] - '0'));
    if (name == "Label2") return kLabel2;
    if (name == "Label3") return kLabel3;
    if (name == "Command1") return kCommand1;
    if (name == "Command2") return kCommand2;
    return nullptr;
}

// What the empty record box says while the record that Clear removed can come back, and the
// button that brings it back on a phone, which has no Ctrl+Z.
inline constexpr const char* kUndoClearHint = "已清空生成记录。按 Ctrl+Z 恢复。";
inline constexpr const char* kUndoClearButton = "恢复";

// What a screen reader says beyond the labels.
inline constexpr const char* kBlankRowName = "空行（清空输入框）";
inline constexpr const char* kListName = "预设列表";
inline constexpr const char* kListDescription =
    "常见机油的粘度和总油量。双击一行，或选中后按 Enter，把它的数值填入最后使用的输入框。";
inline constexpr const char* kHintRowDescription =
    "双击一行，或选中后按 Enter，把它的数值填入右侧最后使用的输入框。";
inline constexpr const char* kRowActionDescription = "把这一行的数值填入最后使用的输入框";
inline constexpr const char* kCommand1Name = "生成";
inline constexpr const char* kCommand1Description =
    "按生成粘度算出两种机油的配比，加入生成记录。快捷键 Alt+E 或 Enter。";
inline constexpr const char* kCommand2Name = "清空";
inline constexpr const char* kCommand2Description = "清空生成记录。快捷键 Alt+C 或 Esc。";
inline constexpr const char* kCommand3Name = "剪切稳定性";
inline constexpr const char* kCommand3Description =
    "加宽窗口，显示A剪切稳定性和B剪切稳定性输入框；再按一次收起。";

// The blend chart: its window or panel, its handle and the box beside it, what it says.
inline constexpr const char* kChartTitle = "混合曲线";
inline constexpr const char* kOpenChart = "混合曲线(&G)";  // the record box's menu
inline constexpr const char* kHandleName = "A机油比例";
inline constexpr const char* kPercentBox = "A机油比例 %";
inline constexpr const char* kPercentHint = "请输入 0 到 100 之间、最多两位小数的百分比。";
inline constexpr const char* kChartXTitle = "A机油比例 %";
inline constexpr const char* kChartYTitle = "粘度 cSt（%1）";  // the temperature
inline constexpr const char* kChartOilB = "← B机油";           // at 0 % of A
inline constexpr const char* kChartOilA = "A机油 →";           // at 100 %
inline constexpr const char* kChartNeeds = "显示混合曲线还需要：%1。";
inline constexpr const char* kChartNeedsTemperature = "温度";  // what %1 lists, with the labels
inline constexpr const char* kChartNotPositive = "%1应大于 0，才能画出混合曲线。";
inline constexpr const char* kChartTooLarge = "%1超过 %2 cSt，画不出混合曲线。";
inline constexpr const char* kChartSame = "A机油粘度和B机油粘度相同，画不出混合曲线。";
inline constexpr const char* kBeyond = "%1 cSt 调不出";
inline constexpr const char* kBeyondMany = "%1 个目标调不出";
inline constexpr const char* kBlendViscosity = "混合粘度 %1 cSt";
inline constexpr const char* kShearViscosity = "剪切后粘度 %1 cSt";
// What a screen reader hears of the chart.
inline constexpr const char* kSummaryLine = "%1下，B机油 %2 cSt 在 0%，A机油 %3 cSt 在 100%。";
inline constexpr const char* kSummaryShear = "剪切后：B机油 %1 cSt，A机油 %2 cSt。";
inline constexpr const char* kSummaryTarget = "目标 %1 cSt 在 A %2%。";
inline constexpr const char* kSummaryBeyond = "目标 %1 cSt 用这两种机油调不出。";
inline constexpr const char* kSummaryRange = "目标 %1 到 %2 cSt，共 %3 个，A 从 %4% 到 %5%。";
inline constexpr const char* kSummaryRangeBeyond = "其中 A 不在 0% 到 100% 之间的调不出。";
inline constexpr const char* kSummaryMany = "%1 个目标，%2 个在线上，%3 个调不出。";

}  // namespace olvimar::texts
