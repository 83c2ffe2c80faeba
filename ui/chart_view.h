#pragma once

#include <QSlider>
#include <functional>

#include "chart/chart.h"

namespace olvimar {

// The blend chart as QPainter draws it, and its handle: a slider of A's share in hundredths of a
// percent (0 to chart::kAllOfA), which the arrows move by 1 %, Page Up and Page Down by 10 %, Home
// and End to its ends, and a click or a drag on the chart moves to where it points.
class ChartView : public QSlider {
    Q_OBJECT

  public:
    // `draw` gives the chart for a frame with the handle where the slider stands.
    explicit ChartView(std::function<chart::Picture(const chart::Frame&)> draw,
                       QWidget* parent = nullptr);

    // Draws again what the boxes now hold.
    void redraw();
    const chart::Picture& picture() const { return picture_; }

  signals:
    void drawn();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    std::function<chart::Picture(const chart::Frame&)> draw_;
    chart::Picture picture_;
};

}  // namespace olvimar
