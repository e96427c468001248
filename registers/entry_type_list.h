#pragma once

#include "registers/code_name_list.h"

// FrmConsultaTipoEntrada without widgets: entry types by code or part of
// the name, with their price.
class EntryTypeList final : public CodeNameList
{
public:
    EntryTypeList(const TerminalSettings& settings, Messages& messages);

    static constexpr int MinimumRows = 12;

protected:
    QString deleteStatement() const override;
};
