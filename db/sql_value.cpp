#include "db/sql_value.h"

#include <limits>

namespace {

// NUMERIC(15,s) holds at most 15 digits; in ten-thousandths that is
// 10^(15 - s) whole units, exclusive.
constexpr qint64 kMoneyLimit = 10000000000000LL * Money::Scale;   // 10^13 reais
constexpr qint64 kQuantityLimit = 1000000000000LL * Money::Scale; // 10^12 units

Failure outOfRange(const QString& value, const QString& lowest, const QString& highest)
{
    return Failure{QString(),
                   QStringLiteral("O valor %1 está fora do limite permitido (de %2 a %3).")
                       .arg(value, lowest, highest)};
}

} // namespace

SqlValue SqlValue::integer(qint64 value, bool smallint)
{
    SqlValue v(Kind::Integer, QVariant::fromValue<qlonglong>(value));
    v.m_smallint = smallint;
    return v;
}

SqlValue SqlValue::bigint(qint64 value)
{
    SqlValue v(Kind::Integer, QVariant::fromValue<qlonglong>(value));
    v.m_bigint = true;
    return v;
}

SqlValue SqlValue::money(Money value)
{
    return SqlValue(Kind::Money, QVariant::fromValue<qlonglong>(value.units()));
}

SqlValue SqlValue::quantity(Money value)
{
    return SqlValue(Kind::Quantity, QVariant::fromValue<qlonglong>(value.units()));
}

SqlValue SqlValue::text(const QString& value)
{
    // A null QString would bind as SQL NULL; text is always a value here.
    return SqlValue(Kind::Text, value.isNull() ? QStringLiteral("") : value);
}

SqlValue SqlValue::timestamp(const QDateTime& value)
{
    return value.isValid() ? SqlValue(Kind::Timestamp, value) : null();
}

SqlValue SqlValue::date(const QDate& value)
{
    return value.isValid() ? SqlValue(Kind::Date, value) : null();
}

SqlValue SqlValue::time(const QTime& value)
{
    return value.isValid() ? SqlValue(Kind::Time, value) : null();
}

Result<QVariant> SqlValue::toDriver() const
{
    switch (m_kind) {
    case Kind::Null:
        return QVariant();
    case Kind::Integer: {
        const qint64 v = m_value.toLongLong();
        if (m_bigint)
            return QVariant::fromValue<qlonglong>(v);
        const qint64 low = m_smallint ? std::numeric_limits<qint16>::min() : std::numeric_limits<qint32>::min();
        const qint64 high = m_smallint ? std::numeric_limits<qint16>::max() : std::numeric_limits<qint32>::max();
        if (v < low || v > high)
            return outOfRange(QString::number(v), QString::number(low), QString::number(high));
        return QVariant(int(v));
    }
    case Kind::Money:
    case Kind::Quantity: {
        const bool isMoney = m_kind == Kind::Money;
        const Money exact = Money::fromUnits(m_value.toLongLong());
        const Money value = exact.rounded(isMoney ? 2 : 3);
        const qint64 limit = isMoney ? kMoneyLimit : kQuantityLimit;
        if (value.units() >= limit || value.units() <= -limit) {
            const QString highest = isMoney ? QStringLiteral("9999999999999.99") : QStringLiteral("999999999999.999");
            return outOfRange(exact.toDecimalText(), u'-' + highest, highest);
        }
        // The driver scales a double into the column's integer; every value
        // below 10^15 units of the last decimal is exact to that step.
        return QVariant(value.toDouble());
    }
    case Kind::Text:
    case Kind::Timestamp:
    case Kind::Date:
    case Kind::Time:
        return m_value;
    }
    return m_value;
}
