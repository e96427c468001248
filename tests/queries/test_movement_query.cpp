// The movement queries' logic against a real database: the business day,
// what each grid lists and shows, and cancelling marked rows.

#include "common/message_texts.h"
#include "db/transaction.h"
#include "queries/movement_query.h"
#include "tests/queries/movement_fixture.h"

#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

using namespace fixture;

namespace {

QString table(Kind kind) { return kind == Kind::Sales ? QStringLiteral("item_venda") : QStringLiteral("entrada"); }
QString flag(Kind kind) { return kind == Kind::Sales ? QStringLiteral("cexcluido") : QStringLiteral("cexcluida"); }

// A Delete pressed on three rows of R$ 10,00, R$ 1,00 and R$ 2,50.
struct Press
{
    Kind kind = Kind::Sales;
    QList<int> marked = {};
    QList<int> elsewhere = {};   // cancelled by register 9 after the grid was read
    int held = -1;               // being cancelled by register 7, committed while this one waits
    int refused = -1;            // the database refuses to cancel this row
    int pressed = 1;             // the row Delete is pressed on
    int answer = 1;              // to the confirmation; -1: none asked
    MovementQuery::Cancel outcome = MovementQuery::Cancel::Done;
    QString message = {};        // after the confirmation
    QStringList states = {};     // of the three rows afterwards, as stateOf
};

} // namespace
Q_DECLARE_METATYPE(Press)

class TestMovementQuery : public QObject
{
    Q_OBJECT
    std::unique_ptr<Bench> m;

    std::unique_ptr<MovementQuery> open(Kind kind, const QDateTime& now = Night)
    {
        auto query = std::make_unique<MovementQuery>(kind == Kind::Sales ? saleMovements() : entryMovements(),
                                                     m->settings, m->messages);
        query->setClock([now] { return now; });
        query->load();
        return query;
    }

    // "Sim/3/" or "Nao//": flag, cancelling register, reason.
    QString stateOf(Kind kind, qint64 code)
    {
        Result<Rows> rows = m->connection().select(
            QStringLiteral("select %1 as flag, ncaixa_exclusao, cmotivo_exclusao from %2 where ncodigo = ?")
                .arg(flag(kind), table(kind)),
            {SqlValue::integer(code)});
        if (!rows || rows->isEmpty())
            return QString();
        return rows->text(0, QStringLiteral("flag")) + u'/' + rows->text(0, QStringLiteral("ncaixa_exclusao")) + u'/'
            + rows->text(0, QStringLiteral("cmotivo_exclusao"));
    }

private slots:
    void init() { m = std::make_unique<Bench>(3); }
    void cleanup()
    {
        QCOMPARE(m->messages.pendingAnswers(), 0);
        m.reset();
    }

    void businessDay_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<bool>("listed");
        for (Kind kind : {Kind::Sales, Kind::Entries}) {
            const char* k = kind == Kind::Sales ? "sale" : "entry";
            QTest::addRow("%s at the start bound", k) << kind << Night << at("2026-12-04 18:00:00") << true;
            QTest::addRow("%s a second before the start", k) << kind << Night << at("2026-12-04 17:59:59") << false;
            QTest::addRow("%s at the end bound", k) << kind << Night << at("2026-12-05 06:00:00") << true;
            QTest::addRow("%s half a minute after the end", k) << kind << Night << at("2026-12-05 06:00:30") << false;
        }
        QTest::addRow("a minute before work: still last night")
            << Kind::Sales << at("2026-12-05 17:59:00") << at("2026-12-04 18:00:00") << true;
        QTest::addRow("at the start of work: a new night")
            << Kind::Sales << at("2026-12-05 18:00:00") << at("2026-12-05 06:00:00") << false;
        QTest::addRow("new year's eve, before dawn")
            << Kind::Entries << at("2026-12-31 19:00:00") << at("2027-01-01 05:59:00") << true;
    }

    void businessDay()
    {
        QFETCH(Kind, kind);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, when);
        QFETCH(bool, listed);
        const qint64 code = m->add(kind, when, 100);
        auto query = open(kind, now);
        const QDateTime start(query->dataInicial(), query->horaInicial());
        QCOMPARE(start.time(), QTime(18, 0));
        QCOMPARE(start.secsTo(QDateTime(query->dataFinal(), query->horaFinal())), 12 * 3600);
        QCOMPARE(query->validas().count(), listed ? 1 : 0);
        // Cancelled rows follow the movement's date too, whenever they were cancelled.
        m->run(QStringLiteral("update %1 set %2 = 'Sim', ncaixa_exclusao = 1 where ncodigo = ?").arg(table(kind), flag(kind)),
               {SqlValue::integer(code)});
        query->pesquisa();
        QCOMPARE(query->validas().count(), 0);
        QCOMPARE(query->excluidas().count(), listed ? 1 : 0);
        QVERIFY2(m->messages.shown().isEmpty(), qPrintable(m->messages.transcript()));
    }

    void rowCounts_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("movements");
        QTest::addColumn<bool>("lost");   // the database goes away before a new search
        QTest::addColumn<int>("bodyRows");
        QTest::addColumn<QString>("total");
        QTest::addRow("three sales among empty rows") << Kind::Sales << 3 << false << 15 << QStringLiteral("R$ 24,00");
        QTest::addRow("sixteen sales, no extra rows") << Kind::Sales << 16 << false << 16 << QStringLiteral("R$ 128,00");
        QTest::addRow("forty entries, past a thousand") << Kind::Entries << 40 << false << 40 << QStringLiteral("R$ 1.200,00");
        QTest::addRow("failed search leaves nothing stale") << Kind::Sales << 3 << true << 15 << QStringLiteral("R$ 0,00");
    }

    void rowCounts()
    {
        QFETCH(Kind, kind);
        QFETCH(int, movements);
        QFETCH(bool, lost);
        QFETCH(int, bodyRows);
        QFETCH(QString, total);
        for (int i = 0; i < movements; ++i)
            m->add(kind, Evening.addSecs(60 * i), 1000 + i);
        auto query = open(kind);
        const int listed = lost ? 0 : movements;
        if (lost) {
            query->marca(0);
            m->connection().close();
            query->pesquisa();
            QCOMPARE(m->messages.shown().size(), 1);   // said once, not once per grid
            QCOMPARE(m->messages.shown().first().kind, ScriptedMessages::Kind::Plain);
        }
        QCOMPARE(query->validas().rowCount(), bodyRows);
        QCOMPARE(query->qtdeValidas(), QString::number(listed));
        QCOMPARE(query->totalValidas(), total);
        QCOMPARE(query->excluidas().rowCount(), 15);
        QCOMPARE(query->qtdeExcluidas(), QStringLiteral("0"));
        QCOMPARE(query->totalExcluidas(), QStringLiteral("R$ 0,00"));
        // Past the data rows the grid is empty: no code, no cell, no mark.
        for (int row = listed; row < bodyRows; ++row) {
            QVERIFY(!query->validas().hasCode(row));
            for (int column = 0; column < query->validas().columnCount(); ++column)
                QCOMPARE(query->validas().cellText(row, column), QString());
        }
    }

    void cellsAndOrder_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("first");   // cells 1.. of the first active row
        QTest::addColumn<QList<qint64>>("documents");
        // Sales come in document order, entries in time order.
        QTest::addRow("sale lines") << Kind::Sales
                                    << QStringList{"04/12 19:05", "2", "Chopp Pilsen 300ml", "2,5", "R$ 1.020,50", "7", ""}
                                    << QList<qint64>{7, 8, 9};
        QTest::addRow("entries") << Kind::Entries
                                 << QStringList{"04/12/2026", "19:05", "Entrada Inteira", "2", "R$ 1.020,50", "7", ""}
                                 << QList<qint64>{7, 9, 8};
    }

    void cellsAndOrder()
    {
        QFETCH(Kind, kind);
        QFETCH(QStringList, first);
        QFETCH(QList<qint64>, documents);
        m->add(kind, at("2026-12-04 23:00:00"), 9);
        m->add(kind, at("2026-12-04 19:05:12"), 7, "1020.50", "2.5");
        m->add(kind, at("2026-12-05 01:30:00"), 8);
        auto query = open(kind);
        const MovementModel& grid = query->validas();
        QStringList cells;
        for (int column = 1; column < grid.columnCount(); ++column)
            cells << grid.cellText(0, column);
        QCOMPARE(cells, first);
        const int docto = grid.columnCount() - 2;
        QList<qint64> listed;
        for (int row = 0; row < grid.count(); ++row)
            listed << grid.cellText(row, docto).toLongLong();
        QCOMPARE(listed, documents);
    }

    void cancelMarked_data()
    {
        QTest::addColumn<Press>("press");
        using C = MovementQuery::Cancel;
        const QString yes = QStringLiteral("Sim/3/"), no = QStringLiteral("Nao//"), other = QStringLiteral("Sim/9/Quebrado");
        const QString blocked = QStringLiteral("Exclusão bloqueada para teste.");
        for (Kind kind : {Kind::Sales, Kind::Entries}) {
            const char* k = kind == Kind::Sales ? "sale lines" : "entries";
            QTest::addRow("two %s", k) << Press{.kind = kind, .marked = {0, 2}, .states = {yes, no, yes}};
            QTest::addRow("%s: one refused, none cancelled", k)
                << Press{.kind = kind, .marked = {0, 1, 2}, .refused = 1, .outcome = C::Failed, .message = blocked,
                         .states = {no, no, no}};
        }
        QTest::addRow("one of two sale lines elsewhere")
            << Press{.marked = {0, 1}, .elsewhere = {1}, .outcome = C::SomeAlreadyDone, .message = msg::algunsJaExcluidos,
                     .states = {yes, other, no}};
        QTest::addRow("the only entry marked, elsewhere")
            << Press{.kind = Kind::Entries, .marked = {2}, .elsewhere = {2}, .outcome = C::SomeAlreadyDone,
                     .message = msg::registroJaExcluido, .states = {no, no, other}};
        QTest::addRow("every sale line marked, elsewhere")
            << Press{.marked = {0, 2}, .elsewhere = {0, 2}, .outcome = C::SomeAlreadyDone,
                     .message = msg::registrosJaExcluidos, .states = {other, no, other}};
        // Lock conflict (-913): rolled back whole, never half-done.
        QTest::addRow("a marked line being cancelled elsewhere")
            << Press{.marked = {0, 1}, .held = 1, .outcome = C::Conflict, .message = msg::conflitoOutroCaixa,
                     .states = {no, QStringLiteral("Sim/7/"), no}};
        QTest::addRow("nothing marked: only a refresh") << Press{.elsewhere = {1}, .states = {no, other, no}};
        QTest::addRow("confirmation declined")
            << Press{.marked = {0}, .answer = 0, .outcome = C::Declined, .states = {no, no, no}};
        QTest::addRow("Delete below the data rows")
            << Press{.marked = {0}, .pressed = 4, .answer = -1, .outcome = C::NotADataRow, .states = {no, no, no}};
    }

    // All marked rows go in one transaction or none does; both grids refresh either way.
    void cancelMarked()
    {
        QFETCH(Press, press);
        const Kind kind = press.kind;
        Connection& db = m->connection();
        const QList<qint64> codes = {m->add(kind, Evening, 1, "10.00"), m->add(kind, Evening.addSecs(60), 2, "1.00"),
                                     m->add(kind, Evening.addSecs(120), 3, "2.50")};
        if (press.refused >= 0) {
            m->run(QStringLiteral("create exception e_teste_exclusao '{ini}Exclusão bloqueada para teste.'"));
            m->run(QStringLiteral("create trigger t_teste_exclusao for %1 before update as begin "
                                  "if (new.ncodigo = %2) then exception e_teste_exclusao; end")
                       .arg(table(kind)).arg(codes[press.refused]));
        }
        const QString heads = QStringLiteral("select count(*) as n, sum(ntotal) as t, sum(nvalor_pago) as p from venda");
        const Rows salesBefore = db.select(heads).value();
        auto query = open(kind);
        for (int row : press.marked)
            query->marca(row);
        for (int row : press.elsewhere)
            m->run(QStringLiteral("update %1 set %2 = 'Sim', cmotivo_exclusao = 'Quebrado', ncaixa_exclusao = 9 "
                                  "where ncodigo = ?").arg(table(kind), flag(kind)), {SqlValue::integer(codes[row])});
        std::atomic<bool> holding = false, committed = false;
        std::jthread other;   // joined on every way out
        if (press.held >= 0) {
            other = std::jthread([&, path = m->db.path(), code = codes[press.held]] {
                Connection second;
                if (!second.open(path))
                    return;
                {
                    Transaction change(second);
                    if (second.execute(QStringLiteral("update item_venda set cexcluido = 'Sim', cmotivo_exclusao = '', "
                                                      "ncaixa_exclusao = 7 where ncodigo = ?"), {SqlValue::integer(code)})) {
                        holding = true;
                        std::this_thread::sleep_for(std::chrono::milliseconds(400));
                        committed = change.commit().ok();
                    }
                }
                second.close();
            });
            QTRY_VERIFY_WITH_TIMEOUT(holding, 10000);
        }
        if (press.answer >= 0)
            m->messages.answerNext(press.answer == 1);
        const MovementQuery::Cancel got = query->cancela_marcados(press.pressed);
        if (other.joinable()) {
            other.join();
            QVERIFY(committed);
        }
        QCOMPARE(got, press.outcome);
        QStringList texts;
        if (press.answer >= 0)
            texts << msg::confirmaExclusao;
        if (!press.message.isEmpty())
            texts << press.message;
        QCOMPARE(m->messages.texts(), texts);
        QStringList now;
        for (qint64 code : codes)
            now << stateOf(kind, code);
        QCOMPARE(now, press.states);
        const int cancelled = 3 - int(press.states.count(QStringLiteral("Nao//")));
        QCOMPARE(query->qtdeValidas(), QString::number(3 - cancelled));
        QCOMPARE(query->qtdeExcluidas(), QString::number(cancelled));
        // Marks stay only when nothing was tried.
        QList<qint64> marks;
        if (got == MovementQuery::Cancel::Declined || got == MovementQuery::Cancel::NotADataRow)
            for (int row : press.marked)
                marks << codes[row];
        QCOMPARE(query->validas().markedCodes(), marks);
        QVERIFY(!db.inTransaction());
        // Cancelling a line leaves its sale as it was.
        const Rows salesAfter = db.select(heads).value();
        for (const QString& column : salesBefore.columns())
            QCOMPARE(salesAfter.value(0, column), salesBefore.value(0, column));
        if (got != MovementQuery::Cancel::Done || press.marked.isEmpty())
            return;
        QCOMPARE(query->totalExcluidas(), QStringLiteral("R$ 12,50"));
        const MovementModel& grid = query->excluidas();
        QCOMPARE(QList<qint64>({grid.code(0), grid.code(1)}), QList<qint64>({codes[0], codes[2]}));
        QCOMPARE(grid.cellText(0, 7), QString());             // Motivo
        // The moment of the cancellation is the database's own.
        const QDateTime when = db.select(QStringLiteral("select ddata_exclusao from %1 where ncodigo = ?").arg(table(kind)),
                                         {SqlValue::integer(codes[0])})->dateTime(0, QStringLiteral("ddata_exclusao"));
        QVERIFY(when.isValid());
        QCOMPARE(grid.cellText(0, 4), when.toString(QStringLiteral("dd/MM hh:mm")));
    }
};

QTEST_MAIN(TestMovementQuery)
#include "test_movement_query.moc"
