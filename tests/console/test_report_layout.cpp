// Report definitions as files and as pages: what a fault in a definition
// says, and how rows, groups and totals are laid out on pages.

#include "console/reports/document.h"
#include "tests/console/report_fixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace report;

namespace {

// A5 portrait: 190 mm between the margins, 10 of them for the page footer.
const QString Layout = QStringLiteral(R"(# a small layout
[report]
page = A5 portrait
margins = 10 10 10 10

[formulas]
Titulo

[query]
select grupo, nome, valor from somewhere

[title]
height = 20
text "{@Titulo}"
[page-header]
height = 10
text "Nome"
[group-header grupo]
height = 10
text "Grupo {grupo}"
[detail]
height = 10
text "{nome} {valor:money}"
[group-footer grupo]
height = 10
text "{count} em {grupo}: {sum(valor):money}"
[summary]
height = 10
text "{count} ao todo: {sum(valor):money}"
[page-footer]
height = 10
text "Página {page} de {pages}"
)");

// Rows of two groups: `first` in group A (1,00 each), `second` in B (2,50 each).
Rows rowsOf(int first, int second)
{
    QVariantList values;
    for (int i = 0; i < first + second; ++i) {
        const bool a = i < first;
        values << (a ? QStringLiteral("A") : QStringLiteral("B")) << QStringLiteral("linha %1").arg(i)
               << (a ? QStringLiteral("1") : QStringLiteral("2.5"));
    }
    return Rows({QStringLiteral("GRUPO"), QStringLiteral("NOME"), QStringLiteral("VALOR")}, values);
}

Result<Document> documentOf(const QString& text, Rows rows)
{
    Result<Definition> definition = parseDefinition(text, QStringLiteral("teste.rpt"));
    if (!definition)
        return definition.failure();
    Data data;
    data.main = std::move(rows);
    return Document::make(std::move(*definition), {{QStringLiteral("Titulo"), QStringLiteral("Relatório de teste")}},
                          Selection{}, std::move(data), QDateTime(QDate(2026, 12, 5), QTime(7, 0)));
}

// "T PH GH0 D0 D1 GF1 S PF" per page: the bands laid, each with its row.
QStringList shapeOf(const Document& document)
{
    static const QHash<Band::Kind, QString> names = {
        {Band::Kind::Title, "T"}, {Band::Kind::PageHeader, "PH"}, {Band::Kind::GroupHeader, "GH"},
        {Band::Kind::Detail, "D"}, {Band::Kind::GroupFooter, "GF"}, {Band::Kind::Summary, "S"},
        {Band::Kind::PageFooter, "PF"}};
    QStringList pages;
    for (const QList<Document::Placed>& page : document.pages()) {
        QStringList bands;
        for (const Document::Placed& placed : page) {
            const Band::Kind kind = document.definition().bands[placed.band].kind;
            const bool rowed = kind == Band::Kind::Detail || kind == Band::Kind::GroupHeader
                || kind == Band::Kind::GroupFooter;
            bands << names[kind] + (rowed ? QString::number(kind == Band::Kind::GroupFooter ? placed.last : placed.row)
                                          : QString());
        }
        pages << bands.join(u' ');
    }
    return pages;
}

QString details(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QStringLiteral("D%1").arg(i);
    return out.join(u' ');
}

} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT

private slots:
    void definitionFaults_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("why");
        const QString query = "[query]\nselect grupo, nome, valor from somewhere\n";
        QTest::newRow("paper it does not know") << "[report]\npage = A9\n" + query << "teste.rpt, linha 2: página inválida";
        QTest::newRow("no query") << "[report]\ntitle = x\n" << "teste.rpt: falta a seção [query]";
        QTest::newRow("section it does not know") << query + "[rodape]\n" << "linha 3: seção desconhecida [rodape]";
        QTest::newRow("element it does not know") << query + "[detail]\nheight = 5\ntexto \"a\"\n"
                                                  << "linha 5: elemento desconhecido";
        QTest::newRow("measure that is no number") << query + "[detail]\nheight = 5\ntext x=abc \"a\"\n"
                                                   << "linha 5: medida inválida x=abc";
        QTest::newRow("band without a height") << query + "[detail]\ntext \"a\"\n" << "linha 3: a seção precisa de height";
        QTest::newRow("chart of a query it does not have")
            << query + "[summary]\nheight = 50\nchart query=horas label=hora values=valor\n" << "linha 5: o gráfico usa a consulta horas";
        QTest::newRow("formula the layout does not declare") << QString(Layout).replace("{@Titulo}", "{@Outra}")
                                                             << "linha 14: a fórmula Outra não está em [formulas]";
        QTest::newRow("format it does not know") << QString(Layout).replace("{valor:money}", "{valor:moeda}")
                                                 << "linha 23: formato desconhecido em {valor:moeda}";
        QTest::newRow("total of a column the query does not bring")
            << QString(Layout).replace("{sum(valor):money}\"\n[summary]", "{sum(preco):money}\"\n[summary]")
            << "linha 26: o campo {sum(preco):money} não vem da consulta";
        QTest::newRow("group of a column the query does not bring")
            << QString(Layout).replace("[group-header grupo]", "[group-header secao]").replace("[group-footer grupo]", "[group-footer secao]")
            << "linha 18: o grupo secao não é uma coluna da consulta";
    }

    void definitionFaults()
    {
        QFETCH(QString, text);
        QFETCH(QString, why);
        Result<Document> document = documentOf(text, rowsOf(1, 1));
        QVERIFY(!document.ok());
        QVERIFY2(document.failure().text.contains(why), qPrintable(document.failure().text));
    }

    void latin1DefinitionReads()
    {
        QTemporaryDir folder;
        // As the system's other text files; an editor of today writes UTF-8.
        QFile latin1(folder.filePath(QStringLiteral("01.rpt")));
        QVERIFY(latin1.open(QIODevice::WriteOnly));
        latin1.write(QString(Layout).replace("Nome", "Descrição").toLatin1());
        latin1.close();
        Result<Definition> read = readDefinition(latin1.fileName());
        QVERIFY(read.ok());
        QCOMPARE(read->bands[1].elements[0].text, QStringLiteral("Descrição"));
    }

    void pages_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("no rows: the title, the zero totals, the footer") << 0 << 0 << QStringList{"T PH S PF"};
        QTest::newRow("one page, both groups")
            << 2 << 1 << QStringList{"T PH GH0 D0 D1 GF1 GH2 D2 GF2 S PF"};
        QTest::newRow("page full to its last millimetre; the group goes on under its header again")
            << 20 << 1
            << QStringList{"T PH GH0 " + details(0, 13) + " PF", "PH GH0 " + details(14, 19) + " GF19 GH20 D20 GF20 S PF"};
        QTest::newRow("a group header never stands alone at the foot of a page")
            << 12 << 1 << QStringList{"T PH GH0 " + details(0, 11) + " GF11 PF", "PH GH12 D12 GF12 S PF"};
    }

    void pages()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(QStringList, pages);
        Result<Document> document = documentOf(Layout, rowsOf(first, second));
        QVERIFY2(document.ok(), qPrintable(document.ok() ? QString() : document.failure().text));
        QCOMPARE(shapeOf(*document), pages);
    }

    void pagesAndTotalsOnPaper()
    {
        Result<Document> document = documentOf(Layout, rowsOf(20, 3));
        QVERIFY(document.ok());
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("teste.pdf"));
        QVERIFY(document->writePdf(path).ok());
        const QString text = reports::pdfText(path).simplified();
        QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) could not read the PDF");
        for (const char* line : {"Relatório de teste", "Grupo A", "linha 0 R$ 1,00", "Página 1 de 2", "20 em A: R$ 20,00",
                                 "3 em B: R$ 7,50", "23 ao todo: R$ 27,50", "Página 2 de 2"})
            QVERIFY2(text.contains(QString::fromUtf8(line)), qPrintable(QString::fromUtf8(line) + " not in: " + text));
        // A file that cannot be written is said so, and nothing is left behind.
        const QString nowhere = folder.filePath(QStringLiteral("falta/teste.pdf"));
        Result<void> written = document->writePdf(nowhere);
        QVERIFY(!written.ok());
        QVERIFY2(written.failure().text.startsWith(QStringLiteral("Não foi possível gravar o arquivo ") + nowhere),
                 qPrintable(written.failure().text));
        QVERIFY(!QFile::exists(nowhere));
    }
};

QTEST_MAIN(TestReportLayout)
#include "test_report_layout.moc"
