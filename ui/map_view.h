#pragma once

#include <QWidget>
#include <functional>

#include "recipe/recipe_map.h"

namespace olvimar {

// The recipe's map "可调范围" as QPainter draws it: a figure that a screen reader meets by its
// title, with the model's summary as its description. With the focus, the arrows of the key table
// move the target; a click puts both targets where it points. What it sets goes to `moved`.
class MapView : public QWidget {
    Q_OBJECT

  public:
    explicit MapView(std::function<void(const recipe::Targets&)> moved, QWidget* parent = nullptr);
    void showFigures(const recipe::MapFigures& figures);
    const recipe::Map& map() const { return map_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void redraw();

    std::function<void(const recipe::Targets&)> moved_;
    recipe::MapFigures figures_;
    recipe::Map map_;
};

}  // namespace olvimar
