#include "ui/twips.h"

#include <QFontInfo>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "ui/qt_text.h"

namespace olvimar {

Twips Twips::ForFont(int fontPixels) {
    Twips t;
    t.fontPixels_ = std::max(fontPixels, layout::kDesignFontPixels);
    return t;
}

int Twips::px(int twips) const {
    // twips / 15 * (font / 12), to the nearest pixel.
    constexpr int kTwipsAtDesignFont = layout::kTwipsPerPixel * layout::kDesignFontPixels;
    return (2 * twips * fontPixels_ + kTwipsAtDesignFont) / (2 * kTwipsAtDesignFont);
}

QRect Twips::rect(const layout::Place& r) const {
    const int left = px(r.left);
    const int top = px(r.top);
    return {left, top, px(r.left + r.width) - left, px(r.top + r.height) - top};
}

void SizeByFont(QWidget& window, int width, int height) {
    const double em = std::max(
        1.0, QFontInfo(window.font()).pixelSize() / static_cast<double>(layout::kDesignFontPixels));
    QSize size(qRound(width * em), qRound(height * em));
    if (const QScreen* s = window.screen()) size = size.boundedTo(s->availableGeometry().size());
    window.resize(size);
}

}  // namespace olvimar
