#include "registers/lookup_dialog_model.h"

void LookupModel::setRows(QList<LookupSearch::Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int LookupModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : qMax(int(m_rows.size()), MinimumRows);
}

int LookupModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant LookupModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == 0 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || index.row() >= m_rows.size())
        return {};
    const auto& row = m_rows.at(index.row());
    return index.column() == 0 ? QVariant(QString::number(row.ncodigo)) : QVariant(row.cnome);
}

QVariant LookupModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int((section == 0 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("Código") : QStringLiteral("Nome");
}
