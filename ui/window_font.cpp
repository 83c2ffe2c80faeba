#include "ui/window_font.h"

#include <QApplication>
#include <QFont>

namespace olvimar {

void UseWindowFont() {
    QFont font = QApplication::font();
    font.setFamilies(
        {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"), font.family()});
    font.setPixelSize(12);  // 9 points at 96 dpi
    QApplication::setFont(font);
}

}  // namespace olvimar
