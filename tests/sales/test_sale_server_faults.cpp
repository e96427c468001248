#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "sales/sale_entry.h"
#include "sales/sale_payment.h"
#include "tests/support/firebird_server.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/server_faults.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

// A sale counter whose server dies or freezes while a sale is committed: once
// the server is back, the same program works again, each sale is stored
// once, and the operator is told what was stored.
class TestSaleServerFaults : public QObject
{
    Q_OBJECT

    std::unique_ptr<FirebirdServer> m_server;
    int m_round = 0;

    static QList<SaleLine> twoLines()
    {
        return {{QStringLiteral("1"), QStringLiteral("Produto"), QStringLiteral("2"), QStringLiteral("R$ 1,50"),
                 QStringLiteral("R$ 3,00"), false},
                {QStringLiteral("2"), QStringLiteral("Produto"), QStringLiteral("1"), QStringLiteral("R$ 4,00"),
                 QStringLiteral("R$ 4,00"), false}};
    }

    // The same two lines rung up on the sale screen (prices typed over).
    static void ringUp(SaleEntry& entry)
    {
        for (const SaleLine& line : twoLines()) {
            entry.fields.text3 = line.codigo;
            QVERIFY(entry.leaveCode());
            entry.fields.text2 = line.quantidade;
            QVERIFY(entry.leaveQuantity());
            entry.fields.text5 = line.unitario;
            entry.leaveUnitPrice();
            QVERIFY(entry.addLine());
        }
        QCOMPARE(entry.total(), Money::fromWhole(7));
    }

    static SalePayment::Outcome close(TerminalSettings& settings, ScriptedMessages& messages, qint64* unsettled)
    {
        SalePayment payment(settings, messages, twoLines(), QStringLiteral("R$ 7,00"), unsettled);
        payment.fields.text8 = QStringLiteral("10");
        payment.leaveReceived();
        return payment.record();
    }

private slots:
    void initTestCase()
    {
        m_server = std::make_unique<FirebirdServer>();
        QString why;
        if (!m_server->start(&why))
            QSKIP(qPrintable(why));
    }

    void commitBrokenByTheServer_data()
    {
        QTest::addColumn<CommitFault>("fault");
        QTest::addColumn<bool>("storedThen");  // whether the broken commit reached the database
        QTest::addColumn<bool>("cancelled");   // F2 on the sale screen instead of closing again
        QTest::addRow("killed before the commit") << CommitFault::KillBefore << false << false;
        QTest::addRow("killed after the commit, reply lost") << CommitFault::KillAfter << true << false;
        // Cut off while frozen; the server commits what it held once thawed.
        QTest::addRow("frozen at the commit, thawed later") << CommitFault::Freeze << true << false;
        // The lines dropped with F2: the sale is looked for first, never forgotten.
        QTest::addRow("killed before the commit, then F2") << CommitFault::KillBefore << false << true;
        QTest::addRow("killed after the commit, then F2") << CommitFault::KillAfter << true << true;
    }
    void commitBrokenByTheServer()
    {
        QFETCH(CommitFault, fault);
        QFETCH(bool, storedThen);
        QFETCH(bool, cancelled);
        const QString path = m_server->databasePath(QStringLiteral("faults%1.fdb").arg(++m_round));
        QVERIFY(createDatabase(path, true).ok());
        QTemporaryDir dataDir;
        Connection conexao;
        QVERIFY(conexao.open(path).ok());
        ConnectionLimits limits;
        limits.silenceMs = 1500;
        limits.attachMs = 1500;
        limits.retryMs = 200;
        conexao.setLimits(limits);
        TerminalSettings settings;
        settings.conexao = &conexao;
        settings.numero_caixa = 1;
        settings.quantidade_livre = true;
        settings.modo_impressao = 2;
        settings.nome_fantasia = QStringLiteral("Bar Estrela");
        settings.dataDir = dataDir.path();
        ScriptedMessages messages;

        bool fired = false;
        conexao.setFaultHook(breakAtCommit(*m_server, fault, fired));

        // The operator learns the outcome is unknown; the lines stay.
        qint64 unsettled = 0;
        QCOMPARE(close(settings, messages, &unsettled), SalePayment::Outcome::Failed);
        QVERIFY(fired);
        QCOMPARE(messages.texts().last(), msg::vendaIndefinida);
        QVERIFY(unsettled != 0);
        QVERIFY2(!messages.transcript().contains(QStringLiteral("connection")), qPrintable(messages.transcript()));

        // While the server is away every call fails at once, in Portuguese.
        const Result<Rows> away = conexao.select(QStringLiteral("select count(*) from venda"));
        QVERIFY(!away.ok());
        QVERIFY(away.failure().lost);
        QVERIFY(away.failure().text.startsWith(QStringLiteral("Sem conexão com o servidor do banco de dados")));

        QString why;
        QVERIFY2(bringBack(*m_server, fault, limits.retryMs, &why), qPrintable(why));

        messages.clear();
        if (cancelled) {
            // F2: the sale is looked for before its lines go.
            SaleEntry entry(settings, messages);
            ringUp(entry);
            entry.unsettledSale = std::exchange(unsettled, 0);
            messages.clear();
            messages.answerNext(true);
            QVERIFY(entry.cancelSale());
            QCOMPARE(entry.unsettledSale, 0);
            QVERIFY(entry.lines().isEmpty());
            const QStringList told = storedThen ? QStringList{msg::cancelarVenda, msg::vendaJaGravada}
                                                : QStringList{msg::cancelarVenda};
            QCOMPARE(messages.texts(), told);
        } else {
            // Closing again: the sale is looked for before anything is written.
            const SalePayment::Outcome again = close(settings, messages, &unsettled);
            QVERIFY2(again == SalePayment::Outcome::Recorded, qPrintable(messages.transcript()));
            QCOMPARE(unsettled, 0);
            QCOMPARE(messages.texts(), storedThen ? QStringList{msg::vendaJaGravada} : QStringList());
        }
        const int storedSales = cancelled && !storedThen ? 0 : 1;
        Connection check;
        QVERIFY(check.open(path).ok());
        QCOMPARE(check.select(QStringLiteral("select count(*) from venda"))->integer(0, QStringLiteral("count")), storedSales);
        QCOMPARE(check.select(QStringLiteral("select count(*) from item_venda"))->integer(0, QStringLiteral("count")),
                 2 * storedSales);

        // The same program goes on as before.
        messages.clear();
        QCOMPARE(close(settings, messages, &unsettled), SalePayment::Outcome::Recorded);
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.transcript()));
        QCOMPARE(check.select(QStringLiteral("select count(*) from venda"))->integer(0, QStringLiteral("count")),
                 storedSales + 1);
    }

    void cleanupTestCase()
    {
        if (m_server)
            m_server->stop();
    }
};

QTEST_GUILESS_MAIN(TestSaleServerFaults)
#include "test_sale_server_faults.moc"
