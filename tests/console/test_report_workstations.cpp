// Two consoles asking for "Resumo dos caixa" at once on one Firebird server:
// each gets the figures of its own period, and the scratch table is left as
// it was found.

#include "common/terminal_settings.h"
#include "console/console_reports.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "tests/console/report_fixture.h"
#include "tests/support/firebird_server.h"

#include <QThread>

namespace {

// The nights of 04/12 and 05/12, each with its own takings at cash register 1.
const ReportPeriod FirstNight{QStringLiteral("2026-12-04 18:00"), QStringLiteral("2026-12-05 06:00")};
const ReportPeriod SecondNight{QStringLiteral("2026-12-05 18:00"), QStringLiteral("2026-12-06 06:00")};
const QStringList FirstRows{"1|Caixa 1|30|14", "2|Caixa 2|0|0"};
const QStringList SecondRows{"1|Caixa 1|45|0", "2|Caixa 2|0|21"};

struct Console
{
    explicit Console(const QString& path, const ReportPeriod& night)
    {
        opened = conexao.open(path).ok();
        settings.conexao = &conexao;
        settings.numero_caixa = 1;
        settings.nome_fantasia = QStringLiteral("Bar Estrela");
        reports = std::make_unique<ConsoleReports>(settings, messages, QStringLiteral(VORINDA_REPORT_FOLDER),
                                                   [night](ReportPeriod& p) { p = night; }, kept);
    }

    // The report's rows, or what went wrong.
    QStringList summary()
    {
        kept.documents.clear();
        if (reports->resumoCaixa() != ConsoleReports::Outcome::Shown || kept.documents.isEmpty())
            return {messages.transcript()};
        const Rows& rows = kept.documents.last().data().main;
        QStringList out;
        for (int r = 0; r < rows.count(); ++r)
            out << QStringList{rows.text(r, "caixa"), rows.text(r, "operador"), rows.text(r, "entradas"),
                               rows.text(r, "vendas")}.join(u'|');
        return out;
    }

    Connection conexao;
    bool opened = false;
    TerminalSettings settings;
    ScriptedMessages messages;
    reports::KeptReports kept;
    std::unique_ptr<ConsoleReports> reports;
};

} // namespace

class TestReportWorkstations : public QObject
{
    Q_OBJECT
    FirebirdServer server;
    QString path;

    void run(Connection& db, const QString& sql, const SqlParams& values = {})
    {
        auto done = db.execute(sql, values);
        QVERIFY2(done.ok(), qPrintable(done.ok() ? QString() : done.failure().text));
    }

    qint64 tempRows()
    {
        Connection check;
        if (!check.open(path).ok())
            return -1;
        return check.select(QStringLiteral("select count(*) from temp"))->integer(0, QStringLiteral("count"));
    }

private slots:
    void initTestCase()
    {
        QString why;
        if (!server.start(&why))
            QSKIP(qPrintable(QStringLiteral("no private Firebird server for the several-workstations test: ") + why));
        path = server.databasePath(QStringLiteral("relatorios.fdb"));
        const auto created = createDatabase(path, true);
        QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));
        Connection db;
        QVERIFY(db.open(path).ok());
        const auto entry = QStringLiteral("insert into entrada (ncodigo, ddata_entrada, ntipo_entrada, ncaixa_entrada, "
                                          "nvalor, cexcluida, cforma_pagamento, nnumero) values (gen_id(entrada, 1), ?, 1, ?, ?, "
                                          "'Nao', 'Dinheiro', 1)");
        const auto sale = QStringLiteral("insert into venda (ncodigo, ncaixa_venda, ddata_venda, cforma_pagamento, ntotal, "
                                         "nvalor_pago, ntroco) values (gen_id(venda, 1), ?, ?, 'Dinheiro', ?, ?, 0)");
        const auto line = QStringLiteral("insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, cexcluido, "
                                         "nnumero, cvenda_interna) values (null, gen_id(venda, 0), 1, 1, 0, ?, 'Nao', 1, 'N')");
        auto money = [](const char* text) { return SqlValue::money(Money::fromDecimalText(QString::fromLatin1(text)).value()); };
        run(db, entry, {SqlValue::timestamp(reports::at("2026-12-04 20:00:00")), SqlValue::integer(1), money("30")});
        run(db, entry, {SqlValue::timestamp(reports::at("2026-12-05 20:00:00")), SqlValue::integer(1), money("45")});
        for (const auto& [when, caixa, total] : {std::tuple{"2026-12-04 21:00:00", 1, "14"}, std::tuple{"2026-12-06 01:00:00", 2, "21"}}) {
            run(db, sale, {SqlValue::integer(caixa), SqlValue::timestamp(reports::at(when)), money(total), money(total)});
            run(db, line, {money(total)});
        }
    }

    void oneRunsInsideTheOther()
    {
        // The second console runs its whole report while the first one's
        // rows stand written in the scratch table.
        Console first(path, FirstNight);
        Console second(path, SecondNight);
        QVERIFY(first.opened && second.opened);
        QStringList secondRows;
        first.reports->setAfterSummaryRows([&] { secondRows = second.summary(); });
        QCOMPARE(first.summary(), FirstRows);
        QCOMPARE(secondRows, SecondRows);
        QCOMPARE(tempRows(), 0);
    }

    void bothAtOnce()
    {
        constexpr int Rounds = 15;
        QStringList problems[2];
        QList<QThread*> consoles;
        for (int i = 0; i < 2; ++i) {
            consoles.append(QThread::create([&, i] {
                Console console(path, i == 0 ? FirstNight : SecondNight);
                for (int round = 0; round < Rounds && problems[i].isEmpty(); ++round) {
                    const QStringList rows = console.summary();
                    if (rows != (i == 0 ? FirstRows : SecondRows))
                        problems[i] << QStringLiteral("round %1: %2").arg(round).arg(rows.join(QStringLiteral("; ")));
                }
            }));
            consoles.last()->start();
        }
        for (QThread* console : consoles) {
            QVERIFY(console->wait(120000));
            delete console;
        }
        QVERIFY2(problems[0].isEmpty(), qPrintable(problems[0].join(u'\n')));
        QVERIFY2(problems[1].isEmpty(), qPrintable(problems[1].join(u'\n')));
        QCOMPARE(tempRows(), 0);
    }
};

QTEST_MAIN(TestReportWorkstations)
#include "test_report_workstations.moc"
