#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "calibration.h"
#include "value.h"

namespace olvimar {

class CalcError;

// The six window inputs that one blend calculation reads, as they stand in the window.
struct BlendFields {
    std::int16_t s = -1;  // the chosen temperature row, -1 while none is chosen
    std::string viscA;    // viscosity of oil A, cSt
    std::string viscB;    // viscosity of oil B, cSt
    std::string litres;   // total quantity, litres; copied as typed into the record
    std::string lossA;    // shear loss of oil A, percent; may be empty
    std::string lossB;    // shear loss of oil B, percent; may be empty
};

// The additive constant c of the blending rule ln ln(V + c), one per temperature row.
using TempTable = std::array<Value, 3>;

// The constants for 100 ℃, 40 ℃ and -5 ℃: 1.8, 4.1 and 1.9. They do not follow the
// temperature's order: 40 ℃ has the largest.
TempTable BlendConstants();

// Appends one record entry for the target viscosity `ret` (a Text as typed, or a Double of a
// range): the total and the target, the split of A and B, and a shear-adjusted "L MAX" line when
// both loss fields are filled. Every line ends with CR LF. An empty target appends nothing.
// Throws CalcError, naming the input it failed on; the append is the last step, so a failing call
// leaves `record` as it was.
void CalcBlend(const Value& ret, const BlendFields& fields, const TempTable& temp, Value& record);

// The viscosity an oil keeps after losing `loss` percent of it by shear: visc * (1 - loss / 100).
// Throws Overflow for a result that is not finite.
double ShearedViscosity(double visc, double loss);

// The percentages of oil A for one target, as the record writes them: on the line of the oils as
// typed, and on the line of the sheared oils when both losses are filled.
struct Split {
    double pct = 0;
    std::optional<double> sheared;
};

// CalcBlend for the many target values of one run, whose fields and constants stay as they are:
// what depends on them alone is worked out at the first value and kept. Each call appends exactly
// what CalcBlend would, and fails exactly where it would.
//
// Calibrated by a factor `alpha` from measured blends, each entry's first line names it and the
// splits are the calibrated rule's, the sheared oils' by the same α; a target these oils cannot
// make gets a line that says so in place of its split. Every failure is still the rule's own.
class Blender {
  public:
    Blender(const BlendFields& fields, const TempTable& temp,
            std::optional<Alpha> alpha = std::nullopt);
    void calc(const Value& ret, Value& record);
    // The percentages alone, for a target that is not empty: the litres are not read. Fails
    // where calc would on everything else.
    Split split(const Value& ret);

    // Where a calculation stands, so that a failure can say which input it met and why.
    struct Step;

    // One oil as the blending rule sees it.
    struct Oil {
        double visc = 0;  // viscosity, cSt
        double ln = 0;    // ln(c + visc)
    };

  private:
    struct Oils {
        Oil a, b;
    };
    // ln(c + target), the target and the oils read on the way; the percentage of A.
    double targetLog(const Value& ret, double& target, Step& at);
    double percentage(double t, bool shear, Step& at);
    // The calibrated share of A for the target of sum c + target; none beyond the oils.
    std::optional<double> calibrated(double target, bool shear);
    // Names the input of a failure and its situation, where the failure does not say.
    void annotate(CalcError& e, const Step& at, const Value& ret) const;

    const BlendFields& fields_;
    const TempTable& temp_;
    std::optional<Oils> oils_;     // as typed
    std::optional<Oils> sheared_;  // after the shear losses
    std::optional<double> lnAB_;   // ln(a / b)
    std::optional<double> lnShearedAB_;
    std::optional<double> total_;  // litres
    std::optional<Alpha> alpha_;
    std::optional<CalibratedRule> rule_, shearedRule_;
};

}  // namespace olvimar
