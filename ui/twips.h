#pragma once

#include <QRect>

namespace olvimar {

// The layout is drawn in twips, 1/1440 inch: 15 twips make one device-independent pixel, which
// Qt scales on high-density screens.
constexpr int twips(int t) {
    return t / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}

}  // namespace olvimar
