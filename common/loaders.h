#pragma once

#include "db/result.h"

#include <QStringList>

class Connection;
class QComboBox;
struct TerminalSettings;

// carrega_estabelecimento: nome_fantasia = cfantasia of the first row of
// "select * from estabelecimento"; an empty table is a failure.
Result<void> carrega_estabelecimento(Connection& connection, TerminalSettings& settings);

// carrega_tipos_entrada: the names of the entry types in code order.
Result<QStringList> carrega_tipos_entrada(Connection& connection);
// The list emptied, filled with those names and its first entry selected;
// currentIndexChanged fires once, for that first entry, when there is one.
Result<void> carrega_tipos_entrada(Connection& connection, QComboBox* list);
