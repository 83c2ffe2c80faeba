#include "ui/text_fit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace olvimar {

namespace {

// Whatever a box may hold: Chinese, digits, descenders, a comma.
const char kInkSample[] = "机油粘度剪切gjpqy,;7,10";

// A line edit draws its line this many pixels below the top of its text area when aligned to
// the top.
constexpr int kLineEditTopGap = 1;

QRect TextArea(const QLineEdit* box) {
    QStyleOptionFrame opt;
    opt.initFrom(box);
    opt.rect = box->rect();
    opt.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
    opt.state |= QStyle::State_Sunken;
    return box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box);
}

}  // namespace

int InkCentredBaseline(const QFontMetrics& fm, int top, int bottom) {
    const QRect ink = fm.tightBoundingRect(QString::fromUtf8(kInkSample));  // around the baseline
    // The middle of the ink in the middle of the rows; a spare row goes below, nearer where the
    // font itself would put the line.
    return (top + bottom - ink.top() - ink.bottom() + 1) / 2;
}

void CentreTextByInk(QLineEdit* box, int visibleHeight) {
    const QFontMetrics fm = box->fontMetrics();
    const QRect area = TextArea(box);
    const int top = area.top();
    const int baseline = InkCentredBaseline(fm, top, std::min(area.bottom(), visibleHeight - 1));
    const int lineTop = baseline - fm.ascent() - kLineEditTopGap;
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setTextMargins(0, lineTop - top, 0, 0);
}

}  // namespace olvimar
