// The report entries against a real database and the build's definitions:
// the figures, formula slots and rows of a known night, the PDF's text, the
// product list's period, and what a failure leaves behind.

#include "common/message_texts.h"
#include "tests/console/report_fixture.h"

#include <QFile>

using namespace reports;

namespace {

using Entry = ConsoleReports::Outcome (ConsoleReports::*)();

Entry entryOf(const QString& number)
{
    if (number == u"01")
        return &ConsoleReports::resumoMovimento;
    if (number == u"02")
        return &ConsoleReports::vendasPorProdutos;
    if (number == u"03")
        return &ConsoleReports::resumoCaixa;
    return &ConsoleReports::produtosCadastrados;
}

const QStringList columns01{"cnome", "qtde", "valor"};
const QStringList columns02{"grupo", "ncodigo", "cdescricao", "nqtde", "ntotal"};
const QStringList columns03{"caixa", "operador", "entradas", "vendas", "total"};

QStringList slotsOf(ConsoleReports& reports)
{
    QStringList texts;
    for (int i = 0; i < report::ReportControl::Slots; ++i)
        texts << reports.cr().formula(i);
    while (!texts.isEmpty() && texts.last().isEmpty())
        texts.removeLast();
    return texts;
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT
    std::unique_ptr<Bench> m;

    // The night of 04/12 with movements on both sides of its bounds.
    void knownNight()
    {
        m->run(QStringLiteral("insert into caixa (ncodigo, coperador) values (3, 'Caixa Sem Movimento')"));
        m->entry("2026-12-04 17:59:59", 1, 1, "30.00");                  // a second early
        m->entry("2026-12-04 18:00:00", 1, 1, "30.00");                  // at the start bound
        m->entry("2026-12-04 23:30:00", 2, 2, "15.00");
        m->entry("2026-12-05 01:00:00", 1, 1, "30.00", /*cancelled*/ true);
        m->entry("2026-12-05 06:00:00", 2, 4, "20.00");                  // at the end bound
        m->entry("2026-12-05 06:00:30", 1, 3, "80.00");                  // half a minute late
        m->sale("2026-12-04 18:00:00", 1, 1, "2", "14.00");
        m->sale("2026-12-04 22:10:00", 2, 11, "1", "18.00");
        m->sale("2026-12-05 02:00:00", 2, 1, "3", "21.00");
        m->sale("2026-12-05 03:00:00", 1, 13, "1", "28.00", /*cancelled*/ true);
        m->sale("2026-12-05 06:00:00", 1, 9, "1", "4.00");
        m->sale("2026-12-05 07:00:00", 1, 1, "1", "7.00");
    }

    qint64 tempRows(Connection& connection)
    {
        return connection.select(QStringLiteral("select count(*) from temp"))->integer(0, QStringLiteral("count"));
    }

private slots:
    void init()
    {
        m = std::make_unique<Bench>();
        QVERIFY2(m->db.ok(), qPrintable(m->db.error()));
    }
    void cleanup() { m.reset(); }

    void figures_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("movement");   // the known night, or a night with none
        QTest::addColumn<QStringList>("formulas");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QStringList>("rows");

        const QString period = "Periodo = ' Período de 04/12/2026 a 05/12/2026'";
        const QString selection01 = "{entrada.ddata_entrada} >= dateTime('2026-12-04 18:00') and "
                                    "{entrada.ddata_entrada} <= dateTime('2026-12-05 06:00') and {entrada.cexcluida} = 'Nao'";
        QTest::newRow("movement summary of a known night")
            << "01" << true
            << QStringList{"NomeEmpresa = 'Bar Estrela'", "ConsumoGeral = 'R$ 57,00'", "entradasCanceladas = '1'",
                           "FaturamentoGeral = 'R$ 122,00'", "nomeEmpresa = 'Bar Estrela'", period,
                           "qtdeEntradas= '3'", "totalEntradas = 'R$ 65,00'", "vendasCanceladas = '1'"}
            << selection01 << QStringList{"Entrada Inteira|1|30", "Entrada Meia|1|15", "Estacionamento|1|20"};
        QTest::newRow("movement summary of a night without movement")
            << "01" << false
            << QStringList{"NomeEmpresa = 'Bar Estrela'", "ConsumoGeral = 'R$ 0,00'", "entradasCanceladas = '0'",
                           "FaturamentoGeral = 'R$ 0,00'", "nomeEmpresa = 'Bar Estrela'", period,
                           "qtdeEntradas= '0'", "totalEntradas = 'R$ 0,00'", "vendasCanceladas = '0'"}
            << selection01 << QStringList{};
        const QString selection02 = "{venda.ddata_venda} >= dateTime('2026-12-04 18:00') and "
                                    "{venda.ddata_venda} <= dateTime('2026-12-05 06:00') and {item_venda.cexcluido} = 'Nao'";
        const QStringList slots02{"NomeEmpresa = 'Bar Estrela'", period, "Rodape = ''"};
        QTest::newRow("sales by product of a known night")
            << "02" << true << slots02 << selection02
            << QStringList{"Cervejas|1|Cerveja Lata|5|35", "Drinks|11|Caipirinha|1|18",
                           "Refrigerantes E Águas|9|Água Mineral|1|4"};
        QTest::newRow("sales by product of a night without movement")
            << "02" << false << slots02 << selection02 << QStringList{};
        const QStringList slots03{"NomeEmpresa = 'Bar Estrela'", period};
        QTest::newRow("cash-register summary of a known night")
            << "03" << true << slots03 << QString()
            << QStringList{"1|Caixa 1|30|18|48", "2|Caixa 2|35|39|74", "3|Caixa Sem Movimento|0|0|0"};
        QTest::newRow("cash-register summary of a night without movement")
            << "03" << false << slots03 << QString() << QStringList{"1|Caixa 1|0|0|0", "2|Caixa 2|0|0|0"};
    }

    void figures()
    {
        QFETCH(QString, number);
        QFETCH(bool, movement);
        QFETCH(QStringList, formulas);
        QFETCH(QString, selection);
        QFETCH(QStringList, rows);
        if (movement)
            knownNight();
        else
            m->entry("2026-12-04 17:00:00", 1, 1, "30.00");   // the afternoon before only

        QCOMPARE((m->reports.get()->*entryOf(number))(), ConsoleReports::Outcome::Shown);
        QVERIFY2(m->messages.shown().isEmpty(), qPrintable(m->messages.transcript()));
        QCOMPARE(m->kept.documents.size(), 1);
        QCOMPARE(slotsOf(*m->reports), formulas);
        QCOMPARE(m->reports->cr().selectionFormula(), selection);
        const QStringList& columns = number == u"01" ? columns01 : number == u"02" ? columns02 : columns03;
        QCOMPARE(m->rows(columns), rows);
        // The summary's rows were never the scratch table's for good.
        QCOMPARE(tempRows(m->connection()), 0);
    }

    void pdfText_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("lines");   // each found in the text, blanks squeezed
        QTest::newRow("01") << "01" << QStringList{
            "Bar D'Ávila", "Resumo do movimento", "Período de 04/12/2026 a 05/12/2026", "Entrada Inteira 1 R$ 30,00",
            "Total das entradas 3 R$ 65,00", "Consumo (vendas de produtos) R$ 57,00", "Faturamento geral R$ 122,00",
            "Faturamento por hora (R$)", "18h 19h", "5h 6h", "Impresso em 05/12/2026 07:15", "Página 1 de 1"};
        QTest::newRow("02") << "02" << QStringList{
            "Bar D'Ávila", "Vendas por produtos", "Cervejas", "1 Cerveja Lata 5 R$ 35,00", "Total de Drinks 1 R$ 18,00",
            "Total geral 7 R$ 57,00", "Página 1 de 1"};
        QTest::newRow("03") << "03" << QStringList{
            "Resumo dos caixas", "1 Caixa 1 R$ 30,00 R$ 18,00 R$ 48,00", "3 Caixa Sem Movimento R$ 0,00 R$ 0,00 R$ 0,00",
            "Total (3 caixa(s)) R$ 65,00 R$ 57,00 R$ 122,00"};
        QTest::newRow("04") << "04" << QStringList{
            "Produtos cadastrados", "Cervejas", "1 Cerveja Lata Lata 240 R$ 4,00 R$ 7,00",
            "3 produto(s) em Refrigerantes E Águas", "15 produto(s) cadastrado(s)", "Página 1 de 1"};
    }

    void pdfText()
    {
        QFETCH(QString, number);
        QFETCH(QStringList, lines);
        knownNight();
        m->settings.nome_fantasia = QStringLiteral("Bar D'Ávila");
        QCOMPARE(m->reports->run(number), ConsoleReports::Outcome::Shown);
        QVERIFY2(m->messages.shown().isEmpty(), qPrintable(m->messages.transcript()));
        const QString path = QDir(m->db.dataFolder()).filePath(number + QStringLiteral(".pdf"));
        QVERIFY(m->kept.documents.last().writePdf(path).ok());
        const QString text = reports::pdfText(path).simplified();
        QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) could not read the PDF");
        for (const QString& line : lines)
            QVERIFY2(text.contains(line), qPrintable(line + QStringLiteral("\n--- not in ---\n") + text));
    }

    void productListPeriod_data()
    {
        QTest::addColumn<int>("before");   // 0 none, 1 a report of the night, 2 the dialog left after that
        QTest::addColumn<QString>("slot");
        QTest::newRow("before any period") << 0 << "Periodo = ' Período de  a '";
        QTest::newRow("after a period was chosen")
            << 1 << "Periodo = ' Período de 2026-12-04 18:00 a 2026-12-05 06:00'";
        QTest::newRow("after the dialog was left") << 2 << "Periodo = ' Período de  a '";
    }

    void productListPeriod()
    {
        QFETCH(int, before);
        QFETCH(QString, slot);
        if (before >= 1)
            QCOMPARE(m->reports->vendasPorProdutos(), ConsoleReports::Outcome::Shown);
        if (before == 2) {
            m->chosen = ReportPeriod{};
            QCOMPARE(m->reports->resumoCaixa(), ConsoleReports::Outcome::NoPeriod);
        }
        const int asked = m->asked;
        QCOMPARE(m->reports->produtosCadastrados(), ConsoleReports::Outcome::Shown);
        QCOMPARE(m->asked, asked);   // no period dialog of its own
        QCOMPARE(m->reports->cr().formula(1), slot);
        QCOMPARE(m->kept.documents.last().data().main.count(), 15);
        QVERIFY2(m->messages.shown().isEmpty(), qPrintable(m->messages.transcript()));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("change");     // in the definition: "old=>new", "-" to delete it; "db", "db-after-rows": the database lost
        QTest::addColumn<QString>("message");    // kind: start of the text (the folder written as %F)
        QTest::newRow("definition missing") << "02" << "-"
                                            << "info: Não foi possível emitir o relatório 02: O arquivo do relatório %F/02.rpt não foi encontrado.";
        QTest::newRow("a field the query does not bring")
            << "01" << "{cnome}=>{cnomes}" << "info: Não foi possível emitir o relatório 01: %F/01.rpt, linha 61: o campo {cnomes}";
        QTest::newRow("a line that does not read")
            << "03" << "height = 6=>heigth = 6" << "info: Não foi possível emitir o relatório 03: %F/03.rpt, linha 39: elemento desconhecido";
        QTest::newRow("a formula the layout does not define")
            << "04" << "\nRodape\n=>\n" << "info: Não foi possível emitir o relatório 04: o relatório não tem a fórmula Rodape";
        QTest::newRow("the database refuses the report's query")
            << "02" << "produto.cdescricao,=>produto.cdescricaox," << "plain: Erro do banco de dados";
        QTest::newRow("the database lost once the summary's rows are written")
            << "03" << "db-after-rows" << "plain: O banco de dados não está aberto.";
        QTest::newRow("the database is gone (movement summary)") << "01" << "db" << "plain: O banco de dados não está aberto.";
    }

    void failures()
    {
        QFETCH(QString, number);
        QFETCH(QString, change);
        QFETCH(QString, message);
        knownNight();
        QTemporaryDir folder;
        for (const QString& name : QDir(QStringLiteral(VORINDA_REPORT_FOLDER)).entryList({"*.rpt"}))
            QVERIFY(QFile::copy(QDir(QStringLiteral(VORINDA_REPORT_FOLDER)).filePath(name), folder.filePath(name)));
        const QString file = folder.filePath(number + QStringLiteral(".rpt"));
        if (change == u"-") {
            QVERIFY(QFile::remove(file));
        } else if (change.contains(QStringLiteral("=>"))) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QString text = QString::fromUtf8(f.readAll());
            f.close();
            const QStringList parts = change.split(QStringLiteral("=>"));
            QVERIFY2(text.contains(parts[0]), qPrintable(parts[0]));
            text.replace(parts[0], parts[1]);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text.toUtf8());
        }
        ConsoleReports reports(m->settings, m->messages, folder.path(), [](ReportPeriod& p) { p = night(); }, m->kept);
        std::unique_ptr<Connection> other = m->db.openAnother();
        if (change == u"db")
            m->connection().close();
        if (change == u"db-after-rows")
            reports.setAfterSummaryRows([this] { m->connection().close(); });
        QCOMPARE(reports.run(number), ConsoleReports::Outcome::Failed);
        QVERIFY(m->kept.documents.isEmpty());
        QCOMPARE(m->messages.shown().size(), 1);
        const QString shown = m->messages.transcript().trimmed();
        QVERIFY2(shown.startsWith(QString(message).replace(QStringLiteral("%F"), folder.path())), qPrintable(shown));
        QCOMPARE(tempRows(*other), 0);
    }

    void summaryRowsStayPrivate()
    {
        // While this console's rows are in the scratch table, another sees none.
        knownNight();
        std::unique_ptr<Connection> other = m->db.openAnother();
        m->run(QStringLiteral("insert into temp (ccampo1, ncampo2, ncampo3, ncampo4) values ('antiga', 1, 1, 99)"));
        qint64 seenByOther = -1;
        qint64 seenHere = -1;
        m->reports->setAfterSummaryRows([&] {
            seenByOther = tempRows(*other);
            seenHere = tempRows(m->connection());
        });
        QCOMPARE(m->reports->resumoCaixa(), ConsoleReports::Outcome::Shown);
        QCOMPARE(seenHere, 3);
        QCOMPARE(seenByOther, 1);   // the row left by an older program, nothing of this report's
        // A leftover of an older program does not join the report.
        QCOMPARE(m->rows(columns03).size(), 3);
    }
};

QTEST_MAIN(TestReports)
#include "test_reports.moc"
