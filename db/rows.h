#pragma once

#include "db/money.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The rows of one query, fetched in full and counted before anybody reads
// them; the query itself is closed by then, so no Firebird transaction stays
// open behind a screen. Columns are found by name ignoring letter case, so
// unaliased aggregates read as "gen_id", "Count" and "Sum".
// A value as a screen or report reads money: null as zero, a NUMERIC
// however the driver handed it over (double, whole number, decimal text).
Money moneyOf(const QVariant& value);

class Rows
{
public:
    Rows() = default;
    // The values row after row, as many to a row as there are columns: one
    // list for the whole result, so a long list costs one allocation.
    // `scales` gives the decimals of each NUMERIC column (0 or absent for
    // the others): those arrive as the driver's doubles and are read as
    // exact decimal texts ("0.57", "100000").
    Rows(QStringList columns, QVariantList values, QList<int> scales = {});

    int count() const { return m_columns.isEmpty() ? 0 : int(m_values.size() / m_columns.size()); }
    bool isEmpty() const { return m_values.isEmpty(); }
    const QStringList& columns() const { return m_columns; }

    // Index of a column by name, letter case ignored; -1 when absent.
    int column(const QString& name) const;

    // Raw value (null QVariant for SQL NULL or an unknown column).
    QVariant value(int row, int column) const;
    QVariant value(int row, const QString& name) const;
    bool isNull(int row, const QString& name) const;

    // Typed reads; a null reads as empty text, 0, a null date.
    QString text(int row, const QString& name) const;
    qint64 integer(int row, const QString& name) const;
    Money money(int row, const QString& name) const;
    QDateTime dateTime(int row, const QString& name) const;
    QTime time(int row, const QString& name) const;

private:
    QStringList m_columns;
    QVariantList m_values;
    QList<int> m_scales;
};
