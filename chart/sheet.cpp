#include "chart/sheet.h"

#include <algorithm>

#include "calc/blend_viscosity.h"
#include "calc/failure.h"
#include "calc/number_rules.h"
#include "calc/value_ops.h"
#include "chart/chart.h"
#include "chart/grade_lines.h"
#include "chart/sheet_texts.h"
#include "form/text_fill.h"
#include "form/window_texts.h"
#include "oil/viscosity_index.h"

namespace olvimar::sheet {

namespace {

// The most viscosity a blend is worked out for: its exact blend needs c + V within 2^30.
constexpr double kMostViscosity = 1e9;
constexpr int kRow100 = 0, kRow40 = 1, kRowMinusFive = 2;  // the window's temperature rows

// A box as the sheet reads it, and the name it is known by.
struct Named {
    const std::string& text;
    const char* name;
};

// The box's number; what is missing or no number goes to the needs.
std::optional<Decimal> Read(const Named& box, std::string& missing,
                            std::vector<std::string>& needs) {
    const std::optional<Decimal> d = ExactDecimal(box.text);
    if (d) return d;
    if (TrimBlanks(box.text).empty()) {
        missing += (missing.empty() ? "" : "、") + std::string(box.name);
    } else {
        needs.push_back(Fill(texts::kSheetNotANumber, {box.name, box.text}));
    }
    return std::nullopt;
}

// The blend at one temperature, by the blending rule at its constant c, in thousandths: the
// readout's function, so that the same mix reads the same at the window's temperature.
// Calibrated by `alpha` where measured blends at that temperature give one.
std::optional<Decimal> BlendAt(double c, const std::string& a, const std::string& b, int hundredths,
                               const std::optional<Alpha>& alpha) {
    try {
        const double va = ToNumber(a), vb = ToNumber(b);
        if (!(va > 0 && vb > 0 && va <= kMostViscosity && vb <= kMostViscosity))
            return std::nullopt;
        return DecimalOf(
            BlendThousandths({c, c + va, c + vb}, hundredths, alpha.value_or(kRuleItself)), -3);
    } catch (const CalcError&) {
        return std::nullopt;
    }
}

std::string Why(Undefined why) {
    switch (why) {
        case Undefined::NotPositive:
            return texts::kWhyNotPositive;
        case Undefined::BelowTwo:
            return texts::kWhyBelowTwo;
        case Undefined::NotThinnerHot:
            return texts::kWhyNotThinnerHot;
        case Undefined::TooThin:
            return texts::kWhyTooThin;
        case Undefined::TooThick:
            return texts::kWhyTooThick;
        case Undefined::Temperature:
            return texts::kWhyTemperature;
    }
    return {};
}

std::string Viscosity(const std::optional<Decimal>& d) {
    const std::optional<std::int64_t> t = d ? ThousandthsOf(*d) : std::nullopt;
    return t ? ThousandthsText(*t) : texts::kSheetNone;
}

}  // namespace

std::array<bool, kBoxes> Asked(int temperatureRow) {
    const bool at40 = temperatureRow != kRow40, at100 = temperatureRow != kRow100;
    return {at40, at40, at100, at100, true};
}

Figures Work(const Input& in, const TempTable& temp) {
    Figures f;
    f.hundredths = std::clamp(in.hundredths, 0, kAllOfA);
    const int row = in.fields.s >= 0 && in.fields.s <= kRowMinusFive ? in.fields.s : -1;
    f.temperatureRow = row;
    // Each oil's viscosity at each data temperature: the window's box where the window is at that
    // temperature, the sheet's own otherwise.
    const Named a40 = row == kRow40 ? Named{in.fields.viscA, texts::kLabel1[0]}
                                    : Named{in.boxes[kA40], texts::kSheetBoxes[kA40]};
    const Named b40 = row == kRow40 ? Named{in.fields.viscB, texts::kLabel1[2]}
                                    : Named{in.boxes[kB40], texts::kSheetBoxes[kB40]};
    const Named a100 = row == kRow100 ? Named{in.fields.viscA, texts::kLabel1[0]}
                                      : Named{in.boxes[kA100], texts::kSheetBoxes[kA100]};
    const Named b100 = row == kRow100 ? Named{in.fields.viscB, texts::kLabel1[2]}
                                      : Named{in.boxes[kB100], texts::kSheetBoxes[kB100]};
    std::string missing;
    std::vector<std::string> notANumber;
    Oil &a = f.oils[0], &b = f.oils[1], &blend = f.oils[2];
    a.at40 = Read(a40, missing, notANumber);
    b.at40 = Read(b40, missing, notANumber);
    a.at100 = Read(a100, missing, notANumber);
    b.at100 = Read(b100, missing, notANumber);
    f.atTText = in.boxes[kAtT];
    f.atT = Read({in.boxes[kAtT], texts::kSheetBoxes[kAtT]}, missing, notANumber);
    if (!missing.empty()) f.needs.push_back(Fill(texts::kSheetNeeds, {missing}));
    if (!missing.empty() && row < 0) f.needs.push_back(texts::kSheetNeedsTemperature);
    f.needs.insert(f.needs.end(), notANumber.begin(), notANumber.end());

    // The blend by the project's own rule at each data temperature, at the handle's mix.
    const double c100 = ToDouble(temp[kRow100]), c40 = ToDouble(temp[kRow40]);
    const std::optional<Alpha>&alpha40 = in.alphas[kRow40], &alpha100 = in.alphas[kRow100];
    if (a.at40 && b.at40) blend.at40 = BlendAt(c40, a40.text, b40.text, f.hundredths, alpha40);
    if (a.at100 && b.at100)
        blend.at100 = BlendAt(c100, a100.text, b100.text, f.hundredths, alpha100);
    f.calibrated40 = blend.at40 && alpha40;
    f.calibrated100 = blend.at100 && alpha100;

    for (Oil& oil : f.oils) {
        if (!oil.at40 || !oil.at100) continue;
        // The blend's index and line come from its two viscosities only where both oils' data
        // make lines: from an oil thicker hot than cold, they would be numbers of nothing.
        if (&oil == &blend && !(std::holds_alternative<WaltherLine>(a.line) &&
                                std::holds_alternative<WaltherLine>(b.line))) {
            f.blendNeedsLines = true;
            continue;
        }
        oil.index = ViscosityIndex(*oil.at40, *oil.at100);
        oil.line = LineThrough(*oil.at40, *oil.at100);
        const auto* line = std::get_if<WaltherLine>(&oil.line);
        if (line && f.atT) oil.atT = ThousandthsAt(*line, *f.atT);
        if (line && row == kRowMinusFive) {
            const auto v = ThousandthsAt(*line, DecimalOf(-5, 0));
            if (const auto* t = std::get_if<std::int64_t>(&v)) oil.atMinusFive = *t;
        }
    }
    if (row == kRowMinusFive) {  // what the window has at -5 ℃
        const auto typed = [](const std::string& text) -> std::optional<std::int64_t> {
            const std::optional<Decimal> d = ExactDecimal(text);
            return d ? ThousandthsOf(*d) : std::nullopt;
        };
        f.windowA = typed(in.fields.viscA);
        f.windowB = typed(in.fields.viscB);
        const std::optional<Alpha>& alpha = in.alphas[kRowMinusFive];
        const std::optional<Decimal> mixed = BlendAt(ToDouble(temp[kRowMinusFive]), in.fields.viscA,
                                                     in.fields.viscB, f.hundredths, alpha);
        if (mixed) f.windowBlend = ThousandthsOf(*mixed);
        f.windowCalibrated = mixed && alpha;
    }
    return f;
}

std::vector<std::string> Table::Below() const {
    std::vector<std::string> lines;
    if (!check.empty()) lines.push_back(check);
    lines.insert(lines.end(), grades.begin(), grades.end());
    return lines;
}

Table TableOf(const Figures& f) {
    Table t;
    const std::string atT(TrimBlanks(f.atTText));
    t.columns = {texts::kSheetColumns[0], texts::kSheetColumns[1], texts::kSheetColumns[2],
                 texts::kSheetColumns[3],
                 f.atT ? Fill(texts::kSheetColumns[4], {atT}) : texts::kSheetColumnAtT};
    // A calibrated blend says where: at both data temperatures, or at the one.
    std::string calibrated;
    if (f.calibrated40 && f.calibrated100)
        calibrated = texts::kSheetCalibrated;
    else if (f.calibrated40 || f.calibrated100)
        calibrated = Fill(texts::kSheetCalibratedAt,
                          {texts::kTemperatures[f.calibrated40 ? kRow40 : kRow100]});
    t.rows = {texts::kSheetRows[0], texts::kSheetRows[1],
              Fill(texts::kSheetRows[2], {chart::PercentText(f.hundredths)}) + calibrated};
    t.notes = f.needs;
    bool temperatureSaid = false;
    for (std::size_t r = 0; r < f.oils.size(); ++r) {
        const Oil& oil = f.oils[r];
        const std::string name = r < 2 ? texts::kSheetRows[r] : texts::kLegendBlend;
        auto& cells = t.cells[r];
        cells[0] = {Viscosity(oil.at40), !oil.at40};
        cells[1] = {Viscosity(oil.at100), !oil.at100};
        cells[2] = cells[3] = {texts::kSheetNone, true};
        if (!oil.at40 || !oil.at100) continue;  // what is missing is said once, above
        if (r == 2 && f.blendNeedsLines) {
            t.notes.push_back(texts::kSheetBlendNeedsLines);
            continue;
        }
        if (const auto* vi = std::get_if<std::int64_t>(&oil.index)) {
            cells[2] = {std::to_string(*vi), false};
        } else {
            t.notes.push_back(
                Fill(texts::kSheetNoIndex, {name, Why(std::get<Undefined>(oil.index))}));
        }
        if (const auto* why = std::get_if<Undefined>(&oil.line)) {
            t.notes.push_back(Fill(texts::kSheetNoLine, {name, Why(*why)}));
        } else if (const auto* v = std::get_if<std::int64_t>(&oil.atT); v && f.atT) {
            cells[3] = {ThousandthsText(*v), false};
        } else if (f.atT && std::get<Undefined>(oil.atT) == Undefined::Temperature) {
            if (!temperatureSaid) t.notes.push_back(std::string(texts::kWhyTemperature) + "。");
            temperatureSaid = true;
        } else if (f.atT) {
            t.notes.push_back(
                Fill(texts::kSheetNoValueAtT, {name, atT, Why(std::get<Undefined>(oil.atT))}));
        }
    }
    for (std::size_t r = 0; r < f.oils.size(); ++r) {
        const Oil& oil = f.oils[r];
        if (!oil.at40 && !oil.at100) continue;
        t.grades.push_back(GradeLine(r < 2 ? t.rows[r] : texts::kLegendBlend, oil.at40, oil.at100));
    }
    if (!t.grades.empty()) t.grades.push_back(texts::kWinterNote);
    const auto text = [](const std::optional<std::int64_t>& v) {
        return v ? ThousandthsText(*v) : std::string(texts::kSheetNone);
    };
    if (f.temperatureRow == kRowMinusFive && (f.oils[0].atMinusFive || f.oils[1].atMinusFive))
        t.check = Fill(texts::kSheetCheck,
                       {text(f.oils[0].atMinusFive), text(f.oils[1].atMinusFive),
                        text(f.oils[2].atMinusFive), text(f.windowA), text(f.windowB),
                        f.windowCalibrated ? texts::kSheetCheckCalibrated : texts::kSheetCheckRule,
                        text(f.windowBlend)});
    return t;
}

}  // namespace olvimar::sheet
