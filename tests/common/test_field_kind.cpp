#include "common/field_kind.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(FieldKind)
Q_DECLARE_METATYPE(FieldText)

class TestFieldKind : public QObject
{
    Q_OBJECT

private slots:
    // Keys typed one by one into an empty field with the caret at the end.
    void typing_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::addRow("date: slashes put in, letters ignored") << FieldKind::Date << u"1a2b0c32026"_s << u"12/03/2026"_s;
        QTest::addRow("date: typed slash and comma ignored") << FieldKind::Date << u"12/0,3"_s << u"12/03"_s;
        QTest::addRow("money: letters, point, minus ignored") << FieldKind::Money << u"1a.2-3,5"_s << u"123,5"_s;
        QTest::addRow("whole: digits only, ASCII only") << FieldKind::Whole << u"4,2x7\u0663"_s << u"427"_s;
        QTest::addRow("none: anything") << FieldKind::None << u"a'b,1"_s << u"a'b,1"_s;
    }
    void typing()
    {
        QFETCH(FieldKind, kind);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        FieldText field;
        for (QChar key : keys) {
            const TypedKey result = filtra_tecla(kind, field, key);
            if (result.accepted)
                field = FieldText{result.text, result.cursor};
        }
        QCOMPARE(field.text, expected);
    }

    // A key into a field with text, caret and selection: {text, cursor, selection start, length}.
    void keystroke_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<FieldText>("field");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursorAfter");
        QTest::addRow("backspace passes") << FieldKind::Date << FieldText{u"12/0"_s, 4, -1, 0} << QChar(8) << true << u"12/0"_s << 4;
        QTest::addRow("date slash, caret to end") << FieldKind::Date << FieldText{u"12"_s, 0, -1, 0} << QChar(u'3') << true << u"12/3"_s << 4;
        QTest::addRow("date digit mid-text") << FieldKind::Date << FieldText{u"1/03/2026"_s, 1, -1, 0} << QChar(u'2') << true << u"12/03/2026"_s << 2;
        QTest::addRow("date selection replaced") << FieldKind::Date << FieldText{u"12/03/2026"_s, 10, 0, 10} << QChar(u'0') << true << u"0"_s << 1;
        QTest::addRow("date selection leaving two figures") << FieldKind::Date << FieldText{u"12/03"_s, 5, 2, 3} << QChar(u'0') << true << u"12/0"_s << 4;
        QTest::addRow("date letter refused") << FieldKind::Date << FieldText{u"12"_s, 2, -1, 0} << QChar(u'x') << false << u"12"_s << 2;
        QTest::addRow("money comma at caret") << FieldKind::Money << FieldText{u"125"_s, 2, -1, 0} << QChar(u',') << true << u"12,5"_s << 3;
        QTest::addRow("money selection replaced") << FieldKind::Money << FieldText{u"R$ 0,00"_s, 7, 0, 7} << QChar(u'5') << true << u"5"_s << 1;
    }
    void keystroke()
    {
        QFETCH(FieldKind, kind);
        QFETCH(FieldText, field);
        QFETCH(QChar, key);
        QFETCH(bool, accepted);
        QFETCH(QString, after);
        QFETCH(int, cursorAfter);
        const TypedKey result = filtra_tecla(kind, field, key);
        QCOMPARE(result.accepted, accepted);
        QCOMPARE(result.text, after);
        QCOMPARE(result.cursor, cursorAfter);
    }

    void leaving_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("date padded") << FieldKind::Date << u"1/3/2026"_s << u"01/03/2026"_s;
        QTest::addRow("date short year") << FieldKind::Date << u"01/03/26"_s << u"01/03/2026"_s;
        QTest::addRow("date half typed emptied") << FieldKind::Date << u"12/03"_s << QString();
        QTest::addRow("date impossible emptied") << FieldKind::Date << u"31/02/2026"_s << QString();
        QTest::addRow("money grouped") << FieldKind::Money << u"1234,5"_s << u"R$ 1.234,50"_s;
        QTest::addRow("money rounded to cents") << FieldKind::Money << u"0,125"_s << u"R$ 0,13"_s;
        QTest::addRow("money lone comma emptied") << FieldKind::Money << u","_s << QString();
        QTest::addRow("money empty stays empty") << FieldKind::Money << QString() << QString();
        QTest::addRow("whole kept as typed") << FieldKind::Whole << u"007"_s << u"007"_s;
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

QTEST_GUILESS_MAIN(TestFieldKind)
#include "test_field_kind.moc"
