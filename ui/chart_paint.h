#pragma once

#include <QColor>

#include "chart/chart.h"

class QPainter;
class QWidget;

namespace olvimar {

// A chart's lines, marks and texts as QPainter draws them, in the model's pixels: the same for
// the blend chart and the viscosity-temperature chart.
void PaintPicture(QPainter& painter, const chart::Picture& picture);
QColor ColourOf(chart::Ink ink);
// The frame a widget draws a chart in: its size, and its font's size in pixels.
chart::Frame FrameOf(const QWidget& widget);

}  // namespace olvimar
