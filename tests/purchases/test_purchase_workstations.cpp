// Several consoles opening purchases at the same moment on one Firebird server.
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "purchases/purchase_items.h"
#include "purchases/purchase_opening.h"
#include "tests/support/firebird_server.h"
#include "tests/support/scripted_messages.h"

#include <QSemaphore>
#include <QSet>
#include <QTest>
#include <QThread>

namespace {

constexpr int Consoles = 3;
constexpr int PurchasesEach = 20;

// One console opening purchases and confirming one line on each, as the two
// screens do; the codes it was handed, or what went wrong.
QString runConsole(const QString& path, int console, QSemaphore& start, QList<qint32>& codes)
{
    Connection conexao;
    if (const auto opened = conexao.open(path); !opened)
        return opened.failure().description();
    TerminalSettings settings;
    settings.conexao = &conexao;
    ScriptedMessages messages;
    start.acquire();   // every console starts at once
    for (int i = 0; i < PurchasesEach; ++i) {
        PurchaseOpening opening(settings, messages, true);
        if (!opening.load())
            return messages.transcript();
        opening.fields.combo1 = 0;
        opening.fields.text1 = QStringLiteral("C%1-%2").arg(console).arg(i);
        const std::optional<PurchaseOpening::Handover> handover = opening.gravar();
        if (!handover)
            return messages.transcript();
        PurchaseItems items(settings, messages, handover->codigoCompra, true);
        items.load();
        if (items.fields.text13 != opening.fields.text1)
            return QStringLiteral("console %1 was handed purchase %2 holding \"%3\"")
                .arg(console).arg(handover->codigoCompra).arg(items.fields.text13);
        items.fields.text2 = QString::number(console);   // product = console, one of the demo catalogue
        items.leaveProduct();
        items.fields.text4 = QStringLiteral("1");
        items.leaveQuantity();
        if (!items.confirma(0) || !messages.shown().isEmpty())
            return messages.transcript();
        codes.append(handover->codigoCompra);
    }
    return {};
}

} // namespace

class TestPurchaseWorkstations : public QObject
{
    Q_OBJECT

private slots:
    void consolesOpenPurchasesAtOnce();
};

void TestPurchaseWorkstations::consolesOpenPurchasesAtOnce()
{
    FirebirdServer server;
    QString why;
    if (!server.start(&why))
        QSKIP(qPrintable(QStringLiteral("no private Firebird server for the several-consoles test: ") + why));
    const QString path = server.databasePath(QStringLiteral("compras.fdb"));
    const auto created = createDatabase(path, true);
    QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));

    QSemaphore start;
    QList<qint32> codes[Consoles];
    QString problems[Consoles];
    QList<QThread*> consoles;
    for (int i = 0; i < Consoles; ++i) {
        consoles.append(QThread::create([&, i] { problems[i] = runConsole(path, i + 1, start, codes[i]); }));
        consoles.last()->start();
    }
    start.release(Consoles);
    QSet<qint32> all;
    for (int i = 0; i < Consoles; ++i) {
        QVERIFY(consoles.at(i)->wait(120000));
        delete consoles.at(i);
        QVERIFY2(problems[i].isEmpty(), qPrintable(problems[i]));
        QCOMPARE(codes[i].size(), PurchasesEach);
        for (qint32 code : codes[i])
            QVERIFY2(!all.contains(code), "one purchase handed to two consoles");
        all.unite(QSet<qint32>(codes[i].begin(), codes[i].end()));
    }

    Connection check;
    QVERIFY(check.open(path).ok());
    // Each purchase holds what its own console typed, and only its line.
    for (int i = 0; i < Consoles; ++i) {
        for (int n = 0; n < PurchasesEach; ++n) {
            const auto rows = check.select(
                QStringLiteral("select c.cnumero_doc, i.nproduto from compra c join item_da_compra i on i.ncompra = c.ncodigo"
                               " where c.ncodigo = ?"),
                {SqlValue::integer(codes[i].at(n))});
            QVERIFY(rows && rows->count() == 1);
            QCOMPARE(rows->text(0, QStringLiteral("cnumero_doc")), QStringLiteral("C%1-%2").arg(i + 1).arg(n));
            QCOMPARE(rows->integer(0, QStringLiteral("nproduto")), i + 1);
        }
    }
    const auto count = check.select(QStringLiteral("select count(*) from compra"));
    QVERIFY(count && count->integer(0, QStringLiteral("count")) == Consoles * PurchasesEach);
    check.close();
}

QTEST_GUILESS_MAIN(TestPurchaseWorkstations)
#include "test_purchase_workstations.moc"
