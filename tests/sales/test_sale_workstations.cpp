#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "sales/sale_payment.h"
#include "tests/support/firebird_server.h"
#include "tests/support/scripted_messages.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

constexpr int Workstations = 4;
constexpr int SalesEach = 25;
constexpr int LinesEach = 5;

// One sale counter recording through the payment screen's code; returns what went wrong.
QString runCounter(const QString& path, qint16 caixa, QList<qint64>& keys)
{
    QTemporaryDir dataDir;
    Connection conexao;
    if (const auto opened = conexao.open(path); !opened)
        return opened.failure().description();
    TerminalSettings settings;
    settings.conexao = &conexao;
    settings.numero_caixa = caixa;
    settings.modo_impressao = 2;
    settings.nome_fantasia = QStringLiteral("Bar Estrela");
    settings.dataDir = dataDir.path();
    ScriptedMessages messages;

    for (int sale = 0; sale < SalesEach; ++sale) {
        QList<SaleLine> lines;
        for (int line = 0; line < LinesEach; ++line)
            lines.append({QString::number(1 + (sale + line + caixa) % 8), QStringLiteral("Produto"), QStringLiteral("2"),
                          QStringLiteral("R$ 1,50"), QStringLiteral("R$ 3,00"), line % 2 == 1});
        SalePayment payment(settings, messages, lines, QStringLiteral("R$ 15,00"));
        payment.fields.text8 = QStringLiteral("20");
        payment.leaveReceived();
        if (payment.record() != SalePayment::Outcome::Recorded || !messages.shown().isEmpty())
            return messages.transcript();
        keys.append(payment.recordedKey());
    }
    return {};
}

} // namespace

// Several sale counters recording at once on one Firebird server.
class TestSaleWorkstations : public QObject
{
    Q_OBJECT

private slots:
    void countersRecordAtOnce();
};

void TestSaleWorkstations::countersRecordAtOnce()
{
    FirebirdServer server;
    QString why;
    if (!server.start(&why))
        QSKIP(qPrintable(QStringLiteral("no private Firebird server for the several-workstations test: ") + why));
    const QString path = server.databasePath(QStringLiteral("vendas.fdb"));
    const auto created = createDatabase(path, true);
    QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));

    QList<qint64> keys[Workstations];
    QString problems[Workstations];
    QList<QThread*> counters;
    for (int i = 0; i < Workstations; ++i) {
        counters.append(QThread::create([&, i] { problems[i] = runCounter(path, qint16(i + 1), keys[i]); }));
        counters.last()->start();
    }
    QSet<qint64> allKeys;
    for (int i = 0; i < Workstations; ++i) {
        QVERIFY(counters.at(i)->wait(120000));
        delete counters.at(i);
        QVERIFY2(problems[i].isEmpty(), qPrintable(problems[i]));
        QCOMPARE(keys[i].size(), SalesEach);
        for (qint64 key : keys[i])
            QVERIFY2(!allKeys.contains(key), "a sale key handed to two counters");
        allKeys.unite(QSet<qint64>(keys[i].begin(), keys[i].end()));
    }

    Connection check;
    QVERIFY(check.open(path).ok());
    auto scalar = [&](const char* sql) {
        const auto rows = check.select(QString::fromUtf8(sql));
        return rows && !rows->isEmpty() ? rows->value(0, 0).toLongLong() : -1;
    };
    const qint64 sales = Workstations * SalesEach;
    QCOMPARE(scalar("select count(*) from venda"), sales);
    QCOMPARE(scalar("select count(*) from item_venda"), sales * LinesEach);
    // Every sale complete: its lines all there and adding up to its total.
    QCOMPARE(scalar("select count(*) from venda v where (select count(*) from item_venda i where i.nvenda = v.ncodigo) <> 5"), 0);
    QCOMPARE(scalar("select count(*) from venda v where v.ntotal <> (select sum(i.ntotal) from item_venda i where i.nvenda = v.ncodigo)"), 0);
    // No document number used twice, none left out.
    QCOMPARE(scalar("select count(distinct nnumero) from item_venda"), sales * LinesEach);
    QCOMPARE(scalar("select max(nnumero) - min(nnumero) + 1 from item_venda"), sales * LinesEach);
    // Each counter's sales carry its own cash register.
    QCOMPARE(scalar("select count(distinct ncaixa_venda) from venda"), Workstations);
    check.close();
}

QTEST_GUILESS_MAIN(TestSaleWorkstations)
#include "test_sale_workstations.moc"
