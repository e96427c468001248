#include "common/text_utils.h"

#include <QTest>

class TestTextUtils : public QObject
{
    Q_OBJECT

private slots:
    void remove_acentos_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("promotion") << QStringLiteral("Promoção") << QStringLiteral("Promocao");
        QTest::addRow("upper a") << QStringLiteral("ÁÀÃÂÄ") << QStringLiteral("AAAAA");
        QTest::addRow("lower a") << QStringLiteral("áàãâä") << QStringLiteral("aaaaa");
        QTest::addRow("e") << QStringLiteral("ÉÈÊË éèêë") << QStringLiteral("EEEE eeee");
        QTest::addRow("i") << QStringLiteral("ÍÌÎÏ íìîï") << QStringLiteral("IIII iiii");
        QTest::addRow("o") << QStringLiteral("ÓÒÕÔÖ óòõôö") << QStringLiteral("OOOOO ooooo");
        QTest::addRow("u") << QStringLiteral("ÚÙÛÜ úùûü") << QStringLiteral("UUUU uuuu");
        QTest::addRow("cedilla") << QStringLiteral("Çç") << QStringLiteral("Cc");
        QTest::addRow("outside the table") << QStringLiteral("Ñ ñ Ý ý ß") << QStringLiteral("Ñ ñ Ý ý ß");
        QTest::addRow("case kept") << QStringLiteral("Sábado") << QStringLiteral("Sabado");
        QTest::addRow("plain text untouched") << QStringLiteral("CAIXA 2 - R$ 5,00") << QStringLiteral("CAIXA 2 - R$ 5,00");
        QTest::addRow("empty") << QString() << QString();
    }
    void remove_acentos()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const QString plain = ::remove_acentos(text);
        QCOMPARE(plain, expected);
        QCOMPARE(plain.size(), text.size());
    }

    void centraliza_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("blanks");
        QTest::addColumn<QString>("kept");
        // 40/2 - 11/2 = 14.5 goes to 14; 40/2 - 13/2 = 13.5 goes to 14.
        QTest::addRow("11 at 40: half down to even") << QStringLiteral("BAR ESTRELA") << 40 << 14 << QStringLiteral("BAR ESTRELA");
        QTest::addRow("13 at 40: half up to even") << QStringLiteral("ABCDEFGHIJKLM") << 40 << 14 << QStringLiteral("ABCDEFGHIJKLM");
        QTest::addRow("even length") << QStringLiteral("ABCD") << 40 << 18 << QStringLiteral("ABCD");
        QTest::addRow("15 at 40: 12.5 to 12") << QStringLiteral("ABCDEFGHIJKLMNO") << 40 << 12 << QStringLiteral("ABCDEFGHIJKLMNO");
        QTest::addRow("empty text") << QString() << 40 << 20 << QString();
        QTest::addRow("full width") << QString(40, QLatin1Char('x')) << 40 << 0 << QString(40, QLatin1Char('x'));
        QTest::addRow("cut to width") << QString(45, QLatin1Char('x')) << 40 << 0 << QString(40, QLatin1Char('x'));
        QTest::addRow("39 at 40: half to even 0") << QString(39, QLatin1Char('x')) << 40 << 0 << QString(39, QLatin1Char('x'));
        QTest::addRow("zero width") << QStringLiteral("abc") << 0 << 0 << QString();
    }
    void centraliza()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, blanks);
        QFETCH(QString, kept);
        const QString side(blanks, QLatin1Char(' '));
        QCOMPARE(::centraliza(text, width), side + kept + side);
    }

    void properCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("mixed") << QStringLiteral("cerveja LATA") << QStringLiteral("Cerveja Lata");
        QTest::addRow("accents") << QStringLiteral("ÁGUA DE CÔCO") << QStringLiteral("Água De Côco");
        QTest::addRow("hyphen is inside a word") << QStringLiteral("coca-cola") << QStringLiteral("Coca-cola");
        QTest::addRow("apostrophe is inside a word") << QStringLiteral("pão d'água") << QStringLiteral("Pão D'água");
        QTest::addRow("several blanks kept") << QStringLiteral("  dose   dupla ") << QStringLiteral("  Dose   Dupla ");
        QTest::addRow("figures first") << QStringLiteral("2 LITROS") << QStringLiteral("2 Litros");
        QTest::addRow("empty") << QString() << QString();
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
