#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "chart/sheet.h"
#include "recipe/recipe.h"
#include "recipe/recipe_map.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace olvimar {

class Form;
class MapView;

// The recipe as a screen reader meets it: a section named "配方".
class RecipeSection : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
};

// The window "配方": the boxes of oils A, B and C, the package, the targets and the total; the
// quiet lines, the recipe's table (two, for the ends of a line of recipes) with the blend's data
// under it; and the map "可调范围". A's and B's viscosities stand for the main window's and the
// data sheet's until typed in. What it shows is the recipe's model; closing it only hides it.
class RecipeWindow : public QWidget {
    Q_OBJECT

  public:
    // The main window's Form, and the data sheet's boxes as they stand.
    RecipeWindow(const Form& form, std::function<std::array<std::string, sheet::kBoxes>()> sheet,
                 QWidget* owner);

    // Works the recipe out again from its boxes and the window's.
    void follow();
    QLineEdit* box(recipe::Box b) const { return boxes_[b]; }
    QComboBox* unit() const { return unit_; }
    MapView* map() const { return map_; }

  private:
    void setTargets(const recipe::Targets& targets);

    const Form& form_;
    std::function<std::array<std::string, sheet::kBoxes>()> sheet_;
    std::array<QLineEdit*, recipe::kBoxes> boxes_{};
    std::array<QLabel*, recipe::kComponents> prices_{};  // each price's unit
    QComboBox* unit_ = nullptr;
    QLabel* quiet_ = nullptr;
    QLabel* lines_ = nullptr;
    std::array<QLabel*, 2> names_{};  // each table's, above it
    std::array<QTableWidget*, 2> tables_{};
    std::array<QLabel*, 2> below_{};
    MapView* map_ = nullptr;
};

}  // namespace olvimar
