#include "sales/sale_payment.h"

#include "common/br_format.h"
#include "common/db_errors.h"
#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/print_routes.h"
#include "common/sale_ticket.h"
#include "common/support_log.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "sales/sale_limits.h"
#include "sales/sale_recording.h"

#include <optional>
#include <utility>

SalePayment::SalePayment(const TerminalSettings& settings, Messages& messages, QList<SaleLine> lines,
                         const QString& total, qint64* unsettled)
    : m_settings(settings)
    , m_messages(messages)
    , m_lines(std::move(lines))
    , m_unsettled(unsettled)
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
    Connection& conexao = *m_settings.conexao;

    // A sale whose commit broke earlier is looked for before anything is
    // written: found, it was recorded then; not found, it is recorded now.
    if (m_unsettled && *m_unsettled) {
        const auto stored = sale_recording::saleStored(conexao, *m_unsettled, m_settings.numero_caixa, *total);
        if (!stored) {
            m_state = State::Open;
            logFailure(m_settings.dataDir, m_settings.numero_caixa, stored.failure().description());
            m_messages.info(msg::vendaIndefinida);
            return Outcome::Failed;
        }
        const qint64 earlier = std::exchange(*m_unsettled, 0);
        if (*stored)
            return recordedEarlier(earlier, msg::vendaJaGravada);
    }

    const int forma = qBound(0, fields.combo1, int(formas().size()) - 1);
    const SalePaymentValues payment{formas().at(forma), *total, *received, *change};
    qint64 drawn = 0;
    QList<SaleTicketItem> ticket;
    const auto key = sale_recording::recordSale(conexao, m_settings.numero_caixa, payment, *items, &drawn, &ticket);
    if (!key) {
        // The transaction is already rolled back: no message holds a lock.
        const Failure& failure = key.failure();
        logFailure(m_settings.dataDir, m_settings.numero_caixa, failure.description());
        if (failure.lost && drawn) {
            // The commit may have reached the server: ask it, once it is back.
            std::optional<bool> stored;
            if (conexao.reconnect()) {
                if (const auto found = sale_recording::saleStored(conexao, drawn, m_settings.numero_caixa, *total))
                    stored = *found;
            }
            if (stored && *stored)
                return recordedEarlier(drawn, QString());
            m_state = State::Open;
            if (!stored) {
                if (m_unsettled)
                    *m_unsettled = drawn;
                m_messages.info(msg::vendaIndefinida);
                return Outcome::Failed;
            }
        } else {
            m_state = State::Open;
            trata_erro_banco(m_messages, failure.description());
        }
        m_messages.info(msg::vendaNaoGravada);
        return Outcome::Failed;
    }

    m_key = *key;
    m_state = State::Recorded;
    // Printed only once the sale is safely stored, from the lines read back
    // inside its transaction.
    printTickets(printJob(m_settings, saleTicketLines(ticket, m_settings.nome_fantasia, m_settings.margem,
                                                      m_settings.linhas_avanco)));
    return Outcome::Recorded;
}

SalePayment::Outcome SalePayment::recordedEarlier(qint64 key, const QString& told)
{
    m_key = key;
    m_state = State::Recorded;
    const auto printed = imprime_venda(m_settings, m_key);
    printTickets(printed);
    if (printed && !told.isEmpty())
        m_messages.info(told);
    return Outcome::Recorded;
}

void SalePayment::printTickets(const Result<void>& printed)
{
    if (printed)
        return;
    logFailure(m_settings.dataDir, m_settings.numero_caixa, printed.failure().text);
    m_messages.info(msg::vendaGravadaSemCupom.arg(printed.failure().text));
}
