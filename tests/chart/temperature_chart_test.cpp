// The viscosity-temperature chart's model, as numbers: its scales are the standard's paper, each
// line is straight through its data points, T is marked on every line, and a legend names them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "calc/blend.h"
#include "chart/temperature_chart.h"

namespace olvimar::chart {
namespace {

Picture DrawIt(const std::string& atT, const std::string& a40 = "40",
               const std::string& a100 = "7.276", double width = 600) {
    sheet::Input in;
    in.fields.s = 0;
    in.fields.viscA = a100;
    in.fields.viscB = "13.69";
    in.boxes = {a40, "90", "", "", atT};
    in.hundredths = 4819;
    return DrawTemperatures(sheet::Work(in, BlendConstants()), {width, 400, 16});
}

// The standard's scales, worked out here: log10 log10 Z and log10 of the kelvin.
double W(double v) {
    return std::log10(std::log10(v + 0.7 + std::exp(-1.47 - 1.84 * v - 0.51 * v * v)));
}
double K(double celsius) {
    return std::log10(celsius + 273.15);
}

TEST(TemperatureChart, ItsAxesAreTheStandardsPaper) {
    const struct {
        const char* atT;
        std::string up, across;
    } rows[] = {
        {"-5", "10 100 1000 10000", "-20 0 20 40 60 80 100 120 140"},
        {"200", "10 100 1000 10000", "0 50 100 150 200"},  // widened to T
        {"-45", "10 100 1000 10000 1000000", "-50 0 50 100 150"},
    };
    for (const auto& r : rows) {
        const Picture p = DrawIt(r.atT);
        std::string up, across;
        std::vector<std::pair<double, double>> ys, xs;  // a label's value and its place
        for (const Text& t : p.texts) {
            if (t.anchor == Anchor::End && t.x < p.left) {
                up += (up.empty() ? "" : " ") + t.text;
                ys.push_back({W(std::atof(t.text.c_str())), t.y});
            }
            if (t.anchor == Anchor::Middle && t.y > p.bottom && t.y < p.bottom + 2 * 16) {
                across += (across.empty() ? "" : " ") + t.text;
                xs.push_back({K(std::atof(t.text.c_str())), t.x});
            }
        }
        EXPECT_EQ(up, r.up) << r.atT;
        EXPECT_EQ(across, r.across) << r.atT;
        // Each label stands on its scale: in proportion between the first and the last.
        for (const auto& axis : {ys, xs})
            for (const auto& [v, at] : axis)
                EXPECT_NEAR((at - axis.front().second) / (axis.back().second - axis.front().second),
                            (v - axis.front().first) / (axis.back().first - axis.front().first),
                            1e-9)
                    << r.atT;
    }
}

// Also for a thin oil, whose points Z's correction term moves.
TEST(TemperatureChart, EachLineRunsThroughItsPointsAndIsMarkedAtT) {
    for (const Picture& drawn : {DrawIt("-5", "3", "1.5"), DrawIt("-5")}) {
        ASSERT_EQ(drawn.needs, "");
        for (const Ink ink : {Ink::OilA, Ink::OilB, Ink::Blend}) {
            const Line* line = nullptr;
            for (const Line& l : drawn.lines)
                if (l.ink == ink && l.y1 >= drawn.top) line = &l;
            ASSERT_TRUE(line) << static_cast<int>(ink);
            int points = 0, rings = 0;
            for (const Mark& m : drawn.marks) {
                if (m.ink != ink) continue;
                EXPECT_NEAR(
                    m.y,
                    line->y1 + (line->y2 - line->y1) * (m.x - line->x1) / (line->x2 - line->x1),
                    0.05)
                    << static_cast<int>(ink);  // its points were rounded to thousandths
                points += m.shape == Shape::Dot;
                rings += m.shape == Shape::Ring;
            }
            EXPECT_EQ(points, 2) << "at 40 ℃ and 100 ℃";
            EXPECT_EQ(rings, 1) << "at T";
        }
    }
    const Picture p = DrawIt("-5");
    // The axes, and the legend above the plot: each sample line after the text before it.
    std::size_t axes = 0;
    for (const Line& l : p.lines)
        axes += l.ink == Ink::Axis && (l.x1 == p.left || l.y1 == p.bottom);
    EXPECT_EQ(axes, 2u);
    std::string legend;
    double end = 0;  // of the text before, a Chinese character taken a font wide
    for (const Text& t : p.texts)
        if (t.y < p.top) {
            legend += t.text + ";";
            for (const Line& l : p.lines) {
                if (l.y1 < p.top && l.x1 < t.x && l.x1 > end - 40) {
                    EXPECT_GE(l.x1, end) << t.text;
                }
            }
            end = t.x + 16 * static_cast<double>(t.text.size()) / 3;
        }
    EXPECT_EQ(legend, "粘度 cSt（ASTM D341 刻度）;A机油;B机油;混合油;T = -5 ℃;");
}

// A phone's narrow chart wraps the legend onto more rows, each within the frame, above the plot.
TEST(TemperatureChart, WrapsItsLegendInANarrowFrame) {
    for (const double width : {600.0, 330.0, 200.0}) {
        const Picture p = DrawIt("-5", "40", "7.276", width);
        std::set<double> rows;
        int entries = 0;
        for (const Text& t : p.texts)
            if (t.y < p.top && t.x > 16 * 3) {  // after the title's start
                ++entries;
                rows.insert(t.y);
                EXPECT_LE(t.x + 16 * static_cast<double>(t.text.size()) / 3, width) << t.text;
            }
        for (const Line& l : p.lines) EXPECT_TRUE(l.y1 >= p.top || l.x1 >= 0) << width;
        EXPECT_EQ(entries, 4) << width;
        EXPECT_EQ(rows.size(), width == 600 ? 1u : width == 330 ? 2u : 3u) << width;
    }
}

// An oil far thicker than the chart draws: neither its point at 40 ℃ nor its value at T stands
// above the plot.
TEST(TemperatureChart, KeepsAnOilThickerThanItDrawsInsideThePlot) {
    const Picture p = DrawIt("-5", "300000000", "1000000");
    ASSERT_EQ(p.needs, "");
    int marks = 0;
    for (const Mark& m : p.marks) {
        EXPECT_GE(m.y, p.top) << static_cast<int>(m.ink);
        marks += m.ink == Ink::OilA;
    }
    EXPECT_EQ(marks, 1) << "only A's point at 100 ℃";
}

}  // namespace
}  // namespace olvimar::chart
