#include "common/message_texts.h"
#include "sales/sale_payment.h"
#include "sales/sale_recording.h"
#include "sale_fixture.h"

#include <QFile>
#include <QTest>

// The payment screen's logic: the change, and the recording of a sale with
// its lines, all or nothing, printed after the commit.
class TestSalePayment : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fx.setUp(); }

    void change_data();
    void change();
    void recordsSaleAndLines();
    void paymentValues_data();
    void paymentValues();
    void secondEnterRecordsOnce();
    void requiredFieldEmpty();
    void refusedInsertMidSale_data();
    void refusedInsertMidSale();
    void linesBeyondColumns();
    void printingFailureKeepsSale();

private:
    static QList<SaleLine> threeLines();
    qint64 generator(const QString& name);
    SaleFixture m_fx;
};

QList<SaleLine> TestSalePayment::threeLines()
{
    return {
        {QStringLiteral("10"), QStringLiteral("Cerveja Lata"), QStringLiteral("2"), QStringLiteral("R$ 5,00"),
         QStringLiteral("R$ 10,00"), false},
        {QStringLiteral("11"), QStringLiteral("Refrigerante"), QStringLiteral("2,5"), QStringLiteral("R$ 2,00"),
         QStringLiteral("R$ 5,00"), true},
        {QStringLiteral("12"), QStringLiteral("Porção de Fritas"), QStringLiteral("1"), QStringLiteral("R$ 25,50"),
         QStringLiteral("R$ 25,50"), false},
    };
}

qint64 TestSalePayment::generator(const QString& name)
{
    const auto value = m_fx.db().generator(name, 0);
    return value ? *value : -1;
}

void TestSalePayment::change_data()
{
    QTest::addColumn<QString>("received");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shownReceived");
    QTest::addColumn<QString>("change");

    QTest::addRow("20 for 12,50") << "20" << true << "R$ 20,00" << "R$ 7,50";
    QTest::addRow("exactly the total") << "12,5" << true << "R$ 12,50" << "R$ 0,00";
    QTest::addRow("a cent short") << "12,49" << false << "R$ 12,49" << "R$ 0,00";
    QTest::addRow("not a number") << "" << true << "" << "R$ 0,00";
}

void TestSalePayment::change()
{
    QFETCH(QString, received);
    QFETCH(bool, accepted);
    QFETCH(QString, shownReceived);
    QFETCH(QString, change);

    SalePayment payment(m_fx.settings, m_fx.messages, threeLines(), QStringLiteral("R$ 12,50"));
    QCOMPARE(payment.fields.text8, QStringLiteral("R$ 0,00"));
    QCOMPARE(payment.fields.text7, QStringLiteral("R$ 0,00"));
    QCOMPARE(payment.fields.combo1, 0);

    payment.fields.text8 = received;
    QCOMPARE(payment.leaveReceived(), accepted);
    QCOMPARE(payment.fields.text8, shownReceived);
    QCOMPARE(payment.fields.text7, change);
    QCOMPARE(m_fx.messages.texts(), accepted ? QStringList{} : QStringList{msg::verifiqueRecebido});
}

void TestSalePayment::recordsSaleAndLines()
{
    const qint64 numberBefore = generator(QStringLiteral("numero_venda"));
    SalePayment payment(m_fx.settings, m_fx.messages, threeLines(), QStringLiteral("R$ 40,50"));
    payment.fields.combo1 = 2;
    payment.fields.text8 = QStringLiteral("50");
    QVERIFY(payment.leaveReceived());
    QCOMPARE(payment.record(), SalePayment::Outcome::Recorded);
    QVERIFY2(m_fx.messages.shown().isEmpty(), qPrintable(m_fx.messages.transcript()));

    const auto sale = m_fx.db().select(
        QStringLiteral("select ncodigo,ncaixa_venda,ddata_venda,cforma_pagamento,ntotal,nvalor_pago,ntroco from venda"));
    QVERIFY(sale.ok());
    QCOMPARE(sale->count(), 1);
    QCOMPARE(sale->integer(0, QStringLiteral("ncodigo")), payment.recordedKey());
    QCOMPARE(sale->integer(0, QStringLiteral("ncaixa_venda")), 1);
    QVERIFY(sale->dateTime(0, QStringLiteral("ddata_venda")).isValid());
    QCOMPARE(sale->text(0, QStringLiteral("cforma_pagamento")), QStringLiteral("Cartão de crédito"));
    QCOMPARE(sale->money(0, QStringLiteral("ntotal")), Money::fromUnits(405000));
    QCOMPARE(sale->money(0, QStringLiteral("nvalor_pago")), Money::fromWhole(50));
    QCOMPARE(sale->money(0, QStringLiteral("ntroco")), Money::fromUnits(95000));

    const auto items = m_fx.db().select(
        QStringLiteral("select nvenda,nproduto,nqtde,npreco,ntotal,cexcluido,nnumero,cvenda_interna "
                       "from item_venda order by nnumero"));
    QVERIFY(items.ok());
    QCOMPARE(items->count(), 3);
    const QList<qint64> products{10, 11, 12};
    const QList<Money> quantities{Money::fromWhole(2), Money::fromUnits(25000), Money::fromWhole(1)};
    const QList<Money> amounts{Money::fromWhole(10), Money::fromWhole(5), Money::fromUnits(255000)};
    const QStringList flags{QStringLiteral("N"), QStringLiteral("S"), QStringLiteral("N")};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(items->integer(i, QStringLiteral("nvenda")), payment.recordedKey());
        QCOMPARE(items->integer(i, QStringLiteral("nproduto")), products.at(i));
        QCOMPARE(items->money(i, QStringLiteral("nqtde")), quantities.at(i));
        QCOMPARE(items->money(i, QStringLiteral("ntotal")), amounts.at(i));
        QCOMPARE(items->text(i, QStringLiteral("cexcluido")), QStringLiteral("Nao"));
        QCOMPARE(items->text(i, QStringLiteral("cvenda_interna")), flags.at(i));
        // Consecutive document numbers, one per line, in the order of the grid.
        QCOMPARE(items->integer(i, QStringLiteral("nnumero")), numberBefore + 1 + i);
    }

    // One ticket per line went to the spool file.
    const QByteArray spool = m_fx.spoolBytes();
    for (int i = 0; i < 3; ++i)
        QVERIFY(spool.contains(QByteArray(QByteArray("CAIXA 1 - VENDA - DOCTO ") + QByteArray::number(numberBefore + 1 + i))));
    QCOMPARE(spool.count("TOTAL: "), 3);
}

void TestSalePayment::paymentValues_data()
{
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("received");
    QTest::addColumn<qint64>("paidUnits");
    QTest::addColumn<qint64>("changeUnits");

    QTest::addRow("12,50 paid with 20") << "R$ 12,50" << "20" << qint64(200000) << qint64(75000);
    QTest::addRow("exact amount") << "R$ 12,50" << "12,50" << qint64(125000) << qint64(0);
    QTest::addRow("thousands") << "R$ 12,50" << "1.000" << qint64(10000000) << qint64(9875000);
}

void TestSalePayment::paymentValues()
{
    QFETCH(QString, total);
    QFETCH(QString, received);
    QFETCH(qint64, paidUnits);
    QFETCH(qint64, changeUnits);

    const QList<SaleLine> lines{{QStringLiteral("11"), QStringLiteral("Refrigerante"), QStringLiteral("1"),
                                 QStringLiteral("R$ 12,50"), QStringLiteral("R$ 12,50"), false}};
    SalePayment payment(m_fx.settings, m_fx.messages, lines, total);
    payment.fields.text8 = received;
    QVERIFY(payment.leaveReceived());
    QCOMPARE(payment.record(), SalePayment::Outcome::Recorded);

    const auto sale = m_fx.db().select(QStringLiteral("select ntotal,nvalor_pago,ntroco,cforma_pagamento from venda"));
    QVERIFY(sale.ok());
    QCOMPARE(sale->count(), 1);
    QCOMPARE(sale->money(0, QStringLiteral("ntotal")), Money::fromUnits(125000));
    QCOMPARE(sale->money(0, QStringLiteral("nvalor_pago")), Money::fromUnits(paidUnits));
    QCOMPARE(sale->money(0, QStringLiteral("ntroco")), Money::fromUnits(changeUnits));
    QCOMPARE(sale->text(0, QStringLiteral("cforma_pagamento")), QStringLiteral("Dinheiro"));
}

void TestSalePayment::secondEnterRecordsOnce()
{
    SalePayment payment(m_fx.settings, m_fx.messages, threeLines(), QStringLiteral("R$ 40,50"));
    payment.fields.text8 = QStringLiteral("40,50");
    QVERIFY(payment.leaveReceived());
    QCOMPARE(payment.record(), SalePayment::Outcome::Recorded);
    QCOMPARE(payment.record(), SalePayment::Outcome::Busy);
    QCOMPARE(m_fx.count("select count(*) from venda"), 1);
    QCOMPARE(m_fx.count("select count(*) from item_venda"), 3);
}

void TestSalePayment::requiredFieldEmpty()
{
    SalePayment payment(m_fx.settings, m_fx.messages, threeLines(), QStringLiteral("R$ 40,50"));
    payment.fields.text8 = QString();
    QCOMPARE(payment.record(), SalePayment::Outcome::Stay);
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::camposObrigatorios});
    QCOMPARE(m_fx.count("select count(*) from venda"), 0);
    // Put right, the same screen records.
    payment.fields.text8 = QStringLiteral("R$ 50,00");
    QVERIFY(payment.leaveReceived());
    QCOMPARE(payment.record(), SalePayment::Outcome::Recorded);
}

void TestSalePayment::refusedInsertMidSale_data()
{
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QStringList>("messages");

    QTest::addRow("product deleted meanwhile (-530)")
        << "deleted" << QStringList{msg::violacaoIntegridade, msg::vendaNaoGravada};
    QTest::addRow("trigger exception (-836)")
        << "zero" << QStringList{QStringLiteral("A quantidade do item deve ser maior que zero!"), msg::vendaNaoGravada};
}

void TestSalePayment::refusedInsertMidSale()
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
    if (refusal == QLatin1String("deleted"))
        m_fx.exec("delete from produto where ncodigo = 11");
    else
        lines[1].quantidade = QStringLiteral("0");

    const qint64 keyBefore = generator(QStringLiteral("venda"));
    SalePayment payment(m_fx.settings, m_fx.messages, lines, QStringLiteral("R$ 40,50"));
    payment.fields.text8 = QStringLiteral("50");
    QVERIFY(payment.leaveReceived());
    if (refusal == QLatin1String("deleted"))
        m_fx.messages.answerNext(false);  // the original message is not wanted
    QCOMPARE(payment.record(), SalePayment::Outcome::Failed);

    QCOMPARE(m_fx.messages.texts(), messages);
    QCOMPARE(m_fx.count("select count(*) from venda"), 0);
    QCOMPARE(m_fx.count("select count(*) from item_venda"), 0);
    QCOMPARE(m_fx.spoolBytes(), QByteArray("ULTIMO TRABALHO\r\n"));
    QVERIFY(!payment.recorded());

    // The key drawn for the refused sale is never used again.
    const qint64 keyAfter = generator(QStringLiteral("venda"));
    QCOMPARE(keyAfter, keyBefore + 1);
    SalePayment retry(m_fx.settings, m_fx.messages, threeLines(), QStringLiteral("R$ 40,50"));
    if (refusal == QLatin1String("deleted"))
        m_fx.addProduct(11, QStringLiteral("Refrigerante"), QStringLiteral("Un"), 3, 2, true);
    retry.fields.text8 = QStringLiteral("50");
    QVERIFY(retry.leaveReceived());
    QCOMPARE(retry.record(), SalePayment::Outcome::Recorded);
    QCOMPARE(retry.recordedKey(), keyAfter + 1);
    QCOMPARE(m_fx.count("select count(*) from item_venda where nvenda = ?", {SqlValue::integer(retry.recordedKey())}), 3);
}

void TestSalePayment::linesBeyondColumns()
{
    QList<SaleLine> lines = threeLines();
    lines[2].quantidade = QStringLiteral("1000000000000");
    SalePayment payment(m_fx.settings, m_fx.messages, lines, QStringLiteral("R$ 40,50"));
    payment.fields.text8 = QStringLiteral("50");
    QVERIFY(payment.leaveReceived());
    QCOMPARE(payment.record(), SalePayment::Outcome::Failed);
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::valorAcimaDoLimite});
    QCOMPARE(m_fx.count("select count(*) from venda"), 0);
    QCOMPARE(generator(QStringLiteral("venda")), 0);  // refused before the key was drawn
}

void TestSalePayment::printingFailureKeepsSale()
{
    const QByteArray previous = qgetenv("VORINDA_PRINTER_PORT");
    qputenv("VORINDA_PRINTER_PORT", "/nonexistent/vorinda/lp0");
    m_fx.settings.modo_impressao = 0;

    SalePayment payment(m_fx.settings, m_fx.messages, threeLines(), QStringLiteral("R$ 40,50"));
    payment.fields.text8 = QStringLiteral("50");
    QVERIFY(payment.leaveReceived());
    const auto outcome = payment.record();
    qputenv("VORINDA_PRINTER_PORT", previous);

    QCOMPARE(outcome, SalePayment::Outcome::Recorded);
    QCOMPARE(m_fx.messages.shown().size(), 1);
    QVERIFY2(m_fx.messages.texts().at(0).startsWith(msg::impressoraIndisponivel),
             qPrintable(m_fx.messages.transcript()));
    QCOMPARE(m_fx.count("select count(*) from venda"), 1);
    QCOMPARE(m_fx.count("select count(*) from item_venda"), 3);
    // The tickets wait in the spool file for F3.
    QCOMPARE(m_fx.spoolBytes().count("TOTAL: "), 3);
}

QTEST_MAIN(TestSalePayment)
#include "test_sale_payment.moc"
