#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QTableView;

// The current row of a grid, kept the way the grid control of these screens
// always kept it: after every fill the first body row is current and
// selected, so Space, Delete or "&Aceitar" right after a search act on the
// row the operator sees highlighted. A refill that follows the operator's own
// action (a deletion, a change saved in the register he opened) keeps the row
// he was on instead. The selection stays visible while the focus is elsewhere.
class GridCursor final : public QObject
{
    Q_OBJECT

public:
    // `dataRows` counts the rows that hold data (the others are empty filler
    // rows); by default every row does. The grid's model must be set.
    explicit GridCursor(QTableView* grid, std::function<int()> dataRows = {});

    // Runs `refill` (the refill after the operator's own action) keeping
    // `row` current, or the last data row when fewer are left. A refill that
    // does not come (the action was declined) leaves the next fill as usual.
    void refillKeeping(int row, const std::function<void()>& refill);
    // The same, keeping the row `find` names once the grid is filled (a row
    // found by its code); when it names none (-1), `row` is kept as above.
    void refillKeeping(std::function<int()> find, int row, const std::function<void()>& refill);
    // Makes `row` current and selected, scrolled into view.
    void showRow(int row);
    // The current row, -1 when none.
    int currentRow() const;

private:
    void filled();
    int firstVisibleColumn() const;

    QPointer<QTableView> m_grid;
    std::function<int()> m_dataRows;
    std::function<int()> m_find;
    int m_keep = -1;
};
