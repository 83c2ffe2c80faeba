#include "ui/temperature_box.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "ui/text_fit.h"

namespace olvimar {

QRect TemperatureBox::textField() const {
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    return style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
}

int TemperatureBox::textBaseline() const {
    const QRect field = textField();
    return InkCentredBaseline(fontMetrics(), field.top(), field.bottom());
}

void TemperatureBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    // The label as the style would draw it, one pixel in, but on the ink's baseline.
    const QRect field = textField().adjusted(1, 0, -1, 0);
    painter.setClipRect(field);
    painter.drawText(QPoint(field.left(), textBaseline()), opt.currentText);
}

}  // namespace olvimar
