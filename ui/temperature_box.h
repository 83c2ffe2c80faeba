#pragma once

#include <QComboBox>

namespace olvimar {

// The temperature drop-down. It draws its chosen row by the ink of the text, as the text boxes
// place theirs; centred by the font's line box it would sit low, and its foot lies under the
// box below.
class TemperatureBox : public QComboBox {
    Q_OBJECT

  public:
    using QComboBox::QComboBox;

    // Where the chosen row's text stands, and from where it starts.
    int textBaseline() const;
    QRect textField() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace olvimar
