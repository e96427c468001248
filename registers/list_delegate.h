#pragma once

#include <QStyledItemDelegate>

// Paints a list grid's cells as the style's own delegate and the view's grid
// do (background, selection, one line of elided text in the column's
// alignment, the grid lines on the right and bottom edges), laying the text
// out once instead of three times and filling the lines instead of stroking
// them: the grid is repainted on every search. The view shows no grid of its own.
class ListDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
