// The management console's two database screens, embedded, ForcedWrites on:
//   - the migration of an old database of 100,000 and of 1,000,000 sales
//     through the migration window (one click, progress shown), against the
//     raw floor: the same two inserts prepared once and run per sale in one
//     transaction straight through the driver, values already in memory.
//     Each run starts from its own copy of the same fresh database; the
//     peak memory of the process is reset before each run and printed after;
//     then the window once more over the million sales it copied (deleted
//     in the same transaction);
//   - the general settings dialog opened (three reads) and stored (one
//     transaction), median of 200 after warm-up.
// Sizes may be given: bench_migration [small] [large].
#include "bench/bench_setup.h"
#include "bench/bench_stats.h"
#include "common/terminal_settings.h"
#include "console/general_settings_widget.h"
#include "console/migration.h"
#include "console/migration_widget.h"
#include "console/old_sales.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "tests/console/old_database.h"
#include "tests/support/scripted_messages.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <vector>

namespace {

constexpr int SettingsWarmUp = 20;
constexpr int SettingsRounds = 200;
constexpr int FillBlock = 100000;

// Peak resident memory since the last reset, and the current one (MB).
double statusMegabytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The fresh database copied to `path` (over a copy left there), writable.
void freshCopy(const QString& model, const QString& path)
{
    QFile::remove(path);
    QFile::copy(model, path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

struct Run
{
    double seconds = 0;
    double peakMb = 0;
    double rssMb = 0;
    qint64 sales = 0;
    QString problem;
    double rate() const { return seconds > 0 ? sales / seconds : 0; }
};

// The migration window, clicked once, on a copy of the fresh database, or
// again over the sales the last run copied.
Run migrate(const QString& model, const QString& dataDir, qint64 sales, bool fresh = true)
{
    Run run;
    run.sales = sales;
    const QString path = dataDir + QStringLiteral("/movimento.fdb");
    if (fresh)
        freshCopy(model, path);
    Connection conexao;
    if (const auto opened = conexao.open(path); !opened) {
        run.problem = opened.failure().description();
        return run;
    }
    TerminalSettings settings;
    settings.conexao = &conexao;
    settings.dataDir = dataDir;
    ScriptedMessages messages;
    FrmMigracao window(settings, messages);
    window.show();
    QCoreApplication::processEvents();
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.peakMb = statusMegabytes("VmHWM:");
    run.rssMb = statusMegabytes("VmRSS:");
    const auto copied = conexao.select(QStringLiteral("select count(*) from item_venda"));
    if (messages.texts() != QStringList{QStringLiteral("ok")} || !copied
        || copied->value(0, 0).toLongLong() != sales) {
        run.problem = QStringLiteral("migration: ") + messages.transcript();
    }
    return run;
}

// The same inserts straight through the driver, prepared once and run in one
// transaction, the values already in memory.
Run raw(const QString& model, const QString& dataDir, qint64 sales)
{
    Run run;
    run.sales = sales;
    const QString path = dataDir + QStringLiteral("/raw.fdb");
    freshCopy(model, path);
    Connection conexao;
    if (const auto opened = conexao.open(path); !opened) {
        run.problem = opened.failure().description();
        return run;
    }
    QSqlDatabase& db = conexao.database();
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    bool ok = db.transaction();
    {
        QSqlQuery reset(db);
        ok = ok && reset.exec(QStringLiteral("delete from venda")) && reset.exec(QStringLiteral("set generator venda to 0"))
             && reset.exec(QStringLiteral("set generator item_venda to 0"));
        QSqlQuery sale(db);
        QSqlQuery line(db);
        ok = ok && sale.prepare(migration_sql::sale) && line.prepare(migration_sql::line);
        const QDateTime start(QDate(2024, 1, 1), QTime(18, 0));
        const QString dinheiro = QStringLiteral("Dinheiro");
        const QString ativo = QStringLiteral("Nao");
        const QString excluido = QStringLiteral("Sim");
        const QString erro = QStringLiteral("Erro");
        const QDateTime cancelled(QDate(2024, 1, 2), QTime(1, 0));
        for (qint64 i = 1; ok && i <= sales; ++i) {
            const bool isCancelled = i % 5 == 0;
            sale.bindValue(0, int(1 + i % 3));
            sale.bindValue(1, start.addSecs(60 * i));
            sale.bindValue(2, dinheiro);
            sale.bindValue(3, 7.0);
            ok = sale.exec();
            line.bindValue(0, int(i));
            line.bindValue(1, int(1 + i % 15));
            line.bindValue(2, 2.0);
            line.bindValue(3, 3.5);
            line.bindValue(4, 7.0);
            line.bindValue(5, isCancelled ? excluido : ativo);
            line.bindValue(6, isCancelled ? QVariant(2) : QVariant(QMetaType::fromType<int>()));
            line.bindValue(7, isCancelled ? QVariant(cancelled) : QVariant(QMetaType::fromType<QDateTime>()));
            line.bindValue(8, isCancelled ? QVariant(erro) : QVariant(QMetaType::fromType<QString>()));
            line.bindValue(9, int(5000 + i));
            ok = ok && line.exec();
            if (!ok)
                run.problem = sale.lastError().text() + line.lastError().text();
        }
    }
    ok = ok && db.commit();
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.peakMb = statusMegabytes("VmHWM:");
    run.rssMb = statusMegabytes("VmRSS:");
    if (!ok && run.problem.isEmpty())
        run.problem = db.lastError().text();
    if (!ok)
        db.rollback();
    return run;
}

bool fillOld(const QString& oldPath, qint64 from, qint64 to, QString* problem)
{
    Connection old;
    if (const auto opened = old.open(oldPath); !opened) {
        *problem = opened.failure().description();
        return false;
    }
    for (qint64 first = from; first <= to; first += FillBlock) {
        const auto filled = old.execute(olddb::fillStatement(int(first), int(qMin(to, first + FillBlock - 1))));
        if (!filled) {
            *problem = filled.failure().description();
            return false;
        }
    }
    return true;
}

std::vector<double> settingsRounds(const QString& model, const QString& dataDir, QString* problem)
{
    const QString path = dataDir + QStringLiteral("/settings.fdb");
    freshCopy(model, path);
    Connection conexao;
    std::vector<double> samples;
    if (const auto opened = conexao.open(path); !opened) {
        *problem = opened.failure().description();
        return samples;
    }
    TerminalSettings settings;
    settings.conexao = &conexao;
    ScriptedMessages messages;
    QElapsedTimer timer;
    for (int i = 0; i < SettingsWarmUp + SettingsRounds; ++i) {
        timer.start();
        FrmConfiguracaoGeral dialog(settings, messages);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CmdOk")), Qt::LeftButton);
        const double ms = timer.nsecsElapsed() / 1e6;
        if (dialog.result() != QDialog::Accepted || !messages.shown().isEmpty()) {
            *problem = QStringLiteral("settings not stored: ") + messages.transcript();
            return {};
        }
        if (i >= SettingsWarmUp)
            samples.push_back(ms);
    }
    return samples;
}

} // namespace

int main(int argc, char** argv)
{
    runHeadless();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const qint64 small = argc > 1 ? QByteArray(argv[1]).toLongLong() : 100000;
    const qint64 large = argc > 2 ? QByteArray(argv[2]).toLongLong() : 1000000;

    QTemporaryDir folder;
    const QString model = folder.filePath(QStringLiteral("model.fdb"));
    const QString oldPath = Migration::oldDatabasePath(folder.path());
    QString problem;
    if (const auto created = createDatabase(model, true); !created)
        problem = created.failure().description();
    if (problem.isEmpty())
        problem = olddb::create(oldPath);

    out << QStringLiteral("Migration (embedded, ForcedWrites on; %1 sales a page)").arg(OldSales::PageSize)
               .leftJustified(56)
        << QStringLiteral("seconds").rightJustified(9) << QStringLiteral("sales/s").rightJustified(10)
        << QStringLiteral("peak MB").rightJustified(9) << QStringLiteral("RSS MB").rightJustified(8) << '\n';
    out.flush();
    const auto print = [&](const QString& name, const Run& run) {
        if (!run.problem.isEmpty()) {
            out << name << ": " << run.problem << '\n';
            problem = run.problem;
            return;
        }
        out << name.leftJustified(56) << QString::number(run.seconds, 'f', 2).rightJustified(9)
            << QString::number(run.rate(), 'f', 0).rightJustified(10)
            << QString::number(run.peakMb, 'f', 1).rightJustified(9)
            << QString::number(run.rssMb, 'f', 1).rightJustified(8) << '\n';
        out.flush();
    };
    qint64 filled = 0;
    for (const qint64 sales : {small, large}) {
        if (!problem.isEmpty() || !fillOld(oldPath, filled + 1, sales, &problem))
            break;
        filled = sales;
        // Floor, window, window, floor: the load of a shared machine drifts
        // over minutes, and each side gets the early and the late slot.
        double floorRate = 0;
        double windowRate = 0;
        for (int slot = 0; slot < 4 && problem.isEmpty(); ++slot) {
            if (slot == 0 || slot == 3) {
                const Run floor = raw(model, folder.path(), sales);
                print(QStringLiteral("raw floor, %1 sales").arg(sales), floor);
                floorRate += floor.rate() / 2;
            } else {
                const Run window = migrate(model, folder.path(), sales);
                print(QStringLiteral("migration window, %1 sales").arg(sales), window);
                windowRate += window.rate() / 2;
            }
        }
        if (problem.isEmpty()) {
            out << QStringLiteral("ratio of mean throughputs, window / floor (target >= 0.7)").leftJustified(56)
                << QString::number(windowRate / floorRate, 'f', 2).rightJustified(9) << '\n';
        }
    }
    // The usual second run: the copied sales and lines deleted in the same transaction.
    if (problem.isEmpty())
        print(QStringLiteral("migration again over those %1 sales").arg(filled),
              migrate(model, folder.path(), filled, false));

    if (problem.isEmpty()) {
        const std::vector<double> samples = settingsRounds(model, folder.path(), &problem);
        if (problem.isEmpty()) {
            out << QStringLiteral("settings dialog opened and stored, median of %1 (target < 20 ms)")
                       .arg(SettingsRounds).leftJustified(66)
                << QString::number(median(samples), 'f', 2) << " ms\n";
        }
    }
    if (!problem.isEmpty())
        out << "problem: " << problem << '\n';
    return problem.isEmpty() ? 0 : 1;
}
