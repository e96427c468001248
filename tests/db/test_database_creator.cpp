#include "db/connection.h"
#include "db/database_creator.h"
#include "db/sql_script.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Creating a database from nothing, never over an existing one; the scripts
// it runs, split as isql would split them.
class TestDatabaseCreator : public QObject
{
    Q_OBJECT

    static qint64 count(Connection& c, const char* table)
    {
        return c.select(QStringLiteral("select count(*) from %1").arg(QLatin1String(table)))->integer(0, QStringLiteral("count"));
    }

private slots:
    void createsAReadyDatabaseAndItsFolder()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("vorinda/dados/movimento.fdb"));
        const Result<void> created = createDatabase(path, false);
        QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));
        Connection c;
        QVERIFY(c.open(path).ok());
        // Forced writes: what is committed is on the disk before the commit returns.
        const Result<Rows> header = c.select(QStringLiteral(
            "select mon$page_size || '|' || mon$forced_writes || '|' || mon$sql_dialect || '|' || trim(rdb$character_set_name) as h "
            "from mon$database, rdb$database"));
        QCOMPARE(header->text(0, QStringLiteral("h")), QStringLiteral("8192|1|3|UTF8"));
        QCOMPARE(count(c, "estabelecimento"), 1);
        QCOMPARE(count(c, "produto"), 0);
    }

    void refusesAnExistingFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addRow("a file that is not a database") << QByteArray("cardapio da casa\r\n");
        QTest::addRow("an empty file") << QByteArray();
        QTest::addRow("a database") << QByteArray("database");
    }
    void refusesAnExistingFile()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("movimento.fdb"));
        QFile file(path);
        if (content == "database")
            QVERIFY(createDatabase(path, true).ok());
        else
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const Result<void> again = createDatabase(path, false);
        QVERIFY(!again.ok());
        QVERIFY(again.failure().code.isEmpty());
        QVERIFY2(again.failure().text.contains(u"já existe") && again.failure().text.contains(path), qPrintable(again.failure().text));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    // The database's own refusal, with its code, and the file is gone, so
    // the same command can simply be run again.
    void removesAHalfMadeDatabase()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("movimento.fdb"));
        CreateOptions options;
        options.extraStatements = {QStringLiteral("insert into caixa values (1, 'Repetido')")};
        const Result<void> created = createDatabase(path, false, options);
        QVERIFY(!created.ok());
        QCOMPARE(created.failure().code, QStringLiteral("-803"));
        QVERIFY(created.failure().text.contains(u"removido"));
        QVERIFY(!QFile::exists(path));
        QVERIFY(createDatabase(path, false).ok());
    }

    void recognisesServerPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("server");
        QTest::addRow("absolute file") << "/home/bar/vorinda/movimento.fdb" << false;
        QTest::addRow("relative with a colon") << "./a:b.fdb" << false;
        QTest::addRow("windows drive") << "c:\\vorinda\\movimento.fdb" << false;
        QTest::addRow("host and path") << "localhost:/dados/movimento.fdb" << true;
        QTest::addRow("host, port and path") << "servidor/3057:/dados/movimento.fdb" << true;
        QTest::addRow("url form") << "inet://servidor/dados/movimento.fdb" << true;
    }
    void recognisesServerPaths()
    {
        QFETCH(QString, path);
        QFETCH(bool, server);
        QCOMPARE(isServerPath(path), server);
    }

    void splitsScripts_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("statements");
        QTest::addRow("last statement without terminator")
            << "create table a (x integer);\n\ndelete from a;\nselect 1 from rdb$database"
            << QStringList{"create table a (x integer)", "delete from a", "select 1 from rdb$database"};
        QTest::addRow("semicolon inside a text")
            << "insert into a values ('x; y');\ninsert into a values ('it''s; here');"
            << QStringList{"insert into a values ('x; y')", "insert into a values ('it''s; here')"};
        QTest::addRow("comments dropped, even with semicolons")
            << "-- first; not a statement\ncreate generator g; /* block; comment */\n" << QStringList{"create generator g"};
        QTest::addRow("trigger bodies between set term")
            << "set term ^ ;\ncreate trigger t for a before insert as\nbegin\n  new.x = 1;\nend^\nset term ; ^\ncreate index i on a (x);"
            << QStringList{"create trigger t for a before insert as\nbegin\n  new.x = 1;\nend", "create index i on a (x)"};
        QTest::addRow("comment marks inside a text are text")
            << "insert into a values ('-- no /* no */');" << QStringList{"insert into a values ('-- no /* no */')"};
    }
    void splitsScripts()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, statements);
        QCOMPARE(splitSqlScript(script), statements);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseCreator)
#include "test_database_creator.moc"
