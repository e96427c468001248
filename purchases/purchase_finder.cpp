#include "purchases/purchase_finder.h"

#include "common/br_format.h"
#include "common/db_errors.h"
#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "purchases/purchase_store.h"
#include "registers/list_screen.h"
#include "registers/register_values.h"

namespace {

std::function<QString(const Rows&, int)> dateCell(const QString& column)
{
    return [column](const Rows& rows, int row) { return br::date(rows.dateTime(row, column).date()); };
}

QList<ListColumn> columns()
{
    return {
        {QStringLiteral("Código"), 1000, Qt::AlignHCenter, listcell::text(QStringLiteral("codcompra"))},
        {QStringLiteral("Fornecedor"), 4000, Qt::AlignLeft, listcell::text(QStringLiteral("cfantasia"))},
        {QStringLiteral("Data"), 1500, Qt::AlignHCenter, dateCell(QStringLiteral("ddata_compra"))},
        {QStringLiteral("Nota"), 1700, Qt::AlignHCenter, listcell::text(QStringLiteral("cnumero_doc"))},
        {QStringLiteral("Total"), 2000, Qt::AlignHCenter, listcell::money(QStringLiteral("nvalor_total"))},
        {QString(), 0, Qt::AlignLeft, listcell::text(QStringLiteral("codfor"))},
        {QString(), 0, Qt::AlignLeft, listcell::text(QStringLiteral("cobs"))},
    };
}

const QString searchHead = QStringLiteral(
    "select cnumero_doc,compra.cobs,compra.ncodigo as codcompra,ddata_compra,nvalor_total,"
    "fornecedor.ncodigo as codfor,fornecedor.cfantasia from compra,fornecedor"
    " where compra.nfornecedor = fornecedor.ncodigo");

// The period runs from the first moment of its first day to the last moment
// of its last day, whatever time of day a purchase was stored with.
SqlParams period(const QDate& start, const QDate& end)
{
    return {SqlValue::timestamp(QDateTime(start, QTime(0, 0))),
            SqlValue::timestamp(QDateTime(end, QTime(23, 59, 59, 999)))};
}

} // namespace

QStringList PurchaseFinder::filterNames()
{
    return {QStringLiteral("Todas"), QStringLiteral("Por período"), QStringLiteral("Por fornecedor"),
            QStringLiteral("Por fornecedor e período")};
}

PurchaseFinder::PurchaseFinder(const TerminalSettings& settings, Messages& messages)
    : m_settings(settings)
    , m_messages(messages)
    , m_model(std::make_unique<ListModel>(columns(), MinimumRows))
{
}

PurchaseFinder::~PurchaseFinder() = default;

Connection& PurchaseFinder::conexao() const
{
    Q_ASSERT(m_settings.conexao);
    return *m_settings.conexao;
}

std::optional<qint32> PurchaseFinder::codeAt(int row) const
{
    return codeAtRow(*m_model, row, QStringLiteral("codcompra"));
}

void PurchaseFinder::load(const QDate& today)
{
    fields = Fields();
    fields.dtpicker1 = today;
    fields.dtpicker2 = today;
    filterChanged(PorPeriodo);
}

void PurchaseFinder::filterChanged(int combo1)
{
    fields.combo1 = combo1;
    fields.text10.clear();
    fields.text15.clear();
    m_model->clear();
}

Lookup PurchaseFinder::lookUpSupplier()
{
    if (!isWholeNumber(fields.text10)) {
        fields.text15.clear();
        return Lookup::Found;
    }
    const std::optional<qint32> supplier = typedCode(fields.text10);
    if (!supplier) {
        fields.text15.clear();
        return Lookup::Missing;
    }
    return lookUpSupplierName(conexao(), m_messages, *supplier, fields.text15);
}

bool PurchaseFinder::checkSupplier()
{
    return lookupAccepted(lookUpSupplier(), m_messages);
}

bool PurchaseFinder::supplierPicked(qint32 codigo_consulta)
{
    if (codigo_consulta == 0)
        return false;
    fields.text10 = QString::number(codigo_consulta);
    return checkSupplier();
}

bool PurchaseFinder::mostrar()
{
    const int filter = fields.combo1;
    const bool bySupplier = filter == PorFornecedor || filter == PorFornecedorEPeriodo;
    const bool byPeriod = filter == PorPeriodo || filter == PorFornecedorEPeriodo;
    QString sql = searchHead;
    SqlParams params;
    if (bySupplier) {
        // The name shown belongs to the code searched for: looked up again,
        // as the code may have been typed without leaving the field.
        if (fields.text10.isEmpty()) {
            m_messages.info(msg::informeFornecedor);
            return false;
        }
        if (!checkSupplier())
            return false;
        if (fields.text15.isEmpty()) {
            m_messages.info(msg::informeFornecedor);
            return false;
        }
        sql += QStringLiteral(" and nfornecedor = ?");
        params << SqlValue::integer(*typedCode(fields.text10));
    }
    if (byPeriod) {
        sql += QStringLiteral(" and ddata_compra between ? and ?");
        params << period(fields.dtpicker1, fields.dtpicker2);
    }
    sql += bySupplier && !byPeriod ? QStringLiteral("  order by ddata_compra ") : QStringLiteral(" order by ddata_compra ");

    Result<Rows> rows = conexao().select(sql, params);
    if (!rows) {
        m_model->clear();
        trata_erro_banco(m_messages, rows.failure());
        return false;
    }
    m_model->fill(std::move(*rows));
    return true;
}

bool PurchaseFinder::excluir(int row)
{
    const std::optional<qint32> code = codeAt(row);
    if (!code || !confirma_exclusao(m_messages))
        return false;
    const Result<int> removed = purchase_store::removePurchase(conexao(), *code);
    if (!removed) {
        trata_erro_banco(m_messages, removed.failure());
        return false;
    }
    mostrar();
    return true;
}
