#include "chart/calibration_section.h"

#include <cstdlib>

#include "calc/number_rules.h"
#include "calc/value_ops.h"
#include "form/calibration_texts.h"
#include "form/text_fill.h"
#include "form/window_texts.h"

namespace olvimar::chart {

namespace {

// The texts of the oils at `row`: the window's boxes at its own temperature; at 100 ℃ and 40 ℃
// otherwise the sheet's, where the sheet asks for them.
std::optional<std::pair<std::string, std::string>> OilTexts(
    int row, const BlendFields& fields, const std::array<std::string, sheet::kBoxes>& boxes) {
    if (row == fields.s) return std::pair{fields.viscA, fields.viscB};
    const std::array<bool, sheet::kBoxes> asked = sheet::Asked(fields.s);
    if (row == 0 && asked[sheet::kA100]) return std::pair{boxes[sheet::kA100], boxes[sheet::kB100]};
    if (row == 1 && asked[sheet::kA40]) return std::pair{boxes[sheet::kA40], boxes[sheet::kB40]};
    return std::nullopt;
}

const char* Reason(MeasuredFault fault) {
    switch (fault) {
        case MeasuredFault::OilsUnknown:
            return texts::kMeasuredOilsUnknown;
        case MeasuredFault::OilsSame:
            return texts::kMeasuredOilsSame;
        case MeasuredFault::OilOutside:
            return texts::kMeasuredOilOutside;
        case MeasuredFault::PercentNotANumber:
            return texts::kMeasuredPercentNotANumber;
        case MeasuredFault::PercentOutside:
            return texts::kMeasuredPercentOutside;
        case MeasuredFault::ViscosityNotANumber:
            return texts::kMeasuredViscosityNotANumber;
        case MeasuredFault::ViscosityOutside:
            return texts::kMeasuredViscosityOutside;
        case MeasuredFault::BeyondFive:
            break;
    }
    return texts::kMeasuredBeyondFive;
}

}  // namespace

std::string AddedNote(Added added) {
    return added == Added::ListFull
               ? Fill(texts::kMeasuredListFull, {std::to_string(kMostMeasured)})
               : std::string();
}

std::string DeviationText(std::int64_t perMille) {
    const std::int64_t m = std::llabs(perMille);
    const std::string sign = perMille > 0 ? "+" : perMille < 0 ? "-" : "";
    return sign + std::to_string(m / 10) + "." + std::to_string(m % 10) + "%";
}

Input ChartInput(const Form& form, const std::string& targets, int hundredths,
                 const CalibrationSection& section) {
    Input input{form.Inputs(), targets, hundredths};
    const int s = input.fields.s;
    if (s >= 0 && s < static_cast<int>(section.counted.size())) {
        const auto row = static_cast<std::size_t>(s);
        input.measured = section.counted[row];
        if (form.Calibrating()) input.alpha = section.alphas[row];
    }
    return input;
}

sheet::Input SheetInput(const Form& form, const std::array<std::string, sheet::kBoxes>& boxes,
                        int hundredths, const CalibrationSection& section) {
    sheet::Input input{form.Inputs(), boxes, hundredths};
    if (form.Calibrating()) input.alphas = section.alphas;
    return input;
}

CalibrationSection Calibrate(const BlendFields& fields,
                             const std::array<std::string, sheet::kBoxes>& boxes,
                             const std::vector<MeasuredBlend>& measured, const TempTable& temp) {
    CalibrationSection section;
    section.rows.resize(measured.size());
    for (int row = 0; row < static_cast<int>(temp.size()); ++row) {
        const std::vector<MeasuredBlend> blends = MeasuredAt(measured, row);
        if (blends.empty()) continue;
        CalibratedOils oils;
        if (const auto t = OilTexts(row, fields, boxes))
            oils = CalibratableOils(ToDouble(temp[static_cast<std::size_t>(row)]), t->first,
                                    t->second);
        const Fit fit = FitMeasured(oils, blends);
        const std::string temperature = texts::kTemperatures.at(static_cast<std::size_t>(row));
        section.alphas[static_cast<std::size_t>(row)] = fit.alpha;
        if (fit.alpha)
            section.factors.push_back(
                Fill(texts::kFactorLine, {temperature, AlphaText(*fit.alpha)}));

        // The fit's blends are this row's, in the list's order.
        std::size_t k = 0;
        for (std::size_t i = 0; i < measured.size(); ++i) {
            const MeasuredBlend& m = measured[i];
            if (m.row != row) continue;
            const CheckedBlend& b = fit.blends[k++];
            CalibrationSection::Row& line = section.rows[i];
            line.text = Fill(texts::kMeasuredLine, {temperature, std::string(TrimBlanks(m.percent)),
                                                    std::string(TrimBlanks(m.viscosity))});
            if (b.fault) {
                line.quiet = true;
                line.text += Fill(Reason(*b.fault), {" " + temperature + " "});
                continue;
            }
            line.text += Fill(texts::kMeasuredDeviation, {DeviationText(b.deviation)});
            if (b.residual)
                line.text += Fill(texts::kMeasuredResidual, {DeviationText(*b.residual)});
            section.counted[static_cast<std::size_t>(row)].push_back(m);
        }
    }
    return section;
}

}  // namespace olvimar::chart
