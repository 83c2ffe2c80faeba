#pragma once

#include <QListWidget>

namespace olvimar {

// The preset list. Besides a double-click, a screen reader's action on a row asks for its
// preset to be inserted; the window decides where it goes.
class PresetList : public QListWidget {
    Q_OBJECT

  public:
    using QListWidget::QListWidget;

    // Selects `row` and asks for its preset, as a double-click on it does.
    void insertPreset(int row) {
        setCurrentRow(row);
        emit insertRequested();
    }

  signals:
    void insertRequested();
};

}  // namespace olvimar
