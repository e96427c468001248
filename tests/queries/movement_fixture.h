#pragma once

// A fresh database with movements stamped at the moments a test chooses.

#include "common/terminal_settings.h"
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

// "Now" on the database server: the business day 04/12 18:00 to 05/12 06:00.
inline const QDateTime Night = at("2026-12-05 02:30:00");
inline const QDateTime Evening = at("2026-12-04 20:00:00");

inline Money money(const char* text)
{
    return Money::fromDecimalText(QString::fromLatin1(text)).value();
}

// One product, one entry type, a workstation working 18:00 to 06:00.
struct Bench
{
    explicit Bench(int caixa)
    {
        settings.conexao = &db.connection();
        settings.numero_caixa = caixa;
        settings.hora_inicio = QStringLiteral("18:00");
        settings.hora_fim = QStringLiteral("06:00");
        run(QStringLiteral("insert into grupo (ncodigo, cdescricao) values (null, 'Cervejas')"));
        run(QStringLiteral("insert into produto (ncodigo, cdescricao, ngrupo, nvalor_venda) "
                           "values (null, 'Chopp Pilsen 300ml', (select max(ncodigo) from grupo), 8)"));
        run(QStringLiteral("insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) "
                           "values (null, 'Entrada Inteira', 30, 'N')"));
        produto = last(QStringLiteral("produto"));
        tipo = last(QStringLiteral("tipo_entrada"));
    }

    Connection& connection() { return db.connection(); }

    void run(const QString& sql, const SqlParams& values = {})
    {
        auto done = db.connection().execute(sql, values);
        if (!done)
            qFatal("%s: %s", qPrintable(sql), qPrintable(done.failure().text));
    }

    qint64 last(const QString& table)
    {
        return db.connection().select(QStringLiteral("select max(ncodigo) as m from %1").arg(table))
            ->integer(0, QStringLiteral("m"));
    }

    // A one-line sale (R$ 8,00) or an entry (R$ 30,00) from register 2; returns its code.
    qint64 add(Kind kind, const QDateTime& when, qint64 numero, const char* value = nullptr, const char* qtde = "1")
    {
        const SqlValue stamp = SqlValue::timestamp(when);
        if (kind == Kind::Entries) {
            const SqlValue valor = SqlValue::money(money(value ? value : "30.00"));
            run(QStringLiteral("insert into entrada (ncodigo, ddata_entrada, ntipo_entrada, ncaixa_entrada, nvalor, "
                               "cexcluida, cforma_pagamento, nnumero) values (null, ?, ?, 2, ?, 'Nao', 'Dinheiro', ?)"),
                {stamp, SqlValue::integer(tipo), valor, SqlValue::integer(numero)});
            return last(QStringLiteral("entrada"));
        }
        const SqlValue total = SqlValue::money(money(value ? value : "8.00"));
        run(QStringLiteral("insert into venda (ncodigo, ncaixa_venda, ddata_venda, cforma_pagamento, ntotal, "
                           "nvalor_pago, ntroco) values (null, 2, ?, 'Dinheiro', ?, ?, 0)"),
            {stamp, total, total});
        run(QStringLiteral("insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, cexcluido, "
                           "nnumero, cvenda_interna) values (null, (select max(ncodigo) from venda), ?, ?, 8, ?, "
                           "'Nao', ?, 'N')"),
            {SqlValue::integer(produto), SqlValue::quantity(money(qtde)), total, SqlValue::integer(numero)});
        return last(QStringLiteral("item_venda"));
    }

    TestDatabase db;
    TerminalSettings settings;
    qint64 produto = 0;
    qint64 tipo = 0;
    ScriptedMessages messages;
};

} // namespace fixture

Q_DECLARE_METATYPE(fixture::Kind)
