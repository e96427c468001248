#include "common/grid_cursor.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPalette>
#include <QTableView>

#include <algorithm>

GridCursor::GridCursor(QTableView* grid, std::function<int()> dataRows)
    : QObject(grid)
    , m_grid(grid)
    , m_dataRows(std::move(dataRows))
{
    Q_ASSERT(grid->model());
    // Connected after the view's own handlers, so this runs once the view
    // has forgotten its old current row.
    connect(grid->model(), &QAbstractItemModel::modelReset, this, &GridCursor::filled);

    // The row stays highlighted as it is while the operator types in a filter.
    QPalette palette = grid->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setBrush(QPalette::Inactive, role, palette.brush(QPalette::Active, role));
    grid->setPalette(palette);

    filled();
}

void GridCursor::refillKeeping(int row, const std::function<void()>& refill)
{
    refillKeeping({}, row, refill);
}

void GridCursor::refillKeeping(std::function<int()> find, int row, const std::function<void()>& refill)
{
    m_find = std::move(find);
    m_keep = row;
    refill();
    m_find = nullptr;
    m_keep = -1;
}

int GridCursor::currentRow() const
{
    const QModelIndex current = m_grid ? m_grid->currentIndex() : QModelIndex();
    return current.isValid() ? current.row() : -1;
}

void GridCursor::filled()
{
    if (!m_grid)
        return;
    int row = 0;
    const int found = m_find ? m_find() : -1;
    if (found >= 0) {
        row = found;
    } else if (m_keep > 0) {
        const int data = m_dataRows ? m_dataRows() : m_grid->model()->rowCount();
        row = std::clamp(m_keep, 0, std::max(0, data - 1));
    }
    showRow(row);
}

void GridCursor::showRow(int row)
{
    QAbstractItemModel* model = m_grid ? m_grid->model() : nullptr;
    if (!model || row < 0 || row >= model->rowCount())
        return;
    const QModelIndex index = model->index(row, firstVisibleColumn());
    m_grid->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_grid->scrollTo(index);
}

int GridCursor::firstVisibleColumn() const
{
    const QHeaderView* header = m_grid->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!m_grid->isColumnHidden(logical))
            return logical;
    }
    return 0;
}
