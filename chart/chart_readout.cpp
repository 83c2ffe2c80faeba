#include "chart/chart_readout.h"

#include "calc/blend_viscosity.h"
#include "calc/failure.h"
#include "calc/number_rules.h"
#include "calc/value_ops.h"
#include "form/calibration_texts.h"
#include "form/text_fill.h"
#include "form/window_texts.h"

namespace olvimar::chart {

namespace {

std::string Number(double d) {
    return NumberText(Value::Double(d));
}

bool OnTheLine(double pct) {
    return pct >= 0 && pct <= 100;
}

// "A 40% 1.6L, B 60% 2.4L": B's share is 100 - p exactly, and the litres p / 100 and
// (100 - p) / 100 of the total, as the record works them out. Only the shares while the total is
// not a number.
std::string SplitText(int hundredths, const std::string& litres) {
    const double a = hundredths / 100.0, b = (kAllOfA - hundredths) / 100.0;
    std::string text = "A " + Number(a) + "%";
    try {
        const double total = ToNumber(litres);
        const std::string litresA = Number(Finite(a / 100 * total));
        const std::string litresB = Number(Finite(b / 100 * total));
        return text + " " + litresA + "L, B " + Number(b) + "% " + litresB + "L";
    } catch (const CalcError&) {
        return text + ", B " + Number(b) + "%";
    }
}

std::string Viscosity(double c, double a, double b, int hundredths,
                      const std::optional<Alpha>& alpha = std::nullopt) {
    return ThousandthsText(
        BlendThousandths({c, c + a, c + b}, hundredths, alpha.value_or(kRuleItself)));
}

}  // namespace

void Describe(Picture& picture, const Oils& oils, const Placement& placement,
              const std::string& temperature) {
    std::string s = Fill(texts::kSummaryLine, {temperature, Number(oils.b), Number(oils.a)});
    if (oils.shearedA)
        s += Fill(texts::kSummaryShear, {Number(*oils.shearedB), Number(*oils.shearedA)});
    const std::vector<Placed>& targets = placement.targets;
    if (placement.rangeSize > 0) {
        const Placed &first = targets.front(), &last = targets.back();
        s += Fill(
            texts::kSummaryRange,
            {ThreeDecimals(Value::Double(first.target)), ThreeDecimals(Value::Double(last.target)),
             std::to_string(placement.rangeSize), Number(first.split.pct), Number(last.split.pct)});
        if (!OnTheLine(first.split.pct) || !OnTheLine(last.split.pct))
            s += texts::kSummaryRangeBeyond;
    } else if (targets.size() <= 3) {
        for (const Placed& t : targets) {
            const std::string target = ThreeDecimals(Value::Double(t.target));
            s += OnTheLine(t.split.pct) ? Fill(texts::kSummaryTarget, {target, Number(t.split.pct)})
                                        : Fill(texts::kSummaryBeyond, {target});
        }
    } else {
        std::size_t on = 0;
        for (const Placed& t : targets) on += OnTheLine(t.split.pct);
        s += Fill(texts::kSummaryMany, {std::to_string(targets.size()), std::to_string(on),
                                        std::to_string(targets.size() - on)});
    }
    picture.summary = s;
}

void ReadOut(Picture& picture, const Oils& oils, const BlendFields& fields, int hundredths,
             const std::optional<Alpha>& alpha) {
    const std::string split = SplitText(hundredths, fields.litres);
    const std::string rule = Viscosity(oils.c, oils.a, oils.b, hundredths);
    std::vector<std::string> blend = {Fill(texts::kBlendViscosity, {rule})};
    // Calibrated: the corrected figure first, the rule's beside it as the evidence.
    if (alpha)
        blend = {Fill(texts::kCalibratedViscosity,
                      {Viscosity(oils.c, oils.a, oils.b, hundredths, alpha)}),
                 Fill(texts::kRuleViscosity, {rule})};
    picture.readout = split;
    picture.valueText = PercentText(hundredths) + "%，" + split;
    for (const std::string& line : blend) {
        picture.readout += "\n" + line;
        picture.valueText += "，" + line;
    }
    if (oils.shearedA) {
        const std::string shear =
            Fill(texts::kShearViscosity,
                 {Viscosity(oils.c, *oils.shearedA, *oils.shearedB, hundredths, alpha)});
        picture.readout += "\n" + shear;
        picture.valueText += "，" + shear;
    }
}

std::string PercentText(int hundredths) {
    return Number(hundredths / 100.0);
}

}  // namespace olvimar::chart
