#include "purchases/purchase_opening.h"

#include "common/db_errors.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "purchases/code_lookup.h"

PurchaseOpening::PurchaseOpening(const TerminalSettings& settings, Messages& messages, bool inclusao,
                                 qint32 codigoCompra)
    : m_settings(settings)
    , m_messages(messages)
    , m_inclusao(inclusao)
    , m_codigoCompra(codigoCompra)
{
}

Connection& PurchaseOpening::conexao() const
{
    Q_ASSERT(m_settings.conexao);
    return *m_settings.conexao;
}

bool PurchaseOpening::load(const QDate& today)
{
    fields = Fields();
    fields.dtpicker1 = today;
    if (!loadSuppliers())
        return false;
    if (!m_inclusao)
        return loadHeader();
    const Result<Rows> next =
        conexao().select(QStringLiteral("select gen_id(codigo_compra,0) + 1 as codigo from rdb$database"));
    if (!next) {
        trata_erro_banco(m_messages, next.failure());
        return false;
    }
    fields.text3 = next->text(0, QStringLiteral("codigo"));
    return true;
}

bool PurchaseOpening::loadSuppliers()
{
    m_suppliers.clear();
    const Result<Rows> rows = conexao().select(QStringLiteral("select * from fornecedor order by cfantasia"));
    if (!rows) {
        trata_erro_banco(m_messages, rows.failure());
        return false;
    }
    m_suppliers.reserve(rows->count());
    for (int i = 0; i < rows->count(); ++i)
        m_suppliers.append({qint32(rows->integer(i, QStringLiteral("ncodigo"))),
                            rows->text(i, QStringLiteral("cfantasia"))});
    return true;
}

bool PurchaseOpening::loadHeader()
{
    // The supplier's code comes along, so the list shows the very supplier
    // stored even when another one has the same trade name.
    const std::optional<Rows> rows = selectFound(
        conexao(), m_messages,
        QStringLiteral("select c.ncodigo,c.ddata_compra,c.cnumero_doc,c.cobs,f.cfantasia,c.nfornecedor"
                       " from compra c,fornecedor f where f.ncodigo = c.nfornecedor and c.ncodigo = ?"),
        {SqlValue::integer(m_codigoCompra)});
    if (!rows)
        return false;
    fields.text3 = rows->text(0, QStringLiteral("ncodigo"));
    fields.dtpicker1 = rows->dateTime(0, QStringLiteral("ddata_compra")).date();
    fields.text1 = rows->text(0, QStringLiteral("cnumero_doc"));
    fields.text9 = rows->text(0, QStringLiteral("cobs"));
    const qint32 supplier = qint32(rows->integer(0, QStringLiteral("nfornecedor")));
    for (int i = 0; i < m_suppliers.size(); ++i) {
        if (m_suppliers.at(i).ncodigo == supplier) {
            fields.combo1 = i;
            break;
        }
    }
    return true;
}

std::optional<PurchaseOpening::Handover> PurchaseOpening::gravar()
{
    if (fields.combo1 < 0 || fields.combo1 >= m_suppliers.size()) {
        m_messages.info(msg::informeFornecedor);
        return std::nullopt;
    }
    const qint32 fornecedor = m_suppliers.at(fields.combo1).ncodigo;
    if (m_inclusao) {
        const std::optional<qint32> code = insert(fornecedor);
        if (!code)
            return std::nullopt;
        return Handover{*code, true};
    }
    if (!update(fornecedor))
        return std::nullopt;
    return Handover{m_codigoCompra, false};
}

std::optional<qint32> PurchaseOpening::insert(qint32 fornecedor)
{
    // The code is drawn here and inserted, rather than read back from the
    // generator afterwards: that could be the purchase another workstation
    // opened meanwhile. (The key trigger keeps a code already drawn.)
    const Result<qint64> drawn = conexao().generator(QStringLiteral("codigo_compra"), 1);
    if (!drawn) {
        trata_erro_banco(m_messages, drawn.failure());
        return std::nullopt;
    }
    const qint32 code = qint32(*drawn);
    const Result<int> inserted = conexao().execute(
        QStringLiteral("insert into compra values(?,?,?,?,0,?,0,0,0)"),
        {SqlValue::integer(*drawn), SqlValue::timestamp(QDateTime(fields.dtpicker1, QTime(0, 0))),
         SqlValue::integer(fornecedor), SqlValue::text(fields.text1), SqlValue::text(fields.text9)});
    if (!inserted) {
        trata_erro_banco(m_messages, inserted.failure());
        return std::nullopt;
    }
    return code;
}

bool PurchaseOpening::update(qint32 fornecedor)
{
    const Result<int> touched = conexao().execute(
        QStringLiteral("update compra set ddata_compra = ?, nfornecedor = ?,cnumero_doc = ?,cobs = ? where ncodigo = ?"),
        {SqlValue::timestamp(QDateTime(fields.dtpicker1, QTime(0, 0))), SqlValue::integer(fornecedor),
         SqlValue::text(fields.text1), SqlValue::text(fields.text9), SqlValue::integer(m_codigoCompra)});
    if (!touched) {
        trata_erro_banco(m_messages, touched.failure());
        return false;
    }
    if (*touched == 0) {
        // Deleted at another workstation meanwhile.
        m_messages.info(msg::registroNaoLocalizado);
        return false;
    }
    return true;
}
