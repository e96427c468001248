#pragma once

#include "db/result.h"

#include <QString>
#include <QStringList>

class Connection;

// The database the program needs, as SQL scripts under db/sql/ (embedded in
// the program): tables, generators, exceptions, triggers, indexes, the rows
// every installation needs and, optionally, a small demo catalogue.
namespace schema {

// Script names in the order they run; the demo rows last, when asked for.
QStringList scriptNames(bool demo);
// The text of one script (empty when there is no such script).
QString scriptText(const QString& name);

// Runs every script on an open, empty database. Definitions commit one by
// one (Firebird wants a table committed before its triggers refer to it);
// the rows of each script go in as one transaction.
Result<void> apply(Connection& connection, bool demo);

} // namespace schema
