#pragma once

// The section "实测校准" as both front ends show it: each measured blend with what the rule and
// the calibrated rule make of it, or why it does not count; each temperature's factor; and what
// the blend chart and the data sheet take from them.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calc/blend.h"
#include "calc/calibration.h"
#include "chart/chart.h"
#include "chart/sheet.h"
#include "form/form.h"

namespace olvimar::chart {

struct CalibrationSection {
    struct Row {
        std::string text;
        bool quiet = false;  // it does not count, and says why
    };
    std::vector<Row> rows;             // a row for each measured blend, in the list's order
    std::vector<std::string> factors;  // "100 ℃：校准系数 1.219", for each temperature with one
    std::array<std::optional<Alpha>, 3> alphas;         // by temperature row
    std::array<std::vector<MeasuredBlend>, 3> counted;  // the blends that count, by row
};

// The oils at each temperature come from where the data sheet takes them: the window's boxes at
// the window's temperature, the sheet's at the other data temperature.
CalibrationSection Calibrate(const BlendFields& fields,
                             const std::array<std::string, sheet::kBoxes>& boxes,
                             const std::vector<MeasuredBlend>& measured, const TempTable& temp);

// What the blend chart and the data sheet are drawn from: the Form's boxes and the handle, with
// the measured blends at the window's temperature and, while "按实测校准" is on, the factors.
// The section is worked out once for what the boxes hold, and drawn from as the handle moves.
Input ChartInput(const Form& form, const std::string& targets, int hundredths,
                 const CalibrationSection& section);
sheet::Input SheetInput(const Form& form, const std::array<std::string, sheet::kBoxes>& boxes,
                        int hundredths, const CalibrationSection& section);

// What the section says after "添加实测": nothing, or why the blend was not added where the
// boxes alone do not show it.
std::string AddedNote(Added added);

// A deviation of thousandths as the section writes it, in percent with one decimal and its
// sign: "-3.1%", "+0.6%", "0.0%".
std::string DeviationText(std::int64_t perMille);

}  // namespace olvimar::chart
