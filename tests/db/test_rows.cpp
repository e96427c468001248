#include "db/connection.h"
#include "db/rows.h"
#include "tests/support/test_database.h"

#include <QTest>

// Rows are read by the names the screens use, whatever case the server gives.
class TestRows : public QObject
{
    Q_OBJECT

private slots:
    void unnamedAggregatesByTheirNames_data();
    void unnamedAggregatesByTheirNames();
    void nullsAndUnknownColumns();
    void typedReadsOfStoredValues();
};

void TestRows::unnamedAggregatesByTheirNames_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addRow("gen_id") << "select gen_id(produto,0) from rdb$database" << "gen_id" << "15";
    QTest::addRow("Count") << "select count(*) from produto" << "Count" << "15";
    QTest::addRow("Sum") << "select sum (nvalor) from tipo_entrada" << "Sum" << "145";
    QTest::addRow("upper case") << "select count(*) from tipo_entrada" << "COUNT" << "4";
    QTest::addRow("alias") << "select gen_id(codigo_compra,0) + 1 as codigo from rdb$database" << "Codigo" << "1";
    QTest::addRow("qualified column") << "select produto.cdescricao as prod, grupo.cdescricao from produto, grupo "
                                         "where ngrupo = grupo.ncodigo and produto.ncodigo = 1" << "cdescricao" << "Cervejas";
}

void TestRows::unnamedAggregatesByTheirNames()
{
    QFETCH(QString, sql);
    QFETCH(QString, name);
    QFETCH(QString, value);
    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    const Result<Rows> rows = db.connection().select(sql);
    QVERIFY2(rows.ok(), qPrintable(rows.ok() ? QString() : rows.failure().description()));
    QCOMPARE(rows->count(), 1);
    QVERIFY(rows->column(name) >= 0);
    QCOMPARE(rows->text(0, name), value);
}

void TestRows::nullsAndUnknownColumns()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    const Result<Rows> rows = db.connection().select(QStringLiteral("select sum(nvalor), max(ddata_entrada), max(cforma_pagamento) from entrada"));
    QVERIFY(rows.ok());
    QCOMPARE(rows->count(), 1);
    // A sum over nothing is null and counts as 0.
    QVERIFY(rows->isNull(0, QStringLiteral("sum")));
    QCOMPARE(rows->money(0, QStringLiteral("sum")), Money());
    QCOMPARE(rows->integer(0, QStringLiteral("sum")), 0);
    QVERIFY(!rows->dateTime(0, QStringLiteral("max")).isValid());
    QCOMPARE(rows->text(0, QStringLiteral("max")), QString());
    // Unknown names and rows read as null, never as a crash.
    QCOMPARE(rows->column(QStringLiteral("nada")), -1);
    QVERIFY(rows->value(0, QStringLiteral("nada")).isNull());
    QVERIFY(rows->value(5, 0).isNull());
    QVERIFY(rows->value(-1, 0).isNull());
    QCOMPARE(rows->text(3, QStringLiteral("sum")), QString());
}

void TestRows::typedReadsOfStoredValues()
{
    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    QVERIFY(c.execute(QStringLiteral("insert into venda values (null, 2, ?, 'Cartão de crédito', 12.5, 20, 7.5)"),
                      {SqlValue::timestamp(QDateTime(QDate(2026, 12, 5), QTime(1, 30)))}).ok());
    const Result<Rows> rows = c.select(QStringLiteral("select * from venda"));
    QVERIFY(rows.ok());
    QCOMPARE(rows->integer(0, QStringLiteral("NCODIGO")), 1);
    QCOMPARE(rows->integer(0, QStringLiteral("ncaixa_venda")), 2);
    QCOMPARE(rows->dateTime(0, QStringLiteral("ddata_venda")), QDateTime(QDate(2026, 12, 5), QTime(1, 30)));
    QCOMPARE(rows->time(0, QStringLiteral("ddata_venda")), QTime(1, 30));
    QCOMPARE(rows->text(0, QStringLiteral("cforma_pagamento")), QStringLiteral("Cartão de crédito"));
    QCOMPARE(rows->money(0, QStringLiteral("ntotal")), *Money::fromDecimalText(QStringLiteral("12.5")));
    QCOMPARE(rows->money(0, QStringLiteral("ntroco")), *Money::fromDecimalText(QStringLiteral("7.5")));
    QCOMPARE(rows->text(0, QStringLiteral("nvalor_pago")), QStringLiteral("20"));
    // A whole count read as an amount.
    QCOMPARE(c.select(QStringLiteral("select count(*) from venda"))->money(0, QStringLiteral("count")), Money::fromWhole(1));
}

QTEST_GUILESS_MAIN(TestRows)
#include "test_rows.moc"
