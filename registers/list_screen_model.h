#pragma once

#include "db/rows.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include <functional>

// One column of a list grid: header, width in twips (15 to a pixel, 0 hides
// the column), alignment, and how a fetched row turns into the cell's text.
struct ListColumn
{
    QString header;
    int twips = 1000;
    Qt::Alignment alignment = Qt::AlignLeft;
    std::function<QString(const Rows&, int row)> text;
};

// The grid of a list screen over the rows of its last search. Cells are
// formatted when the view asks for them, so filling it with thousands of
// rows costs the fetch alone; rows below the last one found stay empty up to
// the screen's minimum (the header counts as one of those rows).
class ListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    ListModel(QList<ListColumn> columns, int minimumRows, QObject* parent = nullptr);

    // Empties the grid: only the header and the empty rows remain.
    void clear();
    // Replaces the grid with the rows of a search.
    void fill(Rows rows);

    const QList<ListColumn>& columns() const { return m_columns; }
    const Rows& found() const { return m_rows; }
    int foundCount() const { return m_rows.count(); }
    // Rows in all, header included, as the screen counts them.
    int gridRows() const { return rowCount() + 1; }
    // The cell's text, "" on the empty rows.
    QString cell(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<ListColumn> m_columns;
    int m_minimumBodyRows;
    Rows m_rows;
};
