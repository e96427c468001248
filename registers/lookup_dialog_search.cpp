#include "registers/lookup_dialog_search.h"

#include "common/text_utils.h"
#include "db/connection.h"

namespace {

const QString produtos = QStringLiteral("Produtos");
const QString grupos = QStringLiteral("Grupos");
const QString fornecedores = QStringLiteral("Fornecedores");

} // namespace

LookupSearch::LookupSearch(Connection& conexao, const QString& cTipoConsula)
    : m_conexao(conexao)
    , m_kind(cTipoConsula)
{
}

bool LookupSearch::isKnownKind(const QString& cTipoConsula)
{
    return cTipoConsula == produtos || cTipoConsula == grupos || cTipoConsula == fornecedores;
}

QString LookupSearch::caption() const
{
    if (m_kind == grupos)
        return QStringLiteral("Consulta de grupos");
    if (m_kind == produtos)
        return QStringLiteral("Consulta de produtos");
    return QStringLiteral("Consultas");
}

QString LookupSearch::statement() const
{
    if (m_kind == grupos)
        return QStringLiteral("select ncodigo,cdescricao as cnome from grupo where cdescricao like ?  order by ncodigo");
    if (m_kind == produtos)
        return QStringLiteral("select ncodigo,cdescricao ||' - '||cunidade as cnome from produto where cdescricao like ? and nativo = ? order by cdescricao");
    if (m_kind == fornecedores)
        return QStringLiteral("select ncodigo,cfantasia as cnome from fornecedor where cfantasia like ? and ncodigo > 1  order by cfantasia");
    return {};
}

Result<void> LookupSearch::search()
{
    m_rows.clear();
    if (!isKnownKind())
        return Failure{{}, QStringLiteral("Tipo de consulta desconhecido: ") + m_kind};

    SqlParams params{SqlValue::text(properCase(m_filter) + QLatin1Char('%'))};
    if (m_kind == produtos)
        params.append(SqlValue::integer(m_onlyActive ? 1 : 0));

    auto rows = m_conexao.select(statement(), params);
    if (!rows)
        return rows.failure();

    const int codigo = rows->column(QStringLiteral("ncodigo"));
    const int nome = rows->column(QStringLiteral("cnome"));
    m_rows.reserve(rows->count());
    for (int i = 0; i < rows->count(); ++i)
        m_rows.append({qint32(rows->value(i, codigo).toLongLong()), rows->value(i, nome).toString()});
    return {};
}

bool LookupSearch::pick(int index)
{
    if (index < 0 || index >= m_rows.size())
        return false;
    m_codigo = m_rows.at(index).ncodigo;
    return true;
}
