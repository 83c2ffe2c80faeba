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

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "calc/blend_viscosity.h"
#include "calc/failure.h"
#include "calc/number_rules.h"
#include "calc/value.h"
#include "numeric/fixed_math.h"
#include "numeric/ln.h"
#include "numeric/ln_detail.h"

namespace olvimar {

namespace {

// The oils the calibration takes, cSt: every engine oil at any temperature it is blended at, and
// wide enough apart that a deviation stays within the fixed point's 2^31.
constexpr double kLeastCalibrated = 0.001, kMostCalibrated = 1e6;

using fixed::Exp;

Fixed One() {
    return Fixed(1.0);
}

bool Negative(const Fixed& v) {
    return v.words().back() >> 31;
}

// ln y for a positive y down to 2^-140, where fixed::Ln's quotient would run past the fixed
// point's 2^31: its own way, ln of y's double d plus ln(1 + (y - d) / d), with the quotient's
// terms scaled by the same power of two into the range a quotient takes. The differences of W
// next to an oil's own viscosity come down to 2^-60.
Fixed LnOf(const Fixed& y) {
    const double d = y.ToDouble();
    if (d >= 0x1p-20) return fixed::Ln(y);
    int exponent = 0;
    std::frexp(d, &exponent);  // d = m 2^exponent, m in [1/2, 1)
    Fixed above = y - Fixed(d);
    for (int k = -exponent; k > 0; k -= 30) above = above * Fixed(std::ldexp(1.0, std::min(k, 30)));
    const Fixed e = fixed::Quotient(above, Fixed(std::ldexp(d, -exponent)));
    const Fixed e2 = e * e;
    return ln_detail::LnExactFixed(d) + e - e2 / 2 + e2 * e / 3;
}

// W(V) = ln ln(c + V), from the double sum; c + V may be a sheared oil's, just above 1.
Fixed W(double sum) {
    return LnOf(ln_detail::LnExactFixed(sum));
}

// ln α of four significant digits.
Fixed LnAlpha(const Alpha& alpha) {
    return ln_detail::LnExactFixed(alpha.digits) +
           fixed::Ln10() * Fixed(static_cast<double>(alpha.exponent));
}

// ln odds of a share of `hundredths` of a percent, 1 to 9999.
Fixed LnOdds(int hundredths) {
    return ln_detail::LnExactFixed(hundredths) - ln_detail::LnExactFixed(kAllOfA - hundredths);
}

// The share whose log-odds is L: 1 / (1 + e^-L), with e to a power of no more than 0.
Fixed Logistic(const Fixed& l) {
    if (!Negative(l)) return fixed::Quotient(One(), One() + Exp(-l));
    const Fixed e = Exp(l);
    return fixed::Quotient(e, One() + e);
}

// ln odds(φ) of the rule for a W strictly between those of the oils.
Fixed LnOddsOnLine(const Fixed& w, const Fixed& wA, const Fixed& wB) {
    Fixed fromB = w - wB, toA = wA - w;
    if (Negative(wA - wB)) fromB = -fromB, toA = -toA;
    return LnOf(fromB) - LnOf(toA);
}

// The viscosity of the line's share φ: exp(exp(W(B) + φ (W(A) - W(B)))) - c.
Fixed OnLine(const Fixed& phi, const Fixed& wA, const Fixed& wB, double c) {
    return Exp(Exp(wB + phi * (wA - wB))) - Fixed(c);
}

// (predicted - measured) / measured in thousandths, the nearest.
std::int64_t Deviation(const Fixed& predicted, double measured) {
    return fixed::Thousandths(fixed::Quotient(predicted - Fixed(measured), Fixed(measured)));
}

// The share of A whose log-odds is L, in hundredths of a percent: the nearest, and within 2^-80
// of a half, a tie that only a share of exact ratios reaches, to the even one.
int RoundedShare(const Fixed& l) {
    const Fixed h = Logistic(l) * Fixed(static_cast<double>(kAllOfA));
    const std::int64_t whole = static_cast<std::int32_t>(h.words().back());
    const double past = (h - Fixed(static_cast<double>(whole)) - Fixed(0.5)).ToDouble();
    if (std::abs(past) < 0x1p-80) return static_cast<int>(whole + (whole & 1));
    return static_cast<int>(past > 0 ? whole + 1 : whole);
}

// α to four significant digits from its ln, the nearest (no exact tie comes from a fit).
Alpha Rounded(const Fixed& lnAlpha) {
    const Fixed ln10 = fixed::Ln10();
    int exponent = static_cast<int>(std::floor(lnAlpha.ToDouble() / ln10.ToDouble())) - 3;
    for (;;) {
        const Fixed m = Exp(lnAlpha - ln10 * Fixed(static_cast<double>(exponent)));
        const double approx = m.ToDouble();
        if (approx < 1000) {
            --exponent;
        } else if (approx >= 10000) {
            ++exponent;
        } else {
            const std::int64_t digits = fixed::Nearest(m);
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

std::optional<RuleOils> CalibratableOils(double c, std::string_view viscA, std::string_view viscB) {
    const std::optional<double> a = Number(viscA), b = Number(viscB);
    const auto usable = [](const std::optional<double>& v) {
        return v && *v >= kLeastCalibrated && *v <= kMostCalibrated;
    };
    if (!usable(a) || !usable(b)) return std::nullopt;
    const RuleOils oils{c, c + *a, c + *b};
    if (oils.sumA == oils.sumB) return std::nullopt;
    return oils;
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

Fit FitMeasured(const std::optional<RuleOils>& oils, const std::vector<MeasuredBlend>& blends) {
    Fit fit;
    struct Counted {
        std::size_t at;
        int hundredths;
        double viscosity;
    };
    std::vector<Counted> counted;
    Fixed wA, wB, sum;
    if (oils) wA = W(oils->sumA), wB = W(oils->sumB);
    for (const MeasuredBlend& m : blends) {
        CheckedBlend& checked = fit.blends.emplace_back();
        const std::optional<double> percent = Number(m.percent);
        const std::optional<int> hundredths = TypedHundredths(m.percent);
        const std::optional<double> viscosity = Number(m.viscosity);
        if (!oils)
            checked.fault = MeasuredFault::OilsUnknown;
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

std::int64_t CalibratedRule::Thousandths(int hundredths) const {
    if (hundredths >= kAllOfA) return fixed::Thousandths(Fixed(oils_.sumA) - Fixed(oils_.c));
    if (hundredths <= 0) return fixed::Thousandths(Fixed(oils_.sumB) - Fixed(oils_.c));
    const Fixed phi = Logistic(LnOdds(hundredths) - LnAlpha(alpha_));
    return fixed::Thousandths(OnLine(phi, W(oils_.sumA), W(oils_.sumB), oils_.c));
}

}  // namespace olvimar
