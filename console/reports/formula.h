#pragma once

#include "db/result.h"
#include "db/sql_value.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The texts the program hands the report engine, read into values: formula
// slots ("NomeEmpresa = 'Bar D''Ávila'") and the record-selection formula
// ("{venda.ddata_venda} >= dateTime('2026-12-04 18:00') and ..."). What is
// read becomes a condition with bound values; no text of a formula is ever
// pasted into a statement. A text that does not read is refused whole.
namespace report {

struct FormulaSlot
{
    QString name;
    QString value;
};

// "name = 'value'": blanks around "=" optional, the value between single
// (or double) quotes, the quote itself doubled inside. An empty text is an
// unused slot (nullopt); anything else that does not read is a failure.
Result<std::optional<FormulaSlot>> parseFormulaSlot(const QString& text);

// The slot text for `name` and `value`, its quotes doubled: what
// parseFormulaSlot reads back as `value`, whatever it holds. `equals` is
// the text between name and value (" = ", or "= " where a report names its
// field so).
QString formulaText(const QString& name, const QString& value, const QString& equals = QStringLiteral(" = "));

// A bound that the selection sets on one field: "{t.c} >= x" (lower) or
// "{t.c} <= x" (upper), standing in the formula's top-level "and" chain.
struct SelectionBound
{
    QString field;   // "entrada.ddata_entrada", in lower case
    bool lower = true;
    SqlValue value;
};

struct Selection
{
    QString sql;               // "venda.ddata_venda >= ? and ..."; empty: no formula
    SqlParams params;          // one per "?", in order
    QStringList fields;        // every field named, "table.column" in lower case
    QList<SelectionBound> bounds;

    // The value bounding `field` from below (lower) or above; none when the
    // formula does not bound it so.
    std::optional<SqlValue> bound(const QString& field, bool lower) const;
};

// The selection formula: comparisons (=, <>, <, <=, >, >=) between a field
// in braces ({table.column}) and a value, or two fields; values are quoted
// texts, numbers, dateTime('yyyy-mm-dd hh:mm[:ss]') and date('yyyy-mm-dd');
// joined by and, or, not and parentheses (words in any letter case). An
// empty (or blank) text selects every row.
Result<Selection> parseSelection(const QString& text);

} // namespace report
