#pragma once

#include <QString>
#include <QStringList>

// Splits an isql-style script into statements: ";" ends a statement, "SET
// TERM ^ ;" switches the terminator for bodies that hold ";" themselves,
// quotes and comments are respected, and comments between statements are
// dropped. The same files can thus be run by isql-fb by hand.
QStringList splitSqlScript(const QString& script);
