#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/blend.h"
#include "calc/calibration.h"
#include "calc/value.h"

namespace olvimar {

// The window's controls as the handlers reach them. Each front end (the Qt window, the web page)
// implements it over its own controls.
class FormView {
  public:
    virtual ~FormView() = default;

    virtual std::string Text1(int index) const = 0;  // the text of box Text1(index), UTF-8
    virtual void SetText1(int index, const std::string& text) = 0;
    virtual int Combo1Index() const = 0;  // the temperature row, -1 while none is chosen
    virtual void SetCombo1Index(int row) = 0;
    virtual int List1Index() const = 0;  // the selected preset row, -1 while none is
    virtual void SetClientWidth(int twips) = 0;
    // The record box shows `record`, CR LF line ends and all; the entries of this press begin at
    // byte `firstNew`, which a long record box brings into view (none when it is the size).
    virtual void ShowRecord(std::string_view record, std::size_t firstNew) = 0;
    virtual void ClearRecord() = 0;
    // Whether the empty record box offers to bring back the record that Clear removed.
    virtual void ShowUndoClear(bool possible) = 0;
    // A modal message titled with the window's caption.
    virtual void ShowFailure(const std::string& message) = 0;
};

// The most measured blends the list holds, all temperatures together.
inline constexpr std::size_t kMostMeasured = 30;

// The measured blends of one temperature row, in the list's order.
std::vector<MeasuredBlend> MeasuredAt(const std::vector<MeasuredBlend>& measured, int row);

// What "添加实测" did.
enum class Added {
    Yes,
    NothingTyped,   // both boxes empty: nothing to add
    NoTemperature,  // a row that is no temperature
    ListFull,       // the list holds kMostMeasured already: the boxes keep what is typed
};

// The window's behaviour without its drawing: the module state and the event handlers. Each
// handler runs to its end and never lets a failure out; a failure is shown through the view.
class Form {
  public:
    explicit Form(FormView& view) : view_(view) {}

    void Form_Load();
    // Also widens the window when a hidden shear box takes the focus: typing must never go
    // where nobody can see it.
    void Text1_GotFocus(int index);
    void List1_DblClick();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Brings back the record that the last Clear removed, until a Generate adds to the record.
    void UndoClear();
    bool CanUndoClear() const { return !cleared.isEmpty(); }

    // The measured blends: "添加实测" adds one as typed, and says whether it did or why not;
    // "删除" removes one; the switch "按实测校准" makes Generate write the calibrated split.
    Added AddMeasured(int row, std::string percent, std::string viscosity);
    void RemoveMeasured(std::size_t index);
    void SetCalibrate(bool on) { calibrate = on; }
    const std::vector<MeasuredBlend>& MeasuredBlends() const { return measured; }
    bool Calibrating() const { return calibrate; }
    // The factor of the measured blends at the window's temperature, from the window's boxes; none
    // while no temperature is chosen or no blend there counts.
    std::optional<Alpha> AlphaAtWindow() const;

    // What one calculation would read of the boxes now, and the blending rule's constants: what
    // the charts and the data sheet are drawn from.
    BlendFields Inputs() const { return readFields(); }
    const TempTable& Temperatures() const { return temp; }

    // What a reloaded page brings back: the six boxes, the temperature row, the width, where
    // the chart's handle stands (`handle`, hundredths of a percent) and the texts of the data
    // sheet's boxes (`sheet`) as one text, its format's version first; and the record apart from
    // it (it may be long, and changes less often).
    // The measured blends and the switch follow them, then the recipe's boxes (`recipe`).
    std::string KeptFields(int handle, const std::vector<std::string>& sheet,
                           const std::vector<std::string>& recipe = {}) const;
    // Shows the window as it was kept: the fields of any version a release wrote, and the record
    // on its own, whatever becomes of the fields. Fields that are no kept text restore nothing.
    struct Restored {
        bool fields = false, record = false;
        std::optional<int> handle;       // where the chart's handle stood, if the fields said
        std::vector<std::string> sheet;   // the data sheet's boxes, if the fields kept any
        std::vector<std::string> recipe;  // and the recipe's
    };
    Restored Restore(std::string_view fields, std::string_view keptRecord);

    const Value& focusIdxValue() const { return focusIdx; }
    const Value& recordValue() const { return record; }
    const Value& wideValue() const { return wide; }
    std::string_view RecordText() const;

  private:
    BlendFields readFields() const;
    // The oils at the window's temperature as the calibration takes them; none without one.
    std::optional<CalibratedOils> OilsAtWindow() const;
    void ShowRecord(std::size_t firstNew);

    FormView& view_;
    Value focusIdx;                 // the Text1 box that last had the focus; Empty before any
    std::array<Value, 7> preset{};  // the value behind each row of List1
    TempTable temp{};               // the blending constant of each temperature row
    Value record;                   // every entry since the start or the last Clear
    Value wide;                     // 1 while the shear column shows, 0 or Empty while narrow
    Value cleared;                  // what the last Clear removed; Empty once it cannot come back
    std::vector<MeasuredBlend> measured;  // the measured blends, in the order they were added
    bool calibrate = false;               // whether Generate writes the calibrated split
};

}  // namespace olvimar
