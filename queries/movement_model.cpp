#include "queries/movement_model.h"

#include "common/br_format.h"

#include <QDateTime>

namespace {

const QString Marked = QStringLiteral("Sim");

QString quantityText(const Money& value)
{
    QString text = value.toDecimalText();
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString dayAndTime(const QDateTime& value)
{
    return value.date().toString(QStringLiteral("dd/MM")) + QLatin1Char(' ') + br::time(value.time());
}

} // namespace

MovementModel::MovementModel(const GridList& list, QObject* parent)
    : QAbstractTableModel(parent)
    , m_list(list)
{
}

void MovementModel::clear()
{
    beginResetModel();
    m_rows = Rows();
    m_fields.clear();
    m_marks.clear();
    m_total = Money();
    endResetModel();
}

void MovementModel::setRows(Rows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_fields.clear();
    for (const GridColumn& column : m_list.columns)
        m_fields.append(column.field.isEmpty() ? -1 : m_rows.column(column.field));
    m_marks = QList<bool>(m_rows.count(), false);
    m_total = Money();
    for (int row = 0; row < m_rows.count(); ++row)
        m_total += m_rows.money(row, m_list.valueField);
    endResetModel();
}

qint64 MovementModel::code(int row) const
{
    if (!hasCode(row))
        return 0;
    return m_rows.value(row, m_fields.value(0, -1)).toLongLong();
}

bool MovementModel::isMarked(int row) const
{
    return hasCode(row) && m_marks.at(row);
}

void MovementModel::toggleMark(int row)
{
    if (!hasCode(row))
        return;
    m_marks[row] = !m_marks[row];
    const int column = m_list.markColumn();
    if (column >= 0)
        emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

QList<qint64> MovementModel::markedCodes() const
{
    QList<qint64> codes;
    for (int row = 0; row < m_rows.count(); ++row) {
        if (m_marks.at(row))
            codes.append(code(row));
    }
    return codes;
}

QString MovementModel::cellText(int row, int column) const
{
    if (!hasCode(row) || column < 0 || column >= m_list.columns.size())
        return {};
    const GridColumn& c = m_list.columns.at(column);
    if (c.format == CellFormat::Mark)
        return m_marks.at(row) ? Marked : QString();
    if (m_rows.value(row, m_fields.at(column)).isNull())
        return {};
    switch (c.format) {
    case CellFormat::Date:
        return br::date(m_rows.dateTime(row, c.field).date());
    case CellFormat::Time:
        return br::time(m_rows.dateTime(row, c.field).time());
    case CellFormat::DayTime:
        return dayAndTime(m_rows.dateTime(row, c.field));
    case CellFormat::Code:
    case CellFormat::Integer:
        return QString::number(m_rows.integer(row, c.field));
    case CellFormat::Quantity:
        return quantityText(m_rows.money(row, c.field));
    case CellFormat::Money:
        return br::money(m_rows.money(row, c.field));
    case CellFormat::Text:
    case CellFormat::Mark:
        break;
    }
    return m_rows.text(row, c.field);
}

int MovementModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : qMax(m_rows.count(), MinimumBodyRows);
}

int MovementModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_list.columns.size());
}

QVariant MovementModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(m_list.columns.at(index.column()).alignment);
    return {};
}

QVariant MovementModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_list.columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_list.columns.at(section).header;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}
