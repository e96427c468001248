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

TerminalSettings settingsWith(const QString& margem, int feed, const QString& name = QStringLiteral("Bar Estrela"))
{
    TerminalSettings settings;
    settings.margem = margem;
    settings.linhas_avanco = qint16(feed);
    settings.nome_fantasia = name;
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
    void longNameAndAccents_data();
    void longNameAndAccents();
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

    // The margin and the feed lines are the ticket writer's: one of each here.
    const TerminalSettings settings = settingsWith(QStringLiteral(" "), 1);
    QStringList withMargin;
    for (const QString& line : expected)
        withMargin.append(" " + line);
    QCOMPARE(entryTicketLines(settings, threeUnits(parking)), withMargin + QStringList{" "});
}

void TestEntryTicket::longNameAndAccents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("forma");
    QTest::addColumn<QStringList>("lines");  // name, type and form lines

    QTest::addRow("name of 42 cut to 40, no blanks")
        << "Choperia e Restaurante Estrela do Norte Lt" << "Entrada Meia" << "Dinheiro"
        << QStringList{"CHOPERIA E RESTAURANTE ESTRELA DO NORTE ", "TIPO  :ENTRADA MEIA", "FORMA :DINHEIRO"};
    QTest::addRow("accents stripped from name, type and form")
        << "Boteco São João" << "Promoção Camarote Açaí" << "Cartão de débito"
        << QStringList{spaces(12) + "BOTECO SAO JOAO" + spaces(12), "TIPO  :PROMOCAO CAMAROTE ACAI",
                       "FORMA :CARTAO DE DEBITO"};
    QTest::addRow("type cut at 40 after the label")
        << "Bar" << "Entrada com direito a uma bebida e petiscos" << "Cheque"
        << QStringList{spaces(18) + "BAR" + spaces(18), "TIPO  :ENTRADA COM DIREITO A UMA BEBIDA E PETIS",
                       "FORMA :CHEQUE"};
}

void TestEntryTicket::longNameAndAccents()
{
    QFETCH(QString, name);
    QFETCH(QString, tipo);
    QFETCH(QString, forma);
    QFETCH(QStringList, lines);

    EntryTicket ticket = threeUnits(false);
    ticket.tipo = tipo;
    ticket.forma = forma;
    const QStringList printed = admissionTicketLines(settingsWith(QString(), 0, name), ticket);
    QCOMPARE((QStringList{printed.at(0), printed.at(7), printed.at(8)}), lines);
    // The weekday keeps its accent while everything else loses it.
    QCOMPARE(printed.at(5), dateLine);
}

void TestEntryTicket::printedBytes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TerminalSettings settings = settingsWith(QStringLiteral(" "), 1);
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
