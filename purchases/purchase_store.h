#pragma once

#include "db/result.h"

#include <QtGlobal>

class Connection;

// Changes that keep a purchase whole: its lines never outlive it.
namespace purchase_store {

// The purchase `ncodigo` and all its lines, in one transaction: both go or
// neither does. The number of purchase rows removed (0 when it had already
// gone, at another workstation).
Result<int> removePurchase(Connection& conexao, qint32 ncodigo);

} // namespace purchase_store
