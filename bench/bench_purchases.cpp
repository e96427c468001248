// Purchases: "&Confirma" of one more line on a purchase of 200 lines (the
// insert, the grid's rows reloaded and the row shown), against the same
// insert and the same lines read raw through the driver; and the purchase
// finder with "Todas" over 20,000 purchases (fill and paint), against the raw
// fetch of the same rows. Samples alternate, so both sides see the same
// machine load. Targets: confirm <= 1.5x its raw side, finder <= 1.3x.
// The grid's paint after the confirm is printed apart: the raw side shows
// nothing, and a paint costs about as much with nothing changed.

#include "bench/bench_setup.h"
#include "bench/bench_stats.h"
#include "common/terminal_settings.h"
#include "purchases/purchase_finder_screen.h"
#include "purchases/purchase_items_screen.h"
#include "tests/support/scripted_messages.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

#include <cstdio>

namespace {

constexpr int Lines = 200;
constexpr int Purchases = 20000;
constexpr int Samples = 30;
constexpr int Warmup = 3;

const QString finderStatement = QStringLiteral(
    "select cnumero_doc,compra.cobs,compra.ncodigo as codcompra,ddata_compra,nvalor_total,"
    "fornecedor.ncodigo as codfor,fornecedor.cfantasia from compra,fornecedor"
    " where compra.nfornecedor = fornecedor.ncodigo order by ddata_compra ");

bool exec(Connection& c, const QString& sql)
{
    const Result<int> done = c.execute(sql);
    if (!done)
        std::fprintf(stderr, "%s\n", qPrintable(done.failure().description()));
    return done.ok();
}

void report(const char* what, const QList<double>& screen, const QList<double>& raw, double target)
{
    const double ratio = median(screen) / median(raw);
    std::printf("%s: median %.2f ms, raw through the driver %.2f ms, ratio %.2f (target <= %.1f) %s\n", what,
                median(screen), median(raw), ratio, target, ratio <= target ? "ok" : "OVER");
}

} // namespace

int main(int argc, char** argv)
{
    DemoBench bench(argc, argv);
    if (!bench.ready())
        return 1;
    Connection& c = bench.connection();
    TerminalSettings settings;
    settings.conexao = &c;
    ScriptedMessages messages;

    // One purchase of 200 lines, code 1.
    if (!exec(c, QStringLiteral("insert into fornecedor (ncodigo, cfantasia) values (null, 'Distribuidora Sul')"))
        || !exec(c, QStringLiteral("insert into compra values (null, '2026-03-12', 2, 'NF 1', 0, '', 0, 0, 0)"))
        || !exec(c, QStringLiteral("execute block as declare i integer = 0; begin while (i < %1) do begin "
                                   "insert into item_da_compra values (null, mod(:i, 15) + 1, 1, 2, 3.5, 7); "
                                   "i = i + 1; end end").arg(Lines)))
        return 1;

    FrmCompradeProdutos items(settings, messages, 1, false);
    items.resize(1280, 800);
    items.show();
    if (!QTest::qWaitForWindowExposed(&items))
        return 1;
    auto* code = items.findChild<QLineEdit*>(QStringLiteral("Text2"));
    auto* quantity = items.findChild<QLineEdit*>(QStringLiteral("Text4"));
    QList<double> confirm;
    QList<double> confirmRaw;
    QList<double> paint;
    QList<double> paintUnchanged;
    for (int i = 0; i < Warmup + Samples; ++i) {
        code->setText(QStringLiteral("1"));
        items.items().fields.text2 = QStringLiteral("1");
        items.items().leaveProduct();
        quantity->setText(QStringLiteral("3"));
        items.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(items.items().fields.text1);
        items.findChild<QLineEdit*>(QStringLiteral("Text5"))->setText(QStringLiteral("R$ 3,20"));
        items.findChild<QLineEdit*>(QStringLiteral("Text6"))->setText(QStringLiteral("R$ 9,60"));
        QElapsedTimer timer;
        timer.start();
        items.confirma();
        const double ms = timer.nsecsElapsed() / 1e6;
        timer.start();
        items.grid()->viewport()->repaint();
        const double paintMs = timer.nsecsElapsed() / 1e6;
        if (items.items().model().foundCount() != Lines + 1 || !messages.shown().isEmpty()) {
            std::fprintf(stderr, "the line was not stored: %s\n", qPrintable(messages.transcript()));
            return 1;
        }
        exec(c, QStringLiteral("delete from item_da_compra where ncodigo > %1").arg(Lines));

        timer.start();
        {
            QSqlQuery insert(c.database());
            insert.prepare(QStringLiteral("insert into item_da_compra values(null,?,?,?,?,?)"));
            for (const QVariant& v : {QVariant(1), QVariant(1), QVariant(3.0), QVariant(3.2), QVariant(9.6)})
                insert.addBindValue(v);
            insert.exec();
            insert.clear();
            QSqlQuery read(c.database());
            read.setForwardOnly(true);
            read.prepare(PurchaseItems::linesStatement());
            read.addBindValue(1);
            read.exec();
            readAll(read, 7);
        }
        const double raw = timer.nsecsElapsed() / 1e6;
        exec(c, QStringLiteral("delete from item_da_compra where ncodigo > %1").arg(Lines));
        timer.start();
        items.grid()->viewport()->repaint();
        const double unchangedMs = timer.nsecsElapsed() / 1e6;
        if (i >= Warmup) {
            confirm << ms;
            confirmRaw << raw;
            paint << paintMs;
            paintUnchanged << unchangedMs;
        }
    }
    items.hide();

    // 20,000 purchases over two years, two suppliers.
    if (!exec(c, QStringLiteral("execute block as declare i integer = 0; begin while (i < %1) do begin "
                                "insert into compra values (null, dateadd(mod(:i, 730) day to timestamp '2025-01-01'), "
                                "mod(:i, 2) + 1, 'NF ' || :i, 0, 'obs', 0, 0, 123.45); i = i + 1; end end")
                      .arg(Purchases - 1)))
        return 1;
    FrmLocalizaCompraProduto finder(settings, messages);
    finder.resize(1280, 800);
    finder.show();
    if (!QTest::qWaitForWindowExposed(&finder))
        return 1;
    finder.findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(0);   // "Todas"
    QList<double> fill;
    QList<double> fillRaw;
    for (int i = 0; i < Warmup + Samples; ++i) {
        QElapsedTimer timer;
        timer.start();
        finder.mostrar();
        finder.grid()->viewport()->repaint();
        const double ms = timer.nsecsElapsed() / 1e6;
        if (finder.finder().model().foundCount() != Purchases) {
            std::fprintf(stderr, "expected %d purchases, found %d\n", Purchases, finder.finder().model().foundCount());
            return 1;
        }
        timer.start();
        {
            QSqlQuery read(c.database());
            read.setForwardOnly(true);
            read.prepare(finderStatement);
            read.exec();
            readAll(read, 7);
        }
        const double raw = timer.nsecsElapsed() / 1e6;
        if (i >= Warmup) {
            fill << ms;
            fillRaw << raw;
        }
    }

    std::printf("purchases, %d samples each (machine shared: figures are indicative)\n", Samples);
    report("  \"&Confirma\" of line 201, grid reloaded", confirm, confirmRaw, 1.5);
    std::printf("    then the grid's paint: median %.2f ms (a paint with nothing changed: %.2f ms)\n", median(paint),
                median(paintUnchanged));
    report("  finder \"Todas\", 20,000 purchases, fill and paint", fill, fillRaw, 1.3);
    return 0;
}
