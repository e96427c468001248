#pragma once

#include "purchases/purchase_items.h"

#include <QDialog>

class KeyConventions;
class Messages;
class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
struct TerminalSettings;

// frmCompradeProdutos: the lines of purchase `codigoCompra`, its discount,
// surcharge and total. Opened modally by the opening dialog; `binclusao`
// for a purchase just opened, which leaving the screen cancels.
// Caption "Compra", header "Compra".
class FrmCompradeProdutos final : public QDialog
{
    Q_OBJECT

public:
    FrmCompradeProdutos(const TerminalSettings& settings, Messages& messages, qint32 codigoCompra, bool binclusao,
                        QWidget* parent = nullptr);
    ~FrmCompradeProdutos() override;

    PurchaseItems& items() { return m_items; }
    QTableView* grid() const { return m_grid1; }

    // The buttons' actions, as a click runs them.
    void confirma();
    void cancelaLinha();
    void excluir();
    void gravar();
    // F12 in "Produto", or "...".
    void consultaProdutos();
    // Double-click (or Enter) on the grid row current now.
    void pickLine();

    // "&Cancelar", Escape and the title-bar close: a new purchase asks first.
    void reject() override;

private:
    void build();
    void wireKeys();
    bool onKey(QKeyEvent* event, QWidget* field);
    void push();
    void pull();
    bool leave(void (PurchaseItems::*step)());
    void focusCode();
    void refreshDelete();

    const TerminalSettings& m_settings;
    Messages& m_messages;
    PurchaseItems m_items;
    KeyConventions* m_keys = nullptr;
    bool m_closed = false;
    QLineEdit* m_text3 = nullptr;
    QLineEdit* m_text13 = nullptr;
    QLineEdit* m_text10 = nullptr;
    QLineEdit* m_text15 = nullptr;
    QPlainTextEdit* m_text9 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text4 = nullptr;
    QLineEdit* m_text5 = nullptr;
    QLineEdit* m_text6 = nullptr;
    QLineEdit* m_text12 = nullptr;
    QLineEdit* m_text7 = nullptr;
    QLineEdit* m_text11 = nullptr;
    QLineEdit* m_text8 = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command5 = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdSair = nullptr;
    QTableView* m_grid1 = nullptr;
};
