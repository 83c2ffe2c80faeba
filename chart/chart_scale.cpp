#include "chart/chart_scale.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "calc/failure.h"
#include "calc/number_rules.h"
#include "calc/value_ops.h"
#include "form/text_fill.h"
#include "form/window_texts.h"
#include "numeric/ln.h"
#include "oil/walther.h"

namespace olvimar::chart {

namespace {

// The most viscosity the chart draws: its exact blend needs c + V within two to the 30th.
constexpr double kMostViscosity = 1e9;

std::optional<double> Number(const std::string& text) {
    try {
        return ToNumber(text);
    } catch (const CalcError&) {
        return std::nullopt;
    }
}

// A sheared viscosity the chart can draw, or none.
std::optional<double> Sheared(double visc, const std::string& lossText) {
    const std::optional<double> loss = Number(lossText);
    if (!loss) return std::nullopt;
    try {
        const double v = ShearedViscosity(visc, *loss);
        if (v > 0 && v <= kMostViscosity) return v;
    } catch (const CalcError&) {
    }
    return std::nullopt;
}

// m * 10^e, the double nearest to it.
double Decimal(long m, int e) {
    double scale = 1;
    for (int i = 0; i < (e < 0 ? -e : e); ++i) scale *= 10;  // exact up to 10^22
    return e < 0 ? static_cast<double>(m) / scale : static_cast<double>(m) * scale;
}

// The steps of the ticks, coarse to fine: mantissas of ten to a hundred (or a thousand, a
// hundred thousand) in each decade.
struct Steps {
    std::initializer_list<int> mantissas;  // none: every one from `first` on
    int first, digits;                     // mantissa = value / 10^(decade - digits)
};
const Steps kSteps[] = {
    {{10}, 10, 1},
    {{10, 20, 50}, 10, 1},
    {{10, 15, 20, 30, 50, 70}, 10, 1},
    {{10, 12, 15, 20, 25, 30, 40, 50, 60, 70, 80, 90}, 10, 1},
    {{}, 10, 1},    // every two-digit value
    {{}, 100, 2},   // every three-digit value
    {{}, 1000, 3},  // every four-digit value
};

}  // namespace

Reading ReadOils(const BlendFields& fields, const TempTable& temp) {
    Reading r;
    const std::optional<double> a = Number(fields.viscA), b = Number(fields.viscB);
    const bool temperature = fields.s >= 0 && fields.s < static_cast<int>(temp.size());
    std::string missing;
    const auto need = [&missing](const char* what) {
        missing += (missing.empty() ? "" : "、") + std::string(what);
    };
    if (!a) need(texts::kLabel1[0]);
    if (!b) need(texts::kLabel1[2]);
    if (!temperature) need(texts::kChartNeedsTemperature);
    if (!missing.empty()) {
        r.needs = Fill(texts::kChartNeeds, {missing});
        return r;
    }
    for (const auto& [v, label] : {std::pair{*a, texts::kLabel1[0]}, {*b, texts::kLabel1[2]}}) {
        if (!(v > 0)) r.needs = Fill(texts::kChartNotPositive, {label});
        if (v > kMostViscosity)
            r.needs =
                Fill(texts::kChartTooLarge, {label, NumberText(Value::Double(kMostViscosity))});
        if (!r.needs.empty()) return r;
    }
    const double c = ToDouble(temp[static_cast<std::size_t>(fields.s)]);
    if (c + *a == c + *b) {  // the rule cannot tell them apart, as the record cannot
        r.needs = texts::kChartSame;
        return r;
    }
    Oils oils{c, *a, *b, {}, {}};
    // Both losses filled, as the record's L MAX line wants them, and both usable.
    if (!fields.lossA.empty() && !fields.lossB.empty()) {
        oils.shearedA = Sheared(*a, fields.lossA);
        oils.shearedB = Sheared(*b, fields.lossB);
        if (!oils.shearedA || !oils.shearedB) oils.shearedA = oils.shearedB = std::nullopt;
    }
    r.oils = oils;
    return r;
}

double TextWidth(std::string_view text, double font) {
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80) continue;        // a character's later bytes
        width += c >= 0xE1 ? font : 0.6 * font;  // from U+1000 on: Chinese, and ℃
    }
    return width;
}

void SayNeeds(Picture& p, const std::string& needs, const Frame& f) {
    p.needs = p.summary = needs;
    // Lines of whole words: a Chinese character is a word of its own, and so is what runs to a
    // blank; a word wider than the frame stands on a line of its own.
    const double room = f.width - Units{f.font}(16);
    std::vector<std::string> lines(1);
    double width = 0;
    for (std::size_t i = 0; i < needs.size();) {
        std::size_t end = i + 1;
        if (static_cast<unsigned char>(needs[i]) >= 0x80) {
            while (end < needs.size() && (static_cast<unsigned char>(needs[end]) & 0xC0) == 0x80)
                ++end;
        } else {
            while (end < needs.size() && needs[end - 1] != ' ' &&
                   static_cast<unsigned char>(needs[end]) < 0x80)
                ++end;
        }
        const std::string word = needs.substr(i, end - i);
        const double w = TextWidth(word, f.font);
        if (width > 0 && width + w > room) lines.emplace_back(), width = 0;
        lines.back() += word;
        width += w;
        i = end;
    }
    const double lineHeight = 1.4 * f.font;
    double y = f.height / 2 - (static_cast<double>(lines.size()) - 1) * lineHeight / 2;
    for (const std::string& line : lines) {
        p.texts.push_back({f.width / 2, y, line, Anchor::Middle, Ink::Quiet});
        y += lineHeight;
    }
}

void PlaceThePlot(Picture& p, const Frame& f, std::size_t labelChars, int topRows) {
    const Units u{f.font};
    p.left = u(10) + 0.62 * f.font * static_cast<double>(labelChars);
    p.right = f.width - u(14);
    p.top = u(26) + (topRows - 1) * 1.3 * f.font;
    p.bottom = f.height - u(34);
}

int Legend(Picture& p, const std::vector<LegendEntry>& entries, const Frame& f, double titleWidth) {
    const Units u{f.font};
    const double sample = u(18), gap = u(5), apart = u(14), right = f.width - u(14);
    const auto widthOf = [&](const LegendEntry& e) {
        return sample + gap + TextWidth(e.text, f.font);
    };
    // The entries of each row and the row's width: all on the title's row where they fit beside
    // it, else on rows below it, as many to a row as the frame holds, and at least one.
    std::vector<std::pair<std::vector<const LegendEntry*>, double>> rows(1);
    for (const LegendEntry& e : entries) {
        const double w =
            rows.back().first.empty() ? widthOf(e) : rows.back().second + apart + widthOf(e);
        if (!rows.back().first.empty() && w > right - u(4)) rows.push_back({});
        rows.back().second = rows.back().first.empty() ? widthOf(e) : w;
        rows.back().first.push_back(&e);
    }
    const bool besideTitle =
        rows.size() == 1 && u(4) + titleWidth + apart + rows[0].second <= right;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double baseline = 1.2 * f.font + static_cast<double>(r + !besideTitle) * 1.3 * f.font;
        double x = std::max(u(4), right - rows[r].second);
        for (const LegendEntry* e : rows[r].first) {
            const double y = baseline - 0.35 * f.font;
            p.lines.push_back({x, y, x + sample, y, e->ink, e->width, e->dashed});
            x += sample + gap;
            p.texts.push_back({x, baseline, e->text, Anchor::Start, Ink::Label});
            x += TextWidth(e->text, f.font) + apart;
        }
    }
    return static_cast<int>(rows.size()) + !besideTitle;
}

Scale::Scale(double c, double low, double high, double top, double bottom)
    : c_(c), low_(low), high_(high), top_(top), bottom_(bottom) {}

Scale Scale::Walther(double low, double high, double top, double bottom) {
    Scale s(0, low, high, top, bottom);
    s.walther_ = true;
    return s;
}

double Scale::Y(double viscosity) const {
    return walther_ ? WaltherY(viscosity) : Ln(Ln(viscosity + c_));
}

double Scale::Viscosity(double y) const {
    return walther_ ? ViscosityAtWaltherY(y) : std::exp(std::exp(y)) - c_;
}

double Scale::Pixel(double y) const {
    return bottom_ - (y - low_) / (high_ - low_) * (bottom_ - top_);
}

std::vector<double> ViscosityTicks(const Scale& scale, double gap) {
    // The decades to look through, widely enough: which ticks lie on the axis is decided on the
    // rule's own scale, the same on every platform.
    const double lowest = scale.Viscosity(scale.low());
    const double highest = scale.Viscosity(scale.high());
    const int from = static_cast<int>(std::floor(std::log10(std::max(lowest, 1e-6)))) - 1;
    const int to = static_cast<int>(std::ceil(std::log10(highest))) + 1;

    std::vector<double> best;
    for (const Steps& steps : kSteps) {
        // The step's values on the axis, each a label apart from the last one kept.
        std::vector<double> ticks;
        for (int decade = from; decade <= to; ++decade) {
            const auto take = [&](int m) {
                const double v = Decimal(m, decade - steps.digits);
                const double y = scale.Y(v);
                if (!(v > 0 && y >= scale.low() && y <= scale.high())) return;
                if (ticks.empty() || scale.PixelOf(ticks.back()) - scale.PixelOf(v) >= gap)
                    ticks.push_back(v);
            };
            if (steps.mantissas.size() > 0) {
                for (const int m : steps.mantissas) take(m);
            } else {
                for (int m = steps.first; m < 10 * steps.first; ++m) take(m);
            }
        }
        if (ticks.size() >= 4) return ticks;
        if (ticks.size() > best.size()) best = ticks;
    }
    return best.size() >= 2 ? best : std::vector<double>();
}

}  // namespace olvimar::chart
