#include "chart/temperature_chart.h"

#include <algorithm>
#include <cmath>

#include "calc/blend_viscosity.h"
#include "calc/number_rules.h"
#include "calc/value_ops.h"
#include "chart/chart_scale.h"
#include "chart/sheet_texts.h"
#include "form/text_fill.h"

namespace olvimar::chart {

namespace {

// Above this the chart draws no more of a line: its labels would outgrow the plot.
constexpr double kMostDrawnViscosity = 1e7;
constexpr double kZeroCelsius = 273.15;

const Ink kInks[] = {Ink::OilA, Ink::OilB, Ink::Blend};

std::string Number(double d) {
    return NumberText(Value::Double(d));
}

// A viscosity as the sheet shows it, for drawing.
double Shown(const std::optional<Decimal>& d) {
    return static_cast<double>(ThousandthsOf(*d).value_or(0)) / 1000;
}

}  // namespace

Picture DrawTemperatures(const sheet::Figures& s, const Frame& f) {
    Picture p;
    const Units u{f.font};
    std::vector<std::size_t> drawn;  // the oils with a line, of A, B and the blend
    for (std::size_t i = 0; i < s.oils.size(); ++i)
        if (std::holds_alternative<WaltherLine>(s.oils[i].line)) drawn.push_back(i);
    if (drawn.empty()) {
        SayNeeds(p, texts::kTemperatureChartNeeds, f);
        return p;
    }
    const auto line = [&s](std::size_t i) { return std::get<WaltherLine>(s.oils[i].line); };

    // Across: the chart's span, and T with a little room where it lies beyond it.
    const double atT = s.atT ? ToNumber(s.atTText) : 0;
    const bool markT = s.atT && atT >= kLowestCelsius && atT <= kHighestCelsius;
    double coldest = kColdestDrawn, hottest = kHottestDrawn;
    if (markT) {
        coldest = std::min(coldest, std::floor(atT / 10) * 10 - 10);
        hottest = std::max(hottest, std::ceil(atT / 10) * 10 + 10);
    }
    const double logCold = std::log10(coldest + kZeroCelsius);
    const double logHot = std::log10(hottest + kZeroCelsius);

    // Up: the lines over that span, with a little room, up to what the chart draws.
    double low = 1e300, high = -1e300;
    for (const std::size_t i : drawn) {
        for (const double t : {coldest, hottest}) {
            const double y = WaltherYAt(line(i), t + kZeroCelsius);
            low = std::min(low, y);
            high = std::max(high, y);
        }
    }
    high = std::min(high, WaltherY(kMostDrawnViscosity));
    low = std::min(low, high - 1e-3);
    const double pad = 0.06 * (high - low);

    const std::string title = texts::kTemperatureChartY;
    p.texts.push_back({u(4), 1.2 * f.font, title, Anchor::Start, Ink::Label});
    const std::string tText = markT ? Number(atT) : "";
    std::vector<LegendEntry> legend = {{texts::kLegendA, Ink::OilA, u(1.5)},
                                       {texts::kLegendB, Ink::OilB, u(1.5)},
                                       {texts::kLegendBlend, Ink::Blend, u(3)}};
    if (markT) legend.push_back({Fill(texts::kLegendAtT, {tText}), Ink::Handle, u(1), true});
    const int rows = Legend(p, legend, f, TextWidth(title, f.font));

    std::optional<Scale> scale;
    std::vector<double> ticks;
    PlaceThePlot(p, f, 3, rows);
    for (int pass = 0; pass < 2; ++pass) {
        scale.emplace(Scale::Walther(low - pad, high + pad, p.top, p.bottom));
        ticks = ViscosityTicks(*scale, 1.7 * f.font);
        std::size_t widest = 3;
        for (const double t : ticks) widest = std::max(widest, Number(t).size());
        PlaceThePlot(p, f, widest, rows);
    }
    const auto x = [&](double celsius) {
        return Lerp(p.left, p.right,
                    (std::log10(celsius + kZeroCelsius) - logCold) / (logHot - logCold));
    };
    const auto y = [&](std::size_t i, double celsius) {
        return scale->Pixel(WaltherYAt(line(i), celsius + kZeroCelsius));
    };

    for (const double t : ticks) {
        const double ty = scale->PixelOf(t);
        p.lines.push_back({p.left, ty, p.right, ty, Ink::Grid, u(1)});
        p.texts.push_back({p.left - u(4), ty + 0.35 * f.font, Number(t), Anchor::End, Ink::Label});
    }
    // Round temperatures, a label apart where the scale is closest, at its hot end.
    int step = 10;
    for (const int s10 : {10, 20, 50, 100}) {
        step = s10;
        if (x(hottest) - x(hottest - s10) >= 2.6 * f.font) break;
    }
    for (int t = static_cast<int>(std::ceil(coldest / step)) * step; t <= hottest; t += step) {
        p.lines.push_back({x(t), p.top, x(t), p.bottom, Ink::Grid, u(1)});
        p.texts.push_back(
            {x(t), p.bottom + 1.25 * f.font, std::to_string(t), Anchor::Middle, Ink::Label});
    }
    p.lines.push_back({p.left, p.top, p.left, p.bottom, Ink::Axis, u(1)});
    p.lines.push_back({p.left, p.bottom, p.right, p.bottom, Ink::Axis, u(1)});
    p.texts.push_back({(p.left + p.right) / 2, f.height - u(6), texts::kTemperatureChartX,
                       Anchor::Middle, Ink::Label});

    // The lines, cut where they would leave the plot at its head, and their data points.
    for (const std::size_t i : drawn) {
        double x1 = x(coldest), y1 = y(i, coldest), x2 = x(hottest), y2 = y(i, hottest);
        if (y1 < p.top) {  // thicker than the chart draws on the cold side
            x1 = x2 + (x1 - x2) * (p.top - y2) / (y1 - y2);
            y1 = p.top;
        }
        if (y2 < p.top) continue;
        p.lines.push_back({x1, y1, x2, y2, kInks[i], i == 2 ? u(3) : u(1.5)});
        // A point thicker than the chart draws stays off it, as its line does.
        for (const auto& [celsius, v] : {std::pair{40, s.oils[i].at40}, {100, s.oils[i].at100}})
            if (const double vy = scale->PixelOf(Shown(v)); vy >= p.top)
                p.marks.push_back(
                    {x(celsius), vy, u(i == 2 ? 4 : 3), 0, u(1.4), Shape::Dot, kInks[i]});
    }
    if (markT) {
        p.lines.push_back({x(atT), p.top, x(atT), p.bottom, Ink::Handle, u(1), true});
        for (const std::size_t i : drawn)
            if (const auto* v = std::get_if<std::int64_t>(&s.oils[i].atT))
                if (const double vy = scale->PixelOf(*v / 1000.0); vy >= p.top)
                    p.marks.push_back({x(atT), vy, u(4), 0, u(1.6), Shape::Ring, kInks[i]});
    }

    // In words: the span, then each line by its points and its value at T.
    p.summary = Fill(texts::kTemperatureSummary, {Number(coldest), Number(hottest)});
    const char* names[] = {texts::kLegendA, texts::kLegendB, texts::kLegendBlend};
    for (const std::size_t i : drawn) {
        const sheet::Oil& o = s.oils[i];
        p.summary += (i == drawn.front() ? "" : "；") +
                     Fill(texts::kTemperatureSummaryLine,
                          {names[i], ThousandthsText(*ThousandthsOf(*o.at40)),
                           ThousandthsText(*ThousandthsOf(*o.at100))});
        if (const auto* v = std::get_if<std::int64_t>(&o.atT); v && markT)
            p.summary += Fill(texts::kTemperatureSummaryAtT, {tText, ThousandthsText(*v)});
    }
    p.summary += "。";
    return p;
}

}  // namespace olvimar::chart
