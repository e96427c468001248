#pragma once

#include "common/terminal_settings.h"
#include "db/connection.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"
#include "tests/support/when_modal.h"

#include <QTest>

#include <memory>

// What the purchase tests share: a fresh demo database for each test with
// three suppliers of its own (two with the same trade name), the settings
// that reach it and the messages the screens show.
class PurchaseFixture
{
protected:
    // Supplier codes given by the database (0 and 1 are the reserved ones).
    static constexpr qint32 Sul = 2;        // "Distribuidora Sul"
    static constexpr qint32 Norte = 3;      // "Bebidas Norte"
    static constexpr qint32 OutraSul = 4;   // "Distribuidora Sul" again

    void openDatabase()
    {
        m_db = std::make_unique<TestDatabase>(TestDatabase::Demo);
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
        m_settings.conexao = &m_db->connection();
        m_messages.clear();
        for (const char* name : {"Distribuidora Sul", "Bebidas Norte", "Distribuidora Sul"})
            QVERIFY(run("insert into fornecedor (ncodigo, cfantasia, crazao) values (null, ?, ?)",
                        {SqlValue::text(QString::fromUtf8(name)), SqlValue::text(QString::fromUtf8(name))}));
        QCOMPARE(scalar("select max(ncodigo) from fornecedor"), qint64(OutraSul));
    }

    // Every answer queued was asked for.
    void closeDatabase()
    {
        QCOMPARE(m_messages.pendingAnswers(), 0);
        m_settings.conexao = nullptr;
        m_db.reset();
    }

    Connection& db() { return m_db->connection(); }

    bool run(const char* sql, const SqlParams& params = {})
    {
        const Result<int> done = db().execute(QString::fromUtf8(sql), params);
        if (!done)
            qWarning("%s", qPrintable(done.failure().description()));
        return done.ok();
    }

    // The first column of the first row, -1 when there is none.
    qint64 scalar(const char* sql, const SqlParams& params = {})
    {
        const Result<Rows> rows = db().select(QString::fromUtf8(sql), params);
        return rows && !rows->isEmpty() ? rows->value(0, 0).toLongLong() : -1;
    }

    // "product quantity unit total" of each line, in entry order.
    QStringList lines(qint32 code)
    {
        QStringList out;
        const Result<Rows> rows = db().select(
            QStringLiteral("select nproduto, nqtde, nunitario, ntotal from item_da_compra where ncompra = ? order by ncodigo"),
            {SqlValue::integer(code)});
        for (int i = 0; rows && i < rows->count(); ++i)
            out << QStringList{rows->text(i, QStringLiteral("nproduto")),
                               rows->money(i, QStringLiteral("nqtde")).toDecimalText(),
                               rows->money(i, QStringLiteral("nunitario")).toDecimalText(),
                               rows->money(i, QStringLiteral("ntotal")).toDecimalText()}.join(u' ');
        return out;
    }

    // A purchase stored directly, with lines of (product, quantity, unit
    // price); each line's total is quantity x price. Its code.
    qint32 storePurchase(qint32 supplier, const QDate& date, const QString& nota,
                         const QList<std::tuple<int, int, double>>& lines = {})
    {
        const Result<qint64> drawn = db().generator(QStringLiteral("codigo_compra"), 1);
        if (!drawn || !run("insert into compra values (?, ?, ?, ?, 0, '', 0, 0, 0)",
                           {SqlValue::integer(*drawn), SqlValue::timestamp(QDateTime(date, QTime(0, 0))),
                            SqlValue::integer(supplier), SqlValue::text(nota)}))
            return 0;
        const qint32 ncodigo = qint32(*drawn);
        for (const auto& [product, quantity, price] : lines)
            run("insert into item_da_compra values (null, ?, ?, ?, ?, ?)",
                {SqlValue::integer(product), SqlValue::integer(ncodigo), SqlValue::quantity(Money::fromWhole(quantity)),
                 SqlValue::money(Money::fromDouble(price)), SqlValue::money(Money::fromDouble(price * quantity))});
        return ncodigo;
    }

    std::unique_ptr<TestDatabase> m_db;
    TerminalSettings m_settings;
    ScriptedMessages m_messages;
};
