#pragma once

// What a key does in the window, by the kind of control that has the focus: one table for every
// front end, which each carries out on its own controls.
#include <cstddef>
#include <optional>

namespace olvimar::keys {

enum class Key { Enter, Escape, Z, G, R, Up, Down, Left, Right, PageUp, PageDown, Home, End, Other };

struct Press {
    Key key = Key::Other;
    bool ctrl = false;  // Ctrl, or Command on a Mac
    bool alt = false;
    bool shift = false;
};

enum class Focus {
    Box,        // a box of Text1, or the temperature drop-down with its list closed
    RecordBox,  // Text2
    List,       // the preset list
    Button,     // Generate, Clear or the thin bar
    Handle,     // the blend chart's handle
    ChartBox,   // the blend chart's box of A's percentage, and the boxes beside the chart
    RecipeBox,  // a box of the recipe
    Map,        // the recipe's map, its target
};

enum class Action {
    Pass,          // the control's own: typing, moving within it
    Generate,      // presses Generate
    Clear,         // presses Clear
    UndoOwnEdit,   // undoes the control's own last edit
    UndoClear,     // brings back the record that Clear removed
    PressFocused,  // presses the button that has the focus
    InsertPreset,  // inserts the chosen preset, as a double-click does
    NewLine,       // a line break in the record box
    ListPrevious,
    ListNext,
    ListFirst,
    ListLast,
    OpenChart,   // shows the blend chart, its handle focused
    HandleDown,  // the handle 1 % down, 10 % down, to 0 %, and up again
    HandleDownPage,
    HandleToMinimum,
    HandleUp,
    HandleUpPage,
    HandleToMaximum,
    HandleToPreviousTarget,  // Ctrl+Left or Ctrl+Down: to the split of the target below it
    HandleToNextTarget,      // Ctrl+Right or Ctrl+Up: above it
    OpenRecipe,              // shows the recipe
    MapThinner40,            // the map's target a step along its 40 ℃ axis, down and up,
    MapThicker40,            // and along its 100 ℃ axis
    MapThinner100,
    MapThicker100,
};

// `ownEdit`: the focused control has an edit of its own to undo; `clearUndoable`: the record
// that Clear removed can still come back.
Action ActionFor(const Press& press, Focus focus, bool ownEdit, bool clearUndoable);

// Where the focus goes after a measured blend's "删除" removed row `removed` of the list's `rows`:
// the row that took its place, the next one, or else the one before it, by its index in the list
// as it is now; none for the share's box, when no row is left.
std::optional<std::size_t> FocusAfterRemoval(std::size_t removed, std::size_t rows);

}  // namespace olvimar::keys
