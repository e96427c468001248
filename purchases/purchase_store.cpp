#include "purchases/purchase_store.h"

#include "db/connection.h"
#include "db/transaction.h"

namespace purchase_store {

Result<int> removePurchase(Connection& conexao, qint32 ncodigo)
{
    Transaction transaction(conexao);
    if (!transaction.begun())
        return transaction.failure();
    const SqlParams code{SqlValue::integer(ncodigo)};
    const Result<int> lines = conexao.execute(QStringLiteral("delete from item_da_compra where ncompra = ?"), code);
    if (!lines)
        return lines.failure();
    const Result<int> purchase = conexao.execute(QStringLiteral("delete from compra where ncodigo = ?"), code);
    if (!purchase)
        return purchase.failure();
    if (Result<void> committed = transaction.commit(); !committed)
        return committed.failure();
    return *purchase;
}

} // namespace purchase_store
