#pragma once

#include "purchases/purchase_finder.h"

#include <QDialog>

class KeyConventions;
class Messages;
class QComboBox;
class QDateEdit;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTableView;
struct TerminalSettings;

// FrmLocalizaCompraProduto: purchases by period, supplier or both; one is
// reopened ("&Detalhes", F12 in "Fornecedor", a double-click or Enter on the
// grid: its header, then its lines, then the search again) or deleted with
// its lines. Header "Localização de compras".
class FrmLocalizaCompraProduto final : public QDialog
{
    Q_OBJECT

public:
    FrmLocalizaCompraProduto(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);
    ~FrmLocalizaCompraProduto() override;

    PurchaseFinder& finder() { return m_finder; }
    QTableView* grid() const { return m_grid1; }

    // The buttons' actions, as a click runs them.
    void mostrar();
    void detalhes();
    void excluir();
    void consultaFornecedores();

private:
    void build();
    void wireKeys();
    bool onKey(QKeyEvent* event, QWidget* field);
    void push();
    void pull();
    // The search again after the operator's own action, his row kept.
    void refill(int row);

    const TerminalSettings& m_settings;
    Messages& m_messages;
    PurchaseFinder m_finder;
    KeyConventions* m_keys = nullptr;
    QComboBox* m_combo1 = nullptr;
    QLineEdit* m_text10 = nullptr;
    QLineEdit* m_text15 = nullptr;
    QPushButton* m_command3 = nullptr;
    QDateEdit* m_dtpicker1 = nullptr;
    QDateEdit* m_dtpicker2 = nullptr;
    QPushButton* m_command1 = nullptr;
    QTableView* m_grid1 = nullptr;
    QPushButton* m_command4 = nullptr;
    QPushButton* m_command5 = nullptr;
    QPushButton* m_command2 = nullptr;
};
