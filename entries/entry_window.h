#pragma once

#include "common/screen_messages.h"
#include "entries/entry_screen.h"

#include <QWidget>

class KeyConventions;
class Messages;
class Navigation;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
struct TerminalSettings;

// FrmEntradas: the admission and parking counter, full screen with its frame
// centred, in large high-contrast type read from a distance. Keys: Enter
// moves on (records on Troco), F3 prints again, F5 clears, F8 goes to the
// sale counter, Escape leaves.
class EntryWindow final : public QWidget
{
    Q_OBJECT

public:
    EntryWindow(const TerminalSettings& settings, Navigation& navigation, Messages& messages,
                EntryScreen::Clock clock = {}, QWidget* parent = nullptr);
    ~EntryWindow() override;

    EntryScreen& logic() { return m_logic; }

private:
    void build();
    void wireKeys();
    // Controls -> logic (what the operator may have changed) and back.
    void pull();
    void push();
    void reload();
    bool recordSale();
    void switchToSales();

    ScreenMessages m_boxes;
    EntryScreen m_logic;
    Navigation& m_navigation;
    KeyConventions* m_keys = nullptr;

    QFrame* m_frame = nullptr;
    QComboBox* m_tipo = nullptr;       // Combo1
    QComboBox* m_forma = nullptr;      // Combo2
    QLineEdit* m_caixa = nullptr;      // Text1
    QLineEdit* m_data = nullptr;       // Text2
    QLineEdit* m_hora = nullptr;       // Text3
    QLineEdit* m_preco = nullptr;      // Text4
    QLineEdit* m_qtde = nullptr;       // Text5
    QLineEdit* m_total = nullptr;      // Text6
    QLineEdit* m_troco = nullptr;      // Text7
    QLineEdit* m_recebido = nullptr;   // Text8
    QPushButton* m_sair = nullptr;     // CmdOk
    QLabel* m_base = nullptr;          // Label16
    QLabel* m_caixaOperante = nullptr; // Label8
    QLabel* m_versao = nullptr;        // Label13
    bool m_pushing = false;
};
