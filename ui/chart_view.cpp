#include "ui/chart_view.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "form/window_texts.h"
#include "ui/chart_paint.h"
#include "ui/key_press.h"

namespace olvimar {

ChartView::ChartView(std::function<chart::Picture(const chart::Frame&)> draw, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), draw_(std::move(draw)) {
    setRange(0, chart::kAllOfA);
    setSingleStep(100);
    setPageStep(1000);
    setValue(chart::kEvenMix);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QString::fromUtf8(texts::kHandleName));
    setMinimumSize(320, 220);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(this, &QSlider::valueChanged, this, [this] { redraw(); });
}

void ChartView::redraw() {
    picture_ = draw_(FrameOf(*this));
    setAccessibleDescription(QString::fromStdString(picture_.valueText));
    QAccessibleValueChangeEvent changed(this, value());
    QAccessible::updateAccessibility(&changed);
    update();
    emit drawn();
}

void ChartView::resizeEvent(QResizeEvent* event) {
    QSlider::resizeEvent(event);
    redraw();
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    PaintPicture(painter, picture_);
    if (!picture_.needs.empty()) return;

    const chart::Handle& h = picture_.handle;
    const QColor ink = ColourOf(chart::Ink::Handle);
    if (h.yShear) {
        painter.setPen(QPen(ColourOf(chart::Ink::Shear), h.stroke));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(h.x, *h.yShear), h.shearRadius, h.shearRadius);
    }
    painter.setPen(QPen(ink, h.stroke));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(h.x, h.y), h.radius, h.radius);
    if (hasFocus()) {  // the focus ring, as the page draws it
        painter.setPen(QPen(palette().color(QPalette::Highlight), h.stroke));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(h.x, h.y), h.radius * 1.6, h.radius * 1.6);
    }
}

void ChartView::keyPressEvent(QKeyEvent* event) {
    // The handle's keys are the window's key table's, as the page's are.
    const keys::Action action = keys::ActionFor(PressOf(event), keys::Focus::Handle, false, false);
    if (const std::optional<int> moved = chart::Moved(action, value(), picture_)) {
        setValue(*moved);
        return;
    }
    QWidget::keyPressEvent(event);  // none of the slider's own
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !picture_.needs.empty()) return;
    setFocus(Qt::MouseFocusReason);
    setSliderDown(true);
    setValue(chart::HundredthsAt(picture_, event->position().x(), event->position().y()));
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    if (isSliderDown())  // a drag goes where the pointer goes, past the targets' marks
        setValue(chart::HundredthsAt(picture_, event->position().x(), std::nan("")));
}

void ChartView::mouseReleaseEvent(QMouseEvent*) {
    setSliderDown(false);
}

void ChartView::wheelEvent(QWheelEvent* event) {
    event->ignore();  // the wheel scrolls what holds the chart, not the handle
}

}  // namespace olvimar
