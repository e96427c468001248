#include "db/money.h"

#include <QTest>

#include <limits>

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

// Amounts are compared in ten-thousandths (Money::units()).
class TestMoney : public QObject
{
    Q_OBJECT

private slots:
    // `units` is empty for a text that is no plain number.
    void readsDecimalText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("units");
        const QVariant refused;
        QTest::addRow("decimal point") << "1234.5" << QVariant(12345000LL);
        QTest::addRow("negative cents") << "-0.10" << QVariant(-1000LL);
        QTest::addRow("plus sign, blanks around") << " +3.25 " << QVariant(32500LL);
        QTest::addRow("fifth decimal, half of a negative") << "-0.00005" << QVariant(-1LL);
        QTest::addRow("fifth decimal below half") << "0.00004" << QVariant(0LL);
        QTest::addRow("double noise from the driver") << "0.5700000000000001" << QVariant(5700LL);
        QTest::addRow("empty") << "" << refused;
        QTest::addRow("decimal comma") << "1,5" << refused;
        QTest::addRow("two points") << "1.2.3" << refused;
        QTest::addRow("point alone") << "." << refused;
        QTest::addRow("trailing letters") << "12abc" << refused;
        QTest::addRow("beyond 64 bits") << "99999999999999999999" << refused;
        QTest::addRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << refused;
    }
    void readsDecimalText()
    {
        QFETCH(QString, text);
        QFETCH(QVariant, units);
        const std::optional<Money> money = Money::fromDecimalText(text);
        QCOMPARE(money.has_value(), units.isValid());
        if (money)
            QCOMPARE(money->units(), units.toLongLong());
    }

    // Lists turn every amount they fetch into this text, so it is written by
    // hand; reading it back gives the same amount.
    void writesDecimalText_data()
    {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("text");
        QTest::addRow("trailing zeros dropped") << qint64(12345000) << "1234.5";
        QTest::addRow("zero") << qint64(0) << "0";
        QTest::addRow("whole") << qint64(1000000000) << "100000";
        QTest::addRow("negative below one") << qint64(-1000) << "-0.1";
        QTest::addRow("zero inside the decimals") << qint64(-50500) << "-5.05";
        QTest::addRow("smallest step") << qint64(1) << "0.0001";
        QTest::addRow("three decimals") << qint64(1230) << "0.123";
        QTest::addRow("largest") << kMax << "922337203685477.5807";
        QTest::addRow("most negative") << kMin << "-922337203685477.5808";
    }
    void writesDecimalText()
    {
        QFETCH(qint64, units);
        QFETCH(QString, text);
        QCOMPARE(Money::fromUnits(units).toDecimalText(), text);
        QCOMPARE(Money::fromDecimalText(text)->units(), units);
    }

    void rounds_data()
    {
        QTest::addColumn<bool>("halfEven");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<qint64>("expected");
        QTest::addRow("2.345 to cents") << false << qint64(23450) << 2 << qint64(23500);
        QTest::addRow("-2.345 to cents") << false << qint64(-23450) << 2 << qint64(-23500);
        QTest::addRow("-2.5 to whole") << false << qint64(-25000) << 0 << qint64(-30000);
        QTest::addRow("1.0005 to thousandths") << false << qint64(10005) << 3 << qint64(10010);
        QTest::addRow("even: 2.5 to 2") << true << qint64(25000) << 0 << qint64(20000);
        QTest::addRow("even: -2.5 to -2") << true << qint64(-25000) << 0 << qint64(-20000);
        QTest::addRow("even: 0.125 to 0.12") << true << qint64(1250) << 2 << qint64(1200);
        QTest::addRow("even: above half goes up") << true << qint64(1251) << 2 << qint64(1300);
    }
    void rounds()
    {
        QFETCH(bool, halfEven);
        QFETCH(qint64, units);
        QFETCH(int, decimals);
        QFETCH(qint64, expected);
        const Money m = Money::fromUnits(units);
        QCOMPARE((halfEven ? m.roundedHalfEven(decimals) : m.rounded(decimals)).units(), expected);
    }

    void multipliesExactly_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("product");
        QTest::addRow("quantity 2.5 by 3.00") << "2.5" << "3.00" << "7.5";
        QTest::addRow("fifth decimal rounds up") << "1.2345" << "1.0001" << "1.2346";
        QTest::addRow("negative half rounds away") << "-1.5" << "0.3333" << "-0.5";
        QTest::addRow("large but in range") << "99999" << "99999999.99" << "9999899999000.01";
        // Pinned, not wrapped, so the range check of any column refuses it.
        QTest::addRow("beyond range pinned") << "1000000000" << "1000000000" << "922337203685477.5807";
        QTest::addRow("beyond range below pinned") << "1000000000" << "-1000000000" << "-922337203685477.5808";
    }
    void multipliesExactly()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(QString, product);
        const Money a = *Money::fromDecimalText(left);
        const Money b = *Money::fromDecimalText(right);
        QCOMPARE(a.times(b), *Money::fromDecimalText(product));
        QCOMPARE(b.times(a), *Money::fromDecimalText(product));
    }

    void takesTheNearestAmountOfADouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("units");
        QTest::addRow("0.1 + 0.2") << 0.1 + 0.2 << qint64(3000);
        QTest::addRow("1.005 is not 1.0049") << 1.005 << qint64(10050);
        QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN() << qint64(0);
        QTest::addRow("far beyond range pinned") << 1e300 << kMax;
        QTest::addRow("far below range pinned") << -1e300 << kMin;
    }
    void takesTheNearestAmountOfADouble()
    {
        QFETCH(double, value);
        QFETCH(qint64, units);
        QCOMPARE(Money::fromDouble(value).units(), units);
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "test_money.moc"
