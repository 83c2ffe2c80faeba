// The window's behaviour on the Form itself, through a view of plain strings: the presets, the
// width, the messages, and the scenarios that the browser test runs on the web page too.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "../scenarios/read_scenarios.h"
#include "calc/number_rules.h"
#include "chart/calibration_section.h"
#include "chart/chart.h"
#include "chart/sheet.h"
#include "form/form.h"
#include "form/keys.h"
#include "form/layout.h"
#include "form/record_lines.h"
#include "recipe/recipe.h"

namespace olvimar {
namespace {

// The controls as plain values; the record box shows line breaks, as a text box does.
class FakeView : public FormView {
  public:
    std::string Text1(int index) const override { return boxes.at(index); }
    void SetText1(int index, const std::string& text) override { boxes.at(index) = text; }
    int Combo1Index() const override { return combo; }
    void SetCombo1Index(int row) override { combo = row; }
    int List1Index() const override { return list; }
    void SetClientWidth(int twips) override { width = twips; }
    void ShowRecord(std::string_view record, std::size_t firstNew) override {
        shown = RecordLines(record);
        this->firstNew = firstNew;
    }
    void ClearRecord() override { shown.clear(); }
    void ShowUndoClear(bool possible) override { undoHint = possible; }
    void ShowFailure(const std::string& message) override { messages.push_back(message); }

    std::array<std::string, 6> boxes;
    int combo = -1;
    int list = -1;
    int width = 0;
    std::string shown;
    std::size_t firstNew = 0;
    bool undoHint = false;
    std::vector<std::string> messages;
};

struct Window {
    Window() { form.Form_Load(); }
    FakeView view;
    Form form{view};

    void type(int box, const std::string& text) {
        form.Text1_GotFocus(box);
        view.boxes.at(box) = text;
    }
    void preset(int row) {  // a double-click selects the row first
        view.list = row;
        form.List1_DblClick();
    }
};

// ---- The scenarios shared with the browser test ----

using testing::ReadScenarios, testing::Scenario, testing::Step;

TEST(Scenarios, RunOnTheFormAsOnThePage) {
    const std::vector<Scenario> scenarios = ReadScenarios(OLVIMAR_SCENARIOS);
    ASSERT_GE(scenarios.size(), 10u) << OLVIMAR_SCENARIOS;
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        Window w;
        std::array<std::string, sheet::kBoxes> sheetBoxes{"", "", "", "", sheet::kStartAtT};
        int handle = chart::kEvenMix;
        recipe::Boxes recipeBoxes;
        const auto cooked = [&] {
            return recipe::Work(recipeBoxes, recipe::FromWindow(w.form.Inputs(), sheetBoxes),
                                w.form.Calibrating());
        };
        const auto section = [&] {
            return chart::Calibrate(w.form.Inputs(), sheetBoxes, w.form.MeasuredBlends(),
                                    w.form.Temperatures());
        };
        for (const Step& step : s.steps) {
            SCOPED_TRACE("line " + std::to_string(step.line));
            const int n = step.arg.empty() ? 0 : std::atoi(step.arg.c_str());
            if (step.word == "type") {
                w.type(n, step.text);
            } else if (step.word == "temperature") {
                w.view.combo = n;
            } else if (step.word == "focus") {
                w.form.Text1_GotFocus(n);
            } else if (step.word == "preset") {
                w.preset(n);
            } else if (step.word == "generate") {
                w.form.Command1_Click();
            } else if (step.word == "clear") {
                w.form.Command2_Click();
            } else if (step.word == "bar") {
                w.form.Command3_Click();
            } else if (step.word == "undo") {
                w.form.UndoClear();
            } else if (step.word == "hint") {
                EXPECT_EQ(w.view.undoHint, n == 1);
            } else if (step.word == "record") {
                EXPECT_EQ(w.view.shown, step.text);
            } else if (step.word == "message") {
                ASSERT_EQ(w.view.messages.size(), 1u);
                EXPECT_EQ(w.view.messages[0].rfind(step.text, 0), 0u) << w.view.messages[0];
                w.view.messages.clear();
            } else if (step.word == "box") {
                EXPECT_EQ(w.view.boxes.at(n), step.text);
            } else if (step.word == "wide") {
                EXPECT_EQ(w.view.width, n ? layout::kWideWidth : layout::kNarrowWidth);
            } else if (step.word == "sheet") {
                sheetBoxes.at(static_cast<std::size_t>(n)) = step.text;
            } else if (step.word == "handle") {
                handle = chart::TypedHundredths(step.arg).value();
            } else if (step.word == "measure") {
                const std::size_t gap = step.text.find(' ');
                w.form.AddMeasured(n, step.text.substr(0, gap), step.text.substr(gap + 1));
            } else if (step.word == "calibrate") {
                w.form.SetCalibrate(!w.form.Calibrating());
            } else if (step.word == "recipe") {
                recipeBoxes.texts.at(static_cast<std::size_t>(n)) = step.text;
            } else if (step.word == "unit") {
                recipeBoxes.unit = n;
            } else if (step.word == "recipe-table") {
                EXPECT_EQ(testing::RecipeTables(cooked()), step.arg);
            } else if (step.word == "recipe-says") {
                EXPECT_EQ(testing::RecipeSays(cooked()), step.arg);
            } else if (step.word == "section") {
                std::string lines;
                for (const auto& r : section().rows) lines += (lines.empty() ? "" : " | ") + r.text;
                for (const auto& f : section().factors) lines += " | " + f;
                EXPECT_EQ(lines, step.arg);
            } else if (step.word == "readout") {
                const chart::Picture p =
                    chart::Draw(chart::ChartInput(w.form, w.view.boxes[2], handle, section()),
                                w.form.Temperatures(), chart::Frame{});
                EXPECT_EQ(p.readout, step.text);
            } else if (step.word == "below") {
                const sheet::Table t = sheet::TableOf(
                    sheet::Work(chart::SheetInput(w.form, sheetBoxes, handle, section()),
                                w.form.Temperatures()));
                EXPECT_EQ(t.Below().at(0), step.arg);
            } else if (step.word == "table") {
                const sheet::Table t = sheet::TableOf(
                    sheet::Work(chart::SheetInput(w.form, sheetBoxes, handle, section()),
                                w.form.Temperatures()));
                std::string cells;
                for (const auto& row : t.cells)
                    for (const sheet::Cell& c : row)
                        cells += (cells.empty() ? "" : &row[0] == &c ? " | " : " ") + c.text;
                EXPECT_EQ(cells, step.arg);
            } else {
                ADD_FAILURE() << "unknown step " << step.word;
            }
        }
        EXPECT_TRUE(w.view.messages.empty()) << "a message nobody expected: " << w.view.messages[0];
    }
}

// ---- The presets ----

struct PresetCase {
    const char* name;
    int box;
    std::string before;
    std::vector<int> rows;
    std::string after;
};

TEST(Presets, FillOrExtendTheLastBoxUsed) {
    const std::string longTargets(40000, '7');  // the boxes take any length
    const PresetCase cases[] = {
        {"oil A replaced whatever it holds", 0, "abc", {0}, "7.276"},
        {"targets extended after a comma", 2, "7", {0, 2}, "7,7.276,13.69"},
        {"empty targets get no leading comma", 2, "", {1}, "11.25"},
        {"trailing comma kept", 2, "7,", {0}, "7,,7.276"},
        {"range extended unchanged", 2, "7-14", {1}, "7-14,11.25"},
        {"litres take the bare number", 3, "", {3}, "4"},
        {"litres replaced by the next volume", 3, "4", {4}, "5"},
        {"blank row empties oil B", 1, "9", {5}, ""},
        {"hint row empties oil B", 1, "9", {6}, ""},
        {"blank row adds a lone comma to targets", 2, "7", {5}, "7,"},
        {"hint row adds a lone comma to targets", 2, "7", {6}, "7,"},
        {"shear box is a target too", 5, "1", {2}, "13.69"},
        {"targets of 40000 characters extended", 2, longTargets, {0}, longTargets + ",7.276"},
    };
    for (const PresetCase& c : cases) {
        Window w;
        w.type(c.box, c.before);
        for (int row : c.rows) w.preset(row);
        EXPECT_EQ(w.view.boxes.at(c.box), c.after) << c.name;
    }
}

TEST(Presets, BeforeAnyFocusTheyFillOilAAndWithNoRowNothing) {
    Window w;
    EXPECT_TRUE(w.form.focusIdxValue().isEmpty());
    w.preset(1);
    EXPECT_EQ(w.view.boxes[0], "11.25");
    w.type(2, "7");
    w.preset(-1);  // no row selected
    EXPECT_EQ(w.view.boxes[2], "7");
}

// ---- The width ----

TEST(Width, TheBarTogglesAndAHiddenShearBoxWidens) {
    Window w;
    EXPECT_EQ(w.view.width, layout::kNarrowWidth);
    EXPECT_TRUE(w.form.wideValue().isEmpty());
    w.form.Command3_Click();
    EXPECT_EQ(w.view.width, layout::kWideWidth);
    EXPECT_EQ(w.form.wideValue(), Value::Integer(1));
    w.form.Command3_Click();
    EXPECT_EQ(w.form.wideValue(), Value::Integer(0));
    w.form.Text1_GotFocus(5);
    EXPECT_EQ(w.view.width, layout::kWideWidth);
    EXPECT_EQ(w.form.focusIdxValue(), Value::Integer(5));
    w.form.Text1_GotFocus(4);  // already wide: stays wide
    EXPECT_EQ(w.form.wideValue(), Value::Integer(1));
}

TEST(UndoClear, BringsBackTheRecordByteForByte) {
    Window w;
    for (const auto& [box, text] : {std::pair{0, "7.276"}, {1, "13.69"}, {2, "7-8"}, {3, "4"}})
        w.type(box, text);
    w.view.combo = 0;
    w.form.Command1_Click();
    const std::string record(w.form.RecordText());
    w.form.Command2_Click();
    w.form.Command2_Click();
    w.form.UndoClear();
    EXPECT_EQ(w.form.RecordText(), record);
    EXPECT_FALSE(w.form.CanUndoClear());  // one Clear, one undo
}

// ---- The record's line ends, as both record boxes show them ----

TEST(RecordLines, EveryLineEndIsALineFeed) {
    const struct {
        const char* record;
        const char* lines;
    } rows[] = {
        {"OUT 4L\r\nA\r\n", "OUT 4L\nA\n"},
        {"OUT 4\rL\r\n", "OUT 4\nL\n"},  // a CR typed into the total
        {"OUT 4\r", "OUT 4\n"},
        {"\n\r\n\r", "\n\n\n"},
    };
    for (const auto& r : rows) EXPECT_EQ(RecordLines(r.record), r.lines) << r.record;
}

// ---- The keys, as both front ends carry them out ----

TEST(Keys, EachKeyInEachKindOfControl) {
    using keys::Action;
    using keys::Focus;
    using keys::Key;
    static constexpr keys::Press kKeys[] = {
        {Key::Enter},   {Key::Enter, true}, {Key::Escape},   {Key::Escape, false, false, true},
        {Key::Z, true}, {Key::Z},           {Key::G, true},  {Key::Up},
        {Key::Down},    {Key::Home},        {Key::End},      {Key::Left},
        {Key::Right},   {Key::PageUp},      {Key::PageDown}, {Key::Down, false, false, true},
    };
    constexpr Action P = Action::Pass, Gen = Action::Generate, Clr = Action::Clear,
                     Own = Action::UndoOwnEdit, Back = Action::UndoClear, Chart = Action::OpenChart;
    struct Row {
        const char* name;
        Focus focus;
        bool ownEdit, clearUndoable;
        // Enter, Ctrl+Enter, Esc, Shift+Esc, Ctrl+Z, Z, Ctrl+G, Up, Down, Home, End, Left, Right,
        // Page Up, Page Down, Shift+Down
        std::array<Action, std::size(kKeys)> actions;
    };
    const Row rows[] = {
        {"a box",
         Focus::Box,
         false,
         false,
         {Gen, Gen, Clr, P, P, P, Chart, P, P, P, P, P, P, P, P, P}},
        {"a box with its own edit, after a Clear",
         Focus::Box,
         true,
         true,
         {Gen, Gen, Clr, P, Own, P, Chart, P, P, P, P, P, P, P, P, P}},
        {"a box without an edit, after a Clear",
         Focus::Box,
         false,
         true,
         {Gen, Gen, Clr, P, Back, P, Chart, P, P, P, P, P, P, P, P, P}},
        {"the record box",
         Focus::RecordBox,
         false,
         false,
         {Gen, Action::NewLine, Clr, P, P, P, Chart, P, P, P, P, P, P, P, P, P}},
        {"the record box with typing, after a Clear",
         Focus::RecordBox,
         true,
         true,
         {Gen, Action::NewLine, Clr, P, Own, P, Chart, P, P, P, P, P, P, P, P, P}},
        {"the record box without typing, after a Clear",
         Focus::RecordBox,
         false,
         true,
         {Gen, Action::NewLine, Clr, P, Back, P, Chart, P, P, P, P, P, P, P, P, P}},
        {"the list",
         Focus::List,
         false,
         true,
         {Action::InsertPreset, Action::InsertPreset, Clr, P, Back, P, Chart, Action::ListPrevious,
          Action::ListNext, Action::ListFirst, Action::ListLast, P, P, P, P, P}},
        {"a button",
         Focus::Button,
         false,
         false,
         {Action::PressFocused, Action::PressFocused, Clr, P, P, P, Chart, P, P, P, P, P, P, P, P,
          P}},
        {"a button, after a Clear",
         Focus::Button,
         false,
         true,
         {Action::PressFocused, Action::PressFocused, Clr, P, Back, P, Chart, P, P, P, P, P, P, P,
          P, P}},
        {"the chart's handle",
         Focus::Handle,
         false,
         true,
         {P, P, P, P, Back, P, Chart, Action::HandleUp, Action::HandleDown, Action::HandleToMinimum,
          Action::HandleToMaximum, Action::HandleDown, Action::HandleUp, Action::HandleUpPage,
          Action::HandleDownPage, P}},
        {"the chart's box with its own edit",
         Focus::ChartBox,
         true,
         true,
         {P, P, P, P, Own, P, Chart, P, P, P, P, P, P, P, P, P}},
    };
    for (const Row& row : rows) {
        for (std::size_t k = 0; k < std::size(kKeys); ++k)
            EXPECT_EQ(keys::ActionFor(kKeys[k], row.focus, row.ownEdit, row.clearUndoable),
                      row.actions[k])
                << row.name << ", key " << k;
    }
}

// ---- What a reloaded page brings back ----

TEST(Kept, ARestoredWindowIsTheWindowThatWasKeptAtEveryTemperatureAndWidth) {
    const std::array<std::string, 6> typed = {"7.276", "13.69", "10,12", "4\n", "10", "5 "};
    const std::vector<std::string> sheet = {"40", "", "1e2", "七", "-5"};
    const std::vector<std::string> recipe = {"", "10\n", "八", "1"};
    for (const int temperature : {-1, 0, 1, 2}) {  // none chosen, and every row
        for (const int presses : {0, 1, 2}) {      // narrow, widened, narrowed by the bar
            Window w;
            for (int i = 0; i < 6; ++i) w.view.boxes.at(static_cast<std::size_t>(i)) = typed[i];
            w.view.combo = temperature;
            for (int p = 0; p < presses; ++p) w.form.Command3_Click();
            Window reloaded;
            const Form::Restored r =
                reloaded.form.Restore(w.form.KeptFields(4819, sheet, recipe), "");
            const std::string row =
                std::to_string(temperature) + ", bar " + std::to_string(presses);
            EXPECT_TRUE(r.fields && !r.record) << row;
            EXPECT_EQ(reloaded.view.boxes, typed) << row;
            EXPECT_EQ(reloaded.view.combo, temperature) << row;
            EXPECT_EQ(reloaded.view.width, presses == 1 ? layout::kWideWidth : layout::kNarrowWidth)
                << row;
            EXPECT_EQ(r.handle, 4819) << row;
            EXPECT_EQ(r.sheet, sheet) << row;
            EXPECT_EQ(r.recipe, recipe) << row;
        }
    }
}

TEST(Kept, TheRecordComesBackOnItsOwnWhateverBecomesOfTheFields) {
    Window w;
    for (const auto& [box, text] : {std::pair{0, "7.276"}, {1, "13.69"}, {2, "10"}, {3, "4"}})
        w.type(box, text);
    w.view.combo = 0;
    w.form.Command1_Click();
    const std::string record(w.form.RecordText());
    const std::string kept = w.form.KeptFields(5000, {});
    std::string otherVersion = kept;
    otherVersion[8] = '9';
    std::string wider = kept;  // the width, after the heading and the temperature row, as 2
    ASSERT_EQ(wider.substr(0, 14), "olvimar 5\n0\n0\n");
    wider[12] = '2';
    std::string beyond = kept;  // the temperature row as 3, of three rows
    beyond[10] = '3';
    const struct {
        const char* name;
        std::string fields;
        bool restored;
    } rows[] = {
        {"as kept", kept, true},
        {"cut short", kept.substr(0, kept.size() - 1), false},
        {"cut in a box", kept.substr(0, 20), false},
        {"with more after it", kept + "x", false},
        {"a version no release wrote", otherVersion, false},
        {"another heading", "Olvimar" + kept.substr(7), false},
        {"a temperature row the table does not have", beyond, false},
        {"a width no release wrote", wider, false},
        {"nothing kept", "", false},
    };
    for (const auto& r : rows) {
        Window reloaded;
        const Form::Restored got = reloaded.form.Restore(r.fields, record);
        EXPECT_EQ(got.fields, r.restored) << r.name;
        EXPECT_TRUE(got.record) << r.name;
        EXPECT_EQ(reloaded.form.RecordText(), record) << r.name;
        EXPECT_EQ(reloaded.view.firstNew, record.size()) << r.name;  // at the end, as it stood
        if (!r.restored) {
            EXPECT_EQ(reloaded.view.boxes, (std::array<std::string, 6>{})) << r.name;
        }
    }
}

// The measured blends and the switch are kept in the tab with the boxes, texts as typed.
TEST(Kept, MeasuredBlendsAndTheSwitchComeBack) {
    Window w;
    EXPECT_EQ(w.form.AddMeasured(0, " ", ""), Added::NothingTyped);
    EXPECT_EQ(w.form.AddMeasured(3, "50", "10"), Added::NoTemperature);
    EXPECT_EQ(w.form.AddMeasured(-1, "50", "10"), Added::NoTemperature);
    ASSERT_EQ(w.form.AddMeasured(0, "50", "10.2"), Added::Yes);
    ASSERT_EQ(w.form.AddMeasured(2, "30\n", "八"), Added::Yes);  // kept as typed, whatever it is
    ASSERT_EQ(w.form.AddMeasured(1, "", "11.4"), Added::Yes);
    w.form.RemoveMeasured(2);
    w.form.RemoveMeasured(7);  // none such: nothing happens
    w.form.SetCalibrate(true);
    const std::vector<MeasuredBlend> kept = {{"50", "10.2"}, {"30\n", "八", 2}};
    EXPECT_EQ(w.form.MeasuredBlends(), kept);
    Window reloaded;
    ASSERT_TRUE(reloaded.form.Restore(w.form.KeptFields(5000, {}), "").fields);
    EXPECT_EQ(reloaded.form.MeasuredBlends(), kept);
    EXPECT_TRUE(reloaded.form.Calibrating());
    while (w.form.MeasuredBlends().size() < kMostMeasured) w.form.AddMeasured(0, "50", "10");
    // The 31st is refused, and the section says why.
    EXPECT_EQ(w.form.AddMeasured(0, "50", "10"), Added::ListFull);
    EXPECT_EQ(w.form.MeasuredBlends().size(), kMostMeasured);
    EXPECT_NE(chart::AddedNote(Added::ListFull).find("最多 30 个"), std::string::npos);
}

// A record comes back entry by entry as it was kept, as far as its entries are whole.
TEST(Kept, ARecordComesBackOnlyAsWholeEntries) {
    const std::string e1 = "OUT 4L, 10.000 cSt\r\nA 48.19% 1.9276L, B 51.81% 2.0724L\r\n";
    const std::string sheared = "A 36.8% 1.472L, B 63.2% 2.528L MAX\r\n";
    const std::string odd =
        "OUT  4\nL, .500 cSt\r\nA -13.45% 1E-11L, B 5.06999999999999% 1.5E+15L\r\n";
    const auto cal = [](const std::string& alpha) {
        return "OUT 4L, 10.000 cSt 校准系数 " + alpha +
               "\r\nA 53.14% 2.1256L, B 46.86% 1.8744L\r\n";
    };
    const std::string cannot = "OUT 4L, 15.000 cSt 校准系数 1.219\r\n这两种机油调不出这个粘度\r\n";
    const struct {
        const char* name;
        std::string kept, restored;
    } rows[] = {
        {"whole entries, sheared or not", e1 + sheared + e1 + odd, e1 + sheared + e1 + odd},
        {"cut in an entry's second line", e1 + e1.substr(0, 30), e1},
        {"cut between a line and its line feed", e1 + e1.substr(0, e1.size() - 1), e1},
        {"an entry without its split", e1 + "OUT 4L, 12.000 cSt\r\n", e1},
        {"a sheared line cut short", e1 + sheared.substr(0, 20), e1},
        {"spoiled in the middle", e1 + "OUT 4L, 1x.000 cSt\r\n" + e1.substr(20) + e1, e1},
        {"a target without its three decimals", "OUT 4L, 10.00 cSt\r\n" + e1.substr(20), ""},
        {"a split with a number not the record's",
         "OUT 4L, 10.000 cSt\r\nA 48.19% 1.L, B 51.81% 2L\r\n", ""},
        {"lines ended by line feeds alone",
         "OUT 4L, 10.000 cSt\nA 48.19% 1.9276L, B 51.81% 2.0724L\n", ""},
        {"the sheared line first", "OUT 4L, 10.000 cSt\r\n" + sheared, ""},
        {"calibrated entries, factors as written, one that its oils cannot make",
         cal("1.219") + cal("0.0001234") + cal("1234000") + cal("12.00") + cannot,
         cal("1.219") + cal("0.0001234") + cal("1234000") + cal("12.00") + cannot},
        {"a factor of three digits was never written", cal("119"), ""},
        {"nor one of five", cal("1.2190"), ""},
        {"an entry its oils cannot make, but not calibrated",
         "OUT 4L, 15.000 cSt\r\n这两种机油调不出这个粘度\r\n", ""},
    };
    for (const auto& r : rows) {
        Window reloaded;
        const Form::Restored got = reloaded.form.Restore("", r.kept);
        EXPECT_EQ(got.record, !r.restored.empty()) << r.name;
        EXPECT_EQ(reloaded.form.RecordText(), r.restored) << r.name;
    }
}

// A box holds text: kept bytes that are no UTF-8 restore no window.
TEST(Kept, FieldsThatNoBoxCouldHoldRestoreNothing) {
    Window w;
    w.type(0, "七点二");
    const std::string kept = w.form.KeptFields(0, {});
    const struct {
        const char* name;
        std::string from, to;
        bool restored;
    } rows[] = {
        {"Chinese as typed", "", "", true},
        {"a byte no UTF-8 has", "七", "\xff\xff\xff", false},
        {"a character cut in two", "七", "\xe4\xb8\x20", false},
        {"an overlong form of a full stop", "七", "\xe0\x80\xae", false},
        {"a surrogate half", "七", "\xed\xa0\x80", false},
    };
    for (const auto& r : rows) {
        std::string fields = kept;
        if (!r.from.empty()) fields.replace(fields.find(r.from), r.from.size(), r.to);
        Window reloaded;
        EXPECT_EQ(reloaded.form.Restore(fields, "").fields, r.restored) << r.name;
        EXPECT_EQ(reloaded.view.boxes[0], r.restored ? "七点二" : "") << r.name;
    }
}

// Every later build must bring back what every earlier release kept.
TEST(Kept, EveryEarlierReleasesFormatComesBack) {
    const struct {
        const char* file;
        std::optional<int> handle;
        std::vector<std::string> sheet;
    } rows[] = {
        {OLVIMAR_KEPT_V1, std::nullopt, {}},                  // the first release kept no chart
        {OLVIMAR_KEPT_V2, 4819, {}},                          // the second no data sheet
        {OLVIMAR_KEPT_V3, 4819, {"40", "90", "", "", "-5"}},  // the third no measured blends
        {OLVIMAR_KEPT_V4, 4819, {"40", "90", "", "", "-5"}},  // the fourth no recipe
    };
    for (const auto& r : rows) {
        std::ifstream file(r.file, std::ios::binary);
        const std::string kept((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
        Window reloaded;
        const Form::Restored got = reloaded.form.Restore(kept, "");
        ASSERT_TRUE(got.fields) << r.file;
        EXPECT_EQ(reloaded.view.boxes,
                  (std::array<std::string, 6>{"7.276", "13.69", "10,12", "4\n", "10", "5 "}))
            << r.file;
        EXPECT_EQ(reloaded.view.combo, 2) << r.file;  // -5 degrees, the last row
        EXPECT_EQ(reloaded.form.wideValue(), Value::Integer(1)) << r.file;
        EXPECT_EQ(got.handle, r.handle) << r.file;
        EXPECT_EQ(got.sheet, r.sheet) << r.file;
        const bool fourth = std::string_view(r.file) == OLVIMAR_KEPT_V4;
        const std::vector<MeasuredBlend> measured = {{"50", "10.2"}, {"30", "11.4", 1}};
        EXPECT_EQ(reloaded.form.MeasuredBlends(), fourth ? measured : std::vector<MeasuredBlend>())
            << r.file;
        EXPECT_EQ(reloaded.form.Calibrating(), fourth) << r.file;
        EXPECT_TRUE(got.recipe.empty()) << r.file;
    }
}

// ---- The messages ----

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

struct MessageCase {
    const char* name;
    int box;
    std::string text;
    int temperature;
    std::string message;        // how the message begins
    std::size_t added;          // entries recorded before the failure
    const char* lossA = "";     // A's shear loss, so that B's counts
    const char* target = "10";  // the targets
};

TEST(Messages, SayWhatToFixAndKeepTheRecordBox) {
    const MessageCase cases[] = {
        {"no temperature", 0, "7.276", -1, "请选择温度。", 0},
        {"decimal comma in oil A", 0, "7,5", 0, "A机油粘度“7,5”不是有效的数字。小数点请用“.”。", 0},
        {"full-width comma in oil A", 0, "7，276", 0,
         "A机油粘度“7，276”不是有效的数字。小数点请用“.”。", 0},
        {"oil B empty", 1, "", 0, "请填写B机油粘度。", 0},
        {"target not a number", 2, "10,7a", 0, "生成粘度中的“7a”不是有效的数字。", 1},
        {"full-width comma in the targets", 2, "7，10", 0,
         "生成粘度中的“7，10”不是有效的数字。多个数值请用半角逗号“,”分隔。", 0},
        {"blank list item", 2, "10, ,12", 0, "生成粘度中有一项只有空格。", 1},
        {"list of too many pieces", 2, std::string(100000, ','), 0,
         "生成粘度“,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,…”有 100001 项，超过 100000 个数值。",
         0},
        {"same viscosity", 1, "7.276", 0, "A机油粘度和B机油粘度相同", 0},
        {"litres empty", 3, "", 0, "请填写总机油 L。", 0},
        {"step of zero", 2, "7-10,0", 0, "生成粘度“7-10,0”中的步长必须大于 0。", 0},
        {"shear loss above 100", 4, "150", 0, "A剪切稳定性“150”使机油的粘度降到无法计算的程度。",
         0},
        {"a long text is cut after 40 characters", 0, std::string(45, 'x'), 0,
         "A机油粘度“" + std::string(40, 'x') + "…”", 0},
        {"a text one character over the limit keeps its ellipsis", 0, std::string(41, 'x'), 0,
         "A机油粘度“" + std::string(40, 'x') + "…”", 0},
        {"a long Chinese text is cut after 40 characters, not bytes", 0, Repeat("机油", 23), 0,
         "A机油粘度“" + Repeat("机油", 20) + "…”不是有效的数字。", 0},
        {"a Chinese text of exactly 40 characters is not cut", 0, Repeat("机油", 20), 0,
         "A机油粘度“" + Repeat("机油", 20) + "”不是有效的数字。", 0},
        {"oil B's shear loss not a number, with its hint", 5, "x", 0,
         "B剪切稳定性“x”不是有效的数字。请填写损失百分比（如 10）。", 0, "10"},
        {"oil B's shear loss blank: clear it to skip the shear line", 5, " ", 0,
         "B剪切稳定性只有空格。请填写损失百分比（如 10），或把它完全清空，不计算剪切。", 0, "10"},
        {"a full-width space alone is an empty box", 1, "\u3000", 0, "请填写B机油粘度。", 0},
        {"a range whose end overflows", 2, "1e400-2", 0,
         "生成粘度“1e400-2”中的数字太大，无法计算。", 0},
        {"oil A that makes c + A exactly 1 is named as oil A", 0, "-0.8", 0,
         "A机油粘度“-0.8”太低，无法按混合公式计算。", 0},
        {"a total whose litres overflow on the shear line alone", 3, "1.75e308", 0,
         "总机油 L“1.75e308”太大，无法计算。", 0, "10", "13.5"},
    };
    for (const MessageCase& c : cases) {
        Window w;
        for (auto [box, text] :
             {std::pair{0, "7.276"}, {1, "13.69"}, {2, "10"}, {3, "4"}, {5, "5"}})
            w.type(box, text);
        w.view.combo = 0;
        w.form.Command1_Click();
        const std::string shown = w.view.shown;
        const std::string record = w.form.recordValue().text();

        w.type(4, c.lossA);
        w.type(2, c.target);
        w.type(c.box, c.text);
        w.view.combo = c.temperature;
        w.form.Command1_Click();
        ASSERT_EQ(w.view.messages.size(), 1u) << c.name;
        EXPECT_EQ(w.view.messages[0].rfind(c.message, 0), 0u)
            << c.name << ": " << w.view.messages[0];
        EXPECT_EQ(w.view.shown, shown) << c.name;
        const std::string now = w.form.recordValue().text();
        EXPECT_EQ(now.substr(0, record.size()), record) << c.name;
        EXPECT_EQ(std::count(now.begin(), now.end(), '\n') -
                      std::count(record.begin(), record.end(), '\n'),
                  static_cast<long>(2 * c.added))
            << c.name;
        if (c.added > 0) {
            EXPECT_NE(w.view.messages[0].find(std::to_string(c.added) + " 个数值已加入生成记录"),
                      std::string::npos)
                << c.name;
        }
    }
}

}  // namespace
}  // namespace olvimar
