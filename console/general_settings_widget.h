#pragma once

#include "console/general_settings.h"

#include <QDialog>

class KeyConventions;
class QLineEdit;
class QPushButton;
class QTimeEdit;

// FrmConfiguracaoGeral ("Configurações"): the working hours and the two
// document counters, read on opening and stored by "&Gravar"; Escape or
// "&Sair" closes without storing.
class FrmConfiguracaoGeral final : public QDialog
{
    Q_OBJECT

public:
    FrmConfiguracaoGeral(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);
    ~FrmConfiguracaoGeral() override;

    GeneralSettings& settings() { return m_settings; }

private:
    void gravar();
    void push();
    void pull();

    GeneralSettings m_settings;
    KeyConventions* m_keys = nullptr;
    QTimeEdit* m_inicio = nullptr;   // DTPicker1
    QTimeEdit* m_final = nullptr;    // DTPicker3
    QLineEdit* m_entrada = nullptr;  // Text2
    QLineEdit* m_venda = nullptr;    // Text1
    QPushButton* m_ok = nullptr;     // CmdOk
    QPushButton* m_sair = nullptr;   // CmdSair
};
