#pragma once

#include "db/rows.h"
#include "db/sql_value.h"

#include <QString>
#include <QtGlobal>

#include <optional>

class Connection;
class ListModel;
class Messages;

// Codes on the purchase screens: typed into a field, read from a grid row,
// looked up in the database.

// How a code typed into a field of the purchase screens was looked up.
enum class Lookup { Found, Missing, Failed };

// True when found. A missing code says "Registro não localizado!"; a refused
// read has been told already.
bool lookupAccepted(Lookup lookup, Messages& messages);

// A code as typed: digits only, within a code's range; nothing otherwise.
std::optional<qint32> typedCode(const QString& text);

// The code in `column` at a grid row; nothing on a filler row.
std::optional<qint32> codeAtRow(const ListModel& model, int row, const QString& column);

// The trade name of supplier `ncodigo` (never one of the reserved rows) into
// `cfantasia`, emptied when no supplier has that code. A refused read is
// told at once and leaves `cfantasia` as it was.
Lookup lookUpSupplierName(Connection& conexao, Messages& messages, qint32 ncodigo, QString& cfantasia);

// The rows of `sql`, at least one; nothing once the operator has been told
// why: the database's refusal, or "Registro não localizado!" for no row.
std::optional<Rows> selectFound(Connection& conexao, Messages& messages, const QString& sql,
                                const SqlParams& params);
