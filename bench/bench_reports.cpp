// The reports on a year of history (bench/history.h: about 1,000,000 sale
// lines), embedded and warm, for one business day and for a whole month:
//   - the movement summary's figures and the cash-register summary's rows,
//     set beside the same aggregate statements run raw through the driver;
//   - each report from its start to a finished PDF file;
//   - the product list with 10,000 products;
//   - the plans Firebird chooses, with the index statistics as a database
//     created empty keeps them, and after they are refreshed.
// The history is copied for each run, so every run starts with the stale
// statistics the reports must live with.

#include "bench/bench_setup.h"
#include "bench/bench_stats.h"
#include "bench/history.h"
#include "common/terminal_settings.h"
#include "console/console_reports.h"
#include "console/report_figures.h"
#include "console/report_preview.h"
#include "console/reports/index_statistics.h"
#include "db/connection.h"
#include "db/transaction.h"
#include "tests/support/scripted_messages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <QTemporaryDir>

#include <ibase.h>

#include <functional>

namespace {

using history::check;
using history::say;

constexpr int Runs = 21;

const ReportPeriod Day{QStringLiteral("2026-12-04 18:00"), QStringLiteral("2026-12-05 06:00")};
const ReportPeriod Month{QStringLiteral("2026-11-04 18:00"), QStringLiteral("2026-12-05 06:00")};

// The plan Firebird chose for a statement, as it prepares it.
QString planOf(Connection& db, const QString& sql)
{
    QSqlQuery query(db.database());
    if (!query.prepare(sql))
        return QStringLiteral("(not prepared)");
    isc_stmt_handle statement = query.result()->handle().value<isc_stmt_handle>();
    char items[] = {isc_info_sql_get_plan};
    char buffer[8192] = {};
    ISC_STATUS_ARRAY status = {};
    if (isc_dsql_sql_info(status, &statement, sizeof items, items, sizeof buffer, buffer) || buffer[0] != isc_info_sql_get_plan)
        return QStringLiteral("(no plan)");
    const int length = int(isc_vax_integer(buffer + 1, 2));
    return QString::fromUtf8(buffer + 3, length).simplified();
}

// One statement through the driver alone: prepared, bound, run, every value
// read; the first column's values.
QVariantList raw(Connection& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db.database());
    query.setForwardOnly(true);
    query.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec()) {
        say(QStringLiteral("raw statement failed: ") + sql);
        std::exit(1);
    }
    QVariantList first;
    const int width = query.record().count();
    while (query.next()) {
        first << query.value(0);
        for (int i = 1; i < width; ++i)
            query.value(i);
    }
    return first;
}

double millis(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// Medians of both, measured in turns; three warm-up turns first.
std::pair<double, double> sideBySide(const std::function<void()>& a, const std::function<void()>& b)
{
    QList<double> first;
    QList<double> second;
    for (int run = -3; run < Runs; ++run) {
        const double x = millis(a);
        const double y = millis(b);
        if (run >= 0) {
            first << x;
            second << y;
        }
    }
    return {median(first), median(second)};
}

double medianOf(const std::function<void()>& work, int runs = Runs)
{
    QList<double> samples;
    for (int run = -2; run < runs; ++run) {
        const double ms = millis(work);
        if (run >= 0)
            samples << ms;
    }
    return median(samples);
}

QString fixed(double value, int decimals = 1)
{
    return QString::number(value, 'f', decimals);
}

struct Bench
{
    explicit Bench(Connection& connection) : db(connection) {}

    Connection& db;
    TerminalSettings settings;
    ScriptedMessages messages;
    QTemporaryDir out;

    void figures(const ReportPeriod& period, const QString& name)
    {
        const QVariantList bounds{period.inicio(), period.fim()};
        const auto [rawMs, ours] = sideBySide(
            [&] {
                for (const QString& sql : {figures::EntriesSql, figures::SalesSql, figures::CancelledEntriesSql,
                                           figures::CancelledSalesSql})
                    raw(db, sql, bounds);
            },
            [&] {
                Transaction snapshot(db);
                check(figures::movement(db, period), "figures");
            });
        const auto movement = check(figures::movement(db, period), "figures");
        say(QStringLiteral("  movement figures, %1: E %2 (%3), S %4, CE %5, CS %6   raw %7 ms  ours %8 ms  ratio %9")
                .arg(name, -6)
                .arg(movement.entradas.toDecimalText()).arg(movement.qtdeEntradas)
                .arg(movement.consumo.toDecimalText()).arg(movement.entradasCanceladas).arg(movement.vendasCanceladas)
                .arg(fixed(rawMs), fixed(ours), fixed(ours / rawMs, 2)));
    }

    void cashRegisters(const ReportPeriod& period, const QString& name)
    {
        const QVariantList bounds{period.inicio(), period.fim()};
        int rows = 0;
        const auto [rawMs, ours] = sideBySide(
            [&] {
                for (const QVariant& code : raw(db, figures::CashRegistersSql, {})) {
                    const QVariantList values = bounds + QVariantList{code};
                    raw(db, figures::RegisterEntriesSql, values);
                    raw(db, figures::RegisterSalesSql, values);
                }
            },
            [&] {
                // As the report runs it: written, read back, undone.
                Transaction privateRows(db);
                check(figures::writeCashRegisterSummary(db, period), "summary");
                rows = check(db.select(QStringLiteral("select ccampo1, ncampo2, ncampo3, ncampo4 from temp order by ncampo4")),
                             "temp").count();
            });
        say(QStringLiteral("  cash-register summary, %1: %2 registers   raw %3 ms  ours %4 ms  ratio %5")
                .arg(name, -6).arg(rows).arg(fixed(rawMs), fixed(ours), fixed(ours / rawMs, 2)));
    }

    double report(const QString& number, const ReportPeriod& period, int runs = Runs)
    {
        const QString pdf = out.filePath(number + QStringLiteral(".pdf"));
        PdfPresenter presenter(pdf);
        ConsoleReports reports(settings, messages, ConsoleReports::defaultFolder(),
                               [period](ReportPeriod& p) { p = period; }, presenter);
        return medianOf([&] {
            if (reports.run(number) != ConsoleReports::Outcome::Shown) {
                say(QStringLiteral("report %1 failed:\n").arg(number) + messages.transcript());
                std::exit(1);
            }
        }, runs);
    }

    void plans(const QString& when)
    {
        say(QStringLiteral("plans, %1:").arg(when));
        const QList<std::pair<const char*, QString>> statements = {
            {"E and N", figures::EntriesSql},
            {"S", figures::SalesSql},
            {"CE", figures::CancelledEntriesSql},
            {"CS", figures::CancelledSalesSql},
            {"register entries", figures::RegisterEntriesSql},
            {"register sales", figures::RegisterSalesSql},
            {"S as the summary wrote it", QStringLiteral("select sum(iv.ntotal) from venda v,item_venda iv where "
                                                         "iv.nvenda = v.ncodigo and ddata_venda between ? and ? and "
                                                         "cexcluido = 'Nao'")},
        };
        for (const auto& [name, sql] : statements)
            say(QStringLiteral("  %1 %2").arg(QString::fromLatin1(name), -26).arg(planOf(db, sql)));
        // The reports' own queries, as their definitions hold them once bound.
        for (const char* file : {"01.rpt", "02.rpt", "03.rpt", "04.rpt"}) {
            const QString path = QDir(ConsoleReports::defaultFolder()).filePath(QString::fromLatin1(file));
            auto definition = report::readDefinition(path);
            if (!definition) {
                say(definition.failure().text);
                continue;
            }
            const QString field = QLatin1String(file) == QLatin1String("02.rpt") ? QStringLiteral("{venda.ddata_venda}")
                                                                                 : QStringLiteral("{entrada.ddata_entrada}");
            auto selection = report::parseSelection(
                QStringLiteral("%1 >= dateTime('2026-12-04 18:00') and %1 <= dateTime('2026-12-05 06:00')").arg(field));
            QList<report::Query> queries{definition->main};
            queries += definition->queries;
            for (const report::Query& query : queries) {
                auto bound = report::bindQuery(query.sql, *selection);
                if (!bound)
                    continue;
                say(QStringLiteral("  %1 %2")
                        .arg(QString::fromLatin1(file) + (query.name.isEmpty() ? QString() : u' ' + query.name), -26)
                        .arg(planOf(db, bound->sql)));
            }
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    runHeadless();
    QGuiApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("VORINDA_RELATORIO"))
        qputenv("VORINDA_RELATORIO", QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/relatorio")).toLocal8Bit());

    // The year of history, then a copy of it that this run may change.
    QString copy;
    {
        Connection source;
        history::open(source, QStringLiteral("vorinda-bench-queries"));
        copy = source.path() + QStringLiteral(".reports");
        source.close();
        QFile::remove(copy);
        QElapsedTimer timer;
        timer.start();
        if (!QFile::copy(copy.chopped(8), copy)) {
            say(QStringLiteral("could not copy the history to ") + copy);
            return 1;
        }
        say(QStringLiteral("history copied in %1 s").arg(fixed(timer.elapsed() / 1000.0)));
    }
    Connection db;
    check(db.open(copy), "open copy");

    Bench bench(db);
    bench.settings.conexao = &db;
    bench.settings.numero_caixa = 1;
    bench.settings.hora_inicio = QStringLiteral("18:00");
    bench.settings.hora_fim = QStringLiteral("06:00");
    bench.settings.nome_fantasia = QStringLiteral("Bar de Bancada");
    bench.settings.dataDir = bench.out.path();
    for (int caixa = 2; caixa <= 4; ++caixa)
        check(db.execute(QStringLiteral("insert into caixa (ncodigo, coperador) values (?, ?)"),
                         {SqlValue::integer(caixa), SqlValue::text(QStringLiteral("Caixa %1").arg(caixa))}), "caixa");

    say(QStringLiteral("business day 04/12/2026 18:00 to 05/12/2026 06:00; month 04/11/2026 18:00 to 05/12/2026 06:00; "
                       "medians of %1 warm runs").arg(Runs));
    bench.plans(QStringLiteral("index statistics as the empty database left them"));
    say(QStringLiteral("figures, statistics as the empty database left them:"));
    bench.figures(Day, QStringLiteral("day"));
    bench.figures(Month, QStringLiteral("month"));
    bench.cashRegisters(Day, QStringLiteral("day"));
    bench.cashRegisters(Month, QStringLiteral("month"));

    const double refresh = millis([&] {
        check(report::refreshIndexStatistics(db, {"venda", "item_venda", "entrada", "produto", "tipo_entrada", "grupo"}),
              "statistics");
    });
    say(QStringLiteral("index statistics refreshed in %1 ms").arg(fixed(refresh)));
    bench.plans(QStringLiteral("statistics refreshed"));
    say(QStringLiteral("figures, statistics refreshed:"));
    bench.figures(Day, QStringLiteral("day"));
    bench.figures(Month, QStringLiteral("month"));
    bench.cashRegisters(Day, QStringLiteral("day"));
    bench.cashRegisters(Month, QStringLiteral("month"));

    say(QStringLiteral("each report from its start to a finished PDF (target: under 300 ms for a business day):"));
    for (const char* number : {"01", "02", "03", "04"}) {
        const double day = bench.report(QString::fromLatin1(number), Day);
        const double month = QLatin1String(number) == QLatin1String("04") ? day : bench.report(QString::fromLatin1(number), Month, 7);
        say(QStringLiteral("  report %1   day %2 ms   month %3 ms").arg(QString::fromLatin1(number), fixed(day), fixed(month)));
    }

    // 10,000 products in 40 groups.
    check(db.execute(QStringLiteral(
              "execute block as declare i integer = 0; begin "
              "while (i < 40) do begin insert into grupo (ncodigo, cdescricao) values (null, 'Grupo ' || : i); i = i + 1; end "
              "i = 0; while (i < 10000) do begin "
              "insert into produto (ncodigo, cdescricao, ngrupo, nqtde_atual, nvalor_venda, cunidade, nvalor_interno) values "
              "(null, 'Produto de bancada numero ' || : i, (select max(ncodigo) from grupo) - mod(: i, 40), mod(: i, 97), "
              "5 + mod(: i, 50), 'Unidade', 3); i = i + 1; end end")), "products");
    const double products = bench.report(QStringLiteral("04"), Day, 5);
    const qint64 kilobytes = QFile(bench.out.filePath(QStringLiteral("04.pdf"))).size() / 1024;
    say(QStringLiteral("  report 04 with 10,020 products: %1 ms (target: under 2 s), PDF %2 KB").arg(fixed(products)).arg(kilobytes));

    if (!bench.messages.shown().isEmpty())
        say(QStringLiteral("messages shown:\n") + bench.messages.transcript());
    db.close();
    QFile::remove(copy);
    return 0;
}
