#include "db/rows.h"

#include <cmath>

namespace {

// The driver hands a NUMERIC over as a double (0.5700000000000001). Rounded
// to the column's own decimals it is exact again (every NUMERIC(15,s) value
// is far below 2^53 steps), and is read as the plain decimal text Money
// reads ("100000", "0.57"). Done when a value is read, not when it is
// fetched: a long list shows only the cells on the screen.
QVariant exactDecimal(const QVariant& value, int scale)
{
    if (value.isNull())
        return value;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return value;
    return Money::fromDouble(number).rounded(qMin(scale, 4)).toDecimalText();
}

} // namespace

Rows::Rows(QStringList columns, QVariantList values, QList<int> scales)
    : m_columns(std::move(columns))
    , m_values(std::move(values))
    , m_scales(std::move(scales))
{
    Q_ASSERT(m_columns.isEmpty() ? m_values.isEmpty() : m_values.size() % m_columns.size() == 0);
}

int Rows::column(const QString& name) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Rows::value(int row, int column) const
{
    if (row < 0 || row >= count() || column < 0 || column >= m_columns.size())
        return QVariant();
    const QVariant& value = m_values[qsizetype(row) * m_columns.size() + column];
    const int scale = column < m_scales.size() ? m_scales[column] : 0;
    return scale > 0 ? exactDecimal(value, scale) : value;
}

QVariant Rows::value(int row, const QString& name) const
{
    return value(row, column(name));
}

bool Rows::isNull(int row, const QString& name) const
{
    return value(row, name).isNull();
}

QString Rows::text(int row, const QString& name) const
{
    const QVariant v = value(row, name);
    if (v.isNull())
        return QString();
    // Amounts arrive as exact decimal texts; dates and times as Qt values,
    // shown here in ISO form (screens format them through br_format).
    return v.toString();
}

qint64 Rows::integer(int row, const QString& name) const
{
    const QVariant v = value(row, name);
    if (v.isNull())
        return 0;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (ok)
        return n;
    // A NUMERIC read as text ("12.0") still has a whole part to give.
    if (const auto m = Money::fromDecimalText(v.toString()))
        return m->wholePart();
    return 0;
}

Money Rows::money(int row, const QString& name) const
{
    return moneyOf(value(row, name));
}

Money moneyOf(const QVariant& v)
{
    if (v.isNull())
        return Money();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return Money::fromDouble(v.toDouble());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return Money::fromWhole(v.toLongLong());
    default:
        return Money::fromDecimalText(v.toString()).value_or(Money());
    }
}

QDateTime Rows::dateTime(int row, const QString& name) const
{
    const QVariant v = value(row, name);
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    return v.toDateTime();
}

QTime Rows::time(int row, const QString& name) const
{
    const QVariant v = value(row, name);
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().time();
    return v.toTime();
}
