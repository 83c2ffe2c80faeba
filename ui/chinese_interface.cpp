#include "ui/chinese_interface.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace olvimar {

void UseChineseInterface(QApplication& app) {
    QFont font = QApplication::font();
    font.setFamilies(
        {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"), font.family()});
    font.setPixelSize(12);  // 9 points at 96 dpi
    QApplication::setFont(font);

    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QStringLiteral("qtbase_zh_CN"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
}

}  // namespace olvimar
