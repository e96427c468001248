// Recording at the admission counter: one sale of 50 units through
// recordEntries against the identical statements run raw through Qt in one
// transaction (the same generator step of 50, the insert prepared inside each
// transaction), interleaved sale by sale; then the ticket on its own.
// Prints medians; the recording's ratio should stay at or below 1.3.

#include "bench/bench_stats.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "db/sql_value.h"
#include "entries/entry_recording.h"
#include "entries/entry_ticket.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Units = 50;
constexpr int Sales = 120;
constexpr int Warmup = 5;

const QString tipo = QStringLiteral("Entrada Inteira");

double timeMs(const std::function<bool()>& run)
{
    QElapsedTimer timer;
    timer.start();
    if (!run())
        qFatal("a benchmark step failed");
    return double(timer.nsecsElapsed()) / 1e6;
}

bool ours(Connection& connection)
{
    EntrySale sale;
    sale.tipo = tipo;
    sale.forma = QStringLiteral("Dinheiro");
    sale.caixa = 1;
    sale.preco = Money::fromWhole(30);
    sale.units = Units;
    const auto recorded = recordEntries(connection, sale);
    if (!recorded)
        std::fprintf(stderr, "%s\n", qPrintable(recorded.failure().description()));
    return recorded.ok();
}

qint64 drawRaw(QSqlDatabase& db, const char* generator)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select gen_id(%1,%2) from rdb$database").arg(QLatin1String(generator)).arg(Units)) || !q.next())
        return -1;
    return q.value(0).toLongLong();
}

bool raw(QSqlDatabase& db)
{
    if (!db.transaction())
        return false;
    bool ok = true;
    {
        QSqlQuery flag(db);
        ok = flag.prepare(QStringLiteral("select cestacionamento from tipo_entrada where cnome = ?"));
        flag.bindValue(0, tipo);
        ok = ok && flag.exec() && flag.next();
        const qint64 lastCode = drawRaw(db, "entrada");
        const qint64 lastNumber = drawRaw(db, "numero_entrada");
        ok = ok && lastCode > 0 && lastNumber > 0;

        QSqlQuery insert(db);
        ok = ok && insert.prepare(QStringLiteral(
            "insert into entrada values(?,null,(select ncodigo from tipo_entrada where cnome = ?),?,?,'Nao',null,null,null,?,?)"));
        for (int i = 0; ok && i < Units; ++i) {
            insert.bindValue(0, lastCode - Units + 1 + i);
            insert.bindValue(1, tipo);
            insert.bindValue(2, 1);
            insert.bindValue(3, 30.0);
            insert.bindValue(4, QStringLiteral("Dinheiro"));
            insert.bindValue(5, lastNumber - Units + 1 + i);
            ok = insert.exec();
        }
        QSqlQuery date(db);
        ok = ok && date.prepare(QStringLiteral("select ddata_entrada from entrada where ncodigo = ?"));
        date.bindValue(0, lastCode);
        ok = ok && date.exec() && date.next();
        if (!ok)
            std::fprintf(stderr, "%s\n", qPrintable(db.lastError().text()));
    }
    return (ok && db.commit()) || (db.rollback() && false);
}

void recording(const char* title, const QString& path)
{
    Connection connection;
    if (auto opened = connection.open(path); !opened)
        qFatal("%s", qPrintable(opened.failure().description()));
    QList<double> oursMs;
    QList<double> rawMs;
    for (int i = 0; i < Warmup + Sales; ++i) {
        // Alternating which goes first keeps drift (file growth, cache) fair.
        double a, b;
        if (i % 2) {
            a = timeMs([&] { return ours(connection); });
            b = timeMs([&] { return raw(connection.database()); });
        } else {
            b = timeMs([&] { return raw(connection.database()); });
            a = timeMs([&] { return ours(connection); });
        }
        if (i >= Warmup) {
            oursMs.append(a);
            rawMs.append(b);
        }
    }
    const double m1 = median(oursMs);
    const double m2 = median(rawMs);
    std::printf("%-34s  recordEntries %8.3f ms   raw Qt %8.3f ms   ratio %.2f  (%d sales of %d units each)\n",
                title, m1, m2, m1 / m2, Sales, Units);
    connection.close();
}

void ticket(const QString& dataDir)
{
    TerminalSettings settings;
    settings.dataDir = dataDir;
    settings.margem = QStringLiteral("   ");
    settings.linhas_avanco = 8;
    settings.nome_fantasia = QStringLiteral("Bar Estrela");
    EntryTicket t;
    t.caixa = 1;
    t.documento = QStringLiteral("1501 : 1550");
    t.dataEntrada = QDateTime(QDate(2026, 12, 5), QTime(23, 10, 4));
    t.tipo = tipo;
    t.forma = QStringLiteral("Cartão de crédito");
    t.quantidade = QStringLiteral("50");
    t.preco = Money::fromWhole(30);
    t.total = Money::fromWhole(1500);

    const QString device = dataDir + QStringLiteral("/lp0");
    qputenv("VORINDA_PRINTER_PORT", device.toLocal8Bit());
    for (int route : {2, 0}) {
        settings.modo_impressao = qint16(route);
        QList<double> ms;
        for (int i = 0; i < 110; ++i) {
            QFile::remove(device);
            QFile(device).open(QIODevice::WriteOnly);
            const double one = timeMs([&] { return printEntryTicket(settings, t).ok(); });
            if (i >= 10)
                ms.append(one);
        }
        std::printf("ticket, %-27s  median %8.3f ms  (100 tickets)\n",
                    route == 0 ? "spool + route 0 to a file" : "spool only (route 2)", median(ms));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.fdb"));
    if (auto created = createDatabase(path, true); !created)
        qFatal("%s", qPrintable(created.failure().description()));

    recording("embedded, synchronous writes on", path);
    if (auto off = setForcedWrites(path, false); !off)
        qFatal("%s", qPrintable(off.failure().description()));
    recording("embedded, synchronous writes off", path);
    ticket(dir.path());
    return 0;
}
