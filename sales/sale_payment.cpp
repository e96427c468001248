#include "sales/sale_payment.h"

#include "common/br_format.h"
#include "common/db_errors.h"
#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/sale_ticket.h"
#include "common/support_log.h"
#include "common/terminal_settings.h"
#include "sales/sale_limits.h"
#include "sales/sale_recording.h"

SalePayment::SalePayment(const TerminalSettings& settings, Messages& messages, QList<SaleLine> lines,
                         const QString& total)
    : m_settings(settings)
    , m_messages(messages)
    , m_lines(std::move(lines))
{
    fields.text6 = total;
    fields.text8 = br::money(Money());
    fields.text7 = br::money(Money());
}

QStringList SalePayment::formas()
{
    return {QStringLiteral("Dinheiro"), QStringLiteral("Cheque"), QStringLiteral("Cartão de crédito"),
            QStringLiteral("Cartão de débito")};
}

QString SalePayment::formatMoney(const QString& text)
{
    const auto value = br::parseMoney(text);
    return value ? br::money(*value) : QString();
}

bool SalePayment::leaveReceived()
{
    const auto total = br::parseMoney(fields.text6);
    const auto received = br::parseMoney(fields.text8);
    fields.text8 = received ? br::money(*received) : QString();
    if (!total || !received)
        return true;
    const Money change = *received - *total;
    if (change < Money()) {
        m_messages.info(msg::verifiqueRecebido);
        return false;
    }
    fields.text7 = br::money(change);
    return true;
}

SalePayment::Outcome SalePayment::record()
{
    if (m_state != State::Open)
        return Outcome::Busy;

    if (!verifica_obrigatorios({fields.text6, fields.text8, fields.text7}, m_messages))
        return Outcome::Stay;

    const auto total = br::parseMoney(fields.text6);
    const auto received = br::parseMoney(fields.text8);
    const auto change = br::parseMoney(fields.text7);
    if (!total || !received || !change) {
        m_messages.info(msg::camposIncorretos);
        return Outcome::Stay;
    }
    if (!sale_limits::amountFits(*total) || !sale_limits::amountFits(*received)
        || !sale_limits::amountFits(*change)) {
        m_messages.info(msg::valorAcimaDoLimite);
        return Outcome::Stay;
    }
    const auto items = sale_recording::readLines(m_lines);
    if (!items) {
        m_messages.info(items.failure().text);
        return Outcome::Failed;
    }

    m_state = State::Recording;
    const int forma = qBound(0, fields.combo1, int(formas().size()) - 1);
    const SalePaymentValues payment{formas().at(forma), *total, *received, *change};
    const auto key = sale_recording::recordSale(*m_settings.conexao, m_settings.numero_caixa, payment, *items);
    if (!key) {
        // The transaction is already rolled back: no message holds a lock.
        m_state = State::Open;
        logFailure(m_settings.dataDir, m_settings.numero_caixa, key.failure().description());
        trata_erro_banco(m_messages, key.failure().description());
        m_messages.info(msg::vendaNaoGravada);
        return Outcome::Failed;
    }

    m_key = *key;
    m_state = State::Recorded;
    // Printed only once the sale is safely stored; a failure here loses
    // nothing: F3 prints the spool file again.
    const auto printed = imprime_venda(m_settings, m_key);
    if (!printed) {
        logFailure(m_settings.dataDir, m_settings.numero_caixa, printed.failure().text);
        m_messages.info(printed.failure().text);
    }
    return Outcome::Recorded;
}
