#include "common/br_format.h"

#include <QLocale>
#include <QTest>

class TestBrFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Whatever the machine says, the formats must not follow it.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void money_data()
    {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("expected");
        QTest::addRow("zero") << qint64(0) << QStringLiteral("R$ 0,00");
        QTest::addRow("cents") << qint64(500) << QStringLiteral("R$ 0,05");
        QTest::addRow("thousands grouped") << qint64(12345000) << QStringLiteral("R$ 1.234,50");
        QTest::addRow("millions grouped") << qint64(12345678900) << QStringLiteral("R$ 1.234.567,89");
        QTest::addRow("exactly one thousand") << qint64(10000000) << QStringLiteral("R$ 1.000,00");
        QTest::addRow("below a thousand not grouped") << qint64(9999900) << QStringLiteral("R$ 999,99");
        QTest::addRow("negative sign before symbol") << qint64(-10000) << QStringLiteral("-R$ 1,00");
        QTest::addRow("half cent rounds up") << qint64(1250050) << QStringLiteral("R$ 125,01");
        QTest::addRow("just under half cent rounds down") << qint64(1250049) << QStringLiteral("R$ 125,00");
        QTest::addRow("negative half cent away from zero") << qint64(-50) << QStringLiteral("-R$ 0,01");
        QTest::addRow("negative rounding to zero has no sign") << qint64(-49) << QStringLiteral("R$ 0,00");
    }
    void money()
    {
        QFETCH(qint64, units);
        QFETCH(QString, expected);
        const QString shown = br::money(Money::fromUnits(units));
        QCOMPARE(shown, expected);
        QVERIFY(!shown.contains(QChar(0x00A0)));
    }

    void number_data()
    {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::addRow("two decimals") << qint64(50000) << 2 << QStringLiteral("5,00");
        QTest::addRow("grouped") << qint64(12345000) << 2 << QStringLiteral("1.234,50");
        QTest::addRow("no decimals: no comma") << qint64(20000) << 0 << QStringLiteral("2");
        QTest::addRow("no decimals rounds half away") << qint64(25000) << 0 << QStringLiteral("3");
        QTest::addRow("no decimals grouped") << qint64(12345670000) << 0 << QStringLiteral("1.234.567");
        QTest::addRow("three decimals") << qint64(25000) << 3 << QStringLiteral("2,500");
        QTest::addRow("negative") << qint64(-12345000) << 2 << QStringLiteral("-1.234,50");
        QTest::addRow("negative half away") << qint64(-25000) << 0 << QStringLiteral("-3");
    }
    void number()
    {
        QFETCH(qint64, units);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(br::number(Money::fromUnits(units), decimals), expected);
    }

    void parseMoney_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("reads");
        QTest::addColumn<qint64>("units");
        QTest::addRow("plain whole") << QStringLiteral("10") << true << qint64(100000);
        QTest::addRow("decimal comma") << QStringLiteral("12,5") << true << qint64(125000);
        QTest::addRow("grouped") << QStringLiteral("1.234,50") << true << qint64(12345000);
        QTest::addRow("money format") << QStringLiteral("R$ 1.234,50") << true << qint64(12345000);
        QTest::addRow("no-break space after R$") << QStringLiteral("R$\u00A01.234,50") << true << qint64(12345000);
        QTest::addRow("no blank after R$") << QStringLiteral("R$7") << true << qint64(70000);
        QTest::addRow("blanks around") << QStringLiteral("  7 ") << true << qint64(70000);
        QTest::addRow("negative") << QStringLiteral("-3") << true << qint64(-30000);
        QTest::addRow("negative money format") << QStringLiteral("-R$ 1,00") << true << qint64(-10000);
        QTest::addRow("sign after symbol") << QStringLiteral("R$ -1,00") << true << qint64(-10000);
        QTest::addRow("comma first") << QStringLiteral(",5") << true << qint64(5000);
        QTest::addRow("trailing comma") << QStringLiteral("5,") << true << qint64(50000);
        QTest::addRow("four decimals kept") << QStringLiteral("0,1234") << true << qint64(1234);
        QTest::addRow("fifth decimal rounds half away") << QStringLiteral("0,00005") << true << qint64(1);
        QTest::addRow("leading zeros") << QStringLiteral("0007,50") << true << qint64(75000);
        QTest::addRow("empty") << QString() << false << qint64(0);
        QTest::addRow("blank") << QStringLiteral(" ") << false << qint64(0);
        QTest::addRow("lone comma") << QStringLiteral(",") << false << qint64(0);
        QTest::addRow("symbol alone") << QStringLiteral("R$") << false << qint64(0);
        QTest::addRow("letters") << QStringLiteral("abc") << false << qint64(0);
        QTest::addRow("two commas") << QStringLiteral("1,2,3") << false << qint64(0);
        QTest::addRow("point as decimal is not guessed") << QStringLiteral("1.5") << false << qint64(0);
        QTest::addRow("grouping after comma") << QStringLiteral("1,234.5") << false << qint64(0);
        QTest::addRow("blank inside") << QStringLiteral("1 234") << false << qint64(0);
        QTest::addRow("too many figures") << QStringLiteral("123456789012345") << false << qint64(0);
    }
    void parseMoney()
    {
        QFETCH(QString, text);
        QFETCH(bool, reads);
        QFETCH(qint64, units);
        const std::optional<Money> value = br::parseMoney(text);
        QCOMPARE(value.has_value(), reads);
        if (reads)
            QCOMPARE(value->units(), units);
    }

    void parseDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");
        QTest::addRow("dd/mm/yyyy") << QStringLiteral("12/03/2026") << QDate(2026, 3, 12);
        QTest::addRow("single figures") << QStringLiteral("1/2/2026") << QDate(2026, 2, 1);
        QTest::addRow("two-digit year, this century") << QStringLiteral("04/12/26") << QDate(2026, 12, 4);
        QTest::addRow("two-digit year, last century") << QStringLiteral("04/12/95") << QDate(1995, 12, 4);
        QTest::addRow("blanks around") << QStringLiteral(" 04/12/2026 ") << QDate(2026, 12, 4);
        QTest::addRow("time after the date") << QStringLiteral("04/12/2026 18:32:10") << QDate(2026, 12, 4);
        QTest::addRow("leap day") << QStringLiteral("29/02/2024") << QDate(2024, 2, 29);
        QTest::addRow("no leap day") << QStringLiteral("29/02/2026") << QDate();
        QTest::addRow("month 13") << QStringLiteral("01/13/2026") << QDate();
        QTest::addRow("month first is not read") << QStringLiteral("12/31/2026") << QDate();
        QTest::addRow("no year") << QStringLiteral("12/03") << QDate();
        QTest::addRow("digits only") << QStringLiteral("12032026") << QDate();
        QTest::addRow("iso") << QStringLiteral("2026-03-12") << QDate();
        QTest::addRow("empty") << QString() << QDate();
        QTest::addRow("letters") << QStringLiteral("ab/cd/efgh") << QDate();
    }
    void parseDate()
    {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        QCOMPARE(br::parseDate(text), expected);
    }

    void times_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("expected");
        QTest::addRow("hh:mm") << QStringLiteral("18:00") << QTime(18, 0);
        QTest::addRow("hh:mm:ss") << QStringLiteral("06:30:15") << QTime(6, 30, 15);
        QTest::addRow("one-figure hour") << QStringLiteral("6:05") << QTime(6, 5);
        QTest::addRow("hour 24") << QStringLiteral("24:00") << QTime();
        QTest::addRow("minute 60") << QStringLiteral("10:60") << QTime();
        QTest::addRow("empty") << QString() << QTime();
    }
    void times()
    {
        QFETCH(QString, text);
        QFETCH(QTime, expected);
        QCOMPARE(br::parseTime(text), expected);
        if (expected.isValid())
            QCOMPARE(br::time(expected), expected.toString(QStringLiteral("HH:mm")));
    }

    void generalDate_data()
    {
        QTest::addColumn<QDateTime>("value");
        QTest::addColumn<QString>("expected");
        QTest::addRow("with time") << QDateTime(QDate(2026, 12, 4), QTime(18, 32, 10))
                                   << QStringLiteral("04/12/2026 18:32:10");
        QTest::addRow("early morning padded") << QDateTime(QDate(2026, 12, 5), QTime(1, 30))
                                              << QStringLiteral("05/12/2026 01:30:00");
        QTest::addRow("one second past midnight") << QDateTime(QDate(2026, 12, 5), QTime(0, 0, 1))
                                                  << QStringLiteral("05/12/2026 00:00:01");
        QTest::addRow("midnight: date alone") << QDateTime(QDate(2026, 12, 5), QTime(0, 0))
                                              << QStringLiteral("05/12/2026");
        QTest::addRow("invalid") << QDateTime() << QString();
    }
    void generalDate()
    {
        QFETCH(QDateTime, value);
        QFETCH(QString, expected);
        QCOMPARE(br::generalDate(value), expected);
    }

    void weekdayName_data()
    {
        QTest::addColumn<QDate>("value");
        QTest::addColumn<QString>("expected");
        // 29/11/2026 is a Sunday.
        const QStringList names = {
            QStringLiteral("domingo"), QStringLiteral("segunda-feira"), QStringLiteral("terça-feira"),
            QStringLiteral("quarta-feira"), QStringLiteral("quinta-feira"), QStringLiteral("sexta-feira"),
            QStringLiteral("sábado"),
        };
        for (int i = 0; i < names.size(); ++i)
            QTest::addRow("%s", qPrintable(names.at(i))) << QDate(2026, 11, 29).addDays(i) << names.at(i);
    }
    void weekdayName()
    {
        QFETCH(QDate, value);
        QFETCH(QString, expected);
        QCOMPARE(br::weekdayName(value), expected);
    }

    void data_sql_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("empty stays empty") << QString() << QString();
        QTest::addRow("date") << QStringLiteral("04/12/2026") << QStringLiteral("2026-12-04");
        QTest::addRow("short figures") << QStringLiteral("4/2/2026") << QStringLiteral("2026-02-04");
        QTest::addRow("not a date") << QStringLiteral("32/12/2026") << QString();
        QTest::addRow("blank") << QStringLiteral(" ") << QString();
    }
    void data_sql()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(br::data_sql(text), expected);
    }

    void valor_sql_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("money format") << QStringLiteral("R$ 1.234,50") << QStringLiteral("1234.5");
        QTest::addRow("half") << QStringLiteral("0,5") << QStringLiteral("0.5");
        QTest::addRow("whole") << QStringLiteral("10") << QStringLiteral("10");
        QTest::addRow("cents") << QStringLiteral("R$ 0,05") << QStringLiteral("0.05");
        QTest::addRow("quantity") << QStringLiteral("2,125") << QStringLiteral("2.125");
        QTest::addRow("negative") << QStringLiteral("-R$ 7,50") << QStringLiteral("-7.5");
        QTest::addRow("no-break space") << QStringLiteral("R$\u00A012,00") << QStringLiteral("12");
        QTest::addRow("not money") << QStringLiteral("abc") << QString();
        QTest::addRow("empty") << QString() << QString();
    }
    void valor_sql()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(br::valor_sql(text), expected);
        QVERIFY(!br::valor_sql(text).contains(QLatin1Char(',')));
    }
};

QTEST_GUILESS_MAIN(TestBrFormat)
#include "test_br_format.moc"
