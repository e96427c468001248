#pragma once

#include "registers/code_name_list.h"

// FrmConsultaGrupos without widgets: groups by code or part of the name.
class GroupList final : public CodeNameList
{
public:
    GroupList(const TerminalSettings& settings, Messages& messages);

    static constexpr int MinimumRows = 12;

protected:
    QString deleteStatement() const override;
};
