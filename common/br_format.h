#pragma once

#include "db/money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

// Brazilian Portuguese regional settings, fixed whatever the machine's locale:
// money "R$ 1.234,50" (an ordinary blank after R$), numbers "1.234,50",
// dates dd/mm/yyyy, times hh:mm, weekday names with accents.
namespace br {

// "R$ 1.234,50", "-R$ 0,50"; rounded half away from zero to two decimals.
QString money(Money value);
// "1.234,50" with `decimals` places (grouping kept), half away from zero.
QString number(Money value, int decimals);
// A money or number text as an operator types it or a screen shows it:
// "12,5", "1.234,50", "R$ 1.234,50" (blank or no-break space after R$),
// "-3", " 7 ". Empty when it does not read as a number.
std::optional<Money> parseMoney(const QString& text);

// True when `text` reads as a number with a figure other than 0 beyond
// `places` decimals ("2,5001" beyond 3; "2,5000" is not): stored with
// `places` decimals it would change.
bool beyondDecimals(const QString& text, int places);

QString date(const QDate& value);            // "04/12/2026"
QString time(const QTime& value);            // "18:32"
// Short date, then the time of day with seconds when it is not midnight:
// "04/12/2026 18:32:10", or "04/12/2026".
QString generalDate(const QDateTime& value);
// "dd/mm/yyyy" (day first); an invalid date when it does not read.
QDate parseDate(const QString& text);
// "hh:mm" or "hh:mm:ss"; an invalid time when it does not read.
QTime parseTime(const QString& text);
// "sexta-feira", "sábado": lower case with accents.
QString weekdayName(const QDate& value);

// data_sql: "" stays ""; "04/12/2026" becomes "2026-12-04" ("" when not a date).
QString data_sql(const QString& text);
// valor_sql: "R$ 1.234,50" becomes "1234.5", "0,5" "0.5", "10" "10"
// (empty when it does not read as money).
QString valor_sql(const QString& text);

} // namespace br
