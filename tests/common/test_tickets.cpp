#include "common/message_texts.h"
#include "common/sale_ticket.h"
#include "common/spool_file.h"
#include "common/terminal_settings.h"
#include "common/ticket_writer.h"
#include "db/connection.h"
#include "tests/common/files.h"
#include "tests/support/test_database.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray rule(40, '-');
const QDateTime friday(QDate(2026, 12, 4), QTime(18, 32, 10));

// Ticket lines as the printer receives them: margin first, CR LF last.
QByteArray ticketBytes(const QByteArray& margin, const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += margin + line + "\r\n";
    return bytes;
}

QByteArray exampleTicket(const QByteArray& m)
{
    return ticketBytes(m, {"              BAR ESTRELA              ", rule, "      CAIXA 2 - VENDA - DOCTO 157      ", rule,
                           "    SEXTA-FEIRA 04/12/2026 18:32:10    ", rule, "ITEM :CERVEJA LATA", "UNID :UN", "QTDE :2",
                           "PRECO:5,00", rule, "                     TOTAL: 10,00"});
}

Money amount(const QString& text)
{
    return *Money::fromDecimalText(text);
}

SaleTicketItem beer()
{
    return SaleTicketItem{u"un"_s, friday, 157, Money::fromWhole(2), Money::fromWhole(5), Money::fromWhole(10),
                          u"Cerveja lata"_s, 2};
}

// A line of a recorded sale: {product, quantity, price, total, document number, cancelled}.
struct Line
{
    int produto;
    QString qtde, preco, total;
    int numero;
    QString excluido = u"Nao"_s;
};

bool addProduct(Connection& db, int code, const QString& descricao, const QString& unidade)
{
    return db.execute(u"insert into produto (ncodigo,cdescricao,cunidade,nvalor_venda) values (?,?,?,1)"_s,
                      {SqlValue::integer(code), SqlValue::text(descricao), SqlValue::text(unidade)}).ok();
}

bool addSale(Connection& db, int key, int caixa, const QDateTime& moment, const QList<Line>& lines)
{
    bool ok = db.execute(u"insert into venda (ncodigo,ncaixa_venda,ddata_venda,cforma_pagamento,ntotal,nvalor_pago,ntroco) "
                         "values (?,?,?,'Dinheiro',0,0,0)"_s,
                         {SqlValue::integer(key), SqlValue::integer(caixa), SqlValue::timestamp(moment)}).ok();
    for (const Line& l : lines) {
        ok = ok && db.execute(u"insert into item_venda (ncodigo,nvenda,nproduto,nqtde,npreco,ntotal,cexcluido,nnumero,cvenda_interna) "
                              "values (null,?,?,?,?,?,?,?,'N')"_s,
                              {SqlValue::integer(key), SqlValue::integer(l.produto), SqlValue::quantity(amount(l.qtde)),
                               SqlValue::money(amount(l.preco)), SqlValue::money(amount(l.total)),
                               SqlValue::text(l.excluido), SqlValue::integer(l.numero)}).ok();
    }
    return ok;
}

TerminalSettings settingsFor(TestDatabase& db, qint16 route = 2)
{
    TerminalSettings s;
    s.conexao = &db.connection();
    s.dataDir = db.dataFolder();
    s.nome_fantasia = u"Bar Estrela"_s;
    s.modo_impressao = route;
    return s;
}

} // namespace

// The ticket writer and the sale tickets it writes.
class TestTickets : public QObject
{
    Q_OBJECT

private slots:
    // A line break inside a stored name must not split the ticket line.
    void controlCharactersPrintAsBlanks()
    {
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

    void exampleByteForByte_data()
    {
        QTest::addColumn<QString>("margem");
        QTest::addColumn<int>("linhasAvanco");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("no margin, no feed") << QString() << 0 << exampleTicket("");
        QTest::addRow("margin 3, feed lines without margin") << u"   "_s << 3 << exampleTicket("   ") + " \r\n \r\n \r\n";
        QTest::addRow("negative feed writes none") << QString() << -4 << exampleTicket("");
    }
    void exampleByteForByte()
    {
        QFETCH(QString, margem);
        QFETCH(int, linhasAvanco);
        QFETCH(QByteArray, bytes);
        QCOMPARE(spoolBytes(saleTicketLines({beer()}, u"Bar Estrela"_s, margem, linhasAvanco)), bytes);
    }

    // ITEM cut at 40 without accents; QTDE keeps its fraction (2,5, not 3 beside 7,50).
    void lineTexts_data()
    {
        QTest::addColumn<QString>("descricao");
        QTest::addColumn<QString>("qtde");
        QTest::addColumn<QString>("preco");
        QTest::addColumn<QStringList>("expected");   // ITEM to TOTAL
        const QString forty = u"REFRIGERANTE DE GUARANA 2 LITROS GELADO "_s, total = QString(21, u' ') + u"TOTAL: "_s;
        QTest::addRow("description cut at 40") << forty + u"EXTRA"_s << u"1000"_s << u"5"_s
            << QStringList{u"ITEM :"_s + forty, u"UNID :UN"_s, u"QTDE :1.000"_s, u"PRECO:5,00"_s, QString(rule), total + u"5.000,00"_s};
        QTest::addRow("accents out, half quantity") << u"Pão de queijo c/ requeijão"_s << u"2.5"_s << u"1234.5"_s
            << QStringList{u"ITEM :PAO DE QUEIJO C/ REQUEIJAO"_s, u"UNID :UN"_s, u"QTDE :2,5"_s, u"PRECO:1.234,50"_s,
                           QString(rule), total + u"3.086,25"_s};
        QTest::addRow("trailing zeros dropped") << u"x"_s << u"10.100"_s << u"1"_s
            << QStringList{u"ITEM :X"_s, u"UNID :UN"_s, u"QTDE :10,1"_s, u"PRECO:1,00"_s, QString(rule), total + u"10,10"_s};
    }
    void lineTexts()
    {
        QFETCH(QString, descricao);
        QFETCH(QString, qtde);
        QFETCH(QString, preco);
        QFETCH(QStringList, expected);
        SaleTicketItem item = beer();
        item.descricao = descricao;
        item.quantidade = amount(qtde);
        item.preco = amount(preco);
        item.total = item.preco.times(item.quantidade);
        QCOMPARE(saleTicketLines({item}, u"Bar"_s, QString(), 0).mid(6), expected);
    }

    // A recorded sale's tickets in document order, without its cancelled line; the first byte for byte.
    void recordedSale()
    {
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        QVERIFY(addProduct(db.connection(), 1, u"Cerveja lata"_s, u"un"_s));
        QVERIFY(addProduct(db.connection(), 2, u"Porção De Calabresa"_s, u"Porção"_s));
        const QDateTime saturday(QDate(2026, 12, 5), QTime(23, 59, 59));
        QVERIFY(addSale(db.connection(), 1, 1, saturday, {{1, u"1"_s, u"7"_s, u"7"_s, 12}, {2, u"2.5"_s, u"3"_s, u"7.5"_s, 10},
                                                          {1, u"3"_s, u"7"_s, u"21"_s, 13, u"Sim"_s},
                                                          {1, u"2"_s, u"7"_s, u"14"_s, 11}}));
        QVERIFY(addSale(db.connection(), 2, 1, saturday, {{1, u"1"_s, u"7"_s, u"7"_s, 14}}));
        TerminalSettings settings = settingsFor(db);
        settings.nome_fantasia = u"Bar São João"_s;
        settings.margem = u"   "_s;
        settings.linhas_avanco = 1;
        const Result<void> printed = imprime_venda(settings, 1);
        QVERIFY2(printed.ok(), qPrintable(printed.ok() ? QString() : printed.failure().text));

        const QByteArray seven(7, ' ');
        const QByteArray first = ticketBytes("   ", {QByteArray(14, ' ') + "BAR SAO JOAO" + QByteArray(14, ' '), rule,
                                                    seven + "CAIXA 1 - VENDA - DOCTO 10" + seven, rule,
                                                    seven + "S\xC1" "BADO 05/12/2026 23:59:59" + seven, rule,
                                                    "ITEM :PORCAO DE CALABRESA", "UNID :PORCAO", "QTDE :2,5", "PRECO:3,00",
                                                    rule, QByteArray(21, ' ') + "TOTAL: 7,50"}) + " \r\n";
        const QByteArray bytes = fileBytes(spoolPath(settings));
        QCOMPARE(bytes.left(first.size()), first);
        QStringList tickets;
        const QStringList lines = spoolLines(bytes);
        for (int t = 0; t * 13 < lines.size(); ++t)
            tickets << lines.at(t * 13 + 2).trimmed() + u" "_s + lines.at(t * 13 + 11).trimmed();
        QCOMPARE(tickets, (QStringList{u"CAIXA 1 - VENDA - DOCTO 10 TOTAL: 7,50"_s, u"CAIXA 1 - VENDA - DOCTO 11 TOTAL: 14,00"_s,
                                       u"CAIXA 1 - VENDA - DOCTO 12 TOTAL: 7,00"_s}));
    }

    void failedReadKeepsTheLastJob()
    {
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        const TerminalSettings settings = settingsFor(db);
        QVERIFY(writeSpoolFile(spoolPath(settings), {u"ULTIMO TICKET"_s}).ok());
        // A key no sale can have: the read fails before anything is written.
        QVERIFY(!imprime_venda(settings, qint64(1) << 40).ok());
        QCOMPARE(fileBytes(spoolPath(settings)), QByteArray("ULTIMO TICKET\r\n"));
    }

    void unwritableSpoolRoutesNothing()
    {
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        QVERIFY(addProduct(db.connection(), 1, u"Cerveja lata"_s, u"un"_s));
        QVERIFY(addSale(db.connection(), 1, 2, friday, {{1, u"2"_s, u"5"_s, u"10"_s, 157}}));
        QTemporaryDir other;
        const QString device = other.filePath(u"lp0"_s);
        QVERIFY(putFile(device, QByteArray()));
        qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(device));
        TerminalSettings settings = settingsFor(db, 0);
        settings.dataDir = other.filePath(u"sem_pasta"_s);
        const Result<void> printed = imprime_venda(settings, 1);
        qunsetenv("VORINDA_PRINTER_PORT");
        QVERIFY(!printed.ok());
        QVERIFY2(printed.failure().text.startsWith(msg::arquivoImpressaoFalhou), qPrintable(printed.failure().text));
        QCOMPARE(fileBytes(device), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestTickets)
#include "test_tickets.moc"
