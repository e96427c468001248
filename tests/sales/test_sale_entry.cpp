#include "common/message_texts.h"
#include "sales/sale_entry.h"
#include "sale_fixture.h"

#include <QTest>

// The sale entry screen's rules, driven on its logic: product look-up, line
// amounts, adding and removing lines, the total, F2, F5 and Escape.
class TestSaleEntry : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fx.setUp(); }

    void lookup_data();
    void lookup();
    void internalPriceChosenAtLookup();
    void lineAmount_data();
    void lineAmount();
    void addLine_data();
    void addLine();
    void totalIsSumOfShownAmounts();
    void deletingTheOnlyLine();
    void deleteOutsideTheLines();
    void cancelSale_data();
    void cancelSale();
    void leaving_data();
    void leaving();
    void closeEmptySale();

private:
    SaleEntry entryWithLine(const QString& code, const QString& quantity);
    SaleFixture m_fx;
};

void TestSaleEntry::lookup_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("internal");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("price");

    QTest::addRow("active product") << "10" << false << true << "Cerveja Lata" << "Lata" << "R$ 5,00";
    QTest::addRow("accents and cents") << "12" << false << true << "Porção de Fritas" << "Porc" << "R$ 25,50";
    QTest::addRow("leading zeros") << "0011" << false << true << "Refrigerante" << "Un" << "R$ 3,00";
    QTest::addRow("internal price") << "10" << true << true << "Cerveja Lata" << "Lata" << "R$ 3,00";
    QTest::addRow("inactive product") << "13" << false << false << "" << "" << "R$ 0,00";
    QTest::addRow("unknown code") << "999" << false << false << "" << "" << "R$ 0,00";
    QTest::addRow("beyond INTEGER") << "99999999999" << false << false << "" << "" << "R$ 0,00";
    QTest::addRow("just beyond INTEGER") << "2147483648" << false << false << "" << "" << "R$ 0,00";
}

void TestSaleEntry::lookup()
{
    QFETCH(QString, code);
    QFETCH(bool, internal);
    QFETCH(bool, found);
    QFETCH(QString, description);
    QFETCH(QString, unit);
    QFETCH(QString, price);

    SaleEntry entry(m_fx.settings, m_fx.messages);
    entry.fields.check1 = internal;
    entry.fields.text3 = code;
    entry.fields.text2 = QStringLiteral("7");

    QVERIFY2(entry.leaveCode() == found, qPrintable(m_fx.messages.transcript()));
    QCOMPARE(entry.fields.text1, description);
    QCOMPARE(entry.fields.text4, unit);
    QCOMPARE(entry.fields.text5, price);
    QCOMPARE(entry.fields.text6, price);
    QCOMPARE(entry.fields.text2, QStringLiteral("1"));
    if (found) {
        QCOMPARE(entry.fields.text3, code);
        QVERIFY(m_fx.messages.shown().isEmpty());
    } else {
        // Never a database error: a code that cannot exist is simply not found.
        QCOMPARE(m_fx.messages.texts(), QStringList{msg::registroNaoLocalizado});
        QCOMPARE(entry.fields.text3, QString());
    }
}

void TestSaleEntry::internalPriceChosenAtLookup()
{
    SaleEntry entry(m_fx.settings, m_fx.messages);
    entry.fields.text3 = QStringLiteral("10");
    QVERIFY(entry.leaveCode());
    // Ticking the box after the look-up keeps the price but flags the line.
    entry.fields.check1 = true;
    QVERIFY(entry.addLine());
    QCOMPARE(entry.lines().size(), 1);
    QCOMPARE(entry.lines().at(0).subtotal, QStringLiteral("R$ 5,00"));
    QCOMPARE(entry.lines().at(0).flag(), QStringLiteral("S"));
    entry.paymentClosed();
    QVERIFY(!entry.fields.check1);
}

void TestSaleEntry::lineAmount_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("shownQuantity");

    QTest::addRow("2,5 x 3,00") << "2,5" << "3" << "R$ 7,50" << "2,5";
    QTest::addRow("half a cent rounds away from zero") << "1,5" << "0,05" << "R$ 0,08" << "1,5";
    QTest::addRow("three decimals") << "0,125" << "10" << "R$ 1,25" << "0,125";
    QTest::addRow("grouped") << "1000" << "1.234,5" << "R$ 1.234.500,00" << "1000";
    QTest::addRow("quantity not a number") << "," << "3" << "R$ 0,00" << "";
    QTest::addRow("price emptied") << "2" << "abc" << "R$ 0,00" << "2";
}

void TestSaleEntry::lineAmount()
{
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, amount);
    QFETCH(QString, shownQuantity);

    SaleEntry entry(m_fx.settings, m_fx.messages);
    entry.fields.text2 = quantity;
    entry.leaveQuantity();
    entry.fields.text5 = price;
    entry.leaveUnitPrice();
    QCOMPARE(entry.fields.text6, amount);
    QCOMPARE(entry.fields.text2, shownQuantity);
}

void TestSaleEntry::addLine_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("message");

    QTest::addRow("a line") << "10" << "2" << "" << "";
    QTest::addRow("code not looked up") << "" << "2" << "" << msg::camposObrigatorios;
    QTest::addRow("quantity emptied") << "10" << "" << "" << msg::camposObrigatorios;
    QTest::addRow("quantity zero") << "10" << "0" << "" << msg::camposIncorretos;
    QTest::addRow("quantity beyond NUMERIC(15,3)") << "10" << "1000000000000" << "" << msg::valorAcimaDoLimite;
    QTest::addRow("quantity too long to read") << "10" << "99999999999999999999999" << "" << msg::valorAcimaDoLimite;
    QTest::addRow("price beyond NUMERIC(15,2)") << "10" << "1" << "10000000000000" << msg::valorAcimaDoLimite;
    QTest::addRow("amount beyond NUMERIC(15,2)") << "10" << "100000" << "100000000000" << msg::valorAcimaDoLimite;
}

void TestSaleEntry::addLine()
{
    QFETCH(QString, code);
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, message);

    SaleEntry entry(m_fx.settings, m_fx.messages);
    entry.fields.text3 = code;
    QVERIFY(entry.leaveCode());
    entry.fields.text2 = quantity;
    entry.leaveQuantity();
    if (!price.isEmpty()) {
        entry.fields.text5 = price;
        entry.leaveUnitPrice();
    }

    const bool added = entry.addLine();
    QCOMPARE(added, message.isEmpty());
    if (added) {
        QCOMPARE(entry.lines().size(), 1);
        const SaleLine line = entry.lines().at(0);
        QCOMPARE(line.codigo, QStringLiteral("10"));
        QCOMPARE(line.descricao, QStringLiteral("Cerveja Lata"));
        QCOMPARE(line.quantidade, QStringLiteral("2"));
        QCOMPARE(line.unitario, QStringLiteral("R$ 5,00"));
        QCOMPARE(line.subtotal, QStringLiteral("R$ 10,00"));
        QCOMPARE(line.flag(), QStringLiteral("N"));
        QCOMPARE(entry.fields.text7, QStringLiteral("R$ 10,00"));
        // Entry fields back to their empty state for the next product.
        QCOMPARE(entry.fields.text3, QString());
        QCOMPARE(entry.fields.text2, QStringLiteral("1"));
        QCOMPARE(entry.fields.text6, QStringLiteral("R$ 0,00"));
        QVERIFY(m_fx.messages.shown().isEmpty());
    } else {
        QVERIFY(entry.lines().isEmpty());
        QCOMPARE(entry.fields.text7, QStringLiteral("R$ 0,00"));
        QCOMPARE(m_fx.messages.texts(), QStringList{message});
    }
}

SaleEntry TestSaleEntry::entryWithLine(const QString& code, const QString& quantity)
{
    SaleEntry entry(m_fx.settings, m_fx.messages);
    entry.fields.text3 = code;
    entry.leaveCode();
    entry.fields.text2 = quantity;
    entry.leaveQuantity();
    entry.addLine();
    return entry;
}

void TestSaleEntry::totalIsSumOfShownAmounts()
{
    SaleEntry entry(m_fx.settings, m_fx.messages);
    for (int i = 0; i < 3; ++i) {
        entry.fields.text3 = QStringLiteral("11");
        QVERIFY(entry.leaveCode());
        entry.fields.text2 = QStringLiteral("0,5");
        entry.leaveQuantity();
        entry.fields.text5 = QStringLiteral("0,25");
        entry.leaveUnitPrice();
        QCOMPARE(entry.fields.text6, QStringLiteral("R$ 0,13"));
        QVERIFY(entry.addLine());
    }
    // 3 x 0,13 as shown, not 1,5 x 0,25 = 0,375 recomputed.
    QCOMPARE(entry.fields.text7, QStringLiteral("R$ 0,39"));
    QCOMPARE(entry.total(), Money::fromUnits(3900));
}

void TestSaleEntry::deletingTheOnlyLine()
{
    SaleEntry entry = entryWithLine(QStringLiteral("10"), QStringLiteral("2"));
    QCOMPARE(entry.lines().size(), 1);
    QVERIFY(entry.removeLine(0));
    QVERIFY(entry.lines().isEmpty());
    QCOMPARE(entry.fields.text7, QStringLiteral("R$ 0,00"));
    QVERIFY(!entry.canClose());
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::informeProdutos});
}

void TestSaleEntry::deleteOutsideTheLines()
{
    SaleEntry empty(m_fx.settings, m_fx.messages);
    QVERIFY(!empty.removeLine(0));
    QVERIFY(!empty.removeLine(-1));
    SaleEntry entry = entryWithLine(QStringLiteral("10"), QStringLiteral("1"));
    QVERIFY(!entry.removeLine(1));
    QCOMPARE(entry.lines().size(), 1);
}

void TestSaleEntry::cancelSale_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addRow("No keeps every line") << false;
    QTest::addRow("Yes empties the sale") << true;
}

void TestSaleEntry::cancelSale()
{
    QFETCH(bool, answer);
    SaleEntry entry = entryWithLine(QStringLiteral("10"), QStringLiteral("2"));
    entry.fields.text3 = QStringLiteral("11");
    QVERIFY(entry.leaveCode());
    QVERIFY(entry.addLine());

    m_fx.messages.answerNext(answer);
    QCOMPARE(entry.cancelSale(), answer);
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::cancelarVenda});
    QCOMPARE(entry.lines().size(), answer ? 0 : 2);
    QCOMPARE(entry.fields.text7, answer ? QStringLiteral("R$ 0,00") : QStringLiteral("R$ 13,00"));
}

void TestSaleEntry::leaving_data()
{
    QTest::addColumn<bool>("withLine");
    QTest::addColumn<int>("answer");  // -1: no question expected
    QTest::addColumn<bool>("leaves");

    QTest::addRow("empty sale leaves at once") << false << -1 << true;
    QTest::addRow("sale open, No stays") << true << 0 << false;
    QTest::addRow("sale open, Yes leaves") << true << 1 << true;
}

void TestSaleEntry::leaving()
{
    QFETCH(bool, withLine);
    QFETCH(int, answer);
    QFETCH(bool, leaves);

    SaleEntry entry = withLine ? entryWithLine(QStringLiteral("10"), QStringLiteral("1"))
                               : SaleEntry(m_fx.settings, m_fx.messages);
    if (answer >= 0)
        m_fx.messages.answerNext(answer == 1);
    QCOMPARE(entry.confirmLeave(), leaves);
    QCOMPARE(m_fx.messages.texts(), answer >= 0 ? QStringList{msg::sairComVendaAberta} : QStringList{});
}

void TestSaleEntry::closeEmptySale()
{
    SaleEntry empty(m_fx.settings, m_fx.messages);
    QVERIFY(!empty.canClose());
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::informeProdutos});

    SaleEntry entry = entryWithLine(QStringLiteral("10"), QStringLiteral("1"));
    m_fx.messages.clear();
    QVERIFY(entry.canClose());
    QVERIFY(m_fx.messages.shown().isEmpty());
}

QTEST_MAIN(TestSaleEntry)
#include "test_sale_entry.moc"
