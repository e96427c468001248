#pragma once

#include "registers/cash_register_list.h"
#include "registers/list_screen_widget.h"

struct TerminalSettings;

// FrmConsultaCaixa: every cash register, listed as the screen opens; opens
// one in FrmCadCaixa for a change (the register refills the list when it
// saves), deletes one with the Delete key. Caption "Consultas", header "Caixas".
class FrmConsultaCaixa final : public ListScreenWidget
{
    Q_OBJECT

public:
    FrmConsultaCaixa(const TerminalSettings& settings, Messages& messages, QWidget* parent = nullptr);

    CashRegisterList& cashRegisters() { return static_cast<CashRegisterList&>(list()); }

protected:
    void openDetails(qint32 code) override;
};
