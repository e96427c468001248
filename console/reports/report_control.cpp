#include "console/reports/report_control.h"

#include "db/connection.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace report {

void ReportControl::limpa_relatorio()
{
    m_destination = Destination::Preview;
    for (QString& slot : m_slots)
        slot.clear();
    m_selection.clear();
}

QString ReportControl::reportName() const
{
    return QFileInfo(m_file).completeBaseName();
}

void ReportControl::setFormula(int slot, const QString& text)
{
    if (slot >= 0 && slot < Slots)
        m_slots[slot] = text;
}

Prepared ReportControl::fault(const QString& why) const
{
    Prepared prepared;
    prepared.fault = Prepared::Fault::Definition;
    prepared.failure = Failure{QString(), QStringLiteral("Não foi possível emitir o relatório %1: %2")
                                              .arg(reportName(), why)};
    return prepared;
}

Result<BoundStatement> bindQuery(const QString& sql, const Selection& selection)
{
    static const QRegularExpression mark(QStringLiteral("\\{\\s*([^{}]*?)\\s*\\}"));
    static const QRegularExpression boundMark(
        QStringLiteral("^(lower|upper)\\s+([A-Za-z_][A-Za-z0-9_]*\\.[A-Za-z_][A-Za-z0-9_]*)$"),
        QRegularExpression::CaseInsensitiveOption);
    BoundStatement statement;
    qsizetype at = 0;
    for (auto it = mark.globalMatch(sql); it.hasNext();) {
        const auto match = it.next();
        statement.sql += sql.mid(at, match.capturedStart() - at);
        at = match.capturedEnd();
        const QString inside = match.captured(1);
        if (inside.compare(QStringLiteral("selection"), Qt::CaseInsensitive) == 0) {
            statement.sql += selection.sql.isEmpty() ? QStringLiteral("(1 = 1)") : u'(' + selection.sql + u')';
            statement.params += selection.params;
            continue;
        }
        const auto bound = boundMark.match(inside);
        if (!bound.hasMatch())
            return Failure{QString(), QStringLiteral("marca desconhecida {%1} na consulta").arg(inside)};
        const bool lower = bound.captured(1).compare(QStringLiteral("lower"), Qt::CaseInsensitive) == 0;
        const auto value = selection.bound(bound.captured(2), lower);
        if (!value)
            return Failure{QString(), QStringLiteral("a consulta precisa do limite %1 de {%2}, que a fórmula de "
                                                     "seleção não dá")
                                          .arg(lower ? QStringLiteral("inferior") : QStringLiteral("superior"),
                                               bound.captured(2))};
        statement.sql += u'?';
        statement.params.append(*value);
    }
    statement.sql += sql.mid(at);
    return statement;
}

Prepared ReportControl::read(Connection& connection, const QDateTime& printed) const
{
    Result<Definition> definition = readDefinition(m_file);
    if (!definition)
        return fault(definition.failure().text);

    QHash<QString, QString> formulas;
    for (int slot = 0; slot < Slots; ++slot) {
        auto parsed = parseFormulaSlot(m_slots[slot]);
        if (!parsed)
            return fault(parsed.failure().text + u'.');
        if (!parsed->has_value())
            continue;
        const FormulaSlot& formula = **parsed;
        if (!definition->formulas.contains(formula.name))
            return fault(QStringLiteral("o relatório não tem a fórmula %1 (tem: %2).")
                             .arg(formula.name, definition->formulas.join(QStringLiteral(", "))));
        formulas.insert(formula.name, formula.value);
    }

    Result<Selection> selection = parseSelection(m_selection);
    if (!selection)
        return fault(QStringLiteral("a fórmula de seleção \"%1\" não pôde ser lida: %2.")
                         .arg(m_selection, selection.failure().text));
    const QString mainSql = definition->main.sql;
    if (!selection->sql.isEmpty() && !mainSql.contains(QStringLiteral("{selection}"), Qt::CaseInsensitive))
        return fault(QStringLiteral("a consulta de %1 não tem a marca {selection} para a fórmula de seleção.")
                         .arg(definition->file));
    for (const QString& field : selection->fields) {
        const QString table = field.section(u'.', 0, 0);
        const QRegularExpression named(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(table)),
                                       QRegularExpression::CaseInsensitiveOption);
        if (!named.match(mainSql).hasMatch())
            return fault(QStringLiteral("a fórmula de seleção usa {%1}, mas a consulta do relatório não lê a tabela %2.")
                             .arg(field, table));
    }

    Data data;
    auto run = [&](const Query& query, Rows& into) -> std::optional<Prepared> {
        Result<BoundStatement> statement = bindQuery(query.sql, *selection);
        if (!statement)
            return fault(QStringLiteral("%1, linha %2: %3.").arg(definition->file).arg(query.line)
                             .arg(statement.failure().text));
        Result<Rows> rows = connection.select(statement->sql, statement->params);
        if (!rows) {
            Prepared prepared;
            prepared.fault = Prepared::Fault::Database;
            prepared.failure = rows.failure();
            return prepared;
        }
        into = std::move(*rows);
        return std::nullopt;
    };
    if (auto failed = run(definition->main, data.main))
        return std::move(*failed);
    for (const Query& query : definition->queries) {
        Rows rows;
        if (auto failed = run(query, rows))
            return std::move(*failed);
        data.queries.insert(query.name.toLower(), std::move(rows));
    }

    Result<Document> document = Document::make(std::move(*definition), std::move(formulas), std::move(*selection),
                                               std::move(data), printed);
    if (!document)
        return fault(document.failure().text);
    Prepared prepared;
    prepared.document = std::move(*document);
    return prepared;
}

} // namespace report
