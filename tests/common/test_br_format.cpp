#include "common/br_format.h"

#include <QLocale>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestBrFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Whatever the machine says, the formats must not follow it.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // Money units are ten-thousandths; `decimals` -1 is the money format.
    void number_data()
    {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::addRow("money: cents") << qint64(500) << -1 << u"R$ 0,05"_s;
        QTest::addRow("money: millions grouped") << qint64(12345678900) << -1 << u"R$ 1.234.567,89"_s;
        QTest::addRow("money: sign before symbol") << qint64(-10000) << -1 << u"-R$ 1,00"_s;
        QTest::addRow("money: half cent rounds up") << qint64(1250050) << -1 << u"R$ 125,01"_s;
        QTest::addRow("money: negative half away") << qint64(-50) << -1 << u"-R$ 0,01"_s;
        QTest::addRow("money: rounded to zero, no sign") << qint64(-49) << -1 << u"R$ 0,00"_s;
        QTest::addRow("grouped") << qint64(-12345000) << 2 << u"-1.234,50"_s;
        QTest::addRow("no decimals: half away") << qint64(-25000) << 0 << u"-3"_s;
        QTest::addRow("no decimals grouped") << qint64(12345670000) << 0 << u"1.234.567"_s;
        QTest::addRow("three decimals") << qint64(25000) << 3 << u"2,500"_s;
    }
    void number()
    {
        QFETCH(qint64, units);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        const Money value = Money::fromUnits(units);
        QCOMPARE(decimals < 0 ? br::money(value) : br::number(value, decimals), expected);
    }

    // Read back into a number for the database: valor_sql's text with a point.
    void parseMoney_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sql");
        QTest::addRow("decimal comma") << u"12,5"_s << u"12.5"_s;
        QTest::addRow("money format") << u"R$ 1.234,50"_s << u"1234.5"_s;
        QTest::addRow("no-break space after R$") << u"R$\u00A01.234,50"_s << u"1234.5"_s;
        QTest::addRow("no blank after R$, blanks around") << u" R$7 "_s << u"7"_s;
        QTest::addRow("negative money format") << u"-R$ 1,00"_s << u"-1"_s;
        QTest::addRow("sign after symbol") << u"R$ -1,00"_s << u"-1"_s;
        QTest::addRow("comma first") << u",5"_s << u"0.5"_s;
        QTest::addRow("quantity places") << u"2,125"_s << u"2.125"_s;
        QTest::addRow("fifth place rounds half away") << u"0,00005"_s << u"0.0001"_s;
        QTest::addRow("empty") << QString() << QString();
        QTest::addRow("lone comma") << u","_s << QString();
        QTest::addRow("two commas") << u"1,2,3"_s << QString();
        QTest::addRow("point as decimal is not guessed") << u"1.5"_s << QString();
        QTest::addRow("grouping after comma") << u"1,234.5"_s << QString();
        QTest::addRow("too many figures") << u"123456789012345"_s << QString();
    }
    void parseMoney()
    {
        QFETCH(QString, text);
        QFETCH(QString, sql);
        QCOMPARE(br::parseMoney(text).has_value(), !sql.isEmpty());
        QCOMPARE(br::valor_sql(text), sql);
    }

    // data_sql gives the ISO date, or nothing for what is not a date.
    void parseDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("iso");
        QTest::addRow("single figures") << u"1/2/2026"_s << u"2026-02-01"_s;
        QTest::addRow("two-digit year, last century") << u"04/12/95"_s << u"1995-12-04"_s;
        QTest::addRow("blanks and a time around") << u" 04/12/2026 18:32:10"_s << u"2026-12-04"_s;
        QTest::addRow("leap day") << u"29/02/2024"_s << u"2024-02-29"_s;
        QTest::addRow("no leap day") << u"29/02/2026"_s << QString();
        QTest::addRow("month first is not read") << u"12/31/2026"_s << QString();
        QTest::addRow("no year") << u"12/03"_s << QString();
        QTest::addRow("digits only") << u"12032026"_s << QString();
        QTest::addRow("empty") << QString() << QString();
    }
    void parseDate()
    {
        QFETCH(QString, text);
        QFETCH(QString, iso);
        QCOMPARE(br::parseDate(text), QDate::fromString(iso, Qt::ISODate));
        QCOMPARE(br::data_sql(text), iso);
    }

    void times_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("expected");
        QTest::addRow("hh:mm:ss") << u"06:30:15"_s << QTime(6, 30, 15);
        QTest::addRow("one-figure hour") << u"6:05"_s << QTime(6, 5);
        QTest::addRow("hour 24") << u"24:00"_s << QTime();
    }
    void times()
    {
        QFETCH(QString, text);
        QFETCH(QTime, expected);
        QCOMPARE(br::parseTime(text), expected);
        if (expected.isValid())
            QCOMPARE(br::time(expected), expected.toString(u"HH:mm"_s));
    }

    void generalDate_data()
    {
        QTest::addColumn<QDateTime>("value");
        QTest::addColumn<QString>("expected");
        QTest::addRow("early morning padded") << QDateTime(QDate(2026, 12, 5), QTime(1, 30)) << u"05/12/2026 01:30:00"_s;
        QTest::addRow("midnight: date alone") << QDateTime(QDate(2026, 12, 5), QTime(0, 0)) << u"05/12/2026"_s;
        QTest::addRow("invalid") << QDateTime() << QString();
    }
    void generalDate()
    {
        QFETCH(QDateTime, value);
        QFETCH(QString, expected);
        QCOMPARE(br::generalDate(value), expected);
    }

    void weekdayNames()
    {
        QStringList names;
        for (int i = 0; i < 7; ++i)
            names << br::weekdayName(QDate(2026, 11, 29).addDays(i));   // a Sunday first
        QCOMPARE(names, (QStringList{u"domingo"_s, u"segunda-feira"_s, u"terça-feira"_s, u"quarta-feira"_s,
                                     u"quinta-feira"_s, u"sexta-feira"_s, u"sábado"_s}));
    }
};

QTEST_GUILESS_MAIN(TestBrFormat)
#include "test_br_format.moc"
