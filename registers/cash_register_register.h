#pragma once

#include "registers/register_form.h"

// FrmCadCaixa without widgets: a cash register's number and its operator.
// The number is the one a workstation's configuration names, typed by the
// user (no generator); it must fit the 16-bit number the configuration and
// every sale row hold it as.
class CashRegisterRegister final : public RegisterForm
{
public:
    // `codigo_caixa`: the cash register to change when `binclusao` is false.
    CashRegisterRegister(const TerminalSettings& settings, Messages& messages, bool binclusao,
                         qint32 codigo_caixa = 0);

    static QList<FormField> formFields();
    static constexpr int LowestNumber = 1;
    static constexpr int HighestNumber = 32767;

protected:
    bool load() override;
    bool readyToSave() override;
    Result<int> insert() override;
    Result<int> update() override;
};
