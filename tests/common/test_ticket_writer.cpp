#include "common/terminal_settings.h"
#include "common/ticket_writer.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
QString blanks(int n) { return QString(n, u' '); }
} // namespace

class TestTicketWriter : public QObject
{
    Q_OBJECT

private slots:
    void marginOnEveryLineButFeed_data();
    void marginOnEveryLineButFeed();
    void centred_data();
    void centred();
    void controlCharactersPrintAsBlanks();
    void ticketText_data();
    void ticketText();
    void weekdayAndDate_data();
    void weekdayAndDate();
};

void TestTicketWriter::marginOnEveryLineButFeed_data()
{
    QTest::addColumn<QString>("margem");
    QTest::addColumn<int>("linhasAvanco");
    QTest::addColumn<QStringList>("expected");

    const QString rule(40, u'-');
    QTest::addRow("no margin, no feed") << QString() << 0
        << QStringList{u"TIPO  :X"_s, QString(), rule};
    QTest::addRow("margin 3, feed 2") << u"   "_s << 2
        << QStringList{u"   TIPO  :X"_s, u"   "_s, QString(u"   "_s + rule), u" "_s, u" "_s};
    QTest::addRow("negative feed writes none") << u" "_s << -4
        << QStringList{u" TIPO  :X"_s, u" "_s, QString(u" "_s + rule)};
}

void TestTicketWriter::marginOnEveryLineButFeed()
{
    QFETCH(QString, margem);
    QFETCH(int, linhasAvanco);
    QFETCH(QStringList, expected);

    TicketWriter ticket(margem, linhasAvanco);
    ticket.line(u"TIPO  :X"_s);
    ticket.blank();
    ticket.rule();
    ticket.feed();
    QCOMPARE(ticket.lines(), expected);
}

void TestTicketWriter::centred_data()
{
    QTest::addColumn<QString>("margem");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::addRow("11 characters: 14 each side") << QString() << u"BAR ESTRELA"_s
        << QString(blanks(14) + u"BAR ESTRELA"_s + blanks(14));
    QTest::addRow("13 characters: 14 each side") << QString() << u"BAR DO CENTRO"_s
        << QString(blanks(14) + u"BAR DO CENTRO"_s + blanks(14));
    QTest::addRow("margin before the blanks") << u"   "_s << u"CAIXA 2 - VENDA - DOCTO 157"_s
        << QString(blanks(3) + blanks(6) + u"CAIXA 2 - VENDA - DOCTO 157"_s + blanks(6));
    QTest::addRow("longer than 40: cut, no blanks") << QString() << QString(45, u'X')
        << QString(40, u'X');
}

void TestTicketWriter::centred()
{
    QFETCH(QString, margem);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    TicketWriter ticket(margem, 3);
    ticket.centred(text);
    QCOMPARE(ticket.lines(), QStringList{expected});
}

void TestTicketWriter::controlCharactersPrintAsBlanks()
{
    // A line break inside a stored name must not split the ticket line.
    TicketWriter ticket(QString(), 0);
    ticket.line(u"ITEM :CERVEJA\r\nLATA\tGELADA"_s);
    QCOMPARE(ticket.lines(), QStringList{u"ITEM :CERVEJA  LATA GELADA"_s});
}

void TestTicketWriter::ticketText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::addRow("payment form") << u"Cartão de crédito"_s << u"CARTAO DE CREDITO"_s;
    QTest::addRow("cedilla") << u"Promoção"_s << u"PROMOCAO"_s;
    QTest::addRow("plain") << u"Bar Estrela"_s << u"BAR ESTRELA"_s;
    QTest::addRow("capitals with accents") << u"ÁGUA TÔNICA"_s << u"AGUA TONICA"_s;
}

void TestTicketWriter::ticketText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(::ticketText(text), expected);
}

void TestTicketWriter::weekdayAndDate_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("expected");

    QTest::addRow("friday") << QDateTime(QDate(2026, 12, 4), QTime(18, 32, 10))
                            << u"SEXTA-FEIRA 04/12/2026 18:32:10"_s;
    QTest::addRow("saturday keeps its accent") << QDateTime(QDate(2026, 12, 5), QTime(21, 15, 33))
                                               << u"SÁBADO 05/12/2026 21:15:33"_s;
    QTest::addRow("tuesday keeps its cedilla") << QDateTime(QDate(2026, 12, 1), QTime(1, 2, 3))
                                               << u"TERÇA-FEIRA 01/12/2026 01:02:03"_s;
    QTest::addRow("midnight: date alone") << QDateTime(QDate(2026, 12, 6), QTime(0, 0))
                                          << u"DOMINGO 06/12/2026"_s;
}

void TestTicketWriter::weekdayAndDate()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, expected);
    QCOMPARE(ticketWeekdayAndDate(moment), expected);
}

QTEST_GUILESS_MAIN(TestTicketWriter)
#include "test_ticket_writer.moc"
