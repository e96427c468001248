#pragma once

#include "common/screen_messages.h"
#include "sales/sale_entry.h"

#include <QWidget>

class KeyConventions;
class Messages;
class Navigation;
class QCheckBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct TerminalSettings;

// FrmVendas: the sale entry screen, full screen at the sale counter. The
// rules live in SaleEntry; this class moves texts between it and the controls
// and turns keys into its actions.
class FrmVendas final : public QWidget
{
    Q_OBJECT

public:
    FrmVendas(const TerminalSettings& settings, Messages& messages, Navigation& navigation,
              QWidget* parent = nullptr);
    ~FrmVendas() override;

    SaleEntry& entry() { return m_entry; }

    // F5: the payment screen with the sale's total; true when it recorded the sale.
    bool fecharVenda();
    // F2, F3, F8, F12 and Escape as the keys do them.
    void cancelarVenda();
    void reimprimir();
    void telaDeEntradas();
    void consultarProdutos();
    void sair();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void wireKeys();
    bool onKey(QKeyEvent* event, QWidget* field);
    void pull();
    void push();
    void refreshGrid();
    bool leaveCode();
    bool addLine();
    void removeCurrentLine();
    void focusCode();

    const TerminalSettings& m_settings;
    Messages& m_messages;
    ScreenMessages m_boxes;   // this screen's own boxes
    Navigation& m_navigation;
    SaleEntry m_entry;
    KeyConventions* m_keys = nullptr;

    QFrame* m_frame = nullptr;
    QLineEdit* m_text3 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text4 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QLineEdit* m_text5 = nullptr;
    QLineEdit* m_text6 = nullptr;
    QLineEdit* m_text7 = nullptr;
    QCheckBox* m_check1 = nullptr;
    QTableWidget* m_grid1 = nullptr;
    QPushButton* m_cmdOk = nullptr;
    bool m_placed = false;
};
