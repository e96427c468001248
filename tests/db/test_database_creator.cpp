#include "db/connection.h"
#include "db/database_creator.h"
#include "db/schema.h"
#include "db/sql_script.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Creating a database from nothing, never over an existing one; the scripts
// it runs, split as isql would split them.
class TestDatabaseCreator : public QObject
{
    Q_OBJECT

private slots:
    void createsAReadyDatabase();
    void refusesAnExistingFile_data();
    void refusesAnExistingFile();
    void createsTheMissingFolder();
    void removesAHalfMadeDatabase();
    void recognisesServerPaths_data();
    void recognisesServerPaths();
    void splitsScripts_data();
    void splitsScripts();
    void everyScriptIsThereAndSplits();
};

void TestDatabaseCreator::createsAReadyDatabase()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("movimento.fdb"));
    QElapsedTimer timer;
    timer.start();
    const Result<void> created = createDatabase(path, false);
    QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));
    qInfo("createDatabase (base rows, synchronous writes) took %lld ms", timer.elapsed());

    Connection c;
    QVERIFY(c.open(path).ok());
    const Result<Rows> header = c.select(QStringLiteral("select mon$page_size, mon$forced_writes, mon$sql_dialect from mon$database"));
    QVERIFY(header.ok());
    QCOMPARE(header->integer(0, QStringLiteral("mon$page_size")), 8192);
    // What is committed is on the disk before the commit returns.
    QCOMPARE(header->integer(0, QStringLiteral("mon$forced_writes")), 1);
    QCOMPARE(header->integer(0, QStringLiteral("mon$sql_dialect")), 3);
    const Result<Rows> charset = c.select(QStringLiteral("select trim(rdb$character_set_name) as cs from rdb$database"));
    QCOMPARE(charset->text(0, QStringLiteral("cs")), QStringLiteral("UTF8"));
    QCOMPARE(c.select(QStringLiteral("select count(*) from estabelecimento"))->integer(0, QStringLiteral("count")), 1);
    QCOMPARE(c.select(QStringLiteral("select count(*) from produto"))->integer(0, QStringLiteral("count")), 0);
}

void TestDatabaseCreator::refusesAnExistingFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addRow("a file that is not a database") << QByteArray("cardapio da casa\r\n");
    QTest::addRow("an empty file") << QByteArray();
    QTest::addRow("a database") << QByteArray("database");
}

void TestDatabaseCreator::refusesAnExistingFile()
{
    QFETCH(QByteArray, content);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("movimento.fdb"));
    if (content == "database") {
        QVERIFY(createDatabase(path, true).ok());
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QFile before(path);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();
    before.close();

    const Result<void> again = createDatabase(path, false);
    QVERIFY(!again.ok());
    QVERIFY(again.failure().code.isEmpty());
    QVERIFY2(again.failure().text.contains(u"já existe"), qPrintable(again.failure().text));
    QVERIFY(again.failure().text.contains(path));

    QFile after(path);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), bytes);
    if (content == "database") {
        Connection c;
        QVERIFY(c.open(path).ok());
        QVERIFY(c.select(QStringLiteral("select count(*) from produto"))->integer(0, QStringLiteral("count")) > 0);
    }
}

void TestDatabaseCreator::createsTheMissingFolder()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("vorinda/dados/movimento.fdb"));
    QVERIFY(createDatabase(path, false).ok());
    QVERIFY(QFile::exists(path));
}

void TestDatabaseCreator::removesAHalfMadeDatabase()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("movimento.fdb"));
    CreateOptions options;
    options.extraStatements = {QStringLiteral("insert into caixa values (1, 'Repetido')")};
    const Result<void> created = createDatabase(path, false, options);
    QVERIFY(!created.ok());
    // The database's own refusal, with its code, and the file is gone, so
    // the same command can simply be run again.
    QCOMPARE(created.failure().code, QStringLiteral("-803"));
    QVERIFY(created.failure().text.contains(u"removido"));
    QVERIFY(!QFile::exists(path));
    QVERIFY(createDatabase(path, false).ok());
}

void TestDatabaseCreator::recognisesServerPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("server");
    QTest::addRow("absolute file") << "/home/bar/vorinda/movimento.fdb" << false;
    QTest::addRow("relative file") << "movimento.fdb" << false;
    QTest::addRow("relative with a colon") << "./a:b.fdb" << false;
    QTest::addRow("windows drive") << "c:\\vorinda\\movimento.fdb" << false;
    QTest::addRow("host and path") << "localhost:/dados/movimento.fdb" << true;
    QTest::addRow("host, port and path") << "servidor/3057:/dados/movimento.fdb" << true;
    QTest::addRow("address and windows path") << "192.168.0.10:C:\\dados\\movimento.fdb" << true;
    QTest::addRow("url form") << "inet://servidor/dados/movimento.fdb" << true;
}

void TestDatabaseCreator::recognisesServerPaths()
{
    QFETCH(QString, path);
    QFETCH(bool, server);
    QCOMPARE(isServerPath(path), server);
}

void TestDatabaseCreator::splitsScripts_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("statements");
    QTest::addRow("plain statements")
        << "create table a (x integer);\n\ncreate generator g;  \n"
        << QStringList{"create table a (x integer)", "create generator g"};
    QTest::addRow("last statement without terminator")
        << "delete from a;\nselect 1 from rdb$database" << QStringList{"delete from a", "select 1 from rdb$database"};
    QTest::addRow("semicolon inside a text")
        << "insert into a values ('x; y');\ninsert into a values ('it''s; here');"
        << QStringList{"insert into a values ('x; y')", "insert into a values ('it''s; here')"};
    QTest::addRow("comments dropped, even with semicolons")
        << "-- first; not a statement\ncreate generator g; /* block; comment */\n"
        << QStringList{"create generator g"};
    QTest::addRow("trigger bodies between set term")
        << "set term ^ ;\ncreate trigger t for a before insert as\nbegin\n  new.x = 1;\nend^\nset term ; ^\ncreate index i on a (x);"
        << QStringList{"create trigger t for a before insert as\nbegin\n  new.x = 1;\nend", "create index i on a (x)"};
    QTest::addRow("comment marks inside a text are text")
        << "insert into a values ('-- no /* no */');" << QStringList{"insert into a values ('-- no /* no */')"};
}

void TestDatabaseCreator::splitsScripts()
{
    QFETCH(QString, script);
    QFETCH(QStringList, statements);
    QCOMPARE(splitSqlScript(script), statements);
}

void TestDatabaseCreator::everyScriptIsThereAndSplits()
{
    const QStringList names = schema::scriptNames(true);
    QCOMPARE(names.size(), 7);
    QVERIFY(!schema::scriptNames(false).contains(names.last()));
    for (const QString& name : names) {
        const QStringList statements = splitSqlScript(schema::scriptText(name));
        QVERIFY2(!statements.isEmpty(), qPrintable(name));
        for (const QString& statement : statements)
            QVERIFY2(!statement.contains(QStringLiteral("set term"), Qt::CaseInsensitive), qPrintable(statement));
    }
}

QTEST_GUILESS_MAIN(TestDatabaseCreator)
#include "test_database_creator.moc"
