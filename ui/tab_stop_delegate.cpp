#include "ui/tab_stop_delegate.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace olvimar {

namespace {

// The tab stop, from the start of the text: just past the widest text before a TAB in any row.
int TabStop(const QFontMetrics& fm, const QAbstractItemModel* model) {
    int widest = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString text = model->index(row, 0).data(Qt::DisplayRole).toString();
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        if (tab >= 0) widest = std::max(widest, fm.horizontalAdvance(text.left(tab)));
    }
    return widest + 2 * fm.averageCharWidth();
}

}  // namespace

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();  // the style draws the row's background and focus; the texts come below
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    opt.text = text;
    const QRect area =
        style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget).adjusted(2, 0, -2, 0);
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Active
                                                                            : QPalette::Inactive;
    const QPalette::ColorRole role =
        (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;

    // Centre the ink of the text in the row rather than the font's line box: a CJK font's line is
    // taller than its glyphs, and the rows are as low as seven of them in the list need.
    const QRect ink = opt.fontMetrics.boundingRect(QStringLiteral("机油0Wg"));
    const int baseline = area.top() + (area.height() - ink.height()) / 2 - ink.top();
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));

    painter->save();
    painter->setClipRect(opt.rect);
    painter->setPen(opt.palette.color(group, role));
    painter->setFont(opt.font);
    painter->drawText(QPoint(area.left(), baseline), tab < 0 ? text : text.left(tab));
    if (tab >= 0) {
        const int column = area.left() + TabStop(opt.fontMetrics, index.model());
        painter->drawText(QPoint(column, baseline), text.mid(tab + 1));
    }
    painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString text = opt.text;
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        size.setWidth(TabStop(opt.fontMetrics, index.model()) +
                      opt.fontMetrics.horizontalAdvance(text.mid(tab + 1)) + 8);
    // Every row in view at once: the list's height shared among its rows.
    if (const auto* view = qobject_cast<const QAbstractScrollArea*>(opt.widget)) {
        const int rows = std::max(1, index.model()->rowCount());
        size.setHeight(std::min(size.height(), view->viewport()->height() / rows));
    }
    return size;
}

}  // namespace olvimar
