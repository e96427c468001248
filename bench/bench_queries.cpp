// The movement query screens on a year of history: both tabs of one business
// day (about 2,740 sale lines and 800 entries, 5% cancelled) out of about
// 1,000,000 sale lines, embedded and warm. The screen's fill, grids painted,
// is set beside a raw fetch of the same rows through the driver.
//
// The history is built once with EXECUTE BLOCK loops and kept in
// $VORINDA_BENCH_DIR (default: a folder in the temporary directory), so
// later runs start at once; delete the folder to build it again.

#include "bench/bench_stats.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "queries/movement_query_screen.h"
#include "tests/support/scripted_messages.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Days = 365;
constexpr int LinesPerDay = 2740;      // three lines a sale
constexpr int EntriesPerDay = 800;
constexpr int Runs = 31;
const QDate LastDay(2026, 12, 4);

void say(const QString& text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

[[noreturn]] void fail(const QString& what, const Failure& failure)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(failure.description()));
    std::exit(1);
}

template <typename T>
T check(Result<T> result, const char* what)
{
    if (!result)
        fail(QString::fromLatin1(what), result.failure());
    return std::move(*result);
}

void check(Result<void> result, const char* what)
{
    if (!result)
        fail(QString::fromLatin1(what), result.failure());
}

// One business day of sales and entries from 18:00 of `day`: a sale every
// 45 s (lines every 15 s), an entry every 54 s; every twentieth line and
// entry cancelled ten minutes later at cash register 1. A blank stands after
// the colon of each variable, or Qt would take ":v" for a named placeholder.
const QString DayBlock = QStringLiteral(
    "execute block (d0 timestamp = ?, p0 integer = ?, t0 integer = ?) as "
    "declare i integer; declare v integer; declare n integer; declare t timestamp; "
    "begin "
    "  i = 0; v = 0; "
    "  while (i < %1) do begin "
    "    t = dateadd(i * 15 second to d0); "
    "    if (mod(i, 3) = 0) then begin "
    "      v = gen_id(venda, 1); "
    "      insert into venda (ncodigo, ncaixa_venda, ddata_venda, cforma_pagamento, ntotal, nvalor_pago, ntroco) "
    "      values (: v, mod(: i, 4) + 1, : t, 'Dinheiro', 24, 30, 6); "
    "    end "
    "    n = gen_id(numero_venda, 1); "
    "    insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, cexcluido, "
    "      ncaixa_exclusao, ddata_exclusao, cmotivo_exclusao, nnumero, cvenda_interna) "
    "    values (null, : v, : p0 + mod(: n, 20), 1 + mod(: n, 3), 8, 8 * (1 + mod(: n, 3)), "
    "      iif(mod(: n, 20) = 0, 'Sim', 'Nao'), iif(mod(: n, 20) = 0, 1, null), "
    "      iif(mod(: n, 20) = 0, dateadd(10 minute to : t), null), '', : n, 'N'); "
    "    i = i + 1; "
    "  end "
    "  i = 0; "
    "  while (i < %2) do begin "
    "    t = dateadd(i * 54 second to d0); "
    "    n = gen_id(numero_entrada, 1); "
    "    insert into entrada (ncodigo, ddata_entrada, ntipo_entrada, ncaixa_entrada, nvalor, cexcluida, "
    "      ddata_exclusao, ncaixa_exclusao, cmotivo_exclusao, cforma_pagamento, nnumero) "
    "    values (gen_id(entrada, 1), : t, : t0 + mod(: n, 4), mod(: i, 2) + 1, 30, "
    "      iif(mod(: n, 20) = 0, 'Sim', 'Nao'), iif(mod(: n, 20) = 0, dateadd(10 minute to : t), null), "
    "      iif(mod(: n, 20) = 0, 1, null), '', 'Dinheiro', : n); "
    "    i = i + 1; "
    "  end "
    "end").arg(LinesPerDay).arg(EntriesPerDay);

void buildHistory(Connection& db)
{
    QElapsedTimer timer;
    timer.start();
    check(db.execute(QStringLiteral("insert into grupo (ncodigo, cdescricao) values (null, ?)"),
                     {SqlValue::text(QStringLiteral("Bancada"))}), "group");
    const qint64 group = check(db.select(QStringLiteral("select max(ncodigo) as m from grupo")), "group")
                             .integer(0, QStringLiteral("m"));
    for (int i = 0; i < 20; ++i) {
        check(db.execute(QStringLiteral("insert into produto (ncodigo, cdescricao, ngrupo, nvalor_venda) "
                                        "values (null, ?, ?, 8)"),
                         {SqlValue::text(QStringLiteral("Produto de bancada %1").arg(i + 1)),
                          SqlValue::integer(group)}), "product");
    }
    for (int i = 0; i < 4; ++i) {
        check(db.execute(QStringLiteral("insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) "
                                        "values (null, ?, 30, 'N')"),
                         {SqlValue::text(QStringLiteral("Entrada de bancada %1").arg(i + 1))}), "type");
    }
    const qint64 p0 = check(db.select(QStringLiteral("select max(ncodigo) - 19 as m from produto")), "p0")
                          .integer(0, QStringLiteral("m"));
    const qint64 t0 = check(db.select(QStringLiteral("select max(ncodigo) - 3 as m from tipo_entrada")), "t0")
                          .integer(0, QStringLiteral("m"));
    for (int d = Days - 1; d >= 0; --d) {
        const QDateTime start(LastDay.addDays(-d), QTime(18, 0));
        check(db.execute(DayBlock, {SqlValue::timestamp(start), SqlValue::integer(p0), SqlValue::integer(t0)}),
              "day");
        if (d % 73 == 0)
            say(QStringLiteral("  ... %1 days built, %2 s").arg(Days - d).arg(timer.elapsed() / 1000.0, 0, 'f', 1));
    }
    say(QStringLiteral("history built in %1 s").arg(timer.elapsed() / 1000.0, 0, 'f', 1));
}

int columnsOf(const QString& sql)
{
    const int from = sql.indexOf(QStringLiteral(" from "));
    return int(sql.left(from).count(u',')) + 1;
}

// The same statements and bounds as the screen, read through the driver
// alone: every value of every row, nothing kept.
int rawFetch(Connection& db, const MovementKind& kind, const QDateTime& start, const QDateTime& end)
{
    int rows = 0;
    for (const GridList* list : {&kind.active, &kind.cancelled}) {
        QSqlQuery query(db.database());
        query.setForwardOnly(true);
        query.prepare(list->sql);
        query.bindValue(0, start);
        query.bindValue(1, end);
        if (!query.exec()) {
            say(QStringLiteral("raw fetch failed"));
            std::exit(1);
        }
        const int width = columnsOf(list->sql);
        while (query.next()) {
            for (int i = 0; i < width; ++i)
                query.value(i);
            ++rows;
        }
        query.clear();
    }
    return rows;
}

void measure(MovementQueryScreen& screen, Connection& db, const QString& name)
{
    MovementQuery& query = screen.query();
    const QDateTime start(query.dataInicial(), query.horaInicial());
    const QDateTime end(query.dataFinal(), query.horaFinal());
    auto* grid1 = screen.findChild<QTableView*>(QStringLiteral("Grid1"));

    QList<double> raw;
    QList<double> fill;
    int rows = 0;
    QElapsedTimer timer;
    for (int run = -5; run < Runs; ++run) {   // five warm-up runs
        timer.start();
        rows = rawFetch(db, query.kind(), start, end);
        const double rawMs = timer.nsecsElapsed() / 1e6;

        timer.start();
        screen.pesquisa();
        grid1->viewport()->repaint();
        const double fillMs = timer.nsecsElapsed() / 1e6;
        if (run >= 0) {
            raw << rawMs;
            fill << fillMs;
        }
    }
    const double r = median(raw);
    const double f = median(fill);
    say(QStringLiteral("%1  active %2 (%3), cancelled %4 (%5), %6 rows  raw fetch %7 ms  screen fill %8 ms  ratio %9")
            .arg(name, -16)
            .arg(query.qtdeValidas(), query.totalValidas(), query.qtdeExcluidas(), query.totalExcluidas())
            .arg(rows)
            .arg(r, 0, 'f', 1)
            .arg(f, 0, 'f', 1)
            .arg(f / r, 0, 'f', 2));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QString folder = qEnvironmentVariable("VORINDA_BENCH_DIR");
    if (folder.isEmpty())
        folder = QDir::temp().filePath(QStringLiteral("vorinda-bench-queries"));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("history.fdb"));
    const bool fresh = !QFile::exists(path);
    if (fresh) {
        say(QStringLiteral("building %1 days of history in %2").arg(Days).arg(path));
        check(createDatabase(path, false), "create");
        check(setForcedWrites(path, false), "forced writes");
    } else {
        say(QStringLiteral("reusing %1").arg(path));
    }

    Connection db;
    check(db.open(path), "open");
    const bool empty = check(db.select(QStringLiteral("select count(*) from item_venda")), "count")
                           .integer(0, QStringLiteral("count")) == 0;
    if (empty)
        buildHistory(db);
    const qint64 lines = check(db.select(QStringLiteral("select count(*) from item_venda")), "count")
                             .integer(0, QStringLiteral("count"));
    const qint64 entries = check(db.select(QStringLiteral("select count(*) from entrada")), "count")
                               .integer(0, QStringLiteral("count"));
    say(QStringLiteral("history: %1 sale lines, %2 entries").arg(lines).arg(entries));

    TerminalSettings settings;
    settings.conexao = &db;
    settings.numero_caixa = 1;
    settings.hora_inicio = QStringLiteral("18:00");
    settings.hora_fim = QStringLiteral("06:00");
    ScriptedMessages messages;
    const QDateTime now(LastDay, QTime(23, 0));
    say(QStringLiteral("business day %1 18:00 to %2 06:00, medians of %3 warm runs")
            .arg(LastDay.toString(QStringLiteral("dd/MM/yyyy")), LastDay.addDays(1).toString(QStringLiteral("dd/MM/yyyy")))
            .arg(Runs));

    {
        ConsultaVenda screen(settings, messages, nullptr, [now] { return now; });
        screen.show();
        QApplication::processEvents();
        measure(screen, db, QStringLiteral("consultaVenda"));
    }
    {
        ConsultaEntrada screen(settings, messages, nullptr, [now] { return now; });
        screen.show();
        QApplication::processEvents();
        measure(screen, db, QStringLiteral("consultaEntrada"));
    }
    if (!messages.shown().isEmpty())
        say(QStringLiteral("messages shown:\n") + messages.transcript());
    return 0;
}
