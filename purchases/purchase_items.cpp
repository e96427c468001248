#include "purchases/purchase_items.h"

#include "common/br_format.h"
#include "common/db_errors.h"
#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/transaction.h"
#include "purchases/purchase_store.h"
#include "registers/list_screen.h"

namespace {

QList<ListColumn> columns()
{
    return {
        {QString(), 0, Qt::AlignHCenter, listcell::text(QStringLiteral("ncodigo"))},
        {QStringLiteral("Código"), 700, Qt::AlignHCenter, listcell::text(QStringLiteral("codprod"))},
        {QStringLiteral("Produto"), 3800, Qt::AlignLeft, listcell::text(QStringLiteral("descprod"))},
        {QStringLiteral("Unidade"), 1900, Qt::AlignHCenter, listcell::text(QStringLiteral("cunidade"))},
        {QStringLiteral("Qtde."), 800, Qt::AlignHCenter, listcell::quantity(QStringLiteral("nqtde"))},
        {QStringLiteral("Unitário"), 1200, Qt::AlignHCenter, listcell::money(QStringLiteral("nunitario"))},
        {QStringLiteral("Total"), 1500, Qt::AlignHCenter, listcell::money(QStringLiteral("ntotal"))},
    };
}

enum Column { LineCode = 0, ProductCode = 1, Quantity = 4, UnitPrice = 5, LineTotal = 6 };

} // namespace

PurchaseItems::PurchaseItems(const TerminalSettings& settings, Messages& messages, qint32 codigoCompra,
                             bool binclusao)
    : m_settings(settings)
    , m_messages(messages)
    , m_codigoCompra(codigoCompra)
    , m_binclusao(binclusao)
    , m_model(std::make_unique<ListModel>(columns(), MinimumRows))
{
}

PurchaseItems::~PurchaseItems() = default;

const QString& PurchaseItems::linesStatement()
{
    // The product's own unit comes along for the grid; the lines keep the
    // order they were entered in, so a refill leaves every line where it was.
    static const QString statement = QStringLiteral(
        "select item_da_compra.ncodigo,ntotal,produto.ncodigo as codprod,produto.cdescricao as descprod,"
        "item_da_compra.nqtde,item_da_compra.nunitario,produto.cunidade "
        " from produto,item_da_compra,compra where "
        " item_da_compra.nproduto = produto.ncodigo and item_da_compra.ncompra = compra.ncodigo and compra.ncodigo = ?"
        " order by item_da_compra.ncodigo");
    return statement;
}

Connection& PurchaseItems::conexao() const
{
    Q_ASSERT(m_settings.conexao);
    return *m_settings.conexao;
}

std::optional<qint32> PurchaseItems::lineCodeAt(int row) const
{
    return codeAtRow(*m_model, row, QStringLiteral("ncodigo"));
}

void PurchaseItems::load()
{
    fields = Fields();
    if (loadHeader())
        checkSupplier();
    loadLines();
    m_binclusaoitem = true;
}

bool PurchaseItems::loadHeader()
{
    const std::optional<Rows> rows = selectFound(conexao(), m_messages,
                                                 QStringLiteral("select * from compra where ncodigo = ?"),
                                                 {SqlValue::integer(m_codigoCompra)});
    if (!rows)
        return false;
    fields.text13 = rows->text(0, QStringLiteral("cnumero_doc"));
    fields.text10 = rows->text(0, QStringLiteral("nfornecedor"));
    fields.text3 = br::generalDate(rows->dateTime(0, QStringLiteral("ddata_compra")));
    fields.text7 = br::money(rows->money(0, QStringLiteral("ndesconto")));
    fields.text11 = br::money(rows->money(0, QStringLiteral("nacrescimo")));
    fields.text9 = rows->text(0, QStringLiteral("cobs"));
    return true;
}

void PurchaseItems::checkSupplier()
{
    if (const std::optional<qint32> supplier = typedCode(fields.text10))
        lookupAccepted(lookUpSupplierName(conexao(), m_messages, *supplier, fields.text15), m_messages);
}

bool PurchaseItems::loadLines()
{
    m_model->clear();
    m_productsTotal = Money();
    fields.text12 = br::money(Money());
    fields.text8 = br::money(Money());
    Result<Rows> rows = conexao().select(linesStatement(), {SqlValue::integer(m_codigoCompra)});
    if (!rows) {
        trata_erro_banco(m_messages, rows.failure());
        return false;
    }
    for (int i = 0; i < rows->count(); ++i)
        m_productsTotal += rows->money(i, QStringLiteral("ntotal"));
    m_model->fill(std::move(*rows));
    fields.text12 = br::money(m_productsTotal);
    recomputeTotal();
    return true;
}

void PurchaseItems::recomputeTotal()
{
    const std::optional<Money> discount = br::parseMoney(fields.text7);
    const std::optional<Money> surcharge = br::parseMoney(fields.text11);
    if (discount && surcharge)
        fields.text8 = br::money(m_productsTotal - *discount + *surcharge);
}

Lookup PurchaseItems::lookUpProduct()
{
    if (fields.text2.isEmpty()) {
        clearLine();
        return Lookup::Found;
    }
    const std::optional<qint32> product = typedCode(fields.text2);
    if (!product) {
        clearLine();
        return Lookup::Missing;
    }
    const Result<Rows> rows = conexao().select(
        QStringLiteral("select produto.ncodigo,cdescricao,cunidade,nvalor_compra from produto where produto.ncodigo  =  ?"),
        {SqlValue::integer(*product)});
    if (!rows) {
        trata_erro_banco(m_messages, rows.failure());
        return Lookup::Failed;
    }
    if (rows->isEmpty()) {
        clearLine();
        return Lookup::Missing;
    }
    fields.text1 = rows->text(0, QStringLiteral("cdescricao")) + QStringLiteral(" - ")
        + rows->text(0, QStringLiteral("cunidade"));
    fields.text5 = br::money(rows->money(0, QStringLiteral("nvalor_compra")));
    return Lookup::Found;
}

bool PurchaseItems::leaveProduct()
{
    return lookupAccepted(lookUpProduct(), m_messages);
}

bool PurchaseItems::productPicked(qint32 codigo_consulta)
{
    if (codigo_consulta == 0)
        return false;
    fields.text2 = QString::number(codigo_consulta);
    return leaveProduct();
}

void PurchaseItems::proposeLineTotal()
{
    if (fields.text4.isEmpty())
        return;
    const std::optional<Money> quantity = br::parseMoney(fields.text4);
    const std::optional<Money> price = br::parseMoney(fields.text5);
    if (fields.text1.isEmpty() || !quantity || !price) {
        fields.text6.clear();
        return;
    }
    fields.text6 = br::money(quantity->times(*price));
}

void PurchaseItems::clearLine()
{
    fields.text1.clear();
    fields.text4.clear();
    fields.text5.clear();
    fields.text6.clear();
}

void PurchaseItems::cancelaLinha()
{
    clearLine();
    fields.text2.clear();
    fields.text2Enabled = true;
    m_binclusaoitem = true;
}

bool PurchaseItems::confirma(int currentRow)
{
    const Fields& f = fields;
    // The product first; then an empty quantity is told as such (its line
    // total is empty too); then the other fields as every screen does.
    if (!verifica_obrigatorios({f.text2, f.text1}, m_messages))
        return false;
    const std::optional<Money> quantity = br::parseMoney(f.text4);
    if (!quantity || *quantity <= Money()) {
        m_messages.info(msg::quantidadeMaiorQueZero);
        return false;
    }
    if (!verifica_obrigatorios({f.text5, f.text6, f.text7, f.text11, f.text8}, m_messages))
        return false;
    const std::optional<Money> price = br::parseMoney(f.text5);
    const std::optional<Money> total = br::parseMoney(f.text6);
    if (!price || !total) {
        m_messages.info(msg::camposObrigatorios);
        return false;
    }

    Result<int> stored = 0;
    if (m_binclusaoitem) {
        const std::optional<qint32> product = typedCode(f.text2);
        if (!product) {
            m_messages.info(msg::registroNaoLocalizado);
            return false;
        }
        stored = conexao().execute(QStringLiteral("insert into item_da_compra values(null,?,?,?,?,?)"),
                                   {SqlValue::integer(*product), SqlValue::integer(m_codigoCompra),
                                    SqlValue::quantity(*quantity), SqlValue::money(*price), SqlValue::money(*total)});
    } else {
        // The line of the row current now, as the grid shows it.
        const std::optional<qint32> line = lineCodeAt(currentRow);
        if (!line) {
            m_messages.info(msg::selecioneItemCompra);
            return false;
        }
        stored = conexao().execute(
            QStringLiteral("update item_da_compra set nqtde = ?,nunitario =?,ntotal = ? where ncodigo = ?"),
            {SqlValue::quantity(*quantity), SqlValue::money(*price), SqlValue::money(*total), SqlValue::integer(*line)});
    }
    if (!stored) {
        trata_erro_banco(m_messages, stored.failure());
        return false;
    }
    if (*stored == 0) {
        // Removed at another workstation meanwhile: the grid shows what is left.
        m_messages.info(msg::registroNaoLocalizado);
        loadLines();
        return false;
    }
    loadLines();
    cancelaLinha();
    return true;
}

void PurchaseItems::pickLine(int row)
{
    if (!lineCodeAt(row)) {
        cancelaLinha();
        return;
    }
    fields.text2Enabled = false;
    m_binclusaoitem = false;
    fields.text2 = m_model->cell(row, ProductCode);
    lookUpProduct();
    // The stored price and total replace the product's current price.
    fields.text4 = m_model->cell(row, Quantity);
    fields.text5 = m_model->cell(row, UnitPrice);
    fields.text6 = m_model->cell(row, LineTotal);
}

bool PurchaseItems::excluir(int row)
{
    const std::optional<qint32> line = lineCodeAt(row);
    if (!line || !confirma_exclusao(m_messages))
        return false;
    const Result<int> deleted =
        conexao().execute(QStringLiteral("delete from item_da_compra where ncodigo = ?"), {SqlValue::integer(*line)});
    if (!deleted) {
        trata_erro_banco(m_messages, deleted.failure());
        return false;
    }
    loadLines();
    cancelaLinha();
    return true;
}

bool PurchaseItems::gravar()
{
    if (m_model->foundCount() == 0) {
        m_messages.info(msg::incluaProdutosCompra);
        return false;
    }
    const std::optional<Money> discount = br::parseMoney(fields.text7);
    const std::optional<Money> surcharge = br::parseMoney(fields.text11);
    if (!discount || !surcharge) {
        m_messages.info(msg::camposObrigatorios);
        return false;
    }

    // The total stored is the lines' own sum at this moment, never a text.
    enum class Outcome { Closed, NoLines, Changed, Negative, Missing, Failed };
    Outcome outcome = Outcome::Failed;
    Failure failure;
    Money total;
    {
        Transaction transaction(conexao());
        const auto fail = [&](const Failure& why) {
            failure = why;
            return Outcome::Failed;
        };
        outcome = [&] {
            if (!transaction.begun())
                return fail(transaction.failure());
            const Result<Rows> sum = conexao().select(
                QStringLiteral("select count(*),sum(ntotal) from item_da_compra where ncompra = ?"),
                {SqlValue::integer(m_codigoCompra)});
            if (!sum)
                return fail(sum.failure());
            const qint64 lines = sum->integer(0, QStringLiteral("count"));
            const Money products = sum->money(0, QStringLiteral("sum"));
            if (lines == 0)
                return Outcome::NoLines;
            if (lines != m_model->foundCount() || products != m_productsTotal)
                return Outcome::Changed;
            total = products - *discount + *surcharge;
            if (total < Money())
                return Outcome::Negative;
            const Result<int> touched = conexao().execute(
                QStringLiteral("update compra set ndesconto = ?,nacrescimo = ?,nvalor_total = ? where ncodigo = ?"),
                {SqlValue::money(*discount), SqlValue::money(*surcharge), SqlValue::money(total),
                 SqlValue::integer(m_codigoCompra)});
            if (!touched)
                return fail(touched.failure());
            if (*touched == 0)
                return Outcome::Missing;
            if (Result<void> committed = transaction.commit(); !committed)
                return fail(committed.failure());
            return Outcome::Closed;
        }();
    }   // rolled back here unless committed, before any message

    switch (outcome) {
    case Outcome::Closed:
        fields.text8 = br::money(total);
        m_messages.info(msg::compraRegistrada);
        return true;
    case Outcome::NoLines:
        loadLines();
        m_messages.info(msg::incluaProdutosCompra);
        return false;
    case Outcome::Changed:
        loadLines();
        m_messages.info(msg::itensAlteradosOutroCaixa);
        return false;
    case Outcome::Negative:
        m_messages.info(msg::descontoAcimaDoTotal);
        return false;
    case Outcome::Missing:
        m_messages.info(msg::registroNaoLocalizado);
        return false;
    case Outcome::Failed:
        trata_erro_banco(m_messages, failure);
        return false;
    }
    return false;
}

bool PurchaseItems::sair()
{
    if (!m_binclusao)
        return true;
    if (!m_messages.question(msg::cancelarCompra))
        return false;
    const Result<int> removed = purchase_store::removePurchase(conexao(), m_codigoCompra);
    if (!removed) {
        trata_erro_banco(m_messages, removed.failure());
        return false;
    }
    return true;
}
