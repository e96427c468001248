// Start-up time as an operator sees it: from starting the `vorinda` process
// to the first paint of its mode's window, on an embedded database made by
// the program itself. Median of 10 runs per mode, printed.
//
//     cmake --build build --target vorinda bench_startup
//     build/bench/bench_startup            (VORINDA_BIN overrides the program)

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int runs = 10;

QString programPath()
{
    const QString given = qEnvironmentVariable("VORINDA_BIN");
    if (!given.isEmpty())
        return given;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/vorinda"));
}

QProcessEnvironment environmentFor(const QString& dataDir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VORINDA_DIR"), dataDir);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The program's test driver reports the first paint and closes the window.
    environment.insert(QStringLiteral("VORINDA_TEST_ANSWERS"), QString());
    return environment;
}

bool writeConfig(const QString& dataDir, const QString& database, const QByteArray& mode)
{
    QFile file(QDir(dataDir).filePath(QStringLiteral("configuracao.ini")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    // No mode: an unconfigured terminal, whose editor opens without touching
    // the database (the share of the time that is Qt's own).
    const QList<QByteArray> lines = mode.isEmpty()
        ? QList<QByteArray>{"CONFIGURADO=FALSE"}
        : QList<QByteArray>{"CONFIGURADO=TRUE", "PATH=" + database.toLatin1(), "CAIXA=1", "COLUNA=1",
                            "LINHA=5", "IMPRESSAO=2", "MODO=" + mode, "QUANTIDADE=false"};
    for (const QByteArray& line : lines)
        file.write(line + "\r\n");
    return true;
}

// Milliseconds to the first paint of `window`, or -1.
double timeOneStart(const QString& program, const QString& dataDir, const QString& window)
{
    QProcess process;
    process.setProcessEnvironment(environmentFor(dataDir));
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QByteArray painted = "vorinda-test: painted: " + window.toLatin1();
    QElapsedTimer timer;
    timer.start();
    process.start(program, {});
    double elapsed = -1;
    QByteArray seen;
    while (elapsed < 0 && process.waitForReadyRead(20000)) {
        seen += process.readAll();
        if (seen.contains(painted))
            elapsed = timer.nsecsElapsed() / 1e6;
    }
    if (!process.waitForFinished(20000))
        process.kill();
    process.waitForFinished(5000);
    if (elapsed < 0)
        std::fprintf(stderr, "no paint of %s:\n%s\n", qPrintable(window), seen.constData());
    return elapsed;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString program = programPath();
    if (!QFileInfo(program).isExecutable()) {
        std::fprintf(stderr, "vorinda not found at %s: build it, or set VORINDA_BIN\n", qPrintable(program));
        return 1;
    }
    QTemporaryDir dataDir;
    const QString database = dataDir.filePath(QStringLiteral("movimento.fdb"));
    QProcess create;
    create.start(program, {QStringLiteral("--create-database"), database, QStringLiteral("--demo")});
    if (!create.waitForFinished(120000) || create.exitCode() != 0) {
        std::fprintf(stderr, "database not created: %s\n", create.readAllStandardError().constData());
        return 1;
    }

    const QList<std::pair<QByteArray, QString>> modes = {
        {"", QStringLiteral("FrmConfiguracao")},
        {"VENDA", QStringLiteral("FrmVendas")},
        {"ENTRADA", QStringLiteral("FrmEntradas")},
        {"GERENCIA", QStringLiteral("principal")},
    };
    std::printf("Start-up to first paint, embedded database, offscreen, %d runs each (target: median < 250 ms)\n",
                runs);
    int failures = 0;
    for (const auto& [mode, window] : modes) {
        if (!writeConfig(dataDir.path(), database, mode))
            return 1;
        timeOneStart(program, dataDir.path(), window);   // warm the file caches
        QList<double> times;
        for (int i = 0; i < runs; ++i) {
            const double ms = timeOneStart(program, dataDir.path(), window);
            if (ms < 0) {
                ++failures;
                break;
            }
            times.append(ms);
        }
        if (times.size() != runs)
            continue;
        std::sort(times.begin(), times.end());
        const double median = (times.at(runs / 2 - 1) + times.at(runs / 2)) / 2;
        std::printf("  %-14s %-16s median %6.1f ms   min %6.1f   max %6.1f\n",
                    mode.isEmpty() ? "no database" : QByteArray("MODO=" + mode).constData(), qPrintable(window), median,
                    times.first(), times.last());
    }
    return failures == 0 ? 0 : 1;
}
