#pragma once

#include "db/money.h"
#include "db/result.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

struct TerminalSettings;

// What one recorded sale of the admission counter prints: one ticket for
// all its units.
struct EntryTicket
{
    bool parking = false;      // the type's cestacionamento is not "N"
    qint16 caixa = 0;          // numero_caixa
    QString documento;         // "15", or "15 : 17" for several units
    QDateTime dataEntrada;     // ddata_entrada as stored
    QString tipo;              // the type's name
    QString forma;             // payment form as shown (admission ticket only)
    QString quantidade;        // as typed
    Money preco;               // unit price
    Money total;
};

// The admission ticket (imprime_entrada) and the parking ticket
// (imprime_estacionamento), line by line, margin and feed lines included.
QStringList admissionTicketLines(const TerminalSettings& settings, const EntryTicket& ticket);
QStringList parkingTicketLines(const TerminalSettings& settings, const EntryTicket& ticket);
// Whichever of the two the ticket's type calls for.
QStringList entryTicketLines(const TerminalSettings& settings, const EntryTicket& ticket);

// Writes the ticket as the whole print job (imp.txt replaced) and sends it
// by the terminal's print route. A failure carries a Portuguese text for the operator.
Result<void> imprime_entrada(const TerminalSettings& settings, const EntryTicket& ticket);
Result<void> imprime_estacionamento(const TerminalSettings& settings, const EntryTicket& ticket);
Result<void> printEntryTicket(const TerminalSettings& settings, const EntryTicket& ticket);
