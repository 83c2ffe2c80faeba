// The blend chart's model, as numbers: its viscosity axis on the rule's scale at each temperature,
// the line's ends, the targets on it and beyond it, the shear line, a range as a stretch, what it
// still needs, and the handle with its readout.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "calc/blend.h"
#include "chart/chart.h"
#include "chart/chart_scale.h"
#include "chart/temperature_chart.h"

namespace olvimar::chart {
namespace {

Input Example(const std::string& targets = "10", int hundredths = 5000) {
    Input in;
    in.fields.s = 0;
    in.fields.viscA = "7.276";
    in.fields.viscB = "13.69";
    in.fields.litres = "4";
    in.targets = targets;
    in.hundredths = hundredths;
    return in;
}

Picture DrawIt(const Input& in) {
    return Draw(in, BlendConstants(), {600, 400, 16});
}

std::size_t Count(const Picture& p, Shape shape) {
    std::size_t n = 0;
    for (const Mark& m : p.marks) n += m.shape == shape;
    return n;
}

// The first line of `ink` in the plot, not the legend's sample above it.
const Line* LineOf(const Picture& p, Ink ink) {
    for (const Line& l : p.lines)
        if (l.ink == ink && l.y1 >= p.top) return &l;
    return nullptr;
}

bool Says(const Picture& p, const std::string& text) {
    for (const Text& t : p.texts)
        if (t.text == text) return true;
    return false;
}

// The rule's own scale, worked out here with the C library: ln ln(V + c).
double LnLn(double v, double c) {
    return std::log(std::log(v + c));
}

TEST(Chart, TheViscosityAxisIsTheRulesScaleAtEveryTemperature) {
    const double constants[] = {1.8, 4.1, 1.9};
    for (int s = 0; s < 3; ++s) {
        for (const auto& [a, b] : {std::pair{"7.276", "13.69"}, {"2", "1000"}, {"150", "152"}}) {
            Input in = Example();
            in.fields.s = static_cast<std::int16_t>(s);
            in.fields.viscA = a;
            in.fields.viscB = b;
            const Picture p = DrawIt(in);
            SCOPED_TRACE(std::to_string(s) + ": A " + a + ", B " + b);
            ASSERT_EQ(p.needs, "");
            const Line& blend = *LineOf(p, Ink::Blend);
            const double c = constants[s], ya = LnLn(std::atof(a), c), yb = LnLn(std::atof(b), c);
            // Each grid line stands where its label's viscosity lies between B's and A's, on the
            // scale on which the blend line is straight.
            std::size_t ticks = 0;
            for (const Text& t : p.texts) {
                // The labels of the viscosity axis end left of it.
                if (t.anchor != Anchor::End || t.x >= p.left) continue;
                char* end = nullptr;
                const double v = std::strtod(t.text.c_str(), &end);
                ASSERT_EQ(*end, '\0') << "a label written by the number rules: " << t.text;
                const double expected =
                    blend.y1 + (blend.y2 - blend.y1) * (LnLn(v, c) - yb) / (ya - yb);
                EXPECT_NEAR(t.y - 0.35 * 16, expected, 1e-6) << t.text;
                EXPECT_GE(expected, p.top - 1e-6);
                EXPECT_LE(expected, p.bottom + 1e-6);
                // A round value: three significant digits at the most.
                std::string digits;
                for (const char d : t.text)
                    if (d >= '0' && d <= '9' && !(digits.empty() && d == '0')) digits += d;
                while (!digits.empty() && digits.back() == '0') digits.pop_back();
                EXPECT_LE(digits.size(), 3u) << t.text;
                ++ticks;
            }
            EXPECT_GE(ticks, 2u);
        }
    }
}

TEST(Chart, TheAxisFitsItsLabelsOnAnySize) {
    // The smallest chart window at a 24-px font still marks its axis, with fewer ticks.
    const Picture small = Draw(Example(), BlendConstants(), {320, 220, 24});
    std::size_t ticks = 0;
    for (const Text& t : small.texts) ticks += t.anchor == Anchor::End && t.x < small.left;
    EXPECT_GE(ticks, 2u);
    // Long labels take the room they need: the plot begins further right.
    Input wide = Example();
    wide.fields.viscA = "2";
    wide.fields.viscB = "1000000";
    const Picture widest = DrawIt(wide);
    EXPECT_GT(widest.left, DrawIt(Example()).left);
    // Over six decades the ticks are the powers of ten: round values, and no others.
    for (const Text& t : widest.texts) {
        if (t.anchor == Anchor::End && t.x < widest.left) {
            EXPECT_TRUE(t.text.starts_with('1') &&
                        t.text.find_first_not_of('0', 1) == std::string::npos)
                << t.text;
        }
    }
}

TEST(Chart, TwoOilsAHairApartStillMakeALine) {
    Input in = Example();
    in.fields.viscA = "1e-9";
    in.fields.viscB = "3e-9";
    const Picture p = DrawIt(in);
    ASSERT_EQ(p.needs, "");
    const Line& blend = *LineOf(p, Ink::Blend);
    EXPECT_TRUE(blend.y1 >= p.top && blend.y1 <= p.bottom && blend.y2 >= p.top &&
                blend.y2 <= p.bottom);
}

TEST(Chart, TheLineRunsFromBAtNoneToAAtAll) {
    const Picture p = DrawIt(Example());
    const Line& blend = *LineOf(p, Ink::Blend);
    EXPECT_DOUBLE_EQ(blend.x1, p.left);
    EXPECT_DOUBLE_EQ(blend.x2, p.right);
    EXPECT_GT(blend.y1, p.top);     // B, the thicker oil, stands higher …
    EXPECT_LT(blend.y1, blend.y2);  // … than A
    EXPECT_LT(blend.y2, p.bottom);
    EXPECT_EQ(LineOf(p, Ink::Shear), nullptr);
    // The share axis is labelled at both ends of the line.
    for (const auto& [label, x] : {std::pair{"0", p.left}, {"100", p.right}}) {
        bool found = false;
        for (const Text& t : p.texts) found = found || (t.text == label && t.x == x);
        EXPECT_TRUE(found) << label;
    }
    for (const auto& [h, y, viscosity] :
         {std::tuple{0, blend.y1, "13.690"}, {10000, blend.y2, "7.276"}}) {
        const Picture at = DrawIt(Example("10", h));
        EXPECT_DOUBLE_EQ(at.handle.y, y);
        EXPECT_NE(at.readout.find(std::string("混合粘度 ") + viscosity + " cSt"), std::string::npos)
            << at.readout;
    }
}

TEST(Chart, TargetsStandOnTheLineOrBeyondItsEnds) {
    const struct {
        const char* name;
        const char* targets;
        std::size_t dots, left, right;
        const char* label;  // a text the chart shows
    } rows[] = {
        {"a target between the oils", "10", 1, 0, 0, nullptr},
        {"a target at B itself: on the line at 0 %", "13.69", 1, 0, 0, nullptr},
        {"a list between the oils", "10,12", 2, 0, 0, nullptr},
        {"thicker than B: beyond B's end", "15", 0, 1, 0, "15.000 cSt 调不出"},
        {"thinner than A: beyond A's end", "5", 0, 0, 1, "5.000 cSt 调不出"},
        {"on, below and above", "10,15,5", 1, 1, 1, "15.000 cSt 调不出"},
        {"a few values of a range, each: 7 to 7.2 lie beyond A", "7-8", 8, 0, 3,
         "7.000 cSt 调不出"},
        {"a target that is not a number drops every mark", "10,7a", 0, 0, 0, nullptr},
        {"a range refused drops every mark", "7-10,0", 0, 0, 0, nullptr},
        {"empty pieces are no targets", ",,10,", 1, 0, 0, nullptr},
        {"many targets on one pixel are one mark", "10,10,10.0001", 1, 0, 0, nullptr},
    };
    for (const auto& r : rows) {
        const Picture p = DrawIt(Example(r.targets));
        EXPECT_EQ(Count(p, Shape::Dot), r.dots) << r.name;
        EXPECT_EQ(Count(p, Shape::Left), r.left) << r.name;
        EXPECT_EQ(Count(p, Shape::Right), r.right) << r.name;
        EXPECT_NE(LineOf(p, Ink::Blend), nullptr) << r.name;
        if (r.label) {
            EXPECT_TRUE(Says(p, r.label)) << r.name;
        }
    }
    // 10 cSt on the line at 48.19 %, the record's percentage.
    const Picture p = DrawIt(Example("10"));
    const Mark& dot = p.marks.front();
    EXPECT_NEAR(dot.x, p.left + 0.4819 * (p.right - p.left), 1e-9);
    EXPECT_NE(p.summary.find("目标 10.000 cSt 在 A 48.19%。"), std::string::npos) << p.summary;
    EXPECT_NE(DrawIt(Example("15")).summary.find("目标 15.000 cSt 用这两种机油调不出。"),
              std::string::npos);
    EXPECT_NE(DrawIt(Example("13.69")).summary.find("目标 13.690 cSt 在 A 0%。"),
              std::string::npos);
}

TEST(Chart, BothLossesAddTheShearLineAndItsMarks) {
    Input in = Example("10");
    in.fields.lossA = "10";
    in.fields.lossB = "5";
    const Picture p = DrawIt(in);
    const Line* shear = LineOf(p, Ink::Shear);
    ASSERT_NE(shear, nullptr);
    EXPECT_TRUE(shear->dashed);
    ASSERT_EQ(Count(p, Shape::Ring), 1u);
    for (const Mark& m : p.marks) {  // at the L MAX line's 36.8 %
        if (m.shape == Shape::Ring) {
            EXPECT_NEAR(m.x, p.left + 0.368 * (p.right - p.left), 1e-9);
        }
    }
    EXPECT_TRUE(p.handle.yShear.has_value());
    EXPECT_NE(p.readout.find("剪切后粘度 "), std::string::npos);
    // A loss below zero thickens its oil: the axis grows to keep the line on the plot.
    in.fields.lossB = "-50";
    const Picture thicker = DrawIt(in);
    const Line* up = LineOf(thicker, Ink::Shear);
    ASSERT_NE(up, nullptr);
    for (const double y : {up->y1, up->y2}) {
        EXPECT_GE(y, thicker.top);
        EXPECT_LE(y, thicker.bottom);
    }
    // No shear line, and so no marks on it, though the record may still write an L MAX line: a
    // loss that leaves nothing of its oil, or less than nothing.
    for (const auto& [lossA, lossB] :
         {std::pair{"10", ""}, {"x", "5"}, {"100", "5"}, {"150", "5"}, {"5", "104"}})
        for (const char* targets : {"10", "3", "2-6"}) {
            in.fields.lossA = lossA;
            in.fields.lossB = lossB;
            in.targets = targets;
            const Picture none = DrawIt(in);
            EXPECT_EQ(LineOf(none, Ink::Shear), nullptr) << lossA << " " << lossB;
            EXPECT_EQ(LineOf(none, Ink::ShearStretch), nullptr) << lossA << " " << targets;
            EXPECT_EQ(Count(none, Shape::Ring), 0u) << lossA << " " << lossB << " " << targets;
        }
}

TEST(Chart, ARangeOfManyValuesIsAStretchOfTheLine) {
    for (const char* range : {"8-13", "1-100000,1"}) {
        const Picture p = DrawIt(Example(range));
        EXPECT_EQ(Count(p, Shape::Dot), 0u) << range;
        const Line* stretch = LineOf(p, Ink::Stretch);
        ASSERT_NE(stretch, nullptr) << range;
        EXPECT_GT(stretch->x2 - stretch->x1, 0.5 * (p.right - p.left)) << range;
    }
    // 1 to 100000 cSt runs beyond both ends.
    const Picture all = DrawIt(Example("1-100000,1"));
    EXPECT_EQ(Count(all, Shape::Left), 1u);
    EXPECT_EQ(Count(all, Shape::Right), 1u);
    EXPECT_NE(all.summary.find("共 100000 个"), std::string::npos) << all.summary;
    // A screen reader hears that some of them no mix reaches, and only then.
    const std::string beyond = "其中 A 不在 0% 到 100% 之间的调不出。";
    EXPECT_NE(all.summary.find(beyond), std::string::npos) << all.summary;
    EXPECT_EQ(DrawIt(Example("8-13")).summary.find(beyond), std::string::npos);
}

TEST(Chart, WhatItStillNeedsIsOneQuietLine) {
    const struct {
        const char* name;
        const char* a;
        const char* b;
        int s;
        const char* needs;
    } rows[] = {
        {"nothing yet", "", "", -1, "显示混合曲线还需要：A机油粘度、B机油粘度、温度。"},
        {"oil A empty", "", "13.69", 0, "显示混合曲线还需要：A机油粘度。"},
        {"oil B not a number", "7.276", "13,69", 0, "显示混合曲线还需要：B机油粘度。"},
        {"no temperature", "7.276", "13.69", -1, "显示混合曲线还需要：温度。"},
        {"oil A at zero", "0", "13.69", 0, "A机油粘度应大于 0，才能画出混合曲线。"},
        {"oil B too thick to draw", "7.276", "2e9", 0,
         "B机油粘度超过 1000000000 cSt，画不出混合曲线。"},
        {"the same oil twice", "10", "10.0", 1, "A机油粘度和B机油粘度相同，画不出混合曲线。"},
        {"two oils that the rule cannot tell apart", "1e-17", "2e-17", 0,
         "A机油粘度和B机油粘度相同，画不出混合曲线。"},
    };
    for (const auto& r : rows) {
        Input in = Example();
        in.fields.viscA = r.a;
        in.fields.viscB = r.b;
        in.fields.s = static_cast<std::int16_t>(r.s);
        const Picture p = DrawIt(in);
        EXPECT_EQ(p.needs, r.needs) << r.name;
        EXPECT_TRUE(p.lines.empty() && p.marks.empty()) << r.name;
        ASSERT_EQ(p.texts.size(), 1u) << r.name;
        EXPECT_EQ(p.texts[0].text, r.needs) << r.name;
        EXPECT_EQ(p.summary, r.needs) << r.name;  // a screen reader hears it too
    }
}

// On a phone's 320 px (a frame of 286 px at a 16 px font), what a chart still needs stands in
// lines inside its frame: the blend chart's and the viscosity-temperature chart's.
TEST(Chart, WhatItNeedsWrapsInsideANarrowFrame) {
    const Frame phone{286, 300, 16};
    const Picture pictures[] = {Draw(Input{}, BlendConstants(), phone),
                                DrawTemperatures(sheet::Figures{}, phone)};
    for (const Picture& p : pictures) {
        std::string joined;
        for (const Text& t : p.texts) {
            const double half = TextWidth(t.text, phone.font) / 2;
            EXPECT_TRUE(t.x - half >= 0 && t.x + half <= phone.width) << t.text;
            joined += t.text;
        }
        EXPECT_GE(p.texts.size(), 2u) << p.needs;
        EXPECT_EQ(joined, p.needs);
    }
}

TEST(Chart, TheHandleReadsOutTheMixInTheRecordsForm) {
    const struct {
        const char* name;
        int hundredths;
        const char* litres;
        const char* readout;
    } rows[] = {
        {"the issue's split", 4000, "4", "A 40% 1.6L, B 60% 2.4L\n混合粘度 "},
        {"B's share is 100 - p exactly", 9999, "4", "A 99.99% 3.9996L, B 0.01% 0.0004L\n"},
        {"the record's worked example", 4819, "4",
         "A 48.19% 1.9276L, B 51.81% 2.0724L\n混合粘度 10.000 cSt"},
        {"only the shares while the total is not a number", 4000, "4升", "A 40%, B 60%\n"},
    };
    for (const auto& r : rows) {
        Input in = Example("10", r.hundredths);
        in.fields.litres = r.litres;
        const Picture p = DrawIt(in);
        EXPECT_EQ(p.readout.rfind(r.readout, 0), 0u) << r.name << ": " << p.readout;
        EXPECT_EQ(p.valueText.rfind(PercentText(r.hundredths) + "%，", 0), 0u) << r.name;
    }
}

TEST(Chart, TheHandleMovesByKeyByPointAndByTypedShare) {
    using keys::Action;
    const struct {
        Action action;
        int from, to;
    } keys[] = {
        {Action::HandleUp, 4819, 4919},      {Action::HandleDown, 50, 0},
        {Action::HandleUpPage, 9500, 10000}, {Action::HandleDownPage, 4819, 3819},
        {Action::HandleToMinimum, 4819, 0},  {Action::HandleToMaximum, 4819, 10000},
    };
    for (const auto& k : keys) EXPECT_EQ(Moved(k.action, k.from, Picture{}), k.to);
    EXPECT_FALSE(Moved(Action::Generate, 4819, Picture{}).has_value());

    const Picture p = DrawIt(Example());
    EXPECT_EQ(HundredthsAt(p, p.left, p.bottom), 0);
    EXPECT_EQ(HundredthsAt(p, p.right + 50, p.bottom), 10000);
    EXPECT_EQ(HundredthsAt(p, p.left + 0.4819 * (p.right - p.left), p.bottom), 4819);

    const struct {
        const char* text;
        std::optional<int> hundredths;
    } typed[] = {
        {"48.19", 4819}, {" 48.190 ", 4819}, {"100", 10000}, {"0", 0},      {"1e1", 1000},
        {"48.195", {}},  {"101", {}},        {"-1", {}},     {"48,19", {}}, {"", {}},
    };
    for (const auto& t : typed) EXPECT_EQ(TypedHundredths(t.text), t.hundredths) << t.text;
}

// Whole pictures' labels for a few oils: the round values each axis marks, in order.
TEST(Chart, TheAxesMarkTheirRoundValues) {
    const struct {
        const char* name;
        int s;
        const char *a, *b;
        std::string viscosities;
    } rows[] = {
        {"the worked example", 0, "7.276", "13.69", "8 9 10 12"},
        {"over decades, by 1, 2 and 5", 0, "2", "1000", "2 5 10 20 50 100 500 2000"},
        {"two oils close together: every whole cSt", 1, "150", "152",
         "146 147 148 149 150 151 152 153 154 155 156"},
        {"by 1, 1.5, 2, 3, 5 and 7", 0, "20", "45", "20 25 30 40"},
        {"below one cSt", 0, "0.5", "3", "0.5 0.7 1 1.5 2 3"},
    };
    for (const auto& r : rows) {
        Input in = Example();
        in.fields.s = static_cast<std::int16_t>(r.s);
        in.fields.viscA = r.a;
        in.fields.viscB = r.b;
        const Picture p = DrawIt(in);
        std::string up, across;
        for (const Text& t : p.texts) {
            if (t.anchor == Anchor::End && t.x < p.left) up += (up.empty() ? "" : " ") + t.text;
            if (t.anchor == Anchor::Middle && t.y > p.bottom && t.y < p.bottom + 2 * 16)
                across += (across.empty() ? "" : " ") + t.text;
        }
        EXPECT_EQ(up, r.viscosities) << r.name;
        EXPECT_EQ(across, "0 10 20 30 40 50 60 70 80 90 100") << r.name;
    }
}

// A stretch of a range lies along its own line: the blend line's, or the shear line's.
TEST(Chart, EachStretchLiesAlongItsOwnLine) {
    Input in = Example("8-12");
    in.fields.lossA = "10";
    in.fields.lossB = "5";
    const Picture p = DrawIt(in);
    for (const auto& [stretch, line] :
         {std::pair{Ink::Stretch, Ink::Blend}, {Ink::ShearStretch, Ink::Shear}}) {
        const Line* s = LineOf(p, stretch);
        const Line* l = LineOf(p, line);
        ASSERT_TRUE(s && l);
        for (const auto& [x, y] : {std::pair{s->x1, s->y1}, {s->x2, s->y2}})
            EXPECT_NEAR(y, l->y1 + (l->y2 - l->y1) * (x - l->x1) / (l->x2 - l->x1), 1e-6)
                << static_cast<int>(stretch);
    }
}

// A click on a target's mark, or Ctrl+arrow on the handle, puts it at the target's split exactly.
TEST(Chart, ATargetsSplitIsOneStepAway) {
    using keys::Action;
    Input in = Example("10,12");
    in.fields.lossA = "10";
    in.fields.lossB = "5";
    const Picture p = DrawIt(in);
    // The record's percentages: 12 sheared and not, then 10.
    EXPECT_EQ(p.stops, (std::vector<int>{1106, 1985, 3680, 4819}));
    for (const Mark& m : p.marks)
        EXPECT_EQ(HundredthsAt(p, m.x + 0.5 * p.reach, m.y), m.hundredths) << m.hundredths;
    const struct {
        const char* name;
        Action action;
        int from;
        std::optional<int> to;
    } keys[] = {
        {"to the next target above", Action::HandleToNextTarget, 2000, 3680},
        {"from one target to the next", Action::HandleToNextTarget, 1106, 1985},
        {"none above the last", Action::HandleToNextTarget, 4819, std::nullopt},
        {"to the one below", Action::HandleToPreviousTarget, 4000, 3680},
        {"none below the first", Action::HandleToPreviousTarget, 1106, std::nullopt},
    };
    for (const auto& k : keys) EXPECT_EQ(Moved(k.action, k.from, p), k.to) << k.name;
}

// One loss alone draws no shear line, and takes no target's mark away.
TEST(Chart, OneLossAloneLeavesTheTargetsMarked) {
    Input in = Example();
    in.fields.lossA = "10";
    EXPECT_EQ(DrawIt(in).stops, std::vector<int>{4819});
}

}  // namespace
}  // namespace olvimar::chart
