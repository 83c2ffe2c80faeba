#pragma once

#include <array>
#include <string_view>

// Where every control stands, in twips (1/1440 inch) from the top-left corner of the client
// area, the order in which the focus moves, which label names which control, and when the page
// shows the controls in one column: the same for every front end.
namespace olvimar::layout {

struct Place {
    const char* name;
    int left, top, width, height;
};

// How twips become pixels: the layout was drawn for a 12-pixel font (9 points at 96 dpi), where
// 15 twips make one pixel. A larger font in effect makes every twip larger in proportion (font
// pixels / 12 / 15 pixels a twip); a smaller one leaves the layout as drawn.
inline constexpr int kDesignFontPixels = 12;
inline constexpr int kTwipsPerPixel = 15;

// Client widths, narrow and wide; the height never changes.
inline constexpr int kNarrowWidth = 4770;
inline constexpr int kWideWidth = 6825;
inline constexpr int kHeight = 4365;
// The pitch of the main column: each box is covered by the next from here down.
inline constexpr int kRowPitch = 240;

// Every control, in the order of its tab index, labels included (which never take the focus).
inline constexpr std::array<Place, 21> kControls = {{
    //  name         Left   Top  Width Height
    {"Text1_0", 2760, 120, 1935, 270},  {"Text1_1", 2760, 360, 1935, 270},
    {"Combo1", 2760, 600, 1935, 300},   {"Text1_2", 2760, 840, 1935, 270},
    {"Text1_3", 2760, 1080, 1935, 270}, {"Command1", 2520, 1680, 975, 375},
    {"Command2", 3600, 1680, 975, 375}, {"List1", 120, 120, 1575, 1500},
    {"Label1_0", 1800, 135, 855, 255},  {"Label1_1", 1800, 645, 855, 255},
    {"Label1_2", 1800, 375, 855, 255},  {"Label1_3", 1800, 855, 855, 255},
    {"Label2", 1800, 1440, 2895, 255},  {"Text2", 120, 2160, 4575, 2055},
    {"Label3", 120, 1800, 855, 255},    {"Label1_4", 1800, 1095, 855, 255},
    {"Label1_5", 4800, 120, 1095, 255}, {"Label1_6", 4800, 720, 1095, 255},
    {"Command3", 4680, 1320, 90, 2175}, {"Text1_4", 4800, 360, 1935, 270},
    {"Text1_5", 4800, 960, 1935, 270},
}};

// The order in which Tab moves the focus: every control that takes it, by rising tab index.
inline constexpr std::array<const char*, 12> kTabOrder = {
    "Text1_0",  "Text1_1", "Combo1", "Text1_2",  "Text1_3", "Command1",
    "Command2", "List1",   "Text2",  "Command3", "Text1_4", "Text1_5",
};

// Which label names which control: a screen reader reads the control by it, a click on it
// moves the focus there, and on a phone it stands above its control. The label indices do not
// follow the boxes: Label1(1) names the temperature, Label1(2) oil B.
struct Labelled {
    const char* label;
    const char* control;
};
inline constexpr std::array<Labelled, 8> kLabels = {{
    {"Label1_0", "Text1_0"},
    {"Label1_2", "Text1_1"},
    {"Label1_1", "Combo1"},
    {"Label1_3", "Text1_2"},
    {"Label1_4", "Text1_3"},
    {"Label1_5", "Text1_4"},
    {"Label1_6", "Text1_5"},
    {"Label3", "Text2"},
}};
// The hint that describes the targets box; it stands below it on a phone.
inline constexpr Labelled kHint = {"Label2", "Text1_2"};

// The page shows the window replica with a margin on each side, a border and room for a scroll
// bar. Where the viewport is narrower than that, wide state included, at the font in effect, it
// shows the controls in one column instead, in tab order (a phone).
inline constexpr int kPageMargin = 120;     // each side
inline constexpr int kPageAllowance = 270;  // the replica's border and a scroll bar
inline constexpr int kReplicaPageWidth = kWideWidth + 2 * kPageMargin + kPageAllowance;

// The place of the control `name`; every name the front ends use is in the table.
constexpr const Place& PlaceOf(std::string_view name) {
    for (const Place& p : kControls)
        if (name == p.name) return p;
    throw "no such control";  // a name the layout does not know is a programming error
}

}  // namespace olvimar::layout
