#include "db/connection.h"
#include "db/rows.h"
#include "tests/support/test_database.h"

#include <QTest>

// Rows are read by the names the screens use, whatever case the server gives.
class TestRows : public QObject
{
    Q_OBJECT

private slots:
    // One list holds every row, a row's values side by side; a cell outside it
    // (or a NULL) reads as nothing, never as a neighbour's value or a crash.
    void cellsOfTheFlatList()
    {
        const Rows rows({QStringLiteral("NCODIGO"), QStringLiteral("NVALOR"), QStringLiteral("DDATA"), QStringLiteral("CNOME")},
                        {1, QStringLiteral("12.5"), QDateTime(QDate(2026, 12, 5), QTime(1, 30)), QStringLiteral("Chope"),
                         2, 7.25, QVariant(), QStringLiteral("Água"),
                         3, QVariant(), QDate(2026, 12, 6), QStringLiteral("Suco")});
        QCOMPARE(rows.count(), 3);
        QCOMPARE(rows.text(1, QStringLiteral("cnome")), QStringLiteral("Água"));
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
        QVERIFY(rows.value(0, 4).isNull());
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
        // Unaliased aggregates read as "Count", "Sum" and "gen_id"; a sum over
        // nothing is null and counts as 0.
        const Result<Rows> totals = c.select(QStringLiteral(
            "select count(*), sum(nvalor), gen_id(produto,0) from tipo_entrada where cestacionamento = ?"), {SqlValue::text(QStringLiteral("X"))});
        QCOMPARE(totals->integer(0, QStringLiteral("Count")), 0);
        QVERIFY(totals->isNull(0, QStringLiteral("Sum")));
        QCOMPARE(totals->money(0, QStringLiteral("sum")), Money());
        QCOMPARE(totals->integer(0, QStringLiteral("GEN_ID")), 15);
        QCOMPARE(c.select(QStringLiteral("select sum(nvalor) from tipo_entrada"))->money(0, QStringLiteral("sum")), Money::fromWhole(145));
        QCOMPARE(c.select(QStringLiteral("select count(*) from venda"))->money(0, QStringLiteral("count")), Money::fromWhole(2));
    }
};

QTEST_GUILESS_MAIN(TestRows)
#include "test_rows.moc"
