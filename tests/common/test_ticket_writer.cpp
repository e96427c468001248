#include "common/ticket_writer.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestTicketWriter : public QObject
{
    Q_OBJECT

private slots:
    void marginOnEveryLineButFeed_data()
    {
        QTest::addColumn<QString>("margem");
        QTest::addColumn<int>("linhasAvanco");
        QTest::addColumn<QStringList>("expected");
        const QString rule(40, u'-');
        QTest::addRow("margin 3, feed 2") << u"   "_s << 2
            << QStringList{u"   TIPO  :X"_s, u"   "_s, QString(u"   "_s + rule), u" "_s, u" "_s};
        QTest::addRow("negative feed writes none") << QString() << -4 << QStringList{u"TIPO  :X"_s, QString(), rule};
    }
    void marginOnEveryLineButFeed()
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

    void controlCharactersPrintAsBlanks()
    {
        // A line break inside a stored name must not split the ticket line.
        TicketWriter ticket(QString(), 0);
        ticket.line(u"ITEM :CERVEJA\r\nLATA\tGELADA"_s);
        QCOMPARE(ticket.lines(), QStringList{u"ITEM :CERVEJA  LATA GELADA"_s});
    }

    void weekdayAndDate_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("expected");
        QTest::addRow("accent and cedilla kept") << QDateTime(QDate(2026, 12, 1), QTime(1, 2, 3))
                                                 << u"TERÇA-FEIRA 01/12/2026 01:02:03"_s;
        QTest::addRow("midnight: date alone") << QDateTime(QDate(2026, 12, 6), QTime(0, 0)) << u"DOMINGO 06/12/2026"_s;
    }
    void weekdayAndDate()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, expected);
        QCOMPARE(ticketWeekdayAndDate(moment), expected);
    }
};

QTEST_GUILESS_MAIN(TestTicketWriter)
#include "test_ticket_writer.moc"
