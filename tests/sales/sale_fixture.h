#pragma once

#include "common/terminal_settings.h"
#include "db/connection.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QDir>
#include <QTest>

#include <memory>

// A fresh database per test with a small catalogue of our own, and the
// terminal settings of a sale counter that writes imp.txt and prints nothing.
struct SaleFixture
{
    std::unique_ptr<TestDatabase> database;
    TerminalSettings settings;
    ScriptedMessages messages;

    void setUp()
    {
        database = std::make_unique<TestDatabase>();
        QVERIFY2(database->ok(), qPrintable(database->error()));
        settings = TerminalSettings();
        settings.conexao = &database->connection();
        settings.caminho_banco = database->path();
        settings.numero_caixa = 1;
        settings.modo_impressao = 2;
        settings.quantidade_livre = true;
        settings.nome_fantasia = QStringLiteral("Bar Estrela");
        settings.dataDir = database->dataFolder();
        messages.clear();

        exec("insert into grupo (ncodigo,cdescricao) values (1,'Bebidas')");
        // The key trigger draws codes from the generator: start it below ours.
        QVERIFY(db().setGenerator(QStringLiteral("produto"), 9).ok());
        addProduct(10, "Cerveja Lata", "Lata", Money::fromWhole(5), Money::fromWhole(3), true);
        addProduct(11, "Refrigerante", "Un", Money::fromWhole(3), Money::fromWhole(2), true);
        addProduct(12, "Porção de Fritas", "Porc", Money::fromUnits(255000), Money::fromWhole(20), true);
        addProduct(13, "Cerveja Garrafa", "Gfa", Money::fromWhole(9), Money::fromWhole(7), false);
    }

    Connection& db() { return database->connection(); }

    void exec(const char* sql, const SqlParams& params = {})
    {
        const auto done = db().execute(QString::fromUtf8(sql), params);
        QVERIFY2(done.ok(), done.ok() ? "" : qPrintable(done.failure().description()));
    }

    void addProduct(int code, const char* name, const char* unit, Money sale, Money internal, bool active)
    {
        exec("insert into produto (ncodigo,cdescricao,ngrupo,nqtde_inicial,nqtde_atual,nvalor_compra,"
             "nvalor_venda,nqtde_minima,cunidade,nativo,nestoque,nvalor_interno) values (?,?,1,0,0,0,?,0,?,?,0,?)",
             {SqlValue::integer(code), SqlValue::text(QString::fromUtf8(name)), SqlValue::money(sale),
              SqlValue::text(QString::fromUtf8(unit)), SqlValue::integer(active ? 1 : 0), SqlValue::money(internal)});
    }

    qint64 count(const char* sql, const SqlParams& params = {})
    {
        const auto rows = db().select(QString::fromUtf8(sql), params);
        return rows && !rows->isEmpty() ? rows->value(0, 0).toLongLong() : -1;
    }

    qint64 sales() { return count("select count(*) from venda"); }
    qint64 items() { return count("select count(*) from item_venda"); }

    QByteArray spoolBytes() const
    {
        QFile file(QDir(settings.dataDir).filePath(QStringLiteral("imp.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
