#pragma once

#include <QWidget>
#include <functional>

#include "chart/chart.h"

class QLabel;
class QLineEdit;

namespace olvimar {

class ChartView;

// The chart as a figure: a screen reader meets it named by its title, with its summary.
class ChartFigure : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
};

// The window "混合曲线": the blend chart of what the main window's boxes hold, its handle, the box
// for A's share typed as a number, and what the mix at the handle gives. It follows the boxes as
// the user types; closing it only hides it.
class ChartWindow : public QWidget {
    Q_OBJECT

  public:
    using Drawer = std::function<chart::Picture(int hundredths, const chart::Frame& frame)>;
    ChartWindow(Drawer draw, QWidget* owner);

    // Draws again what the boxes now hold.
    void follow();
    ChartView* view() const { return view_; }

  private:
    void showPicture();
    void showHandle();

    QWidget* figure_ = nullptr;
    ChartView* view_ = nullptr;
    QLineEdit* percent_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* readout_ = nullptr;
};

}  // namespace olvimar
