#include "ui/twips.h"

#include <algorithm>
#include <cmath>

namespace olvimar {

Twips Twips::ForFont(int fontPixels) {
    Twips t;
    t.pixelsPerTwip_ = std::max(1.0, double(fontPixels) / kDesignFontPixels) / 15;
    return t;
}

int Twips::px(int twips) const {
    return static_cast<int>(std::lround(twips * pixelsPerTwip_));
}

QRect Twips::rect(const layout::Place& r) const {
    const int left = px(r.left);
    const int top = px(r.top);
    return {left, top, px(r.left + r.width) - left, px(r.top + r.height) - top};
}

}  // namespace olvimar
