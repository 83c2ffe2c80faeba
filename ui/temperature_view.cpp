#include "ui/temperature_view.h"

#include <QPainter>

#include "chart/sheet_texts.h"
#include "chart/temperature_chart.h"
#include "ui/chart_paint.h"

namespace olvimar {

TemperatureView::TemperatureView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QString::fromUtf8(texts::kTemperatureChartTitle));
    setMinimumSize(320, 220);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TemperatureView::showFigures(const sheet::Figures& figures) {
    figures_ = figures;
    redraw();
}

void TemperatureView::redraw() {
    picture_ = chart::DrawTemperatures(figures_, FrameOf(*this));
    setAccessibleDescription(QString::fromStdString(picture_.summary));
    update();
}

void TemperatureView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    redraw();
}

void TemperatureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    PaintPicture(painter, picture_);
}

}  // namespace olvimar
