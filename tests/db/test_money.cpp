#include "db/money.h"

#include <QTest>

#include <limits>

// Amounts are compared in ten-thousandths (Money::units()).
class TestMoney : public QObject
{
    Q_OBJECT

private slots:
    // Read from Firebird's plain decimal text and written back as the
    // shortest such text (lists write every amount they fetch this way);
    // `units` is empty for a text that is no plain number.
    void decimalText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("units");
        QTest::addColumn<QString>("written");
        const auto row = [](const char* name, const QString& text, qint64 units, const char* written) {
            QTest::addRow("%s", name) << text << QVariant(units) << QString::fromLatin1(written);
        };
        row("trailing zero dropped", QStringLiteral("1234.50"), 12345000, "1234.5");
        row("negative below one", QStringLiteral("-0.10"), -1000, "-0.1");
        row("zero inside the decimals", QStringLiteral("-5.05"), -50500, "-5.05");
        row("plus sign, blanks around", QStringLiteral(" +3.25 "), 32500, "3.25");
        row("whole", QStringLiteral("100000"), 1000000000, "100000");
        row("smallest step", QStringLiteral("0.0001"), 1, "0.0001");
        row("fifth decimal, half of a negative", QStringLiteral("-0.00005"), -1, "-0.0001");
        row("fifth decimal below half", QStringLiteral("0.00004"), 0, "0");
        row("double noise from the driver", QStringLiteral("0.5700000000000001"), 5700, "0.57");
        row("largest", QStringLiteral("922337203685477.5807"), std::numeric_limits<qint64>::max(), "922337203685477.5807");
        row("most negative", QStringLiteral("-922337203685477.5808"), std::numeric_limits<qint64>::min(), "-922337203685477.5808");
        for (const QString& text : {QStringLiteral(""), QStringLiteral("1,5"), QStringLiteral("1.2.3"), 
                                    QStringLiteral("12abc"), QStringLiteral("99999999999999999999"), QStringLiteral("\u0661\u0662")})
            QTest::addRow("refused: '%s'", qPrintable(text)) << text << QVariant() << QString();
    }
    void decimalText()
    {
        QFETCH(QString, text);
        QFETCH(QVariant, units);
        QFETCH(QString, written);
        const std::optional<Money> money = Money::fromDecimalText(text);
        QCOMPARE(money.has_value(), units.isValid());
        if (money) {
            QCOMPARE(money->units(), units.toLongLong());
            QCOMPARE(money->toDecimalText(), written);
        }
    }

    // Quantity by price kept at four decimals, half away from zero; beyond
    // range pinned, not wrapped, so the range check of any column refuses it.
    void multipliesExactly_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("product");
        QTest::addRow("quantity 2.5 by 3.00") << "2.5" << "3.00" << "7.5";
        QTest::addRow("fifth decimal rounds up") << "1.2345" << "1.0001" << "1.2346";
        QTest::addRow("negative half rounds away") << "-1.5" << "0.3333" << "-0.5";
        QTest::addRow("large but in range") << "99999" << "99999999.99" << "9999899999000.01";
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
};

QTEST_GUILESS_MAIN(TestMoney)
#include "test_money.moc"
