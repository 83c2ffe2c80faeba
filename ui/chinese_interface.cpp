#include "ui/chinese_interface.h"

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <algorithm>

#include "ui/twips.h"

namespace olvimar {

void UseChineseInterface(QApplication& app) {
    QFont font = QApplication::font();
    const int desktopPixels = QFontInfo(font).pixelSize();
    font.setFamilies(
        {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"), font.family()});
    // The size the layout was drawn for, or the desktop's own when it asks for larger text: the
    // window grows with its font.
    font.setPixelSize(std::max(desktopPixels, layout::kDesignFontPixels));
    QApplication::setFont(font);

    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QStringLiteral("qtbase_zh_CN"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
}

}  // namespace olvimar
