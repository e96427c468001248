#include "common/message_texts.h"
#include "sales/sale_entry.h"
#include "sale_fixture.h"

#include <QTest>

// The sale entry screen's rules, driven on its logic (F2 and Escape are
// driven by their keys in the screen's tests).
class TestSaleEntry : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fx.setUp(); }

    void lookup_data();
    void lookup();
    void lineAmount_data();
    void lineAmount();
    void addLine_data();
    void addLine();
    void totalIsSumOfShownAmounts();
    void removeAndClose();
    void fourthDecimalNeverAdded();

private:
    // Code, quantity and (when given) price as typed, each field left in turn.
    void fill(SaleEntry& entry, const QString& code, const QString& quantity, const QString& price = {})
    {
        entry.fields.text3 = code;
        entry.leaveCode();
        entry.fields.text2 = quantity;
        entry.leaveQuantity();
        if (!price.isEmpty()) {
            entry.fields.text5 = price;
            entry.leaveUnitPrice();
        }
    }
    SaleFixture m_fx;
};

void TestSaleEntry::lookup_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("internal");
    QTest::addColumn<QString>("description");  // empty: not found
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("price");

    QTest::addRow("active product") << "10" << false << "Cerveja Lata" << "Lata" << "R$ 5,00";
    QTest::addRow("leading zeros") << "0011" << false << "Refrigerante" << "Un" << "R$ 3,00";
    QTest::addRow("internal price") << "10" << true << "Cerveja Lata" << "Lata" << "R$ 3,00";
    QTest::addRow("inactive product") << "13" << false << "" << "" << "R$ 0,00";
    QTest::addRow("unknown code") << "999" << false << "" << "" << "R$ 0,00";
    QTest::addRow("just beyond INTEGER") << "2147483648" << false << "" << "" << "R$ 0,00";
}

void TestSaleEntry::lookup()
{
    QFETCH(QString, code);
    QFETCH(bool, internal);
    QFETCH(QString, description);
    QFETCH(QString, unit);
    QFETCH(QString, price);
    const bool found = !description.isEmpty();

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
    QCOMPARE(entry.fields.text3, found ? code : QString());
    // Never a database error: a code that cannot exist is simply not found.
    QCOMPARE(m_fx.messages.texts(), found ? QStringList{} : QStringList{msg::registroNaoLocalizado});
}

void TestSaleEntry::lineAmount_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("shownQuantity");

    QTest::addRow("2,5 x 3,00") << "2,5" << "3" << "R$ 7,50" << "2,5";
    QTest::addRow("half a cent rounds away from zero") << "1,5" << "0,05" << "R$ 0,08" << "1,5";
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
    fill(entry, QString(), quantity, price);
    QCOMPARE(entry.fields.text6, amount);
    QCOMPARE(entry.fields.text2, shownQuantity);
}

void TestSaleEntry::addLine_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("message");

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
    fill(entry, code, quantity, price);
    QVERIFY(!entry.addLine());
    QCOMPARE(m_fx.messages.texts(), QStringList{message});
    QVERIFY(entry.lines().isEmpty());
    QCOMPARE(entry.fields.text7, QStringLiteral("R$ 0,00"));
}

void TestSaleEntry::totalIsSumOfShownAmounts()
{
    SaleEntry entry(m_fx.settings, m_fx.messages);
    for (int i = 0; i < 3; ++i) {
        fill(entry, QStringLiteral("11"), QStringLiteral("0,5"), QStringLiteral("0,25"));
        QCOMPARE(entry.fields.text6, QStringLiteral("R$ 0,13"));
        QVERIFY(entry.addLine());
    }
    // 3 x 0,13 as shown, not 1,5 x 0,25 = 0,375 recomputed.
    QCOMPARE(entry.fields.text7, QStringLiteral("R$ 0,39"));
    QCOMPARE(entry.total(), Money::fromUnits(3900));

    // Ticking "Consumo interno" after the look-up keeps the price but flags the line.
    fill(entry, QStringLiteral("10"), QStringLiteral("1"));
    entry.fields.check1 = true;
    QVERIFY(entry.addLine());
    QCOMPARE(entry.lines().at(3).subtotal, QStringLiteral("R$ 5,00"));
    QCOMPARE(entry.lines().at(3).flag(), QStringLiteral("S"));
}

void TestSaleEntry::removeAndClose()
{
    SaleEntry entry(m_fx.settings, m_fx.messages);
    QVERIFY(!entry.removeLine(0));
    QVERIFY(!entry.removeLine(-1));
    fill(entry, QStringLiteral("10"), QStringLiteral("2"));
    QVERIFY(entry.addLine());
    // Entry fields back to their empty state for the next product.
    QCOMPARE((QStringList{entry.fields.text3, entry.fields.text2, entry.fields.text6}), (QStringList{"", "1", "R$ 0,00"}));
    QVERIFY(!entry.removeLine(1));
    QVERIFY(entry.canClose());
    QVERIFY(m_fx.messages.shown().isEmpty());

    QVERIFY(entry.removeLine(0));
    QVERIFY(entry.lines().isEmpty());
    QCOMPARE(entry.fields.text7, QStringLiteral("R$ 0,00"));
    QVERIFY(!entry.canClose());
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::informeProdutos});
}

// The field left by a click, so its leaving check never ran: adding the line
// still refuses the quantity its column would round.
void TestSaleEntry::fourthDecimalNeverAdded()
{
    SaleEntry entry(m_fx.settings, m_fx.messages);
    fill(entry, QStringLiteral("10"), QStringLiteral("2"));
    entry.fields.text2 = QStringLiteral("2,0001");
    QVERIFY(!entry.addLine());
    QCOMPARE(m_fx.messages.texts(), QStringList{msg::casasDecimais.arg(QStringLiteral("Qtde"))});
    QVERIFY(entry.lines().isEmpty());
}

QTEST_MAIN(TestSaleEntry)
#include "test_sale_entry.moc"
