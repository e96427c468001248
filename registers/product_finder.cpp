#include "registers/product_finder.h"

namespace {

QList<ListColumn> columns()
{
    return {
        {QStringLiteral("Código"), 1000, Qt::AlignHCenter, listcell::text(QStringLiteral("ncodigo"))},
        {QStringLiteral("Nome"), 3500, Qt::AlignLeft, listcell::text(QStringLiteral("prod"))},
        {QStringLiteral("Preço"), 2350, Qt::AlignHCenter, listcell::money(QStringLiteral("nvalor_venda"))},
        {QStringLiteral("Qtde. atual"), 1450, Qt::AlignHCenter, listcell::quantity(QStringLiteral("nqtde_atual"))},
    };
}

const QString select = QStringLiteral(
    "select produto.ncodigo,nvalor_venda,produto.cdescricao as prod,nqtde_atual,grupo.cdescricao"
    " from produto,grupo where ");
const QString searchHead = select + QStringLiteral("ngrupo = grupo.ncodigo and ");
// "+ 0" keeps the engine off the group index, so it walks the products in
// code order instead of sorting the whole catalogue: the unfiltered list of
// 10,000 products fetches in about half the time. With a group chosen the
// sort of the few rows left is the cheaper road, so that search keeps it.
const QString byCodeHead = select + QStringLiteral("ngrupo + 0 = grupo.ncodigo and ");

} // namespace

ProductFinder::ProductFinder(const TerminalSettings& settings, Messages& messages)
    : ListScreen(settings, messages, columns(), MinimumRows)
{
}

QStringList ProductFinder::loadGroups()
{
    return QStringList{QString()}
        + columnTexts(QStringLiteral("select * from grupo order by cdescricao"), QStringLiteral("cdescricao"));
}

std::optional<ListScreen::Statement> ProductFinder::searchStatement() const
{
    return byCodeOr(m_codigo, searchHead + QStringLiteral("produto.ncodigo = ?"), [this] {
        if (!m_grupo.isEmpty())
            return Statement{searchHead + QStringLiteral("produto.cdescricao like ?  and grupo.cdescricao = ?"
                                                     " order by produto.ncodigo"),
                             {SqlValue::text(anywhere(m_nome)), SqlValue::text(m_grupo)}};
        return Statement{byCodeHead + QStringLiteral("produto.cdescricao like ? order by produto.ncodigo"),
                         {SqlValue::text(anywhere(m_nome))}};
    });
}

QString ProductFinder::deleteStatement() const
{
    return QStringLiteral("delete from produto where ncodigo =?");
}
