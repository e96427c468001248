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

private slots:
    void failedStatementLeavesNoPartOfTheUnit_data();
    void failedStatementLeavesNoPartOfTheUnit();
    void unitSeesItsOwnRowsOthersOnlyAfterCommit();
    void guardLeftWithoutCommitRollsBack();
    void secondGuardOnOneConnectionIsRefused();
    void closingGivesUpWhatWasNotCommitted();
    void noTransactionLeftOpenAfterAStatement_data();
    void noTransactionLeftOpenAfterAStatement();

    void oneStatementForManyRows_data();
    void oneStatementForManyRows();
    void rowsTouchedByAChange_data();
    void rowsTouchedByAChange();
    void generatorReadAdvancedAndSet();
    void generatorNamesOutsideTheWhitelistRefused_data();
    void generatorNamesOutsideTheWhitelistRefused();

    void openFailureCarriesTheDriversText_data();
    void openFailureCarriesTheDriversText();
    void columnsFollowEachStatementText();

    void failureFromDriverError_data();
    void failureFromDriverError();
    void descriptionPutsTheCodeWhereTheHandlerLooks_data();
    void descriptionPutsTheCodeWhereTheHandlerLooks();

private:
    static qint64 count(Connection& c, const QString& sql)
    {
        const Result<Rows> rows = c.select(sql);
        return rows ? rows->integer(0, QStringLiteral("count")) : -1;
    }
};

// A sale whose second line is refused must leave neither the sale nor its
// first line behind.
void TestConnection::failedStatementLeavesNoPartOfTheUnit_data()
{
    QTest::addColumn<QString>("badLine");
    QTest::addColumn<QString>("code");
    QTest::addRow("unknown product") << "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal) values (null, 1, 999, 1, 7, 7)" << "-530";
    QTest::addRow("trigger refusal") << "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal) values (null, 1, 1, 0, 7, 0)" << "-836";
    QTest::addRow("duplicate key") << "insert into venda (ncodigo) values (1)" << "-803";
    QTest::addRow("text too long") << "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, cmotivo_exclusao) values (null, 1, 1, 1, 7, 7, lpad('', 101, 'x'))" << "-802";
}

void TestConnection::failedStatementLeavesNoPartOfTheUnit()
{
    QFETCH(QString, badLine);
    QFETCH(QString, code);
    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    {
        Transaction unit(c);
        QVERIFY(unit.begun());
        QVERIFY(c.inTransaction());
        const Result<qint64> key = c.generator(QStringLiteral("venda"), 1);
        QVERIFY(key.ok());
        QVERIFY(c.execute(QStringLiteral("insert into venda (ncodigo, ncaixa_venda, ddata_venda) values (?, 1, null)"),
                          {SqlValue::integer(*key)}).ok());
        QVERIFY(c.execute(QStringLiteral("insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal) values (null, ?, 1, 1, 7, 7)"),
                          {SqlValue::integer(*key)}).ok());
        const Result<int> bad = c.execute(badLine);
        QVERIFY(!bad.ok());
        QCOMPARE(bad.failure().code, code);
    }
    QVERIFY(!c.inTransaction());
    QCOMPARE(count(c, QStringLiteral("select count(*) from venda")), 0);
    QCOMPARE(count(c, QStringLiteral("select count(*) from item_venda")), 0);
    // The key drawn is gone for good: a gap, never a number used twice.
    QCOMPARE(*c.generator(QStringLiteral("venda"), 0), 1);
}

void TestConnection::unitSeesItsOwnRowsOthersOnlyAfterCommit()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    std::unique_ptr<Connection> other = db.openAnother();
    QVERIFY(other);
    Transaction unit(c);
    QVERIFY(unit.begun());
    QVERIFY(c.execute(QStringLiteral("insert into caixa values (7, 'Sete')")).ok());
    QCOMPARE(count(c, QStringLiteral("select count(*) from caixa where ncodigo = 7")), 1);
    QCOMPARE(count(*other, QStringLiteral("select count(*) from caixa where ncodigo = 7")), 0);
    QVERIFY(unit.commit().ok());
    QVERIFY(!c.inTransaction());
    QCOMPARE(count(*other, QStringLiteral("select count(*) from caixa where ncodigo = 7")), 1);
    QVERIFY(!unit.commit().ok());
}

void TestConnection::guardLeftWithoutCommitRollsBack()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    {
        Transaction unit(c);
        QVERIFY(c.execute(QStringLiteral("delete from horario")).ok());
        QCOMPARE(count(c, QStringLiteral("select count(*) from horario")), 0);
    }
    QCOMPARE(count(c, QStringLiteral("select count(*) from horario")), 1);
    // After the guard the connection commits statement by statement again.
    QVERIFY(c.execute(QStringLiteral("insert into caixa values (3, 'Tres')")).ok());
    std::unique_ptr<Connection> other = db.openAnother();
    QCOMPARE(count(*other, QStringLiteral("select count(*) from caixa where ncodigo = 3")), 1);
}

void TestConnection::secondGuardOnOneConnectionIsRefused()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    Transaction outer(c);
    QVERIFY(outer.begun());
    QVERIFY(c.execute(QStringLiteral("insert into caixa values (5, 'Cinco')")).ok());
    {
        Transaction inner(c);
        QVERIFY(!inner.begun());
        QVERIFY(!inner.failure().text.isEmpty());
        QVERIFY(!inner.commit().ok());
    }
    // The inner guard neither committed nor rolled back the outer work.
    QVERIFY(c.inTransaction());
    QCOMPARE(count(c, QStringLiteral("select count(*) from caixa where ncodigo = 5")), 1);
    outer.rollback();
    QCOMPARE(count(c, QStringLiteral("select count(*) from caixa where ncodigo = 5")), 0);
}

void TestConnection::closingGivesUpWhatWasNotCommitted()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection c;
    QVERIFY(c.open(db.path()).ok());
    Transaction unit(c);
    QVERIFY(c.execute(QStringLiteral("insert into caixa values (4, 'Quatro')")).ok());
    c.close();
    QVERIFY(!c.isOpen());
    QVERIFY(!c.inTransaction());
    QVERIFY(!unit.commit().ok());
    QCOMPARE(count(db.connection(), QStringLiteral("select count(*) from caixa where ncodigo = 4")), 0);
    // The file is free again: a new connection opens and works.
    QVERIFY(c.open(db.path()).ok());
    QCOMPARE(count(c, QStringLiteral("select count(*) from caixa")), 1);
}

// A statement left holding its transaction would keep old snapshots and
// locks behind a screen; another workstation sees none open afterwards.
void TestConnection::noTransactionLeftOpenAfterAStatement_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addRow("read with rows") << "select * from produto";
    QTest::addRow("read without rows") << "select * from venda";
    QTest::addRow("generator draw") << "select gen_id(venda,1) from rdb$database";
    QTest::addRow("change") << "update produto set nativo = 1";
    QTest::addRow("refused change") << "delete from estabelecimento";
}

void TestConnection::noTransactionLeftOpenAfterAStatement()
{
    QFETCH(QString, sql);
    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    const qint64 me = c.select(QStringLiteral("select current_connection from rdb$database"))->integer(0, QStringLiteral("current_connection"));
    if (sql.startsWith(u"select"))
        QVERIFY(c.select(sql).ok());
    else
        (void)c.execute(sql);
    std::unique_ptr<Connection> other = db.openAnother();
    QVERIFY(other);
    const Result<Rows> open = other->select(QStringLiteral("select count(*) from mon$transactions where mon$attachment_id = ?"),
                                            {SqlValue::bigint(me)});
    QVERIFY(open.ok());
    QCOMPARE(open->integer(0, QStringLiteral("count")), 0);
}

// The units of an admission sale: one insert prepared once, run per unit.
// A refusal (by the database or by the value check) on any unit leaves none.
void TestConnection::oneStatementForManyRows_data()
{
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<bool>("inTransaction");
    QTest::addColumn<int>("stored");
    QTest::addRow("three units in one unit of work") << QList<int>{10, 11, 12} << true << 3;
    QTest::addRow("three units committing one by one") << QList<int>{10, 11, 12} << false << 3;
    QTest::addRow("duplicate in the middle") << QList<int>{10, 1, 12} << true << 0;
    QTest::addRow("value beyond its column in the middle") << QList<int>{10, -1, 12} << true << 0;
    QTest::addRow("no rows") << QList<int>{} << true << 0;
}

void TestConnection::oneStatementForManyRows()
{
    QFETCH(QList<int>, codes);
    QFETCH(bool, inTransaction);
    QFETCH(int, stored);
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    QList<SqlParams> rows;
    for (int code : codes) {
        const qint64 value = code < 0 ? qint64(1) << 40 : code;
        rows.append({SqlValue::integer(value), SqlValue::text(QStringLiteral("Caixa %1").arg(code))});
    }
    const QString insert = QStringLiteral("insert into caixa values (?, ?)");
    std::optional<Transaction> unit;
    if (inTransaction)
        unit.emplace(c);
    const Result<int> run = c.executeEach(insert, rows);
    QCOMPARE(run.ok(), stored == int(codes.size()));
    if (run.ok()) {
        QCOMPARE(*run, stored);
        if (unit)
            QVERIFY(unit->commit().ok());
    }
    unit.reset();
    std::unique_ptr<Connection> other = db.openAnother();
    QCOMPARE(count(*other, QStringLiteral("select count(*) from caixa where ncodigo >= 10")), stored);
    QCOMPARE(count(*other, QStringLiteral("select count(*) from caixa")), 1 + stored);
}

void TestConnection::rowsTouchedByAChange_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("touched");
    QTest::addRow("insert of one row") << "insert into caixa (ncodigo, coperador) values (9, 'Nove')" << 1;
    QTest::addRow("insert with a sub-select value") << "insert into caixa values ((select max(ncodigo) + 1 from caixa), 'X')" << 1;
    QTest::addRow("insert from a select") << "insert into temp (ncampo4) select ncodigo from produto" << 15;
    QTest::addRow("update of every product") << "update produto set nativo = 0" << 15;
    QTest::addRow("update of a row not there") << "update estabelecimento set cfantasia = 'X' where ncodigo = 2" << 0;
    QTest::addRow("delete of some") << "delete from produto where ngrupo = 2" << 3;
    QTest::addRow("definition") << "create generator extra" << 0;
}

void TestConnection::rowsTouchedByAChange()
{
    QFETCH(QString, sql);
    QFETCH(int, touched);
    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    const Result<int> run = db.connection().execute(sql);
    QVERIFY2(run.ok(), qPrintable(run.ok() ? QString() : run.failure().description()));
    QCOMPARE(*run, touched);
}

void TestConnection::generatorReadAdvancedAndSet()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    QCOMPARE(*c.generator(QStringLiteral("numero_venda"), 0), 0);
    QCOMPARE(*c.generator(QStringLiteral("numero_venda"), 1), 1);
    QCOMPARE(*c.generator(QStringLiteral("numero_venda"), 0), 1);
    QVERIFY(c.setGenerator(QStringLiteral("numero_venda"), 41).ok());
    QCOMPARE(*c.generator(QStringLiteral("numero_venda"), 1), 42);
    QVERIFY(c.setGenerator(QStringLiteral("NUMERO_VENDA"), 0).ok());
    QCOMPARE(*c.generator(QStringLiteral("numero_venda"), 0), 0);
    // A generator that does not exist is the database's refusal, with its code.
    const Result<qint64> missing = c.generator(QStringLiteral("nao_existe"), 0);
    QVERIFY(!missing.ok());
    QVERIFY(!missing.failure().code.isEmpty());
}

void TestConnection::generatorNamesOutsideTheWhitelistRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addRow("statement after the name") << "venda,0) from rdb$database; delete from venda; --";
    QTest::addRow("blank inside") << "numero venda";
    QTest::addRow("starts with a digit") << "1venda";
    QTest::addRow("empty") << "";
    QTest::addRow("quoted") << "\"venda\"";
    QTest::addRow("too long") << QString(40, u'a');
}

void TestConnection::generatorNamesOutsideTheWhitelistRefused()
{
    QFETCH(QString, name);
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    const Result<qint64> read = c.generator(name, 0);
    QVERIFY(!read.ok());
    QVERIFY(read.failure().code.isEmpty());
    QVERIFY(!c.setGenerator(name, 5).ok());
    QCOMPARE(*c.generator(QStringLiteral("venda"), 0), 0);
}

void TestConnection::openFailureCarriesTheDriversText_data()
{
    QTest::addColumn<QString>("path");
    QTest::addRow("missing file") << "missing.fdb";
    QTest::addRow("a folder") << ".";
    QTest::addRow("not a database") << "plain.txt";
    QTest::addRow("server that is not there") << "localhost/3:/tmp/none.fdb";
}

void TestConnection::openFailureCarriesTheDriversText()
{
    QFETCH(QString, path);
    QTemporaryDir folder;
    QFile plain(folder.filePath(QStringLiteral("plain.txt")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write(QByteArray(20000, 'x'));
    plain.close();
    const QString full = path.contains(u':') ? path : folder.filePath(path);
    Connection c;
    const Result<void> opened = c.open(full);
    QVERIFY(!opened.ok());
    QVERIFY(!c.isOpen());
    QVERIFY(!opened.failure().text.isEmpty());
    QVERIFY2(!opened.failure().code.isEmpty(), qPrintable(opened.failure().description()));
    // Every later statement fails cleanly instead of crashing.
    QVERIFY(!c.select(QStringLiteral("select * from caixa")).ok());
}

// Column names are remembered by statement text; another text (an alias) is
// another statement and gets its own names.
void TestConnection::columnsFollowEachStatementText()
{
    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    const QString plain = QStringLiteral("select nvalor_venda from produto where ncodigo = ?");
    const QString aliased = QStringLiteral("select nvalor_venda as preco from produto where ncodigo = ?");
    for (int round = 0; round < 2; ++round) {
        const Result<Rows> a = c.select(plain, {SqlValue::integer(1)});
        const Result<Rows> b = c.select(aliased, {SqlValue::integer(2)});
        QVERIFY(a.ok() && b.ok());
        QCOMPARE(a->columns(), QStringList{QStringLiteral("NVALOR_VENDA")});
        QCOMPARE(b->columns(), QStringList{QStringLiteral("PRECO")});
        QCOMPARE(a->money(0, QStringLiteral("nvalor_venda")), *Money::fromDecimalText(QStringLiteral("7")));
        QCOMPARE(b->money(0, QStringLiteral("preco")), *Money::fromDecimalText(QStringLiteral("12")));
    }
    const Result<Rows> none = c.select(plain, {SqlValue::integer(999)});
    QVERIFY(none.ok());
    QVERIFY(none->isEmpty());
    QCOMPARE(none->columns().size(), 1);
}

void TestConnection::failureFromDriverError_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("databaseText");
    QTest::addColumn<QString>("text");
    QTest::addRow("trigger context dropped")
        << "-836" << "exception 1 - E_X - {ini}Valor inválido! - At trigger 'V_BI' line: 3, col: 9"
        << "exception 1 - E_X - {ini}Valor inválido!";
    QTest::addRow("nested contexts dropped")
        << "-836" << "exception 2 - E_Y - {ini}Não pode. - At trigger 'A' line: 1, col: 1 - At trigger 'B' line: 2, col: 2"
        << "exception 2 - E_Y - {ini}Não pode.";
    QTest::addRow("procedure context dropped")
        << "-836" << "exception 3 - E_Z - {ini}Pare - At procedure 'P' line: 5, col: 3" << "exception 3 - E_Z - {ini}Pare";
    QTest::addRow("other codes kept whole")
        << "-803" << "violation of PRIMARY or UNIQUE KEY constraint \"PK\" on table \"T\" - At trigger 'X' line: 1, col: 1"
        << "violation of PRIMARY or UNIQUE KEY constraint \"PK\" on table \"T\" - At trigger 'X' line: 1, col: 1";
    QTest::addRow("no database text falls back to the driver's") << "" << "" << "driver says no";
}

void TestConnection::failureFromDriverError()
{
    QFETCH(QString, code);
    QFETCH(QString, databaseText);
    QFETCH(QString, text);
    const Failure failure = failureFrom(QSqlError(QStringLiteral("driver says no"), databaseText,
                                                  QSqlError::StatementError, code));
    QCOMPARE(failure.code, code);
    QCOMPARE(failure.text, text);
}

void TestConnection::descriptionPutsTheCodeWhereTheHandlerLooks_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("description");
    QTest::addRow("database refusal")
        << "-803" << "violation" << QStringLiteral("Erro do banco de dados, código=-803: violation");
    QTest::addRow("text with its own colons and equals")
        << "-530" << "a = b: c" << QStringLiteral("Erro do banco de dados, código=-530: a = b: c");
    QTest::addRow("our own failure has no code part")
        << "" << "O valor 9 está fora do limite" << QStringLiteral("O valor 9 está fora do limite");
}

void TestConnection::descriptionPutsTheCodeWhereTheHandlerLooks()
{
    QFETCH(QString, code);
    QFETCH(QString, text);
    QFETCH(QString, description);
    const Failure failure{code, text};
    QCOMPARE(failure.description(), description);
    QCOMPARE(failure.isDatabaseRefusal(), !code.isEmpty());
    if (!code.isEmpty()) {
        // What trata_erro_banco reads: after the first "=" up to the next ":".
        const qsizetype equals = description.indexOf(u'=');
        QCOMPARE(description.mid(equals + 1, description.indexOf(u':', equals) - equals - 1), code);
    }
}

QTEST_GUILESS_MAIN(TestConnection)
#include "test_connection.moc"
