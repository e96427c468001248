#pragma once

#include "db/result.h"
#include "db/rows.h"
#include "db/sql_value.h"

#include <QString>
#include <QtGlobal>

class Connection;

// The sales of the older database, where each sale row carried its one
// product and was active or cancelled as a whole. Read a page at a time in
// code order (the next page starts after the last code read), so a large
// old database is never held in memory whole.
class OldSales
{
public:
    static constexpr int PageSize = 1000;

    explicit OldSales(Connection& old) : m_old(old) {}

    Result<qint64> count();
    // The next page of sales; an empty page at the end.
    Result<Rows> next();

private:
    Connection& m_old;
    bool m_started = false;
    SqlValue m_last = SqlValue::null();
};

// One old sale as the current database takes it: a sale and its one line.
struct CopiedSale
{
    qint64 oldCode = 0;
    SqlParams sale;   // "insert into venda values (null,?,?,?,?,0,0)"
    SqlParams line;   // the line of sale `code`
    // False when `csituacao` was neither "Ativo" nor "Excluido" (then copied
    // as active).
    bool knownSituation = true;
};

// Row `row` of a page of OldSales, becoming the sale of code `code`.
CopiedSale copiedSale(const Rows& page, int row, qint64 code);

namespace migration_sql {
inline const QString sale = QStringLiteral("insert into venda values (null,?,?,?,?,0,0)");
inline const QString line = QStringLiteral(
    "insert into item_venda (ncodigo,nvenda,nproduto,nqtde,npreco,ntotal,cexcluido,ncaixa_exclusao,"
    "ddata_exclusao,cmotivo_exclusao,nnumero,cvenda_interna) values (null,?,?,?,?,?,?,?,?,?,?,'N')");
} // namespace migration_sql
