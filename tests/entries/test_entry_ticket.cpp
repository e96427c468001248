#include "common/spool_file.h"
#include "common/terminal_settings.h"
#include "entries/entry_ticket.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString rule(40, u'-');

QString spaces(int n)
{
    return QString(n, u' ');
}

// A margin of one blank and one feed line.
TerminalSettings counter()
{
    TerminalSettings settings;
    settings.margem = QStringLiteral(" ");
    settings.linhas_avanco = 1;
    settings.nome_fantasia = QStringLiteral("Bar Estrela");
    return settings;
}

// Three units sold on a Saturday at register 2.
EntryTicket threeUnits(bool parking)
{
    EntryTicket ticket;
    ticket.parking = parking;
    ticket.caixa = 2;
    ticket.documento = QStringLiteral("15 : 17");
    ticket.dataEntrada = QDateTime(QDate(2026, 12, 5), QTime(21, 15, 33));
    ticket.tipo = parking ? QStringLiteral("Estacionamento") : QStringLiteral("Entrada Inteira");
    ticket.forma = QStringLiteral("Cartão de crédito");
    ticket.quantidade = QStringLiteral("3");
    ticket.preco = Money::fromUnits(125000);
    ticket.total = Money::fromUnits(375000);
    return ticket;
}

// "BAR ESTRELA" is 11 characters: 20 - 5.5 = 14.5 rounds to 14 blanks.
const QString nameLine = spaces(14) + QStringLiteral("BAR ESTRELA") + spaces(14);
// "SÁBADO 05/12/2026 21:15:33" is 26 characters: 7 blanks each side.
const QString dateLine = spaces(7) + QStringLiteral("SÁBADO 05/12/2026 21:15:33") + spaces(7);

} // namespace

class TestEntryTicket : public QObject
{
    Q_OBJECT

private slots:
    void ticketLines_data();
    void ticketLines();
    void printedBytes();
};

void TestEntryTicket::ticketLines_data()
{
    QTest::addColumn<bool>("parking");
    QTest::addColumn<QStringList>("expected");

    // "CAIXA 2 - ENTRADA - DOCTO 15 : 17" is 33 characters: 20 - 16.5 = 3.5 rounds to 4.
    QTest::addRow("admission") << false
        << QStringList{nameLine, QString(), rule, spaces(4) + "CAIXA 2 - ENTRADA - DOCTO 15 : 17" + spaces(4),
                       rule, dateLine, rule, "TIPO  :ENTRADA INTEIRA", "FORMA :CARTAO DE CREDITO",
                       "QTDE  :3", "PRECO :12,50", "TOTAL :37,50", rule};
    // "CAIXA 2 - ESTACIONAMENTO - DOCTO 15 : 17" is exactly 40 characters; no payment form.
    QTest::addRow("parking") << true
        << QStringList{nameLine, QString(), rule, "CAIXA 2 - ESTACIONAMENTO - DOCTO 15 : 17", rule,
                       dateLine, rule, "TIPO  :ESTACIONAMENTO", "QTDE  :3", "PRECO :12,50", "TOTAL :37,50",
                       QString(), "PLACA :", QString(), "MODELO:"};
}

void TestEntryTicket::ticketLines()
{
    QFETCH(bool, parking);
    QFETCH(QStringList, expected);

    QStringList withMargin;
    for (const QString& line : expected)
        withMargin.append(" " + line);
    QCOMPARE(entryTicketLines(counter(), threeUnits(parking)), withMargin + QStringList{" "});
}

void TestEntryTicket::printedBytes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TerminalSettings settings = counter();
    settings.dataDir = dir.path();

    // The previous job is replaced whole, whatever its length.
    QFile spool(dir.filePath(QStringLiteral("imp.txt")));
    QVERIFY(spool.open(QIODevice::WriteOnly));
    spool.write(QByteArray(5000, 'x'));
    spool.close();

    QVERIFY(imprime_estacionamento(settings, threeUnits(true)).ok());
    QVERIFY(spool.open(QIODevice::ReadOnly));
    const QByteArray bytes = spool.readAll();
    QCOMPARE(bytes, spoolBytes(parkingTicketLines(settings, threeUnits(true))));
    // Latin-1 on paper: the accented weekday is one byte, 0xC1.
    QVERIFY(bytes.contains(" S\xC1" "BADO 05/12/2026 21:15:33"));
    QVERIFY(bytes.endsWith(" MODELO:\r\n \r\n"));
}

QTEST_GUILESS_MAIN(TestEntryTicket)
#include "test_entry_ticket.moc"
