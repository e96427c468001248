#include "common/field_kind.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(FieldKind)
Q_DECLARE_METATYPE(FieldText)

class TestFieldKind : public QObject
{
    Q_OBJECT

private slots:
    // A key into a field with its text, caret and selection.
    void keystroke_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<FieldText>("field");   // {text, cursor, selection start, selection length}
        QTest::addColumn<QChar>("key");
        QTest::addColumn<FieldText>("after");   // {text, cursor}, or as it was when refused
        QTest::addRow("backspace passes") << FieldKind::Date << FieldText{u"12/0"_s, 4} << QChar(8) << FieldText{u"12/0"_s, 4};
        QTest::addRow("date slash, caret to end") << FieldKind::Date << FieldText{u"12"_s, 0} << QChar(u'3') << FieldText{u"12/3"_s, 4};
        QTest::addRow("date digit mid-text") << FieldKind::Date << FieldText{u"1/03/2026"_s, 1} << QChar(u'2') << FieldText{u"12/03/2026"_s, 2};
        QTest::addRow("date selection replaced") << FieldKind::Date << FieldText{u"12/03/2026"_s, 10, 0, 10} << QChar(u'0') << FieldText{u"0"_s, 1};
        QTest::addRow("date selection leaving two figures") << FieldKind::Date << FieldText{u"12/03"_s, 5, 2, 3} << QChar(u'0') << FieldText{u"12/0"_s, 4};
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
