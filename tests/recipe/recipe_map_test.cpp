// The map "可调范围" as numbers: the oils where the rule's scales put them, the region between
// them, the target as a filled dot or a ring that says it cannot be made, the line of recipes with
// one target; and a click's and an arrow's targets back in cSt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "recipe/recipe_map.h"

namespace olvimar::recipe {
namespace {

using chart::Ink, chart::Shape;

Boxes Worked(const char* t100, const char* t40) {
    Boxes b;
    const std::pair<Box, const char*> typed[] = {
        {kA40, "40"},  {kA100, "7.276"}, {kB40, "90"},  {kB100, "13.69"},
        {kC40, "150"}, {kC100, "14.5"},  {kT100, t100}, {kT40, t40}};
    for (const auto& [box, text] : typed) b.texts[box] = text;
    return b;
}

std::vector<const chart::Mark*> TargetMarks(const chart::Picture& p) {
    std::vector<const chart::Mark*> marks;
    for (const chart::Mark& m : p.marks)
        if (m.ink == Ink::Target) marks.push_back(&m);
    return marks;
}

TEST(RecipeMap, PointsRegionAndTarget) {
    const chart::Frame frame{600, 450, 16};
    const Map m = DrawMap(Work(Worked("10", "62"), {}, false).map, frame);
    const chart::Picture& p = m.picture;
    // Each oil at its W on both axes: A at ln ln(4.1 + 40) across and ln ln(1.8 + 7.276) up.
    const auto x = [&](double v) {
        return p.left + (std::log(std::log(4.1 + v)) - m.w40Low) / (m.w40High - m.w40Low) *
                            (p.right - p.left);
    };
    const auto y = [&](double v) {
        return p.bottom - (std::log(std::log(1.8 + v)) - m.w100Low) / (m.w100High - m.w100Low) *
                              (p.bottom - p.top);
    };
    const chart::Mark& a = p.marks.front();
    EXPECT_NEAR(a.x, x(40), 1e-6);
    EXPECT_NEAR(a.y, y(7.276), 1e-6);
    ASSERT_EQ(
        p.areas.size() - std::count_if(p.areas.begin(), p.areas.end(),
                                       [](const chart::Area& r) { return r.ink != Ink::Region; }),
        1u);
    const std::vector<const chart::Mark*> target = TargetMarks(p);
    ASSERT_EQ(target.size(), 1u);
    EXPECT_EQ(target[0]->shape, Shape::Dot);  // inside: it can be made
    EXPECT_NEAR(target[0]->x, x(62), 1e-6);
    EXPECT_NEAR(target[0]->y, y(10), 1e-6);
    EXPECT_EQ(
        p.summary,
        "可调范围图：这些成分可调出 40 ℃ 粘度 40 到 150 cSt、100 ℃ 粘度 7.276 到 14.5 "
        "cSt（两者不能随意组合，见图中的区域）。目标 40 ℃ 62 cSt、100 ℃ 10 cSt 在可调范围内。");
    // The triangle's three edges are blend lines of two oils.
    EXPECT_EQ(
        std::count_if(p.lines.begin(), p.lines.end(),
                      [&](const chart::Line& l) { return l.ink == Ink::Blend && l.y1 >= p.top; }),
        3);

    // A click there gives those targets back; an arrow moves the 40 ℃ one a step thicker.
    const Targets back = TargetsAt(m, x(62), y(10));
    EXPECT_EQ(back.t40, "62");
    EXPECT_EQ(back.t100, "10");
    const Targets right =
        TargetsMoved(m, Work(Worked("10", "62"), {}, false).map, keys::Action::MapThicker40);
    EXPECT_FALSE(right.t100);
    EXPECT_GT(std::stod(*right.t40), 62);

    // Out of reach: a ring, said to be so.
    const chart::Picture out = DrawMap(Work(Worked("10", "30"), {}, false).map, frame).picture;
    ASSERT_EQ(TargetMarks(out).size(), 1u);
    EXPECT_EQ(TargetMarks(out)[0]->shape, Shape::Ring);
    EXPECT_TRUE(std::any_of(out.texts.begin(), out.texts.end(),
                            [](const chart::Text& t) { return t.text == "调不出"; }));
    // One target: the line of recipes between its two ends, across at 10 cSt.
    const chart::Picture line = DrawMap(Work(Worked("10", ""), {}, false).map, frame).picture;
    EXPECT_EQ(TargetMarks(line).size(), 2u);
    const chart::Mark &one = *TargetMarks(line)[0], &two = *TargetMarks(line)[1];
    EXPECT_TRUE(std::any_of(line.lines.begin(), line.lines.end(), [&](const chart::Line& l) {
        return l.ink == Ink::Blend && l.x1 == one.x && l.y1 == one.y && l.x2 == two.x &&
               l.y2 == two.y;
    }));  // the line of recipes between its ends
    EXPECT_TRUE(std::any_of(line.lines.begin(), line.lines.end(), [&](const chart::Line& l) {
        return l.ink == Ink::Target && l.dashed && std::abs(l.y1 - y(10)) < 1e-6;
    }));
}

}  // namespace
}  // namespace olvimar::recipe
