#pragma once

// The blend's data sheet: each oil and the blend at the handle's mix, at 40 ℃ and 100 ℃, its
// viscosity index, and its viscosity at any temperature T on its viscosity-temperature line; and
// the grades they fall in. Worked out once for each redraw, for the table and for the chart of the
// lines alike.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "calc/blend.h"
#include "calc/calibration.h"
#include "calc/exact_decimal.h"
#include "oil/undefined.h"
#include "oil/walther.h"

namespace olvimar::sheet {

// The sheet's own boxes: each oil at the data sheet's other temperature, and T.
enum Box : std::size_t { kA40, kB40, kA100, kB100, kAtT, kBoxes };
inline constexpr const char* kStartAtT = "-5";  // the window's cold temperature

// Which of its boxes the sheet asks for at the window's temperature row: at 100 ℃ the 40 ℃ pair,
// at 40 ℃ the 100 ℃ pair, at -5 ℃ or with none chosen both; T always. A number is never asked
// for twice.
std::array<bool, kBoxes> Asked(int temperatureRow);

struct Input {
    BlendFields fields;  // the main window's boxes, as one calculation reads them
    std::array<std::string, kBoxes> boxes;
    int hundredths = 0;  // the handle's mix
    // The factor of measured blends at each temperature row, where the blend is calibrated by
    // them: 100 ℃ and 40 ℃ are the sheet's.
    std::array<std::optional<Alpha>, 3> alphas{};
};

// An oil, or the blend, as the sheet works it out.
struct Oil {
    std::optional<Decimal> at40, at100;  // as typed, or as the sheet shows the blend's
    std::variant<std::int64_t, Undefined> index = Undefined::NotPositive;
    std::variant<WaltherLine, Undefined> line = Undefined::NotPositive;
    std::variant<std::int64_t, Undefined> atT = Undefined::NotPositive;  // thousandths
    std::optional<std::int64_t> atMinusFive;  // on its line, when the window is at -5 ℃
};

struct Figures {
    std::array<Oil, 3> oils;  // A, B, the blend
    int hundredths = 0;
    int temperatureRow = -1;
    std::string atTText;                                        // T as typed
    std::optional<Decimal> atT;                                 // and as a number
    std::optional<std::int64_t> windowA, windowB, windowBlend;  // at -5 ℃, as the window has them
    std::vector<std::string> needs;  // what is missing, or no number, a quiet line each
    bool blendNeedsLines = false;    // an oil has no line, so the blend has neither index nor line
    // Where measured blends calibrate the blend: at 40 ℃, at 100 ℃, and the window's at -5 ℃.
    bool calibrated40 = false, calibrated100 = false, windowCalibrated = false;
};
Figures Work(const Input& input, const TempTable& temp);

// The table as both front ends show it.
struct Cell {
    std::string text;
    bool quiet = false;  // no number: its reason is among the notes
};
struct Table {
    std::array<std::string, 5> columns;  // the corner, 40 ℃, 100 ℃, the index, T
    std::array<std::string, 3> rows;
    std::array<std::array<Cell, 4>, 3> cells;
    std::vector<std::string> notes;  // what is missing or out of range
    std::vector<std::string>
        grades;         // a line for each oil and the blend, then what they leave open
    std::string check;  // at -5 ℃: the lines against the window

    // What stands under the table as the front ends show it: the check, then the grades.
    std::vector<std::string> Below() const;
};
Table TableOf(const Figures& figures);

}  // namespace olvimar::sheet
