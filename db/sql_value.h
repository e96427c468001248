#pragma once

#include "db/money.h"
#include "db/result.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

// One value bound to a statement's "?" placeholder. Values are typed and
// checked against the column they go into before anything is sent: the driver
// silently turns a bad number into 0 and wraps a SMALLINT, so nothing loose
// (a QVariant of unknown kind, a number as text) is accepted here.
class SqlValue
{
public:
    enum class Kind { Null, Integer, Money, Quantity, Text, Timestamp, Date, Time };

    static SqlValue null() { return SqlValue(Kind::Null, {}); }
    // Codes and counters: INTEGER (32-bit) columns; SMALLINT when `smallint`.
    static SqlValue integer(qint64 value, bool smallint = false);
    static SqlValue bigint(qint64 value);
    // NUMERIC(15,2): rounded to cents (half away from zero), range-checked.
    static SqlValue money(Money value);
    // NUMERIC(15,3): rounded to thousandths, range-checked.
    static SqlValue quantity(Money value);
    static SqlValue text(const QString& value);
    static SqlValue timestamp(const QDateTime& value);
    static SqlValue date(const QDate& value);
    static SqlValue time(const QTime& value);

    Kind kind() const { return m_kind; }
    // The value as the driver takes it; a failure when it does not fit its column.
    Result<QVariant> toDriver() const;

private:
    SqlValue(Kind kind, QVariant value) : m_kind(kind), m_value(std::move(value)) {}
    Kind m_kind;
    QVariant m_value;
    bool m_smallint = false;
    bool m_bigint = false;
};

using SqlParams = QList<SqlValue>;
