#include "common/br_format.h"
#include "common/field_kind.h"
#include "common/text_utils.h"
#include "common/ticket_writer.h"

#include <QLocale>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(FieldKind)
Q_DECLARE_METATYPE(FieldText)

// Brazilian formats, ticket texts and the field kinds typed and left.
class TestFormats : public QObject
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
        QTest::addRow("money: rounded to zero, no sign") << qint64(-49) << -1 << u"R$ 0,00"_s;
        QTest::addRow("grouped") << qint64(-12345000) << 2 << u"-1.234,50"_s;
        QTest::addRow("no decimals: half away") << qint64(-25000) << 0 << u"-3"_s;
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
        QTest::addRow("no-break space after R$") << u"R$\u00A01.234,50"_s << u"1234.5"_s;
        QTest::addRow("no blank after R$, blanks around") << u" R$7 "_s << u"7"_s;
        QTest::addRow("negative money format") << u"-R$ 1,00"_s << u"-1"_s;
        QTest::addRow("quantity places") << u"2,125"_s << u"2.125"_s;
        QTest::addRow("fifth place rounds half away") << u"0,00005"_s << u"0.0001"_s;
        QTest::addRow("empty") << QString() << QString();
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
        QTest::addRow("two-digit year, last century") << u"04/12/95"_s << u"1995-12-04"_s;
        QTest::addRow("blanks and a time around") << u" 04/12/2026 18:32:10"_s << u"2026-12-04"_s;
        QTest::addRow("leap day") << u"29/02/2024"_s << u"2024-02-29"_s;
        QTest::addRow("no leap day") << u"29/02/2026"_s << QString();
        QTest::addRow("month first is not read") << u"12/31/2026"_s << QString();
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

    // Ticket texts: accents out, centred in 40 (half of an odd remainder rounds to even), proper case.
    void texts_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString b14(14, u' ');
        QTest::addRow("accents upper and lower") << u"acentos"_s << u"ÁÀÃÂÄ ÉÈÊË ÍÌÎÏ ÓÒÕÔÖ ÚÙÛÜ Ç áàãâä éèêë íìîï óòõôö úùûü ç"_s
                                                 << u"AAAAA EEEE IIII OOOOO UUUU C aaaaa eeee iiii ooooo uuuu c"_s;
        QTest::addRow("accents outside the table") << u"acentos"_s << u"Ñ ñ Ý ý ß"_s << u"Ñ ñ Ý ý ß"_s;
        QTest::addRow("centre 14.5 to 14") << u"centre"_s << u"BAR ESTRELA"_s << b14 + u"BAR ESTRELA"_s + b14;
        QTest::addRow("centre 13.5 to 14") << u"centre"_s << u"ABCDEFGHIJKLM"_s << b14 + u"ABCDEFGHIJKLM"_s + b14;
        QTest::addRow("centre 0.5 to 0") << u"centre"_s << QString(39, u'x') << QString(39, u'x');
        QTest::addRow("centre cut to width") << u"centre"_s << QString(45, u'x') << QString(40, u'x');
        QTest::addRow("proper: accents") << u"proper"_s << u"ÁGUA DE CÔCO"_s << u"Água De Côco"_s;
        QTest::addRow("proper: hyphen, apostrophe") << u"proper"_s << u"coca-cola d'água"_s << u"Coca-cola D'água"_s;
        QTest::addRow("proper: blanks kept, figures first") << u"proper"_s << u"  2   LITROS "_s << u"  2   Litros "_s;
        // Their other case is not Latin-1: printed, it would come out as "?".
        QTest::addRow("proper: µ ÿ ß keep their form") << u"proper"_s << u"µG ÿOGA STRAßE ÀS"_s << u"µg ÿoga Straße Às"_s;
        QTest::addRow("ticket: capitals inside Latin-1") << u"ticket"_s << u"Straße µg ÿ Cartão"_s << u"STRASSE µG ÿ CARTAO"_s;
    }
    void texts()
    {
        QFETCH(QString, op);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QString done = op == u"acentos"_s ? ::remove_acentos(text)
            : op == u"centre"_s                 ? ::centraliza(text, 40)
            : op == u"ticket"_s                 ? ::ticketText(text)
                                                : ::properCase(text);
        QCOMPARE(done, expected);
    }

    // A key into a field with its text, caret and selection.
    void keystroke_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<FieldText>("field");   // {text, cursor, selection start, selection length}
        QTest::addColumn<QChar>("key");
        QTest::addColumn<FieldText>("after");   // {text, cursor}, or as it was when refused
        QTest::addRow("date slash, caret to end") << FieldKind::Date << FieldText{u"12"_s, 0} << QChar(u'3') << FieldText{u"12/3"_s, 4};
        QTest::addRow("date digit mid-text") << FieldKind::Date << FieldText{u"1/03/2026"_s, 1} << QChar(u'2') << FieldText{u"12/03/2026"_s, 2};
        QTest::addRow("date selection replaced") << FieldKind::Date << FieldText{u"12/03/2026"_s, 10, 0, 10} << QChar(u'0') << FieldText{u"0"_s, 1};
        QTest::addRow("date letter refused") << FieldKind::Date << FieldText{u"12"_s, 2} << QChar(u'x') << FieldText();
        QTest::addRow("money comma at caret") << FieldKind::Money << FieldText{u"125"_s, 2} << QChar(u',') << FieldText{u"12,5"_s, 3};
        QTest::addRow("money selection replaced") << FieldKind::Money << FieldText{u"R$ 0,00"_s, 7, 0, 7} << QChar(u'5') << FieldText{u"5"_s, 1};
        QTest::addRow("whole: other scripts' digits refused") << FieldKind::Whole << FieldText{u"1"_s, 1} << QChar(0x0663) << FieldText();
    }
    void keystroke()
    {
        QFETCH(FieldKind, kind);
        QFETCH(FieldText, field);
        QFETCH(QChar, key);
        QFETCH(FieldText, after);
        const TypedKey result = filtra_tecla(kind, field, key);
        QCOMPARE(result.accepted, !after.text.isNull());
        QCOMPARE(result.text, after.text.isNull() ? field.text : after.text);
        QCOMPARE(result.cursor, after.text.isNull() ? field.cursor : after.cursor);
    }

    void leaving_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("date padded") << FieldKind::Date << u"1/3/2026"_s << u"01/03/2026"_s;
        QTest::addRow("date half typed emptied") << FieldKind::Date << u"12/03"_s << QString();
        QTest::addRow("date impossible emptied") << FieldKind::Date << u"31/02/2026"_s << QString();
        QTest::addRow("money grouped") << FieldKind::Money << u"1234,5"_s << u"R$ 1.234,50"_s;
        QTest::addRow("money rounded to cents") << FieldKind::Money << u"0,125"_s << u"R$ 0,13"_s;
        QTest::addRow("money lone comma emptied") << FieldKind::Money << u","_s << QString();
        QTest::addRow("whole: a quantity with comma kept") << FieldKind::Whole << u"2,5"_s << u"2,5"_s;
        QTest::addRow("whole: letters emptied") << FieldKind::Whole << u"x1"_s << QString();
        QTest::addRow("none untouched") << FieldKind::None << u" abc "_s << u" abc "_s;
    }
    void leaving()
    {
        QFETCH(FieldKind, kind);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QString once = formata_campo(kind, text);
        QCOMPARE(once, expected);
        QCOMPARE(formata_campo(kind, once), once);   // leaving twice changes nothing more
    }
};

QTEST_GUILESS_MAIN(TestFormats)
#include "test_formats.moc"
