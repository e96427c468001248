// Printing one 10-line sale: reading its lines back, building the ten
// tickets, writing imp.txt and sending it to a plain file standing for the
// printer (route 0). Prints the median, 90th percentile and best of 100 runs.

#include "common/print_routes.h"
#include "common/sale_ticket.h"
#include "common/spool_file.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "tests/support/test_database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int runs = 100;
constexpr int saleKey = 1;

struct Figures
{
    double median;
    double p90;
    double best;
};

Figures measure(const std::function<bool()>& step)
{
    std::vector<double> ms;
    ms.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!step()) {
            std::fprintf(stderr, "step failed\n");
            return {-1, -1, -1};
        }
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[runs / 2], ms[runs * 9 / 10], ms.front()};
}

void report(const char* name, const Figures& f)
{
    std::printf("%-44s median %7.3f ms   p90 %7.3f ms   best %7.3f ms\n", name, f.median, f.p90, f.best);
}

bool makeSale(Connection& db)
{
    if (!db.execute(QStringLiteral("insert into produto (ncodigo,cdescricao,cunidade,nvalor_venda) "
                                   "values (1,'Porção De Calabresa','Porção',38)")).ok())
        return false;
    if (!db.execute(QStringLiteral("insert into venda (ncodigo,ncaixa_venda,ddata_venda,cforma_pagamento,ntotal,"
                                   "nvalor_pago,ntroco) values (?,1,null,'Dinheiro',380,400,20)"),
                    {SqlValue::integer(saleKey)}).ok())
        return false;
    for (int i = 0; i < 10; ++i) {
        if (!db.execute(QStringLiteral("insert into item_venda (ncodigo,nvenda,nproduto,nqtde,npreco,ntotal,"
                                       "cexcluido,nnumero,cvenda_interna) values (null,?,1,1,38,38,'Nao',"
                                       "(select gen_id(numero_venda,1) from rdb$database),'N')"),
                        {SqlValue::integer(saleKey)}).ok())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    TestDatabase db;
    if (!db.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(db.error()));
        return 1;
    }
    if (!makeSale(db.connection())) {
        std::fprintf(stderr, "could not record the sale\n");
        return 1;
    }

    QTemporaryDir printerDir;
    const QString device = printerDir.filePath(QStringLiteral("lp0"));
    QFile(device).open(QIODevice::WriteOnly);
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(device));

    TerminalSettings settings;
    settings.conexao = &db.connection();
    settings.dataDir = db.dataFolder();
    settings.nome_fantasia = QStringLiteral("Bar Estrela");
    settings.margem = QStringLiteral("   ");
    settings.linhas_avanco = 8;
    settings.modo_impressao = 0;

    const auto items = readSaleTicketItems(db.connection(), saleKey);
    if (!items || items->size() != 10) {
        std::fprintf(stderr, "the sale does not read back with 10 lines\n");
        return 1;
    }
    const QStringList lines = saleTicketLines(*items, settings.nome_fantasia, settings.margem,
                                              settings.linhas_avanco);

    std::printf("one 10-line sale, %lld ticket lines, %d runs each\n", qint64(lines.size()), runs);
    report("imprime_venda, route 0 into a file", measure([&] { return imprime_venda(settings, saleKey).ok(); }));
    report("  reading the lines back", measure([&] { return readSaleTicketItems(db.connection(), saleKey).ok(); }));
    report("  building the tickets", measure([&] {
               return !saleTicketLines(*items, settings.nome_fantasia, settings.margem, settings.linhas_avanco)
                           .isEmpty();
           }));
    report("  writing imp.txt (replaced whole)", measure([&] { return writeSpoolFile(spoolPath(settings), lines).ok(); }));
    report("  imprime_arquivo, route 0 into a file", measure([&] { return imprime_arquivo(settings).ok(); }));
    return 0;
}
