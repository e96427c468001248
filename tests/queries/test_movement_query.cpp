// The movement queries' logic against a real database: the business day,
// what each grid lists and shows, and cancelling marked rows.

#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/transaction.h"
#include "queries/movement_query.h"
#include "tests/queries/movement_fixture.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

using namespace fixture;

namespace {

enum class Kind { Sales, Entries };

} // namespace
Q_DECLARE_METATYPE(Kind)
namespace {

const MovementKind& kindOf(Kind kind)
{
    return kind == Kind::Sales ? saleMovements() : entryMovements();
}

QString table(Kind kind)
{
    return kind == Kind::Sales ? QStringLiteral("item_venda") : QStringLiteral("entrada");
}

QString flag(Kind kind)
{
    return kind == Kind::Sales ? QStringLiteral("cexcluido") : QStringLiteral("cexcluida");
}

// "Now" on the database server: the business day 04/12 18:00 to 05/12 06:00.
const QDateTime Night = at("2026-12-05 02:30:00");

} // namespace

class TestMovementQuery : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void defaultPeriod_data();
    void defaultPeriod();
    void businessDay_data();
    void businessDay();
    void rowCounts_data();
    void rowCounts();
    void cellsAndOrder_data();
    void cellsAndOrder();
    void marking();
    void cancelMarked_data();
    void cancelMarked();
    void cancelKeepsTheSale();
    void deleteOnEmptyRowDoesNothing();
    void declinedChangesNothing();
    void nothingMarkedOnlyRefreshes();
    void refusedCancellationLeavesAllActive_data();
    void refusedCancellationLeavesAllActive();
    void alreadyCancelledElsewhere_data();
    void alreadyCancelledElsewhere();
    void conflictWithOpenChange();
    void cancelledListFollowsMovementDate();
    void failingSearchSaysSoOnce();

private:
    std::unique_ptr<MovementQuery> open(Kind kind, const QDateTime& now = Night);
    qint64 add(Kind kind, const QDateTime& when, qint64 numero, const char* value = nullptr);
    QString stateOf(Kind kind, qint64 code);

    std::unique_ptr<TestDatabase> m_db;
    Catalogue m_catalogue;
    TerminalSettings m_settings;
    ScriptedMessages m_messages;
};

void TestMovementQuery::init()
{
    m_db = std::make_unique<TestDatabase>();
    m_catalogue = makeCatalogue(m_db->connection());
    m_settings = TerminalSettings();
    m_settings.conexao = &m_db->connection();
    m_settings.numero_caixa = 3;
    m_settings.hora_inicio = QStringLiteral("18:00");
    m_settings.hora_fim = QStringLiteral("06:00");
    m_messages.clear();
}

void TestMovementQuery::cleanup()
{
    QCOMPARE(m_messages.pendingAnswers(), 0);
    m_db.reset();
}

std::unique_ptr<MovementQuery> TestMovementQuery::open(Kind kind, const QDateTime& now)
{
    auto query = std::make_unique<MovementQuery>(kindOf(kind), m_settings, m_messages);
    query->setClock([now] { return now; });
    query->load();
    return query;
}

qint64 TestMovementQuery::add(Kind kind, const QDateTime& when, qint64 numero, const char* value)
{
    if (kind == Kind::Sales)
        return sale(m_db->connection(), m_catalogue, when, 2, numero, "1", value ? value : "8.00");
    return entry(m_db->connection(), m_catalogue, when, 2, numero, value ? value : "30.00");
}

// "Sim/3/" or "Nao//": flag, cancelling register, reason.
QString TestMovementQuery::stateOf(Kind kind, qint64 code)
{
    Result<Rows> rows = m_db->connection().select(
        QStringLiteral("select %1 as flag, ncaixa_exclusao, cmotivo_exclusao from %2 where ncodigo = ?")
            .arg(flag(kind), table(kind)),
        {SqlValue::integer(code)});
    if (!rows || rows->isEmpty())
        return QStringLiteral("missing");
    return rows->text(0, QStringLiteral("flag")) + u'/' + rows->text(0, QStringLiteral("ncaixa_exclusao")) + u'/'
        + rows->text(0, QStringLiteral("cmotivo_exclusao"));
}

void TestMovementQuery::defaultPeriod_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("end");

    QTest::addRow("after midnight, before the start of work")
        << at("2026-12-05 02:30:00") << at("2026-12-04 18:00:00") << at("2026-12-05 06:00:00");
    QTest::addRow("one minute before the start of work")
        << at("2026-12-05 17:59:00") << at("2026-12-04 18:00:00") << at("2026-12-05 06:00:00");
    QTest::addRow("exactly at the start of work")
        << at("2026-12-05 18:00:00") << at("2026-12-05 18:00:00") << at("2026-12-06 06:00:00");
    QTest::addRow("late evening")
        << at("2026-12-05 23:10:00") << at("2026-12-05 18:00:00") << at("2026-12-06 06:00:00");
    QTest::addRow("new year's eve")
        << at("2026-12-31 19:00:00") << at("2026-12-31 18:00:00") << at("2027-01-01 06:00:00");
}

void TestMovementQuery::defaultPeriod()
{
    QFETCH(QDateTime, now);
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, end);

    auto query = open(Kind::Sales, now);
    QCOMPARE(QDateTime(query->dataInicial(), query->horaInicial()), start);
    QCOMPARE(QDateTime(query->dataFinal(), query->horaFinal()), end);
    QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
}

void TestMovementQuery::businessDay_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<bool>("listed");

    for (Kind kind : {Kind::Sales, Kind::Entries}) {
        const char* k = kind == Kind::Sales ? "sale" : "entry";
        QTest::addRow("%s at 01:30 of the next calendar day", k) << kind << at("2026-12-05 01:30:00") << true;
        QTest::addRow("%s at the start bound", k) << kind << at("2026-12-04 18:00:00") << true;
        QTest::addRow("%s a second before the start", k) << kind << at("2026-12-04 17:59:59") << false;
        QTest::addRow("%s at the end bound", k) << kind << at("2026-12-05 06:00:00") << true;
        QTest::addRow("%s half a minute after the end", k) << kind << at("2026-12-05 06:00:30") << false;
        QTest::addRow("%s of the night before", k) << kind << at("2026-12-04 01:30:00") << false;
    }
}

void TestMovementQuery::businessDay()
{
    QFETCH(Kind, kind);
    QFETCH(QDateTime, when);
    QFETCH(bool, listed);

    add(kind, when, 100);
    auto query = open(kind);
    QCOMPARE(query->validas().count(), listed ? 1 : 0);
    QCOMPARE(query->excluidas().count(), 0);
}

void TestMovementQuery::rowCounts_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("movements");
    QTest::addColumn<int>("bodyRows");
    QTest::addColumn<QString>("total");

    QTest::addRow("no sale: fifteen empty rows") << Kind::Sales << 0 << 15 << QStringLiteral("R$ 0,00");
    QTest::addRow("no entry: fifteen empty rows") << Kind::Entries << 0 << 15 << QStringLiteral("R$ 0,00");
    QTest::addRow("three sales among empty rows") << Kind::Sales << 3 << 15 << QStringLiteral("R$ 24,00");
    QTest::addRow("fifteen sales fill the grid") << Kind::Sales << 15 << 15 << QStringLiteral("R$ 120,00");
    QTest::addRow("sixteen sales") << Kind::Sales << 16 << 16 << QStringLiteral("R$ 128,00");
    QTest::addRow("twenty sales, no extra rows") << Kind::Sales << 20 << 20 << QStringLiteral("R$ 160,00");
    QTest::addRow("twenty entries, no extra rows") << Kind::Entries << 20 << 20 << QStringLiteral("R$ 600,00");
    QTest::addRow("150 sales, past a thousand reais") << Kind::Sales << 150 << 150 << QStringLiteral("R$ 1.200,00");
}

void TestMovementQuery::rowCounts()
{
    QFETCH(Kind, kind);
    QFETCH(int, movements);
    QFETCH(int, bodyRows);
    QFETCH(QString, total);

    for (int i = 0; i < movements; ++i)
        add(kind, at("2026-12-04 20:00:00").addSecs(60 * i), 1000 + i);
    auto query = open(kind);

    QCOMPARE(query->validas().rowCount(), bodyRows);
    QCOMPARE(query->qtdeValidas(), QString::number(movements));
    QCOMPARE(query->totalValidas(), total);
    QCOMPARE(query->excluidas().rowCount(), 15);
    QCOMPARE(query->qtdeExcluidas(), QStringLiteral("0"));
    QCOMPARE(query->totalExcluidas(), QStringLiteral("R$ 0,00"));
    // Past the data rows the grid is empty: no code, no cell, no mark.
    for (int row = movements; row < bodyRows; ++row) {
        QVERIFY(!query->validas().hasCode(row));
        for (int column = 0; column < query->validas().columnCount(); ++column)
            QCOMPARE(query->validas().cellText(row, column), QString());
    }
}

void TestMovementQuery::cellsAndOrder_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QStringList>("first");   // cells 1.. of the first active row
    QTest::addColumn<QList<qint64>>("documents");

    // Sales come in document order, entries in time order.
    QTest::addRow("sale lines")
        << Kind::Sales
        << QStringList{QStringLiteral("05/12 01:30"), QStringLiteral("2"), QStringLiteral("Chopp Pilsen 300ml"),
                       QStringLiteral("2,5"), QStringLiteral("R$ 1.020,50"), QStringLiteral("7"), QString()}
        << QList<qint64>{7, 8, 9};
    QTest::addRow("entries")
        << Kind::Entries
        << QStringList{QStringLiteral("04/12/2026"), QStringLiteral("19:05"), QStringLiteral("Entrada Inteira"),
                       QStringLiteral("2"), QStringLiteral("R$ 1.020,50"), QStringLiteral("9"), QString()}
        << QList<qint64>{9, 8, 7};
}

void TestMovementQuery::cellsAndOrder()
{
    QFETCH(Kind, kind);
    QFETCH(QStringList, first);
    QFETCH(QList<qint64>, documents);

    Connection& db = m_db->connection();
    if (kind == Kind::Sales) {
        sale(db, m_catalogue, at("2026-12-04 23:00:00"), 2, 9);
        sale(db, m_catalogue, at("2026-12-05 01:30:00"), 2, 7, "2.5", "1020.50");
        sale(db, m_catalogue, at("2026-12-04 19:05:00"), 2, 8);
    } else {
        entry(db, m_catalogue, at("2026-12-04 23:00:00"), 2, 8);
        entry(db, m_catalogue, at("2026-12-05 01:30:00"), 2, 7);
        entry(db, m_catalogue, at("2026-12-04 19:05:12"), 2, 9, "1020.50");
    }
    auto query = open(kind);
    const MovementModel& grid = query->validas();

    QStringList cells;
    for (int column = 1; column < grid.columnCount(); ++column)
        cells << grid.cellText(0, column);
    QCOMPARE(cells, first);
    QCOMPARE(grid.cellText(0, 0), QString::number(grid.code(0)));

    const int docto = grid.columnCount() - 2;
    QList<qint64> listed;
    for (int row = 0; row < grid.count(); ++row)
        listed << grid.cellText(row, docto).toLongLong();
    QCOMPARE(listed, documents);
}

void TestMovementQuery::marking()
{
    add(Kind::Entries, at("2026-12-04 20:00:00"), 1);
    add(Kind::Entries, at("2026-12-04 21:00:00"), 2);
    auto query = open(Kind::Entries);
    MovementModel& grid = query->validas();
    const int sel = 7;

    query->marca(1);
    QCOMPARE(grid.cellText(1, sel), QStringLiteral("Sim"));
    QCOMPARE(grid.cellText(0, sel), QString());
    query->marca(1);
    QCOMPARE(grid.cellText(1, sel), QString());
    query->marca(0);
    query->marca(5);   // an empty row takes no mark
    QCOMPARE(grid.cellText(5, sel), QString());
    QCOMPARE(grid.markedCodes(), QList<qint64>{grid.code(0)});

    // A search clears every mark.
    query->pesquisa();
    QVERIFY(grid.markedCodes().isEmpty());
}

void TestMovementQuery::cancelMarked_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("activeTotal");
    QTest::addColumn<QString>("cancelledTotal");

    QTest::addRow("two sale lines") << Kind::Sales << QStringLiteral("R$ 3,00") << QStringLiteral("R$ 12,50");
    QTest::addRow("two entries") << Kind::Entries << QStringLiteral("R$ 3,00") << QStringLiteral("R$ 12,50");
}

void TestMovementQuery::cancelMarked()
{
    QFETCH(Kind, kind);
    QFETCH(QString, activeTotal);
    QFETCH(QString, cancelledTotal);

    const qint64 a = add(kind, at("2026-12-04 20:00:00"), 1, "10.00");
    add(kind, at("2026-12-04 21:00:00"), 2, "1.00");
    const qint64 c = add(kind, at("2026-12-04 22:00:00"), 3, "2.50");
    add(kind, at("2026-12-04 23:00:00"), 4, "2.00");
    auto query = open(kind);
    QCOMPARE(query->qtdeValidas(), QStringLiteral("4"));

    query->marca(0);
    query->marca(2);
    m_messages.answerNext(true);
    const QDateTime before = m_db->connection().select(
        QStringLiteral("select current_timestamp from rdb$database"))->dateTime(0, QStringLiteral("current_timestamp"));
    // Pressed on a row that is not marked itself: the marked ones go.
    QCOMPARE(query->cancela_marcados(1), MovementQuery::Cancel::Done);

    QCOMPARE(m_messages.texts(), QStringList{msg::confirmaExclusao});
    QCOMPARE(query->qtdeValidas(), QStringLiteral("2"));
    QCOMPARE(query->totalValidas(), activeTotal);
    QCOMPARE(query->qtdeExcluidas(), QStringLiteral("2"));
    QCOMPARE(query->totalExcluidas(), cancelledTotal);
    QVERIFY(query->validas().markedCodes().isEmpty());
    QCOMPARE(stateOf(kind, a), QStringLiteral("Sim/3/"));
    QCOMPARE(stateOf(kind, c), QStringLiteral("Sim/3/"));

    const MovementModel& cancelled = query->excluidas();
    QCOMPARE(QList<qint64>({cancelled.code(0), cancelled.code(1)}), QList<qint64>({a, c}));
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(cancelled.cellText(row, 5), QStringLiteral("3"));   // Caixa of the cancellation
        QCOMPARE(cancelled.cellText(row, 7), QString());             // Motivo
        // The moment of the cancellation comes from the database.
        Result<Rows> stamp = m_db->connection().select(
            QStringLiteral("select ddata_exclusao from %1 where ncodigo = ?").arg(table(kind)),
            {SqlValue::integer(cancelled.code(row))});
        const QDateTime when = stamp->dateTime(0, QStringLiteral("ddata_exclusao"));
        QVERIFY(when.isValid());
        QVERIFY(when >= before.addSecs(-1));
        QCOMPARE(cancelled.cellText(row, 4), when.toString(QStringLiteral("dd/MM hh:mm")));
    }
}

void TestMovementQuery::cancelKeepsTheSale()
{
    const qint64 line = add(Kind::Sales, at("2026-12-04 20:00:00"), 1, "8.00");
    const QString sql = QStringLiteral(
        "select v.ncodigo, v.ncaixa_venda, v.ddata_venda, v.ntotal, v.nvalor_pago from venda v, item_venda iv "
        "where v.ncodigo = iv.nvenda and iv.ncodigo = ?");
    const Rows before = m_db->connection().select(sql, {SqlValue::integer(line)}).value();
    auto query = open(Kind::Sales);
    query->marca(0);
    m_messages.answerNext(true);
    QCOMPARE(query->cancela_marcados(0), MovementQuery::Cancel::Done);
    const Rows after = m_db->connection().select(sql, {SqlValue::integer(line)}).value();
    QCOMPARE(after.count(), 1);
    for (const QString& column : before.columns())
        QCOMPARE(after.value(0, column), before.value(0, column));
}

void TestMovementQuery::deleteOnEmptyRowDoesNothing()
{
    const qint64 a = add(Kind::Sales, at("2026-12-04 20:00:00"), 1);
    auto query = open(Kind::Sales);
    query->marca(0);
    QCOMPARE(query->cancela_marcados(4), MovementQuery::Cancel::NotADataRow);
    QCOMPARE(query->cancela_marcados(-1), MovementQuery::Cancel::NotADataRow);
    QVERIFY(m_messages.shown().isEmpty());
    QCOMPARE(query->validas().markedCodes(), QList<qint64>{a});
    QCOMPARE(stateOf(Kind::Sales, a), QStringLiteral("Nao//"));
}

void TestMovementQuery::declinedChangesNothing()
{
    const qint64 a = add(Kind::Entries, at("2026-12-04 20:00:00"), 1);
    auto query = open(Kind::Entries);
    query->marca(0);
    m_messages.answerNext(false);
    QCOMPARE(query->cancela_marcados(0), MovementQuery::Cancel::Declined);
    QCOMPARE(stateOf(Kind::Entries, a), QStringLiteral("Nao//"));
    QCOMPARE(query->validas().markedCodes(), QList<qint64>{a});   // still marked
}

void TestMovementQuery::nothingMarkedOnlyRefreshes()
{
    const qint64 a = add(Kind::Sales, at("2026-12-04 20:00:00"), 1);
    auto query = open(Kind::Sales);
    // Another workstation sells meanwhile: the refresh shows it.
    add(Kind::Sales, at("2026-12-04 20:05:00"), 2);
    m_messages.answerNext(true);
    QCOMPARE(query->cancela_marcados(0), MovementQuery::Cancel::Done);
    QCOMPARE(m_messages.texts(), QStringList{msg::confirmaExclusao});
    QCOMPARE(query->qtdeValidas(), QStringLiteral("2"));
    QCOMPARE(stateOf(Kind::Sales, a), QStringLiteral("Nao//"));
}

void TestMovementQuery::refusedCancellationLeavesAllActive_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addRow("sale lines") << Kind::Sales;
    QTest::addRow("entries") << Kind::Entries;
}

void TestMovementQuery::refusedCancellationLeavesAllActive()
{
    QFETCH(Kind, kind);

    QList<qint64> codes;
    for (int i = 0; i < 3; ++i)
        codes << add(kind, at("2026-12-04 20:00:00").addSecs(60 * i), 1 + i);
    // The database refuses the second row: the first must not stay cancelled.
    Connection& db = m_db->connection();
    QVERIFY(db.execute(QStringLiteral("create exception e_teste_exclusao '{ini}Exclusão bloqueada para teste.'")).ok());
    QVERIFY(db.execute(QStringLiteral("create trigger t_teste_exclusao for %1 before update as begin "
                                      "if (new.ncodigo = %2) then exception e_teste_exclusao; end")
                           .arg(table(kind))
                           .arg(codes[1]))
                .ok());

    auto query = open(kind);
    for (int row = 0; row < 3; ++row)
        query->marca(row);
    m_messages.answerNext(true);
    QCOMPARE(query->cancela_marcados(0), MovementQuery::Cancel::Failed);

    QCOMPARE(m_messages.texts(),
             QStringList({msg::confirmaExclusao, QStringLiteral("Exclusão bloqueada para teste.")}));
    for (qint64 code : codes)
        QCOMPARE(stateOf(kind, code), QStringLiteral("Nao//"));
    // Refreshed all the same: nothing marked, everything still on tab 0.
    QCOMPARE(query->qtdeValidas(), QStringLiteral("3"));
    QCOMPARE(query->qtdeExcluidas(), QStringLiteral("0"));
    QVERIFY(query->validas().markedCodes().isEmpty());
    QVERIFY(!db.inTransaction());
}

void TestMovementQuery::alreadyCancelledElsewhere_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<QList<int>>("elsewhere");
    QTest::addColumn<QString>("message");

    QTest::addRow("one of two sale lines")
        << Kind::Sales << QList<int>{0, 1} << QList<int>{1} << msg::algunsJaExcluidos;
    QTest::addRow("the only entry marked")
        << Kind::Entries << QList<int>{2} << QList<int>{2} << msg::registroJaExcluido;
    QTest::addRow("every sale line marked")
        << Kind::Sales << QList<int>{0, 2} << QList<int>{0, 2} << msg::registrosJaExcluidos;
}

void TestMovementQuery::alreadyCancelledElsewhere()
{
    QFETCH(Kind, kind);
    QFETCH(QList<int>, marked);
    QFETCH(QList<int>, elsewhere);
    QFETCH(QString, message);

    QList<qint64> codes;
    for (int i = 0; i < 3; ++i)
        codes << add(kind, at("2026-12-04 20:00:00").addSecs(60 * i), 1 + i);
    auto query = open(kind);
    for (int row : marked)
        query->marca(row);

    // Cash register 9 cancels some of them before this manager presses Delete.
    for (int row : elsewhere) {
        QVERIFY(m_db->connection().execute(
            QStringLiteral("update %1 set %2 = 'Sim', cmotivo_exclusao = 'Quebrado', ncaixa_exclusao = 9 "
                           "where ncodigo = ?").arg(table(kind), flag(kind)),
            {SqlValue::integer(codes[row])}).ok());
    }
    m_messages.answerNext(true);
    QCOMPARE(query->cancela_marcados(marked.first()), MovementQuery::Cancel::SomeAlreadyDone);

    QCOMPARE(m_messages.texts(), QStringList({msg::confirmaExclusao, message}));
    for (int row = 0; row < 3; ++row) {
        const QString expected = elsewhere.contains(row) ? QStringLiteral("Sim/9/Quebrado")
            : marked.contains(row)                       ? QStringLiteral("Sim/3/")
                                                         : QStringLiteral("Nao//");
        QCOMPARE(stateOf(kind, codes[row]), expected);
    }
    const int cancelledNow = int(QSet<int>(marked.begin(), marked.end()).unite(
                                     QSet<int>(elsewhere.begin(), elsewhere.end())).size());
    QCOMPARE(query->qtdeExcluidas(), QString::number(cancelledNow));
}

void TestMovementQuery::conflictWithOpenChange()
{
    const qint64 a = add(Kind::Sales, at("2026-12-04 20:00:00"), 1);
    const qint64 b = add(Kind::Sales, at("2026-12-04 20:01:00"), 2);
    auto query = open(Kind::Sales);
    query->marca(0);
    query->marca(1);

    // Another workstation is cancelling line b in a change not yet committed;
    // it commits while this one waits on the row.
    std::atomic<bool> holding = false;
    std::atomic<bool> committed = false;
    const QString path = m_db->path();
    std::thread other([&] {
        Connection second;
        if (!second.open(path))
            return;
        {
            Transaction change(second);
            if (second.execute(QStringLiteral("update item_venda set cexcluido = 'Sim', cmotivo_exclusao = '', "
                                              "ncaixa_exclusao = 7 where ncodigo = ?"),
                               {SqlValue::integer(b)}).ok()) {
                holding = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(400));
                committed = change.commit().ok();
            }
        }
        second.close();
    });
    QTRY_VERIFY_WITH_TIMEOUT(holding, 10000);

    m_messages.answerNext(true);
    const MovementQuery::Cancel outcome = query->cancela_marcados(0);
    other.join();
    QVERIFY(committed);

    QCOMPARE(outcome, MovementQuery::Cancel::Conflict);
    QCOMPARE(m_messages.texts(), QStringList({msg::confirmaExclusao, msg::conflitoOutroCaixa}));
    QCOMPARE(stateOf(Kind::Sales, a), QStringLiteral("Nao//"));   // rolled back with the rest
    QCOMPARE(stateOf(Kind::Sales, b), QStringLiteral("Sim/7/"));  // the other workstation's
    QCOMPARE(query->qtdeValidas(), QStringLiteral("1"));
    QCOMPARE(query->qtdeExcluidas(), QStringLiteral("1"));
    QVERIFY(!m_db->connection().inTransaction());
}

void TestMovementQuery::cancelledListFollowsMovementDate()
{
    // Sold before the period, cancelled within it: listed in neither tab.
    const qint64 old = add(Kind::Entries, at("2026-12-03 23:00:00"), 1);
    QVERIFY(m_db->connection().execute(
        QStringLiteral("update entrada set cexcluida = 'Sim', ncaixa_exclusao = 1 where ncodigo = ?"),
        {SqlValue::integer(old)}).ok());
    auto query = open(Kind::Entries);
    QCOMPARE(query->qtdeExcluidas(), QStringLiteral("0"));
    QCOMPARE(query->qtdeValidas(), QStringLiteral("0"));

    // Widening the period to the day before finds it.
    query->setDataInicial(QDate(2026, 12, 3));
    query->pesquisa();
    QCOMPARE(query->qtdeExcluidas(), QStringLiteral("1"));
}

void TestMovementQuery::failingSearchSaysSoOnce()
{
    add(Kind::Sales, at("2026-12-04 20:00:00"), 1);
    auto query = open(Kind::Sales);
    QCOMPARE(query->qtdeValidas(), QStringLiteral("1"));
    query->marca(0);

    m_db->connection().close();
    query->pesquisa();
    QCOMPARE(m_messages.shown().size(), 1);
    QCOMPARE(m_messages.shown().first().kind, ScriptedMessages::Kind::Plain);
    // Nothing stale is left on either tab.
    QCOMPARE(query->qtdeValidas(), QStringLiteral("0"));
    QCOMPARE(query->totalValidas(), QStringLiteral("R$ 0,00"));
    QCOMPARE(query->validas().rowCount(), 15);
    QVERIFY(!query->validas().hasCode(0));
    QCOMPARE(query->qtdeExcluidas(), QStringLiteral("0"));
}

QTEST_MAIN(TestMovementQuery)
#include "test_movement_query.moc"
