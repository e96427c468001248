#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "entries/entry_screen.h"
#include "tests/support/firebird_server.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/server_faults.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// The admission counter's server dies while a batch of units is committed:
// once it is back, the same program works again, the batch is stored once
// (all its units or none) and the operator is told what was stored.
class TestEntryServerFaults : public QObject
{
    Q_OBJECT

    std::unique_ptr<FirebirdServer> m_server;
    int m_round = 0;

private slots:
    void initTestCase()
    {
        m_server = std::make_unique<FirebirdServer>();
        QString why;
        if (!m_server->start(&why))
            QSKIP(qPrintable(why));
    }

    void batchBrokenByTheServer_data()
    {
        QTest::addColumn<bool>("afterCommit");
        QTest::addColumn<bool>("leaving");   // Escape or F8 once the server is back, instead of Enter
        QTest::addRow("killed before the commit") << false << false;
        QTest::addRow("killed after the commit, reply lost") << true << false;
        QTest::addRow("killed before the commit, then leaving") << false << true;
        QTest::addRow("killed after the commit, then leaving") << true << true;
    }
    void batchBrokenByTheServer()
    {
        QFETCH(bool, afterCommit);
        QFETCH(bool, leaving);
        const QString path = m_server->databasePath(QStringLiteral("entradas%1.fdb").arg(++m_round));
        QVERIFY(createDatabase(path, true).ok());
        QTemporaryDir dataDir;
        Connection conexao;
        QVERIFY(conexao.open(path).ok());
        ConnectionLimits limits;
        limits.retryMs = 200;
        conexao.setLimits(limits);
        TerminalSettings settings;
        settings.conexao = &conexao;
        settings.caminho_banco = path;
        settings.numero_caixa = 2;
        settings.modo_impressao = 2;
        settings.nome_fantasia = QStringLiteral("Bar Estrela");
        settings.dataDir = dataDir.path();
        ScriptedMessages messages;
        EntryScreen screen(settings, messages);
        screen.load();
        QVERIFY(!screen.tipos().isEmpty());

        const CommitFault fault = afterCommit ? CommitFault::KillAfter : CommitFault::KillBefore;
        bool fired = false;
        conexao.setFaultHook(breakAtCommit(*m_server, fault, fired));

        screen.setQtde(QStringLiteral("4"));
        QVERIFY(screen.leaveQuantity());
        QVERIFY(!screen.record());
        QVERIFY(fired);
        QCOMPARE(messages.texts(), QStringList{msg::entradaIndefinida});
        QVERIFY(screen.hasUnsettledSale());
        QCOMPARE(screen.qtde(), QStringLiteral("4"));

        // Leaving while the server is away is refused: the sale would be forgotten.
        QThread::msleep(limits.retryMs + 50);
        messages.clear();
        QVERIFY(!screen.settleBeforeLeaving());
        QCOMPARE(messages.texts(), QStringList{msg::entradaIndefinida});
        QVERIFY(screen.hasUnsettledSale());

        QString why;
        QVERIFY2(bringBack(*m_server, fault, limits.retryMs, &why), qPrintable(why));

        // Enter again, or leaving: the batch is looked for before anything else.
        messages.clear();
        QVERIFY(leaving ? screen.settleBeforeLeaving() : screen.record());
        QVERIFY(!screen.hasUnsettledSale());
        if (leaving && !afterCommit) {
            QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.transcript()));
            Connection check;
            QVERIFY(check.open(path).ok());
            QCOMPARE(check.select(QStringLiteral("select count(*) from entrada"))->integer(0, QStringLiteral("count")), 0);
            return;
        }
        QCOMPARE(screen.qtde(), QStringLiteral("1"));
        QCOMPARE(messages.shown().size(), afterCommit ? 1 : 0);
        if (afterCommit)
            QVERIFY(messages.texts().at(0).startsWith(QStringLiteral("A venda de entradas que estava na tela já tinha sido gravada")));
        QVERIFY(screen.lastTicket().has_value());
        QVERIFY(screen.lastTicket()->dataEntrada.isValid());

        Connection check;
        QVERIFY(check.open(path).ok());
        QCOMPARE(check.select(QStringLiteral("select count(*) from entrada"))->integer(0, QStringLiteral("count")), 4);

        // The same program goes on as before.
        messages.clear();
        if (leaving) {
            screen.setQtde(QStringLiteral("1"));
            QVERIFY(screen.leaveQuantity());
        }
        QVERIFY(screen.record());
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.transcript()));
        QCOMPARE(check.select(QStringLiteral("select count(*) from entrada"))->integer(0, QStringLiteral("count")), 5);
    }

    void cleanupTestCase()
    {
        if (m_server)
            m_server->stop();
    }
};

QTEST_GUILESS_MAIN(TestEntryServerFaults)
#include "test_entry_server_faults.moc"
