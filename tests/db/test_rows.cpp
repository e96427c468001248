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

    void aggregatesByTheirNames()
    {
        TestDatabase db(TestDatabase::Demo);
        QVERIFY2(db.ok(), qPrintable(db.error()));
        Connection& c = db.connection();
        // Unaliased aggregates read as "Count", "Sum" and "gen_id"; a sum over nothing reads 0.
        const Result<Rows> totals = c.select(QStringLiteral(
            "select count(*), sum(nvalor), gen_id(produto,0) from tipo_entrada where cestacionamento = ?"), {SqlValue::text(QStringLiteral("X"))});
        QCOMPARE(totals->integer(0, QStringLiteral("Count")), 0);
        QVERIFY(totals->isNull(0, QStringLiteral("Sum")));
        QCOMPARE(totals->money(0, QStringLiteral("sum")), Money());
        QCOMPARE(totals->integer(0, QStringLiteral("GEN_ID")), 15);
        QCOMPARE(c.select(QStringLiteral("select sum(nvalor) from tipo_entrada"))->money(0, QStringLiteral("sum")), Money::fromWhole(145));
    }
};

QTEST_GUILESS_MAIN(TestRows)
#include "test_rows.moc"
