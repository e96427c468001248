#pragma once

#include "db/result.h"
#include "db/sql_value.h"

#include <QVariantList>

class QSqlQuery;

// The driver converts a bound value to whatever its parameter wants without a
// word: a text binds to an INTEGER as 0, a SMALLINT wraps, an amount loses
// its decimals in an integer. Once a statement is prepared, this compares
// every value with the type of its "?" and refuses what would not go in
// intact. A date given as text ("2026-12-04 18:00") becomes a date here.
// `values` are the values as SqlValue::toDriver() made them.
Result<QVariantList> checkParameters(const QSqlQuery& query, const SqlParams& params, QVariantList values);
