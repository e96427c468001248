#include "db/money.h"

#include <QTest>

#include <limits>

// Amounts are compared in ten-thousandths (Money::units()).
class TestMoney : public QObject
{
    Q_OBJECT

private slots:
    void parsesDecimalText_data();
    void parsesDecimalText();
    void refusesWhatIsNotAPlainNumber_data();
    void refusesWhatIsNotAPlainNumber();
    void roundsHalfAwayFromZero_data();
    void roundsHalfAwayFromZero();
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void multipliesExactly_data();
    void multipliesExactly();
    void productBeyondRangeIsPinned();
    void writesPlainDecimalText_data();
    void writesPlainDecimalText();
    void takesTheNearestAmountOfADouble_data();
    void takesTheNearestAmountOfADouble();
};

void TestMoney::parsesDecimalText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("units");
    QTest::addRow("decimal point") << "1234.5" << qint64(12345000);
    QTest::addRow("negative cents") << "-0.10" << qint64(-1000);
    QTest::addRow("whole") << "12" << qint64(120000);
    QTest::addRow("plus sign") << "+3.25" << qint64(32500);
    QTest::addRow("no whole part") << ".5" << qint64(5000);
    QTest::addRow("no decimals after point") << "7." << qint64(70000);
    QTest::addRow("blanks around") << "  7.25 " << qint64(72500);
    QTest::addRow("five decimals, half goes up") << "0.00005" << qint64(1);
    QTest::addRow("five decimals, half of a negative goes down") << "-0.00005" << qint64(-1);
    QTest::addRow("five decimals below half") << "0.00004" << qint64(0);
    QTest::addRow("double noise from the driver") << "0.5700000000000001" << qint64(5700);
    QTest::addRow("largest NUMERIC(15,2)") << "9999999999999.99" << qint64(99999999999999900);
}

void TestMoney::parsesDecimalText()
{
    QFETCH(QString, text);
    QFETCH(qint64, units);
    const std::optional<Money> money = Money::fromDecimalText(text);
    QVERIFY(money.has_value());
    QCOMPARE(money->units(), units);
}

void TestMoney::refusesWhatIsNotAPlainNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("empty") << "";
    QTest::addRow("blank") << "   ";
    QTest::addRow("letters") << "abc";
    QTest::addRow("decimal comma") << "1,5";
    QTest::addRow("two points") << "1.2.3";
    QTest::addRow("sign alone") << "-";
    QTest::addRow("point alone") << ".";
    QTest::addRow("trailing letters") << "12abc";
    QTest::addRow("currency symbol") << "R$ 12";
    QTest::addRow("beyond 64 bits") << "99999999999999999999";
    QTest::addRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662");
}

void TestMoney::refusesWhatIsNotAPlainNumber()
{
    QFETCH(QString, text);
    QVERIFY(!Money::fromDecimalText(text).has_value());
}

void TestMoney::roundsHalfAwayFromZero_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<qint64>("expected");
    QTest::addRow("2.345 to cents") << qint64(23450) << 2 << qint64(23500);
    QTest::addRow("-2.345 to cents") << qint64(-23450) << 2 << qint64(-23500);
    QTest::addRow("2.344 to cents") << qint64(23440) << 2 << qint64(23400);
    QTest::addRow("0.005 to cents") << qint64(50) << 2 << qint64(100);
    QTest::addRow("-0.005 to cents") << qint64(-50) << 2 << qint64(-100);
    QTest::addRow("2.5 to whole") << qint64(25000) << 0 << qint64(30000);
    QTest::addRow("-2.5 to whole") << qint64(-25000) << 0 << qint64(-30000);
    QTest::addRow("1.0005 to thousandths") << qint64(10005) << 3 << qint64(10010);
    QTest::addRow("four decimals unchanged") << qint64(12345) << 4 << qint64(12345);
}

void TestMoney::roundsHalfAwayFromZero()
{
    QFETCH(qint64, units);
    QFETCH(int, decimals);
    QFETCH(qint64, expected);
    QCOMPARE(Money::fromUnits(units).rounded(decimals).units(), expected);
}

void TestMoney::roundsHalfToEven_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<qint64>("expected");
    QTest::addRow("2.5 to the even 2") << qint64(25000) << 0 << qint64(20000);
    QTest::addRow("3.5 to the even 4") << qint64(35000) << 0 << qint64(40000);
    QTest::addRow("-2.5 to the even -2") << qint64(-25000) << 0 << qint64(-20000);
    QTest::addRow("-3.5 to the even -4") << qint64(-35000) << 0 << qint64(-40000);
    QTest::addRow("0.125 to 0.12") << qint64(1250) << 2 << qint64(1200);
    QTest::addRow("0.135 to 0.14") << qint64(1350) << 2 << qint64(1400);
    QTest::addRow("above half goes up") << qint64(1251) << 2 << qint64(1300);
    QTest::addRow("below half goes down") << qint64(25999) << 0 << qint64(30000);
}

void TestMoney::roundsHalfToEven()
{
    QFETCH(qint64, units);
    QFETCH(int, decimals);
    QFETCH(qint64, expected);
    QCOMPARE(Money::fromUnits(units).roundedHalfEven(decimals).units(), expected);
}

void TestMoney::multipliesExactly_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("product");
    QTest::addRow("quantity 2.5 by 3.00") << "2.5" << "3.00" << "7.5";
    QTest::addRow("thirds stay exact") << "0.333" << "3" << "0.999";
    QTest::addRow("fifth decimal rounds up") << "1.2345" << "1.0001" << "1.2346";
    QTest::addRow("negative half rounds away") << "-1.5" << "0.3333" << "-0.5";
    QTest::addRow("large but in range") << "99999" << "99999999.99" << "9999899999000.01";
    QTest::addRow("ten cents times three") << "0.1" << "3" << "0.3";
}

void TestMoney::multipliesExactly()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, product);
    const Money a = *Money::fromDecimalText(left);
    const Money b = *Money::fromDecimalText(right);
    QCOMPARE(a.times(b), *Money::fromDecimalText(product));
    QCOMPARE(b.times(a), *Money::fromDecimalText(product));
}

// Pinned at the limit rather than wrapped into a small or negative amount,
// so the range check of any column refuses it.
void TestMoney::productBeyondRangeIsPinned()
{
    const Money big = Money::fromWhole(1000000000);
    QCOMPARE(big.times(big).units(), std::numeric_limits<qint64>::max());
    QCOMPARE(big.times(-big).units(), std::numeric_limits<qint64>::min());
}

void TestMoney::writesPlainDecimalText_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("text");
    QTest::addRow("trailing zeros dropped") << qint64(12345000) << "1234.5";
    QTest::addRow("zero") << qint64(0) << "0";
    QTest::addRow("negative below one") << qint64(-1000) << "-0.1";
    QTest::addRow("smallest step") << qint64(1) << "0.0001";
    QTest::addRow("whole") << qint64(70000) << "7";
    QTest::addRow("most negative") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
}

void TestMoney::writesPlainDecimalText()
{
    QFETCH(qint64, units);
    QFETCH(QString, text);
    QCOMPARE(Money::fromUnits(units).toDecimalText(), text);
    if (units != std::numeric_limits<qint64>::min())
        QCOMPARE(Money::fromDecimalText(text)->units(), units);
}

void TestMoney::takesTheNearestAmountOfADouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("units");
    QTest::addRow("0.1 + 0.2") << 0.1 + 0.2 << qint64(3000);
    QTest::addRow("1.005 is not 1.0049") << 1.005 << qint64(10050);
    QTest::addRow("negative") << -12.34 << qint64(-123400);
    QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN() << qint64(0);
    QTest::addRow("far beyond range pinned") << 1e300 << std::numeric_limits<qint64>::max();
    QTest::addRow("far below range pinned") << -1e300 << std::numeric_limits<qint64>::min();
}

void TestMoney::takesTheNearestAmountOfADouble()
{
    QFETCH(double, value);
    QFETCH(qint64, units);
    QCOMPARE(Money::fromDouble(value).units(), units);
}

QTEST_GUILESS_MAIN(TestMoney)
#include "test_money.moc"
