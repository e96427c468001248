// Sale counter timings, printed side by side for an embedded database and a
// local Firebird server:
//   - recording a 10-line sale through the payment screen's recording code
//     against the same statements run raw through the driver in one
//     transaction (median of 200 interleaved sales after warm-up);
//   - the full path: recording, ticket read-back and spool write;
//   - product code look-up on a catalogue of 10,000 products (1,000 look-ups).
#include "bench/bench_stats.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "sales/sale_entry.h"
#include "sales/sale_payment.h"
#include "sales/sale_recording.h"
#include "tests/support/firebird_server.h"
#include "tests/support/scripted_messages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr int WarmUp = 20;
constexpr int Rounds = 200;
constexpr int FullPathRounds = 100;
constexpr int Lookups = 1000;
constexpr int Catalogue = 10000;
constexpr int SaleLines = 10;

struct Figures
{
    double screen = 0;
    double raw = 0;
    double fullPath = 0;
    double lookup = 0;
    double rawLookup = 0;
    QString problem;
};

QList<SaleLine> tenLines()
{
    QList<SaleLine> lines;
    for (int i = 0; i < SaleLines; ++i)
        lines.append({QString::number(1 + i % 8), QStringLiteral("Produto"), QStringLiteral("2"),
                      QStringLiteral("R$ 1,50"), QStringLiteral("R$ 3,00"), i % 3 == 0});
    return lines;
}

// The same statements as the recording, straight through Qt's driver: one
// transaction, each statement prepared inside it, the item insert prepared
// once and run per line.
bool recordRaw(QSqlDatabase& db, const QList<SaleItemValues>& items)
{
    if (!db.transaction())
        return false;
    bool ok = true;
    {
        QSqlQuery key(db);
        ok = key.exec(sale_recording::keyStatement) && key.next();
        const qint64 saleKey = ok ? key.value(0).toLongLong() : 0;
        key.clear();

        QSqlQuery sale(db);
        ok = ok && sale.prepare(sale_recording::saleStatement);
        if (ok) {
            sale.addBindValue(int(saleKey));
            sale.addBindValue(1);
            sale.addBindValue(QStringLiteral("Dinheiro"));
            sale.addBindValue(30.0);
            sale.addBindValue(50.0);
            sale.addBindValue(20.0);
            ok = sale.exec();
        }
        QSqlQuery item(db);
        ok = ok && item.prepare(sale_recording::itemStatement);
        for (const SaleItemValues& line : items) {
            if (!ok)
                break;
            item.addBindValue(int(saleKey));
            item.addBindValue(line.produto);
            item.addBindValue(line.quantidade.toDouble());
            item.addBindValue(line.preco.toDouble());
            item.addBindValue(line.total.toDouble());
            item.addBindValue(line.interno ? QStringLiteral("S") : QStringLiteral("N"));
            ok = item.exec();
        }
    }
    if (!ok) {
        db.rollback();
        return false;
    }
    return db.commit();
}

bool loadCatalogue(Connection& conexao)
{
    // Far faster in one block than row by row from here.
    const auto done = conexao.execute(QStringLiteral(
        "execute block as declare i integer = 1000; begin "
        "while (i < 1000 + %1) do begin "
        "insert into produto (ncodigo,cdescricao,ngrupo,nqtde_inicial,nqtde_atual,nvalor_compra,nvalor_venda,"
        "nqtde_minima,cunidade,nativo,nestoque,nvalor_interno) values "
        "(null,'Produto ' || :i,1,0,0,1,5.5,0,'Un',1,0,4); i = i + 1; end end").arg(Catalogue));
    return done.ok();
}

Figures measure(const QString& path, const QString& dataDir)
{
    Figures figures;
    Connection conexao;
    if (const auto opened = conexao.open(path); !opened) {
        figures.problem = opened.failure().description();
        return figures;
    }
    TerminalSettings settings;
    settings.conexao = &conexao;
    settings.numero_caixa = 1;
    settings.modo_impressao = 2;
    settings.nome_fantasia = QStringLiteral("Bar Estrela");
    settings.dataDir = dataDir;
    settings.quantidade_livre = true;
    ScriptedMessages messages;

    const QList<SaleLine> lines = tenLines();
    const auto items = sale_recording::readLines(lines);
    const SalePaymentValues payment{QStringLiteral("Dinheiro"), Money::fromWhole(30), Money::fromWhole(50),
                                    Money::fromWhole(20)};
    QSqlDatabase& db = conexao.database();

    for (int i = 0; i < WarmUp; ++i) {
        if (!sale_recording::recordSale(conexao, 1, payment, *items) || !recordRaw(db, *items)) {
            figures.problem = QStringLiteral("warm-up failed: ") + db.lastError().text();
            return figures;
        }
    }

    std::vector<double> screen, raw;
    QElapsedTimer timer;
    for (int i = 0; i < Rounds; ++i) {
        timer.start();
        const bool a = sale_recording::recordSale(conexao, 1, payment, *items).ok();
        screen.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        const bool b = recordRaw(db, *items);
        raw.push_back(timer.nsecsElapsed() / 1e6);
        if (!a || !b) {
            figures.problem = QStringLiteral("a sale failed while measuring");
            return figures;
        }
    }
    figures.screen = median(screen);
    figures.raw = median(raw);

    std::vector<double> full;
    for (int i = 0; i < FullPathRounds; ++i) {
        SalePayment pay(settings, messages, lines, QStringLiteral("R$ 30,00"));
        pay.fields.text8 = QStringLiteral("50");
        pay.leaveReceived();
        timer.start();
        const auto outcome = pay.record();
        full.push_back(timer.nsecsElapsed() / 1e6);
        if (outcome != SalePayment::Outcome::Recorded) {
            figures.problem = QStringLiteral("full path: ") + messages.transcript();
            return figures;
        }
    }
    figures.fullPath = median(full);

    if (!loadCatalogue(conexao)) {
        figures.problem = QStringLiteral("catalogue not loaded");
        return figures;
    }
    const auto first = conexao.select(QStringLiteral("select min(ncodigo), max(ncodigo) from produto"));
    const qint64 low = first->value(0, 0).toLongLong();
    const qint64 high = first->value(0, 1).toLongLong();
    SaleEntry entry(settings, messages);
    std::vector<double> lookups;
    for (int i = 0; i < Lookups; ++i) {
        entry.fields.text3 = QString::number(QRandomGenerator::global()->bounded(low, high + 1));
        timer.start();
        const bool found = entry.leaveCode();
        lookups.push_back(timer.nsecsElapsed() / 1e6);
        if (!found) {
            figures.problem = QStringLiteral("look-up did not find ") + entry.fields.text3;
            return figures;
        }
    }
    figures.lookup = median(lookups);

    // The same read straight through the driver, for comparison.
    std::vector<double> rawLookups;
    for (int i = 0; i < Lookups; ++i) {
        const int code = int(QRandomGenerator::global()->bounded(low, high + 1));
        timer.start();
        QSqlQuery query(db);
        query.prepare(QStringLiteral("select produto.nvalor_interno, produto.cdescricao,cunidade,nvalor_venda "
                                     "from produto where ncodigo = ? and nativo = 1"));
        query.addBindValue(code);
        const bool found = query.exec() && query.next();
        const QString name = found ? query.value(1).toString() : QString();
        query.clear();
        rawLookups.push_back(timer.nsecsElapsed() / 1e6);
        if (!found || name.isEmpty()) {
            figures.problem = QStringLiteral("raw look-up failed");
            return figures;
        }
    }
    figures.rawLookup = median(rawLookups);
    return figures;
}

QString cell(const Figures& f, double value, const char* unit = " ms")
{
    if (!f.problem.isEmpty())
        return QStringLiteral("-");
    return QString::number(value, 'f', 3) + QLatin1String(unit);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir folder;
    const QString embeddedPath = folder.filePath(QStringLiteral("bench.fdb"));
    Figures embedded;
    if (const auto created = createDatabase(embeddedPath, true); !created)
        embedded.problem = created.failure().description();
    else
        embedded = measure(embeddedPath, folder.path());

    Figures server;
    FirebirdServer firebird;
    QString why;
    if (!firebird.start(&why)) {
        server.problem = QStringLiteral("server not started: ") + why;
    } else {
        const QString serverPath = firebird.databasePath(QStringLiteral("bench.fdb"));
        if (const auto created = createDatabase(serverPath, true); !created)
            server.problem = created.failure().description();
        else
            server = measure(serverPath, folder.path());
        firebird.stop();
    }

    auto row = [&](const char* name, double Figures::*value, const char* unit = " ms") {
        out << QString::fromUtf8(name).leftJustified(52) << cell(embedded, embedded.*value, unit).rightJustified(12)
            << cell(server, server.*value, unit).rightJustified(16) << '\n';
    };
    out << QStringLiteral("Sale counter (medians; ForcedWrites on)").leftJustified(52)
        << QStringLiteral("embedded").rightJustified(12) << QStringLiteral("local server").rightJustified(16) << '\n';
    row("10-line sale, screen's recording (200 interleaved)", &Figures::screen);
    row("10-line sale, same statements raw through the driver", &Figures::raw);
    out << QStringLiteral("ratio screen / raw (target <= 1.3)").leftJustified(52)
        << (embedded.problem.isEmpty() ? QString::number(embedded.screen / embedded.raw, 'f', 2) : QStringLiteral("-"))
               .rightJustified(12)
        << (server.problem.isEmpty() ? QString::number(server.screen / server.raw, 'f', 2) : QStringLiteral("-"))
               .rightJustified(16)
        << '\n';
    row("full path: recording + ticket read-back + spool", &Figures::fullPath);
    row("product look-up, 10,000 products (target <= 2 ms)", &Figures::lookup);
    row("same read raw through the driver", &Figures::rawLookup);
    if (!embedded.problem.isEmpty())
        out << "embedded: " << embedded.problem << '\n';
    if (!server.problem.isEmpty())
        out << "server: " << server.problem << '\n';
    return embedded.problem.isEmpty() ? 0 : 1;
}
