#pragma once

#include <QRect>

#include "form/layout.h"

namespace olvimar {

// How twips become pixels. The layout was drawn for a 12-pixel font (9 points at 96 dpi), where
// 15 twips make one pixel. A window whose font is larger grows with it, like a dialog that
// scales with its font, so that its texts still fit; a smaller font leaves the layout as drawn.
class Twips {
  public:
    static constexpr int kDesignFontPixels = 12;

    Twips() = default;  // the layout as drawn
    static Twips ForFont(int fontPixels);

    double pixelsPerTwip() const { return pixelsPerTwip_; }
    int px(int twips) const;
    // Each edge is converted on its own, so that controls whose edges meet in twips still meet.
    QRect rect(const layout::Place& r) const;

  private:
    double pixelsPerTwip_ = 1.0 / 15;
};

}  // namespace olvimar
