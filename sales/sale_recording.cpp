#include "sales/sale_recording.h"

#include "common/br_format.h"
#include "common/message_texts.h"
#include "common/sale_ticket.h"
#include "db/connection.h"
#include "db/transaction.h"
#include "sales/sale_limits.h"

namespace sale_recording {

Result<QList<SaleItemValues>> readLines(const QList<SaleLine>& lines)
{
    QList<SaleItemValues> items;
    items.reserve(lines.size());
    for (const SaleLine& line : lines) {
        const auto code = sale_limits::productCode(line.codigo.trimmed());
        const auto quantity = br::parseMoney(line.quantidade);
        const auto price = br::parseMoney(line.unitario);
        const auto amount = br::parseMoney(line.subtotal);
        if (!code || !quantity || !price || !amount)
            return Failure{{}, msg::camposIncorretos};
        if (!sale_limits::quantityFits(*quantity) || !sale_limits::amountFits(*price)
            || !sale_limits::amountFits(*amount))
            return Failure{{}, msg::valorAcimaDoLimite};
        items.append({*code, *quantity, *price, *amount, line.interno});
    }
    return items;
}

Result<qint64> recordSale(Connection& conexao, qint16 numero_caixa, const SalePaymentValues& payment,
                          const QList<SaleItemValues>& items, qint64* drawnKey, QList<SaleTicketItem>* ticket)
{
    return conexao.run<qint64>([&]() -> Result<qint64> {
        Transaction transaction(conexao);
        if (!transaction.begun())
            return transaction.failure();

        // The statements are prepared inside the transaction (Connection does
        // each afresh), so none of them commits on its own.
        auto drawn = conexao.select(keyStatement);
        if (!drawn)
            return drawn.failure();
        if (drawn->isEmpty())
            return Failure{{}, QStringLiteral("O gerador de vendas não respondeu.")};
        const qint64 key = drawn->integer(0, QStringLiteral("gen_id"));
        if (drawnKey)
            *drawnKey = key;

        auto sale = conexao.execute(saleStatement,
                                    {SqlValue::integer(key), SqlValue::integer(numero_caixa),
                                     SqlValue::text(payment.forma), SqlValue::money(payment.total),
                                     SqlValue::money(payment.recebido), SqlValue::money(payment.troco)});
        if (!sale)
            return sale.failure();

        // One insert prepared once for every line: on a server each prepare is a
        // round trip of its own.
        QList<SqlParams> lines;
        lines.reserve(items.size());
        for (const SaleItemValues& item : items) {
            lines.append({SqlValue::integer(key), SqlValue::integer(item.produto),
                          SqlValue::quantity(item.quantidade), SqlValue::money(item.preco),
                          SqlValue::money(item.total),
                          SqlValue::text(item.interno ? QStringLiteral("S") : QStringLiteral("N"))});
        }
        if (auto inserted = conexao.executeEach(itemStatement, lines); !inserted)
            return inserted.failure();  // the guard rolls the whole sale back
        if (ticket) {
            auto read = readSaleTicketItems(conexao, key);
            if (!read)
                return read.failure();
            *ticket = std::move(*read);
        }
        auto committed = transaction.commit();
        if (!committed)
            return committed.failure();
        return key;
    });
}

Result<bool> saleStored(Connection& conexao, qint64 key, qint16 numero_caixa, Money total)
{
    const auto rows = conexao.select(
        QStringLiteral("select count(*) from venda where ncodigo = ? and ncaixa_venda = ? and ntotal = ?"),
        {SqlValue::integer(key), SqlValue::integer(numero_caixa), SqlValue::money(total)});
    if (!rows)
        return rows.failure();
    return rows->integer(0, QStringLiteral("count")) > 0;
}

} // namespace sale_recording
