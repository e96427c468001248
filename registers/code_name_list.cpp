#include "registers/code_name_list.h"

CodeNameList::CodeNameList(const TerminalSettings& settings, Messages& messages, QList<ListColumn> columns,
                           int minimumRows, QString byCode, QString byName)
    : ListScreen(settings, messages, std::move(columns), minimumRows)
    , m_byCode(std::move(byCode))
    , m_byName(std::move(byName))
{
}

std::optional<ListScreen::Statement> CodeNameList::searchStatement() const
{
    return byCodeOr(m_codigo, m_byCode, [this] { return Statement{m_byName, {SqlValue::text(anywhere(m_nome))}}; });
}
