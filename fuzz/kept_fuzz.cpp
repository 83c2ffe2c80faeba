// Feeds a reloading page's Form whatever a tab may have kept: the fields of any release's format,
// whole, cut short or spoiled, and a record beside them. Restoring must never crash or hang; it
// brings back either a window that the boxes can hold or nothing, and the record only as whole
// entries, each as it was kept, never half of one.
//
// The input is the kept fields, a NUL byte, then the kept record (none without the NUL).
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>

#include "chart/chart.h"
#include "form/form.h"
#include "form/layout.h"
#include "recipe/recipe.h"
#include "recipe/recipe_map.h"

namespace {

using namespace olvimar;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "kept_fuzz: %s\n", what);
    std::abort();
}

// The window's controls, counting every change a restore makes to them.
class View : public FormView {
  public:
    std::string Text1(int index) const override { return boxes.at(index); }
    void SetText1(int index, const std::string& text) override {
        boxes.at(index) = text;
        ++changes;
    }
    int Combo1Index() const override { return combo; }
    void SetCombo1Index(int row) override {
        combo = row;
        ++changes;
    }
    int List1Index() const override { return -1; }
    void SetClientWidth(int twips) override {
        width = twips;
        ++changes;
    }
    void ShowRecord(std::string_view, std::size_t) override {}
    void ClearRecord() override {}
    void ShowUndoClear(bool) override {}
    void ShowFailure(const std::string&) override { Fail("a message while restoring"); }

    std::array<std::string, 6> boxes;
    int combo = -1;
    int width = 0;
    int changes = 0;
};

struct Window {
    Window() {
        form.Form_Load();
        view.changes = 0;  // the load's own width
    }
    View view;
    Form form{view};
};

// Whole entries, read by patterns of their own: "OUT …L, <three decimals> cSt" (and " 校准系数 α"
// where measured blends calibrated it), the split line, and the "L MAX" line when the losses were
// filled; a calibrated entry may say in place of a split that its oils cannot make the target.
// The number of bytes that are whole entries.
std::size_t Entries(std::string_view record) {
    static const std::regex first(R"(OUT [\s\S]*L, -?[0-9]*\.[0-9]{3} cSt)");
    static const std::regex calibrated(
        R"(OUT [\s\S]*L, -?[0-9]*\.[0-9]{3} cSt 校准系数 )"
        R"(([1-9][0-9]{3}0*|[1-9][0-9]{2}\.[0-9]|[1-9][0-9]\.[0-9]{2}|[1-9]\.[0-9]{3}|0\.0*[1-9][0-9]{3}))");
    static const std::string cannot = "这两种机油调不出这个粘度";
    static const std::string cannotSheared = "剪切后这两种机油调不出这个粘度 MAX";
    static const std::string number = R"((-?[0-9]+(\.[0-9]+)?(E[-+][0-9]+)?))";
    static const std::regex split("A " + number + "% " + number + "L, B " + number + "% " + number +
                                  "L( MAX)?");
    std::size_t whole = 0, at = 0;
    int line = 0;  // of the entry: 0 its first, 1 its split, 2 a sheared split or the next entry
    bool calibratedEntry = false;
    for (std::size_t end; (end = record.find("\r\n", at)) != std::string_view::npos; at = end + 2) {
        const std::string text(record.substr(at, end - at));
        std::smatch m;
        const bool sheared = std::regex_match(text, m, split) && m[m.size() - 1].matched;
        const bool plain = std::regex_match(text, m, split) && !m[m.size() - 1].matched;
        if (line != 1 && (std::regex_match(text, first) || std::regex_match(text, calibrated))) {
            calibratedEntry = !std::regex_match(text, first);
            line = 1;
        } else if (line == 1 && (plain || (calibratedEntry && text == cannot))) {
            line = 2;
            whole = end + 2;
        } else if (line == 2 && (sheared || (calibratedEntry && text == cannotSheared))) {
            line = 0;
            whole = end + 2;
        } else {
            break;
        }
    }
    return whole;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view fields = input.substr(0, nul);
    const std::string_view kept = nul == input.npos ? std::string_view{} : input.substr(nul + 1);

    Window w;
    const Form::Restored r = w.form.Restore(fields, kept);

    // A window the boxes can hold, or nothing at all.
    if (!r.fields && (w.view.changes != 0 || r.handle || !r.sheet.empty() || !r.recipe.empty() ||
                      !w.form.MeasuredBlends().empty() || w.form.Calibrating()))
        Fail("half a window restored");
    if (r.fields) {
        if (w.view.combo < -1 || w.view.combo > 2) Fail("a temperature row the table lacks");
        if (r.handle && (*r.handle < 0 || *r.handle > chart::kAllOfA))
            Fail("a handle beyond the chart");
        const int width = w.view.width == 0 ? layout::kNarrowWidth : w.view.width;
        if (width !=
            (w.form.wideValue() == Value::Integer(1) ? layout::kWideWidth : layout::kNarrowWidth))
            Fail("a width that is not the window's state");
        // Kept again, the window comes back as it is.
        Window again;
        const Form::Restored back =
            again.form.Restore(w.form.KeptFields(r.handle.value_or(0), r.sheet, r.recipe), "");
        if (!back.fields || again.view.boxes != w.view.boxes || again.view.combo != w.view.combo ||
            again.form.wideValue() != w.form.wideValue() || back.sheet != r.sheet ||
            back.recipe != r.recipe || again.form.MeasuredBlends() != w.form.MeasuredBlends() ||
            again.form.Calibrating() != w.form.Calibrating())
            Fail("a restored window that does not keep");
        // A recipe of whatever its boxes hold: every table adds up to all of it.
        if (const std::optional<recipe::Boxes> boxes = recipe::BoxesOf(r.recipe)) {
            const recipe::Outcome out = recipe::Work(*boxes, {}, false);
            for (const recipe::Table& t : out.tables) {
                long sum = 0;
                for (std::size_t i = 0; i + 1 < t.cells.size(); ++i)
                    sum += std::lround(std::stod(t.cells[i][0]) * 100);
                if (sum != 10000 || t.cells.back()[0] != "100.00")
                    Fail("a recipe that does not add up");
            }
            recipe::DrawMap(out.map, {320, 240, 16});
        }
    }

    // The record: the whole entries it began with, as they were kept.
    const std::string_view record = w.form.RecordText();
    const std::size_t whole = Entries(kept);
    if (r.record != (whole > 0) || record != kept.substr(0, r.record ? whole : 0))
        Fail("a record that is not its whole entries as kept");
    return 0;
}
