// The lines of a purchase, its closing and its cancelling.
#include "common/br_format.h"
#include "common/message_texts.h"
#include "purchases/purchase_items.h"
#include "purchases/purchase_opening.h"
#include "tests/purchases/purchase_fixture.h"

class TestPurchaseItems : public QObject, PurchaseFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(); }
    void cleanup() { closeDatabase(); }

    void loadsHeaderAndLines()
    {
        // 1 Cerveja Lata (Lata), 9 Água Mineral (Garrafa); a code beyond 16 bits.
        QVERIFY(db().setGenerator(QStringLiteral("codigo_compra"), 70000));
        const qint32 code = storePurchase(Norte, QDate(2026, 3, 12), QStringLiteral("NF 77"), {{1, 24, 3.2}, {9, 6, 1.05}});
        QCOMPARE(code, 70001);
        QVERIFY(run("update compra set cobs = 'gelada', ndesconto = 1.5, nacrescimo = 0.25 where ncodigo = 70001"));
        PurchaseItems items(m_settings, m_messages, code, false);
        items.load();
        const PurchaseItems::Fields& f = items.fields;
        QCOMPARE((QStringList{f.text3, f.text13, f.text10, f.text15, f.text9}),
                 (QStringList{"12/03/2026", "NF 77", "3", "Bebidas Norte", "gelada"}));
        QCOMPARE((QStringList{f.text12, f.text7, f.text11, f.text8}),
                 (QStringList{"R$ 83,10", "R$ 1,50", "R$ 0,25", "R$ 81,85"}));
        QCOMPARE(items.model().gridRows(), 12);
        QStringList first;
        for (int column = 1; column < 7; ++column)
            first << items.model().cell(0, column);
        QCOMPARE(first, (QStringList{"1", "Cerveja Lata", "Lata", "24", "R$ 3,20", "R$ 76,80"}));
        QCOMPARE(items.model().cell(1, 3), QStringLiteral("Garrafa"));   // each product's own unit
        QVERIFY(items.lineCodeAt(1));
        QVERIFY(!items.lineCodeAt(2));   // filler rows hold nothing
        QVERIFY(items.binclusaoitem());
        QVERIFY(m_messages.shown().isEmpty());
    }

    void productCheck()
    {
        PurchaseItems items(m_settings, m_messages, openPurchase(), true);
        items.load();
        items.fields.text2 = QStringLiteral("9");
        QVERIFY(items.leaveProduct());
        QCOMPARE(items.fields.text1, QStringLiteral("Água Mineral - Garrafa"));
        QCOMPARE(items.fields.text5, QStringLiteral("R$ 1,00"));   // its purchase price proposed
        items.fields.text4 = QStringLiteral("12");
        items.leaveQuantity();
        QCOMPARE(items.fields.text6, QStringLiteral("R$ 12,00"));
        items.fields.text5 = QStringLiteral("R$ 1,15");
        items.leaveUnitPrice();
        QCOMPARE(items.fields.text6, QStringLiteral("R$ 13,80"));
        for (const char* unknown : {"99", "99999999999"}) {
            items.fields.text2 = QLatin1String(unknown);
            QVERIFY(!items.leaveProduct());
            QCOMPARE(items.fields.text1 + items.fields.text4 + items.fields.text5 + items.fields.text6, QString());
        }
        QCOMPARE(m_messages.texts(), (QStringList{msg::registroNaoLocalizado, msg::registroNaoLocalizado}));
    }

    void confirmRefusals_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("message");
        QTest::addRow("quantity 0") << "1" << "0" << "R$ 0,00" << msg::quantidadeMaiorQueZero;
        QTest::addRow("quantity 00") << "1" << "00" << "R$ 0,00" << msg::quantidadeMaiorQueZero;
        QTest::addRow("quantity empty") << "1" << "" << "R$ 0,00" << msg::quantidadeMaiorQueZero;
        QTest::addRow("no product") << "" << "2" << "R$ 0,00" << msg::camposObrigatorios;
        QTest::addRow("discount emptied") << "1" << "2" << "" << msg::camposObrigatorios;
    }
    void confirmRefusals()
    {
        QFETCH(QString, product);
        QFETCH(QString, quantity);
        QFETCH(QString, discount);
        QFETCH(QString, message);
        PurchaseItems items(m_settings, m_messages, openPurchase(), true);
        items.load();
        items.fields.text2 = product;
        items.leaveProduct();
        items.fields.text4 = quantity;
        items.leaveQuantity();
        items.fields.text7 = discount;
        items.leaveDiscountOrSurcharge();
        QVERIFY(!items.confirma(0));
        QCOMPARE(m_messages.texts(), QStringList{message});
        QCOMPARE(scalar("select count(*) from item_da_compra"), 0);
        QCOMPARE(items.fields.text4, quantity);   // the fields as typed
    }

    void changedLineIsTheRowCurrentNow()
    {
        const qint32 code = storePurchase(Sul, QDate(2026, 3, 12), QString(), {{1, 10, 3.2}, {2, 5, 4.9}, {8, 20, 2.5}});
        PurchaseItems items(m_settings, m_messages, code, false);
        items.load();
        items.pickLine(0);
        QVERIFY(!items.binclusaoitem());
        QVERIFY(!items.fields.text2Enabled);
        QCOMPARE((QStringList{items.fields.text2, items.fields.text1, items.fields.text4, items.fields.text5, items.fields.text6}),
                 (QStringList{"1", "Cerveja Lata - Lata", "10", "R$ 3,20", "R$ 32,00"}));
        items.fields.text4 = QStringLiteral("12");
        items.leaveQuantity();
        // The operator moved to the third row before confirming: that line takes the values.
        QVERIFY(items.confirma(2));
        QVERIFY(items.binclusaoitem());
        QVERIFY(items.fields.text2Enabled);
        QCOMPARE(items.fields.text2 + items.fields.text4, QString());
        QCOMPARE(lines(code), (QStringList{"1 10 3.2 32", "2 5 4.9 24.5", "8 12 3.2 38.4"}));
        QCOMPARE(items.fields.text12, QStringLiteral("R$ 94,90"));
        // A picked filler row is back to a new line.
        items.pickLine(1);
        items.pickLine(5);
        QVERIFY(items.binclusaoitem());
        QCOMPARE(items.fields.text2 + items.fields.text1 + items.fields.text4, QString());
        QVERIFY(m_messages.shown().isEmpty());
    }

    void changeOnAFillerRowOrALineGone()
    {
        const qint32 code = storePurchase(Sul, QDate(2026, 3, 12), QString(), {{1, 10, 3.2}, {2, 5, 4.9}});
        PurchaseItems items(m_settings, m_messages, code, false);
        items.load();
        items.pickLine(1);
        QVERIFY(!items.confirma(4));
        QVERIFY(run("delete from item_da_compra where nproduto = 2"));   // at another workstation
        QVERIFY(!items.confirma(1));
        QCOMPARE(m_messages.texts(), (QStringList{msg::selecioneItemCompra, msg::registroNaoLocalizado}));
        QCOMPARE(items.model().foundCount(), 1);   // reloaded: the line is no longer shown
        QCOMPARE(lines(code), QStringList{"1 10 3.2 32"});
    }

    void deletesALine()
    {
        const qint32 code = storePurchase(Sul, QDate(2026, 3, 12), QString(), {{1, 10, 3.2}, {2, 5, 4.9}});
        PurchaseItems items(m_settings, m_messages, code, false);
        items.load();
        QVERIFY(!items.excluir(3));   // a filler row: nothing asked
        m_messages.answerNext(false);
        QVERIFY(!items.excluir(0));
        m_messages.answerNext(true);
        QVERIFY(items.excluir(0));
        QCOMPARE(m_messages.texts(), (QStringList{msg::confirmaExclusao, msg::confirmaExclusao}));
        QCOMPARE(lines(code), QStringList{"2 5 4.9 24.5"});
        QCOMPARE(items.fields.text12, QStringLiteral("R$ 24,50"));
        QVERIFY(!items.canDelete(1));
    }

    void closing_data()
    {
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("surcharge");
        QTest::addColumn<QString>("stored");   // total stored, or empty when refused
        QTest::addColumn<QString>("message");
        // Products: 32,00 + 24,50 = 56,50.
        QTest::addRow("no discount, no surcharge") << "R$ 0,00" << "R$ 0,00" << "56.5" << msg::compraRegistrada;
        QTest::addRow("discount and surcharge") << "R$ 6,55" << "R$ 2,05" << "52" << msg::compraRegistrada;
        QTest::addRow("discount takes it all") << "R$ 60,00" << "R$ 3,50" << "0" << msg::compraRegistrada;
        QTest::addRow("discount beyond it") << "R$ 60,00" << "R$ 3,49" << "" << msg::descontoAcimaDoTotal;
        QTest::addRow("surcharge emptied") << "R$ 1,00" << "" << "" << msg::camposObrigatorios;
    }
    void closing()
    {
        QFETCH(QString, discount);
        QFETCH(QString, surcharge);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        const qint32 code = storePurchase(Sul, QDate(2026, 3, 12), QString(), {{1, 10, 3.2}, {2, 5, 4.9}});
        PurchaseItems items(m_settings, m_messages, code, true);
        items.load();
        items.fields.text7 = discount;
        items.fields.text11 = surcharge;
        items.leaveDiscountOrSurcharge();
        QCOMPARE(items.gravar(), !stored.isEmpty());
        QCOMPARE(m_messages.texts(), QStringList{message});
        const Result<Rows> row = db().select(QStringLiteral("select * from compra where ncodigo = ?"),
                                             {SqlValue::integer(code)});
        QVERIFY(row && row->count() == 1);
        const QString total = row->money(0, QStringLiteral("nvalor_total")).toDecimalText();
        QCOMPARE(total, stored.isEmpty() ? QStringLiteral("0") : stored);
        if (!stored.isEmpty()) {
            QCOMPARE(br::money(row->money(0, QStringLiteral("ndesconto"))), discount);
            QCOMPARE(items.fields.text8, br::money(*Money::fromDecimalText(stored)));
        }
    }

    void closingWithoutOrWithChangedLines()
    {
        const qint32 code = openPurchase();
        PurchaseItems items(m_settings, m_messages, code, true);
        items.load();
        QVERIFY(!items.gravar());
        items.fields.text2 = QStringLiteral("1");
        QVERIFY(items.leaveProduct());
        items.fields.text4 = QStringLiteral("2");
        items.leaveQuantity();
        QVERIFY(items.confirma(0));
        // Another workstation adds a line to the same purchase meanwhile: the
        // total shown would not be the one stored.
        QVERIFY(run("insert into item_da_compra values (null, 9, ?, 1, 1, 1)", {SqlValue::integer(code)}));
        QVERIFY(!items.gravar());
        QCOMPARE(items.fields.text12, QStringLiteral("R$ 7,40"));   // the list shows it now
        QVERIFY(items.gravar());
        QCOMPARE(m_messages.texts(), (QStringList{msg::incluaProdutosCompra, msg::itensAlteradosOutroCaixa,
                                                  msg::compraRegistrada}));
        QCOMPARE(scalar("select count(*) from compra where nvalor_total = 7.4"), 1);
    }

    void leavingTheScreen_data()
    {
        QTest::addColumn<bool>("binclusao");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("purchasesLeft");
        QTest::addRow("new purchase, cancelled") << true << true << true << 1;
        QTest::addRow("new purchase, kept") << true << false << false << 2;
        QTest::addRow("reopened purchase") << false << false << true << 2;
    }
    void leavingTheScreen()
    {
        QFETCH(bool, binclusao);
        QFETCH(bool, answer);
        QFETCH(bool, closes);
        QFETCH(int, purchasesLeft);
        const qint32 other = storePurchase(Norte, QDate(2026, 3, 1), QString(), {{3, 1, 6.5}});
        const qint32 code = storePurchase(Sul, QDate(2026, 3, 12), QString(), {{1, 10, 3.2}, {2, 5, 4.9}});
        PurchaseItems items(m_settings, m_messages, code, binclusao);
        items.load();
        if (binclusao)
            m_messages.answerNext(answer);
        QCOMPARE(items.sair(), closes);
        QCOMPARE(m_messages.texts(), binclusao ? QStringList{msg::cancelarCompra} : QStringList{});
        QCOMPARE(scalar("select count(*) from compra"), purchasesLeft);
        // Its lines go with it, or stay with it; the other purchase is untouched.
        const qint64 ownLines = purchasesLeft == 2 ? 2 : 0;
        QCOMPARE(scalar("select count(*) from item_da_compra where ncompra = ?", {SqlValue::integer(code)}), ownLines);
        QCOMPARE(scalar("select count(*) from item_da_compra where ncompra = ?", {SqlValue::integer(other)}), 1);
    }

private:
    // A purchase opened as the opening dialog opens it.
    qint32 openPurchase()
    {
        PurchaseOpening opening(m_settings, m_messages, true);
        opening.load(QDate(2026, 3, 12));
        opening.fields.combo1 = 0;
        const std::optional<PurchaseOpening::Handover> handover = opening.gravar();
        return handover ? handover->codigoCompra : 0;
    }
};

QTEST_MAIN(TestPurchaseItems)
#include "test_purchase_items.moc"
