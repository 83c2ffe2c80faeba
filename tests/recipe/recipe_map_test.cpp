// The map "可调范围" as numbers: the oils where the rule's scales put them, the region between
// them, the target as a filled dot or a ring that says it cannot be made, the line of recipes with
// one target; and a click's and an arrow's targets back in cSt.
#include <gtest/gtest.h>

#include <algorithm>

#include "recipe/recipe_map.h"

namespace olvimar::recipe {
namespace {

using chart::Ink, chart::Shape;

struct Drawn {
    MapFigures figures;
    Map map;
    std::vector<const chart::Mark*> targets;
};

// A, B and C of the worked example with these targets, on a frame of 600 x 450 px; priced, at
// 10, 12 and 20 yuan a litre, 4 L.
Drawn Draw(const char* t100, const char* t40, bool priced = false) {
    Boxes b;
    const char* typed[] = {"40",  "7.276", "", priced ? "10" : "",
                           "90",  "13.69", "", priced ? "12" : "",
                           "150", "14.5",  "", priced ? "20" : ""};
    std::copy(std::begin(typed), std::end(typed), b.texts.begin());
    b.texts[kT100] = t100, b.texts[kT40] = t40, b.texts[kTotal] = "4";
    Drawn d{Work(b, {}, false).map, {}, {}};
    d.map = DrawMap(d.figures, {600, 450, 16});
    for (const chart::Mark& m : d.map.picture.marks)
        if (m.ink == Ink::Target) d.targets.push_back(&m);
    return d;
}

bool Says(const chart::Picture& p, const std::string& text) {
    return std::any_of(p.texts.begin(), p.texts.end(),
                       [&](const chart::Text& t) { return t.text == text; });
}

TEST(RecipeMap, PointsRegionAndTarget) {
    const Drawn d = Draw("10", "62");
    const chart::Picture& p = d.map.picture;
    // A's dot stands where a click gives its viscosities back; the target's where it gives 62
    // and 10.
    const chart::Mark& a = p.marks.front();
    EXPECT_EQ(TargetsAt(d.map, a.x, a.y).t40, "40");
    EXPECT_EQ(TargetsAt(d.map, a.x, a.y).t100, "7.276");
    ASSERT_EQ(d.targets.size(), 1u);
    EXPECT_EQ(d.targets[0]->shape, Shape::Dot);  // inside: it can be made
    EXPECT_EQ(TargetsAt(d.map, d.targets[0]->x, d.targets[0]->y).t40, "62");
    EXPECT_EQ(TargetsAt(d.map, d.targets[0]->x, d.targets[0]->y).t100, "10");
    EXPECT_EQ(
        std::count_if(p.areas.begin(), p.areas.end(), [](auto& r) { return r.ink == Ink::Region; }),
        1);
    EXPECT_EQ(
        std::count_if(p.lines.begin(), p.lines.end(),
                      [&](const chart::Line& l) { return l.ink == Ink::Blend && l.y1 >= p.top; }),
        3);  // the triangle's edges, each a blend of two oils
    EXPECT_EQ(
        p.summary,
        "可调范围图：这些成分可调出 40 ℃ 粘度 40 到 150 cSt、100 ℃ 粘度 7.276 到 14.5 "
        "cSt（两者不能随意组合，见图中的区域）。目标 40 ℃ 62 cSt、100 ℃ 10 cSt 在可调范围内。");
    // Each arrow moves its own target a step, the right way, and leaves the other.
    const struct {
        keys::Action action;
        bool forty;
        int sign;
    } arrows[] = {{keys::Action::MapThicker40, true, 1},
                  {keys::Action::MapThinner40, true, -1},
                  {keys::Action::MapThicker100, false, 1},
                  {keys::Action::MapThinner100, false, -1}};
    for (const auto& r : arrows) {
        const Targets moved = TargetsMoved(d.map, d.figures, r.action);
        const std::optional<std::string>& mine = r.forty ? moved.t40 : moved.t100;
        ASSERT_TRUE(mine && !(r.forty ? moved.t100 : moved.t40));
        EXPECT_GT((std::stod(*mine) - (r.forty ? 62 : 10)) * r.sign, 0) << *mine;
    }

    // Out of reach: a ring, said to be so.
    const Drawn out = Draw("10", "30");
    ASSERT_EQ(out.targets.size(), 1u);
    EXPECT_EQ(out.targets[0]->shape, Shape::Ring);
    EXPECT_TRUE(Says(out.map.picture, "调不出"));
    // One target: the line of recipes between its two ends.
    const Drawn line = Draw("10", "");
    ASSERT_EQ(line.targets.size(), 2u);
    const chart::Mark &one = *line.targets[0], &two = *line.targets[1];
    EXPECT_TRUE(
        std::any_of(line.map.picture.lines.begin(), line.map.picture.lines.end(), [&](auto& l) {
            return l.ink == Ink::Blend && l.x1 == one.x && l.y1 == one.y && l.x2 == two.x &&
                   l.y2 == two.y;
        }));
    // A 40 ℃ target alone stands as an upright line through 60 cSt.
    const Drawn upright = Draw("", "60");
    EXPECT_TRUE(std::any_of(upright.map.picture.lines.begin(), upright.map.picture.lines.end(),
                            [&](auto& l) {
                                return l.ink == Ink::Target && l.x1 == l.x2 &&
                                       TargetsAt(upright.map, l.x1, 0).t40 == "60";
                            }));
    // Priced, the cheaper end is marked: the one without C, A and B at 60.091 cSt at 40 ℃.
    const Drawn priced = Draw("10", "", true);
    const auto cheapest =
        std::find_if(priced.map.picture.texts.begin(), priced.map.picture.texts.end(),
                     [](const chart::Text& t) { return t.text == "最便宜"; });
    ASSERT_NE(cheapest, priced.map.picture.texts.end());
    EXPECT_EQ(
        TargetsAt(priced.map, cheapest->x,
                  priced.targets[0]->x == cheapest->x ? priced.targets[0]->y : priced.targets[1]->y)
            .t40,
        "60.091");
}

}  // namespace
}  // namespace olvimar::recipe
