// The web page's way into the Form: the page hands over its controls' values before each handler
// and reads back what the handler changed. Nothing of the calculation is done in JavaScript.
#include <emscripten/bind.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "calc/value_ops.h"
#include "chart/calibration_section.h"
#include "chart/chart.h"
#include "chart/sheet.h"
#include "chart/temperature_chart.h"
#include "form/form.h"
#include "form/keys.h"
#include "form/record_lines.h"
#include "form/text_fill.h"
#include "recipe/recipe.h"
#include "recipe/recipe_map.h"
#include "recipe/recipe_texts.h"
#include "web/chart_svg.h"

namespace olvimar {

namespace {

using emscripten::val;

class WebForm : private FormView {
  public:
    WebForm() { form_.Form_Load(); }

    // The page's controls as they stand.
    void setText(int index, const std::string& text) { SetText1(index, text); }
    std::string text(int index) const { return boxes_.at(index); }
    void setTemperature(int row) { SetCombo1Index(row); }
    int temperature() const { return combo_; }
    void setPresetRow(int row) { list_ = row; }

    // The handlers.
    void gotFocus(int index) { form_.Text1_GotFocus(index); }
    void presetDblClick() { form_.List1_DblClick(); }
    void generate() { form_.Command1_Click(); }
    void clear() { form_.Command2_Click(); }
    void bar() { form_.Command3_Click(); }
    void undoClear() { form_.UndoClear(); }
    // What a reload brings back, kept by the page in this tab's session storage.
    std::string keptFields() const {
        return form_.KeptFields(hundredths_, {sheetBoxes_.begin(), sheetBoxes_.end()},
                                recipe::Kept(recipeBoxes_));
    }
    // The record's bytes as they stand in the module's memory: valid until the next handler.
    val keptRecord() const {
        const std::string_view r = form_.RecordText();
        return val(emscripten::typed_memory_view(r.size(),
                                                 reinterpret_cast<const unsigned char*>(r.data())));
    }
    // Whether anything came back.
    bool restore(const std::string& fields, const std::string& record) {
        const Form::Restored r = form_.Restore(fields, record);
        hundredths_ = r.handle.value_or(hundredths_);
        if (r.sheet.size() == sheetBoxes_.size())
            std::copy(r.sheet.begin(), r.sheet.end(), sheetBoxes_.begin());
        recipeBoxes_ = recipe::BoxesOf(r.recipe).value_or(recipeBoxes_);
        section_.reset();
        return r.fields || r.record;
    }

    // What the page shows afterwards.
    bool wide() const { return IsTrue(form_.wideValue()); }
    // The empty record box offers to bring back what Clear removed.
    bool undoClearHint() const { return undoHint_; }
    // Counts the changes of the record box, so that the page asks for the record only then.
    int recordVersion() const { return recordVersion_; }
    // What the record box needs to show the record: {replace, before, after}. Only the entries
    // that it does not have yet, unless `whole` (the user has edited the box) or the box was
    // cleared. `after` begins with this press's first entry, which the page brings into view.
    val recordUpdate(bool whole) {
        const std::string_view record = form_.RecordText();
        const std::size_t from = whole || shown_ > firstNew_ ? 0 : shown_;
        val update = val::object();
        update.set("replace", from == 0);
        update.set("before", RecordLines(record.substr(from, firstNew_ - from)));
        update.set("after", RecordLines(record.substr(firstNew_)));
        shown_ = record.size();
        return update;
    }
    // The message of a failure, once; empty when there is none.
    std::string takeMessage() { return std::exchange(message_, {}); }

    // The blend chart of what the boxes hold, for a frame of `width` x `height` px written in a
    // font of `font` px: its SVG, where the handle stands, and its words.
    val chart(double width, double height, double font) {
        picture_ = chart::Draw(chart::ChartInput(form_, boxes_[2], hundredths_, section()),
                               form_.Temperatures(), {width, height, font});
        val c = val::object();
        c.set("svg", ChartSvg(picture_));
        c.set("needs", picture_.needs);
        c.set("x", picture_.handle.x);
        c.set("y", picture_.handle.y);
        c.set("percent", chart::PercentText(hundredths_));
        c.set("summary", picture_.summary);
        c.set("readout", picture_.readout);
        c.set("valueText", picture_.valueText);
        return c;
    }
    // The handle moved to the point `x` of the chart last drawn; by a key of the key table,
    // named as keyAction names it; to a share typed into its box, if it is one.
    void moveHandleTo(double x, double y) { hundredths_ = chart::HundredthsAt(picture_, x, y); }
    void moveHandle(const std::string& action) {
        for (std::size_t i = 0; i < std::size(kActionNames); ++i)
            if (action == kActionNames[i])
                hundredths_ = chart::Moved(static_cast<keys::Action>(i), hundredths_, picture_)
                                  .value_or(hundredths_);
    }
    bool typeHandle(const std::string& text) {
        const std::optional<int> h = chart::TypedHundredths(text);
        if (h) hundredths_ = *h;
        return h.has_value();
    }
    int hundredths() const { return hundredths_; }

    // The data sheet's boxes as they stand, and back.
    void setSheetBox(int box, const std::string& text) {
        if (sheetBoxes_.at(box) != text) section_.reset();
        sheetBoxes_.at(box) = text;
    }
    std::string sheetBox(int box) const { return sheetBoxes_.at(box); }
    // The data sheet at the handle's mix, and its viscosity-temperature chart for a frame of
    // `width` x `height` px in a font of `font` px: the chart's SVG and summary, which boxes it
    // asks for, and its table, notes and grade lines.
    val dataSheet(double width, double height, double font) const {
        const sheet::Figures f = sheet::Work(
            chart::SheetInput(form_, sheetBoxes_, hundredths_, section()), form_.Temperatures());
        const chart::Picture p = chart::DrawTemperatures(f, {width, height, font});
        const sheet::Table t = sheet::TableOf(f);
        val s = val::object();
        s.set("svg", ChartSvg(p));
        s.set("summary", p.summary);
        s.set("asked", Array(sheet::Asked(f.temperatureRow)));
        s.set("columns", Array(t.columns));
        s.set("rows", Array(t.rows));
        val cells = val::array();
        for (const auto& row : t.cells)
            for (const sheet::Cell& c : row) {
                val cell = val::object();
                cell.set("text", c.text);
                cell.set("quiet", c.quiet);
                cells.call<void>("push", cell);
            }
        s.set("cells", cells);
        s.set("notes", Array(t.notes));
        s.set("grades", Array(t.Below()));
        return s;
    }

    // The section "实测校准": a measured blend added as typed at a temperature row: whether it
    // was, and the note of why not; one removed, and the row whose "删除" then takes the focus
    // (-1 for the share's box); the switch; and what the section shows: each blend's line and
    // whether it is quiet, each temperature's factor, the switch.
    val addMeasured(int row, const std::string& percent, const std::string& viscosity) {
        const Added added = form_.AddMeasured(row, percent, viscosity);
        if (added == Added::Yes) section_.reset();
        val out = val::object();
        out.set("added", added == Added::Yes);
        out.set("note", chart::AddedNote(added));
        return out;
    }
    int removeMeasured(int index) {
        const auto i = static_cast<std::size_t>(index);
        const std::optional<std::size_t> next =
            keys::FocusAfterRemoval(i, form_.MeasuredBlends().size());
        form_.RemoveMeasured(i);
        section_.reset();
        return next ? static_cast<int>(*next) : -1;
    }
    void setCalibrate(bool on) { form_.SetCalibrate(on); }
    val calibration() const {
        const chart::CalibrationSection& c = section();
        val rows = val::array();
        for (const auto& r : c.rows) {
            val row = val::object();
            row.set("text", r.text);
            row.set("quiet", r.quiet);
            rows.call<void>("push", row);
        }
        val out = val::object();
        out.set("rows", rows);
        out.set("factors", Array(c.factors));
        out.set("on", form_.Calibrating());
        return out;
    }

    // The recipe's boxes as they stand, and back; its unit.
    void setRecipeBox(int box, const std::string& text) { recipeBoxes_.texts.at(box) = text; }
    std::string recipeBox(int box) const { return recipeBoxes_.texts.at(box); }
    void setRecipeUnit(int unit) { recipeBoxes_.unit = unit == recipe::kKilograms ? unit : 0; }
    int recipeUnit() const { return recipeBoxes_.unit; }
    // The recipe of its boxes, and its map for a frame of `width` x `height` px in a font of
    // `font` px: what each empty box stands for, the quiet lines, the lines, each table with its
    // name, heads and cells and the lines under it, and the map's SVG and summary.
    val recipe(double width, double height, double font) {
        // What it is worked out from: a key that changes none of it (the window's targets, say)
        // gets the same answer at once.
        const std::array<std::string, recipe::kBoxes> shown =
            recipe::FromWindow(form_.Inputs(), sheetBoxes_);
        std::string key = std::to_string(width) + " " + std::to_string(height) + " " +
                          std::to_string(font) + (form_.Calibrating() ? " c" : " r");
        for (const std::string& k : recipe::Kept(recipeBoxes_)) key += '\0' + k;
        for (const std::string& k : shown) key += '\0' + k;
        if (key == recipeKey_) return recipeShown_;
        const recipe::Outcome out = recipe::Work(recipeBoxes_, shown, form_.Calibrating());
        map_ = recipe::DrawMap(out.map, {width, height, font});
        mapFigures_ = out.map;
        val r = val::object();
        r.set("shown", Array(shown));
        r.set("quiet", Array(out.quiet));
        r.set("lines", Array(out.lines));
        val tables = val::array();
        for (const recipe::Table& t : out.tables) {
            val table = val::object();
            table.set("name", t.name);
            table.set("columns", Array(t.columns));
            table.set("heads", Array(t.heads));
            val cells = val::array();
            for (const auto& row : t.cells) cells.call<void>("push", Array(row));
            table.set("cells", cells);
            table.set("below", Array(t.below));
            tables.call<void>("push", table);
        }
        r.set("tables", tables);
        r.set("svg", ChartSvg(map_.picture));
        r.set("summary", map_.picture.summary);
        r.set("drawn", map_.picture.needs.empty());
        r.set("priceUnit",
              Fill(texts::kRecipePriceUnit,
                   {texts::kRecipeUnits[static_cast<std::size_t>(recipeBoxes_.unit)]}));
        recipeKey_ = key;
        recipeShown_ = r;
        return r;
    }
    // The map's target moved to the point `x`, `y` of the map last drawn, or by an arrow of the
    // key table, named as keyAction names it: the targets' boxes take it, and a 40 ℃ target
    // empties the index's box. Whether anything moved.
    bool mapAt(double x, double y) { return setTargets(recipe::TargetsAt(map_, x, y)); }
    bool mapKey(const std::string& action) {
        for (std::size_t i = 0; i < std::size(kActionNames); ++i)
            if (action == kActionNames[i])
                return setTargets(
                    recipe::TargetsMoved(map_, mapFigures_, static_cast<keys::Action>(i)));
        return false;
    }

    // What a key does, by the window's key table: `key` as the page's keyboard event names it,
    // `focus` the kind of control that has the focus ("Box", "RecordBox", "List", "Button",
    // "Handle", "ChartBox"). The action's name; "Pass" leaves the key to the control.
    std::string keyAction(const std::string& key, bool ctrl, bool alt, bool shift,
                          const std::string& focus, bool ownEdit) const {
        const keys::Press press{KeyOf(key), ctrl, alt, shift};
        const keys::Action action =
            keys::ActionFor(press, FocusOf(focus), ownEdit, form_.CanUndoClear());
        // The page's recipe is always in view: Ctrl+R stays the browser's reload.
        return action == keys::Action::OpenRecipe ? "Pass" : ActionName(action);
    }

  private:
    bool setTargets(const recipe::Targets& t) {
        if (t.t100) recipeBoxes_.texts[recipe::kT100] = *t.t100;
        if (t.t40)
            recipeBoxes_.texts[recipe::kT40] = *t.t40, recipeBoxes_.texts[recipe::kTIndex] = "";
        return t.t100 || t.t40;
    }

    // Worked out once for what the boxes hold, then drawn from by the chart, the sheet and the
    // section alike: the handle's moves do not change it.
    const chart::CalibrationSection& section() const {
        if (!section_)
            section_ = chart::Calibrate(form_.Inputs(), sheetBoxes_, form_.MeasuredBlends(),
                                        form_.Temperatures());
        return *section_;
    }

    template <typename List>
    static val Array(const List& list) {
        val a = val::array();
        for (const auto& item : list) a.call<void>("push", val(item));
        return a;
    }

    std::string Text1(int index) const override { return boxes_.at(index); }
    void SetText1(int index, const std::string& text) override {
        if (index <= 1 && boxes_.at(index) != text) section_.reset();  // the oils
        boxes_.at(index) = text;
    }
    int Combo1Index() const override { return combo_; }
    void SetCombo1Index(int row) override {
        if (combo_ != row) section_.reset();
        combo_ = row;
    }
    int List1Index() const override { return list_; }
    void SetClientWidth(int) override {}  // the page widens by `wide`, in its CSS
    void ShowRecord(std::string_view record, std::size_t firstNew) override {
        firstNew_ = std::min(firstNew, record.size());
        ++recordVersion_;
    }
    void ClearRecord() override {
        shown_ = firstNew_ = 0;
        ++recordVersion_;
    }

    static keys::Key KeyOf(const std::string& key) {
        static const std::pair<const char*, keys::Key> names[] = {
            {"Enter", keys::Key::Enter},
            {"Escape", keys::Key::Escape},
            {"z", keys::Key::Z},
            {"Z", keys::Key::Z},
            {"g", keys::Key::G},
            {"G", keys::Key::G},
            {"r", keys::Key::R},
            {"R", keys::Key::R},
            {"ArrowUp", keys::Key::Up},
            {"ArrowDown", keys::Key::Down},
            {"ArrowLeft", keys::Key::Left},
            {"ArrowRight", keys::Key::Right},
            {"PageUp", keys::Key::PageUp},
            {"PageDown", keys::Key::PageDown},
            {"Home", keys::Key::Home},
            {"End", keys::Key::End},
        };
        for (const auto& [name, k] : names)
            if (key == name) return k;
        return keys::Key::Other;
    }
    static keys::Focus FocusOf(const std::string& focus) {
        if (focus == "RecordBox") return keys::Focus::RecordBox;
        if (focus == "List") return keys::Focus::List;
        if (focus == "Button") return keys::Focus::Button;
        if (focus == "Handle") return keys::Focus::Handle;
        if (focus == "ChartBox") return keys::Focus::ChartBox;
        if (focus == "RecipeBox") return keys::Focus::RecipeBox;
        if (focus == "Map") return keys::Focus::Map;
        return keys::Focus::Box;
    }
    // The key table's actions by name, in the order of keys::Action.
    static constexpr const char* kActionNames[] = {
        "Pass",
        "Generate",
        "Clear",
        "UndoOwnEdit",
        "UndoClear",
        "PressFocused",
        "InsertPreset",
        "NewLine",
        "ListPrevious",
        "ListNext",
        "ListFirst",
        "ListLast",
        "OpenChart",
        "HandleDown",
        "HandleDownPage",
        "HandleToMinimum",
        "HandleUp",
        "HandleUpPage",
        "HandleToMaximum",
        "HandleToPreviousTarget",
        "HandleToNextTarget",
        "OpenRecipe",
        "MapThinner40",
        "MapThicker40",
        "MapThinner100",
        "MapThicker100",
    };
    static_assert(std::size(kActionNames) ==
                  static_cast<std::size_t>(keys::Action::MapThicker100) + 1);
    static std::string ActionName(keys::Action action) {
        return kActionNames[static_cast<std::size_t>(action)];
    }
    void ShowUndoClear(bool possible) override { undoHint_ = possible; }
    void ShowFailure(const std::string& message) override { message_ = message; }

    std::array<std::string, 6> boxes_;
    int combo_ = -1;
    int list_ = -1;
    std::size_t shown_ = 0;     // bytes of the record that the page's box has
    std::size_t firstNew_ = 0;  // where this press's entries begin
    int recordVersion_ = 0;
    std::string message_;
    bool undoHint_ = false;
    int hundredths_ = chart::kEvenMix;  // where the chart's handle stands
    std::array<std::string, sheet::kBoxes> sheetBoxes_{"", "", "", "", sheet::kStartAtT};
    chart::Picture picture_;                                    // the chart last drawn
    mutable std::optional<chart::CalibrationSection> section_;  // none once the boxes change
    recipe::Boxes recipeBoxes_;
    recipe::Map map_;  // the recipe's map last drawn
    recipe::MapFigures mapFigures_;
    std::string recipeKey_;  // what the recipe last shown was worked out from
    val recipeShown_ = val::undefined();
    Form form_{*this};
};

}  // namespace

EMSCRIPTEN_BINDINGS(olvimar) {
    emscripten::class_<WebForm>("Form")
        .constructor<>()
        .function("setText", &WebForm::setText)
        .function("text", &WebForm::text)
        .function("setTemperature", &WebForm::setTemperature)
        .function("temperature", &WebForm::temperature)
        .function("setPresetRow", &WebForm::setPresetRow)
        .function("gotFocus", &WebForm::gotFocus)
        .function("presetDblClick", &WebForm::presetDblClick)
        .function("generate", &WebForm::generate)
        .function("clear", &WebForm::clear)
        .function("bar", &WebForm::bar)
        .function("undoClear", &WebForm::undoClear)
        .function("keptFields", &WebForm::keptFields)
        .function("keptRecord", &WebForm::keptRecord)
        .function("restore", &WebForm::restore)
        .function("wide", &WebForm::wide)
        .function("undoClearHint", &WebForm::undoClearHint)
        .function("recordVersion", &WebForm::recordVersion)
        .function("recordUpdate", &WebForm::recordUpdate)
        .function("takeMessage", &WebForm::takeMessage)
        .function("keyAction", &WebForm::keyAction)
        .function("chart", &WebForm::chart)
        .function("moveHandleTo", &WebForm::moveHandleTo)
        .function("moveHandle", &WebForm::moveHandle)
        .function("typeHandle", &WebForm::typeHandle)
        .function("hundredths", &WebForm::hundredths)
        .function("setSheetBox", &WebForm::setSheetBox)
        .function("sheetBox", &WebForm::sheetBox)
        .function("sheet", &WebForm::dataSheet)
        .function("addMeasured", &WebForm::addMeasured)
        .function("removeMeasured", &WebForm::removeMeasured)
        .function("setCalibrate", &WebForm::setCalibrate)
        .function("calibration", &WebForm::calibration)
        .function("setRecipeBox", &WebForm::setRecipeBox)
        .function("recipeBox", &WebForm::recipeBox)
        .function("setRecipeUnit", &WebForm::setRecipeUnit)
        .function("recipeUnit", &WebForm::recipeUnit)
        .function("recipe", &WebForm::recipe)
        .function("mapAt", &WebForm::mapAt)
        .function("mapKey", &WebForm::mapKey);
}

}  // namespace olvimar
