#pragma once

#include <QStyledItemDelegate>

namespace olvimar {

// Draws a list row "first<TAB>second" with the second text at a tab stop shared by all rows, so
// that the values of the preset list line up in one column.
class TabStopDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace olvimar
