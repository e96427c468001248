#include "common/message_texts.h"
#include "sales/sale_payment.h"
#include "sales/sale_recording.h"
#include "sale_fixture.h"

#include <QFile>
#include <QScopeGuard>
#include <QTest>

// The payment screen's logic: the change, and the recording of a sale with
// its lines, all or nothing, printed after the commit.
class TestSalePayment : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fx.setUp(); }

    void payment_data();
    void payment();
    void recordsSaleAndLinesOnce();
    void refusedMidSale_data();
    void refusedMidSale();
    void printerDownKeepsTheSale();

private:
    static QList<SaleLine> threeLines()
    {
        return {{"10", "Cerveja Lata", "2", "R$ 5,00", "R$ 10,00", false},
                {"11", "Refrigerante", "2,5", "R$ 2,00", "R$ 5,00", true},
                {"12", "Porção de Fritas", "1", "R$ 25,50", "R$ 25,50", false}};
    }
    qint64 generator(const char* name)
    {
        const auto value = m_fx.db().generator(QString::fromUtf8(name), 0);
        return value ? *value : -1;
    }
    SaleFixture m_fx;
};

void TestSalePayment::payment_data()
{
    QTest::addColumn<QString>("received");
    QTest::addColumn<QString>("shownReceived");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");  // empty: recorded

    QTest::addRow("20 for 12,50") << "20" << "R$ 20,00" << "R$ 7,50" << "";
    QTest::addRow("exactly the total") << "12,5" << "R$ 12,50" << "R$ 0,00" << "";
    QTest::addRow("a cent short") << "12,49" << "R$ 12,49" << "R$ 0,00" << msg::verifiqueRecebido;
    QTest::addRow("not a number") << "" << "" << "R$ 0,00" << msg::camposObrigatorios;
}

void TestSalePayment::payment()
{
    QFETCH(QString, received);
    QFETCH(QString, shownReceived);
    QFETCH(QString, change);
    QFETCH(QString, message);

    SalePayment payment(m_fx.settings, m_fx.messages, {{"11", "Refrigerante", "1", "R$ 12,50", "R$ 12,50", false}},
                        QStringLiteral("R$ 12,50"));
    payment.fields.text8 = received;
    const bool leaves = payment.leaveReceived();
    QCOMPARE(payment.fields.text8, shownReceived);
    QCOMPARE(payment.fields.text7, change);
    if (leaves)
        QCOMPARE(payment.record(), message.isEmpty() ? SalePayment::Outcome::Recorded : SalePayment::Outcome::Stay);
    QCOMPARE(m_fx.messages.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    if (leaves && !message.isEmpty()) {  // put right, the same screen records
        payment.fields.text8 = QStringLiteral("50");
        QVERIFY(payment.leaveReceived());
        QCOMPARE(payment.record(), SalePayment::Outcome::Recorded);
    }
    QCOMPARE(m_fx.sales(), leaves ? 1 : 0);
}

void TestSalePayment::recordsSaleAndLinesOnce()
{
    const qint64 numberBefore = generator("numero_venda");
    SalePayment payment(m_fx.settings, m_fx.messages, threeLines(), QStringLiteral("R$ 40,50"));
    payment.fields.combo1 = 2;
    payment.fields.text8 = QStringLiteral("50");
    QVERIFY(payment.leaveReceived());
    QCOMPARE(payment.record(), SalePayment::Outcome::Recorded);
    // A second Enter while the screen closes records nothing more.
    QCOMPARE(payment.record(), SalePayment::Outcome::Busy);
    QVERIFY2(m_fx.messages.shown().isEmpty(), qPrintable(m_fx.messages.transcript()));

    const auto sale = m_fx.db().select(
        QStringLiteral("select ncodigo,ncaixa_venda,cforma_pagamento,ntotal,nvalor_pago,ntroco from venda"));
    QVERIFY(sale.ok());
    QCOMPARE(sale->count(), 1);
    QCOMPARE(sale->integer(0, QStringLiteral("ncodigo")), payment.recordedKey());
    QCOMPARE(sale->integer(0, QStringLiteral("ncaixa_venda")), 1);
    QCOMPARE(sale->text(0, QStringLiteral("cforma_pagamento")), QStringLiteral("Cartão de crédito"));
    QCOMPARE(sale->money(0, QStringLiteral("ntotal")), Money::fromUnits(405000));
    QCOMPARE(sale->money(0, QStringLiteral("nvalor_pago")), Money::fromWhole(50));
    QCOMPARE(sale->money(0, QStringLiteral("ntroco")), Money::fromUnits(95000));

    const auto items = m_fx.db().select(
        QStringLiteral("select nvenda,nproduto,nqtde,ntotal,cexcluido,nnumero,cvenda_interna "
                       "from item_venda order by nnumero"));
    QVERIFY(items.ok());
    QCOMPARE(items->count(), 3);
    const QList<Money> quantities{Money::fromWhole(2), Money::fromUnits(25000), Money::fromWhole(1)};
    const QList<Money> amounts{Money::fromWhole(10), Money::fromWhole(5), Money::fromUnits(255000)};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(items->integer(i, QStringLiteral("nvenda")), payment.recordedKey());
        QCOMPARE(items->integer(i, QStringLiteral("nproduto")), 10 + i);
        QCOMPARE(items->money(i, QStringLiteral("nqtde")), quantities.at(i));
        QCOMPARE(items->money(i, QStringLiteral("ntotal")), amounts.at(i));
        QCOMPARE(items->text(i, QStringLiteral("cexcluido")), QStringLiteral("Nao"));
        QCOMPARE(items->text(i, QStringLiteral("cvenda_interna")), i == 1 ? QStringLiteral("S") : QStringLiteral("N"));
        // Consecutive document numbers, one per line, in the order of the grid,
        // each on its own ticket.
        QCOMPARE(items->integer(i, QStringLiteral("nnumero")), numberBefore + 1 + i);
        QVERIFY(m_fx.spoolBytes().contains(QByteArray("CAIXA 1 - VENDA - DOCTO ").append(QByteArray::number(numberBefore + 1 + i))));
    }
    QCOMPARE(m_fx.spoolBytes().count("TOTAL: "), 3);
}

void TestSalePayment::refusedMidSale_data()
{
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QStringList>("messages");

    QTest::addRow("product deleted meanwhile (-530)")
        << "deleted" << QStringList{msg::violacaoIntegridade, msg::vendaNaoGravada};
    QTest::addRow("trigger exception (-836)")
        << "zero" << QStringList{"A quantidade do item deve ser maior que zero!", msg::vendaNaoGravada};
    // Refused before the sale's key is drawn.
    QTest::addRow("quantity beyond NUMERIC(15,3)") << "beyond" << QStringList{msg::valorAcimaDoLimite};
}

void TestSalePayment::refusedMidSale()
{
    QFETCH(QString, refusal);
    QFETCH(QStringList, messages);

    // The last job stays in the spool file: nothing is printed for a sale
    // that was not recorded.
    QFile spool(QDir(m_fx.settings.dataDir).filePath(QStringLiteral("imp.txt")));
    QVERIFY(spool.open(QIODevice::WriteOnly));
    spool.write("ULTIMO TRABALHO\r\n");
    spool.close();

    QList<SaleLine> lines = threeLines();
    if (refusal == u"deleted")
        m_fx.exec("delete from produto where ncodigo = 11");
    else
        lines[1].quantidade = refusal == u"zero" ? QStringLiteral("0") : QStringLiteral("1000000000000");

    const qint64 keyBefore = generator("venda");
    SalePayment payment(m_fx.settings, m_fx.messages, lines, QStringLiteral("R$ 40,50"));
    payment.fields.text8 = QStringLiteral("50");
    QVERIFY(payment.leaveReceived());
    if (refusal == u"deleted")
        m_fx.messages.answerNext(false);  // the original message is not wanted
    QCOMPARE(payment.record(), SalePayment::Outcome::Failed);
    QCOMPARE(m_fx.messages.texts(), messages);
    QCOMPARE(m_fx.sales(), 0);
    QCOMPARE(m_fx.items(), 0);
    QCOMPARE(m_fx.spoolBytes(), QByteArray("ULTIMO TRABALHO\r\n"));
    QVERIFY(!payment.recorded());

    // A key drawn for the refused sale is never used again.
    const qint64 keyAfter = generator("venda");
    QCOMPARE(keyAfter, refusal == u"beyond" ? keyBefore : keyBefore + 1);
    if (refusal == u"deleted")
        m_fx.addProduct(11, "Refrigerante", "Un", Money::fromWhole(3), Money::fromWhole(2), true);
    SalePayment retry(m_fx.settings, m_fx.messages, threeLines(), QStringLiteral("R$ 40,50"));
    retry.fields.text8 = QStringLiteral("50");
    QVERIFY(retry.leaveReceived());
    QCOMPARE(retry.record(), SalePayment::Outcome::Recorded);
    QCOMPARE(retry.recordedKey(), keyAfter + 1);
    QCOMPARE(m_fx.items(), 3);
}

void TestSalePayment::printerDownKeepsTheSale()
{
    const QByteArray previous = qgetenv("VORINDA_PRINTER_PORT");
    const auto restore = qScopeGuard([&] { qputenv("VORINDA_PRINTER_PORT", previous); });
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(m_fx.settings.dataDir + QStringLiteral("/missing/lp0")));
    m_fx.settings.modo_impressao = 0;

    SalePayment payment(m_fx.settings, m_fx.messages, threeLines(), QStringLiteral("R$ 40,50"));
    payment.fields.text8 = QStringLiteral("50");
    QVERIFY(payment.leaveReceived());
    QCOMPARE(payment.record(), SalePayment::Outcome::Recorded);
    // Told to the operator; the sale stays and its tickets wait in the spool file for F3.
    QCOMPARE(m_fx.messages.shown().size(), 1);
    QVERIFY2(m_fx.messages.texts().at(0).startsWith(QStringLiteral("A venda foi gravada, mas os cupons não foram impressos")),
             qPrintable(m_fx.messages.transcript()));
    QVERIFY(m_fx.messages.texts().at(0).contains(msg::impressoraIndisponivel));
    QCOMPARE(m_fx.sales(), 1);
    QCOMPARE(m_fx.items(), 3);
    QCOMPARE(m_fx.spoolBytes().count("TOTAL: "), 3);
}

QTEST_MAIN(TestSalePayment)
#include "test_sale_payment.moc"
