#pragma once

#include "db/money.h"
#include "db/rows.h"
#include "queries/movement_list.h"

#include <QAbstractTableModel>
#include <QList>

// One query grid: the fetched rows as the database gave them, formatted only
// when a cell is shown, so a business day of thousands of rows fills at the
// speed of the fetch. Row 0 of the old grid is the header; body rows start at
// 0 here. The grid always shows at least `MinimumBodyRows` rows; the extra ones
// are empty and have no code.
class MovementModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int MinimumBodyRows = 15;

    explicit MovementModel(const GridList& list, QObject* parent = nullptr);

    // monta_grid: every cell cleared, no marks, count and total zero.
    void clear();
    // The rows of the grid's statement, in its order; count and total follow.
    void setRows(Rows rows);

    int count() const { return m_rows.count(); }
    Money total() const { return m_total; }

    // 0 for an extra row (its code cell is empty).
    qint64 code(int row) const;
    bool hasCode(int row) const { return row >= 0 && row < m_rows.count(); }

    bool isMarked(int row) const;
    // Space or double-click: a data row's mark flips; an extra row stays as it is.
    void toggleMark(int row);
    // Codes of the marked rows, top to bottom.
    QList<qint64> markedCodes() const;

    // The cell as the grid shows it.
    QString cellText(int row, int column) const;
    const GridList& list() const { return m_list; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const GridList& m_list;
    Rows m_rows;
    QList<int> m_fields;      // query column of each grid column (-1: none)
    QList<bool> m_marks;
    Money m_total;
};
