#pragma once

#include "registers/lookup_dialog_search.h"

#include <QAbstractTableModel>

// The lookup dialog's grid: the rows found, padded with empty lines to 17 so
// the grid never looks shorter than its frame (18 rows with the header).
class LookupModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int MinimumRows = 17;

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QList<LookupSearch::Row> rows);
    int foundRows() const { return int(m_rows.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<LookupSearch::Row> m_rows;
};
