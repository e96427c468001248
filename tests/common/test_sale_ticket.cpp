#include "common/message_texts.h"
#include "common/sale_ticket.h"
#include "common/spool_file.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "tests/support/test_database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

// A recorded sale as the payment screen leaves it: its row, then its lines.
struct SaleLine
{
    int produto;
    const char* qtde;
    const char* preco;
    const char* total;
    int numero;
    const char* excluido = "Nao";
};

class SaleMaker
{
public:
    explicit SaleMaker(Connection& connection) : m_db(connection) {}

    bool product(int code, const QString& descricao, const QString& unidade)
    {
        return m_db.execute(u"insert into produto (ncodigo,cdescricao,cunidade,nvalor_venda) values (?,?,?,?)"_s,
                            {SqlValue::integer(code), SqlValue::text(descricao), SqlValue::text(unidade),
                             SqlValue::money(Money::fromWhole(1))}).ok();
    }

    bool sale(int key, int caixa, const QDateTime& moment, const QList<SaleLine>& lines)
    {
        if (!m_db.execute(u"insert into venda (ncodigo,ncaixa_venda,ddata_venda,cforma_pagamento,ntotal,nvalor_pago,ntroco) "
                          "values (?,?,?,'Dinheiro',0,0,0)"_s,
                          {SqlValue::integer(key), SqlValue::integer(caixa), SqlValue::timestamp(moment)}).ok())
            return false;
        for (const SaleLine& line : lines) {
            const Result<int> inserted = m_db.execute(
                u"insert into item_venda (ncodigo,nvenda,nproduto,nqtde,npreco,ntotal,cexcluido,nnumero,cvenda_interna) "
                "values (null,?,?,?,?,?,?,?,'N')"_s,
                {SqlValue::integer(key), SqlValue::integer(line.produto), SqlValue::quantity(amount(line.qtde)),
                 SqlValue::money(amount(line.preco)), SqlValue::money(amount(line.total)),
                 SqlValue::text(QString::fromLatin1(line.excluido)), SqlValue::integer(line.numero)});
            if (!inserted.ok()) {
                qWarning() << inserted.failure().description();
                return false;
            }
        }
        return true;
    }

private:
    Connection& m_db;
};

const QDateTime friday(QDate(2026, 12, 4), QTime(18, 32, 10));

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

    void recordedSaleByteForByte();
    void documentOrderWithoutCancelledLines();
    void storedTextsAndQuantities();
    void failedReadKeepsTheLastJob();
    void unwritableSpoolRoutesNothing();

private:
    TerminalSettings settingsFor(TestDatabase& db, qint16 route = 2) const;
};

TerminalSettings TestSaleTicket::settingsFor(TestDatabase& db, qint16 route) const
{
    TerminalSettings s;
    s.conexao = &db.connection();
    s.dataDir = db.dataFolder();
    s.nome_fantasia = u"Bar Estrela"_s;
    s.modo_impressao = route;
    s.linhas_avanco = 3;
    return s;
}

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
    QTest::addColumn<QString>("descricao");
    QTest::addColumn<QString>("preco");
    QTest::addColumn<QStringList>("expected");   // lines ITEM to TOTAL

    const QString forty = u"REFRIGERANTE DE GUARANA 2 LITROS GELADO "_s;
    const QString rule(40, u'-');
    QTest::addRow("description cut at 40") << QString(forty + u"EXTRA"_s) << u"5"_s
        << QStringList{QString(u"ITEM :"_s + forty), u"UNID :UN"_s, u"QTDE :2"_s, u"PRECO:5,00"_s, rule,
                       QString(blanks(21) + u"TOTAL: 10,00"_s)};
    QTest::addRow("accents out, thousands grouped") << u"Pão de queijo c/ requeijão"_s << u"1234.5"_s
        << QStringList{u"ITEM :PAO DE QUEIJO C/ REQUEIJAO"_s, u"UNID :UN"_s, u"QTDE :2"_s,
                       u"PRECO:1.234,50"_s, rule, QString(blanks(21) + u"TOTAL: 2.469,00"_s)};
}

void TestSaleTicket::textsOfTheLine()
{
    QFETCH(QString, descricao);
    QFETCH(QString, preco);
    QFETCH(QStringList, expected);

    SaleTicketItem item = beer();
    item.descricao = descricao;
    item.preco = *Money::fromDecimalText(preco);
    item.total = item.preco.times(item.quantidade);
    QCOMPARE(saleTicketLines({item}, u"Bar"_s, QString(), 0).mid(6), expected);
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

void TestSaleTicket::recordedSaleByteForByte()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    SaleMaker maker(db.connection());
    QVERIFY(maker.product(1, u"Cerveja lata"_s, u"un"_s));
    QVERIFY(maker.sale(1, 2, friday, {{1, "2", "5", "10", 157}}));

    const TerminalSettings settings = settingsFor(db);
    const Result<void> printed = imprime_venda(settings, 1);
    QVERIFY2(printed.ok(), qPrintable(printed.ok() ? QString() : printed.failure().text));
    QCOMPARE(fileBytes(spoolPath(settings)), QByteArray(exampleTicket("") + " \r\n \r\n \r\n"));
}

void TestSaleTicket::documentOrderWithoutCancelledLines()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    SaleMaker maker(db.connection());
    QVERIFY(maker.product(1, u"Cerveja lata"_s, u"un"_s));
    QVERIFY(maker.product(2, u"Caipirinha"_s, u"Copo"_s));
    // Inserted out of document order; 13 was cancelled; sale 2 is another one.
    QVERIFY(maker.sale(1, 2, friday, {{1, "1", "7", "7", 12},
                                      {2, "1", "18", "18", 10},
                                      {1, "3", "7", "21", 13, "Sim"},
                                      {2, "2", "18", "36", 11}}));
    QVERIFY(maker.sale(2, 2, friday, {{1, "1", "7", "7", 14}}));

    TerminalSettings settings = settingsFor(db);
    settings.linhas_avanco = 0;
    QVERIFY(imprime_venda(settings, 1).ok());
    const Result<QStringList> lines = readSpoolFile(spoolPath(settings));
    QVERIFY(lines.ok());
    QCOMPARE(lines->size(), 3 * 12);
    const QStringList expectedDocuments{u"DOCTO 10"_s, u"DOCTO 11"_s, u"DOCTO 12"_s};
    const QStringList expectedItems{u"ITEM :CAIPIRINHA"_s, u"ITEM :CAIPIRINHA"_s, u"ITEM :CERVEJA LATA"_s};
    const QStringList expectedTotals{u"TOTAL: 18,00"_s, u"TOTAL: 36,00"_s, u"TOTAL: 7,00"_s};
    for (int t = 0; t < 3; ++t) {
        QCOMPARE(lines->at(t * 12 + 2).trimmed(), QString(u"CAIXA 2 - VENDA - "_s + expectedDocuments[t]));
        QCOMPARE(lines->at(t * 12 + 6), expectedItems[t]);
        QCOMPARE(lines->at(t * 12 + 11).trimmed(), expectedTotals[t]);
    }
}

void TestSaleTicket::storedTextsAndQuantities()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    SaleMaker maker(db.connection());
    QVERIFY(maker.product(1, u"Porção De Calabresa"_s, u"Porção"_s));
    QVERIFY(maker.sale(1, 1, QDateTime(QDate(2026, 12, 5), QTime(23, 59, 59)), {{1, "2.5", "3", "7.5", 1}}));

    TerminalSettings settings = settingsFor(db);
    settings.nome_fantasia = u"Bar São João"_s;
    settings.margem = u"   "_s;
    settings.linhas_avanco = 0;
    QVERIFY(imprime_venda(settings, 1).ok());

    const QByteArray bytes = fileBytes(spoolPath(settings));
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.value(0), QByteArray("   " + QByteArray(14, ' ') + "BAR SAO JOAO" + QByteArray(14, ' ') + '\r'));
    QCOMPARE(lines.value(4), QByteArray("   " + QByteArray(7, ' ') + "S\xC1" "BADO 05/12/2026 23:59:59"
                                        + QByteArray(7, ' ') + '\r'));
    QCOMPARE(lines.value(6), QByteArray("   ITEM :PORCAO DE CALABRESA\r"));
    QCOMPARE(lines.value(7), QByteArray("   UNID :PORCAO\r"));
    QCOMPARE(lines.value(8), QByteArray("   QTDE :2,5\r"));
    QCOMPARE(lines.value(9), QByteArray("   PRECO:3,00\r"));
    QCOMPARE(lines.value(11), QByteArray("   " + QByteArray(21, ' ') + "TOTAL: 7,50\r"));
}

void TestSaleTicket::failedReadKeepsTheLastJob()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    const TerminalSettings settings = settingsFor(db);
    QVERIFY(writeSpoolFile(spoolPath(settings), {u"ULTIMO TICKET"_s}).ok());

    // A key no sale can have: the read fails before anything is written.
    const Result<void> printed = imprime_venda(settings, qint64(1) << 40);
    QVERIFY(!printed.ok());
    QCOMPARE(fileBytes(spoolPath(settings)), QByteArray("ULTIMO TICKET\r\n"));
}

void TestSaleTicket::unwritableSpoolRoutesNothing()
{
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    SaleMaker maker(db.connection());
    QVERIFY(maker.product(1, u"Cerveja lata"_s, u"un"_s));
    QVERIFY(maker.sale(1, 2, friday, {{1, "2", "5", "10", 157}}));

    QTemporaryDir other;
    const QString device = other.filePath(u"lp0"_s);
    QVERIFY(QFile(device).open(QIODevice::WriteOnly));
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(device));
    TerminalSettings settings = settingsFor(db, 0);
    settings.dataDir = other.filePath(u"sem_pasta"_s);

    const Result<void> printed = imprime_venda(settings, 1);
    qunsetenv("VORINDA_PRINTER_PORT");
    QVERIFY(!printed.ok());
    QVERIFY2(printed.failure().text.startsWith(msg::arquivoImpressaoFalhou), qPrintable(printed.failure().text));
    QCOMPARE(fileBytes(device), QByteArray());
}

QTEST_GUILESS_MAIN(TestSaleTicket)
#include "test_sale_ticket.moc"
