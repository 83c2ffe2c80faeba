// Writes, at build time, the parts of the web page that come from the window's one table of
// texts and twips, so that the page stands complete at its first paint:
//   page_parts controls FILE   the client area's controls, with their texts, in tab order
//   page_parts layout FILE     the window replica's CSS: every control at its twips
#include <cstdio>
#include <string>
#include <string_view>

#include "form/layout.h"
#include "form/window_texts.h"

namespace olvimar {

namespace {

std::string Escaped(std::string_view text) {
    std::string html;
    for (const char c : text) {
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '"':
                html += "&quot;";
                break;
            default:
                html += c;
        }
    }
    return html;
}

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

std::string Label(const char* id, const char* text, const char* control = nullptr) {
    if (control == nullptr)
        return "<div id=\"" + std::string(id) + "\">" + Escaped(text) + "</div>\n";
    return "<label id=\"" + std::string(id) + "\" for=\"" + control + "\">" + Escaped(text) +
           "</label>\n";
}

// A single-line box. `keys`: the on-screen keyboard a phone offers for what the box takes.
std::string Box(int index, int label, const char* keys, const char* describedBy = nullptr) {
    const std::string id = "Text1_" + std::to_string(index);
    std::string html =
        Label(("Label1_" + std::to_string(label)).c_str(), texts::kLabel1[label], id.c_str());
    html +=
        "<input id=\"" + id + "\" type=\"text\" inputmode=\"" + keys +
        "\" enterkeyhint=\"go\" autocomplete=\"off\" autocapitalize=\"off\" spellcheck=\"false\"";
    if (describedBy != nullptr) html += std::string(" aria-describedby=\"") + describedBy + "\"";
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

// The controls in tab order, each label just before its control, as a phone shows them in one
// column; the window replica places them all by the layout CSS.
std::string Controls() {
    std::string html;
    html += Box(0, 0, "decimal");
    html += Box(1, 2, "decimal");
    html += Label("Label1_1", texts::kLabel1[1], "Combo1");
    html += "<select id=\"Combo1\">\n";
    for (const char* temperature : texts::kTemperatures)
        html += "<option>" + Escaped(temperature) + "</option>\n";
    // No temperature is chosen until the user picks one; set before the first paint.
    html += "</select>\n<script>Combo1.selectedIndex = -1</script>\n";
    html += Box(2, 3, "text", "Label2");  // lists and ranges need ',' and '-' too
    html += Label("Label2", texts::kLabel2);
    html += Box(3, 4, "decimal");
    html += Button("Command1", texts::kCommand1, texts::kCommand1Description, true);
    html += Button("Command2", texts::kCommand2, texts::kCommand2Description, false);
    html += PresetList();
    html += Label("Label3", texts::kLabel3);
    // The record box says when Ctrl+Z brings back a cleared record; a phone shows a button.
    html += "<div id=\"Text2\" data-undo-hint=\"" + Escaped(texts::kUndoClearHint) +
            "\"><button id=\"UndoClear\" type=\"button\" hidden>" +
            Escaped(texts::kUndoClearButton) + "</button></div>\n";
    html += std::string(
                "<button id=\"Command3\" type=\"button\" aria-expanded=\"false\" aria-label=\"") +
            Escaped(texts::kCommand3Name) + "\" title=\"" + Escaped(texts::kCommand3Description) +
            "\"></button>\n";
    html += Box(4, 5, "decimal");
    html += Box(5, 6, "decimal");
    return html;
}

std::string Px(int twips) {
    char px[32];
    std::snprintf(px, sizeof px, "%gpx", twips / 15.0);
    return px;
}

// The window replica, at 15 twips to the CSS pixel, for screens at least 480 px wide.
std::string Layout() {
    std::string css = "@media (min-width: 480px) {\n";
    css += "#client { width: " + Px(layout::kNarrowWidth) + "; height: " + Px(layout::kHeight) +
           "; }\n";
    css += "#client.wide { width: " + Px(layout::kWideWidth) + "; }\n";
    for (const layout::Place& p : layout::kControls)
        css += std::string("#") + p.name + " { left: " + Px(p.left) + "; top: " + Px(p.top) +
               "; width: " + Px(p.width) + "; height: " + Px(p.height) + "; }\n";
    return css + "}\n";
}

}  // namespace

}  // namespace olvimar

int main(int argc, char** argv) {
    const std::string_view part = argc == 3 ? argv[1] : "";
    const std::string text = part == "controls" ? olvimar::Controls()
                             : part == "layout" ? olvimar::Layout()
                                                : std::string();
    std::FILE* file = text.empty() ? nullptr : std::fopen(argv[2], "w");
    if (file == nullptr) {
        std::fputs("usage: page_parts controls|layout FILE\n", stderr);
        return 1;
    }
    const bool written = std::fputs(text.c_str(), file) >= 0;
    return std::fclose(file) == 0 && written ? 0 : 1;
}
