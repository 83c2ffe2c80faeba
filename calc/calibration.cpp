// The calibrated rule, exactly. Each figure is worked out in the fixed point of the logarithm's
// exact phase (within some 2^-130 of the exact value) and rounded once; the split of a generation
// run is first tried in doubles with a margin that holds on every platform, and worked out
// exactly only where that margin straddles a rounding boundary.
//
// In log-odds the calibrated share x of a target t is
//     ln odds(x) = ln α + ln(W(t) - W(B)) - ln(W(A) - W(t)),
// with both differences taken in the direction from B to A, and the share of a mix x on the rule's
// line is the φ with ln odds(φ) = ln odds(x) - ln α.
#include "calc/calibration.h"

#include <cmath>
#include <cstdlib>

#include "calc/failure.h"
#include "calc/number_rules.h"
#include "calc/rule_exact.h"
#include "calc/value.h"
#include "numeric/fixed_math.h"
#include "numeric/ln.h"

namespace olvimar {

namespace {

using namespace rule_exact;

// ln odds(φ) of the rule for a W strictly between those of the oils.
Fixed LnOddsOnLine(const Fixed& w, const Fixed& wA, const Fixed& wB) {
    Fixed fromB = w - wB, toA = wA - w;
    if (Negative(wA - wB)) fromB = -fromB, toA = -toA;
    return LnOf(fromB) - LnOf(toA);
}

// (predicted - measured) / measured in thousandths.
std::int64_t Deviation(const Fixed& predicted, double measured) {
    return Thousandths(fixed::Quotient(predicted - Fixed(measured), Fixed(measured)));
}

// The share of A whose log-odds is L, in hundredths of a percent, a tie to the even one.
int RoundedShare(const Fixed& l) {
    return static_cast<int>(
        Nearest(Logistic(l) * Fixed(static_cast<double>(kAllOfA)), Tie::ToEven));
}

// α to four significant digits from its ln, a tie away from zero.
Alpha Rounded(const Fixed& lnAlpha) {
    const Fixed ln10 = fixed::Ln10();
    int exponent = static_cast<int>(std::floor(lnAlpha.ToDouble() / ln10.ToDouble())) - 3;
    for (;;) {
        const Fixed m = fixed::Exp(lnAlpha - ln10 * Fixed(static_cast<double>(exponent)));
        const double approx = m.ToDouble();
        if (approx < 1000) {
            --exponent;
        } else if (approx >= 10000) {
            ++exponent;
        } else {
            const std::int64_t digits = Nearest(m, Tie::AwayFromZero);
            if (digits == 10000) return {1000, exponent + 1};
            return {static_cast<std::int32_t>(digits), exponent};
        }
    }
}

std::optional<double> Number(std::string_view text) {
    try {
        return ToNumber(text);
    } catch (const CalcError&) {
        return std::nullopt;
    }
}

bool Between(double v, double a, double b) {
    return (a < v && v < b) || (b < v && v < a);
}

}  // namespace

CalibratedOils CalibratableOils(double c, std::string_view viscA, std::string_view viscB) {
    const std::optional<double> a = Number(viscA), b = Number(viscB);
    if (!a || !b) return {};
    const auto taken = [](double v) { return v >= kLeastCalibrated && v <= kMostCalibrated; };
    if (!taken(*a) || !taken(*b)) return {std::nullopt, MeasuredFault::OilOutside};
    const RuleOils oils{c, c + *a, c + *b};
    if (oils.sumA == oils.sumB) return {std::nullopt, MeasuredFault::OilsSame};
    return {oils};
}

double AlphaValue(const Alpha& alpha) {
    return alpha.exponent >= 0 ? alpha.digits * std::pow(10.0, alpha.exponent)
                               : alpha.digits / std::pow(10.0, -alpha.exponent);
}

std::string AlphaText(const Alpha& alpha) {
    const std::string digits = std::to_string(alpha.digits);
    if (alpha.exponent >= 0)
        return digits + std::string(static_cast<std::size_t>(alpha.exponent), '0');
    const int point = 4 + alpha.exponent;  // digits before the point
    if (point > 0)
        return digits.substr(0, static_cast<std::size_t>(point)) + "." +
               digits.substr(static_cast<std::size_t>(point));
    return "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
}

std::optional<int> TypedHundredths(std::string_view text) {
    const std::optional<double> v = Number(text);
    if (!v || !(*v >= 0 && *v <= 100)) return std::nullopt;
    const double hundredths = RoundHalfEven(*v * 100);
    // At most two decimals: the number is its own hundredths, as the number rules write both.
    if (NumberText(Value::Double(hundredths / 100)) != NumberText(Value::Double(*v)))
        return std::nullopt;
    return static_cast<int>(hundredths);
}

Fit FitMeasured(const CalibratedOils& at, const std::vector<MeasuredBlend>& blends) {
    Fit fit;
    struct Counted {
        std::size_t at;
        int hundredths;
        double viscosity;
    };
    std::vector<Counted> counted;
    const std::optional<RuleOils>& oils = at.oils;
    Fixed wA, wB, sum;
    if (oils) wA = W(oils->sumA), wB = W(oils->sumB);
    for (const MeasuredBlend& m : blends) {
        CheckedBlend& checked = fit.blends.emplace_back();
        const std::optional<double> percent = Number(m.percent);
        const std::optional<int> hundredths = TypedHundredths(m.percent);
        const std::optional<double> viscosity = Number(m.viscosity);
        if (!oils)
            checked.fault = at.fault;
        else if (!percent)
            checked.fault = MeasuredFault::PercentNotANumber;
        else if (!(*percent > 0 && *percent < 100))
            checked.fault = MeasuredFault::PercentOutside;
        else if (!hundredths)
            checked.fault = MeasuredFault::PercentNotANumber;
        else if (!viscosity)
            checked.fault = MeasuredFault::ViscosityNotANumber;
        else if (!Between(oils->c + *viscosity, oils->sumA, oils->sumB))
            checked.fault = MeasuredFault::ViscosityOutside;
        else if (counted.size() == kMostCounted)
            checked.fault = MeasuredFault::BeyondFive;
        if (checked.fault) continue;

        // ln α of this blend: the log-odds of its share less those the rule gives its viscosity.
        sum = sum + LnOdds(*hundredths) - LnOddsOnLine(W(oils->c + *viscosity), wA, wB);
        const Fixed share = Fixed(static_cast<double>(*hundredths)) / kAllOfA;
        checked.deviation = Deviation(OnLine(share, wA, wB, oils->c), *viscosity);
        counted.push_back({fit.blends.size() - 1, *hundredths, *viscosity});
    }
    if (counted.empty()) return fit;
    fit.alpha = Rounded(sum / static_cast<std::uint32_t>(counted.size()));
    if (counted.size() >= 2) {
        const Fixed lnAlpha = LnAlpha(*fit.alpha);
        for (const Counted& c : counted) {
            const Fixed phi = Logistic(LnOdds(c.hundredths) - lnAlpha);
            fit.blends[c.at].residual = Deviation(OnLine(phi, wA, wB, oils->c), c.viscosity);
        }
    }
    return fit;
}

CalibratedRule::CalibratedRule(const RuleOils& oils, const Alpha& alpha)
    : oils_(oils),
      alpha_(alpha),
      alphaValue_(AlphaValue(alpha)),
      wA_(Ln(Ln(oils.sumA))),
      wB_(Ln(Ln(oils.sumB))) {}

std::optional<int> CalibratedRule::Hundredths(double sumT) const {
    if (sumT == oils_.sumA) return kAllOfA;
    if (sumT == oils_.sumB) return 0;
    if (!Between(sumT, oils_.sumA, oils_.sumB)) return std::nullopt;

    // In doubles: each W within 2^-52 (1 + |W|) of the exact one (Ln is correctly rounded), so
    // the differences within e; the share rises with the first and falls with the second, so the
    // exact share lies between the shares of the margin's ends.
    const double wT = Ln(Ln(sumT));
    double fromB = wT - wB_, toA = wA_ - wT;
    if (wA_ < wB_) fromB = -fromB, toA = -toA;
    const double e = 0x1p-50 * (1 + std::abs(wA_) + std::abs(wB_) + std::abs(wT));
    if (fromB > e && toA > e) {
        const double lowA = alphaValue_ * (1 - 0x1p-50) * (fromB - e);
        const double highA = alphaValue_ * (1 + 0x1p-50) * (fromB + e);
        const double low = kAllOfA * (lowA / (lowA + toA + e)) * (1 - 0x1p-48);
        const double high = kAllOfA * (highA / (highA + toA - e)) * (1 + 0x1p-48);
        const double nearest = std::floor(low + 0.5);
        if (low + 0.5 > nearest && high + 0.5 < nearest + 1) return static_cast<int>(nearest);
    }
    return HundredthsExact(sumT);
}

std::optional<int> CalibratedRule::HundredthsExact(double sumT) const {
    const Fixed wA = W(oils_.sumA), wB = W(oils_.sumB);
    return RoundedShare(LnAlpha(alpha_) + LnOddsOnLine(W(sumT), wA, wB));
}

}  // namespace olvimar
