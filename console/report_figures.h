#pragma once

#include "console/period_choice.h"
#include "db/money.h"
#include "db/result.h"

#include <QString>

class Connection;

// What the reports compute themselves before the report engine reads the
// rest: the movement summary's figures and the cash-register summary's rows.
namespace figures {

// The movement summary's statements, each run on its own with the period's
// two bounds; an unnamed aggregate reads as "Sum" or "Count", a null as 0.
// The "+ 0" on the sale's key keeps Firebird from walking every sale line of
// the history through that key when the index statistics are stale (a
// database created empty has none): the sale's date index drives the read.
inline const QString EntriesSql = QStringLiteral(
    "select sum(nvalor),count(*) from entrada where ddata_entrada between ? and ? and cexcluida = 'Nao'");
inline const QString SalesSql = QStringLiteral(
    "select sum(iv.ntotal) from venda v,item_venda iv where iv.nvenda = v.ncodigo + 0 and ddata_venda between ? and ? "
    "and cexcluido = 'Nao'");
inline const QString CancelledEntriesSql = QStringLiteral(
    "select count(*) from entrada where ddata_entrada between ? and ? and cexcluida = 'Sim'");
inline const QString CancelledSalesSql = QStringLiteral(
    "select count(*) from venda,item_venda where nvenda = venda.ncodigo + 0 and ddata_venda between ? and ? "
    "and cexcluido = 'Sim'");

// The cash-register summary's: every cash register, then per register its
// entries and its sales (the period's bounds and the register's code).
inline const QString CashRegistersSql = QStringLiteral("select * from caixa order by ncodigo");
inline const QString RegisterEntriesSql = QStringLiteral(
    "select sum (nvalor) from entrada where cexcluida = 'Nao' and ddata_entrada between ? and ? "
    "and ncaixa_entrada = ?");
inline const QString RegisterSalesSql = QStringLiteral(
    "select sum (iv.ntotal) from venda v,item_venda iv where nvenda = v.ncodigo + 0 and cexcluido = 'Nao' "
    "and ddata_venda between ? and ? and ncaixa_venda = ?");

struct Movement
{
    Money entradas;               // E: the active entries' value
    qint64 qtdeEntradas = 0;      // N: their number
    Money consumo;                // S: the active sale lines' value
    qint64 entradasCanceladas = 0;
    qint64 vendasCanceladas = 0;
};

Result<Movement> movement(Connection& connection, const ReportPeriod& period);

// The scratch table emptied and one row per cash register written into it
// (operator, entries, sales, code), also for a register with nothing to
// show. Meant to run inside the caller's transaction, undone once the
// report has read the rows: no other console ever sees them. The number of rows.
Result<int> writeCashRegisterSummary(Connection& connection, const ReportPeriod& period);

} // namespace figures
