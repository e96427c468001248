#pragma once

#include "registers/list_screen.h"

// FrmConsultaCaixa without widgets: every cash register, code 0 included,
// with its operator; no filters.
class CashRegisterList final : public ListScreen
{
public:
    CashRegisterList(const TerminalSettings& settings, Messages& messages);

    static constexpr int MinimumRows = 14;

protected:
    std::optional<Statement> searchStatement() const override;
    QString deleteStatement() const override;
};
