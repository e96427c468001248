#include "common/text_utils.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestTextUtils : public QObject
{
    Q_OBJECT

private slots:
    void remove_acentos_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("upper") << u"ÁÀÃÂÄ ÉÈÊË ÍÌÎÏ ÓÒÕÔÖ ÚÙÛÜ Ç"_s << u"AAAAA EEEE IIII OOOOO UUUU C"_s;
        QTest::addRow("lower") << u"áàãâä éèêë íìîï óòõôö úùûü ç"_s << u"aaaaa eeee iiii ooooo uuuu c"_s;
        QTest::addRow("outside the table") << u"Ñ ñ Ý ý ß"_s << u"Ñ ñ Ý ý ß"_s;
        QTest::addRow("plain text untouched") << u"CAIXA 2 - R$ 5,00"_s << u"CAIXA 2 - R$ 5,00"_s;
    }
    void remove_acentos()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(::remove_acentos(text), expected);
    }

    // Blanks on each side: the half of an odd remainder rounds to even.
    void centraliza_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("blanks");
        QTest::addColumn<QString>("kept");
        QTest::addRow("14.5 to 14") << u"BAR ESTRELA"_s << 40 << 14 << u"BAR ESTRELA"_s;
        QTest::addRow("13.5 to 14") << u"ABCDEFGHIJKLM"_s << 40 << 14 << u"ABCDEFGHIJKLM"_s;
        QTest::addRow("0.5 to 0") << QString(39, u'x') << 40 << 0 << QString(39, u'x');
        QTest::addRow("cut to width") << QString(45, u'x') << 40 << 0 << QString(40, u'x');
        QTest::addRow("empty text") << QString() << 40 << 20 << QString();
    }
    void centraliza()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, blanks);
        QFETCH(QString, kept);
        const QString side(blanks, u' ');
        QCOMPARE(::centraliza(text, width), side + kept + side);
    }

    void properCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("accents") << u"ÁGUA DE CÔCO"_s << u"Água De Côco"_s;
        QTest::addRow("hyphen and apostrophe inside a word") << u"coca-cola d'água"_s << u"Coca-cola D'água"_s;
        QTest::addRow("blanks kept, figures first") << u"  2   LITROS "_s << u"  2   Litros "_s;
    }
    void properCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(::properCase(text), expected);
    }
};

QTEST_GUILESS_MAIN(TestTextUtils)
#include "test_text_utils.moc"
