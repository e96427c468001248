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
        settings.conexao = &database->connection();
        settings.caminho_banco = database->path();
        settings.numero_caixa = 1;
        settings.margem = QString();
        settings.linhas_avanco = 0;
        settings.modo_impressao = 2;
        settings.quantidade_livre = true;
        settings.hora_inicio = QStringLiteral("18:00");
        settings.hora_fim = QStringLiteral("06:00");
        settings.nome_fantasia = QStringLiteral("Bar Estrela");
        settings.dataDir = database->dataFolder();
        messages.clear();

        exec("insert into grupo (ncodigo,cdescricao) values (?,?)",
             {SqlValue::integer(1), SqlValue::text(QStringLiteral("Bebidas"))});
        // The key trigger draws codes from the generator: start it below ours.
        QVERIFY(db().setGenerator(QStringLiteral("produto"), 9).ok());
        addProduct(10, QStringLiteral("Cerveja Lata"), QStringLiteral("Lata"), 5, 3, true);
        addProduct(11, QStringLiteral("Refrigerante"), QStringLiteral("Un"), 3, 2, true);
        addProduct(12, QStringLiteral("Porção de Fritas"), QStringLiteral("Porc"), Money::fromUnits(255000),
                   Money::fromWhole(20), true);
        addProduct(13, QStringLiteral("Cerveja Garrafa"), QStringLiteral("Gfa"), 9, 7, false);
    }

    Connection& db() { return database->connection(); }

    void exec(const char* sql, const SqlParams& params = {})
    {
        const auto done = db().execute(QString::fromUtf8(sql), params);
        QVERIFY2(done.ok(), done.ok() ? "" : qPrintable(done.failure().description()));
    }

    void addProduct(int code, const QString& name, const QString& unit, qint64 sale, qint64 internal,
                    bool active)
    {
        addProduct(code, name, unit, Money::fromWhole(sale), Money::fromWhole(internal), active);
    }

    void addProduct(int code, const QString& name, const QString& unit, Money sale, Money internal,
                    bool active)
    {
        exec("insert into produto (ncodigo,cdescricao,ngrupo,nqtde_inicial,nqtde_atual,nvalor_compra,"
             "nvalor_venda,nqtde_minima,cunidade,nativo,nestoque,nvalor_interno) values (?,?,1,0,0,0,?,0,?,?,0,?)",
             {SqlValue::integer(code), SqlValue::text(name), SqlValue::money(sale), SqlValue::text(unit),
              SqlValue::integer(active ? 1 : 0), SqlValue::money(internal)});
    }

    qint64 count(const char* sql, const SqlParams& params = {})
    {
        const auto rows = db().select(QString::fromUtf8(sql), params);
        if (!rows || rows->isEmpty())
            return -1;
        return rows->value(0, 0).toLongLong();
    }

    QByteArray spoolBytes() const
    {
        QFile file(QDir(settings.dataDir).filePath(QStringLiteral("imp.txt")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }
};
