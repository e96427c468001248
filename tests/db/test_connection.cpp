#include "db/connection.h"
#include "db/transaction.h"
#include "tests/support/test_database.h"

#include <QSqlError>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

// The one connection: reads that close at once, the transaction guard,
// generators reached only through checked names, and failures as the error
// handler expects them.
class TestConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    static qint64 count(Connection& c, const QString& sql)
    {
        const Result<Rows> rows = c.select(sql);
        return rows ? rows->integer(0, QStringLiteral("count")) : -1;
    }

private slots:
    // A fresh copy of the demo database for every test.
    void init()
    {
        m_db = std::make_unique<TestDatabase>(TestDatabase::Demo);
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
    }
    void cleanup() { m_db.reset(); }

    // Another workstation sees a sale only once committed; however else the unit
    // ends nothing of it stays and its key is a gap. A second guard is refused.
    void unitIsAllOrNothing_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("code"); // of the statement refused inside the unit
        const QString item = QStringLiteral("insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal");
        QTest::addRow("commit") << "commit" << "";
        QTest::addRow("scope left") << "" << "";
        QTest::addRow("rollback") << "rollback" << "";
        QTest::addRow("connection closed") << "close" << "";
        QTest::addRow("trigger refusal") << item + ") values (null, 1, 1, 0, 7, 0)" << "-836";
        QTest::addRow("duplicate key") << "insert into venda (ncodigo) values (1)" << "-803";
    }
    void unitIsAllOrNothing()
    {
        QFETCH(QString, end);
        QFETCH(QString, code);
        Connection& other = m_db->connection();
        Connection c;
        QVERIFY(c.open(m_db->path()).ok());
        const QString lines = QStringLiteral("select count(*) from item_venda");
        {
            Transaction unit(c);
            QVERIFY(unit.begun());
            const Result<qint64> key = c.generator(QStringLiteral("venda"), 1);
            QVERIFY(c.execute(QStringLiteral("insert into venda (ncodigo, ncaixa_venda) values (?, 1)"), {SqlValue::integer(*key)}).ok());
            QVERIFY(c.execute(QStringLiteral("insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal) "
                                             "values (null, ?, 1, 1, 7, 7)"), {SqlValue::integer(*key)}).ok());
            {
                Transaction inner(c);
                QVERIFY(!inner.begun());
                QVERIFY(!inner.failure().text.isEmpty());
                QVERIFY(!inner.commit().ok());
            }
            QVERIFY(c.inTransaction());
            QCOMPARE(count(c, lines), 1);
            QCOMPARE(count(other, lines), 0);
            if (!code.isEmpty()) {
                const Result<int> bad = c.execute(end);
                QVERIFY(!bad.ok());
                QCOMPARE(bad.failure().code, code);
            } else if (end == u"commit") {
                QVERIFY(unit.commit().ok());
            } else if (end == u"rollback") {
                unit.rollback();
            } else if (end == u"close") {
                c.close();
            }
            if (code.isEmpty() && !end.isEmpty())
                QVERIFY(!unit.commit().ok());
        }
        QVERIFY(!c.inTransaction());
        const int kept = end == u"commit" ? 1 : 0;
        QCOMPARE(count(other, QStringLiteral("select count(*) from venda")), kept);
        QCOMPARE(count(other, lines), kept);
        QCOMPARE(*other.generator(QStringLiteral("venda"), 0), 1);
        if (!c.isOpen())
            QVERIFY(c.open(m_db->path()).ok());
        QVERIFY(c.execute(QStringLiteral("insert into caixa values (3, 'Tres')")).ok());
        QCOMPARE(count(other, QStringLiteral("select count(*) from caixa where ncodigo = 3")), 1);
    }

    // An admission sale's units: one insert run per unit; any refusal leaves none.
    void oneStatementForManyRows_data()
    {
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<bool>("inTransaction");
        QTest::addColumn<int>("stored");
        QTest::addRow("three units in one unit of work") << QList<int>{10, 11, 12} << true << 3;
        QTest::addRow("three units committing one by one") << QList<int>{10, 11, 12} << false << 3;
        QTest::addRow("duplicate in the middle") << QList<int>{10, 1, 12} << true << 0;
        QTest::addRow("value beyond its column in the middle") << QList<int>{10, -1, 12} << true << 0;
    }
    void oneStatementForManyRows()
    {
        QFETCH(QList<int>, codes);
        QFETCH(bool, inTransaction);
        QFETCH(int, stored);
        Connection& c = m_db->connection();
        QList<SqlParams> rows;
        for (int code : codes)
            rows.append({SqlValue::integer(code < 0 ? qint64(1) << 40 : code), SqlValue::text(QStringLiteral("Caixa %1").arg(code))});
        std::optional<Transaction> unit;
        if (inTransaction)
            unit.emplace(c);
        const Result<int> run = c.executeEach(QStringLiteral("insert into caixa values (?, ?)"), rows);
        QCOMPARE(run.ok(), stored == int(codes.size()));
        if (run.ok()) {
            QCOMPARE(*run, stored);
            if (unit)
                QVERIFY(unit->commit().ok());
        }
        unit.reset();
        std::unique_ptr<Connection> other = m_db->openAnother();
        QCOMPARE(count(*other, QStringLiteral("select count(*) from caixa where ncodigo >= 10")), stored);
    }

    // Rows touched (-1: refused); afterwards no transaction is left open.
    void statementsCloseTheirTransaction_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("touched");
        QTest::addRow("read") << "select * from produto" << 0;
        QTest::addRow("insert of one row") << "insert into caixa (ncodigo, coperador) values (9, 'Nove')" << 1;
        QTest::addRow("insert from a select") << "insert into temp (ncampo4) select ncodigo from produto" << 15;
        QTest::addRow("update of a row not there") << "update estabelecimento set cfantasia = 'X' where ncodigo = 2" << 0;
        QTest::addRow("definition") << "create generator extra" << 0;
        QTest::addRow("refused change") << "delete from estabelecimento" << -1;
    }
    void statementsCloseTheirTransaction()
    {
        QFETCH(QString, sql);
        QFETCH(int, touched);
        Connection& c = m_db->connection();
        const qint64 me = c.select(QStringLiteral("select current_connection as me from rdb$database"))->integer(0, QStringLiteral("me"));
        if (sql.startsWith(u"select")) {
            QVERIFY(c.select(sql).ok());
        } else {
            const Result<int> run = c.execute(sql);
            QCOMPARE(run.ok(), touched >= 0);
            if (run.ok())
                QCOMPARE(*run, touched);
        }
        std::unique_ptr<Connection> other = m_db->openAnother();
        const Result<Rows> open = other->select(QStringLiteral("select count(*) from mon$transactions where mon$attachment_id = ?"),
                                                {SqlValue::bigint(me)});
        QCOMPARE(open->integer(0, QStringLiteral("count")), 0);
    }

    // Generator names go into the statement's text: only plain names pass.
    void generatorsByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("outcome");
        QTest::addRow("plain name in capitals") << "NUMERO_VENDA" << "ok";
        QTest::addRow("generator not there") << "nao_existe" << "database";
        QTest::addRow("statement after the name") << "venda,0) from rdb$database; delete from venda; --" << "refused";
        QTest::addRow("empty") << "" << "refused";
        QTest::addRow("too long") << QString(40, u'a') << "refused";
    }
    void generatorsByName()
    {
        QFETCH(QString, name);
        QFETCH(QString, outcome);
        Connection& c = m_db->connection();
        const Result<void> set = c.setGenerator(name, 41);
        const Result<qint64> drawn = c.generator(name, 1);
        QCOMPARE(set.ok(), outcome == u"ok");
        QCOMPARE(drawn.ok(), outcome == u"ok");
        if (drawn.ok()) {
            QCOMPARE(*drawn, 42);
            QCOMPARE(*c.generator(QStringLiteral("numero_venda"), 0), 42);
        } else {
            QCOMPARE(drawn.failure().code.isEmpty(), outcome == u"refused");
        }
        QCOMPARE(*c.generator(QStringLiteral("venda"), 0), 0);
    }

    // A missing file keeps the driver's text and code; a server out of reach
    // is told in Portuguese, without Firebird's English network words.
    void openFailureSaysWhy_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("unreachable");
        QTest::addRow("missing file") << "missing.fdb" << false;
        QTest::addRow("server that is not there") << "localhost/3:/tmp/none.fdb" << true;
    }
    void openFailureSaysWhy()
    {
        QFETCH(QString, path);
        QFETCH(bool, unreachable);
        QTemporaryDir folder;
        Connection c;
        const Result<void> opened = c.open(path.contains(u':') ? path : folder.filePath(path));
        QVERIFY(!opened.ok());
        QVERIFY(!c.isOpen());
        const Failure& failure = opened.failure();
        QCOMPARE(failure.lost, unreachable);
        QCOMPARE(failure.code.isEmpty(), unreachable);
        QCOMPARE(failure.text.startsWith(QStringLiteral("Sem conexão com o servidor do banco de dados")), unreachable);
        QVERIFY2(!failure.text.contains(QStringLiteral("network")), qPrintable(failure.text));
        QVERIFY(!c.select(QStringLiteral("select * from caixa")).ok());
    }

    // Column names are cached per statement text; an alias is another text.
    void columnsFollowEachStatementText()
    {
        Connection& c = m_db->connection();
        const QString plain = QStringLiteral("select nvalor_venda from produto where ncodigo = ?");
        const QString aliased = QStringLiteral("select nvalor_venda as preco from produto where ncodigo = ?");
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(c.select(plain, {SqlValue::integer(1)})->text(0, QStringLiteral("nvalor_venda")), QStringLiteral("7"));
            QCOMPARE(c.select(aliased, {SqlValue::integer(2)})->text(0, QStringLiteral("preco")), QStringLiteral("12"));
        }
        const Result<Rows> none = c.select(plain, {SqlValue::integer(999)});
        QVERIFY(none.ok());
        QVERIFY(none->isEmpty());
        QCOMPARE(none->columns(), QStringList{QStringLiteral("NVALOR_VENDA")});
    }

    // A change that hands back its row is read as that one row, inside a
    // unit and on its own (the driver repeats it on every fetch).
    void changeReturningItsRow()
    {
        Connection& c = m_db->connection();
        const QString sql = QStringLiteral("insert into grupo (ncodigo, cdescricao) values (null, ?) returning ncodigo");
        const Result<Rows> alone = c.select(sql, {SqlValue::text(QStringLiteral("Sozinho"))});
        QVERIFY2(alone.ok(), qPrintable(alone.ok() ? QString() : alone.failure().description()));
        QCOMPARE(alone->count(), 1);
        qint64 inUnit = 0;
        {
            Transaction unit(c);
            const Result<Rows> row = c.select(sql, {SqlValue::text(QStringLiteral("Na unidade"))});
            QVERIFY(row.ok());
            QCOMPARE(row->count(), 1);
            inUnit = row->integer(0, QStringLiteral("ncodigo"));
            QVERIFY(unit.commit().ok());
        }
        QCOMPARE(inUnit, alone->integer(0, QStringLiteral("ncodigo")) + 1);
        QCOMPARE(count(c, QStringLiteral("select count(*) from grupo where cdescricao in ('Sozinho', 'Na unidade')")), 2);
    }

    // The operator reads what follows "{ini}"; trigger contexts are dropped.
    void failureFromDriverError_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("databaseText");
        QTest::addColumn<QString>("description");
        QTest::addRow("trigger context dropped")
            << "-836" << "exception 1 - E_X - {ini}Valor inválido! - At trigger 'V_BI' line: 3, col: 9"
            << "Erro do banco de dados, código=-836: exception 1 - E_X - {ini}Valor inválido!";
        QTest::addRow("other codes kept whole")
            << "-803" << "violation of PRIMARY KEY \"PK\" - At trigger 'X' line: 1, col: 1"
            << "Erro do banco de dados, código=-803: violation of PRIMARY KEY \"PK\" - At trigger 'X' line: 1, col: 1";
        QTest::addRow("no code and no database text: the driver's alone") << "" << "" << "driver says no";
    }
    void failureFromDriverError()
    {
        QFETCH(QString, code);
        QFETCH(QString, databaseText);
        QFETCH(QString, description);
        const Failure failure = failureFrom(QSqlError(QStringLiteral("driver says no"), databaseText, QSqlError::StatementError, code));
        QCOMPARE(failure.code, code);
        QCOMPARE(failure.isDatabaseRefusal(), !code.isEmpty());
        QCOMPARE(failure.description(), description);
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "test_connection.moc"
