#pragma once

#include <QWidget>

#include "chart/chart.h"
#include "chart/sheet.h"

namespace olvimar {

// The viscosity-temperature chart as QPainter draws it: a figure that a screen reader meets by its
// title, with the model's summary as its description.
class TemperatureView : public QWidget {
    Q_OBJECT

  public:
    explicit TemperatureView(QWidget* parent = nullptr);
    // Draws the lines of these figures.
    void showFigures(const sheet::Figures& figures);
    const chart::Picture& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void redraw();

    sheet::Figures figures_;
    chart::Picture picture_;
};

}  // namespace olvimar
