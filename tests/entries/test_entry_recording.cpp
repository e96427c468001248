#include "common/message_texts.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "entries/entry_recording.h"
#include "tests/support/firebird_server.h"
#include "tests/support/test_database.h"

#include <QTest>
#include <QThread>

namespace {

EntrySale saleOf(const QString& tipo, int units, qint16 caixa = 1)
{
    return EntrySale{tipo, QStringLiteral("Cartão de crédito"), caixa, Money::fromUnits(125000), units};
}

qint64 generatorNow(Connection& connection, const char* name)
{
    const auto value = connection.generator(QString::fromUtf8(name), 0);
    return value ? *value : -1;
}

} // namespace

// How the sale's units reach the database; the screen's tests follow a sale
// from the keys to its stored rows and ticket.
class TestEntryRecording : public QObject
{
    Q_OBJECT

private slots:
    void wholeUnits_data();
    void wholeUnits();
    void refusedBeforeStoring_data();
    void refusedBeforeStoring();
    void twoCountersOnOneServer();
};

void TestEntryRecording::wholeUnits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("units");   // 0: refused

    QTest::addRow("blanks around") << " 7 " << 7;
    QTest::addRow("whole with zero decimals") << "2,00" << 2;
    QTest::addRow("largest 16-bit") << "32767" << 32767;
    QTest::addRow("beyond 16 bits") << "32768" << 0;
    QTest::addRow("zero") << "0" << 0;
    QTest::addRow("empty") << "" << 0;
    QTest::addRow("negative") << "-1" << 0;
    QTest::addRow("fractional") << "2,5" << 0;
    QTest::addRow("letters") << "abc" << 0;
}

void TestEntryRecording::wholeUnits()
{
    QFETCH(QString, typed);
    QFETCH(int, units);

    const Result<int> result = ::wholeUnits(typed);
    QCOMPARE(result.ok(), units > 0);
    if (units > 0)
        QCOMPARE(*result, units);
    else
        QCOMPARE(result.failure().text, msg::quantidadeInvalida);
}

void TestEntryRecording::refusedBeforeStoring_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<qint64>("price");
    QTest::addColumn<QString>("message");  // empty: any refusal

    // A name that is not (or no longer) in the table, apostrophe included:
    // refused before any number is drawn.
    QTest::addRow("unknown type") << "Camarote d'Ouro" << qint64(125000) << msg::tipoEntradaNaoLocalizado;
    QTest::addRow("price beyond NUMERIC(15,2)") << "Entrada Vip" << qint64(100000000000000LL) * 10000 << "";
}

void TestEntryRecording::refusedBeforeStoring()
{
    QFETCH(QString, tipo);
    QFETCH(qint64, price);
    QFETCH(QString, message);

    TestDatabase db(TestDatabase::Demo);
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& connection = db.connection();
    const qint64 codes = generatorNow(connection, "entrada");
    const qint64 numbers = generatorNow(connection, "numero_entrada");

    EntrySale sale = saleOf(tipo, 4);
    sale.preco = Money::fromUnits(price);
    const auto refused = recordEntries(connection, sale);
    QVERIFY(!refused);
    QVERIFY(!refused.failure().text.isEmpty());
    QVERIFY(!connection.inTransaction());
    QCOMPARE(connection.select(QStringLiteral("select count(*) from entrada"))->integer(0, QStringLiteral("count")), 0);
    if (!message.isEmpty()) {
        QCOMPARE(refused.failure().text, message);
        QCOMPARE(generatorNow(connection, "entrada"), codes);
        QCOMPARE(generatorNow(connection, "numero_entrada"), numbers);
    }
}

void TestEntryRecording::twoCountersOnOneServer()
{
    FirebirdServer server;
    QString why;
    if (!server.start(&why))
        QSKIP(qPrintable(why));
    const QString path = server.databasePath(QStringLiteral("entradas.fdb"));
    const auto created = createDatabase(path, true);
    QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));

    // Each counter keeps what its tickets would print: register, units, range drawn.
    struct Printed { qint16 caixa; int units; RecordedEntries recorded; };
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
            for (int i = 0; i < 40; ++i) {
                const int units = 1 + (i * 3 + c) % 7;
                const auto recorded = recordEntries(connection, saleOf(i % 4 ? QStringLiteral("Entrada Inteira")
                                                                             : QStringLiteral("Estacionamento"),
                                                                       units, caixa));
                if (!recorded) {
                    failures[c] = recorded.failure().description();
                    return;
                }
                printed[c].append(Printed{caixa, units, *recorded});
            }
        }));
        counters.last()->start();
    }
    for (int c = 0; c < 2; ++c) {
        QVERIFY(counters.at(c)->wait(120000));
        delete counters.at(c);
        QVERIFY2(failures[c].isEmpty(), qPrintable(failures[c]));
    }

    Connection check;
    QVERIFY(check.open(path).ok());
    const auto rows = check.select(QStringLiteral("select nnumero, ncodigo, ncaixa_entrada from entrada"));
    QVERIFY(rows.ok());
    int stored = 0;
    for (const Printed& sale : printed[0] + printed[1]) {
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
}

QTEST_GUILESS_MAIN(TestEntryRecording)
#include "test_entry_recording.moc"
