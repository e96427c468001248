#pragma once

#include "db/money.h"
#include "purchases/code_lookup.h"
#include "registers/list_screen_model.h"

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

class Connection;
class Messages;
struct TerminalSettings;

// frmCompradeProdutos without widgets: the header stored by the opening
// dialog, the lines of the purchase (each stored as soon as it is
// confirmed), discount and surcharge, and the closing of the purchase.
class PurchaseItems
{
public:
    // The screen's fields, named as on the screen.
    struct Fields
    {
        // Header, shown only.
        QString text3;    // "Data"
        QString text13;   // "Nota"
        QString text10;   // "Fornecedor": code
        QString text15;   // the supplier's trade name
        QString text9;    // "Obs"
        // The line being typed.
        QString text2;    // "Produto": code
        QString text1;    // description - unit, shown only
        QString text4;    // "Qtde."
        QString text5;    // "Unitário"
        QString text6;    // "Total" of the line
        bool text2Enabled = true;   // off while a stored line is changed
        // Totals.
        QString text12;   // "Total dos produtos", shown only
        QString text7;    // "Descontos"
        QString text11;   // "Acréscimos"
        QString text8;    // "Toda da compra", shown only
    };

    static constexpr int MinimumRows = 12;

    PurchaseItems(const TerminalSettings& settings, Messages& messages, qint32 codigoCompra, bool binclusao);
    ~PurchaseItems();
    PurchaseItems(const PurchaseItems&) = delete;
    PurchaseItems& operator=(const PurchaseItems&) = delete;

    Fields fields;

    qint32 codigoCompra() const { return m_codigoCompra; }
    // True for a purchase just opened: leaving the screen cancels it.
    bool binclusao() const { return m_binclusao; }
    // True while the line fields add a new line; false while they change
    // the line picked in the grid.
    bool binclusaoitem() const { return m_binclusaoitem; }

    // The statement that reads Grid1's lines, the purchase's code bound.
    static const QString& linesStatement();

    // Grid1: the purchase's lines.
    ListModel& model() { return *m_model; }
    const ListModel& model() const { return *m_model; }
    // The stored line's code at a grid row; empty on a filler row.
    std::optional<qint32> lineCodeAt(int row) const;

    // Header, supplier, lines.
    void load();
    // The lines again, with the products total and the purchase total.
    bool loadLines();

    // Leaving "Produto": its description and unit, and its purchase price as
    // the unit price. False (focus stays) for a code no product has.
    bool leaveProduct();
    // A code picked in the product lookup (0: nothing picked); false when
    // it was not found after all.
    bool productPicked(qint32 codigo_consulta);
    // Leaving "Qtde." or "Unitário": the line total proposed.
    void leaveQuantity() { proposeLineTotal(); }
    void leaveUnitPrice() { proposeLineTotal(); }
    // Leaving "Descontos" or "Acréscimos".
    void leaveDiscountOrSurcharge() { recomputeTotal(); }

    // "&Confirma": the line stored, as a new line or over the line of grid
    // row `currentRow`. True when stored (the grid reloaded, the fields
    // empty for the next line).
    bool confirma(int currentRow);
    // Double-click on a grid row.
    void pickLine(int row);
    // Whether "&Excluir" acts on `row`.
    bool canDelete(int row) const { return lineCodeAt(row).has_value(); }
    // "&Excluir": the line at `row`, after confirma_exclusao.
    bool excluir(int row);
    // "&Cancelar" of the line.
    void cancelaLinha();

    // "&Gravar": discount, surcharge and total stored. True when the
    // purchase is closed and the screen closes.
    bool gravar();
    // "&Cancelar" of the screen (and Escape): true when it may close. A new
    // purchase is removed with its lines after a "Sim".
    bool sair();

private:
    Connection& conexao() const;
    bool loadHeader();
    void checkSupplier();
    Lookup lookUpProduct();
    void proposeLineTotal();
    void recomputeTotal();
    void clearLine();

    const TerminalSettings& m_settings;
    Messages& m_messages;
    qint32 m_codigoCompra;
    bool m_binclusao;
    bool m_binclusaoitem = true;
    Money m_productsTotal;
    std::unique_ptr<ListModel> m_model;
};
