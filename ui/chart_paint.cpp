#include "ui/chart_paint.h"

#include <QFontInfo>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace olvimar {

chart::Frame FrameOf(const QWidget& widget) {
    return {static_cast<double>(widget.width()), static_cast<double>(widget.height()),
            static_cast<double>(QFontInfo(widget.font()).pixelSize())};
}

QColor ColourOf(chart::Ink ink) {
    const chart::Paint paint = chart::PaintOf(ink);
    QColor colour(QString::fromLatin1(paint.colour));
    colour.setAlphaF(static_cast<float>(paint.opacity));
    return colour;
}

namespace {

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

void PaintPicture(QPainter& painter, const chart::Picture& picture) {
    for (const chart::Area& area : picture.areas) {
        QPolygonF polygon;
        for (const auto& [x, y] : area.corners) polygon << QPointF(x, y);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ColourOf(area.ink));
        painter.drawPolygon(polygon);
    }
    for (const chart::Line& line : picture.lines) {
        painter.setPen(PenOf(line));
        painter.drawLine(QPointF(line.x1, line.y1), QPointF(line.x2, line.y2));
    }
    for (const chart::Mark& mark : picture.marks) DrawMark(painter, mark);
    for (const chart::Text& text : picture.texts) DrawText(painter, text);
}

}  // namespace olvimar
