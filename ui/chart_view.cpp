#include "ui/chart_view.h"

#include <QAccessible>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "form/window_texts.h"
#include "ui/key_press.h"

namespace olvimar {

namespace {

QColor ColourOf(chart::Ink ink) {
    const chart::Paint paint = chart::PaintOf(ink);
    QColor colour(QString::fromLatin1(paint.colour));
    colour.setAlphaF(static_cast<float>(paint.opacity));
    return colour;
}

QPen PenOf(const chart::Line& line) {
    QPen pen(ColourOf(line.ink), line.width, Qt::SolidLine, Qt::FlatCap);
    if (line.dashed) pen.setDashPattern({chart::kDash, chart::kGap});  // in widths of the line
    return pen;
}

void DrawText(QPainter& painter, const chart::Text& text) {
    const QString s = QString::fromStdString(text.text);
    const double width = painter.fontMetrics().horizontalAdvance(s);
    const double x = text.anchor == chart::Anchor::Start    ? text.x
                     : text.anchor == chart::Anchor::Middle ? text.x - width / 2
                                                            : text.x - width;
    painter.setPen(ColourOf(text.ink));
    painter.drawText(QPointF(x, text.y), s);
}

void DrawMark(QPainter& painter, const chart::Mark& mark) {
    const QColor colour = ColourOf(mark.ink);
    const QPointF at(mark.x, mark.y);
    switch (mark.shape) {
        case chart::Shape::Dot:
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(at, mark.size, mark.size);
            break;
        case chart::Shape::Ring:
            painter.setPen(QPen(colour, mark.stroke));
            painter.setBrush(Qt::white);
            painter.drawEllipse(at, mark.size, mark.size);
            break;
        case chart::Shape::Left:
        case chart::Shape::Right: {
            // A triangle pointing out of the chart, its point on the edge.
            const double back = mark.shape == chart::Shape::Left ? mark.depth : -mark.depth;
            QPainterPath path(at);
            path.lineTo(mark.x + back, mark.y - mark.size);
            path.lineTo(mark.x + back, mark.y + mark.size);
            path.closeSubpath();
            const bool hollow = mark.ink == chart::Ink::ShearTarget;  // the shear line's
            painter.setPen(hollow ? QPen(colour, mark.stroke) : QPen(Qt::NoPen));
            painter.setBrush(hollow ? QColor(Qt::white) : colour);
            painter.drawPath(path);
            break;
        }
    }
}

}  // namespace

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

chart::Frame ChartView::frame() const {
    return {static_cast<double>(width()), static_cast<double>(height()),
            static_cast<double>(QFontInfo(font()).pixelSize())};
}

void ChartView::redraw() {
    picture_ = draw_(frame());
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
    for (const chart::Line& line : picture_.lines) {
        painter.setPen(PenOf(line));
        painter.drawLine(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2));
    }
    for (const chart::Mark& mark : picture_.marks) DrawMark(painter, mark);
    for (const chart::Text& text : picture_.texts) DrawText(painter, text);
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
    if (const std::optional<int> moved = chart::Moved(action, value())) {
        setValue(*moved);
        return;
    }
    QWidget::keyPressEvent(event);  // none of the slider's own
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !picture_.needs.empty()) return;
    setFocus(Qt::MouseFocusReason);
    setSliderDown(true);
    setValue(chart::HundredthsAt(picture_, event->position().x()));
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    if (isSliderDown()) setValue(chart::HundredthsAt(picture_, event->position().x()));
}

void ChartView::mouseReleaseEvent(QMouseEvent*) {
    setSliderDown(false);
}

void ChartView::wheelEvent(QWheelEvent* event) {
    event->ignore();  // the wheel scrolls what holds the chart, not the handle
}

}  // namespace olvimar
