#include "chart/chart.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "calc/failure.h"
#include "calc/number_rules.h"
#include "calc/targets.h"
#include "calc/value_ops.h"
#include "chart/chart_readout.h"
#include "chart/chart_scale.h"
#include "chart/sheet_texts.h"
#include "form/calibration_texts.h"
#include "form/text_fill.h"
#include "form/window_texts.h"

namespace olvimar::chart {

namespace {

// A range of more values than this is drawn as a stretch of the line, not as its values.
constexpr std::size_t kMostMarksOfARange = 25;

// The chart while it draws: the picture, the scale and where each line runs.
class Drawing {
  public:
    Drawing(Picture& p, const Frame& f, const Oils& oils, const std::optional<Alpha>& alpha)
        : p_(p), f_(f), u_{f.font}, oils_(oils) {
        if (alpha) alpha_ = AlphaValue(*alpha);
    }

    void Axes(const std::string& temperature, bool measured);
    void Lines();
    void Measured(const std::vector<MeasuredBlend>& blends);
    // Marks the targets; what they were, for the summary.
    Placement Targets(const Input& input, const TempTable& temp);
    void HandleAt(int hundredths);
    // Says beside each edge which targets no mix reaches there.
    void LabelTheBeyond(const Placement& placement);

  private:
    double X(double pct) const { return Lerp(p_.left, p_.right, pct / 100); }
    // Where a mix of `pct` percent of A stands on the rule's straight line, in percent along it:
    // the mix itself, or calibrated, the share φ with odds(φ) = odds(pct) / α.
    double Along(double pct, bool calibrated) const {
        if (!calibrated || !alpha_ || pct <= 0 || pct >= 100) return pct;
        const double odds = pct / (100 - pct) / *alpha_;
        return 100 * odds / (1 + odds);
    }
    // The blend line's (or the shear line's) y at `pct` percent of A, calibrated where the rule
    // is, unless `rule` asks for the rule's own line.
    double OnLine(double pct, bool shear, bool rule = false) const {
        const double yB = scale_->Y(shear ? *oils_.shearedB : oils_.b);
        const double yA = scale_->Y(shear ? *oils_.shearedA : oils_.a);
        return scale_->Pixel(Lerp(yB, yA, Along(pct, !rule) / 100));
    }
    // The line from `from` to `to` percent: straight on the rule's scale, and in short pieces
    // where calibration bends it.
    void Path(double from, double to, bool shear, Ink ink, double width, bool dashed = false) {
        const int pieces = alpha_ ? 48 : 1;
        for (int i = 0; i < pieces; ++i) {
            const double a = Lerp(from, to, i / static_cast<double>(pieces));
            const double b = Lerp(from, to, (i + 1) / static_cast<double>(pieces));
            p_.lines.push_back(
                {X(a), OnLine(a, shear), X(b), OnLine(b, shear), ink, width, dashed});
        }
    }
    double Clamped(double y) const { return std::clamp(y, p_.top, p_.bottom); }
    void MarkAt(double pct, bool shear);
    void Beyond(double pct, double target, bool shear);
    void Stretch(double from, double to, bool shear);

    Picture& p_;
    const Frame& f_;
    Units u_;
    const Oils& oils_;
    std::optional<Scale> scale_;
    // Whether a mark of this kind stands on this pixel already: many targets there are one mark.
    bool Drawn(int kind, double x, double y);

    std::vector<long long> marked_;  // kind and pixel of each mark drawn, in order
    std::optional<double> alpha_;    // the factor the rule is calibrated by, to draw with
};

void Drawing::Axes(const std::string& temperature, bool measured) {
    // The viscosity axis spans the oils, sheared ones included, with a little room around them.
    double low = std::min(oils_.a, oils_.b), high = std::max(oils_.a, oils_.b);
    if (oils_.shearedA) {
        low = std::min({low, *oils_.shearedA, *oils_.shearedB});
        high = std::max({high, *oils_.shearedA, *oils_.shearedB});
    }
    const Scale raw(oils_.c, 0, 1, 0, 1);
    const double yLow = raw.Y(low), yHigh = raw.Y(high);
    // Never less than a little: two oils a hair apart still make a line with room around it.
    const double pad = std::max({0.06 * (yHigh - yLow), raw.Y(high * 1.03) - yHigh, 1e-9});
    const double from = std::max(yLow - pad, raw.Y(low / 2));

    // The title above the axis, and beside it (or below it) what each line is.
    const std::string title = Fill(texts::kChartYTitle, {temperature});
    p_.texts.push_back({u_(4), 1.2 * f_.font, title, Anchor::Start, Ink::Label});
    std::vector<LegendEntry> legend = {
        {alpha_ ? texts::kLegendCalibrated : texts::kLegendBlendLine, Ink::Blend, u_(2)}};
    if (alpha_) legend.push_back({texts::kLegendRule, Ink::Rule, u_(1)});
    if (oils_.shearedA) legend.push_back({texts::kLegendShearLine, Ink::Shear, u_(1.5), true});
    if (measured) legend.push_back({texts::kLegendMeasured, Ink::Measured, u_(2.5)});
    const int rows = Legend(p_, legend, f_, TextWidth(title, f_.font));

    // The ticks decide how wide their labels are, and so where the plot begins.
    PlaceThePlot(p_, f_, 3, rows);
    std::vector<double> ticks;
    for (int pass = 0; pass < 2; ++pass) {
        scale_.emplace(oils_.c, from, yHigh + pad, p_.top, p_.bottom);
        ticks = ViscosityTicks(*scale_, 1.7 * f_.font);
        std::size_t widest = 3;
        for (const double t : ticks) widest = std::max(widest, NumberText(Value::Double(t)).size());
        PlaceThePlot(p_, f_, widest, rows);
    }

    for (const double t : ticks) {
        const double y = scale_->PixelOf(t);
        p_.lines.push_back({p_.left, y, p_.right, y, Ink::Grid, u_(1)});
        p_.texts.push_back({p_.left - u_(4), y + 0.35 * f_.font, NumberText(Value::Double(t)),
                            Anchor::End, Ink::Label});
    }
    const double width = p_.right - p_.left;
    const int step = width / 10 >= 2.6 * f_.font ? 10 : width / 4 >= 2.6 * f_.font ? 25 : 50;
    for (int pct = 0; pct <= 100; pct += step) {
        const double x = X(pct);
        p_.lines.push_back({x, p_.top, x, p_.bottom, Ink::Grid, u_(1)});
        p_.texts.push_back(
            {x, p_.bottom + 1.25 * f_.font, std::to_string(pct), Anchor::Middle, Ink::Label});
    }
    p_.lines.push_back({p_.left, p_.top, p_.left, p_.bottom, Ink::Axis, u_(1)});
    p_.lines.push_back({p_.left, p_.bottom, p_.right, p_.bottom, Ink::Axis, u_(1)});
    // The axis's title, and which end is which oil.
    const double foot = f_.height - u_(6);
    p_.texts.push_back(
        {(p_.left + p_.right) / 2, foot, texts::kChartXTitle, Anchor::Middle, Ink::Label});
    p_.texts.push_back({p_.left, foot, texts::kChartOilB, Anchor::Start, Ink::Blend});
    p_.texts.push_back({p_.right, foot, texts::kChartOilA, Anchor::End, Ink::Blend});
}

void Drawing::Lines() {
    // Calibrated, the rule's own line stays in sight, thin: the evidence beside the correction.
    if (alpha_)
        p_.lines.push_back(
            {X(0), OnLine(0, false, true), X(100), OnLine(100, false, true), Ink::Rule, u_(1)});
    Path(0, 100, false, Ink::Blend, u_(2));
    if (oils_.shearedA) Path(0, 100, true, Ink::Shear, u_(1.5), true);
}

void Drawing::Measured(const std::vector<MeasuredBlend>& blends) {
    // Each counts, so its share and viscosity are numbers.
    for (const MeasuredBlend& m : blends) {
        const int hundredths = TypedHundredths(m.percent).value_or(0);
        const double y = scale_->PixelOf(ToNumber(m.viscosity));
        if (y < p_.top || y > p_.bottom) continue;
        p_.marks.push_back(
            {X(hundredths / 100.0), y, u_(4.5), 0, u_(2), Shape::Ring, Ink::Measured, hundredths});
    }
}

bool Drawing::Drawn(int kind, double x, double y) {
    const long long key = (static_cast<long long>(kind) << 42) + (std::llround(x) << 21) +
                          std::llround(y);  // pixels of the frame, well below 2^21
    const auto at = std::lower_bound(marked_.begin(), marked_.end(), key);
    if (at != marked_.end() && *at == key) return true;
    marked_.insert(at, key);
    return false;
}

void Drawing::MarkAt(double pct, bool shear) {
    if (pct < 0 || pct > 100) return;
    // The record's percentage has two decimals: its hundredths, as the handle counts them.
    const int hundredths = static_cast<int>(RoundHalfEven(pct * 100));
    const Mark m{X(pct),
                 OnLine(pct, shear),
                 u_(3.5),
                 0,
                 u_(1.4),
                 shear ? Shape::Ring : Shape::Dot,
                 shear ? Ink::ShearTarget : Ink::Target,
                 hundredths};
    if (!Drawn(static_cast<int>(m.shape), m.x, m.y)) p_.marks.push_back(m);
    const auto at = std::lower_bound(p_.stops.begin(), p_.stops.end(), hundredths);
    if (at == p_.stops.end() || *at != hundredths) p_.stops.insert(at, hundredths);
}

void Drawing::Beyond(double pct, double target, bool shear) {
    if (pct >= 0 && pct <= 100) return;
    const bool left = pct < 0;  // beyond B's end
    const Mark m{left ? p_.left : p_.right,
                 Clamped(scale_->PixelOf(target)),
                 u_(5),
                 u_(8),
                 u_(1.6),
                 left ? Shape::Left : Shape::Right,
                 shear ? Ink::ShearTarget : Ink::Target};
    if (!Drawn(static_cast<int>(m.shape) + (shear ? 8 : 0), m.x, m.y)) p_.marks.push_back(m);
}

void Drawing::Stretch(double from, double to, bool shear) {
    const double a = std::clamp(std::min(from, to), 0.0, 100.0);
    const double b = std::clamp(std::max(from, to), 0.0, 100.0);
    if (a < b) Path(a, b, shear, shear ? Ink::ShearStretch : Ink::Stretch, u_(shear ? 6 : 8));
}

Placement Drawing::Targets(const Input& input, const TempTable& temp) {
    // A target that cannot be read drops every mark: the line stays.
    Placement placement;
    try {
        const olvimar::Targets targets(input.targets);
        Blender blender(input.fields, temp, input.alpha);
        const auto place = [&](const Value& v) {
            placement.targets.push_back({ToDouble(v), blender.split(v)});
        };
        if (targets.isRange() && targets.size() > kMostMarksOfARange) {
            // Its first and last value are the ends of a stretch along the line.
            place(Value::Double(targets.first()));
            place(Value::Double(targets.last()));
            placement.rangeSize = targets.size();
        } else {
            targets.forEach([&](const Value& v) {
                if (!v.isText() || !v.text().empty()) place(v);  // an empty piece is no target
            });
        }
    } catch (const CalcError&) {
        return {};
    }
    // The record splits the sheared oils whenever both losses are filled; the chart marks them
    // only on a shear line it draws, which a loss that leaves no viscosity (104 %) has none of.
    const bool shearLine = oils_.shearedA.has_value();
    if (placement.rangeSize > 0) {
        const Split& first = placement.targets.front().split;
        const Split& last = placement.targets.back().split;
        Stretch(first.pct, last.pct, false);
        if (shearLine && first.sheared && last.sheared)
            Stretch(*first.sheared, *last.sheared, true);
    }
    // The shear line's marks first: where both stand at one place, the target's own is on top.
    for (const Placed& t : placement.targets) {
        if (!shearLine || !t.split.sheared) continue;
        if (placement.rangeSize == 0) MarkAt(*t.split.sheared, true);
        Beyond(*t.split.sheared, t.target, true);
    }
    for (const Placed& t : placement.targets) {
        if (placement.rangeSize == 0) MarkAt(t.split.pct, false);
        Beyond(t.split.pct, t.target, false);
    }
    LabelTheBeyond(placement);
    return placement;
}

void Drawing::LabelTheBeyond(const Placement& placement) {
    for (const bool left : {true, false}) {
        std::vector<const Placed*> beyond;
        for (const Placed& t : placement.targets)
            if (left ? t.split.pct < 0 : t.split.pct > 100) beyond.push_back(&t);
        if (beyond.empty()) continue;
        const double x = left ? p_.left + u_(9) : p_.right - u_(9);
        const Anchor anchor = left ? Anchor::Start : Anchor::End;
        const double y0 = Clamped(scale_->PixelOf(beyond.front()->target));
        const double y = std::clamp(y0 + 0.35 * f_.font, p_.top + f_.font, p_.bottom - u_(4));
        if (beyond.size() > 3) {  // one label for many
            p_.texts.push_back({x, y, Fill(texts::kBeyondMany, {std::to_string(beyond.size())}),
                                anchor, Ink::Target});
            continue;
        }
        double at = y;
        for (const Placed* t : beyond) {
            p_.texts.push_back({x, at,
                                Fill(texts::kBeyond, {ThreeDecimals(Value::Double(t->target))}),
                                anchor, Ink::Target});
            at += 1.2 * f_.font * (at + 2.4 * f_.font > p_.bottom ? -1 : 1);
        }
    }
}

void Drawing::HandleAt(int hundredths) {
    const double pct = hundredths / 100.0;
    const double x = X(pct);
    p_.lines.push_back({x, p_.top, x, p_.bottom, Ink::Handle, u_(1), true});
    p_.handle = {x, OnLine(pct, false), u_(6), u_(2), std::nullopt, u_(4), hundredths};
    if (oils_.shearedA) p_.handle.yShear = OnLine(pct, true);
}

}  // namespace

Paint PaintOf(Ink ink) {
    switch (ink) {
        case Ink::Axis:
            return {"#555555", 1};
        case Ink::Grid:
            return {"#d8d8d8", 1};
        case Ink::Label:
            return {"#333333", 1};
        case Ink::Blend:
            return {"#8a5a12", 1};
        case Ink::Shear:
            return {"#3f6f8f", 1};
        case Ink::Stretch:
            return {"#d9a441", 0.55};
        case Ink::ShearStretch:
            return {"#6fa3c7", 0.45};
        case Ink::Target:
            return {"#b3261e", 1};
        case Ink::ShearTarget:
            return {"#1f5f8b", 1};
        case Ink::Handle:
            return {"#1a1a1a", 1};
        case Ink::Quiet:
            return {"#666666", 1};
        case Ink::OilA:
            return {"#2f6db5", 1};
        case Ink::OilB:
            return {"#3a8a3a", 1};
        case Ink::Rule:
            return {"#8a5a12", 0.6};
        case Ink::Measured:
            return {"#6a2c91", 1};
        case Ink::Region:
            return {"#d9a441", 0.35};
        case Ink::IsoBand:
            return {"#3a8a3a", 0.08};
        case Ink::SaeBand:
            return {"#2f6db5", 0.08};
        case Ink::OilC:
            return {"#8a3a7a", 1};
        case Ink::Package:
            return {"#555555", 1};
    }
    return {"#000000", 1};
}

Picture Draw(const Input& input, const TempTable& temp, const Frame& frame) {
    Picture p;
    const Reading reading = ReadOils(input.fields, temp);
    if (!reading.oils) {
        SayNeeds(p, reading.needs, frame);
        p.valueText = p.needs;
        return p;
    }
    const Oils& oils = *reading.oils;
    const std::string temperature =
        texts::kTemperatures.at(static_cast<std::size_t>(input.fields.s));
    Drawing d(p, frame, oils, input.alpha);
    d.Axes(temperature, !input.measured.empty());
    d.Lines();
    const Placement placement = d.Targets(input, temp);
    d.Measured(input.measured);
    const int hundredths = std::clamp(input.hundredths, 0, kAllOfA);
    d.HandleAt(hundredths);
    p.reach = 0.9 * frame.font;
    Describe(p, oils, placement, temperature);
    if (input.alpha) p.summary += Fill(texts::kSummaryCalibrated, {AlphaText(*input.alpha)});
    if (!input.measured.empty())
        p.summary += Fill(texts::kSummaryMeasured, {std::to_string(input.measured.size())});
    ReadOut(p, oils, input.fields, hundredths, input.alpha);
    return p;
}

int HundredthsAt(const Picture& picture, double x, double y) {
    const Mark* nearest = nullptr;
    double best = picture.reach * picture.reach;
    for (const Mark& m : picture.marks) {
        const double d = (m.x - x) * (m.x - x) + (m.y - y) * (m.y - y);
        if (m.hundredths >= 0 && d <= best) nearest = &m, best = d;
    }
    if (nearest) return nearest->hundredths;
    if (!(picture.right > picture.left)) return 0;
    const double fraction = (x - picture.left) / (picture.right - picture.left);
    return static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * kAllOfA));
}

std::optional<int> Moved(keys::Action action, int hundredths, const Picture& picture) {
    const std::vector<int>& stops = picture.stops;
    int to = hundredths;
    switch (action) {
        case keys::Action::HandleToPreviousTarget: {
            const auto below = std::lower_bound(stops.begin(), stops.end(), hundredths);
            if (below == stops.begin()) return std::nullopt;
            return *std::prev(below);
        }
        case keys::Action::HandleToNextTarget: {
            const auto above = std::upper_bound(stops.begin(), stops.end(), hundredths);
            if (above == stops.end()) return std::nullopt;
            return *above;
        }
        case keys::Action::HandleDown:
            to -= 100;
            break;
        case keys::Action::HandleUp:
            to += 100;
            break;
        case keys::Action::HandleDownPage:
            to -= 1000;
            break;
        case keys::Action::HandleUpPage:
            to += 1000;
            break;
        case keys::Action::HandleToMinimum:
            to = 0;
            break;
        case keys::Action::HandleToMaximum:
            to = kAllOfA;
            break;
        default:
            return std::nullopt;
    }
    return std::clamp(to, 0, kAllOfA);
}

}  // namespace olvimar::chart
