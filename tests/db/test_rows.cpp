#include "db/connection.h"
#include "db/rows.h"
#include "tests/support/test_database.h"

#include <QTest>

// Rows are read by the names the screens use, whatever case the server gives.
class TestRows : public QObject
{
    Q_OBJECT

private slots:
    void unnamedAggregatesByTheirNames_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addRow("gen_id") << "select gen_id(produto,0) from rdb$database" << "gen_id" << "15";
        QTest::addRow("Count") << "select count(*) from produto" << "Count" << "15";
        QTest::addRow("Sum") << "select sum (nvalor) from tipo_entrada" << "Sum" << "145";
        QTest::addRow("alias") << "select gen_id(codigo_compra,0) + 1 as codigo from rdb$database" << "Codigo" << "1";
        QTest::addRow("qualified column") << "select produto.cdescricao as prod, grupo.cdescricao from produto, grupo "
                                             "where ngrupo = grupo.ncodigo and produto.ncodigo = 1" << "cdescricao" << "Cervejas";
    }
    void unnamedAggregatesByTheirNames()
    {
        QFETCH(QString, sql);
        QFETCH(QString, name);
        QFETCH(QString, value);
        TestDatabase db(TestDatabase::Demo);
        QVERIFY2(db.ok(), qPrintable(db.error()));
        const Result<Rows> rows = db.connection().select(sql);
        QVERIFY2(rows.ok(), qPrintable(rows.ok() ? QString() : rows.failure().description()));
        QCOMPARE(rows->count(), 1);
        QCOMPARE(rows->text(0, name), value);
    }

    // One list holds every row, a row's values side by side; a cell outside it
    // (or a NULL) reads as nothing, never as a neighbour's value or a crash.
    void cellsOfTheFlatList()
    {
        const Rows rows({QStringLiteral("NCODIGO"), QStringLiteral("NVALOR"), QStringLiteral("DDATA")},
                        {1, QStringLiteral("12.5"), QDateTime(QDate(2026, 12, 5), QTime(1, 30)),
                         2, 7.25, QVariant(),
                         3, QVariant(), QDate(2026, 12, 6)});
        QCOMPARE(rows.count(), 3);
        QCOMPARE(rows.integer(2, QStringLiteral("ncodigo")), 3);
        QCOMPARE(rows.money(0, QStringLiteral("nvalor")), *Money::fromDecimalText(QStringLiteral("12.5")));
        QCOMPARE(rows.money(1, QStringLiteral("Nvalor")), *Money::fromDecimalText(QStringLiteral("7.25")));
        QCOMPARE(rows.integer(0, QStringLiteral("nvalor")), 12);
        QCOMPARE(rows.time(0, QStringLiteral("ddata")), QTime(1, 30));
        QCOMPARE(rows.dateTime(2, QStringLiteral("ddata")), QDateTime(QDate(2026, 12, 6), QTime(0, 0)));
        QVERIFY(rows.isNull(2, QStringLiteral("nvalor")));
        QCOMPARE(rows.money(2, QStringLiteral("nvalor")), Money());
        QCOMPARE(rows.text(2, QStringLiteral("nvalor")), QString());
        QVERIFY(!rows.dateTime(1, QStringLiteral("ddata")).isValid());
        QCOMPARE(rows.column(QStringLiteral("nada")), -1);
        QVERIFY(rows.value(0, QStringLiteral("nada")).isNull());
        QVERIFY(rows.value(3, 0).isNull());
        QVERIFY(rows.value(-1, 0).isNull());
        QVERIFY(rows.value(0, 3).isNull());
        QVERIFY(Rows({QStringLiteral("A")}, {}).isEmpty());
    }

    void typedReadsOfStoredValues()
    {
        TestDatabase db(TestDatabase::Demo);
        QVERIFY2(db.ok(), qPrintable(db.error()));
        Connection& c = db.connection();
        const QDateTime moment(QDate(2026, 12, 5), QTime(1, 30));
        for (int i = 0; i < 2; ++i)
            QVERIFY(c.execute(QStringLiteral("insert into venda values (null, ?, ?, 'Cartão de crédito', 12.5, 20, 7.5)"),
                              {SqlValue::integer(2 + i), SqlValue::timestamp(moment.addDays(i))}).ok());
        const Result<Rows> rows = c.select(QStringLiteral("select * from venda order by ncodigo"));
        QVERIFY(rows.ok());
        QCOMPARE(rows->count(), 2);
        QCOMPARE(rows->integer(1, QStringLiteral("NCODIGO")), 2);
        QCOMPARE(rows->integer(1, QStringLiteral("ncaixa_venda")), 3);
        QCOMPARE(rows->dateTime(1, QStringLiteral("ddata_venda")), moment.addDays(1));
        QCOMPARE(rows->text(1, QStringLiteral("cforma_pagamento")), QStringLiteral("Cartão de crédito"));
        QCOMPARE(rows->money(1, QStringLiteral("ntroco")), *Money::fromDecimalText(QStringLiteral("7.5")));
        QCOMPARE(rows->text(1, QStringLiteral("nvalor_pago")), QStringLiteral("20"));
        // A sum over nothing is null and counts as 0; a whole count reads as an amount.
        const Result<Rows> none = c.select(QStringLiteral("select sum(nvalor), count(*) from entrada"));
        QVERIFY(none->isNull(0, QStringLiteral("sum")));
        QCOMPARE(none->money(0, QStringLiteral("sum")), Money());
        QCOMPARE(none->integer(0, QStringLiteral("sum")), 0);
        QCOMPARE(c.select(QStringLiteral("select count(*) from venda"))->money(0, QStringLiteral("count")), Money::fromWhole(2));
    }
};

QTEST_GUILESS_MAIN(TestRows)
#include "test_rows.moc"
