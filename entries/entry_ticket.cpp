#include "entries/entry_ticket.h"

#include "common/br_format.h"
#include "common/print_routes.h"
#include "common/terminal_settings.h"
#include "common/ticket_writer.h"

namespace {

// Lines 1 to 3 of both tickets: the trade name, an empty line, a rule.
void writeHead(TicketWriter& out, const TerminalSettings& settings)
{
    out.centred(ticketText(settings.nome_fantasia).left(TicketWriter::Width));
    out.blank();
    out.rule();
}

// The header line naming the counter, then the date between rules.
void writeHeader(TicketWriter& out, const EntryTicket& ticket, const QString& kind)
{
    out.centred(QStringLiteral("CAIXA ") + QString::number(ticket.caixa) + QStringLiteral(" - ") + kind
                + QStringLiteral(" - DOCTO ") + ticket.documento);
    out.rule();
    out.centred(ticketWeekdayAndDate(ticket.dataEntrada));
    out.rule();
    out.line(QStringLiteral("TIPO  :") + ticketText(ticket.tipo).left(TicketWriter::Width));
}

} // namespace

QStringList admissionTicketLines(const TerminalSettings& settings, const EntryTicket& ticket)
{
    TicketWriter out(settings);
    writeHead(out, settings);
    writeHeader(out, ticket, QStringLiteral("ENTRADA"));
    out.line(QStringLiteral("FORMA :") + ticketText(ticket.forma));
    out.line(QStringLiteral("QTDE  :") + ticket.quantidade);
    out.line(QStringLiteral("PRECO :") + br::number(ticket.preco, 2));
    out.line(QStringLiteral("TOTAL :") + br::number(ticket.total, 2));
    out.rule();
    out.feed();
    return out.lines();
}

QStringList parkingTicketLines(const TerminalSettings& settings, const EntryTicket& ticket)
{
    TicketWriter out(settings);
    writeHead(out, settings);
    writeHeader(out, ticket, QStringLiteral("ESTACIONAMENTO"));
    out.line(QStringLiteral("QTDE  :") + ticket.quantidade);
    out.line(QStringLiteral("PRECO :") + br::number(ticket.preco, 2));
    out.line(QStringLiteral("TOTAL :") + br::number(ticket.total, 2));
    out.blank();
    // Plate and model are written by hand on the ticket: the system keeps neither.
    out.line(QStringLiteral("PLACA :"));
    out.blank();
    out.line(QStringLiteral("MODELO:"));
    out.feed();
    return out.lines();
}

QStringList entryTicketLines(const TerminalSettings& settings, const EntryTicket& ticket)
{
    return ticket.parking ? parkingTicketLines(settings, ticket) : admissionTicketLines(settings, ticket);
}

Result<void> imprime_entrada(const TerminalSettings& settings, const EntryTicket& ticket)
{
    return printJob(settings, admissionTicketLines(settings, ticket));
}

Result<void> imprime_estacionamento(const TerminalSettings& settings, const EntryTicket& ticket)
{
    return printJob(settings, parkingTicketLines(settings, ticket));
}

Result<void> printEntryTicket(const TerminalSettings& settings, const EntryTicket& ticket)
{
    return ticket.parking ? imprime_estacionamento(settings, ticket) : imprime_entrada(settings, ticket);
}
