#include "registers/supplier_list.h"

namespace {

QList<ListColumn> columns()
{
    return {
        {QStringLiteral("Código"), 1000, Qt::AlignHCenter, listcell::text(QStringLiteral("ncodigo"))},
        {QStringLiteral("Fantasia"), 3500, Qt::AlignLeft, listcell::text(QStringLiteral("cfantasia"))},
        {QStringLiteral("Endereço"), 3000, Qt::AlignLeft, listcell::text(QStringLiteral("cendereco"))},
        {QStringLiteral("Cidade"), 2000, Qt::AlignHCenter, listcell::text(QStringLiteral("ccidade"))},
        {QStringLiteral("Fone"), 1500, Qt::AlignHCenter, listcell::text(QStringLiteral("cfone"))},
    };
}

const QString head = QStringLiteral("select fornecedor.ncodigo,ccidade,cfantasia,cendereco,cfone from fornecedor where ");

} // namespace

SupplierList::SupplierList(const TerminalSettings& settings, Messages& messages)
    : ListScreen(settings, messages, columns(), MinimumRows)
{
}

QStringList SupplierList::loadCities()
{
    QStringList items{QString()};
    // A supplier without a city would only repeat the empty item, which
    // already means any city.
    for (const QString& city :
         columnTexts(QStringLiteral("select distinct ccidade from fornecedor order by ccidade"), QStringLiteral("ccidade")))
        if (!city.isEmpty())
            items << city;
    return items;
}

std::optional<ListScreen::Statement> SupplierList::searchStatement() const
{
    return byCodeOr(m_codigo, head + QStringLiteral("fornecedor.ncodigo = ? and ncodigo > 0"), [this] {
        const QString names = QStringLiteral("fornecedor.cfantasia like ? and fornecedor.cendereco like ?");
        if (m_cidade.isEmpty())
            return Statement{head + names + QStringLiteral(" and fornecedor.ncodigo >0 order by fornecedor.ncodigo"),
                             {SqlValue::text(anywhere(m_fantasia)), SqlValue::text(anywhere(m_endereco))}};
        return Statement{head + names
                             + QStringLiteral(" and ccidade = ? and fornecedor.ncodigo >0 order by fornecedor.ncodigo"),
                         {SqlValue::text(anywhere(m_fantasia)), SqlValue::text(anywhere(m_endereco)),
                          SqlValue::text(m_cidade)}};
    });
}

QString SupplierList::deleteStatement() const
{
    return QStringLiteral("delete from fornecedor where ncodigo =?");
}
