#include "entries/entry_screen.h"

#include "common/br_format.h"
#include "common/db_errors.h"
#include "common/field_kind.h"
#include "common/form_checks.h"
#include "common/loaders.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/print_routes.h"
#include "common/support_log.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/sql_value.h"
#include "entries/entry_recording.h"

#include <QScopeGuard>

EntryScreen::EntryScreen(const TerminalSettings& settings, Messages& messages, Clock clock)
    : m_settings(settings)
    , m_messages(messages)
    , m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); }))
{
}

const QStringList& EntryScreen::formas()
{
    static const QStringList list{
        QStringLiteral("Dinheiro"),
        QStringLiteral("Cheque"),
        QStringLiteral("Cartão de crédito"),
        QStringLiteral("Cartão de débito"),
    };
    return list;
}

QString EntryScreen::tipo() const
{
    return m_tipos.value(m_tipoIndex);
}

void EntryScreen::setFormaIndex(int index)
{
    if (index >= 0 && index < formas().size())
        m_formaIndex = index;
}

QString EntryScreen::baseLabel() const
{
    return QStringLiteral("Base: ") + m_settings.caminho_banco;
}

QString EntryScreen::caixaLabel() const
{
    return QStringLiteral("Caixa operante: ") + QString::number(m_settings.numero_caixa);
}

QString EntryScreen::versionLabel() const
{
    return QStringLiteral("Versão: ") + programVersion();
}

void EntryScreen::load()
{
    m_caixa.clear();
    m_data.clear();
    m_hora.clear();
    m_qtde.clear();
    m_preco.clear();
    m_total.clear();
    m_recebido.clear();
    m_troco.clear();

    m_tipos.clear();
    m_tipoIndex = -1;
    auto tipos = carrega_tipos_entrada(*m_settings.conexao);
    if (tipos) {
        m_tipos = *tipos;
        if (!m_tipos.isEmpty())
            chooseType(0);
    } else {
        showFailure(tipos.failure());
    }

    const QDateTime now = m_clock();
    m_caixa = QString::number(m_settings.numero_caixa);
    m_data = br::date(now.date());
    m_hora = br::time(now.time());
    m_qtde = QStringLiteral("1");
    m_formaIndex = 0;
    m_troco = br::money(Money());
}

void EntryScreen::chooseType(int index)
{
    if (index < 0 || index >= m_tipos.size())
        return;
    m_tipoIndex = index;

    auto price = m_settings.conexao->select(QStringLiteral("select nvalor from tipo_entrada where cnome = ?"),
                                             {SqlValue::text(tipo())});
    // A type deleted meanwhile, or a price that could not be read, leaves the
    // amounts empty: recording then asks for the required fields instead of
    // selling the new type at the old one's price.
    m_preco.clear();
    if (!price)
        showFailure(price.failure());
    else if (!price->isEmpty())
        m_preco = br::money(price->money(0, QStringLiteral("nvalor")));
    m_recebido = m_preco;
    m_qtde = QStringLiteral("1");
    m_total = m_preco;
    // Troco always shows Recebido - Total, which is now nothing.
    m_troco = m_preco.isEmpty() ? QString() : br::money(Money());
}

bool EntryScreen::leaveQuantity()
{
    const auto quantity = br::parseMoney(m_qtde);
    const auto price = br::parseMoney(m_preco);
    if (!quantity || !price)
        return true;
    // Units are whole: half a ticket cannot be stored nor charged.
    if (!wholeUnits(m_qtde)) {
        m_messages.info(msg::quantidadeInvalida);
        return false;
    }
    m_total = br::money(quantity->times(*price));
    m_recebido = m_total;
    m_troco = br::money(Money());
    return true;
}

bool EntryScreen::leaveReceived()
{
    const auto received = br::parseMoney(m_recebido);
    const auto total = br::parseMoney(m_total);
    if (received && total)
        m_troco = br::money(received->rounded(2) - total->rounded(2));
    m_recebido = formata_campo(FieldKind::Money, m_recebido);
    return true;
}

QStringList EntryScreen::requiredTexts() const
{
    // Every text field of the screen carries the required mark.
    return {m_caixa, m_data, m_hora, m_qtde, m_preco, m_total, m_recebido, m_troco};
}

bool EntryScreen::record()
{
    // A second Enter that arrives while a sale is being stored (a message box
    // open, auto-repeat) must not store it twice.
    if (m_recording)
        return false;
    m_recording = true;
    const auto done = qScopeGuard([this] { m_recording = false; });

    if (!verifica_obrigatorios(requiredTexts(), m_messages))
        return false;
    const auto units = wholeUnits(m_qtde);
    if (!units) {
        m_messages.info(units.failure().text);
        return false;
    }
    const auto price = br::parseMoney(m_preco);
    if (!price) {
        m_messages.info(msg::camposObrigatorios);
        return false;
    }

    // A sale whose commit broke earlier is looked for before anything is
    // written: found, it was recorded then; not found, it is recorded now.
    if (m_unsettled) {
        const auto earlier = settle(msg::entradaJaGravada.arg(m_unsettled->drawn.documento()));
        if (!earlier) {
            m_messages.info(msg::entradaIndefinida);
            return false;
        }
        if (*earlier)
            return true;
    }

    EntrySale sale;
    sale.tipo = tipo();
    sale.forma = forma();
    sale.caixa = m_settings.numero_caixa;
    sale.preco = price->rounded(2);
    sale.units = *units;

    // The transaction is over (committed or rolled back) when this returns,
    // so no message below holds a lock.
    RecordedEntries drawn;
    const auto recorded = recordEntries(*m_settings.conexao, sale, &drawn);
    if (!recorded) {
        const Failure& failure = recorded.failure();
        if (!failure.lost || drawn.lastCode == 0) {
            showFailure(failure);
            return false;
        }
        // The commit may have reached the server: ask it, once it is back.
        logFailure(m_settings.dataDir, m_settings.numero_caixa, failure.description());
        m_unsettled = Unsettled{drawn, ticketOf(sale, drawn)};
        std::optional<bool> stored;
        if (m_settings.conexao->reconnect())
            stored = settle(QString());
        if (!stored) {
            m_messages.info(msg::entradaIndefinida);
            return false;
        }
        if (!*stored)
            m_messages.info(msg::entradaNaoGravada);
        return *stored;
    }
    finishStored(ticketOf(sale, *recorded), QString());
    return true;
}

EntryTicket EntryScreen::ticketOf(const EntrySale& sale, const RecordedEntries& recorded) const
{
    EntryTicket ticket;
    ticket.parking = recorded.parking;
    ticket.caixa = m_settings.numero_caixa;
    ticket.documento = recorded.documento();
    ticket.dataEntrada = recorded.dataEntrada;
    ticket.tipo = sale.tipo;
    ticket.forma = sale.forma;
    ticket.quantidade = m_qtde;
    ticket.preco = sale.preco;
    ticket.total = sale.preco.times(Money::fromWhole(sale.units));
    return ticket;
}

bool EntryScreen::settleBeforeLeaving()
{
    if (!m_unsettled)
        return true;
    if (settle(msg::entradaJaGravada.arg(m_unsettled->drawn.documento())))
        return true;
    m_messages.info(msg::entradaIndefinida);
    return false;
}

std::optional<bool> EntryScreen::settle(const QString& told)
{
    Connection& conexao = *m_settings.conexao;
    const RecordedEntries& drawn = m_unsettled->drawn;
    const auto stored = storedEntries(conexao, drawn.firstCode, drawn.lastCode, m_settings.numero_caixa);
    if (!stored) {
        logFailure(m_settings.dataDir, m_settings.numero_caixa, stored.failure().description());
        return std::nullopt;
    }
    if (*stored == 0) {
        m_unsettled.reset();
        return false;
    }
    EntryTicket ticket = m_unsettled->ticket;
    if (const auto date = storedEntryDate(conexao, drawn.lastCode))
        ticket.dataEntrada = *date;
    m_unsettled.reset();
    finishStored(ticket, told);
    return true;
}

void EntryScreen::finishStored(EntryTicket ticket, const QString& told)
{
    m_lastTicket = ticket;
    const auto printed = printEntryTicket(m_settings, ticket);
    // The sale is stored: the screen empties before anything is said.
    load();
    if (!printed) {
        logFailure(m_settings.dataDir, m_settings.numero_caixa, printed.failure().text);
        m_messages.info(msg::entradaGravadaSemCupom.arg(ticket.documento, printed.failure().text));
    } else if (!told.isEmpty()) {
        m_messages.info(told);
    }
}

void EntryScreen::reprint()
{
    if (auto printed = imprime_arquivo(m_settings); !printed) {
        logFailure(m_settings.dataDir, m_settings.numero_caixa, printed.failure().text);
        m_messages.info(printed.failure().text);
    }
}

void EntryScreen::showFailure(const Failure& failure)
{
    logFailure(m_settings.dataDir, m_settings.numero_caixa, failure.description());
    if (failure.isDatabaseRefusal())
        trata_erro_banco(m_messages, failure);
    else
        m_messages.info(failure.text);
}
