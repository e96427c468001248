#include "db/connection.h"
#include "db/database_creator.h"
#include "db/transaction.h"
#include "tests/support/firebird_server.h"

#include <QSet>
#include <QTest>
#include <QThread>

#include <memory>

// The database on a real Firebird server, as several workstations use it.
class TestFirebirdServer : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FirebirdServer> m_server;
    QString m_path;

private slots:
    void initTestCase()
    {
        m_server = std::make_unique<FirebirdServer>();
        QString why;
        if (!m_server->start(&why))
            QSKIP(qPrintable(why));
        qInfo("private Firebird server on port %d (pid %lld) answered in %lld ms",
              m_server->port(), m_server->pid(), m_server->startMilliseconds());
        m_path = m_server->databasePath(QStringLiteral("movimento.fdb"));
        const Result<void> created = createDatabase(m_path, true);
        QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));
    }

    void cleanupTestCase()
    {
        if (!m_server)
            return;
        m_server->stop();
        QVERIFY(!m_server->isRunning());
    }

    void reachedByPathOverTcp()
    {
        Connection c;
        const Result<void> opened = c.open(m_path);
        QVERIFY2(opened.ok(), qPrintable(opened.ok() ? QString() : opened.failure().description()));
        const Result<Rows> state = c.select(QStringLiteral(
            "select a.mon$remote_protocol, d.mon$forced_writes, (select count(*) from produto) as produtos "
            "from mon$attachments a, mon$database d where a.mon$attachment_id = current_connection"));
        QVERIFY(state.ok());
        QVERIFY(state->text(0, QStringLiteral("mon$remote_protocol")).startsWith(QStringLiteral("TCP")));
        QCOMPARE(state->integer(0, QStringLiteral("mon$forced_writes")), 1);
        QCOMPARE(state->integer(0, QStringLiteral("produtos")), 15);
    }

    void workstationsSeeEachOthersCommitsOnly()
    {
        Connection a;
        Connection b;
        QVERIFY(a.open(m_path).ok());
        QVERIFY(b.open(m_path).ok());
        const QString countSales = QStringLiteral("select count(*) from venda where ncaixa_venda = 9");
        {
            Transaction unit(a);
            QVERIFY(a.execute(QStringLiteral("insert into venda (ncodigo, ncaixa_venda) values (null, 9)")).ok());
            QCOMPARE(b.select(countSales)->integer(0, QStringLiteral("count")), 0);
            QVERIFY(unit.commit().ok());
        }
        QCOMPARE(b.select(countSales)->integer(0, QStringLiteral("count")), 1);
    }

    // Four workstations, each its own connection in its own thread, drawing
    // document numbers at once: none is handed out twice.
    void workstationsDrawDistinctNumbers()
    {
        constexpr int workstations = 4;
        constexpr int draws = 50;
        QList<QList<qint64>> drawn(workstations);
        QList<QThread*> threads;
        for (int w = 0; w < workstations; ++w) {
            threads.append(QThread::create([this, &drawn, w] {
                Connection c;
                if (!c.open(m_path))
                    return;
                for (int i = 0; i < draws; ++i) {
                    const Result<qint64> n = c.generator(QStringLiteral("numero_venda"), 1);
                    if (n)
                        drawn[w].append(*n);
                }
            }));
            threads.last()->start();
        }
        for (QThread* thread : threads) {
            QVERIFY(thread->wait(60000));
            delete thread;
        }
        QSet<qint64> all;
        for (const QList<qint64>& numbers : drawn) {
            QCOMPARE(numbers.size(), draws);
            for (qint64 n : numbers)
                all.insert(n);
        }
        QCOMPARE(all.size(), workstations * draws);
    }

    // A PATH= naming a file the server does not have: the server's own refusal,
    // with its code, reaches the start-up's message unchanged.
    void missingDatabaseOnTheServerIsRefused()
    {
        Connection c;
        const Result<void> opened = c.open(QStringLiteral("localhost/%1:/nao/existe.fdb").arg(m_server->port()));
        QVERIFY(!opened.ok());
        QVERIFY(!opened.failure().code.isEmpty());
        QVERIFY(!opened.failure().text.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFirebirdServer)
#include "test_firebird_server.moc"
