#pragma once

#include <QRect>

#include "form/layout.h"

namespace olvimar {

// How twips become pixels for the font in effect: a window whose font is larger than the one the
// layout was drawn for grows with it, like a dialog that scales with its font, so that its texts
// still fit; a smaller font leaves the layout as drawn.
class Twips {
  public:
    Twips() = default;  // the layout as drawn
    static Twips ForFont(int fontPixels);

    // Rounded to the nearest pixel, a half upwards: exact, with no floating point in between.
    int px(int twips) const;
    // Each edge is converted on its own, so that controls whose edges meet in twips still meet.
    QRect rect(const layout::Place& r) const;

  private:
    int fontPixels_ = layout::kDesignFontPixels;
};

}  // namespace olvimar
