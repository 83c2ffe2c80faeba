#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "chart/calibration_section.h"
#include "chart/chart.h"

class QLabel;
class QLineEdit;

namespace olvimar {

class CalibrationPanel;
class ChartView;
class Form;
class SheetPanel;
class TemperatureView;

// The chart as a figure: a screen reader meets it named by its title, with its summary.
class ChartFigure : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
};

// The window "混合曲线": the blend chart of what the main window's boxes hold, its handle, the box
// for A's share typed as a number, and what the mix at the handle gives; beside it the blend's
// viscosity-temperature chart, and under both its data sheet, which follow the handle too. It
// follows the boxes as the user types; closing it only hides it.
class ChartWindow : public QWidget {
    Q_OBJECT

  public:
    // The main window's Form, and its targets' text.
    ChartWindow(Form& form, std::function<std::string()> targets, QWidget* owner);

    // Draws again what the boxes now hold.
    void follow();
    ChartView* view() const { return view_; }
    SheetPanel* sheet() const { return sheet_; }
    TemperatureView* temperatures() const { return temperatures_; }
    CalibrationPanel* calibration() const { return calibration_; }

  signals:
    // Drawn again for what the boxes, the sheet's and the measured blends now hold.
    void followed();

  private:
    void showPicture();
    void showHandle();
    void showSheet();

    Form& form_;
    // The section of measured blends for what the boxes hold, worked out once as they change:
    // the handle's moves and a resize draw from it.
    chart::CalibrationSection section_;
    CalibrationPanel* calibration_ = nullptr;
    QWidget* figure_ = nullptr;
    ChartView* view_ = nullptr;
    TemperatureView* temperatures_ = nullptr;
    SheetPanel* sheet_ = nullptr;
    QLineEdit* percent_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* readout_ = nullptr;
};

}  // namespace olvimar
