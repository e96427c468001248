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
    : CodeNameList(settings, messages, columns(), MinimumRows,
                   QStringLiteral("select * from tipo_entrada where ncodigo = ?"),
                   QStringLiteral("select * from tipo_entrada where cnome like ? order by ncodigo"))
{
}

QString EntryTypeList::deleteStatement() const
{
    return QStringLiteral("delete from tipo_entrada where ncodigo =?");
}
