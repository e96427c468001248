#pragma once

#include "db/money.h"
#include "db/result.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// What the sale's columns hold, checked before anything is written: a code is
// an INTEGER, a quantity NUMERIC(15,3), prices and amounts NUMERIC(15,2).
namespace sale_limits {

// A product code as typed in the code field: digits only, within INTEGER;
// empty for anything else (such a code cannot be registered).
std::optional<qint32> productCode(const QString& text);

// True when `text` is written like a number (digits, grouping points, one
// decimal comma), whether or not it fits our columns.
bool looksNumeric(const QString& text);

bool quantityFits(Money quantity);
bool amountFits(Money amount);
// Whether quantity x price can be computed and stored as a line amount.
bool productFits(Money quantity, Money price);

} // namespace sale_limits
