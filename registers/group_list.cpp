#include "registers/group_list.h"

namespace {

QList<ListColumn> columns()
{
    return {
        {QStringLiteral("Código"), 1000, Qt::AlignHCenter, listcell::text(QStringLiteral("ncodigo"))},
        {QStringLiteral("Nome"), 5850, Qt::AlignLeft, listcell::text(QStringLiteral("cdescricao"))},
    };
}

} // namespace

GroupList::GroupList(const TerminalSettings& settings, Messages& messages)
    : ListScreen(settings, messages, columns(), MinimumRows)
{
}

std::optional<ListScreen::Statement> GroupList::searchStatement() const
{
    bool outOfRange = false;
    if (const std::optional<qint32> code = codeFilter(m_codigo, &outOfRange))
        return Statement{QStringLiteral("select * from grupo where ncodigo = ?"), {SqlValue::integer(*code)}};
    if (outOfRange)
        return std::nullopt;
    return Statement{QStringLiteral("select * from grupo where cdescricao like ? order by ncodigo"),
                     {SqlValue::text(anywhere(m_nome))}};
}

QString GroupList::deleteStatement() const
{
    return QStringLiteral("delete from grupo where ncodigo =?");
}
