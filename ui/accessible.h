#pragma once

namespace olvimar {

// Teaches Qt's accessibility what it cannot know about this window: that Form1 and the chart's
// window are windows (named by their titles) rather than panes, that each row of the preset list
// has an action that inserts its preset, that the chart is a chart, and that its handle is a
// slider of a percentage whose value text is the readout. Safe to call more than once.
void InstallAccessibility();

}  // namespace olvimar
