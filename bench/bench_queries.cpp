// The movement query screens on a year of history: both tabs of one business
// day (about 2,740 sale lines and 800 entries, 5% cancelled) out of about
// 1,000,000 sale lines, embedded and warm. The screen's fill, grids painted,
// is set beside a raw fetch of the same rows through the driver.
//
// The history (bench/history.h) is built once and kept in $VORINDA_BENCH_DIR.

#include "bench/bench_setup.h"
#include "bench/bench_stats.h"
#include "bench/history.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "queries/movement_query_screen.h"
#include "tests/support/scripted_messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>

#include <algorithm>
#include <cstdio>

namespace {

using history::say;

constexpr int Runs = 31;
const QDate LastDay = history::LastDay;

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
        rows += readAll(query, columnsOf(list->sql));
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
    runHeadless();
    QApplication app(argc, argv);

    Connection db;
    history::open(db, QStringLiteral("vorinda-bench-queries"));

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
