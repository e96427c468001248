#pragma once

// Movements with the timestamps a test chooses (the database would stamp
// them with its own clock), for the query screens' tests.

#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/money.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QDateTime>
#include <QTest>

namespace fixture {

enum class Kind { Sales, Entries };

inline QDateTime at(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

inline SqlValue money(const char* text)
{
    return SqlValue::money(Money::fromDecimalText(QString::fromLatin1(text)).value());
}

// A manager's workstation whose business day runs from 18:00 to 06:00.
inline TerminalSettings workstation(Connection& db, int caixa)
{
    TerminalSettings settings;
    settings.conexao = &db;
    settings.numero_caixa = caixa;
    settings.hora_inicio = QStringLiteral("18:00");
    settings.hora_fim = QStringLiteral("06:00");
    return settings;
}

inline void run(Connection& db, const QString& sql, const SqlParams& values = {})
{
    auto done = db.execute(sql, values);
    if (!done)
        qFatal("%s: %s", qPrintable(sql), qPrintable(done.failure().text));
}

// One group, product and entry type.
struct Catalogue
{
    qint64 produto = 0;
    qint64 tipo = 0;
};

inline Catalogue makeCatalogue(Connection& db)
{
    run(db, QStringLiteral("insert into grupo (ncodigo, cdescricao) values (null, 'Cervejas')"));
    run(db, QStringLiteral("insert into produto (ncodigo, cdescricao, ngrupo, nvalor_venda) "
                           "values (null, 'Chopp Pilsen 300ml', (select max(ncodigo) from grupo), 8)"));
    run(db, QStringLiteral("insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) "
                           "values (null, 'Entrada Inteira', 30, 'N')"));
    return {db.select(QStringLiteral("select max(ncodigo) as m from produto"))->integer(0, QStringLiteral("m")),
            db.select(QStringLiteral("select max(ncodigo) as m from tipo_entrada"))->integer(0, QStringLiteral("m"))};
}

// One sale with one line; returns the line's code.
inline qint64 sale(Connection& db, const Catalogue& c, const QDateTime& when, int caixa, qint64 numero,
                   const char* qtde = "1", const char* total = "8.00")
{
    const qint64 venda = db.generator(QStringLiteral("venda"), 1).value();
    run(db, QStringLiteral("insert into venda (ncodigo, ncaixa_venda, ddata_venda, cforma_pagamento, ntotal, "
                           "nvalor_pago, ntroco) values (?, ?, ?, 'Dinheiro', ?, ?, 0)"),
        {SqlValue::integer(venda), SqlValue::integer(caixa), SqlValue::timestamp(when), money(total), money(total)});
    run(db, QStringLiteral("insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, cexcluido, "
                           "nnumero, cvenda_interna) values (null, ?, ?, ?, 8, ?, 'Nao', ?, 'N')"),
        {SqlValue::integer(venda), SqlValue::integer(c.produto),
         SqlValue::quantity(Money::fromDecimalText(QString::fromLatin1(qtde)).value()), money(total),
         SqlValue::integer(numero)});
    return db.select(QStringLiteral("select ncodigo from item_venda where nvenda = ?"), {SqlValue::integer(venda)})
        ->integer(0, QStringLiteral("ncodigo"));
}

// One entry; returns its code.
inline qint64 entry(Connection& db, const Catalogue& c, const QDateTime& when, int caixa, qint64 numero,
                    const char* valor = "30.00")
{
    const qint64 code = db.generator(QStringLiteral("entrada"), 1).value();
    run(db, QStringLiteral("insert into entrada (ncodigo, ddata_entrada, ntipo_entrada, ncaixa_entrada, nvalor, "
                           "cexcluida, cforma_pagamento, nnumero) values (?, ?, ?, ?, ?, 'Nao', 'Dinheiro', ?)"),
        {SqlValue::integer(code), SqlValue::timestamp(when), SqlValue::integer(c.tipo), SqlValue::integer(caixa),
         money(valor), SqlValue::integer(numero)});
    return code;
}

// A fresh database with the catalogue, a manager's workstation and scripted messages.
struct Bench
{
    explicit Bench(int caixa) : settings(workstation(db.connection(), caixa)), catalogue(makeCatalogue(db.connection())) {}

    Connection& connection() { return db.connection(); }
    // A sale line of R$ 8,00 or an entry of R$ 30,00 unless told, from register 2.
    qint64 add(Kind kind, const QDateTime& when, qint64 numero, const char* value = nullptr)
    {
        if (kind == Kind::Sales)
            return sale(db.connection(), catalogue, when, 2, numero, "1", value ? value : "8.00");
        return entry(db.connection(), catalogue, when, 2, numero, value ? value : "30.00");
    }

    TestDatabase db;
    TerminalSettings settings;
    Catalogue catalogue;
    ScriptedMessages messages;
};

} // namespace fixture

Q_DECLARE_METATYPE(fixture::Kind)
