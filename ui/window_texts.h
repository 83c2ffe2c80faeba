#pragma once

#include <array>

// Every text the window shows, in one place: the layout puts them on its controls, and the
// failure messages name the fields by the same labels.
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

}  // namespace olvimar::texts
