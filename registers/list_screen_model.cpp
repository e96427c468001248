#include "registers/list_screen_model.h"

#include <algorithm>

ListModel::ListModel(QList<ListColumn> columns, int minimumRows, QObject* parent)
    : QAbstractTableModel(parent)
    , m_columns(std::move(columns))
    , m_minimumBodyRows(std::max(0, minimumRows - 1))
{
}

void ListModel::clear()
{
    beginResetModel();
    m_rows = Rows();
    endResetModel();
}

void ListModel::fill(Rows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QString ListModel::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.count() || column < 0 || column >= m_columns.size())
        return {};
    const auto& format = m_columns.at(column).text;
    return format ? format(m_rows, row) : QString();
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(m_rows.count(), m_minimumBodyRows);
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns.at(index.column()).alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return m_columns.at(section).header;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns.at(section).alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}
