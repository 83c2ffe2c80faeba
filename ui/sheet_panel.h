#pragma once

#include <QWidget>
#include <array>

#include "chart/sheet.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace olvimar {

// The data sheet's boxes and its table: each oil at the data sheet's other temperature and T,
// then A, B and the blend at 40 ℃, 100 ℃, their viscosity index and at T, with the grade lines
// and what is missing as quiet lines under the table. A screen reader meets a table with row and
// column heads.
class SheetPanel : public QWidget {
    Q_OBJECT

  public:
    explicit SheetPanel(QWidget* parent = nullptr);

    // The boxes as they stand.
    std::array<std::string, sheet::kBoxes> boxes() const;
    QLineEdit* box(sheet::Box b) const { return boxes_[b]; }
    // Shows the boxes that the window's temperature row asks for, and the table of these figures.
    void showFigures(const sheet::Figures& figures);

  signals:
    void edited();

  private:
    std::array<QLabel*, sheet::kBoxes> labels_{};
    std::array<QLineEdit*, sheet::kBoxes> boxes_{};
    QTableWidget* table_ = nullptr;
    QLabel* notes_ = nullptr;
    QLabel* grades_ = nullptr;
};

}  // namespace olvimar
