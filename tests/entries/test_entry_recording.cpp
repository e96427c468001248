#include "common/message_texts.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "db/sql_value.h"
#include "entries/entry_recording.h"
#include "tests/support/firebird_server.h"
#include "tests/support/test_database.h"

#include <QTest>
#include <QThread>

#include <algorithm>

namespace {

EntrySale saleOf(const QString& tipo, int units, qint16 caixa = 1)
{
    EntrySale sale;
    sale.tipo = tipo;
    sale.forma = QStringLiteral("Cartão de crédito");
    sale.caixa = caixa;
    sale.preco = Money::fromUnits(125000);   // 12,50
    sale.units = units;
    return sale;
}

qint64 count(Connection& connection, const QString& sql, const SqlParams& params = {})
{
    const auto rows = connection.select(sql, params);
    return rows ? rows->integer(0, QStringLiteral("count")) : -1;
}

qint64 generatorNow(Connection& connection, const QString& name)
{
    const auto value = connection.generator(name, 0);
    return value ? *value : -1;
}

// A sale a counter recorded, as it would print it.
struct Printed
{
    qint16 caixa;
    int units;
    RecordedEntries recorded;
};

} // namespace

class TestEntryRecording : public QObject
{
    Q_OBJECT

private slots:
    void wholeUnits_data();
    void wholeUnits();
    void recordsEveryUnit_data();
    void recordsEveryUnit();
    void refusedInsertMidBatchLeavesNoRow();
    void unknownTypeDrawsNothing();
    void priceBeyondColumnStoresNothing();
    void twoCountersOnOneServer();
};

void TestEntryRecording::wholeUnits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("units");   // 0: refused

    QTest::addRow("one") << QStringLiteral("1") << 1;
    QTest::addRow("three") << QStringLiteral("3") << 3;
    QTest::addRow("blanks around") << QStringLiteral(" 7 ") << 7;
    QTest::addRow("whole with zero decimals") << QStringLiteral("2,00") << 2;
    QTest::addRow("largest 16-bit") << QStringLiteral("32767") << 32767;
    QTest::addRow("beyond 16 bits") << QStringLiteral("32768") << 0;
    QTest::addRow("far beyond") << QStringLiteral("99999999999999") << 0;
    QTest::addRow("zero") << QStringLiteral("0") << 0;
    QTest::addRow("empty") << QString() << 0;
    QTest::addRow("negative") << QStringLiteral("-1") << 0;
    QTest::addRow("fractional") << QStringLiteral("2,5") << 0;
    QTest::addRow("a lone comma") << QStringLiteral(",") << 0;
    QTest::addRow("letters") << QStringLiteral("abc") << 0;
}

void TestEntryRecording::wholeUnits()
{
    QFETCH(QString, typed);
    QFETCH(int, units);

    const Result<int> result = ::wholeUnits(typed);
    if (units == 0) {
        QVERIFY(!result);
        QCOMPARE(result.failure().text, msg::quantidadeInvalida);
        QVERIFY(!result.failure().isDatabaseRefusal());
    } else {
        QVERIFY(result.ok());
        QCOMPARE(*result, units);
    }
}

void TestEntryRecording::recordsEveryUnit_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<int>("units");
    QTest::addColumn<bool>("parking");
    QTest::addColumn<QString>("documento");

    // The document generator stands at 14, so the numbers drawn are 15 on.
    QTest::addRow("one admission") << QStringLiteral("Entrada Inteira") << 1 << false << QStringLiteral("15");
    QTest::addRow("three admissions") << QStringLiteral("Entrada Inteira") << 3 << false << QStringLiteral("15 : 17");
    QTest::addRow("two parking") << QStringLiteral("Estacionamento") << 2 << true << QStringLiteral("15 : 16");
}

void TestEntryRecording::recordsEveryUnit()
{
    QFETCH(QString, tipo);
    QFETCH(int, units);
    QFETCH(bool, parking);
    QFETCH(QString, documento);

    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& connection = db.connection();
    QVERIFY(connection.setGenerator(QStringLiteral("numero_entrada"), 14).ok());
    const qint64 codeBefore = generatorNow(connection, QStringLiteral("entrada"));

    const auto recorded = recordEntries(connection, saleOf(tipo, units, 2));
    QVERIFY2(recorded.ok(), qPrintable(recorded.ok() ? QString() : recorded.failure().description()));
    QCOMPARE(recorded->documento(), documento);
    QCOMPARE(recorded->parking, parking);
    QCOMPARE(recorded->firstCode, codeBefore + 1);
    QCOMPARE(recorded->lastCode, codeBefore + units);
    QVERIFY(!connection.inTransaction());

    const auto rows = connection.select(
        QStringLiteral("select e.ncodigo, e.nnumero, e.nvalor, e.ncaixa_entrada, e.cexcluida, e.cforma_pagamento, "
                       "e.ddata_entrada, e.ddata_exclusao, t.cnome from entrada e join tipo_entrada t "
                       "on t.ncodigo = e.ntipo_entrada order by e.ncodigo"));
    QVERIFY(rows.ok());
    QCOMPARE(rows->count(), units);
    for (int i = 0; i < units; ++i) {
        QCOMPARE(rows->integer(i, QStringLiteral("ncodigo")), recorded->firstCode + i);
        QCOMPARE(rows->integer(i, QStringLiteral("nnumero")), 15 + i);
        // Each row holds the unit price, never the sale's total.
        QCOMPARE(rows->money(i, QStringLiteral("nvalor")), Money::fromUnits(125000));
        QCOMPARE(rows->integer(i, QStringLiteral("ncaixa_entrada")), 2);
        QCOMPARE(rows->text(i, QStringLiteral("cexcluida")), QStringLiteral("Nao"));
        QCOMPARE(rows->text(i, QStringLiteral("cforma_pagamento")), QStringLiteral("Cartão de crédito"));
        QCOMPARE(rows->text(i, QStringLiteral("cnome")), tipo);
        QVERIFY(rows->isNull(i, QStringLiteral("ddata_exclusao")));
    }
    // The ticket's date is the one the database stored for the last unit.
    QCOMPARE(recorded->dataEntrada, rows->dateTime(units - 1, QStringLiteral("ddata_entrada")));
    QVERIFY(recorded->dataEntrada.isValid());
}

void TestEntryRecording::refusedInsertMidBatchLeavesNoRow()
{
    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& connection = db.connection();

    // Codes 1 and 2 are taken, then code 1 is freed and the generator set
    // back: the next sale of three draws 1, 2, 3, and its second insert meets
    // the row that still holds code 2.
    QVERIFY(recordEntries(connection, saleOf(QStringLiteral("Entrada Meia"), 2)).ok());
    QVERIFY(connection.execute(QStringLiteral("delete from entrada where ncodigo = ?"), {SqlValue::integer(1)}).ok());
    QVERIFY(connection.setGenerator(QStringLiteral("entrada"), 0).ok());
    const qint64 before = count(connection, QStringLiteral("select count(*) from entrada"));
    QCOMPARE(before, 1);

    const auto refused = recordEntries(connection, saleOf(QStringLiteral("Entrada Inteira"), 3));
    QVERIFY(!refused);
    QCOMPARE(refused.failure().code, QStringLiteral("-803"));
    QVERIFY(!connection.inTransaction());

    // Not even the first unit, which the database had accepted, is left.
    QCOMPARE(count(connection, QStringLiteral("select count(*) from entrada")), before);
    QCOMPARE(count(connection, QStringLiteral("select count(*) from entrada where ncodigo = ?"), {SqlValue::integer(1)}), 0);
    // Another workstation sees the same.
    auto other = db.openAnother();
    QCOMPARE(count(*other, QStringLiteral("select count(*) from entrada")), before);

    // The connection goes on working: the next sale is stored whole.
    const auto next = recordEntries(connection, saleOf(QStringLiteral("Entrada Inteira"), 2));
    QVERIFY2(next.ok(), qPrintable(next.ok() ? QString() : next.failure().description()));
    QCOMPARE(count(connection, QStringLiteral("select count(*) from entrada")), before + 2);
}

void TestEntryRecording::unknownTypeDrawsNothing()
{
    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& connection = db.connection();
    const qint64 codes = generatorNow(connection, QStringLiteral("entrada"));
    const qint64 numbers = generatorNow(connection, QStringLiteral("numero_entrada"));

    // A name that is not (or no longer) in the table, apostrophe included.
    const auto refused = recordEntries(connection, saleOf(QStringLiteral("Camarote d'Ouro"), 4));
    QVERIFY(!refused);
    QCOMPARE(refused.failure().text, msg::tipoEntradaNaoLocalizado);
    QCOMPARE(count(connection, QStringLiteral("select count(*) from entrada")), 0);
    QCOMPARE(generatorNow(connection, QStringLiteral("entrada")), codes);
    QCOMPARE(generatorNow(connection, QStringLiteral("numero_entrada")), numbers);
}

void TestEntryRecording::priceBeyondColumnStoresNothing()
{
    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    EntrySale sale = saleOf(QStringLiteral("Entrada Vip"), 2);
    sale.preco = Money::fromWhole(100000000000000LL);   // beyond NUMERIC(15,2)
    const auto refused = recordEntries(db.connection(), sale);
    QVERIFY(!refused);
    QVERIFY(!refused.failure().text.isEmpty());
    QCOMPARE(count(db.connection(), QStringLiteral("select count(*) from entrada")), 0);
}

void TestEntryRecording::twoCountersOnOneServer()
{
    FirebirdServer server;
    QString why;
    if (!server.start(&why))
        QSKIP(qPrintable(why));
    const QString path = server.databasePath(QStringLiteral("entradas.fdb"));
    {
        const auto created = createDatabase(path, true);
        QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));
    }

    constexpr int salesPerCounter = 40;
    QList<Printed> printed[2];
    QString failures[2];
    QList<QThread*> counters;
    for (int c = 0; c < 2; ++c) {
        counters.append(QThread::create([&, c] {
            Connection connection;
            if (auto opened = connection.open(path); !opened) {
                failures[c] = opened.failure().description();
                return;
            }
            const qint16 caixa = qint16(c + 1);
            for (int i = 0; i < salesPerCounter; ++i) {
                const int units = 1 + (i * 3 + c) % 7;
                const QString tipo = (i % 4 == 0) ? QStringLiteral("Estacionamento") : QStringLiteral("Entrada Inteira");
                const auto recorded = recordEntries(connection, saleOf(tipo, units, caixa));
                if (!recorded) {
                    failures[c] = recorded.failure().description();
                    return;
                }
                printed[c].append(Printed{caixa, units, *recorded});
            }
            connection.close();
        }));
    }
    for (QThread* counter : counters)
        counter->start();
    for (QThread* counter : counters) {
        QVERIFY(counter->wait(120000));
        delete counter;
    }
    QVERIFY2(failures[0].isEmpty(), qPrintable(failures[0]));
    QVERIFY2(failures[1].isEmpty(), qPrintable(failures[1]));

    Connection check;
    QVERIFY(check.open(path).ok());
    const auto rows = check.select(QStringLiteral("select nnumero, ncodigo, ncaixa_entrada from entrada order by nnumero"));
    QVERIFY(rows.ok());

    QList<Printed> all = printed[0] + printed[1];
    int stored = 0;
    for (const Printed& sale : all) {
        const RecordedEntries& r = sale.recorded;
        QCOMPARE(r.lastNumber - r.firstNumber + 1, qint64(sale.units));
        // Every number the ticket names belongs to this sale, and no other.
        int found = 0;
        for (int i = 0; i < rows->count(); ++i) {
            const qint64 number = rows->integer(i, QStringLiteral("nnumero"));
            if (number < r.firstNumber || number > r.lastNumber)
                continue;
            ++found;
            QCOMPARE(rows->integer(i, QStringLiteral("ncaixa_entrada")), qint64(sale.caixa));
            const qint64 code = rows->integer(i, QStringLiteral("ncodigo"));
            QVERIFY(code >= r.firstCode && code <= r.lastCode);
        }
        QCOMPARE(found, sale.units);
        stored += sale.units;
    }
    QCOMPARE(rows->count(), stored);

    // The two counters really ran side by side: their ranges interleave.
    std::sort(all.begin(), all.end(), [](const Printed& a, const Printed& b) {
        return a.recorded.firstNumber < b.recorded.firstNumber;
    });
    int switches = 0;
    for (int i = 1; i < all.size(); ++i)
        switches += all[i].caixa != all[i - 1].caixa;
    qInfo("counter switches along the document numbers: %d", switches);
    check.close();
}

QTEST_GUILESS_MAIN(TestEntryRecording)
#include "test_entry_recording.moc"
