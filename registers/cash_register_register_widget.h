#pragma once

#include "registers/cash_register_register.h"
#include "registers/register_form_widget.h"

// FrmCadCaixa: creates cash registers (`binclusao` true) or changes the
// operator of the cash register `codigo_caixa`, whose number is then shown
// but not editable. Caption "Vorinda", header "Caixas".
class FrmCadCaixa final : public RegisterFormWidget
{
    Q_OBJECT

public:
    FrmCadCaixa(const TerminalSettings& settings, Messages& messages, bool binclusao, qint32 codigo_caixa = 0,
                QWidget* parent = nullptr);

    CashRegisterRegister& cashRegister() { return static_cast<CashRegisterRegister&>(form()); }
};
