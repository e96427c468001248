#pragma once

#include "db/money.h"
#include "sales/sale_line.h"

#include <QList>
#include <QString>

class Connection;
class Messages;
struct TerminalSettings;

// The sale entry screen (FrmVendas) without widgets: the fields as texts, the
// lines of the sale being rung up, and what each key does to them. Nothing is
// written to the database here; the payment screen records the sale.
class SaleEntry
{
public:
    // The screen's fields, named as on the screen.
    struct Fields
    {
        QString text3;  // "Produto": product code
        QString text1;  // description (locked)
        QString text4;  // "Unidade"
        QString text2;  // "Qtde"
        QString text5;  // "Unitário"
        QString text6;  // "Sub total": line amount (locked)
        QString text7;  // "Total" (locked)
        bool check1 = false;  // "Consumo interno"
    };

    SaleEntry(const TerminalSettings& settings, Messages& messages);

    Fields fields;
    // The key of the sale on screen when its recording broke with the
    // connection before anyone could tell whether it was stored (0: none);
    // the next closing looks for it first.
    qint64 unsettledSale = 0;

    // Load, F2 on Yes, and after a sale is recorded: no line, total 0.
    void load();
    // Code, description and unit empty; quantity "1"; prices 0.
    void resetEntryFields();

    // Leaving the code field: the product's description, unit and price (the
    // internal price while "Consumo interno" is ticked). False when the code
    // is not a registered active product: the message was shown and the
    // focus must stay on the code.
    bool leaveCode();
    // Leaving quantity or price: the line amount from both when they read as
    // numbers. A quantity with more than three decimals (the column's) is
    // refused: false, the message shown, the focus must stay.
    bool leaveQuantity();
    void leaveUnitPrice();

    // Enter on "Sub total": the line is appended when the fields make one.
    bool addLine();
    // Delete in the grid: removes line `row` when it holds a code.
    bool removeLine(int row);

    // F2: asks, then empties the sale on Yes. A sale on screen whose
    // recording broke is looked for first (see settleUnsettled).
    bool cancelSale();
    // F5: true when there is something to close (else the message was shown).
    bool canClose();
    // After the payment screen closes, recorded or not.
    void paymentClosed() { fields.check1 = false; }
    // Escape: true when the screen may close (asks first when lines exist).
    bool confirmLeave();
    // Before the lines of a sale whose recording broke are dropped: it is
    // looked for. Stored, its tickets print and the operator is told; not
    // stored, nothing more. False while the database cannot tell (the
    // message shown): the lines must stay.
    bool settleUnsettled();

    const QList<SaleLine>& lines() const { return m_lines; }
    // Sum of the line amounts as shown.
    Money total() const;
    bool quantityEditable() const;

private:
    void recomputeLineAmount();
    void recomputeTotal();

    const TerminalSettings& m_settings;
    Messages& m_messages;
    QList<SaleLine> m_lines;
};
