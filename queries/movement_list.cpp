#include "queries/movement_list.h"

// The "+ 0" in the joins keeps Firebird from reaching the period's rows
// through the other table's key: with index statistics as old as the
// database (Firebird never refreshes them by itself), it otherwise walked
// every sale line of the history for one business day. This way the index
// on the movement's date always drives the read.

namespace {

constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;

GridColumn col(const char* header, int twips, CellFormat format, const char* field,
               Qt::Alignment alignment = Qt::AlignCenter)
{
    return GridColumn{QString::fromUtf8(header), twips, format, QString::fromUtf8(field), alignment};
}

MovementKind makeEntries()
{
    MovementKind k;
    k.objectName = QStringLiteral("consultaEntrada");
    k.title = QStringLiteral("Entradas");
    k.activeTab = QStringLiteral("Entradas válidas");
    k.cancelledTab = QStringLiteral("Entradas excluídas");
    k.active.columns = {
        col("Código", 0, CellFormat::Code, "ncodigo"),
        col("Data", 1300, CellFormat::Date, "ddata_entrada"),
        col("Hora", 1300, CellFormat::Time, "ddata_entrada"),
        col("Tipo", 3000, CellFormat::Text, "cnome", Left),
        col("Caixa", 1500, CellFormat::Integer, "ncaixa_entrada"),
        col("Valor", 1400, CellFormat::Money, "nvalor"),
        col("Docto", 1000, CellFormat::Integer, "nnumero"),
        col("Sel.", 800, CellFormat::Mark, ""),
    };
    k.active.sql = QStringLiteral(
        "select e.nnumero,e.ncodigo,e.ddata_entrada,e.ncaixa_entrada,e.nvalor,t.cnome "
        "from tipo_entrada t,entrada e where  t.ncodigo = e.ntipo_entrada + 0 and "
        "ddata_entrada between ? and ? and cexcluida = 'Nao' order by ddata_entrada");
    k.active.valueField = QStringLiteral("nvalor");
    k.cancelled.columns = {
        col("Código", 0, CellFormat::Code, "ncodigo"),
        col("Entrada", 1200, CellFormat::DayTime, "ddata_entrada"),
        col("Caixa", 800, CellFormat::Integer, "ncaixa_entrada"),
        col("Tipo", 1800, CellFormat::Text, "cnome", Left),
        col("Exclusão", 1200, CellFormat::DayTime, "ddata_exclusao"),
        col("Caixa", 800, CellFormat::Integer, "ncaixa_exclusao"),
        col("Valor", 1200, CellFormat::Money, "nvalor"),
        col("Motivo", 2200, CellFormat::Text, "cmotivo_exclusao", Left),
        col("Docto", 1000, CellFormat::Integer, "nnumero"),
    };
    k.cancelled.sql = QStringLiteral(
        "select e.nnumero,e.ncodigo,e.ddata_entrada,e.ncaixa_entrada,e.nvalor,t.cnome,"
        "e.ddata_exclusao,e.ncaixa_exclusao,cmotivo_exclusao "
        "from tipo_entrada t,entrada e where  t.ncodigo = e.ntipo_entrada + 0 and "
        "ddata_entrada between ? and ? and cexcluida = 'Sim' order by ddata_entrada");
    k.cancelled.valueField = QStringLiteral("nvalor");
    k.cancelSql = QStringLiteral(
        "update entrada set cexcluida = 'Sim', cmotivo_exclusao = '', ncaixa_exclusao = ? "
        "where ncodigo = ? and cexcluida = 'Nao'");
    k.cancelledSql = QStringLiteral(
        "select count(*) from entrada where ncodigo = ? and cexcluida = 'Sim' and ncaixa_exclusao = ?");
    return k;
}

MovementKind makeSales()
{
    MovementKind k;
    k.objectName = QStringLiteral("consultaVenda");
    k.title = QStringLiteral("Vendas");
    k.activeTab = QStringLiteral("Vendas válidas");
    k.cancelledTab = QStringLiteral("Venda excluídas");
    k.active.columns = {
        col("Código", 0, CellFormat::Code, "ncodigo"),
        col("Data", 1300, CellFormat::DayTime, "ddata_venda"),
        col("Caixa", 1200, CellFormat::Integer, "ncaixa_venda"),
        col("Produto", 3500, CellFormat::Text, "cdescricao", Left),
        col("Qtde", 1000, CellFormat::Quantity, "nqtde"),
        col("Total", 1400, CellFormat::Money, "ntotal"),
        col("Docto", 1000, CellFormat::Integer, "nnumero"),
        col("Sel.", 800, CellFormat::Mark, ""),
    };
    k.active.sql = QStringLiteral(
        "select iv.nnumero,iv.ncodigo,v.ddata_venda,v.ncaixa_venda,iv.nqtde,iv.ntotal,p.cdescricao "
        "from venda v,item_venda iv,produto p where v.ncodigo + 0 = iv.nvenda and "
        "iv.nproduto = p.ncodigo and ddata_venda between ? and ? and cexcluido = 'Nao' "
        "order by nnumero");
    k.active.valueField = QStringLiteral("ntotal");
    k.cancelled.columns = {
        col("Código", 0, CellFormat::Code, "ncodigo"),
        col("Venda", 1200, CellFormat::DayTime, "ddata_venda"),
        col("Caixa", 800, CellFormat::Integer, "ncaixa_venda"),
        col("Produto", 1800, CellFormat::Text, "cdescricao", Left),
        col("Exclusão", 1200, CellFormat::DayTime, "ddata_exclusao"),
        col("Caixa", 800, CellFormat::Integer, "ncaixa_exclusao"),
        col("Valor", 1000, CellFormat::Money, "ntotal"),
        col("Motivo", 2500, CellFormat::Text, "cmotivo_exclusao", Left),
        col("Docto", 900, CellFormat::Integer, "nnumero"),
    };
    k.cancelled.sql = QStringLiteral(
        "select iv.nnumero,iv.ncodigo,v.ddata_venda,ddata_exclusao,v.ncaixa_venda,"
        "ncaixa_exclusao,cmotivo_exclusao,iv.nqtde,iv.ntotal,p.cdescricao "
        "from venda v,item_venda iv,produto p where v.ncodigo + 0 = iv.nvenda and "
        "iv.nproduto = p.ncodigo and ddata_venda between ? and ? and cexcluido = 'Sim' "
        "order by nnumero");
    k.cancelled.valueField = QStringLiteral("ntotal");
    k.cancelSql = QStringLiteral(
        "update item_venda set cexcluido = 'Sim', cmotivo_exclusao = '', ncaixa_exclusao = ? "
        "where ncodigo = ? and cexcluido = 'Nao'");
    k.cancelledSql = QStringLiteral(
        "select count(*) from item_venda where ncodigo = ? and cexcluido = 'Sim' and ncaixa_exclusao = ?");
    return k;
}

} // namespace

int GridList::markColumn() const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].format == CellFormat::Mark)
            return i;
    }
    return -1;
}

const MovementKind& saleMovements()
{
    static const MovementKind kind = makeSales();
    return kind;
}

const MovementKind& entryMovements()
{
    static const MovementKind kind = makeEntries();
    return kind;
}
