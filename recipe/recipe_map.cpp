#include "recipe/recipe_map.h"

#include <algorithm>
#include <cmath>

#include "calc/blend.h"
#include "calc/number_rules.h"
#include "calc/value_ops.h"
#include "chart/chart_scale.h"
#include "form/text_fill.h"
#include "oil/grades.h"
#include "recipe/recipe_texts.h"

namespace olvimar::recipe {

namespace {

using chart::Anchor, chart::Ink, chart::Shape;

constexpr chart::Ink kInks[] = {Ink::OilA, Ink::OilB, Ink::OilC, Ink::Package};

// The rule's constants at 40 ℃ and 100 ℃.
struct Constants {
    double c40, c100;
};
Constants ConstantsOf() {
    const TempTable temp = BlendConstants();
    return {ToDouble(temp[1]), ToDouble(temp[0])};
}

double ViscosityOf(double w, double c) {
    return std::exp(std::exp(w)) - c;
}
double WOf(double v, double c) {
    return std::log(std::log(v + c));
}

// A viscosity as a box takes it and a screen reader hears it: to the thousandth, no zeros after.
std::string Written(double v) {
    return NumberText(Value::Double(std::round(v * 1000) / 1000));
}

// Where the plot's pixels stand in W.
class Place {
  public:
    Place(const Map& m) : m_(m) {}
    double X(double w40) const {
        const chart::Picture& p = m_.picture;
        return p.left + (w40 - m_.w40Low) / (m_.w40High - m_.w40Low) * (p.right - p.left);
    }
    double Y(double w100) const {
        const chart::Picture& p = m_.picture;
        return p.bottom - (w100 - m_.w100Low) / (m_.w100High - m_.w100Low) * (p.bottom - p.top);
    }

  private:
    const Map& m_;
};

// The grades' bands where they fall in view: ISO VG up the plot, SAE J300 across it, light, with
// a label each where it has room and no label beside it already.
void Bands(Map& m, const Place& at, const chart::Units& u, double font, const Constants& c) {
    chart::Picture& p = m.picture;
    double lastLabel = -1e9;
    for (const GradeBand& b : IsoBands()) {
        const double a = std::max(p.left, at.X(WOf(b.least, c.c40)));
        const double z = std::min(p.right, at.X(WOf(b.most, c.c40)));
        if (z <= a) continue;
        p.areas.push_back({{{a, p.top}, {z, p.top}, {z, p.bottom}, {a, p.bottom}}, Ink::IsoBand});
        const std::string label = "VG " + std::to_string(b.grade);
        const double mid = (a + z) / 2, w = chart::TextWidth(label, font);
        if (z - a >= w + u(2) && mid - w / 2 > lastLabel + u(4)) {
            p.texts.push_back({mid, p.top + 1.1 * font, label, Anchor::Middle, Ink::Label});
            lastLabel = mid + w / 2;
        }
    }
    lastLabel = 1e9;
    for (const GradeBand& b : SaeBands()) {
        const double low = std::min(p.bottom, at.Y(WOf(b.least, c.c100)));
        const double high = std::max(p.top, at.Y(WOf(b.most, c.c100)));
        if (low <= high) continue;
        p.areas.push_back(
            {{{p.left, high}, {p.right, high}, {p.right, low}, {p.left, low}}, Ink::SaeBand});
        const double mid = (low + high) / 2 + 0.35 * font;
        if (low - high >= font && mid < lastLabel - 1.2 * font) {
            p.texts.push_back(
                {p.right - u(3), mid, "SAE " + std::to_string(b.grade), Anchor::End, Ink::Label});
            lastLabel = mid;
        }
    }
}

}  // namespace

Map DrawMap(const MapFigures& f, const chart::Frame& frame) {
    Map m;
    chart::Picture& p = m.picture;
    if (!f.needs.empty()) {
        chart::SayNeeds(p, f.needs, frame);
        return m;
    }
    const Constants c = ConstantsOf();
    const chart::Units u{frame.font};

    // What the plot spans: every point, the region, the recipes and the targets, with room.
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    const auto take = [&](double x, double y) {
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    };
    for (const auto& [name, at] : f.points) take(at.w40, at.w100);
    if (f.t40) x0 = std::min(x0, *f.t40), x1 = std::max(x1, *f.t40);
    if (f.t100) y0 = std::min(y0, *f.t100), y1 = std::max(y1, *f.t100);
    const double padX = std::max(0.08 * (x1 - x0), 0.01), padY = std::max(0.08 * (y1 - y0), 0.01);
    m.w40Low = x0 - padX, m.w40High = x1 + padX, m.w100Low = y0 - padY, m.w100High = y1 + padY;

    // The title, and the legend beside it or below it.
    const std::string title = texts::kMapY;
    p.texts.push_back({u(4), 1.2 * frame.font, title, Anchor::Start, Ink::Label});
    std::vector<chart::LegendEntry> legend = {{texts::kMapRegion, Ink::Region, u(8)},
                                              {texts::kMapTarget, Ink::Target, u(3)}};
    if (f.recipes.size() == 2) legend.push_back({texts::kMapLine, Ink::Blend, u(3)});
    const int rows = chart::Legend(p, legend, frame, chart::TextWidth(title, frame.font));

    // The 100 ℃ ticks decide how wide their labels are, and so where the plot begins.
    std::optional<chart::Scale> up;
    std::vector<double> ticks;
    chart::PlaceThePlot(p, frame, 3, rows);
    for (int pass = 0; pass < 2; ++pass) {
        up.emplace(c.c100, m.w100Low, m.w100High, p.top, p.bottom);
        ticks = chart::ViscosityTicks(*up, 1.7 * frame.font);
        std::size_t widest = 3;
        for (const double t : ticks) widest = std::max(widest, Written(t).size());
        chart::PlaceThePlot(p, frame, widest, rows);
    }
    const Place at(m);
    Bands(m, at, u, frame.font, c);
    for (const double t : ticks) {
        const double y = at.Y(WOf(t, c.c100));
        p.lines.push_back({p.left, y, p.right, y, Ink::Grid, u(1)});
        p.texts.push_back(
            {p.left - u(4), y + 0.35 * frame.font, Written(t), Anchor::End, Ink::Label});
    }
    // Across, the same ticks from a scale as long as the plot is wide, each a label apart.
    const chart::Scale across(c.c40, m.w40Low, m.w40High, 0, p.right - p.left);
    for (const double t : chart::ViscosityTicks(across, 3.2 * frame.font)) {
        const double x = at.X(WOf(t, c.c40));
        p.lines.push_back({x, p.top, x, p.bottom, Ink::Grid, u(1)});
        p.texts.push_back(
            {x, p.bottom + 1.25 * frame.font, Written(t), Anchor::Middle, Ink::Label});
    }
    p.lines.push_back({p.left, p.top, p.left, p.bottom, Ink::Axis, u(1)});
    p.lines.push_back({p.left, p.bottom, p.right, p.bottom, Ink::Axis, u(1)});
    p.texts.push_back(
        {(p.left + p.right) / 2, frame.height - u(6), texts::kMapX, Anchor::Middle, Ink::Label});

    // What the free oils reach, and its edges, the blend lines of two of them.
    std::vector<std::pair<double, double>> corners;
    for (const Point& r : f.region) corners.push_back({at.X(r.w40), at.Y(r.w100)});
    if (corners.size() >= 3) p.areas.push_back({corners, Ink::Region});
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const auto& [ax, ay] = corners[i];
        const auto& [bx, by] = corners[(i + 1) % corners.size()];
        if (corners.size() == 2 && i == 1) break;
        p.lines.push_back({ax, ay, bx, by, corners.size() == 2 ? Ink::Region : Ink::Blend,
                           corners.size() == 2 ? u(8) : u(1.5)});
    }
    // The components, labelled.
    for (std::size_t i = 0; i < f.points.size(); ++i) {
        const auto& [name, point] = f.points[i];
        const Ink ink = name == texts::kRecipeRows[kPackage] ? Ink::Package
                                                             : kInks[std::min<std::size_t>(i, 2)];
        const double x = at.X(point.w40), y = at.Y(point.w100);
        p.marks.push_back({x, y, u(4), 0, u(1.4), Shape::Dot, ink});
        const bool left = x + u(6) + chart::TextWidth(name, frame.font) > p.right;
        p.texts.push_back(
            {left ? x - u(6) : x + u(6), y - u(5), name, left ? Anchor::End : Anchor::Start, ink});
    }

    // The target: a point where both are given, filled when it can be made; a line across the
    // plot where one is, with the recipes on it.
    const auto cannot = [&](double x, double y) {
        p.texts.push_back({std::min(x + u(8), p.right - u(2)), y + 0.35 * frame.font,
                           texts::kMapCannot,
                           x + u(8) < p.right - u(40) ? Anchor::Start : Anchor::End, Ink::Target});
    };
    if (f.t40 && f.t100) {
        const double x = at.X(*f.t40), y = at.Y(*f.t100);
        p.marks.push_back(
            {x, y, u(5), 0, u(2), f.reachable ? Shape::Dot : Shape::Ring, Ink::Target});
        if (!f.reachable) cannot(x, y);
    } else if (f.t40 || f.t100) {
        const double x = f.t40 ? at.X(*f.t40) : 0, y = f.t100 ? at.Y(*f.t100) : 0;
        if (f.t100)
            p.lines.push_back({p.left, y, p.right, y, Ink::Target, u(1), true});
        else
            p.lines.push_back({x, p.top, x, p.bottom, Ink::Target, u(1), true});
        if (f.recipes.size() == 2)
            p.lines.push_back({at.X(f.recipes[0].w40), at.Y(f.recipes[0].w100),
                               at.X(f.recipes[1].w40), at.Y(f.recipes[1].w100), Ink::Blend, u(3)});
        for (std::size_t i = 0; i < f.recipes.size(); ++i) {
            const double rx = at.X(f.recipes[i].w40), ry = at.Y(f.recipes[i].w100);
            p.marks.push_back({rx, ry, u(4.5), 0, u(2), Shape::Dot, Ink::Target});
            if (f.cheapest == i) {
                p.marks.push_back({rx, ry, u(8), 0, u(2), Shape::Ring, Ink::Target});
                p.texts.push_back(
                    {rx, ry - u(11), texts::kMapCheapest, Anchor::Middle, Ink::Target});
            }
        }
        if (f.recipes.empty())
            cannot(f.t40 ? x : (p.left + p.right) / 2, f.t100 ? y : p.top + u(30));
    }

    // In words: what each target can take, and where the target is.
    p.summary = Fill(texts::kMapSummary, {Written(f.ranges[0]), Written(f.ranges[1]),
                                          Written(f.ranges[2]), Written(f.ranges[3])});
    if (f.t40 && f.t100)
        p.summary += Fill(
            f.reachable ? texts::kMapSummaryInside : texts::kMapSummaryOutside,
            {Fill(texts::kMapSummaryTargets,
                  {Written(ViscosityOf(*f.t40, c.c40)), Written(ViscosityOf(*f.t100, c.c100))})});
    return m;
}

Targets TargetsAt(const Map& m, double x, double y) {
    const chart::Picture& p = m.picture;
    if (!(p.right > p.left && p.bottom > p.top)) return {};
    const Constants c = ConstantsOf();
    const double fx = std::clamp((x - p.left) / (p.right - p.left), 0.0, 1.0);
    const double fy = std::clamp((p.bottom - y) / (p.bottom - p.top), 0.0, 1.0);
    return {Written(ViscosityOf(m.w100Low + fy * (m.w100High - m.w100Low), c.c100)),
            Written(ViscosityOf(m.w40Low + fx * (m.w40High - m.w40Low), c.c40))};
}

Targets TargetsMoved(const Map& m, const MapFigures& f, keys::Action action) {
    const chart::Picture& p = m.picture;
    if (!(p.right > p.left)) return {};
    const Constants c = ConstantsOf();
    const bool forty = action == keys::Action::MapThinner40 || action == keys::Action::MapThicker40;
    const bool up = action == keys::Action::MapThicker40 || action == keys::Action::MapThicker100;
    if (!forty && action != keys::Action::MapThinner100 && action != keys::Action::MapThicker100)
        return {};
    const double low = forty ? m.w40Low : m.w100Low, high = forty ? m.w40High : m.w100High;
    const std::optional<double>& now = forty ? f.t40 : f.t100;
    const double w =
        std::clamp(now.value_or((low + high) / 2) + (up ? 1 : -1) * (high - low) / 100, low, high);
    const std::string text = Written(ViscosityOf(w, forty ? c.c40 : c.c100));
    return forty ? Targets{std::nullopt, text} : Targets{text, std::nullopt};
}

}  // namespace olvimar::recipe
