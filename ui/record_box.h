#pragma once

#include <cstddef>
#include <string_view>

class QPlainTextEdit;

namespace olvimar {

// Keeps the record box in step with the record. While the box still shows, unchanged, what was
// last put into it, a longer record only hands it the new entries; after a Clear, or once the
// user has edited the box, it gets the whole record again. Either way the box then shows exactly
// the record, its CR LF line ends as line breaks.
class RecordBox {
  public:
    explicit RecordBox(QPlainTextEdit* box) : box_(box) {}

    void show(std::string_view record);
    void clear();
    // Scrolls so that the record's line starting at byte `offset` is in view: at the top when
    // the lines after it do not all fit.
    void bringIntoView(std::string_view record, std::size_t offset);

  private:
    QPlainTextEdit* box_;
    std::size_t shown_ = 0;  // bytes of the record that the box shows
    int characters_ = 0;     // the box's length then, to notice text set from elsewhere
};

}  // namespace olvimar
