#pragma once

#include <QGroupBox>
#include <optional>
#include <string>
#include <vector>

#include "chart/calibration_section.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace olvimar {

class Form;

// The list of measured blends: a screen reader meets a list named "实测混合油".
class MeasuredList : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
};

// The section "实测校准": the boxes of a measured blend, its temperature and the button that adds
// it; the list of measured blends, each with its deviations or the quiet reason it does not count
// and a button that removes it; each temperature's factor; and the switch that calibrates the rule.
// What it holds is the Form's; it only shows it and hands it what the user does.
class CalibrationPanel : public QGroupBox {
    Q_OBJECT

  public:
    CalibrationPanel(Form& form, QWidget* parent = nullptr);

    // Shows the section's rows and factors; the temperature choice starts at the window's.
    void showSection(const chart::CalibrationSection& section, int windowRow);
    // The section's controls in the tab order, the list's buttons left out: they come and go, and
    // take their place after "添加实测" as they come.
    std::vector<QWidget*> tabOrder() const;

  signals:
    void changed();

  private:
    void add();

    Form& form_;
    QLineEdit* percent_ = nullptr;
    QLineEdit* viscosity_ = nullptr;
    QComboBox* temperature_ = nullptr;
    QPushButton* add_ = nullptr;
    QLabel* note_ = nullptr;  // why "添加实测" did not add, where the boxes do not show it
    QWidget* list_ = nullptr;
    QGridLayout* rows_ = nullptr;
    QLabel* factors_ = nullptr;
    QCheckBox* calibrate_ = nullptr;
    std::optional<std::vector<std::string>> shownTexts_;  // the list's lines as last shown
    bool temperatureChosen_ = false;
    // Where the focus goes once the list is shown again after a "删除": a row's button, or the
    // share's box; nothing to move while this is empty.
    std::optional<std::optional<std::size_t>> focusAfter_;
};

}  // namespace olvimar
