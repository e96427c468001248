#include "registers/cash_register_list.h"

namespace {

QList<ListColumn> columns()
{
    return {
        {QStringLiteral("Código"), 1000, Qt::AlignHCenter, listcell::text(QStringLiteral("ncodigo"))},
        {QStringLiteral("Nome"), 5850, Qt::AlignLeft, listcell::text(QStringLiteral("coperador"))},
    };
}

} // namespace

CashRegisterList::CashRegisterList(const TerminalSettings& settings, Messages& messages)
    : ListScreen(settings, messages, columns(), MinimumRows)
{
}

std::optional<ListScreen::Statement> CashRegisterList::searchStatement() const
{
    return Statement{QStringLiteral("select * from caixa order by ncodigo"), {}};
}

QString CashRegisterList::deleteStatement() const
{
    return QStringLiteral("delete from caixa where ncodigo =?");
}
