#include "ui/map_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "recipe/recipe_texts.h"
#include "ui/chart_paint.h"
#include "ui/key_press.h"

namespace olvimar {

MapView::MapView(std::function<void(const recipe::Targets&)> moved, QWidget* parent)
    : QWidget(parent), moved_(std::move(moved)) {
    setAccessibleName(QString::fromUtf8(texts::kMapTitle));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::CrossCursor);
}

void MapView::showFigures(const recipe::MapFigures& figures) {
    figures_ = figures;
    redraw();
}

void MapView::redraw() {
    map_ = recipe::DrawMap(figures_, FrameOf(*this));
    setAccessibleDescription(QString::fromStdString(map_.picture.summary));
    update();
}

void MapView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    redraw();
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    PaintPicture(painter, map_.picture);
    if (hasFocus()) {  // the plot framed, as the blend chart's handle is ringed
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void MapView::keyPressEvent(QKeyEvent* event) {
    const keys::Action action = keys::ActionFor(PressOf(event), keys::Focus::Map, false, false);
    const recipe::Targets moved = recipe::TargetsMoved(map_, figures_, action);
    if (!moved.t100 && !moved.t40) {
        QWidget::keyPressEvent(event);
        return;
    }
    moved_(moved);
}

void MapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !map_.picture.needs.empty()) return;
    setFocus(Qt::MouseFocusReason);
    moved_(recipe::TargetsAt(map_, event->position().x(), event->position().y()));
}

}  // namespace olvimar
