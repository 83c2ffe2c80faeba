// Writes, at build time, the parts of the web page that come from the window's one table of
// texts and twips, so that the page stands complete at its first paint:
//   page_parts controls FILE   the client area's controls, with their texts, in tab order
//   page_parts chart FILE      the blend chart's panel, with its texts
//   page_parts recipe FILE     the recipe's panel, with its texts
//   page_parts layout FILE     the window replica's CSS: every control at its twips
//   page_parts phone FILE      the media query of the one-column layout
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "calc/blend.h"
#include "chart/chart.h"
#include "chart/sheet.h"
#include "chart/sheet_texts.h"
#include "form/calibration_texts.h"
#include "form/layout.h"
#include "form/text_fill.h"
#include "form/window_texts.h"
#include "recipe/recipe.h"
#include "recipe/recipe_texts.h"
#include "web/escaped.h"

namespace olvimar {

namespace {

// A caption's access key: the letter after the ampersand, as in "生成(&E)".
char AccessKey(std::string_view caption) {
    return caption[caption.find('&') + 1];
}

// "生成(&E)" as the page draws it: the access key underlined.
std::string Caption(std::string_view caption) {
    const std::size_t at = caption.find('&');
    return Escaped(caption.substr(0, at)) + "<u>" + caption[at + 1] + "</u>" +
           Escaped(caption.substr(at + 2));
}

// A label: for a box, a label element that focuses it; for the record box, which is no form
// control, a plain element that names it.
std::string Label(std::string_view id, std::string_view control = {}) {
    const std::string text = Escaped(texts::CaptionOf(id));
    if (control.empty() || control == "Text2")
        return "<div id=\"" + std::string(id) + "\">" + text + "</div>\n";
    return "<label id=\"" + std::string(id) + "\" for=\"" + std::string(control) + "\">" + text +
           "</label>\n";
}

// A single-line box. A phone offers a number keyboard, but for the targets, whose lists and
// ranges need ',' and '-' too; Enter is its "go" key.
std::string Box(std::string_view id) {
    std::string html = "<input id=\"" + std::string(id) + "\" type=\"text\" inputmode=\"" +
                       (id == "Text1_2" ? "text" : "decimal") +
                       "\" enterkeyhint=\"go\" autocomplete=\"off\" autocapitalize=\"off\" "
                       "spellcheck=\"false\"";
    if (id == layout::kHint.control)
        html += std::string(" aria-describedby=\"") + layout::kHint.label + "\"";
    return html + ">\n";
}

std::string Button(const char* id, const char* caption, const char* description, bool isDefault) {
    const char key = AccessKey(caption);
    return std::string("<button id=\"") + id + "\" type=\"button\"" +
           (isDefault ? " class=\"default\"" : "") + " accesskey=\"" +
           static_cast<char>(key | 0x20) + "\" aria-keyshortcuts=\"Alt+" + key + "\" title=\"" +
           Escaped(description) + "\">" + Caption(caption) + "</button>\n";
}

std::string PresetList() {
    std::string html =
        std::string("<div id=\"List1\" role=\"listbox\" tabindex=\"0\" aria-label=\"") +
        Escaped(texts::kListName) + "\" aria-description=\"" + Escaped(texts::kListDescription) +
        "\">\n";
    const int last = static_cast<int>(texts::kPresetRows.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const std::string_view row = texts::kPresetRows[static_cast<std::size_t>(i)];
        const std::size_t tab = row.find('\t');  // a gap to one shared column
        std::string name = row.empty() ? std::string(texts::kBlankRowName) : std::string(row);
        if (tab != std::string_view::npos) name[tab] = ' ';
        html +=
            "<div id=\"List1_row" + std::to_string(i) +
            "\" role=\"option\" aria-selected=\"false\"" + " aria-label=\"" + Escaped(name) + "\"" +
            (i == last ? " aria-description=\"" + Escaped(texts::kHintRowDescription) + "\"" : "") +
            "><span>" + Escaped(row.substr(0, tab)) + "</span> <span>" +
            (tab == std::string_view::npos ? "" : Escaped(row.substr(tab + 1))) + "</span></div>\n";
    }
    return html + "</div>\n";
}

std::string Combo() {
    // A browser that brings back a choice on reload would do so without telling the page.
    std::string html = "<select id=\"Combo1\" autocomplete=\"off\">\n";
    for (const char* temperature : texts::kTemperatures)
        html += "<option>" + Escaped(temperature) + "</option>\n";
    // No temperature is chosen until the user picks one; set before the first paint.
    return html + "</select>\n<script>Combo1.selectedIndex = -1</script>\n";
}

// The record box says when Ctrl+Z brings back a cleared record; a phone shows a button.
std::string RecordBox() {
    return "<div id=\"Text2\" data-undo-hint=\"" + Escaped(texts::kUndoClearHint) +
           "\"><button id=\"UndoClear\" type=\"button\" hidden>" +
           Escaped(texts::kUndoClearButton) + "</button></div>\n";
}

std::string Bar() {
    return std::string(
               "<button id=\"Command3\" type=\"button\" aria-expanded=\"false\" aria-label=\"") +
           Escaped(texts::kCommand3Name) + "\" title=\"" + Escaped(texts::kCommand3Description) +
           "\"></button>\n";
}

std::string Control(std::string_view name) {
    if (name.starts_with("Text1_")) return Box(name);
    if (name == "Combo1") return Combo();
    if (name == "Command1")
        return Button("Command1", texts::CaptionOf(name), texts::kCommand1Description, true);
    if (name == "Command2")
        return Button("Command2", texts::CaptionOf(name), texts::kCommand2Description, false);
    if (name == "List1") return PresetList();
    if (name == "Text2") return RecordBox();
    return Bar();
}

// The controls in tab order, each label just before its control and the targets' hint after
// it, as a phone shows them in one column; the window replica places them all by the layout CSS.
std::string Controls() {
    std::string html;
    for (const std::string_view name : layout::kTabOrder) {
        for (const layout::Labelled& l : layout::kLabels)
            if (name == l.control) html += Label(l.label, l.control);
        html += Control(name);
        if (name == layout::kHint.control) html += Label(layout::kHint.label);
    }
    return html;
}

// The data sheet: the viscosity-temperature chart as a figure with its summary, the sheet's boxes
// (each oil at the data sheet's other temperature, and T), and its table with row and column heads,
// the lines of what is missing and of the grades under it. Drawn as the boxes and the handle move.
std::string SheetPanel() {
    std::string html =
        "<h2 id=\"temperature-title\">" + Escaped(texts::kTemperatureChartTitle) +
        "</h2>\n<figure id=\"TemperatureFigure\" aria-labelledby=\"temperature-title\" "
        "aria-describedby=\"temperature-summary\">\n"
        "<div id=\"temperature-area\"><svg id=\"temperature-svg\" "
        "aria-hidden=\"true\"></svg></div>\n"
        "<figcaption id=\"temperature-summary\" class=\"unseen\"></figcaption>\n"
        "</figure>\n<div id=\"sheet-boxes\">\n";
    for (std::size_t b = 0; b < sheet::kBoxes; ++b) {
        const std::string id = "SheetBox" + std::to_string(b);
        // T may be below zero: the full keyboard, which has the minus sign.
        html += "<div><label for=\"" + id + "\">" + Escaped(texts::kSheetBoxes[b]) +
                "</label><input id=\"" + id + "\" type=\"text\" inputmode=\"" +
                (b == sheet::kAtT ? "text" : "decimal") +
                "\" autocomplete=\"off\" spellcheck=\"false\"" +
                (b == sheet::kAtT ? std::string(" value=\"") + sheet::kStartAtT + "\"" : "") +
                "></div>\n";
    }
    // The table as it stands with nothing typed, so that it is whole at the first paint.
    sheet::Input empty;
    empty.boxes[sheet::kAtT] = sheet::kStartAtT;
    empty.hundredths = chart::kEvenMix;
    const sheet::Table t = sheet::TableOf(sheet::Work(empty, BlendConstants()));
    // The table scrolls within its own box where a narrow screen has no room for it, never the
    // page.
    html += "</div>\n<div id=\"sheet-table\">\n<table id=\"SheetTable\">\n<caption>" +
            Escaped(texts::kSheetTitle) + "</caption>\n<thead><tr><td></td>";
    for (std::size_t c = 1; c < t.columns.size(); ++c)
        html += "<th scope=\"col\">" + Escaped(t.columns[c]) + "</th>";
    html += "</tr></thead>\n<tbody>\n";
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        html += "<tr><th scope=\"row\">" + Escaped(t.rows[r]) + "</th>";
        for (const sheet::Cell& cell : t.cells[r])
            html += std::string("<td") + (cell.quiet ? " class=\"quiet\"" : "") + ">" +
                    Escaped(cell.text) + "</td>";
        html += "</tr>\n";
    }
    return html +
           "</tbody>\n</table>\n</div>\n<div id=\"SheetNotes\"></div>\n<div "
           "id=\"SheetGrades\"></div>\n";
}

// The section "实测校准" beside the blend chart: a measured blend's boxes, its temperature and the
// button that adds it; the list of measured blends, each with its button "删除"; each
// temperature's factor; the switch. The list and the factors are filled as the Form gives them.
std::string CalibrationPanel() {
    const auto box = [](const char* id, const char* label) {
        return std::string("<div><label for=\"") + id + "\">" + Escaped(label) +
               "</label><input id=\"" + id +
               "\" type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" "
               "spellcheck=\"false\"></div>\n";
    };
    std::string html =
        "<section id=\"calibration\" aria-labelledby=\"calibration-title\">\n<h3 "
        "id=\"calibration-title\">" +
        Escaped(texts::kCalibrationTitle) + "</h3>\n<div id=\"measured-boxes\">\n" +
        box("MeasuredPercent", texts::kMeasuredPercent) +
        box("MeasuredViscosity", texts::kMeasuredViscosity) +
        "<div><label for=\"MeasuredTemperature\">" + Escaped(texts::kMeasuredTemperature) +
        "</label><select id=\"MeasuredTemperature\">";
    for (const char* t : texts::kTemperatures) html += "<option>" + Escaped(t) + "</option>";
    return html + "</select></div>\n<button id=\"AddMeasured\" type=\"button\">" +
           Escaped(texts::kAddMeasured) +
           "</button>\n</div>\n<p id=\"MeasuredNote\" role=\"status\" hidden></p>\n"
           "<ul id=\"MeasuredList\" aria-label=\"" +
           Escaped(texts::kMeasuredList) + "\" data-remove=\"" + Escaped(texts::kRemoveMeasured) +
           "\"></ul>\n<p id=\"MeasuredNone\">" + Escaped(texts::kMeasuredNone) +
           "</p>\n<div id=\"Factors\" role=\"status\"></div>\n" +
           // The label holds its box: the whole row is one target for a finger.
           "<label id=\"calibrate-switch\"><input id=\"Calibrate\" type=\"checkbox\">" +
           Escaped(texts::kCalibrate) + "</label>\n</section>\n";
}

// The blend chart's panel: the figure, its handle (a slider the page places over the chart) and
// its summary, the box for A's share typed as a number, and the readout of what that mix gives.
// The chart itself is drawn into the SVG as the boxes change.
std::string ChartPanel() {
    const std::string title = Escaped(texts::kChartTitle);
    return "<h2 id=\"chart-title\">" + title +
           "</h2>\n"
           "<figure id=\"ChartFigure\" aria-labelledby=\"chart-title\" "
           "aria-describedby=\"chart-summary\">\n"
           "<div id=\"chart-area\"><svg id=\"chart-svg\" aria-hidden=\"true\"></svg>\n"
           "<div id=\"ChartHandle\" role=\"slider\" tabindex=\"0\" aria-label=\"" +
           Escaped(texts::kHandleName) +
           "\" aria-valuemin=\"0\" aria-valuemax=\"100\" aria-orientation=\"horizontal\" "
           "aria-keyshortcuts=\"Control+G\" hidden></div></div>\n"
           "<figcaption id=\"chart-summary\" class=\"unseen\"></figcaption>\n</figure>\n"
           "<div id=\"chart-percent\"><label for=\"ChartPercent\">" +
           Escaped(texts::kPercentBox) +
           "</label> <input id=\"ChartPercent\" type=\"text\" inputmode=\"decimal\" "
           "autocomplete=\"off\" spellcheck=\"false\" aria-describedby=\"ChartHint\"> "
           "<span id=\"ChartHint\" data-hint=\"" +
           Escaped(texts::kPercentHint) +
           "\"></span></div>\n"
           "<output id=\"ChartReadout\" role=\"status\" for=\"ChartHandle ChartPercent\">"
           "</output>\n" +
           CalibrationPanel() + SheetPanel();
}

// The recipe's panel: its boxes in groups, each with the unit it takes; the unit's choice; the
// quiet lines, the lines and the tables, which the page fills as the Form gives them; and the map
// "可调范围", a figure with its summary, whose target takes clicks, taps and arrows.
std::string RecipePanel() {
    using namespace recipe;
    const auto box = [](std::size_t b, const std::string& unit) {
        const std::string id = "RecipeBox" + std::to_string(b);
        // The index may be below zero: the full keyboard, which has the minus sign.
        return "<div><label for=\"" + id + "\">" + Escaped(texts::kRecipeBoxes[b]) +
               "</label><input id=\"" + id + "\" type=\"text\" inputmode=\"" +
               (b == kTIndex ? "text" : "decimal") +
               "\" autocomplete=\"off\" spellcheck=\"false\">" +
               (unit.empty() ? "" : "<span class=\"unit\">" + Escaped(unit) + "</span>") +
               "</div>\n";
    };
    const auto unitOf = [](std::size_t b) -> std::string {
        switch (b) {
            case kADensity:
            case kBDensity:
            case kCDensity:
            case kPDensity:
                return texts::kRecipeDensityUnit;
            case kAPrice:
            case kBPrice:
            case kCPrice:
            case kPPrice:
                return Fill(texts::kRecipePriceUnit, {texts::kRecipeUnits[0]});
            case kPShare:
            case kTIndex:
            case kTotal:
                return "";
            default:
                return texts::kRecipeViscosityUnit;
        }
    };
    // The groups: each oil's four boxes, the package's five, the targets' three, the total.
    const std::size_t ends[] = {kB40, kC40, kP40, kT100, kTotal, kBoxes};
    std::string html = "<h2 id=\"recipe-title\">" + Escaped(texts::kRecipeTitle) +
                       "</h2>\n<div id=\"recipe-boxes\">\n";
    for (std::size_t g = 0, b = 0; g < std::size(ends); ++g) {
        html += "<fieldset><legend>" + Escaped(texts::kRecipeGroups[g]) + "</legend>\n";
        for (; b < ends[g]; ++b) html += box(b, unitOf(b));
        if (ends[g] == kBoxes) {
            html += "<div><label for=\"RecipeUnit\">" + Escaped(texts::kRecipeUnitName) +
                    "</label><select id=\"RecipeUnit\">";
            for (const char* unit : texts::kRecipeUnits)
                html += "<option>" + Escaped(unit) + "</option>";
            html += "</select></div>\n";
        }
        html += "</fieldset>\n";
    }
    return html +
           "</div>\n<div id=\"RecipeQuiet\" role=\"status\"></div>\n"
           "<div id=\"RecipeLines\"></div>\n<div id=\"RecipeTables\"></div>\n"
           "<h3 id=\"map-title\">" +
           Escaped(texts::kMapTitle) +
           "</h3>\n<figure id=\"MapFigure\" aria-labelledby=\"map-title\" "
           "aria-describedby=\"map-summary\">\n<div id=\"map-area\"><svg id=\"map-svg\" "
           "aria-hidden=\"true\"></svg><div id=\"RecipeMap\" role=\"application\" "
           "tabindex=\"0\" aria-label=\"" +
           Escaped(texts::kMapTargetName) +
           "\" aria-describedby=\"map-summary\" aria-keyshortcuts=\"ArrowLeft ArrowRight "
           "ArrowUp ArrowDown\"></div></div>\n<figcaption id=\"map-summary\" "
           "class=\"unseen\"></figcaption>\n</figure>\n";
}

// A length of the layout in CSS: twips as rem, so that the replica grows with the font in
// effect as the desktop window does (the root font is the reader's, never below the design's).
std::string Rem(int twips) {
    return "calc(" + std::to_string(twips) + "rem / " +
           std::to_string(layout::kTwipsPerPixel * layout::kDesignFontPixels) + ")";
}

// The page's own width for the replica, wide state included, as two media features: in em of the
// reader's font (which media queries measure in), and in pixels of the design, for a reader's font
// below it.
std::array<std::string, 2> ReplicaWidths() {
    const int twips = layout::kReplicaPageWidth;
    char em[32];
    std::snprintf(em, sizeof em, "%.4fem",
                  double(twips) / (layout::kTwipsPerPixel * layout::kDesignFontPixels));
    return {"(min-width: " + std::string(em) + ")",
            "(min-width: " + std::to_string(twips / layout::kTwipsPerPixel) + "px)"};
}

// Where the replica fits: both widths.
std::string ReplicaFits() {
    const auto [em, px] = ReplicaWidths();
    return em + " and " + px;
}

// The media query of a phone: where the replica does not fit.
std::string Phone() {
    const auto [em, px] = ReplicaWidths();
    return "not all and " + em + ", not all and " + px;
}

// The window replica, wherever it fits.
std::string Layout() {
    std::string css = "@media " + ReplicaFits() + " {\n";
    css += "#client { width: " + Rem(layout::kNarrowWidth) + "; height: " + Rem(layout::kHeight) +
           "; }\n";
    css += "#client.wide { width: " + Rem(layout::kWideWidth) + "; }\n";
    for (const layout::Place& p : layout::kControls)
        css += std::string("#") + p.name + " { left: " + Rem(p.left) + "; top: " + Rem(p.top) +
               "; width: " + Rem(p.width) + "; height: " + Rem(p.height) + "; }\n";
    return css + "}\n";
}

}  // namespace

}  // namespace olvimar

int main(int argc, char** argv) {
    const std::string_view part = argc == 3 ? argv[1] : "";
    const std::string text = part == "controls" ? olvimar::Controls()
                             : part == "chart"  ? olvimar::ChartPanel()
                             : part == "recipe" ? olvimar::RecipePanel()
                             : part == "layout" ? olvimar::Layout()
                             : part == "phone"  ? olvimar::Phone()
                                                : std::string();
    std::FILE* file = text.empty() ? nullptr : std::fopen(argv[2], "w");
    if (file == nullptr) {
        std::fputs("usage: page_parts controls|chart|recipe|layout|phone FILE\n", stderr);
        return 1;
    }
    const bool written = std::fputs(text.c_str(), file) >= 0;
    return std::fclose(file) == 0 && written ? 0 : 1;
}
