#pragma once

// The recipe's words, for both front ends: the names a screen reader hears, the table's heads,
// the lines under it and the quiet lines of what does not count, and the map's.
#include <array>

namespace olvimar::texts {

inline constexpr const char* kRecipeTitle = "配方";
inline constexpr const char* kOpenRecipe = "配方(&R)";  // the record box's menu

// The boxes, in reading order: each oil's, the package's, the targets, the total.
inline constexpr std::array<const char*, 21> kRecipeBoxes = {
    "A机油 40 ℃ 粘度",  "A机油 100 ℃ 粘度",  "A机油密度",      "A机油单价",
    "B机油 40 ℃ 粘度",  "B机油 100 ℃ 粘度",  "B机油密度",      "B机油单价",
    "C机油 40 ℃ 粘度",  "C机油 100 ℃ 粘度",  "C机油密度",      "C机油单价",
    "添加剂 40 ℃ 粘度", "添加剂 100 ℃ 粘度", "添加剂比例 %",   "添加剂密度",
    "添加剂单价",       "目标 100 ℃ 粘度",   "目标 40 ℃ 粘度", "目标粘度指数",
    "配方总量",
};
// What each kind of box takes, beside it.
inline constexpr const char* kRecipeViscosityUnit = "cSt";
inline constexpr const char* kRecipeDensityUnit = "kg/m³，20 ℃";
inline constexpr const char* kRecipePriceUnit = "元/%1";  // per the total's unit
inline constexpr const char* kRecipeUnitName = "配方单位";
inline constexpr std::array<const char*, 2> kRecipeUnits = {"升", "千克"};
// The groups of boxes, as headings.
inline constexpr std::array<const char*, 6> kRecipeGroups = {
    "A机油", "B机油", "C机油（可选）", "添加剂（可选）", "目标", "总量",
};

// The table: its rows, for the components in use, and its columns.
inline constexpr std::array<const char*, 5> kRecipeRows = {"A机油", "B机油", "C机油", "添加剂",
                                                           "合计"};
inline constexpr std::array<const char*, 4> kRecipeColumns = {"比例 %", "升", "千克", "金额"};
inline constexpr const char* kRecipeNone = "—";
// The two ends of a line of recipes, each a table of its own.
inline constexpr const char* kRecipeEnd = "配方：不用%1的一端";

// Under the table: the blend's own data, and what the targets stand for.
inline constexpr const char* kRecipeBlend = "混合油：%1";
inline constexpr const char* kRecipeBlendAt = "%1 %2 cSt";  // the temperature, the viscosity
inline constexpr const char* kRecipeBlendIndex = "粘度指数 %1";
inline constexpr const char* kRecipeBlendDensity = "密度 %1 kg/m³";
inline constexpr const char* kRecipeIndexTarget =
    "目标粘度指数 %1 在 100 ℃ %2 cSt 时对应 40 ℃ 粘度 %3 cSt。";
inline constexpr const char* kRecipeLine =
    "一个目标、三种机油：配方有无数个，都在可调范围图中的一条线上。下面是这条线的两端，各不用一种机"
    "油；"
    "填写每种成分的单价，就给出最便宜的一端。";
inline constexpr const char* kRecipeCheapest =
    "一个目标、三种机油：配方有无数个，都在一条线上；按单价，最便宜的是不用%1的一端，金额 %2 元"
    "（另一端 %3 元）。";
inline constexpr const char* kRecipeRule =
    "“按实测校准”只用于两种机油的混合曲线和生成记录；配方按混合公式计算。";

// Quiet lines: what does not count, or is missing, each naming its box.
inline constexpr const char* kRecipeNeeds = "还需要：%1。";
inline constexpr const char* kRecipeNotANumber = "%1“%2”不是有效的数字。";
inline constexpr const char* kRecipeNotPositive = "%1应大于 0。";
inline constexpr const char* kRecipeTooLarge = "%1应不超过 %2。";
inline constexpr const char* kRecipeShare =
    "添加剂比例 % 应在 0 到 100 之间（不含 100），最多两位小数。";
inline constexpr const char* kRecipeIndexRange = "目标粘度指数应在 -1000 到 1000 之间。";
inline constexpr const char* kRecipeFortyAndIndex = "目标 40 ℃ 粘度和目标粘度指数只能填一个。";
inline constexpr const char* kRecipeIndexNeedsHundred = "目标粘度指数还需要目标 100 ℃ 粘度。";
inline constexpr const char* kRecipeNoIndex =
    "目标 100 ℃ 粘度 %1 cSt 时，没有粘度指数为 %2 的机油：%3。";
inline constexpr const char* kRecipeTwoTargets =
    "两个目标需要三种机油：请在 C机油 40 ℃ 粘度和 C机油 100 ℃ 粘度中填写第三种机油，"
    "或只留一个目标。";
inline constexpr const char* kRecipeNoTarget =
    "填写目标 100 ℃ 粘度、目标 40 ℃ 粘度（或目标粘度指数），就给出配方。";
inline constexpr const char* kRecipeCannot = "调不出：需要 %1";
inline constexpr const char* kRecipeNeeded = "%1 %2%";  // a component and the share it would need
inline constexpr const char* kRecipeInOneLine =
    "这些机油在两个温度下的粘度在可调范围图中几乎在一条线上，两个目标定不出配方：请换一种机油。";
inline constexpr const char* kRecipeSame = "这些机油在 %1 的粘度相同，定不出配方：请换一种机油。";
inline constexpr const char* kRecipeKilogramsNeed = "按千克计算还需要：%1。";
inline constexpr const char* kRecipePricesNeed = "算出金额还需要：%1。";

// The map "可调范围".
inline constexpr const char* kMapTitle = "可调范围";
inline constexpr const char* kMapX = "40 ℃ 粘度 cSt";
inline constexpr const char* kMapY = "100 ℃ 粘度 cSt";
inline constexpr const char* kMapNeeds = "可调范围图还需要：%1。";
inline constexpr const char* kMapCannot = "调不出";
inline constexpr const char* kMapPackage = "添加剂";
inline constexpr const char* kMapRegion = "可调范围";
inline constexpr const char* kMapTarget = "目标";
inline constexpr const char* kMapLine = "配方线";
inline constexpr const char* kMapCheapest = "最便宜";
inline constexpr const char* kMapTargetName = "目标（可调范围）";
// What a screen reader hears of it.
inline constexpr const char* kMapSummary =
    "可调范围图：这些成分可调出 40 ℃ 粘度 %1 到 %2 cSt、100 ℃ 粘度 %3 到 %4 "
    "cSt（两者不能随意组合，见图中的区域）。";
inline constexpr const char* kMapSummaryInside = "目标 %1在可调范围内。";
inline constexpr const char* kMapSummaryOutside = "目标 %1在可调范围外，调不出。";
inline constexpr const char* kMapSummaryTargets = "40 ℃ %1 cSt、100 ℃ %2 cSt ";

}  // namespace olvimar::texts
