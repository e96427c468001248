#include "registers/list_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

void ListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* view = cell.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, view);
    // The grid's lines on the cell's right and bottom edges, as filled pixels:
    // the view's own lines go through the pen stroker one by one.
    const QColor line = QColor::fromRgba(QRgb(style->styleHint(QStyle::SH_Table_GridLineColor, &cell, view)));
    const QRect r = cell.rect;
    painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), line);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), line);
    if (cell.text.isEmpty())
        return;
    // The margin the style's own item text keeps on each side.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect room = cell.rect.adjusted(margin, 0, -margin - 1, -1);
    const bool selected = cell.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (cell.state & QStyle::State_Active) ? QPalette::Active
                                                                              : QPalette::Inactive;
    painter->save();
    painter->setPen(cell.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(cell.font);
    painter->drawText(room, int(cell.displayAlignment) | Qt::TextSingleLine,
                      cell.fontMetrics.elidedText(cell.text, Qt::ElideRight, room.width()));
    painter->restore();
}
