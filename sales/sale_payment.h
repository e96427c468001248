#pragma once

#include "db/result.h"
#include "sales/sale_line.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class Messages;
struct TerminalSettings;

// The payment screen (FrmPagamentoVenda) without widgets: form of payment,
// amount received, change, and the recording of the sale with its tickets.
class SalePayment
{
public:
    struct Fields
    {
        QString text6;   // "Total" (locked)
        int combo1 = 0;  // "Forma": index into formas()
        QString text8;   // "Recebido"
        QString text7;   // "Troco"
    };

    enum class Outcome {
        Stay,      // a field must be fixed first; nothing written
        Failed,    // the database refused the sale: nothing written, lines kept
        Recorded,  // committed (the tickets may still have failed to print)
        Busy,      // already recording or recorded: this Enter is ignored
    };

    // `total` is the sale screen's total text; received and change start at 0.
    // `unsettled`, kept by the sale screen across payment screens, holds the
    // key of this sale when its recording broke with the connection and
    // nobody knows yet whether it was stored (0: none).
    SalePayment(const TerminalSettings& settings, Messages& messages, QList<SaleLine> lines,
                const QString& total, qint64* unsettled = nullptr);

    static QStringList formas();

    Fields fields;

    // Leaving "Recebido": the change, or the message when it would be
    // negative (false: the focus stays on the field).
    bool leaveReceived();
    // Leaving "Troco" (or "Total"): money format, or empty when not a number.
    static QString formatMoney(const QString& text);

    // Enter on "Troco": records the sale and its lines in one transaction,
    // then prints one ticket per line. Only the first call records. A sale
    // whose recording broke with the connection is looked for first: found,
    // it is Recorded (its tickets printed) and never stored again.
    Outcome record();

    qint64 recordedKey() const { return m_key; }
    bool recorded() const { return m_state == State::Recorded; }

private:
    enum class State { Open, Recording, Recorded };

    // The outcome of sale `key`, stored but not printed yet.
    Outcome recordedEarlier(qint64 key, const QString& told);
    // The tickets of the sale just stored; a failure tells the sale is stored.
    void printTickets(const Result<void>& printed);

    const TerminalSettings& m_settings;
    Messages& m_messages;
    QList<SaleLine> m_lines;
    qint64* m_unsettled = nullptr;
    State m_state = State::Open;
    qint64 m_key = 0;
};
