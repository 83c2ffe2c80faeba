#include "form/keys.h"

namespace olvimar::keys {

namespace {

// The chart's and the recipe's own controls: the window's Esc and Enter are not theirs.
bool InChart(Focus focus) {
    return focus == Focus::Handle || focus == Focus::ChartBox || focus == Focus::RecipeBox ||
           focus == Focus::Map;
}

// Enter presses Generate from a box, as the window's default button; a button or the list
// takes it for itself, and Ctrl+Enter is a new line in the record box.
Action Enter(const Press& press, Focus focus) {
    switch (focus) {
        case Focus::Button:
            return Action::PressFocused;
        case Focus::List:
            return Action::InsertPreset;
        case Focus::RecordBox:
            return press.ctrl ? Action::NewLine : Action::Generate;
        case Focus::Box:
            return Action::Generate;
        case Focus::Handle:
        case Focus::ChartBox:
        case Focus::RecipeBox:
        case Focus::Map:
            break;  // the chart and the recipe follow the boxes by themselves
    }
    return Action::Pass;
}

// The list's arrows choose a row; Enter or a double-click inserts it.
Action InList(Key key) {
    switch (key) {
        case Key::Up:
            return Action::ListPrevious;
        case Key::Down:
            return Action::ListNext;
        case Key::Home:
            return Action::ListFirst;
        case Key::End:
            return Action::ListLast;
        default:
            return Action::Pass;
    }
}

// The handle is a slider: the arrows move it by 1 %, Page Up and Page Down by 10 %, Home and End
// to its ends.
Action OnHandle(Key key) {
    switch (key) {
        case Key::Left:
        case Key::Down:
            return Action::HandleDown;
        case Key::Right:
        case Key::Up:
            return Action::HandleUp;
        case Key::PageDown:
            return Action::HandleDownPage;
        case Key::PageUp:
            return Action::HandleUpPage;
        case Key::Home:
            return Action::HandleToMinimum;
        case Key::End:
            return Action::HandleToMaximum;
        default:
            return Action::Pass;
    }
}

// The map's target: Left and Right along the 40 ℃ axis, Down and Up along the 100 ℃ one.
Action OnMap(Key key) {
    switch (key) {
        case Key::Left:
            return Action::MapThinner40;
        case Key::Right:
            return Action::MapThicker40;
        case Key::Down:
            return Action::MapThinner100;
        case Key::Up:
            return Action::MapThicker100;
        default:
            return Action::Pass;
    }
}

}  // namespace

Action ActionFor(const Press& press, Focus focus, bool ownEdit, bool clearUndoable) {
    const bool plain = !press.ctrl && !press.alt && !press.shift;
    const bool ctrlOnly = press.ctrl && !press.alt && !press.shift;
    switch (press.key) {
        case Key::Escape:
            // Esc presses Clear wherever the focus is in the window; a modified Esc does not.
            return plain && !InChart(focus) ? Action::Clear : Action::Pass;
        case Key::Z:
            // The control's own edit first: bringing back a Clear must never throw typing away.
            if (!ctrlOnly) return Action::Pass;
            if (ownEdit) return Action::UndoOwnEdit;
            return clearUndoable ? Action::UndoClear : Action::Pass;
        case Key::G:
            return ctrlOnly ? Action::OpenChart : Action::Pass;
        case Key::R:
            return ctrlOnly ? Action::OpenRecipe : Action::Pass;
        case Key::Enter:
            return Enter(press, focus);
        default:
            break;
    }
    if (focus == Focus::Handle && ctrlOnly && (press.key == Key::Left || press.key == Key::Down))
        return Action::HandleToPreviousTarget;
    if (focus == Focus::Handle && ctrlOnly && (press.key == Key::Right || press.key == Key::Up))
        return Action::HandleToNextTarget;
    if (!plain) return Action::Pass;
    if (focus == Focus::List) return InList(press.key);
    if (focus == Focus::Handle) return OnHandle(press.key);
    if (focus == Focus::Map) return OnMap(press.key);
    return Action::Pass;
}

std::optional<std::size_t> FocusAfterRemoval(std::size_t removed, std::size_t rows) {
    if (removed + 1 < rows) return removed;  // the next row, now at its place
    if (removed > 0) return removed - 1;
    return std::nullopt;
}

}  // namespace olvimar::keys
