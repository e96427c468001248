#include "common/field_kind.h"

#include <QTest>

Q_DECLARE_METATYPE(FieldKind)

namespace {

// Types `keys` one by one into an empty field with the caret at the end.
QString typed(FieldKind kind, const QString& keys)
{
    FieldText field;
    for (QChar key : keys) {
        const TypedKey result = filtra_tecla(kind, field, key);
        if (result.accepted) {
            field.text = result.text;
            field.cursor = result.cursor;
        }
    }
    return field.text;
}

} // namespace

class TestFieldKind : public QObject
{
    Q_OBJECT

private slots:
    void typing_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::addRow("date: eight digits") << FieldKind::Date << QStringLiteral("12032026") << QStringLiteral("12/03/2026");
        QTest::addRow("date: letter ignored") << FieldKind::Date << QStringLiteral("1a2b0c3") << QStringLiteral("12/03");
        QTest::addRow("date: typed slash ignored") << FieldKind::Date << QStringLiteral("12/03") << QStringLiteral("12/03");
        QTest::addRow("date: comma ignored") << FieldKind::Date << QStringLiteral("1,2") << QStringLiteral("12");
        QTest::addRow("money: digits and comma") << FieldKind::Money << QStringLiteral("12,5") << QStringLiteral("12,5");
        QTest::addRow("money: letters, point, minus ignored") << FieldKind::Money << QStringLiteral("1a.2-3") << QStringLiteral("123");
        QTest::addRow("whole: digits only") << FieldKind::Whole << QStringLiteral("4,2x7") << QStringLiteral("427");
        QTest::addRow("none: anything") << FieldKind::None << QStringLiteral("a'b,1") << QStringLiteral("a'b,1");
        QTest::addRow("whole: non-ASCII digits refused") << FieldKind::Whole << QStringLiteral("1\u0663") << QStringLiteral("1");
    }
    void typing()
    {
        QFETCH(FieldKind, kind);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QCOMPARE(typed(kind, keys), expected);
    }

    void keystroke_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursorAfter");
        const QChar backspace(8);
        QTest::addRow("backspace passes in a date") << FieldKind::Date << QStringLiteral("12/0") << 4 << -1 << 0 << backspace << true << QStringLiteral("12/0") << 4;
        QTest::addRow("backspace passes in a whole number") << FieldKind::Whole << QStringLiteral("12") << 2 << -1 << 0 << backspace << true << QStringLiteral("12") << 2;
        QTest::addRow("date slash after the day, caret to end") << FieldKind::Date << QStringLiteral("12") << 0 << -1 << 0 << QChar(u'3') << true << QStringLiteral("12/3") << 4;
        QTest::addRow("date slash after the month") << FieldKind::Date << QStringLiteral("12/03") << 5 << -1 << 0 << QChar(u'2') << true << QStringLiteral("12/03/2") << 7;
        QTest::addRow("date digit mid-text") << FieldKind::Date << QStringLiteral("1/03/2026") << 1 << -1 << 0 << QChar(u'2') << true << QStringLiteral("12/03/2026") << 2;
        QTest::addRow("date whole text selected is replaced") << FieldKind::Date << QStringLiteral("12/03/2026") << 10 << 0 << 10 << QChar(u'0') << true << QStringLiteral("0") << 1;
        QTest::addRow("date selection leaving two figures") << FieldKind::Date << QStringLiteral("12/03") << 5 << 2 << 3 << QChar(u'0') << true << QStringLiteral("12/0") << 4;
        QTest::addRow("date letter refused unchanged") << FieldKind::Date << QStringLiteral("12") << 2 << -1 << 0 << QChar(u'x') << false << QStringLiteral("12") << 2;
        QTest::addRow("money comma inserted at caret") << FieldKind::Money << QStringLiteral("125") << 2 << -1 << 0 << QChar(u',') << true << QStringLiteral("12,5") << 3;
        QTest::addRow("money selection replaced") << FieldKind::Money << QStringLiteral("R$ 0,00") << 7 << 0 << 7 << QChar(u'5') << true << QStringLiteral("5") << 1;
        QTest::addRow("whole comma refused") << FieldKind::Whole << QStringLiteral("1") << 1 << -1 << 0 << QChar(u',') << false << QStringLiteral("1") << 1;
    }
    void keystroke()
    {
        QFETCH(FieldKind, kind);
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(QChar, key);
        QFETCH(bool, accepted);
        QFETCH(QString, after);
        QFETCH(int, cursorAfter);
        const TypedKey result = filtra_tecla(kind, FieldText{text, cursor, selectionStart, selectionLength}, key);
        QCOMPARE(result.accepted, accepted);
        QCOMPARE(result.text, after);
        QCOMPARE(result.cursor, cursorAfter);
    }

    void leaving_data()
    {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("date kept") << FieldKind::Date << QStringLiteral("12/03/2026") << QStringLiteral("12/03/2026");
        QTest::addRow("date padded") << FieldKind::Date << QStringLiteral("1/3/2026") << QStringLiteral("01/03/2026");
        QTest::addRow("date short year") << FieldKind::Date << QStringLiteral("01/03/26") << QStringLiteral("01/03/2026");
        QTest::addRow("date half typed emptied") << FieldKind::Date << QStringLiteral("12/03") << QString();
        QTest::addRow("date impossible emptied") << FieldKind::Date << QStringLiteral("31/02/2026") << QString();
        QTest::addRow("date empty stays") << FieldKind::Date << QString() << QString();
        QTest::addRow("money from typing") << FieldKind::Money << QStringLiteral("12,5") << QStringLiteral("R$ 12,50");
        QTest::addRow("money grouped") << FieldKind::Money << QStringLiteral("1234,5") << QStringLiteral("R$ 1.234,50");
        QTest::addRow("money already formatted") << FieldKind::Money << QStringLiteral("R$ 1.234,50") << QStringLiteral("R$ 1.234,50");
        QTest::addRow("money rounded to cents") << FieldKind::Money << QStringLiteral("0,125") << QStringLiteral("R$ 0,13");
        QTest::addRow("money letters emptied") << FieldKind::Money << QStringLiteral("abc") << QString();
        QTest::addRow("money lone comma emptied") << FieldKind::Money << QStringLiteral(",") << QString();
        QTest::addRow("money empty stays empty") << FieldKind::Money << QString() << QString();
        QTest::addRow("whole kept as typed") << FieldKind::Whole << QStringLiteral("007") << QStringLiteral("007");
        QTest::addRow("whole: a quantity with comma kept") << FieldKind::Whole << QStringLiteral("2,5") << QStringLiteral("2,5");
        QTest::addRow("whole: lone comma emptied") << FieldKind::Whole << QStringLiteral(",") << QString();
        QTest::addRow("whole: letters emptied") << FieldKind::Whole << QStringLiteral("x1") << QString();
        QTest::addRow("none untouched") << FieldKind::None << QStringLiteral(" abc ") << QStringLiteral(" abc ");
    }
    void leaving()
    {
        QFETCH(FieldKind, kind);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QString once = formata_campo(kind, text);
        QCOMPARE(once, expected);
        // Leaving a field twice changes nothing more.
        QCOMPARE(formata_campo(kind, once), once);
    }
};

QTEST_GUILESS_MAIN(TestFieldKind)
#include "test_field_kind.moc"
