#pragma once

namespace olvimar {

// Teaches Qt's accessibility what it cannot know about this window: that Form1 is a window
// (named by its title) rather than a pane, and that each row of the preset list has an action
// that inserts its preset. Safe to call more than once.
void InstallAccessibility();

}  // namespace olvimar
