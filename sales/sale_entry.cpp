#include "sales/sale_entry.h"

#include "common/br_format.h"
#include "common/db_errors.h"
#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/sale_ticket.h"
#include "common/support_log.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "sales/sale_limits.h"
#include "sales/sale_recording.h"

#include <utility>

namespace {

const QString productStatement = QStringLiteral(
    "select produto.nvalor_interno, produto.cdescricao,cunidade,nvalor_venda from produto where ncodigo = ? and nativo = 1");

QString zero()
{
    return br::money(Money());
}

} // namespace

SaleEntry::SaleEntry(const TerminalSettings& settings, Messages& messages)
    : m_settings(settings)
    , m_messages(messages)
{
    load();
}

bool SaleEntry::quantityEditable() const
{
    return m_settings.quantidade_livre;
}

void SaleEntry::load()
{
    fields = Fields{};
    resetEntryFields();
    m_lines.clear();
    fields.text7 = zero();
}

void SaleEntry::resetEntryFields()
{
    fields.text3.clear();
    fields.text1.clear();
    fields.text4.clear();
    fields.text2 = QStringLiteral("1");
    fields.text5 = zero();
    fields.text6 = zero();
}

bool SaleEntry::leaveCode()
{
    const QString typed = fields.text3.trimmed();
    if (typed.isEmpty() || !sale_limits::looksNumeric(typed)) {
        resetEntryFields();
        return true;
    }

    // A code the column cannot hold cannot be registered either.
    const auto code = sale_limits::productCode(typed);
    Rows rows;
    if (code) {
        auto found = m_settings.conexao->select(productStatement, {SqlValue::integer(*code)});
        if (!found) {
            trata_erro_banco(m_messages, found.failure());
            return false;
        }
        rows = std::move(*found);
    }
    if (rows.count() < 1) {
        registro_nao_localizado(m_messages);
        resetEntryFields();
        return false;
    }

    fields.text1 = rows.text(0, QStringLiteral("cdescricao"));
    fields.text4 = rows.text(0, QStringLiteral("cunidade"));
    fields.text2 = QStringLiteral("1");
    const Money price = rows.money(0, fields.check1 ? QStringLiteral("nvalor_interno")
                                                    : QStringLiteral("nvalor_venda"));
    fields.text5 = br::money(price);
    fields.text6 = br::money(price);
    return true;
}

namespace {

// Stored with three decimals, a fourth would be rounded away while the line
// amount was computed from it.
bool quantityExact(const QString& text, Messages& messages)
{
    if (!br::beyondDecimals(text, 3))
        return true;
    messages.info(msg::casasDecimais.arg(QStringLiteral("Qtde")));
    return false;
}

} // namespace

bool SaleEntry::leaveQuantity()
{
    // A whole-number field on leaving: what is not a number is emptied, a
    // number stays as typed.
    if (!br::parseMoney(fields.text2) && !sale_limits::looksNumeric(fields.text2))
        fields.text2.clear();
    if (!quantityExact(fields.text2, m_messages))
        return false;
    recomputeLineAmount();
    return true;
}

void SaleEntry::leaveUnitPrice()
{
    const auto price = br::parseMoney(fields.text5);
    fields.text5 = price ? br::money(*price) : QString();
    recomputeLineAmount();
}

void SaleEntry::recomputeLineAmount()
{
    const auto quantity = br::parseMoney(fields.text2);
    const auto price = br::parseMoney(fields.text5);
    if (!quantity || !price)
        return;
    // Beyond the columns the amount is left alone: adding the line refuses it.
    if (!sale_limits::productFits(*quantity, *price))
        return;
    fields.text6 = br::money(quantity->times(*price));
}

bool SaleEntry::addLine()
{
    if (!verifica_obrigatorios({fields.text3, fields.text1, fields.text2, fields.text5, fields.text6},
                               m_messages))
        return false;

    const auto quantity = br::parseMoney(fields.text2);
    const auto price = br::parseMoney(fields.text5);
    const auto amount = br::parseMoney(fields.text6);
    if (fields.text1.isEmpty() || !sale_limits::looksNumeric(fields.text3) || !amount || !price) {
        m_messages.info(msg::camposIncorretos);
        return false;
    }
    if (!quantity) {
        // Written as a number but too long to read: say so plainly.
        m_messages.info(sale_limits::looksNumeric(fields.text2) ? msg::valorAcimaDoLimite
                                                                : msg::camposIncorretos);
        return false;
    }
    if (*quantity <= Money() || *price < Money() || *amount < Money()) {
        m_messages.info(msg::camposIncorretos);
        return false;
    }
    if (!quantityExact(fields.text2, m_messages))
        return false;
    if (!sale_limits::productCode(fields.text3.trimmed()) || !sale_limits::quantityFits(*quantity)
        || !sale_limits::amountFits(*price) || !sale_limits::productFits(*quantity, *price)
        || !sale_limits::amountFits(*amount) || !sale_limits::amountFits(total() + *amount)) {
        m_messages.info(msg::valorAcimaDoLimite);
        return false;
    }

    m_lines.append({fields.text3, fields.text1, fields.text2, fields.text5, fields.text6, fields.check1});
    recomputeTotal();
    resetEntryFields();
    return true;
}

bool SaleEntry::removeLine(int row)
{
    if (row < 0 || row >= m_lines.size() || m_lines.at(row).codigo.isEmpty())
        return false;
    m_lines.removeAt(row);
    recomputeTotal();
    return true;
}

Money SaleEntry::total() const
{
    Money sum;
    for (const SaleLine& line : m_lines)
        sum += br::parseMoney(line.subtotal).value_or(Money());
    return sum;
}

void SaleEntry::recomputeTotal()
{
    fields.text7 = br::money(total());
}

bool SaleEntry::cancelSale()
{
    if (!m_messages.question(msg::cancelarVenda) || !settleUnsettled())
        return false;
    load();
    return true;
}

bool SaleEntry::settleUnsettled()
{
    if (!unsettledSale)
        return true;
    Connection& conexao = *m_settings.conexao;
    const auto stored = sale_recording::saleStored(conexao, unsettledSale, m_settings.numero_caixa, total());
    if (!stored) {
        logFailure(m_settings.dataDir, m_settings.numero_caixa, stored.failure().description());
        m_messages.info(msg::vendaIndefinida);
        return false;
    }
    const qint64 key = std::exchange(unsettledSale, 0);
    if (!*stored)
        return true;
    const auto printed = imprime_venda(m_settings, key);
    if (printed) {
        m_messages.info(msg::vendaJaGravada);
    } else {
        logFailure(m_settings.dataDir, m_settings.numero_caixa, printed.failure().text);
        m_messages.info(msg::vendaGravadaSemCupom.arg(printed.failure().text));
    }
    return true;
}

bool SaleEntry::canClose()
{
    const auto sum = br::parseMoney(fields.text7);
    if (m_lines.isEmpty() || !sum || *sum <= Money()) {
        m_messages.info(msg::informeProdutos);
        return false;
    }
    return true;
}

bool SaleEntry::confirmLeave()
{
    if (m_lines.isEmpty())
        return true;
    return m_messages.questionDefaultNo(msg::sairComVendaAberta) && settleUnsettled();
}
