#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "sales/sale_payment.h"
#include "tests/support/firebird_server.h"
#include "tests/support/scripted_messages.h"

#include <QMutex>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

constexpr int Workstations = 4;
constexpr int SalesEach = 25;
constexpr int LinesEach = 5;

// One sale counter: its own connection, settings and data folder, recording
// sales through the payment screen's own code as fast as it can.
class Counter final : public QThread
{
public:
    Counter(QString path, qint16 caixa) : m_path(std::move(path)), m_caixa(caixa) {}

    QList<qint64> keys;
    QStringList problems;

protected:
    void run() override
    {
        QTemporaryDir dataDir;
        Connection conexao;
        if (const auto opened = conexao.open(m_path); !opened) {
            problems.append(opened.failure().description());
            return;
        }
        TerminalSettings settings;
        settings.conexao = &conexao;
        settings.numero_caixa = m_caixa;
        settings.modo_impressao = 2;
        settings.nome_fantasia = QStringLiteral("Bar Estrela");
        settings.dataDir = dataDir.path();
        ScriptedMessages messages;

        for (int sale = 0; sale < SalesEach; ++sale) {
            QList<SaleLine> lines;
            for (int line = 0; line < LinesEach; ++line) {
                const int product = 1 + (sale + line + m_caixa) % 8;
                lines.append({QString::number(product), QStringLiteral("Produto"), QStringLiteral("2"),
                              QStringLiteral("R$ 1,50"), QStringLiteral("R$ 3,00"), line % 2 == 1});
            }
            SalePayment payment(settings, messages, lines, QStringLiteral("R$ 15,00"));
            payment.fields.text8 = QStringLiteral("20");
            payment.leaveReceived();
            if (payment.record() != SalePayment::Outcome::Recorded) {
                problems.append(messages.transcript());
                return;
            }
            keys.append(payment.recordedKey());
        }
        if (!messages.shown().isEmpty())
            problems.append(messages.transcript());
    }

private:
    QString m_path;
    qint16 m_caixa;
};

} // namespace

// Several sale counters recording at once on one Firebird server.
class TestSaleWorkstations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void countersRecordAtOnce();

private:
    std::unique_ptr<FirebirdServer> m_server;
    QString m_path;
};

void TestSaleWorkstations::initTestCase()
{
    m_server = std::make_unique<FirebirdServer>();
    QString why;
    if (!m_server->start(&why))
        QSKIP(qPrintable(QStringLiteral("no private Firebird server for the several-workstations test: ") + why));
    m_path = m_server->databasePath(QStringLiteral("vendas.fdb"));
    const auto created = createDatabase(m_path, true);
    QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));
}

void TestSaleWorkstations::cleanupTestCase()
{
    if (m_server)
        m_server->stop();
}

void TestSaleWorkstations::countersRecordAtOnce()
{
    std::vector<std::unique_ptr<Counter>> counters;
    for (int i = 0; i < Workstations; ++i)
        counters.push_back(std::make_unique<Counter>(m_path, qint16(i + 1)));
    for (auto& counter : counters)
        counter->start();
    QSet<qint64> keys;
    for (auto& counter : counters) {
        QVERIFY(counter->wait(120000));
        QVERIFY2(counter->problems.isEmpty(), qPrintable(counter->problems.join(QLatin1Char('\n'))));
        QCOMPARE(counter->keys.size(), SalesEach);
        for (qint64 key : counter->keys)
            QVERIFY2(!keys.contains(key), "a sale key handed to two counters");
        keys.unite(QSet<qint64>(counter->keys.begin(), counter->keys.end()));
    }

    Connection check;
    QVERIFY(check.open(m_path).ok());
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
}

QTEST_GUILESS_MAIN(TestSaleWorkstations)
#include "test_sale_workstations.moc"
