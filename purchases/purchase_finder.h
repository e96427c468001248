#pragma once

#include "purchases/code_lookup.h"
#include "registers/list_screen_model.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <optional>

class Connection;
class Messages;
struct TerminalSettings;

// FrmLocalizaCompraProduto without widgets: stored purchases by period, by
// supplier or both; a purchase reopened or deleted with its lines.
class PurchaseFinder
{
public:
    // The entries of "Mostrar", in order.
    enum Filter { Todas = 0, PorPeriodo, PorFornecedor, PorFornecedorEPeriodo };
    static QStringList filterNames();

    // The screen's fields, named as on the screen.
    struct Fields
    {
        int combo1 = PorPeriodo;   // "Mostrar"
        QString text10;            // "Fornecedor": code
        QString text15;            // the supplier's trade name, shown only
        QDate dtpicker1;           // "Período": start
        QDate dtpicker2;           // end
    };

    static constexpr int MinimumRows = 17;

    PurchaseFinder(const TerminalSettings& settings, Messages& messages);
    ~PurchaseFinder();
    PurchaseFinder(const PurchaseFinder&) = delete;
    PurchaseFinder& operator=(const PurchaseFinder&) = delete;

    Fields fields;

    ListModel& model() { return *m_model; }
    const ListModel& model() const { return *m_model; }
    // The purchase's code at a grid row; empty on a filler row.
    std::optional<qint32> codeAt(int row) const;

    // Both dates `today`, "Por período", nothing listed.
    void load(const QDate& today = QDate::currentDate());
    // Another entry of "Mostrar": the grid and the supplier emptied.
    void filterChanged(int combo1);
    // Leaving "Fornecedor": its trade name; false (focus stays) for a code
    // no supplier has.
    bool checkSupplier();
    // A code picked in the supplier lookup (0: nothing picked).
    bool supplierPicked(qint32 codigo_consulta);

    // "Mostrar": the grid from the filter. False when refused (message
    // shown; the grid untouched when the supplier is missing).
    bool mostrar();
    // "&Excluir": the purchase at `row` with its lines, after
    // confirma_exclusao, then the search again. True when deleted.
    bool excluir(int row);

private:
    Connection& conexao() const;
    Lookup lookUpSupplier();

    const TerminalSettings& m_settings;
    Messages& m_messages;
    std::unique_ptr<ListModel> m_model;
};
