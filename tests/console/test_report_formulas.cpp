// The texts the program hands the report engine: the selection formula read
// into a condition with bound values, the formula slots read into values,
// and the marks of a report's own queries.

#include "console/reports/formula.h"
#include "console/reports/report_control.h"

#include <QDateTime>
#include <QTest>

using namespace report;

namespace {

// "text:Nao", "timestamp:2026-12-04 18:00:00": what a "?" is bound to.
QString describe(const SqlValue& value)
{
    const QVariant v = value.toDriver().value();
    switch (value.kind()) {
    case SqlValue::Kind::Text:
        return QStringLiteral("text:") + v.toString();
    case SqlValue::Kind::Timestamp:
        return QStringLiteral("timestamp:") + v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case SqlValue::Kind::Date:
        return QStringLiteral("date:") + v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case SqlValue::Kind::Integer:
        return QStringLiteral("integer:") + v.toString();
    case SqlValue::Kind::Quantity:
        return QStringLiteral("quantity:") + v.toString();
    default:
        return QStringLiteral("other:") + v.toString();
    }
}

QStringList describe(const SqlParams& params)
{
    QStringList out;
    for (const SqlValue& value : params)
        out << describe(value);
    return out;
}

} // namespace

class TestReportFormulas : public QObject
{
    Q_OBJECT

private slots:
    void selection_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("params");
        QTest::addColumn<QStringList>("bounds");   // "field>=value" for a lower bound, "field<=value" for an upper one

        QTest::newRow("the movement summary's own")
            << "{entrada.ddata_entrada} >= dateTime('2026-12-04 18:00') and {entrada.ddata_entrada} <= "
               "dateTime('2026-12-05 06:00') and {entrada.cexcluida} = 'Nao'"
            << "entrada.ddata_entrada >= ? and entrada.ddata_entrada <= ? and entrada.cexcluida = ?"
            << QStringList{"timestamp:2026-12-04 18:00:00", "timestamp:2026-12-05 06:00:00", "text:Nao"}
            << QStringList{"entrada.ddata_entrada>=timestamp:2026-12-04 18:00:00",
                           "entrada.ddata_entrada<=timestamp:2026-12-05 06:00:00"};
        QTest::newRow("sales by product's own, seconds and letter case")
            << "{Venda.DDATA_VENDA} >= DateTime('2026-12-04 18:00:30') AND {venda.ddata_venda} <= "
               "datetime('2026-12-05 06:00') And {item_venda.cexcluido} = 'Nao'"
            << "venda.ddata_venda >= ? and venda.ddata_venda <= ? and item_venda.cexcluido = ?"
            << QStringList{"timestamp:2026-12-04 18:00:30", "timestamp:2026-12-05 06:00:00", "text:Nao"}
            << QStringList{"venda.ddata_venda>=timestamp:2026-12-04 18:00:30",
                           "venda.ddata_venda<=timestamp:2026-12-05 06:00:00"};
        QTest::newRow("empty: every row") << "   " << "" << QStringList{} << QStringList{};
        QTest::newRow("a quote inside a text stays a value")
            << "{produto.cdescricao} = 'x'' or 1=1 --'" << "produto.cdescricao = ?"
            << QStringList{"text:x' or 1=1 --"} << QStringList{};
        QTest::newRow("parentheses, or and not; bounds inside them count for nothing")
            << "({venda.ncaixa_venda} = 1 or {venda.ncaixa_venda} > 2.5) and not {item_venda.cexcluido} <> \"Sim\""
            << "(venda.ncaixa_venda = ? or venda.ncaixa_venda > ?) and not (item_venda.cexcluido <> ?)"
            << QStringList{"integer:1", "quantity:2.5", "text:Sim"} << QStringList{};
        QTest::newRow("value first: the bound faces the other way")
            << "date('2026-12-04') < {venda.ddata_venda} and 100 >= {venda.ntotal}"
            << "? < venda.ddata_venda and ? >= venda.ntotal" << QStringList{"date:2026-12-04", "integer:100"}
            << QStringList{"venda.ddata_venda>=date:2026-12-04", "venda.ntotal<=integer:100"};
        QTest::newRow("an or at the top bounds nothing")
            << "{venda.ntotal} >= 1 or {venda.ntotal} <= -1" << "venda.ntotal >= ? or venda.ntotal <= ?"
            << QStringList{"integer:1", "integer:-1"} << QStringList{};
        QTest::newRow("two fields") << "{venda.ncodigo} = {item_venda.nvenda}" << "venda.ncodigo = item_venda.nvenda"
                                    << QStringList{} << QStringList{};
    }

    void selection()
    {
        QFETCH(QString, formula);
        QFETCH(QString, sql);
        QFETCH(QStringList, params);
        QFETCH(QStringList, bounds);
        Result<Selection> read = parseSelection(formula);
        QVERIFY2(read.ok(), qPrintable(read.ok() ? QString() : read.failure().text));
        QCOMPARE(read->sql, sql);
        QCOMPARE(describe(read->params), params);
        QStringList seen;
        for (const SelectionBound& bound : read->bounds)
            seen << bound.field + (bound.lower ? QStringLiteral(">=") : QStringLiteral("<=")) + describe(bound.value);
        QCOMPARE(seen, bounds);
    }

    void malformedSelection_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("why");   // part of the refusal
        QTest::newRow("impossible date") << "{entrada.ddata_entrada} >= dateTime('2026-13-40 18:00')" << "data e hora inválida";
        QTest::newRow("date as the dialog shows it") << "{entrada.ddata_entrada} >= dateTime('04/12/2026 18:00')"
                                                     << "data e hora inválida";
        QTest::newRow("field without its table") << "{ddata_entrada} >= dateTime('2026-12-04 18:00')" << "campo mal escrito";
        QTest::newRow("quote never closed") << "{entrada.cexcluida} = 'Nao" << "sem aspas de fechamento";
        QTest::newRow("ends after and") << "{entrada.cexcluida} = 'Nao' and" << "termina antes";
        QTest::newRow("no field at all") << "'a' = 'a'" << "precisa de um campo";
        QTest::newRow("a statement after it") << "{venda.ntotal} = 1; delete from venda" << "caractere inesperado";
        QTest::newRow("parenthesis left open") << "({venda.ntotal} = 1" << "falta fechar";
        QTest::newRow("doubled equals") << "{venda.ntotal} == 1" << "não esperava \"=\"";
        QTest::newRow("an operator it does not know") << "{produto.cdescricao} like 'C%'" << "não esperava \"like\"";
        QTest::newRow("dateTime of a number") << "{venda.ddata_venda} >= dateTime(2026)" << "escreva datetime";
    }

    void malformedSelection()
    {
        QFETCH(QString, formula);
        QFETCH(QString, why);
        Result<Selection> read = parseSelection(formula);
        QVERIFY(!read.ok());
        QVERIFY2(read.failure().text.contains(why), qPrintable(read.failure().text));
    }

    void slot_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");    // empty: an unused slot
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("why");     // set: refused, with this in the message
        QTest::newRow("a doubled quote") << "NomeEmpresa = 'Bar D''Ávila'" << "NomeEmpresa" << "Bar D'Ávila" << "";
        QTest::newRow("no blank before the equals sign") << "qtdeEntradas= '3'" << "qtdeEntradas" << "3" << "";
        QTest::newRow("a period with empty bounds") << "Periodo = ' Período de  a '" << "Periodo" << " Período de  a " << "";
        QTest::newRow("an empty value") << "Rodape = ''" << "Rodape" << "" << "";
        QTest::newRow("double quotes") << "NomeEmpresa = \"Bar \"\"Sol\"\"\"" << "NomeEmpresa" << "Bar \"Sol\"" << "";
        QTest::newRow("unused slot") << "" << "" << "" << "";
        QTest::newRow("a lone quote inside the value") << "NomeEmpresa = 'Bar D'Ávila'" << "" << "" << "depois das aspas";
        QTest::newRow("no equals sign") << "NomeEmpresa 'Bar'" << "" << "" << "nome = 'valor'";
        QTest::newRow("value without quotes") << "NomeEmpresa = Bar" << "" << "" << "entre aspas";
    }

    void slot()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, why);
        auto read = parseFormulaSlot(text);
        if (!why.isEmpty()) {
            QVERIFY(!read.ok());
            QVERIFY2(read.failure().text.contains(why), qPrintable(read.failure().text));
            return;
        }
        QVERIFY2(read.ok(), qPrintable(read.ok() ? QString() : read.failure().text));
        QCOMPARE(read->has_value(), !name.isEmpty());
        if (read->has_value()) {
            QCOMPARE((*read)->name, name);
            QCOMPARE((*read)->value, value);
        }
    }

    void slotTextReadsBackWhole_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("apostrophe") << "Bar D'Ávila";
        QTest::newRow("only quotes") << "''";
        QTest::newRow("a quote at the end") << "Espeto'";
    }

    void slotTextReadsBackWhole()
    {
        QFETCH(QString, value);
        auto read = parseFormulaSlot(formulaText(QStringLiteral("NomeEmpresa"), value));
        QVERIFY(read.ok() && read->has_value());
        QCOMPARE((*read)->value, value);
    }

    void queryMarks_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("bound");   // the statement as run; or the refusal's words
        QTest::addColumn<QStringList>("params");
        const QString night = "{entrada.ddata_entrada} >= dateTime('2026-12-04 18:00') and "
                              "{entrada.ddata_entrada} <= dateTime('2026-12-05 06:00') and {entrada.cexcluida} = 'Nao'";
        QTest::newRow("selection and bounds, in the order they stand")
            << "select 1 from entrada where {upper entrada.ddata_entrada} > ? and { selection } and x > {lower Entrada.Ddata_Entrada}"
            << night
            << "select 1 from entrada where ? > ? and (entrada.ddata_entrada >= ? and entrada.ddata_entrada <= ? and "
               "entrada.cexcluida = ?) and x > ?"
            << QStringList{"timestamp:2026-12-05 06:00:00", "timestamp:2026-12-04 18:00:00",
                           "timestamp:2026-12-05 06:00:00", "text:Nao", "timestamp:2026-12-04 18:00:00"};
        QTest::newRow("no selection selects every row")
            << "select 1 from temp where {selection}" << "" << "select 1 from temp where (1 = 1)" << QStringList{};
        QTest::newRow("a bound the selection does not give")
            << "select 1 from venda where x < {upper venda.ddata_venda}" << night << "limite superior de {venda.ddata_venda}"
            << QStringList{};
        QTest::newRow("a mark it does not know") << "select 1 from venda where {filtro}" << night << "marca desconhecida {filtro}"
                                                 << QStringList{};
    }

    void queryMarks()
    {
        QFETCH(QString, sql);
        QFETCH(QString, selection);
        QFETCH(QString, bound);
        QFETCH(QStringList, params);
        Result<Selection> read = parseSelection(selection);
        QVERIFY(read.ok());
        Result<BoundStatement> statement = bindQuery(sql, *read);
        if (!statement.ok()) {
            QVERIFY2(statement.failure().text.contains(bound), qPrintable(statement.failure().text));
            QVERIFY(params.isEmpty());
            return;
        }
        QCOMPARE(statement->sql, bound);
        QCOMPARE(describe(statement->params), params);
    }
};

QTEST_MAIN(TestReportFormulas)
#include "test_report_formulas.moc"
