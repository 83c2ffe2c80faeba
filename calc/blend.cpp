#include "blend.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "failure.h"
#include "number_rules.h"
#include "value_ops.h"

namespace olvimar {

struct Blender::Step {
    Input input = Input::None;
    Situation situation = Situation::None;
};

namespace {

using Step = Blender::Step;

std::string InputText(Input input, const Value& ret, const BlendFields& f) {
    switch (input) {
        case Input::Target:
            return NumberText(ret);
        case Input::ViscA:
            return f.viscA;
        case Input::ViscB:
            return f.viscB;
        case Input::Litres:
            return f.litres;
        case Input::LossA:
            return f.lossA;
        case Input::LossB:
            return f.lossB;
        default:
            return {};
    }
}

// The fraction x of oil A from t = ln(c + target), a = ln(c + A) and b = ln(c + B):
// x = ln(t / b) / ln(a / b), the A term first. `shear` says whether a and b carry the losses, so
// that a failure names the loss fields rather than the viscosities. ln(a / b) is the same for
// every target of a run and is kept in `lnAB` once worked out.
double FractionOfA(double t, double a, double b, bool shear, std::optional<double>& lnAB,
                   Step& at) {
    const Input inA = shear ? Input::LossA : Input::ViscA;
    const Input inB = shear ? Input::LossB : Input::ViscB;
    const Situation low = shear ? Situation::ShearUnusable : Situation::ViscosityTooLow;

    if (!lnAB) {
        at = {inB, low};  // b = 0: B's viscosity plus c is exactly 1
        double ab = Quotient(a, b);
        at = {a <= 0 ? inA : inB, low};  // one of A and B at or below 1 after c, the other above
        lnAB = Log(ab);
    }
    const double la = *lnAB;
    at = {inB, low};
    double tb = Quotient(t, b);
    at = {t <= 0 ? Input::Target : inB, low};
    double lt = Log(tb);
    at = {Input::None, shear ? Situation::ShearSameViscosity : Situation::SameViscosity};
    return Quotient(lt, la);
}

// The percentage of oil A, in whole hundredths: an exact tie of hundredths goes to the even one.
double Percentage(double x) {
    return RoundHalfEven(Finite(x * 10000)) / 100;
}

// "A 48.19% 1.9276L, B 51.81% 2.0724L": the percentage and litres of each oil. B's percentage is
// 100 - pct as a double, not rounded again, so it may show residue in its fifteenth digit.
void AppendSplit(std::string& entry, double pct, double total) {
    entry += "A ";
    AppendNumberText(entry, pct);
    entry += "% ";
    AppendNumberText(entry, Finite(pct / 100 * total));
    entry += "L, B ";
    double pctB = 100 - pct;
    AppendNumberText(entry, pctB);
    entry += "% ";
    AppendNumberText(entry, Finite(pctB / 100 * total));
    entry += 'L';
}

// An oil of the field `text`: its viscosity, and ln(c + viscosity) for the blending rule.
Blender::Oil ReadOil(double c, const std::string& text, Input input, Step& at) {
    at = {input};
    Blender::Oil oil;
    oil.visc = ToNumber(text);
    at = {input, Situation::ViscosityTooLow};
    oil.ln = Log(Finite(c + oil.visc));
    return oil;
}

// The same oil after losing `lossText` percent of its viscosity by shear.
Blender::Oil Shear(double c, const Blender::Oil& oil, const std::string& lossText, Input input,
                   Step& at) {
    at = {input};
    const double loss = ToNumber(lossText);
    at = {input, Situation::ShearUnusable};
    Blender::Oil sheared;
    sheared.visc = ShearedViscosity(oil.visc, loss);
    sheared.ln = Log(Finite(c + sheared.visc));
    return sheared;
}

double Constant(const TempTable& temp, std::int16_t s) {
    if (s < 0 || s >= static_cast<std::int16_t>(temp.size()))
        throw CalcError(FailureKind::SubscriptOutOfRange);
    return ToDouble(temp[static_cast<std::size_t>(s)]);
}

}  // namespace

double ShearedViscosity(double visc, double loss) {
    return Finite(visc * Finite(1 - loss / 100));
}

TempTable BlendConstants() {
    return {Value::Double(1.8), Value::Double(4.1), Value::Double(1.9)};
}

void CalcBlend(const Value& ret, const BlendFields& fields, const TempTable& temp, Value& record) {
    Blender(fields, temp).calc(ret, record);
}

Blender::Blender(const BlendFields& fields, const TempTable& temp, std::optional<Alpha> alpha)
    : fields_(fields), temp_(temp), alpha_(alpha) {}

std::optional<double> Blender::calibrated(double target, bool shear) {
    const double c = Constant(temp_, fields_.s);
    std::optional<CalibratedRule>& rule = shear ? shearedRule_ : rule_;
    if (!rule) {
        const Oils& oils = shear ? *sheared_ : *oils_;
        rule.emplace(RuleOils{c, c + oils.a.visc, c + oils.b.visc}, *alpha_);
    }
    const std::optional<int> hundredths = rule->Hundredths(c + target);
    if (!hundredths) return std::nullopt;
    return *hundredths / 100.0;  // as the rule's percentage: whole hundredths over 100
}

double Blender::targetLog(const Value& ret, double& target, Step& at) {
    at = {Input::Temperature};
    const double c = Constant(temp_, fields_.s);
    at = {Input::Target};
    target = ToDouble(ret);
    at = {Input::Target, Situation::ViscosityTooLow};
    const double t = Log(Finite(c + target));
    if (!oils_) {
        const Oil a = ReadOil(c, fields_.viscA, Input::ViscA, at);
        oils_ = Oils{a, ReadOil(c, fields_.viscB, Input::ViscB, at)};
    }
    return t;
}

double Blender::percentage(double t, bool shear, Step& at) {
    if (!shear) return Percentage(FractionOfA(t, oils_->a.ln, oils_->b.ln, false, lnAB_, at));
    if (!sheared_) {
        const double c = Constant(temp_, fields_.s);
        const Oil a = Shear(c, oils_->a, fields_.lossA, Input::LossA, at);
        sheared_ = Oils{a, Shear(c, oils_->b, fields_.lossB, Input::LossB, at)};
    }
    // The target itself is not adjusted for shear.
    return Percentage(FractionOfA(t, sheared_->a.ln, sheared_->b.ln, true, lnShearedAB_, at));
}

void Blender::annotate(CalcError& e, const Step& at, const Value& ret) const {
    Failure& f = e.failure();
    if (f.input == Input::None && f.situation == Situation::None) {
        f.input = at.input;
        f.text = InputText(at.input, ret, fields_);
    }
    // A conversion that fails says so by itself; the situation explains arithmetic failures.
    if (f.kind != FailureKind::TypeMismatch && f.situation == Situation::None)
        f.situation = at.situation;
}

void Blender::calc(const Value& ret, Value& record) {
    // Len(ret) is zero only for Empty and the empty text: an empty list piece gives no entry and
    // reads no field, so it cannot fail.
    if (ret.isEmpty() || (ret.isText() && ret.text().empty())) return;

    // Each step that depends on the fields alone runs where it stands in the order of the steps,
    // so that a failure is met at the same step as ever, and is kept once it has succeeded.
    Step at;
    try {
        double target = 0;
        const double t = targetLog(ret, target, at);
        const double pct = percentage(t, false, at);

        std::string entry;
        entry.reserve(160);
        entry += "OUT ";
        entry += fields_.litres;  // as typed, blanks and all
        entry += "L, ";
        AppendThreeDecimals(entry, target);
        entry += " cSt";
        if (alpha_) {
            entry += kAlphaInEntry;
            entry += AlphaText(*alpha_);
        }
        entry += "\r\n";

        at = {Input::Litres};
        if (!total_) total_ = ToNumber(fields_.litres);
        const std::optional<double> share = alpha_ ? calibrated(target, false) : pct;
        if (share)
            AppendSplit(entry, *share, *total_);
        else
            entry += kCannotMake;

        // A text of blanks counts as filled: only the empty text turns the shear line off.
        if (!fields_.lossA.empty() && !fields_.lossB.empty()) {
            const double pct2 = percentage(t, true, at);
            entry += "\r\n";
            at = {Input::Litres};
            const std::optional<double> sheared = alpha_ ? calibrated(target, true) : pct2;
            if (sheared) {
                AppendSplit(entry, *sheared, *total_);
                entry += " MAX";
            } else {
                entry += kCannotMakeSheared;
            }
        }
        entry += "\r\n";
        record.appendText(entry);  // the only change, and the last step
    } catch (CalcError& e) {
        annotate(e, at, ret);
        throw;
    }
}

Split Blender::split(const Value& ret) {
    Step at;
    try {
        double target = 0;
        const double t = targetLog(ret, target, at);
        Split s{percentage(t, false, at), {}};
        if (alpha_) s.pct = calibrated(target, false).value_or(s.pct);
        if (!fields_.lossA.empty() && !fields_.lossB.empty()) {
            s.sheared = percentage(t, true, at);
            if (alpha_) s.sheared = calibrated(target, true).value_or(*s.sheared);
        }
        return s;
    } catch (CalcError& e) {
        annotate(e, at, ret);
        throw;
    }
}

}  // namespace olvimar
