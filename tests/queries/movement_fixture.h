#pragma once

// Movements with the timestamps a test chooses (the database would stamp
// them with its own clock), for the query screens' tests.

#include "db/connection.h"
#include "db/money.h"

#include <QDateTime>
#include <QTest>

namespace fixture {

inline QDateTime at(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

inline Money money(const char* text)
{
    return Money::fromDecimalText(QString::fromLatin1(text)).value();
}

// A group, one product and one entry type; returns their codes.
struct Catalogue
{
    qint64 produto = 0;
    qint64 tipo = 0;
};

inline Catalogue makeCatalogue(Connection& db)
{
    Catalogue c;
    const bool ok = db.execute(QStringLiteral("insert into grupo (ncodigo, cdescricao) values (null, ?)"),
                               {SqlValue::text(QStringLiteral("Cervejas"))}).ok()
        && db.execute(QStringLiteral("insert into produto (ncodigo, cdescricao, ngrupo, nvalor_venda) "
                                     "values (null, ?, (select max(ncodigo) from grupo), 8)"),
                      {SqlValue::text(QStringLiteral("Chopp Pilsen 300ml"))}).ok()
        && db.execute(QStringLiteral("insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) "
                                     "values (null, ?, 30, 'N')"),
                      {SqlValue::text(QStringLiteral("Entrada Inteira"))}).ok();
    if (!ok)
        qFatal("catalogue not inserted");
    c.produto = db.select(QStringLiteral("select max(ncodigo) as m from produto"))->integer(0, QStringLiteral("m"));
    c.tipo = db.select(QStringLiteral("select max(ncodigo) as m from tipo_entrada"))->integer(0, QStringLiteral("m"));
    return c;
}

// One sale with one line; returns the line's code.
inline qint64 sale(Connection& db, const Catalogue& c, const QDateTime& when, int caixa, qint64 numero,
                   const char* qtde = "1", const char* total = "8.00")
{
    const qint64 venda = db.generator(QStringLiteral("venda"), 1).value();
    auto head = db.execute(QStringLiteral("insert into venda (ncodigo, ncaixa_venda, ddata_venda, "
                                          "cforma_pagamento, ntotal, nvalor_pago, ntroco) "
                                          "values (?, ?, ?, 'Dinheiro', ?, ?, 0)"),
                           {SqlValue::integer(venda), SqlValue::integer(caixa), SqlValue::timestamp(when),
                            SqlValue::money(money(total)), SqlValue::money(money(total))});
    auto line = db.execute(QStringLiteral("insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, "
                                          "ntotal, cexcluido, nnumero, cvenda_interna) "
                                          "values (null, ?, ?, ?, 8, ?, 'Nao', ?, 'N')"),
                           {SqlValue::integer(venda), SqlValue::integer(c.produto),
                            SqlValue::quantity(money(qtde)), SqlValue::money(money(total)),
                            SqlValue::integer(numero)});
    if (!head || !line)
        qFatal("sale not inserted: %s", qPrintable((!head ? head.failure() : line.failure()).text));
    return db.select(QStringLiteral("select ncodigo from item_venda where nvenda = ?"), {SqlValue::integer(venda)})
        ->integer(0, QStringLiteral("ncodigo"));
}

// One entry; returns its code.
inline qint64 entry(Connection& db, const Catalogue& c, const QDateTime& when, int caixa, qint64 numero,
                    const char* valor = "30.00")
{
    const qint64 code = db.generator(QStringLiteral("entrada"), 1).value();
    auto done = db.execute(QStringLiteral("insert into entrada (ncodigo, ddata_entrada, ntipo_entrada, "
                                          "ncaixa_entrada, nvalor, cexcluida, cforma_pagamento, nnumero) "
                                          "values (?, ?, ?, ?, ?, 'Nao', 'Dinheiro', ?)"),
                           {SqlValue::integer(code), SqlValue::timestamp(when), SqlValue::integer(c.tipo),
                            SqlValue::integer(caixa), SqlValue::money(money(valor)), SqlValue::integer(numero)});
    if (!done)
        qFatal("entry not inserted: %s", qPrintable(done.failure().text));
    return code;
}

} // namespace fixture
