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
    : CodeNameList(settings, messages, columns(), MinimumRows,
                   QStringLiteral("select * from grupo where ncodigo = ?"),
                   QStringLiteral("select * from grupo where cdescricao like ? order by ncodigo"))
{
}

QString GroupList::deleteStatement() const
{
    return QStringLiteral("delete from grupo where ncodigo =?");
}
