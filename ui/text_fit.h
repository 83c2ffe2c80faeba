#pragma once

class QFontMetrics;
class QLineEdit;

namespace olvimar {

// The controls of this layout are low for a CJK font: its line box is taller than its glyphs
// and than the boxes, so Qt's own centring of the line sets the text low and cuts off the
// descenders and the tail of the comma, and "7,10" would read as "7.10". These place a line by
// the ink of its glyphs instead.

// The baseline that centres the ink of any text a box may hold (Chinese, digits, descenders,
// a comma) between rows `top` and `bottom`.
int InkCentredBaseline(const QFontMetrics& fm, int top, int bottom);

// Places a text box's line so: its ink lies between the top frame and row `visibleHeight`,
// where the box below it begins to cover it.
void CentreTextByInk(QLineEdit* box, int visibleHeight);

}  // namespace olvimar
