#pragma once

#include "db/money.h"

#include <QString>

// Small conversions the registers and lists share.

// A quantity as stored, with a decimal comma and no grouping: "12", "2,5".
QString quantityText(Money value);
// Digits only (at least one): a code as the whole-number fields take it.
bool isWholeNumber(const QString& text);
