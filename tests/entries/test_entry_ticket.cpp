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

TerminalSettings settingsWith(const QString& margem, qint16 feed, const QString& name = QStringLiteral("Bar Estrela"))
{
    TerminalSettings settings;
    settings.margem = margem;
    settings.linhas_avanco = feed;
    settings.nome_fantasia = name;
    settings.modo_impressao = 2;
    return settings;
}

// Three units of a paid admission, sold on a Saturday at register 2.
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

QStringList withMargin(const QString& margem, const QStringList& body, int feed)
{
    QStringList lines;
    for (const QString& line : body)
        lines.append(margem + line);
    for (int i = 0; i < feed; ++i)
        lines.append(QStringLiteral(" "));
    return lines;
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
    void singleUnit();
    void printedBytes();
    void printedToDevice();
};

void TestEntryTicket::ticketLines_data()
{
    QTest::addColumn<bool>("parking");
    QTest::addColumn<QString>("margem");
    QTest::addColumn<int>("feed");
    QTest::addColumn<QStringList>("expected");

    // "CAIXA 2 - ENTRADA - DOCTO 15 : 17" is 33 characters: 20 - 16.5 = 3.5 rounds to 4.
    const QStringList admission{
        nameLine,
        QString(),
        rule,
        spaces(4) + QStringLiteral("CAIXA 2 - ENTRADA - DOCTO 15 : 17") + spaces(4),
        rule,
        dateLine,
        rule,
        QStringLiteral("TIPO  :ENTRADA INTEIRA"),
        QStringLiteral("FORMA :CARTAO DE CREDITO"),
        QStringLiteral("QTDE  :3"),
        QStringLiteral("PRECO :12,50"),
        QStringLiteral("TOTAL :37,50"),
        rule,
    };
    // "CAIXA 2 - ESTACIONAMENTO - DOCTO 15 : 17" is exactly 40 characters.
    const QStringList parking{
        nameLine,
        QString(),
        rule,
        QStringLiteral("CAIXA 2 - ESTACIONAMENTO - DOCTO 15 : 17"),
        rule,
        dateLine,
        rule,
        QStringLiteral("TIPO  :ESTACIONAMENTO"),
        QStringLiteral("QTDE  :3"),
        QStringLiteral("PRECO :12,50"),
        QStringLiteral("TOTAL :37,50"),
        QString(),
        QStringLiteral("PLACA :"),
        QString(),
        QStringLiteral("MODELO:"),
    };

    for (const auto& [margem, feed] : {std::pair{QString(), 0}, std::pair{QStringLiteral("   "), 3}}) {
        QTest::addRow("admission, margin %d, feed %d", int(margem.size()), feed)
            << false << margem << feed << withMargin(margem, admission, feed);
        QTest::addRow("parking, margin %d, feed %d", int(margem.size()), feed)
            << true << margem << feed << withMargin(margem, parking, feed);
    }
}

void TestEntryTicket::ticketLines()
{
    QFETCH(bool, parking);
    QFETCH(QString, margem);
    QFETCH(int, feed);
    QFETCH(QStringList, expected);

    const TerminalSettings settings = settingsWith(margem, qint16(feed));
    const QStringList lines = entryTicketLines(settings, threeUnits(parking));
    QCOMPARE(lines, expected);
    // Each operation prints only its own layout.
    QCOMPARE(parking ? parkingTicketLines(settings, threeUnits(parking))
                     : admissionTicketLines(settings, threeUnits(parking)),
             expected);
}

void TestEntryTicket::longNameAndAccents_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("forma");
    QTest::addColumn<QString>("nameLine");
    QTest::addColumn<QString>("tipoLine");
    QTest::addColumn<QString>("formaLine");

    QTest::addRow("name of 42 cut to 40, no blanks")
        << QStringLiteral("Choperia e Restaurante Estrela do Norte Lt")
        << QStringLiteral("Entrada Meia") << QStringLiteral("Dinheiro")
        << QStringLiteral("CHOPERIA E RESTAURANTE ESTRELA DO NORTE ")
        << QStringLiteral("TIPO  :ENTRADA MEIA") << QStringLiteral("FORMA :DINHEIRO");
    QTest::addRow("accents stripped from name, type and form")
        << QStringLiteral("Boteco São João")
        << QStringLiteral("Promoção Camarote Açaí") << QStringLiteral("Cartão de débito")
        << spaces(12) + QStringLiteral("BOTECO SAO JOAO") + spaces(12)
        << QStringLiteral("TIPO  :PROMOCAO CAMAROTE ACAI") << QStringLiteral("FORMA :CARTAO DE DEBITO");
    QTest::addRow("type cut at 40 after the label")
        << QStringLiteral("Bar")
        << QStringLiteral("Entrada com direito a uma bebida e petiscos") << QStringLiteral("Cheque")
        << spaces(18) + QStringLiteral("BAR") + spaces(18)
        << QStringLiteral("TIPO  :ENTRADA COM DIREITO A UMA BEBIDA E PETIS")
        << QStringLiteral("FORMA :CHEQUE");
}

void TestEntryTicket::longNameAndAccents()
{
    QFETCH(QString, name);
    QFETCH(QString, tipo);
    QFETCH(QString, forma);
    QFETCH(QString, nameLine);
    QFETCH(QString, tipoLine);
    QFETCH(QString, formaLine);

    EntryTicket ticket = threeUnits(false);
    ticket.tipo = tipo;
    ticket.forma = forma;
    const QStringList lines = admissionTicketLines(settingsWith(QString(), 0, name), ticket);
    QCOMPARE(lines.at(0), nameLine);
    QCOMPARE(lines.at(7), tipoLine);
    QCOMPARE(lines.at(8), formaLine);
    // The weekday keeps its accent while everything else loses it.
    QCOMPARE(lines.at(5), dateLine);
}

void TestEntryTicket::singleUnit()
{
    EntryTicket ticket = threeUnits(false);
    ticket.documento = QStringLiteral("157");
    ticket.quantidade = QStringLiteral("1");
    ticket.total = ticket.preco;
    ticket.dataEntrada = QDateTime(QDate(2026, 12, 4), QTime(18, 32, 10));
    const QStringList lines = admissionTicketLines(settingsWith(QString(), 0), ticket);
    // "CAIXA 2 - ENTRADA - DOCTO 157" is 29 characters: 20 - 14.5 = 5.5 rounds to 6.
    QCOMPARE(lines.at(3), spaces(6) + QStringLiteral("CAIXA 2 - ENTRADA - DOCTO 157") + spaces(6));
    // "SEXTA-FEIRA 04/12/2026 18:32:10" is 31 characters: 4.5 rounds to 4.
    QCOMPARE(lines.at(5), spaces(4) + QStringLiteral("SEXTA-FEIRA 04/12/2026 18:32:10") + spaces(4));
    QCOMPARE(lines.at(9), QStringLiteral("QTDE  :1"));
    QCOMPARE(lines.at(11), QStringLiteral("TOTAL :12,50"));
}

void TestEntryTicket::printedBytes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TerminalSettings settings = settingsWith(QStringLiteral(" "), 1);
    settings.dataDir = dir.path();

    // The previous job is replaced whole, whatever its length.
    QFile old(dir.filePath(QStringLiteral("imp.txt")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();

    QVERIFY(imprime_estacionamento(settings, threeUnits(true)).ok());

    QFile spool(dir.filePath(QStringLiteral("imp.txt")));
    QVERIFY(spool.open(QIODevice::ReadOnly));
    const QByteArray bytes = spool.readAll();
    QByteArray expected;
    for (const QString& line : parkingTicketLines(settings, threeUnits(true)))
        expected += line.toLatin1() + "\r\n";
    QCOMPARE(bytes, expected);
    // Latin-1 on paper: the accented weekday is one byte, 0xC1.
    QVERIFY(bytes.contains(" S\xC1" "BADO 05/12/2026 21:15:33"));
    QVERIFY(bytes.endsWith(" MODELO:\r\n \r\n"));
}

void TestEntryTicket::printedToDevice()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString device = dir.filePath(QStringLiteral("lp0"));
    QFile deviceFile(device);
    QVERIFY(deviceFile.open(QIODevice::WriteOnly));
    deviceFile.close();
    qputenv("VORINDA_PRINTER_PORT", device.toLocal8Bit());

    TerminalSettings settings = settingsWith(QString(), 2);
    settings.dataDir = dir.path();
    settings.modo_impressao = 0;
    QVERIFY(imprime_entrada(settings, threeUnits(false)).ok());

    QVERIFY(deviceFile.open(QIODevice::ReadOnly));
    QCOMPARE(deviceFile.readAll(), spoolBytes(admissionTicketLines(settings, threeUnits(false))));
    qunsetenv("VORINDA_PRINTER_PORT");
}

QTEST_GUILESS_MAIN(TestEntryTicket)
#include "test_entry_ticket.moc"
