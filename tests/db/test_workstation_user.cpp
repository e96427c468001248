#include "db/connection.h"
#include "db/database_creator.h"
#include "db/transaction.h"
#include "tests/support/firebird_server.h"

#include <QTest>

// The user the workstations log in as on a server: everything the counters
// and the console do to the bar's rows, nothing to the schema.
class TestWorkstationUser : public QObject
{
    Q_OBJECT

private slots:
    void rightsOnTheBarsRowsOnly()
    {
        FirebirdServer server;
        QString why;
        if (!server.start(&why))
            QSKIP(qPrintable(why));
        const QString path = server.databasePath(QStringLiteral("bar.fdb"));
        CreateOptions options;
        options.workstations = DatabaseLogin{QStringLiteral("caixas"), QStringLiteral("it's a \"secret\"")};
        const Result<void> created = createDatabase(path, true, options);
        QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));

        Connection c;
        const Result<void> opened = c.open(path, *options.workstations);
        QVERIFY2(opened.ok(), qPrintable(opened.ok() ? QString() : opened.failure().description()));
        QCOMPARE(c.select(QStringLiteral("select current_user as u from rdb$database"))->text(0, QStringLiteral("u")),
                 QStringLiteral("CAIXAS"));
        {
            Transaction sale(c);
            const Result<qint64> key = c.generator(QStringLiteral("venda"), 1);
            QVERIFY(key.ok());
            QVERIFY(c.execute(QStringLiteral("insert into venda (ncodigo, ncaixa_venda) values (?, 1)"), {SqlValue::integer(*key)}).ok());
            const Result<int> line = c.execute(QStringLiteral(
                "insert into item_venda (ncodigo,nvenda,nproduto,nqtde,npreco,ntotal,cexcluido,nnumero,cvenda_interna) "
                "values (null,?,1,1,7,7,'Nao',(select gen_id(numero_venda,1) from rdb$database),'N')"), {SqlValue::integer(*key)});
            QVERIFY2(line.ok(), qPrintable(line.ok() ? QString() : line.failure().description()));
            QVERIFY(sale.commit().ok());
        }
        QVERIFY(c.execute(QStringLiteral("update item_venda set cexcluido = 'Sim' where nvenda = 1")).ok());
        QVERIFY(c.setGenerator(QStringLiteral("numero_entrada"), 500).ok());
        QVERIFY(c.execute(QStringLiteral("delete from temp")).ok());
        // A refusal by the database's own exception reaches the operator.
        QCOMPARE(c.execute(QStringLiteral("delete from estabelecimento")).failure().code, QStringLiteral("-836"));
        // The schema is not theirs.
        QVERIFY(!c.execute(QStringLiteral("create table intruso (n integer)")).ok());
        QVERIFY(!c.execute(QStringLiteral("drop table temp")).ok());

        const DatabaseLogin wrong{QStringLiteral("caixas"), QStringLiteral("errada")};
        Connection refused;
        const Result<void> denied = refused.open(path, wrong);
        QVERIFY(!denied.ok());
        QVERIFY(denied.failure().text.contains(QStringLiteral("recusou o usuário \"caixas\"")));
    }

    void loginsThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addRow("name with a quote") << "bar\"x" << "segredo";
        QTest::addRow("name with a blank") << "bar x" << "segredo";
        QTest::addRow("SYSDBA itself") << "sysdba" << "segredo";
        QTest::addRow("empty password") << "bar" << "";
        QTest::addRow("line break in the password") << "bar" << "a\nb";
        QTest::addRow("password beyond Latin-1") << "bar" << "senha€";
    }
    void loginsThatCannotBeWritten()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QVERIFY(!checkWorkstationLogin(DatabaseLogin{user, password}).ok());
    }
};

QTEST_GUILESS_MAIN(TestWorkstationUser)
#include "test_workstation_user.moc"
