#include "console/report_figures.h"

#include "db/connection.h"

namespace figures {

Result<Movement> movement(Connection& db, const ReportPeriod& period)
{
    const SqlParams bounds{SqlValue::timestamp(period.inicio()), SqlValue::timestamp(period.fim())};
    Result<Rows> entries = db.select(EntriesSql, bounds);
    if (!entries)
        return entries.failure();
    Result<Rows> sales = db.select(SalesSql, bounds);
    if (!sales)
        return sales.failure();
    Result<Rows> cancelledEntries = db.select(CancelledEntriesSql, bounds);
    if (!cancelledEntries)
        return cancelledEntries.failure();
    Result<Rows> cancelledSales = db.select(CancelledSalesSql, bounds);
    if (!cancelledSales)
        return cancelledSales.failure();
    Movement m;
    m.entradas = entries->money(0, QStringLiteral("Sum"));
    m.qtdeEntradas = entries->integer(0, QStringLiteral("Count"));
    m.consumo = sales->money(0, QStringLiteral("Sum"));
    m.entradasCanceladas = cancelledEntries->integer(0, QStringLiteral("Count"));
    m.vendasCanceladas = cancelledSales->integer(0, QStringLiteral("Count"));
    return m;
}

Result<int> writeCashRegisterSummary(Connection& db, const ReportPeriod& period)
{
    if (Result<int> cleared = db.execute(QStringLiteral("delete from temp")); !cleared)
        return cleared.failure();
    Result<Rows> registers = db.select(CashRegistersSql);
    if (!registers)
        return registers.failure();
    const SqlValue from = SqlValue::timestamp(period.inicio());
    const SqlValue to = SqlValue::timestamp(period.fim());
    QList<SqlParams> rows;
    for (int i = 0; i < registers->count(); ++i) {
        const qint64 code = registers->integer(i, QStringLiteral("ncodigo"));
        const SqlParams bounds{from, to, SqlValue::integer(code)};
        Result<Rows> entries = db.select(RegisterEntriesSql, bounds);
        if (!entries)
            return entries.failure();
        Result<Rows> sales = db.select(RegisterSalesSql, bounds);
        if (!sales)
            return sales.failure();
        rows.append({SqlValue::text(registers->text(i, QStringLiteral("coperador"))),
                     SqlValue::money(entries->money(0, QStringLiteral("Sum"))),
                     SqlValue::money(sales->money(0, QStringLiteral("Sum"))), SqlValue::integer(code)});
    }
    if (rows.isEmpty())
        return 0;
    return db.executeEach(QStringLiteral("insert into temp (ccampo1,ncampo2,ncampo3,ncampo4) values (?,?,?,?)"), rows);
}

} // namespace figures
