#include "common/sale_ticket.h"
#include "common/spool_file.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QString blanks(int n)
{
    return QString(n, u' ');
}

Money amount(const char* text)
{
    return *Money::fromDecimalText(QString::fromLatin1(text));
}

SaleTicketItem beer()
{
    SaleTicketItem item;
    item.unidade = u"un"_s;
    item.dataVenda = QDateTime(QDate(2026, 12, 4), QTime(18, 32, 10));
    item.numero = 157;
    item.quantidade = Money::fromWhole(2);
    item.preco = Money::fromWhole(5);
    item.total = Money::fromWhole(10);
    item.descricao = u"Cerveja lata"_s;
    item.caixa = 2;
    return item;
}

// The example ticket as the printer receives it, with margin `m`.
QByteArray exampleTicket(const QByteArray& m)
{
    return m + "              BAR ESTRELA              \r\n"
         + m + "----------------------------------------\r\n"
         + m + "      CAIXA 2 - VENDA - DOCTO 157      \r\n"
         + m + "----------------------------------------\r\n"
         + m + "    SEXTA-FEIRA 04/12/2026 18:32:10    \r\n"
         + m + "----------------------------------------\r\n"
         + m + "ITEM :CERVEJA LATA\r\n"
         + m + "UNID :UN\r\n"
         + m + "QTDE :2\r\n"
         + m + "PRECO:5,00\r\n"
         + m + "----------------------------------------\r\n"
         + m + "                     TOTAL: 10,00\r\n";
}

} // namespace

class TestSaleTicket : public QObject
{
    Q_OBJECT

private slots:
    void exampleByteForByte_data();
    void exampleByteForByte();
    void textsOfTheLine_data();
    void textsOfTheLine();
    void quantity_data();
    void quantity();
    void oneTicketPerLineInOrder();
};

void TestSaleTicket::exampleByteForByte_data()
{
    QTest::addColumn<QString>("margem");
    QTest::addColumn<int>("linhasAvanco");
    QTest::addColumn<QByteArray>("bytes");

    QTest::addRow("no margin, no feed") << QString() << 0 << exampleTicket("");
    QTest::addRow("no margin, 3 feed lines") << QString() << 3 << QByteArray(exampleTicket("") + " \r\n \r\n \r\n");
    QTest::addRow("margin 3, no feed") << blanks(3) << 0 << exampleTicket("   ");
    QTest::addRow("margin 3, 3 feed lines without margin")
        << blanks(3) << 3 << QByteArray(exampleTicket("   ") + " \r\n \r\n \r\n");
}

void TestSaleTicket::exampleByteForByte()
{
    QFETCH(QString, margem);
    QFETCH(int, linhasAvanco);
    QFETCH(QByteArray, bytes);

    const QStringList lines = saleTicketLines({beer()}, u"Bar Estrela"_s, margem, linhasAvanco);
    QCOMPARE(lines.size(), 12 + linhasAvanco);
    QCOMPARE(spoolBytes(lines), bytes);
}

void TestSaleTicket::textsOfTheLine_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("lineIndex");
    QTest::addColumn<QString>("expected");

    const QString forty = u"REFRIGERANTE DE GUARANA 2 LITROS GELADO "_s;   // 40 characters
    QTest::addRow("description cut at 40") << u"descricao"_s << QString(forty + u"EXTRA"_s) << 6
                                           << QString(u"ITEM :"_s + forty);
    QTest::addRow("description of exactly 40") << u"descricao"_s << forty << 6 << QString(u"ITEM :"_s + forty);
    QTest::addRow("description without accents") << u"descricao"_s << u"Pão de queijo c/ requeijão"_s << 6
                                                  << u"ITEM :PAO DE QUEIJO C/ REQUEIJAO"_s;
    QTest::addRow("unit without accents") << u"unidade"_s << u"Pç"_s << 7 << u"UNID :PC"_s;
    QTest::addRow("name without accents") << u"nome"_s << u"Bar São João"_s << 0
                                          << QString(blanks(14) + u"BAR SAO JOAO"_s + blanks(14));
    QTest::addRow("saturday keeps its accent") << u"data"_s << u"2026-12-05T21:15:33"_s << 4
                                               << QString(blanks(7) + u"SÁBADO 05/12/2026 21:15:33"_s + blanks(7));
    QTest::addRow("price grouped") << u"preco"_s << u"1234.5"_s << 9 << u"PRECO:1.234,50"_s;
    QTest::addRow("total grouped") << u"total"_s << u"2469"_s << 11
                                   << QString(blanks(21) + u"TOTAL: 2.469,00"_s);
    QTest::addRow("big document number") << u"numero"_s << u"1234567"_s << 2
                                         << QString(blanks(4) + u"CAIXA 2 - VENDA - DOCTO 1234567"_s + blanks(4));
}

void TestSaleTicket::textsOfTheLine()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, lineIndex);
    QFETCH(QString, expected);

    SaleTicketItem item = beer();
    QString name = u"Bar Estrela"_s;
    if (field == u"descricao")
        item.descricao = value;
    else if (field == u"unidade")
        item.unidade = value;
    else if (field == u"nome")
        name = value;
    else if (field == u"data")
        item.dataVenda = QDateTime::fromString(value, Qt::ISODate);
    else if (field == u"preco")
        item.preco = *Money::fromDecimalText(value);
    else if (field == u"total")
        item.total = *Money::fromDecimalText(value);
    else if (field == u"numero")
        item.numero = value.toLongLong();

    const QStringList lines = saleTicketLines({item}, name, QString(), 0);
    QCOMPARE(lines.value(lineIndex), expected);
}

void TestSaleTicket::quantity_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("printed");

    QTest::addRow("whole") << u"2"_s << u"2"_s;
    QTest::addRow("whole grouped") << u"1000"_s << u"1.000"_s;
    // Printed with no decimals, 2,5 would read 3 beside a total of 7,50.
    QTest::addRow("half") << u"2.5"_s << u"2,5"_s;
    QTest::addRow("three places") << u"0.125"_s << u"0,125"_s;
    QTest::addRow("trailing zeros dropped") << u"10.100"_s << u"10,1"_s;
    QTest::addRow("smallest") << u"0.001"_s << u"0,001"_s;
    QTest::addRow("fractional grouped") << u"1234.5"_s << u"1.234,5"_s;
}

void TestSaleTicket::quantity()
{
    QFETCH(QString, stored);
    QFETCH(QString, printed);
    QCOMPARE(ticketQuantity(*Money::fromDecimalText(stored)), printed);

    SaleTicketItem item = beer();
    item.quantidade = *Money::fromDecimalText(stored);
    QCOMPARE(saleTicketLines({item}, u"Bar"_s, QString(), 0).value(8), QString(u"QTDE :"_s + printed));
}

void TestSaleTicket::oneTicketPerLineInOrder()
{
    SaleTicketItem first = beer();
    SaleTicketItem second = beer();
    second.numero = 158;
    second.descricao = u"Porção de fritas"_s;
    second.quantidade = amount("1");
    second.preco = amount("25.9");
    second.total = amount("25.9");

    const QStringList lines = saleTicketLines({first, second}, u"Bar Estrela"_s, u" "_s, 2);
    QCOMPARE(lines.size(), 2 * (12 + 2));
    QCOMPARE(lines.at(2), QString(u" "_s + blanks(6) + u"CAIXA 2 - VENDA - DOCTO 157"_s + blanks(6)));
    QCOMPARE(lines.at(12), u" "_s);   // feed of the first ticket, no margin
    QCOMPARE(lines.at(14), lines.at(0));
    QCOMPARE(lines.at(16), QString(u" "_s + blanks(6) + u"CAIXA 2 - VENDA - DOCTO 158"_s + blanks(6)));
    QCOMPARE(lines.at(20), u" ITEM :PORCAO DE FRITAS"_s);
    QCOMPARE(lines.at(23), u" PRECO:25,90"_s);
    QCOMPARE(lines.at(25), QString(u" "_s + blanks(21) + u"TOTAL: 25,90"_s));
    QCOMPARE(lines.last(), u" "_s);
}

QTEST_GUILESS_MAIN(TestSaleTicket)
#include "test_sale_ticket.moc"
