#pragma once

#include "common/spool_file.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/sql_value.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QTest>

// An admission counter at register 3 over three types of its own, printing
// by route 2 (the spool file is written, nothing reaches a printer).
struct EntryFixture
{
    TestDatabase db;
    TerminalSettings settings;
    ScriptedMessages messages;

    EntryFixture()
    {
        if (!db.ok())
            return;
        const QString insert = QStringLiteral("insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) values (?, ?, ?, ?)");
        int code = 0;
        for (const auto& [name, price, flag] : {std::tuple{"Entrada Inteira", 125000, "N"},
                                                std::tuple{"Estacionamento", 100000, "S"},
                                                std::tuple{"Promoção Açaí", 320000, "N"}})
            QVERIFY(db.connection().execute(insert, {SqlValue::integer(++code), SqlValue::text(QString::fromUtf8(name)),
                                                     SqlValue::money(Money::fromUnits(price)),
                                                     SqlValue::text(QString::fromUtf8(flag))}).ok());
        settings.conexao = &db.connection();
        settings.caminho_banco = db.path();
        settings.numero_caixa = 3;
        settings.nome_fantasia = QStringLiteral("Bar Estrela");
        settings.modo_impressao = 2;
        settings.dataDir = db.dataFolder();
    }

    qint64 entries(const QString& where = {})
    {
        const auto rows = db.connection().select(QStringLiteral("select count(*) from entrada ") + where);
        return rows ? rows->integer(0, QStringLiteral("count")) : -1;
    }

    QStringList spool()
    {
        const auto lines = readSpoolFile(spoolFilePath(settings.dataDir));
        return lines ? *lines : QStringList{QStringLiteral("<unreadable>")};
    }
};
