#pragma once

#include "db/result.h"

#include <QStringList>

class Connection;

namespace report {

// Firebird never refreshes the selectivity of an index by itself: a
// database created empty keeps "no statistics" for good, and its optimiser
// may then walk a whole history instead of one night. This recomputes them
// ("set statistics index") for every index of `tables`; the number refreshed.
// A moment nobody waits on suits it: it reads each index once.
Result<int> refreshIndexStatistics(Connection& connection, const QStringList& tables);

} // namespace report
