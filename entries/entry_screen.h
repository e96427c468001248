#pragma once

#include "entries/entry_recording.h"
#include "entries/entry_ticket.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Messages;
struct TerminalSettings;

// FrmEntradas without its widgets: the admission and parking counter. Fields
// are held as the texts the screen shows; the widget moves them to and from
// its controls and calls the actions below on the operator's keys.
class EntryScreen
{
public:
    using Clock = std::function<QDateTime()>;

    // `clock` gives Data and Hora (the workstation's own clock when empty).
    EntryScreen(const TerminalSettings& settings, Messages& messages, Clock clock = {});

    // The fixed payment forms of Forma.
    static const QStringList& formas();

    // Tipo (Combo1): the type names in code order, and the chosen one (-1: none).
    const QStringList& tipos() const { return m_tipos; }
    int tipoIndex() const { return m_tipoIndex; }
    QString tipo() const;
    int formaIndex() const { return m_formaIndex; }
    void setFormaIndex(int index);
    QString forma() const { return formas().value(m_formaIndex); }

    QString caixa() const { return m_caixa; }         // Text1
    QString data() const { return m_data; }           // Text2
    QString hora() const { return m_hora; }           // Text3
    QString qtde() const { return m_qtde; }           // Text5
    QString preco() const { return m_preco; }         // Text4
    QString total() const { return m_total; }         // Text6
    QString recebido() const { return m_recebido; }   // Text8
    QString troco() const { return m_troco; }         // Text7
    void setQtde(const QString& text) { m_qtde = text; }
    void setRecebido(const QString& text) { m_recebido = text; }

    // Status labels: Label16, Label8, Label13.
    QString baseLabel() const;
    QString caixaLabel() const;
    QString versionLabel() const;

    // Opening, F5 and after each recording: the types again, the first one
    // chosen, quantity 1, "Dinheiro", Data and Hora refreshed.
    void load();
    // Combo1 click: the type's price; quantity back to 1, amounts to the price.
    void chooseType(int index);
    // Leaving Qtde: Total = Qtde x Preço and Recebido = Total when both read as
    // numbers. False (with a message) for a number that is not a whole count
    // of units, so the focus stays.
    bool leaveQuantity();
    // Leaving Recebido: Troco = Recebido - Total when both read as numbers;
    // Recebido then shown as money.
    bool leaveReceived();

    // Enter on Troco: stores the sale, prints its ticket and loads the screen
    // again. False when nothing was stored; the fields then keep their values.
    // A sale whose recording broke with the connection is looked for first:
    // found, it counts as stored (its ticket printed), never stored again.
    bool record();
    // F3: the last print job again.
    void reprint();

    // The ticket of the last sale recorded here, if any.
    const std::optional<EntryTicket>& lastTicket() const { return m_lastTicket; }
    // A sale whose commit broke before anyone could tell whether it was stored.
    bool hasUnsettledSale() const { return m_unsettled.has_value(); }
    // Before the screen goes (Escape, F8): such a sale is looked for, so it
    // is never forgotten. Stored, its ticket prints and the operator is told.
    // False while the database cannot tell (the message shown): stay.
    bool settleBeforeLeaving();

private:
    QStringList requiredTexts() const;
    void showFailure(const Failure& failure);
    EntryTicket ticketOf(const EntrySale& sale, const RecordedEntries& recorded) const;
    // Prints the ticket of a stored sale and loads the screen again; `told`
    // (when not empty) is said once the screen is empty.
    void finishStored(EntryTicket ticket, const QString& told);
    // The sale of `m_unsettled`: true when it was stored (and is now
    // printed), false when not; empty while the database cannot say.
    std::optional<bool> settle(const QString& told);

    const TerminalSettings& m_settings;
    Messages& m_messages;
    Clock m_clock;

    QStringList m_tipos;
    int m_tipoIndex = -1;
    int m_formaIndex = 0;
    QString m_caixa;
    QString m_data;
    QString m_hora;
    QString m_qtde;
    QString m_preco;
    QString m_total;
    QString m_recebido;
    QString m_troco;

    std::optional<EntryTicket> m_lastTicket;
    struct Unsettled
    {
        RecordedEntries drawn;
        EntryTicket ticket;
    };
    std::optional<Unsettled> m_unsettled;
    bool m_recording = false;
};
