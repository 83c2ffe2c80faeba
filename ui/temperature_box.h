#pragma once

#include <QComboBox>

namespace olvimar {

// The temperature drop-down. Its lower edge lies under the box below it, so it draws its chosen
// row by the ink of the text, in the rows that stay in view.
class TemperatureBox : public QComboBox {
    Q_OBJECT

  public:
    using QComboBox::QComboBox;

    // The row where the box below begins to cover this one.
    void setVisibleHeight(int rows) {
        visibleHeight_ = rows;
        update();
    }
    // Where the chosen row's text stands, and from where it starts.
    int textBaseline() const;
    QRect textField() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int visibleHeight_ = 0;  // 0: the whole box
};

}  // namespace olvimar
