#include "registers/entry_type_list.h"

namespace {

QList<ListColumn> columns()
{
    return {
        {QStringLiteral("Código"), 1000, Qt::AlignHCenter, listcell::text(QStringLiteral("ncodigo"))},
        {QStringLiteral("Nome"), 4700, Qt::AlignLeft, listcell::text(QStringLiteral("cnome"))},
        {QStringLiteral("Valor"), 1150, Qt::AlignHCenter, listcell::money(QStringLiteral("nvalor"))},
    };
}

} // namespace

EntryTypeList::EntryTypeList(const TerminalSettings& settings, Messages& messages)
    : ListScreen(settings, messages, columns(), MinimumRows)
{
}

std::optional<ListScreen::Statement> EntryTypeList::searchStatement() const
{
    bool outOfRange = false;
    if (const std::optional<qint32> code = codeFilter(m_codigo, &outOfRange))
        return Statement{QStringLiteral("select * from tipo_entrada where ncodigo = ?"),
                         {SqlValue::integer(*code)}};
    if (outOfRange)
        return std::nullopt;
    return Statement{QStringLiteral("select * from tipo_entrada where cnome like ? order by ncodigo"),
                     {SqlValue::text(anywhere(m_nome))}};
}

QString EntryTypeList::deleteStatement() const
{
    return QStringLiteral("delete from tipo_entrada where ncodigo =?");
}
