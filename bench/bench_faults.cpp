// Sale counters recording on a private Firebird server while it is killed
// and started again at random. Counters are threads of this process, each
// with its own connection, recording through the payment screen's code and
// closing a sale again, as an operator would, until it is recorded. Each
// sale carries its own received amount, so the database tells which were
// stored and whether any was stored twice. Printed, not a timed test.
#include "bench/bench_stats.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "sales/sale_payment.h"
#include "tests/support/firebird_server.h"
#include "tests/support/scripted_messages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

constexpr int Counters = 8;
constexpr int Kills = 24;

struct Counter
{
    QList<qint64> recorded;      // markers the counter was told were recorded
    int failures = 0;            // closings that failed (the operator tried again)
    bool sawOutage = false;
    QString problem;
};

std::atomic<bool> g_stop{false};
std::atomic<qint64> g_serverBack{0};    // ms of the clock when the server last came back
std::atomic<int> g_outage{0};           // number of the outage under way or last ended
std::mutex g_recoveryMutex;
std::vector<double> g_recoveries;       // ms from the server's return to a counter's next success
int g_recoveredCounters[Counters] = {};

QElapsedTimer g_clock;

void runCounter(const QString& path, int index, Counter& counter)
{
    QTemporaryDir dataDir;
    Connection conexao;
    if (const auto opened = conexao.open(path); !opened) {
        counter.problem = opened.failure().description();
        return;
    }
    ConnectionLimits limits;
    limits.retryMs = 100;
    conexao.setLimits(limits);
    TerminalSettings settings;
    settings.conexao = &conexao;
    settings.numero_caixa = qint16(index + 1);
    settings.modo_impressao = 2;
    settings.nome_fantasia = QStringLiteral("Bar Estrela");
    settings.dataDir = dataDir.path();
    ScriptedMessages messages;
    const QList<SaleLine> lines{
        {QStringLiteral("1"), QStringLiteral("Produto"), QStringLiteral("2"), QStringLiteral("R$ 1,50"),
         QStringLiteral("R$ 3,00"), false},
        {QStringLiteral("2"), QStringLiteral("Produto"), QStringLiteral("1"), QStringLiteral("R$ 4,00"),
         QStringLiteral("R$ 4,00"), false},
    };
    qint64 unsettled = 0;
    int failedOutage = -1;
    for (qint64 seq = 1; !g_stop.load(); ++seq) {
        const qint64 marker = (index + 1) * 1000000 + seq;
        for (;;) {
            SalePayment payment(settings, messages, lines, QStringLiteral("R$ 7,00"), &unsettled);
            payment.fields.text8 = QString::number(marker) + QStringLiteral(",00");
            payment.leaveReceived();
            messages.clear();
            if (payment.record() == SalePayment::Outcome::Recorded) {
                counter.recorded.append(marker);
                if (failedOutage >= 0) {
                    const qint64 back = g_serverBack.load();
                    std::lock_guard lock(g_recoveryMutex);
                    g_recoveries.push_back(double(g_clock.elapsed() - back));
                    ++g_recoveredCounters[index];
                    failedOutage = -1;
                }
                break;
            }
            ++counter.failures;
            counter.sawOutage = true;
            failedOutage = g_outage.load();
            if (g_stop.load() && unsettled == 0)
                return;
            QThread::msleep(50);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    g_clock.start();
    FirebirdServer server;
    QString why;
    if (!server.start(&why)) {
        std::printf("server not started: %s\n", qPrintable(why));
        return 1;
    }
    const QString path = server.databasePath(QStringLiteral("faults.fdb"));
    if (const auto created = createDatabase(path, true); !created) {
        std::printf("database not created: %s\n", qPrintable(created.failure().description()));
        return 1;
    }

    Counter counters[Counters];
    QList<QThread*> threads;
    for (int i = 0; i < Counters; ++i) {
        threads.append(QThread::create([&, i] { runCounter(path, i, counters[i]); }));
        threads.last()->start();
    }
    auto* random = QRandomGenerator::global();
    int restarts = 0;
    QThread::msleep(1000);
    for (int k = 0; k < Kills; ++k) {
        QThread::msleep(random->bounded(300, 1500));
        g_outage.store(k + 1);
        server.kill();
        QThread::msleep(random->bounded(200, 1200));
        if (!server.restart(&why)) {
            std::printf("restart failed: %s\n", qPrintable(why));
            break;
        }
        g_serverBack.store(g_clock.elapsed());
        ++restarts;
    }
    QThread::msleep(3000);
    g_stop.store(true);
    for (QThread* thread : threads) {
        thread->wait(60000);
        delete thread;
    }

    Connection check;
    if (const auto opened = check.open(path); !opened) {
        std::printf("check failed: %s\n", qPrintable(opened.failure().description()));
        return 1;
    }
    const auto rows = check.select(QStringLiteral("select nvalor_pago, count(*) as vezes from venda group by nvalor_pago"));
    QHash<qint64, qint64> stored;
    for (int r = 0; r < rows->count(); ++r)
        stored.insert(qint64(rows->money(r, QStringLiteral("nvalor_pago")).wholePart()),
                      rows->integer(r, QStringLiteral("vezes")));
    const auto incomplete = check.select(QStringLiteral(
        "select count(*) from venda v where (select count(*) from item_venda i where i.nvenda = v.ncodigo) <> 2"));

    int sent = 0, lost = 0, failures = 0, sawOutage = 0, recovered = 0;
    for (int i = 0; i < Counters; ++i) {
        sent += int(counters[i].recorded.size());
        failures += counters[i].failures;
        for (qint64 marker : counters[i].recorded)
            lost += stored.contains(marker) ? 0 : 1;
        if (counters[i].sawOutage)
            ++sawOutage;
        if (counters[i].sawOutage && g_recoveredCounters[i] > 0 && counters[i].problem.isEmpty())
            ++recovered;
        if (!counters[i].problem.isEmpty())
            std::printf("counter %d: %s\n", i + 1, qPrintable(counters[i].problem));
    }
    int doubled = 0, storedSales = 0;
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        storedSales += int(it.value());
        doubled += it.value() > 1 ? int(it.value() - 1) : 0;
    }
    std::vector<double> recoveries = g_recoveries;
    const double worst = recoveries.empty() ? 0 : *std::max_element(recoveries.begin(), recoveries.end());

    std::printf("Fault benchmark: %d sale counters (threads, one connection each), server killed and restarted %d times\n",
                Counters, restarts);
    std::printf("%-58s %10d\n", "sales recorded, as the counters were told", sent);
    std::printf("%-58s %10d\n", "sales stored in the database", storedSales);
    std::printf("%-58s %10d\n", "lost (told recorded, not stored; must be 0)", lost);
    std::printf("%-58s %10d\n", "doubled (stored twice; must be 0)", doubled);
    std::printf("%-58s %10lld\n", "incomplete sales (lines missing; must be 0)",
                incomplete ? incomplete->integer(0, QStringLiteral("count")) : -1);
    std::printf("%-58s %10d\n", "closings that failed while the server was away", failures);
    std::printf("%-58s %7d/%d\n", "counters that recovered by themselves", recovered, sawOutage);
    std::printf("%-58s %7.0f ms\n", "server back -> counter's next recorded sale, median", median(recoveries));
    std::printf("%-58s %7.0f ms\n", "server back -> counter's next recorded sale, max", worst);
    std::printf("%-58s %10d\n", "recoveries measured", int(recoveries.size()));
    server.stop();
    return lost == 0 && doubled == 0 && recovered == sawOutage ? 0 : 1;
}
