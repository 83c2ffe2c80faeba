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

}  // namespace olvimar::texts
