#pragma once

// A measured blend corrects the blending rule for the oils in hand. With W(V) = ln ln(c + V) the
// rule puts a share φ of oil A where W(blend) = φ W(A) + (1 - φ) W(B); the calibrated rule keeps
// that line and moves along it by a factor α on the odds of A:
//     odds(x) = α · odds(φ),   odds(f) = f / (1 - f),
// so α = 1 is the rule itself, and an oil's own viscosity is still all of it or none. One measured
// blend of a share x at a viscosity V gives α = odds(x) / odds(φ(V)); several give the geometric
// mean of theirs, the least-squares fit in log-odds. Every figure is the exact value of its
// formula, rounded once, the same on every platform; the calibrated split and viscosity take α
// as it is written, to its four digits.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/blend_viscosity.h"

namespace olvimar {

// Why a measured blend does not count.
enum class MeasuredFault {
    OilsUnknown,          // the oils' viscosities at its temperature are not known
    OilsSame,             // the two oils have the same viscosity there: no share tells them apart
    OilOutside,           // an oil is thinner or thicker there than the calibration takes
    PercentNotANumber,    // the share is no number, or has more than two decimals
    PercentOutside,       // the share is not strictly between 0 and 100
    ViscosityNotANumber,  // the viscosity is no number
    ViscosityOutside,     // the viscosity is not strictly between the oils'
    BeyondFive,           // five blends before it count already
};

// The oils the calibration takes, cSt: every engine oil at any temperature it is blended at, and
// wide enough apart that a deviation stays within the fixed point's 2^31.
inline constexpr double kLeastCalibrated = 0.001, kMostCalibrated = 1e6;

// The oils at one temperature, or why the rule cannot be calibrated on them.
struct CalibratedOils {
    std::optional<RuleOils> oils;
    MeasuredFault fault = MeasuredFault::OilsUnknown;  // where there are none
};
// The oils of the texts `viscA` and `viscB` at the constant c: two numbers of different
// viscosity, each from kLeastCalibrated to kMostCalibrated.
CalibratedOils CalibratableOils(double c, std::string_view viscA, std::string_view viscB);

// α as the nearest double, or within a unit of its last bit: what a chart draws it with.
double AlphaValue(const Alpha& alpha);
// "1.219", "0.8500", "12.00", "1234000": four significant digits, the zeros among them written.
std::string AlphaText(const Alpha& alpha);

// A blend mixed and measured by the user: its share of A and its viscosity (cSt) as typed, and the
// temperature row it was measured at.
struct MeasuredBlend {
    std::string percent, viscosity;
    int row = 0;
    bool operator==(const MeasuredBlend&) const = default;
};

// What a calibrated entry of the record adds to its first line, before α; and what stands in
// place of a split that these oils cannot make, on the line of the oils and on the line of the
// sheared ones.
inline constexpr const char* kAlphaInEntry = " 校准系数 ";
inline constexpr const char* kCannotMake = "这两种机油调不出这个粘度";
inline constexpr const char* kCannotMakeSheared = "剪切后这两种机油调不出这个粘度 MAX";

// The most measured blends that a fit takes at one temperature.
inline constexpr std::size_t kMostCounted = 5;

// A measured blend checked against the rule.
struct CheckedBlend {
    std::optional<MeasuredFault> fault;    // why it does not count; none when it does
    std::int64_t deviation = 0;            // the rule's (predicted - measured) / measured, ‰
    std::optional<std::int64_t> residual;  // the same under the calibrated rule, ‰, with two or
                                           // more blends that count
};

struct Fit {
    std::optional<Alpha> alpha;  // none while no blend counts
    std::vector<CheckedBlend> blends;
};

// α from the measured blends at one temperature, and each blend's deviation from the rule. Where
// `oils` has none, each blend says why.
Fit FitMeasured(const CalibratedOils& oils, const std::vector<MeasuredBlend>& blends);

// A share of A typed as a percentage: its hundredths of a percent, or none for anything but a
// number from 0 to 100 with at most two decimals.
std::optional<int> TypedHundredths(std::string_view text);

// The calibrated rule for one temperature's oils.
class CalibratedRule {
  public:
    CalibratedRule(const RuleOils& oils, const Alpha& alpha);

    // The share of A for a target whose sum c + target is `sumT`, in hundredths of a percent, an
    // exact tie to the even one; none for a target outside the oils' viscosities.
    std::optional<int> Hundredths(double sumT) const;

  private:
    std::optional<int> HundredthsExact(double sumT) const;

    RuleOils oils_;
    Alpha alpha_;
    double alphaValue_;  // α as a double, within a few units of its last bit
    double wA_, wB_;     // W(A), W(B) in doubles
};

}  // namespace olvimar
