#include "db/connection.h"
#include "db/transaction.h"
#include "db/waiting.h"
#include "tests/support/test_database.h"

#include <QElapsedTimer>
#include <QTest>

// A change that meets a record another workstation holds: the wait is
// shown within a moment, saying what it waits for, and given up cleanly
// after the limit, the connection still usable.
class TestConnectionWaits : public QObject
{
    Q_OBJECT

    struct Recorder final : Waiting
    {
        QElapsedTimer clock;
        qint64 firstShown = -1;
        QStringList texts;
        int pumps = 0;
        bool visible = false;
        void show(const QString& text) override
        {
            if (firstShown < 0)
                firstShown = clock.elapsed();
            texts.append(text);
            visible = true;
        }
        void pump() override { ++pumps; }
        void hide() override { visible = false; }
    };

private slots:
    void lockHeldElsewhereIsGivenUp_data()
    {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("change");
        QTest::addRow("same row updated")
            << "update caixa set coperador = 'Outro' where ncodigo = 1"
            << "update caixa set coperador = 'Eu' where ncodigo = 1";
        QTest::addRow("row deleted")
            << "update caixa set coperador = 'Outro' where ncodigo = 1"
            << "delete from caixa where ncodigo = 1";
        QTest::addRow("same key inserted")
            << "insert into caixa values (5, 'Outro')"
            << "insert into caixa values (5, 'Eu')";
    }
    void lockHeldElsewhereIsGivenUp()
    {
        QFETCH(QString, held);
        QFETCH(QString, change);
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        std::unique_ptr<Connection> other = db.openAnother();
        Transaction holding(*other);
        QVERIFY(other->execute(held).ok());

        Connection& c = db.connection();
        ConnectionLimits limits;
        limits.quietMs = 200;
        limits.lockMs = 1500;
        c.setLimits(limits);
        Recorder waiting;
        c.setWaiting(&waiting);
        waiting.clock.start();
        const Result<int> run = c.execute(change);
        const qint64 took = waiting.clock.elapsed();

        QVERIFY(!run.ok());
        QVERIFY(!run.failure().lost);
        QVERIFY(run.failure().code.isEmpty());
        QVERIFY2(run.failure().text.startsWith(QStringLiteral("Outro caixa está alterando um registro desta operação")),
                 qPrintable(run.failure().text));
        QVERIFY2(took >= limits.lockMs && took < limits.lockMs + 2000, qPrintable(QString::number(took)));
        QVERIFY2(waiting.firstShown >= limits.quietMs && waiting.firstShown < 1000,
                 qPrintable(QString::number(waiting.firstShown)));
        QVERIFY(waiting.texts.first().startsWith(QStringLiteral("Aguardando um registro que outro caixa está alterando")));
        QVERIFY(waiting.pumps > 10);
        QVERIFY(!waiting.visible);

        // Nothing changed, nothing left open; both go on.
        holding.rollback();
        QCOMPARE(c.select(QStringLiteral("select coperador from caixa where ncodigo = 1"))->text(0, QStringLiteral("coperador")),
                 db.connection().select(QStringLiteral("select coperador from caixa where ncodigo = 1"))->text(0, QStringLiteral("coperador")));
        QCOMPARE(c.select(QStringLiteral("select count(*) from caixa where ncodigo = 5"))->integer(0, QStringLiteral("count")), 0);
        QVERIFY(!c.inTransaction());
        QVERIFY(c.execute(change).ok());
    }

    // The usual statement answers within the quiet moment: nothing is shown.
    void quickCallsShowNothing()
    {
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        Recorder waiting;
        db.connection().setWaiting(&waiting);
        for (int i = 0; i < 50; ++i)
            QVERIFY(db.connection().select(QStringLiteral("select count(*) from caixa")).ok());
        QVERIFY(waiting.texts.isEmpty());
        QCOMPARE(waiting.pumps, 0);
    }
};

QTEST_GUILESS_MAIN(TestConnectionWaits)
#include "test_connection_waits.moc"
