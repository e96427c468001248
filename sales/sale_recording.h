#pragma once

#include "db/money.h"
#include "db/result.h"
#include "sales/sale_line.h"

#include <QList>
#include <QString>
#include <QtGlobal>

class Connection;
struct SaleTicketItem;

// What the payment screen hands over to be recorded.
struct SalePaymentValues
{
    QString forma;   // cforma_pagamento, the text of the chosen form
    Money total;     // ntotal
    Money recebido;  // nvalor_pago
    Money troco;     // ntroco
};

// One grid line as it goes into item_venda, read and checked beforehand.
struct SaleItemValues
{
    qint32 produto = 0;
    Money quantidade;
    Money preco;
    Money total;
    bool interno = false;
};

namespace sale_recording {

inline const QString keyStatement = QStringLiteral("select gen_id(venda,1) from rdb$database");
inline const QString saleStatement = QStringLiteral(
    "insert into venda (ncodigo,ncaixa_venda,ddata_venda,cforma_pagamento,ntotal,nvalor_pago,ntroco) values "
    " (?,?,null,?,?,?,?)");
inline const QString itemStatement = QStringLiteral(
    "insert into item_venda (ncodigo,nvenda,nproduto,nqtde,npreco,ntotal,cexcluido,nnumero,cvenda_interna) values "
    " (null,?,?,?,?,?,'Nao',(select gen_id(numero_venda,1) from rdb$database),?)");

// The grid's texts read as values; a failure (no database code) when a line
// does not read or does not fit its column, before anything is written.
Result<QList<SaleItemValues>> readLines(const QList<SaleLine>& lines);

// The sale and all its lines in one transaction, run where the database is
// in one hop: every row or none. The key is drawn inside it, before any row;
// a key or document number drawn for a sale that rolls back is lost, never
// reused. Returns the sale's key. `drawnKey` gets the key as soon as it is
// drawn, so that a sale whose commit broke can be looked for afterwards.
// With `ticket`, the lines are read back for the tickets inside the same
// transaction: nothing read after the commit can then fail the tickets.
Result<qint64> recordSale(Connection& conexao, qint16 numero_caixa, const SalePaymentValues& payment,
                          const QList<SaleItemValues>& items, qint64* drawnKey = nullptr,
                          QList<SaleTicketItem>* ticket = nullptr);

// Whether this register's sale `key` of `total` is stored (its `venda` row,
// and so all its lines). The register and total are asked too: a server
// killed before its generator reached the disk may hand the same key to
// another sale after its restart.
Result<bool> saleStored(Connection& conexao, qint64 key, qint16 numero_caixa, Money total);

} // namespace sale_recording
