#include "form/form.h"

#include <exception>
#include <utility>

#include "calc/calibration.h"
#include "calc/generation.h"
#include "calc/number_rules.h"
#include "calc/text_ops.h"
#include "calc/value_ops.h"
#include "form/failure_text.h"
#include "form/layout.h"

namespace olvimar {

void Form::Form_Load() {
    preset[0] = Value::Double(7.276);
    preset[1] = Value::Double(11.25);
    preset[2] = Value::Double(13.69);
    preset[3] = Value::Integer(4);
    preset[4] = Value::Integer(5);
    temp = BlendConstants();
    view_.SetClientWidth(layout::kNarrowWidth);  // the shear column starts hidden
}

void Form::Text1_GotFocus(int index) {
    focusIdx = Value::Integer(static_cast<std::int16_t>(index));
    if (index >= 4 && !IsTrue(wide)) Command3_Click();
}

void Form::List1_DblClick() {
    // focusIdx is Empty (the first box) or the index of a box, so this stays inside Text1.
    const int k = ToIndex(focusIdx);
    const Value old = Value::Text(view_.Text1(k));
    const bool append = IsTrue(And(Equals(focusIdx, 2), Len(old)));

    const int r = view_.List1Index();
    if (r < 0 || r >= static_cast<int>(preset.size())) return;  // no row: nothing to insert

    const Value& value = preset[static_cast<std::size_t>(r)];
    const Value next = append ? Concat(Concat(old, Value::Text(",")), value) : value;
    view_.SetText1(k, NumberText(next));
}

BlendFields Form::readFields() const {
    BlendFields f;
    f.s = static_cast<std::int16_t>(view_.Combo1Index());
    f.viscA = view_.Text1(0);
    f.viscB = view_.Text1(1);
    f.litres = view_.Text1(3);
    f.lossA = view_.Text1(4);
    f.lossB = view_.Text1(5);
    return f;
}

std::vector<MeasuredBlend> MeasuredAt(const std::vector<MeasuredBlend>& measured, int row) {
    std::vector<MeasuredBlend> blends;
    for (const MeasuredBlend& m : measured)
        if (m.row == row) blends.push_back(m);
    return blends;
}

Added Form::AddMeasured(int row, std::string percent, std::string viscosity) {
    if (TrimBlanks(percent).empty() && TrimBlanks(viscosity).empty()) return Added::NothingTyped;
    if (row < 0 || row >= static_cast<int>(temp.size())) return Added::NoTemperature;
    if (measured.size() >= kMostMeasured) return Added::ListFull;
    measured.push_back({std::move(percent), std::move(viscosity), row});
    return Added::Yes;
}

void Form::RemoveMeasured(std::size_t index) {
    if (index < measured.size()) measured.erase(measured.begin() + static_cast<long>(index));
}

std::optional<CalibratedOils> Form::OilsAtWindow() const {
    const BlendFields f = readFields();
    if (f.s < 0 || f.s >= static_cast<int>(temp.size())) return std::nullopt;
    return CalibratableOils(ToDouble(temp[static_cast<std::size_t>(f.s)]), f.viscA, f.viscB);
}

std::optional<Alpha> Form::AlphaAtWindow() const {
    const std::optional<CalibratedOils> oils = OilsAtWindow();
    if (!oils) return std::nullopt;
    return FitMeasured(*oils, MeasuredAt(measured, readFields().s)).alpha;
}

void Form::Command1_Click() {
    try {
        const std::size_t before = RecordText().size();
        const BlendFields fields = readFields();
        std::optional<Alpha> alpha;
        // Without a temperature the run fails as ever, saying to choose one; with oils that are
        // no numbers or the same it fails as ever too, at the first target, before it writes.
        const std::optional<CalibratedOils> oils = OilsAtWindow();
        const bool ruleFails = oils && !oils->oils && oils->fault != MeasuredFault::OilOutside;
        if (calibrate && oils && !ruleFails) {
            alpha = AlphaAtWindow();
            if (!alpha) {
                view_.ShowFailure(NoCalibrationMessage(fields.s));
                return;
            }
        }
        const RunResult result = RunGeneration(view_.Text1(2), fields, temp, record, alpha);
        if (RecordText().size() != before && CanUndoClear()) {
            cleared = Value();  // new entries: the cleared record is gone for good
            view_.ShowUndoClear(false);
        }
        if (!result.ok()) {
            // The record box keeps what it showed.
            view_.ShowFailure(FailureMessage(*result.failure, result.values));
            return;
        }
        ShowRecord(before);
    } catch (const std::exception&) {
        // Only running out of memory gets here; whole entries stay whole.
        view_.ShowFailure(UnexpectedFailureMessage());
    }
}

void Form::ShowRecord(std::size_t firstNew) {
    view_.ShowRecord(RecordText(), firstNew);
}

std::string_view Form::RecordText() const {
    return record.isText() ? std::string_view(record.text()) : std::string_view();  // Empty: ""
}

void Form::Command2_Click() {
    // One stray Esc must not lose an afternoon's work: the record is kept until the next Generate
    // adds to the record. Clearing an empty record keeps what the Clear before it removed.
    if (!RecordText().empty()) cleared = record;
    record = Value::Text("");
    view_.ClearRecord();
    view_.ShowUndoClear(CanUndoClear());
}

void Form::UndoClear() {
    if (!CanUndoClear()) return;
    record = std::exchange(cleared, Value());
    view_.ShowUndoClear(false);
    view_.ShowRecord(RecordText(), 0);
}

void Form::Command3_Click() {
    if (IsTrue(wide)) {
        view_.SetClientWidth(layout::kNarrowWidth);
        wide = Value::Integer(0);
    } else {
        view_.SetClientWidth(layout::kWideWidth);
        wide = Value::Integer(1);
    }
}

}  // namespace olvimar
